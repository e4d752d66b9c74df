#include "RaisedError.h"

#include "db/Connection.h"
#include "db/PreparedStatement.h"
#include "db/Recordset.h"
#include "db/RowStream.h"

#include <QDateTime>
#include <QTest>

using namespace Qt::StringLiterals;

// The roads to the embedded engine: a statement each cannot run is reported on every one, a record
// set runs a change it is opened on, and statements in the engine's own dialect store the values
// bound one by one or listed, stay ready after a refused row and run nothing on a closed
// connection.
class EngineRoadsTest : public QObject
{
    Q_OBJECT

    ado::Connection m_db;

    QList<QVariantList> stored()
    {
        return ado::PreparedStatement(m_db, u"select n, x, s, d, typeof(b) from t order by n"_s)
            .rows();
    }

private slots:
    void init()
    {
        m_db.Open(u":memory:"_s);
        ado::PreparedStatement(m_db, u"create table t (n integer primary key, x real, s text, "
                                     "d date, b blob)"_s)
            .run();
    }
    void cleanup() { m_db.Close(); }

    void unknownTableIsReportedOnEveryRoad_data()
    {
        QTest::addColumn<int>("road");
        QTest::newRow("a statement") << 0;
        QTest::newRow("a record set") << 1;
        QTest::newRow("a prepared statement") << 2;
        QTest::newRow("a streamed read") << 3;
    }
    void unknownTableIsReportedOnEveryRoad()
    {
        QFETCH(int, road);
        const QString sql = u"select n from nowhere"_s;
        QString description;
        const qint32 number = errorNumberOf(
            [&] {
                ado::Recordset rs;
                switch (road) {
                case 0:
                    m_db.Execute(sql);
                    break;
                case 1:
                    rs.Open(sql, m_db);
                    break;
                case 2:
                    ado::PreparedStatement(m_db, sql).run();
                    break;
                default:
                    ado::RowStream(m_db, sql);
                }
            },
            &description);
        QCOMPARE(number, RuntimeError::DatabaseFailure);
        QCOMPARE(description, u"no such table: nowhere"_s);
    }

    void recordSetRunsTheChangeItIsOpenedOn()
    {
        ado::Recordset rs;
        rs.Open(u"insert into t (n) values (7)"_s, m_db);
        QCOMPARE(stored().size(), 1);
    }

    void valuesLandAsStored()
    {
        ado::PreparedStatement insert(m_db, u"insert into t values (?, ?, ?, ?, ?)"_s);
        insert.bind(1).bind(2.5).bind(QByteArray("\xc3\xa9")).bindNull().bindNull().run();
        insert.run({2, 0.1, u"x"_s, QDateTime(QDate(2003, 2, 13), QTime(10, 5)),
                    QByteArray("\0\1", 2)});
        const QList<QVariantList> expected{
            {qint64(1), 2.5, u"\u00e9"_s, QVariant(), u"null"_s},
            {qint64(2), 0.1, u"x"_s, u"2003-02-13 10:05:00"_s, u"blob"_s}};
        QCOMPARE(stored(), expected);
        // The module's statements read a date column as the date it holds.
        QCOMPARE(m_db.ExecuteScalar(u"select d from t where n = 2"_s), QVariant(QDate(2003, 2, 13)));
    }

    void refusedRowLeavesTheStatementReady_data()
    {
        QTest::addColumn<bool>("pastTheParameters");
        QTest::newRow("a duplicate key") << false;
        QTest::newRow("a value past the parameters") << true;
    }
    void refusedRowLeavesTheStatementReady()
    {
        QFETCH(bool, pastTheParameters);
        ado::PreparedStatement insert(m_db, u"insert into t (n) values (?)"_s);
        insert.run({1});
        const qint32 refused = errorNumberOf([&] {
            if (pastTheParameters)
                insert.bind(2).bind(3).run();
            else
                insert.run({1});
        });
        QCOMPARE(refused, pastTheParameters ? RuntimeError::DatabaseFailure
                                            : RuntimeError::IntegrityViolation);
        insert.run({4});
        QCOMPARE(stored().size(), 2);
    }

    void closedConnectionRunsNothing()
    {
        m_db.Close();
        QCOMPARE(errorNumberOf([&] { ado::PreparedStatement(m_db, u"select 1"_s).run(); }),
                 RuntimeError::OperationNotAllowed);
    }
};

QTEST_GUILESS_MAIN(EngineRoadsTest)

#include "EngineRoadsTest.moc"
