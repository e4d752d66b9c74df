#include "report/StatementBinder.h"

#include "report/ReportErrors.h"
#include "runtime/RuntimeError.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace rpt {

namespace {

// Calls visit(name) for each reference and literal(text) for the text between them.
void scan(const QString& sql, const std::function<void(const QString&)>& visit,
          const std::function<void(const QString&)>& literal)
{
    static const QRegularExpression nameShape(uR"(^@?[A-Za-z_]\w*$)"_s);
    QString text;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if ((c == u'{' || c == u'}') && i + 1 < sql.size() && sql[i + 1] == c) {
            text += c;
            ++i;
            continue;
        }
        if (c == u'}')
            throw RuntimeError(errors::ReportFile, u"a \"}\" has no opening \"{\""_s);
        if (c != u'{') {
            text += c;
            continue;
        }
        const qsizetype end = sql.indexOf(u'}', i);
        const QString name = end < 0 ? QString() : sql.mid(i + 1, end - i - 1).trimmed();
        if (!nameShape.match(name).hasMatch())
            throw RuntimeError(errors::ReportFile,
                               u"\"%1\" is not a parameter or name reference"_s.arg(
                                   sql.mid(i, end < 0 ? 20 : end - i + 1)));
        literal(text);
        text.clear();
        visit(name);
        i = end;
    }
    literal(text);
}

} // namespace

QStringList StatementBinder::references(const QString& sql)
{
    QStringList names;
    scan(
        sql, [&](const QString& name) { names.append(name); }, [](const QString&) {});
    return names;
}

QString StatementBinder::bind(const QString& sql,
                              const std::function<QString(const QString&)>& sqlOf)
{
    QString out;
    scan(
        sql, [&](const QString& name) { out += sqlOf(name); },
        [&](const QString& text) { out += text; });
    return out;
}

} // namespace rpt
