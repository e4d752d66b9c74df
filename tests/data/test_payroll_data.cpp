#include "data/BasLoanVariables.h"
#include "data/DemoData.h"
#include "data/LargeRegister.h"
#include "data/NativeStatement.h"
#include "data/PayrollSchema.h"
#include "data/PayrollTables.h"
#include "data/ResolveTableNames.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlBatch.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/ShortDate.h"

#include <QFile>
#include <QTest>

namespace {

const QDate DemoDate(2024, 3, 15);

ado::ConnectionPtr openMemory()
{
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(QStringLiteral(":memory:"));
    return connection;
}

qint64 count(ado::Connection& connection, const QString& sql)
{
    return payroll::NativeStatement(connection, sql).scalar().toLongLong();
}

// What a schema defines, one line each, in lower case: a table's columns, its primary key, its
// unique keys and its named indexes with their columns.
QStringList structureOf(ado::Connection& c)
{
    const QString sql = QStringLiteral(
        "select m.name || ':' || group_concat(p.name) from sqlite_master m, "
        "pragma_table_info(m.name) p group by m.name "
        "union all select m.name || ' key ' || group_concat(p.name) from sqlite_master m, "
        "pragma_table_info(m.name) p where p.pk > 0 group by m.name "
        "union all select m.name || ' ' || iif(i.origin = 'u', 'unique', i.name) || ' ' || "
        "(select group_concat(name) from pragma_index_info(i.name)) from sqlite_master m, "
        "pragma_index_list(m.name) i where i.origin <> 'pk'");
    QStringList lines;
    for (const QVariantList& row : payroll::NativeStatement(c, sql).rows())
        lines << row.value(0).toString().toLower();
    lines.sort();
    return lines;
}

const QString IssueColumns = QStringLiteral(
    "INSERT INTO pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, liempid, liLoanID, "
    "liLoanAppID) VALUES ");

} // namespace

class TestPayrollData : public QObject
{
    Q_OBJECT

    ado::ConnectionPtr m_demo;

private slots:
    void initTestCase()
    {
        m_demo = openMemory();
        payroll::createDemoDatabase(*m_demo, DemoDate);
    }

    // The script a site administrator runs on SQL Server makes what the embedded schema makes.
    void serverScriptMatchesTheEmbeddedSchema()
    {
        QFile script(QStringLiteral(SQLSERVER_SCHEMA));
        QVERIFY(script.open(QIODevice::ReadOnly));
        auto server = openMemory();
        // Its tables, keys and indexes; the rows it adds take SQL Server's IDENTITY columns.
        for (const QString& statement : ado::splitBatch(QString::fromUtf8(script.readAll()))) {
            if (!statement.contains(QLatin1String("INSERT INTO")))
                server->Execute(statement);
        }
        auto embedded = openMemory();
        payroll::createSchema(*embedded);
        QCOMPARE(structureOf(*server), structureOf(*embedded));
    }

    void schemaFailureLeavesNothing()
    {
        auto connection = openMemory();
        connection->Execute(QStringLiteral("create table pPrefix (x int)"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, payroll::createSchema(*connection));
        QCOMPARE(connection->database().tables(), QStringList{QStringLiteral("pPrefix")});
    }

    void issueKeys_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("stored");
        QTest::newRow("same id in the company")
            << "(1, 1, 'A', 'ADV1', '2024-03-01', 1, 1, 2)" << false;
        QTest::newRow("same id in another company")
            << "(2, 1, 'L', 'LN1', '2024-03-01', 1, 1, 2)" << true;
        QTest::newRow("same number and type")
            << "(1, 2, 'L', 'LN1', '2024-03-01', 1, 1, 2)" << false;
        QTest::newRow("same number in other case with a blank")
            << "(1, 2, 'l', 'ln1 ', '2024-03-01', 1, 1, 2)" << false;
        QTest::newRow("same number of the other type")
            << "(1, 2, 'A', 'LN1', '2024-03-01', 1, 1, 2)" << true;
    }
    void issueKeys()
    {
        QFETCH(QString, second);
        QFETCH(bool, stored);
        auto connection = openMemory();
        payroll::createSchema(*connection);
        connection->Execute(IssueColumns +
                            QStringLiteral("(1, 1, 'L', 'LN1', '2024-03-01', 1, 1, 1)"));
        try {
            connection->Execute(IssueColumns + second);
            QVERIFY(stored);
        } catch (const RuntimeError& error) {
            QVERIFY2(!stored, qPrintable(error.description()));
            QCOMPARE(error.number(), RuntimeError::IntegrityViolation);
        }
    }

    void checks_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<bool>("stored");
        const QString remark =
            QStringLiteral("'%1:%2 '")
                .arg(QString(50, QLatin1Char('u')), QString(200, QLatin1Char('r')));
        QTest::newRow("ISO date") << "lidate = '2024-02-29'" << true;
        QTest::newRow("eight-digit date text") << "lidate = '20240229'" << false;
        QTest::newRow("no such day") << "lidate = '2023-02-29'" << false;
        QTest::newRow("date with a time") << "lidate = '2024-02-29 10:00'" << false;
        QTest::newRow("date as a number") << "lidate = 2460370" << false;
        QTest::newRow("flag 2") << "licancelled = 2" << false;
        QTest::newRow("used unknown") << "liUsed = NULL" << true;
        QTest::newRow("type other than L and A") << "litype = 'X'" << false;
        QTest::newRow("longest cancellation remark") << "liCancelledRemarks = " + remark << true;
        QTest::newRow("remarks beyond 250")
            << "liRemarks = '" + QString(251, QLatin1Char('x')) + "'" << false;
    }
    void checks()
    {
        QFETCH(QString, assignment);
        QFETCH(bool, stored);
        auto connection = openMemory();
        payroll::createSchema(*connection);
        payroll::NativeStatement(*connection,
                                 IssueColumns + "(1, 1, 'L', 'LN1', '2024-03-01', 1, 1, 1)")
            .run();
        payroll::NativeStatement update(*connection, "UPDATE pLoansIssueData SET " + assignment);
        if (stored)
            update.run();
        else
            QVERIFY_THROWS_EXCEPTION(RuntimeError, update.run());
    }

    void demoResolvesThroughLinktable()
    {
        BasLoan::setAdocon(m_demo);
        BasLoan::ResolveTableNames();
        QCOMPARE(BasLoan::strTblLoansIssue, payroll::table::LoansIssue);
        QVERIFY(BasLoan::strTblLoansIssue.compare(QLatin1String("pLoansIssue"),
                                                  Qt::CaseInsensitive) != 0);
        for (const QString* name :
             {&BasLoan::strTblUsers, &BasLoan::strTblEmployee, &BasLoan::strTblLoans,
              &BasLoan::strTblTables, &BasLoan::strTblTableColumns, &BasLoan::strTblUserRights,
              &BasLoan::strTblSettings, &BasLoan::strTblRepayment, &BasLoan::strTblPrefix,
              &BasLoan::strTblLoanApplication, &BasLoan::strTblCurrency})
            QVERIFY2(m_demo->database().tables().contains(*name, Qt::CaseInsensitive),
                     qPrintable(*name));
        BasLoan::resetForNewProcess();
    }

    void demoHeadingSets_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QStringList>("headings");
        QTest::newRow("loans, named after the issue table")
            << payroll::table::LoansIssue
            << QStringList{"Loan ID",         "Loan No",          "Loan Date",
                           "Employee Name",   "Loan Description", "Opening Balance",
                           "Current Balance", "Cancelled"};
        QTest::newRow("advances") << payroll::table::AdvanceHeadingSet
                                  << QStringList{"Advance ID",      "Advance No",
                                                 "Advance Date",    "Employee Name",
                                                 "Advance Type",    "Opening Balance",
                                                 "Current Balance", "Cancelled"};
    }
    void demoHeadingSets()
    {
        QFETCH(QString, set);
        QFETCH(QStringList, headings);
        ado::Recordset rs;
        rs.Open("select tc.columnheader,tc.columnname from ptables t,ptablecolumns tc where "
                "t.tableid = tc.tableid and tablename ='" +
                    set + "' order by tc.ColumnID",
                *m_demo);
        QStringList read;
        for (; !rs.isEOF(); rs.MoveNext())
            read << rs.value(0).toString();
        QCOMPARE(read, headings);
    }

    // What the demo offers beyond what the register lists and numbering below already show.
    void demoHolds_data()
    {
        QTest::addColumn<QString>("condition");
        const QString issues = "SELECT count(*) FROM pLoansIssueData i WHERE ";
        const QString window = " AND lidate >= '2024-02-14'";
        const QString deductedIn =
            "EXISTS (SELECT 1 FROM pempMonthlyEntryHeader h JOIN "
            "pEmployeeDeductionDetail d ON d.eddCompanyID = h.emhCompanyID AND "
            "d.eddID = h.emhID WHERE h.emhCompanyID = i.liCompanyID AND "
            "d.eddLoanIssueID = i.liID AND h.emhCancelled = ";
        const QString applications =
            "SELECT count(*) FROM ploanapplication WHERE laCompanyID = 1 AND ";
        QTest::newRow("company 1 level payment, 30 days")
            << "SELECT count(*) FROM psettings WHERE companyid = 1 AND FlatLoanInterest = 1 AND "
               "NoOfPreviousDays = 30";
        QTest::newRow("company 2 declining, all days")
            << "SELECT count(*) FROM psettings WHERE companyid = 2 AND FlatLoanInterest = 0 AND "
               "NoOfPreviousDays = 0";
        QTest::newRow("loan prefix LN") << "SELECT count(*) FROM pPrefix WHERE CompanyID = 1 AND "
                                           "InterfaceID = 91001 AND Prefix = 'LN'";
        QTest::newRow("advance prefix ADV") << "SELECT count(*) FROM pPrefix WHERE CompanyID = 1 "
                                               "AND InterfaceID = 91035 AND Prefix = 'ADV'";
        QTest::newRow("on the window's first day")
            << issues + "liCompanyID = 1 AND lidate = '2024-02-14'";
        QTest::newRow("cancelled with a remark")
            << issues + "licancelled = 1 AND liCancelledRemarks GLOB '?*:?* '" + window;
        QTest::newRow("used by payroll")
            << issues + "liCompanyID = 1 AND liUsed = 1 AND licancelled = 0" + window;
        QTest::newRow("used unknown") << issues + "liUsed IS NULL" + window;
        QTest::newRow("inactive") << issues + "liactive = 0";
        QTest::newRow("deducted in a monthly entry")
            << issues + "licancelled = 0 AND liUsed = 0 AND " + deductedIn + "0)" + window;
        QTest::newRow("deducted only in a cancelled entry")
            << issues + deductedIn + "1) AND NOT " + deductedIn + "0)" + window;
        QTest::newRow("cancelled, its application free again")
            << issues + "licancelled = 1 AND NOT EXISTS (SELECT 1 FROM pLoansIssueData o WHERE "
                        "o.liLoanAppID = i.liLoanAppID AND o.licancelled = 0)";
        QTest::newRow("application without number") << applications + "laloanappno IS NULL";
        QTest::newRow("application without sanction") << applications + "laSanctionAmount IS NULL";
        QTest::newRow("application without period") << applications + "laPaymentPeriod IS NULL";
        QTest::newRow("deduct monthly null") << applications + "laDeductMonthly IS NULL";
        QTest::newRow("deduct monthly 0") << applications + "laDeductMonthly = 0";
        QTest::newRow("cancelled application") << applications + "lacancelled = 1";
        QTest::newRow("inactive employee") << "SELECT count(*) FROM pemployee WHERE eActive = 0";
        QTest::newRow("loan type without interest")
            << "SELECT count(*) FROM pLoans WHERE lPercentageofInterest = 0";
        QTest::newRow("currency symbols")
            << "SELECT count(*) FROM pCurrencyMaster WHERE symbol IN ('Rs', '$')";
        QTest::newRow("earlier repayments to close")
            << "SELECT count(*) FROM ploanrepaymentdetails WHERE lrdProcessed = 0";
    }
    void demoHolds()
    {
        QFETCH(QString, condition);
        QVERIFY(count(*m_demo, condition) > 0);
    }

    void demoUsers_data()
    {
        QTest::addColumn<qint16>("user");
        QTest::addColumn<QVariant>("rights");
        QTest::newRow("clerk") << payroll::demo::Clerk << QVariant("NEDP");
        QTest::newRow("viewer") << payroll::demo::Viewer << QVariant("P");
        QTest::newRow("ADMIN string") << payroll::demo::Auditor << QVariant("ADMIN");
        QTest::newRow("lower case with blanks") << payroll::demo::Trainee << QVariant(" ned ");
        QTest::newRow("no rights row") << payroll::demo::Guest << QVariant();
    }
    void demoUsers()
    {
        QFETCH(qint16, user);
        QFETCH(QVariant, rights);
        for (int interface : {91001, 91035}) {
            const QVariant stored =
                payroll::NativeStatement(
                    *m_demo,
                    "SELECT functionrights FROM puserrights WHERE userid = ? AND interfaceid = ?")
                    .scalar({user, interface});
            QCOMPARE(stored, rights);
        }
        QCOMPARE(count(*m_demo,
                       QStringLiteral("SELECT count(*) FROM pusers WHERE userid = %1").arg(user)),
                 qint64(2));
    }

    // The register's list statement, as the register builds it, lists the window's issues.
    void demoRegisterLists_data()
    {
        QTest::addColumn<qint16>("company");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("company 1 loans, last 30 days")
            << payroll::demo::HeadOffice << "L"
            << " and liDate >='20240214'"
            << QStringList{"LN5", "LN6", "LN7", "LN8", "LN9", "LN10", "LN11", "LN12"};
        QTest::newRow("company 1 advances, last 30 days")
            << payroll::demo::HeadOffice << "A"
            << " and liDate >='20240214'" << QStringList{"ADV2", "ADV3", "ADV4", "ADV5"};
        QTest::newRow("company 2 loans, every day") << payroll::demo::Branch << "L"
                                                    << "" << QStringList{"1", "2", "3", "4"};
    }
    void demoRegisterLists()
    {
        QFETCH(qint16, company);
        QFETCH(QString, type);
        QFETCH(QString, window);
        QFETCH(QStringList, numbers);
        ado::Recordset rs;
        rs.Open(QStringLiteral("select liid, lino, lidate, eName, lDescription, liopeningbalance, "
                               "licurrentbalance, case licancelled when 1 then 'Yes' when 0 then "
                               "'No' end From pLoansIssueData, pemployee, pLoans  Where liActive "
                               "= 1 and ecompanyid = licompanyid And eEmpid = liempid and  "
                               "lcompanyid = licompanyid and  lloanid = liloanid and licompanyid "
                               "= %1 and litype= '%2'")
                        .arg(company)
                        .arg(type) +
                    window,
                *m_demo);
        QStringList listed;
        for (; !rs.isEOF(); rs.MoveNext())
            listed << rs.value(1).toString();
        listed.sort();
        numbers.sort();
        QCOMPARE(listed, numbers);
    }

    // The numbering statement continues each sequence after its highest number.
    void demoNumbering_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("highest");
        QTest::newRow("loans past LN9") << "2))),0) FROM pLoansIssueData WHERE liCompanyID=1 and "
                                           "litype= 'L' and liNo like 'LN%'"
                                        << 12;
        QTest::newRow("advances") << "3))),0) FROM pLoansIssueData WHERE liCompanyID=1 and litype= "
                                     "'A' and liNo like 'ADV%'"
                                  << 5;
        QTest::newRow("no prefix")
            << "0))),0) FROM pLoansIssueData WHERE liCompanyID=2 and litype= 'L' and liNo like '%'"
            << 4;
    }
    void demoNumbering()
    {
        QFETCH(QString, condition);
        QFETCH(int, highest);
        const QVariant max = m_demo->ExecuteScalar(
            "SELECT isnull(max(convert(int,right(liNo,len(liNo)-" + condition);
        QCOMPARE(max.toInt(), highest);
    }

    // A new issue and the closing of repayments, written as the module does.
    void moduleWritesFit()
    {
        auto connection = openMemory();
        payroll::createDemoDatabase(*connection, DemoDate);
        ado::Recordset issue;
        issue.Open("select * from pLoansIssueData where  liCompanyID=1", *connection,
                   ado::CursorType::Keyset, ado::LockType::Optimistic);
        issue.AddNew();
        const QList<std::pair<const char*, QVariant>> values{
            {"liCompanyID", 1},
            {"litype", "L"},
            {"liID", 18},
            {"liNo", "LN13"},
            {"lidate", ShortDate::format(DemoDate)},
            {"liempid", 1},
            {"liLoanID", 3},
            {"liLoanAppID", 21},
            {"liNoofPayments", 24.0},
            {"liInstallmentAmount", 3495.55},
            {"liDeductionMode", 0},
            {"liOpeningBalance", 75000.0},
            {"liCurrentBalance", 83893.2},
            {"liactive", 1},
            {"licancelled", 0},
            {"liUsed", 0},
            {"liRemarks", ""}};
        for (const auto& [column, value] : values)
            issue.setValue(QString::fromLatin1(column), value);
        issue.Update();
        issue.Close();
        QCOMPARE(count(*connection, "SELECT count(*) FROM pLoansIssueData WHERE liID = 18 AND "
                                    "lidate = '2024-03-15'"),
                 qint64(1));

        ado::Recordset repayments;
        repayments.Open("select * from ploanrepaymentdetails where lrdcompanyid = 1 and lrdEmpID = "
                        "1 and lrdLoanID = 3",
                        *connection, ado::CursorType::Keyset, ado::LockType::Optimistic);
        for (; !repayments.isEOF(); repayments.MoveNext())
            repayments.setValue(QStringLiteral("lrdProcessed"), 1);
        repayments.UpdateBatch();
        // Company 2's rows of the same employee and loan type ids stay open.
        const QString open = "SELECT count(*) FROM ploanrepaymentdetails WHERE lrdProcessed = 0 "
                             "AND lrdEmpID = 1 AND lrdLoanID = 3 AND lrdcompanyid = ";
        QCOMPARE(count(*connection, open + "1"), qint64(0));
        QCOMPARE(count(*connection, open + "2"), qint64(1));
    }

    void largeRegister_data()
    {
        QTest::addColumn<qint16>("company");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("firstNumber");
        QTest::newRow("after the demo's loans") << payroll::demo::HeadOffice << "L"
                                                << "LN13";
        QTest::newRow("after the demo's advances") << payroll::demo::HeadOffice << "A"
                                                   << "ADV6";
        QTest::newRow("a company of its own") << qint16(7) << "L"
                                              << "1";
    }
    void largeRegister()
    {
        QFETCH(qint16, company);
        QFETCH(QString, type);
        QFETCH(QString, firstNumber);
        auto connection = openMemory();
        payroll::createDemoDatabase(*connection, DemoDate);
        const QString ofCompany =
            QStringLiteral(" FROM pLoansIssueData WHERE liCompanyID = %1").arg(company);
        const qint64 before = count(*connection, "SELECT count(*)" + ofCompany);
        const qint64 firstId = count(*connection, "SELECT coalesce(max(liID), 0) + 1" + ofCompany);

        payroll::seedLargeRegister(*connection, company, type, 2000);

        QCOMPARE(count(*connection, "SELECT count(*)" + ofCompany), before + 2000);
        QCOMPARE(payroll::NativeStatement(*connection, "SELECT liNo" + ofCompany + " AND liID = ?")
                     .scalar({firstId})
                     .toString(),
                 firstNumber);
        const qint64 listed = count(
            *connection, QStringLiteral("SELECT count(*) FROM pLoansIssueData, pemployee, pLoans "
                                        "WHERE eCompanyID = liCompanyID AND eEmpID = liempid AND "
                                        "lCompanyID = liCompanyID AND lLoanID = liLoanID AND "
                                        "liCompanyID = %1 AND liID >= %2")
                             .arg(company)
                             .arg(firstId));
        QCOMPARE(listed, qint64(2000));
        const qint64 cancelled = count(
            *connection, "SELECT count(*)" + ofCompany +
                             QStringLiteral(" AND licancelled = 1 AND liID >= %1").arg(firstId));
        QVERIFY2(cancelled > 60 && cancelled < 140, qPrintable(QString::number(cancelled)));
    }
};

QTEST_GUILESS_MAIN(TestPayrollData)
#include "test_payroll_data.moc"
