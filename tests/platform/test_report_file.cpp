#include "RaisedError.h"

#include "report/ReportFileParser.h"
#include "report/ReportParameters.h"
#include "report/StatementBinder.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const char* const parametersSection = "[parameters]\n"
                                      "@id = number required\n"
                                      "strUserName = text\n";

rpt::ReportDefinition declared()
{
    return rpt::ReportFileParser::parse(QString::fromLatin1(parametersSection) +
                                        u"[title]\nheading = x\n"_s);
}

} // namespace

class TestReportFile : public QObject
{
    Q_OBJECT

private slots:
    void malformedFileNamesTheLine_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* body, const char* message) {
            QTest::newRow(name) << QString::fromLatin1(body) << QString::fromLatin1(message);
        };
        row("entry without equals", "[report]\npaper A4\n", "line 5: an entry must have the form");
        row("undeclared parameter in a statement", "[query q]\nsql = select {@other}\n",
            "line 5: {@other} is neither a parameter nor a [name] declared above");
        row("statement text pasted into a reference", "[query q]\nsql = select {@id or 1=1}\n",
            "line 5: \"{@id or 1=1}\" is not a parameter or name reference");
        row("rows of a many-row query outside a table",
            "[query q]\nsql = select 1 as a\n[title]\nheading = {q.a}\n",
            "line 7: {q.a}: the rows of q can only be shown in its [table]");
        row("schedule input from a many-row query",
            "[query q]\nsql = select 1 as a\n[schedule s]\nprovider = p\nx = {q.a}\n",
            "line 8: x must name one field of a query of \"rows = one\" above");
        row("schedule without its provider",
            "[query q]\nrows = one\nsql = select 1 as a\n[schedule s]\nx = {q.a}\n",
            "line 7: [schedule s] needs \"provider = ...\"");
    }
    void malformedFileNamesTheLine()
    {
        QFETCH(QString, body);
        QFETCH(QString, message);
        const QString failure = failureOf(
            [&] { rpt::ReportFileParser::parse(QString::fromLatin1(parametersSection) + body); });
        QVERIFY2(failure.startsWith(message), qPrintable(failure));
    }

    void parameterLiterals_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("sql");
        QTest::newRow("apostrophes doubled")
            << QStringList{"@id;42;true", "strUserName;O'Brien' or ''=';true"}
            << "where id = 42 and name = 'O''Brien'' or ''''='''";
        QTest::newRow("semicolons inside the value")
            << QStringList{"@id;7;true", "strUserName;a;b;true"} << "where id = 7 and name = 'a;b'";
        QTest::newRow("text left unset is NULL")
            << QStringList{"@id;7;true"} << "where id = 7 and name = NULL";
    }
    void parameterLiterals()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, sql);
        rpt::ReportParameters parameters;
        for (int i = 0; i < fields.size(); ++i)
            parameters.setField(i, fields[i]);
        parameters.bind(declared());
        QCOMPARE(rpt::StatementBinder::bind(
                     u"where id = {@id} and name = {strUserName}"_s,
                     [&](const QString& name) { return parameters.sqlLiteral(name); }),
                 sql);
    }
};

QTEST_GUILESS_MAIN(TestReportFile)
#include "test_report_file.moc"
