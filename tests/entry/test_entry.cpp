#include "DemoData.h"
#include "OstrelLoanIssue.h"
#include "common/BasLoanVariables.h"
#include "data/ResolveTableNames.h"
#include "entry/clsLoan.h"
#include "register/FrmMaster.h"
#include "runtime/RuntimeError.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestEntry : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    ado::ConnectionPtr con;
    QString lastCaption;

    void showAndClose(clsLoan& loan)
    {
        lastCaption.clear();
        QTimer::singleShot(0, this, [this] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                lastCaption = w->windowTitle();
                w->close();
            }
        });
        loan.Show();
    }

    clsLoan contextFor(const QString& type, qint16 company)
    {
        clsLoan loan;
        loan.setAdocon(con);
        loan.setMsgboxTitle(u"Payroll"_s);
        loan.setProcessDate(QDate(2024, 3, 15));
        loan.setIntUserID(1);
        loan.setIntCompanyID(company);
        loan.setStrtype(type);
        return loan;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        con = std::make_shared<ado::Connection>();
        con->Open(dir.filePath(u"payroll.db"_s));
        payroll::createDemoDatabase(*con, QDate(2024, 3, 15));
    }

    void init() { BasLoan::resetForNewProcess(); }

    // A second Show reads the table names, the day window and the list statement again.
    void showTwiceReadsTheContextAgain()
    {
        clsLoan loans = contextFor(u"L"_s, 1);
        showAndClose(loans);
        QCOMPARE(lastCaption, u"Loans Issue"_s);
        QCOMPARE(BasLoan::strTblLoansIssue, u"pLoansIssueData"_s);
        QVERIFY(BasLoan::strMasterSQL.endsWith(u" and litype= 'L' and liDate >='20240214'"_s));
        QVERIFY(!FrmMaster::isLoaded());

        con->Execute(u"update linktable set linktablename = 'pusers' where tablename = 'pusers'"_s);
        clsLoan advances = contextFor(u"A"_s, 2);
        showAndClose(advances);
        QCOMPARE(lastCaption, u"Advance Issue"_s);
        QCOMPARE(BasLoan::intCompanyID, qint16(2));
        QVERIFY(BasLoan::strMasterSQL.endsWith(u"licompanyid = 2 and litype= 'A'"_s));
    }

    void unopenedConnectionFailsShow()
    {
        clsLoan loan;
        loan.setStrtype(u"L"_s);
        QVERIFY(loan.adocon()); // reading it creates the unopened connection
        QVERIFY(!loan.adocon()->isOpen());
        try {
            loan.Show();
            QFAIL("the register showed without a connection");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.description(), u"Operation is not allowed when the object is closed."_s);
        }
        QVERIFY(!FrmMaster::isLoaded());
    }

    void tableNames_data()
    {
        QTest::addColumn<QString>("rows");       // tablename=linktablename pairs in insertion order
        QTest::addColumn<QStringList>("tables"); // the issue table, then the prefix table
        QTest::newRow("logical name in capitals")
            << "PLOANSISSUE=IssuesA" << QStringList{"IssuesA", "earlier"};
        QTest::newRow("trailing blanks kept")
            << "pLoansIssue=IssuesB  " << QStringList{"IssuesB  ", "earlier"};
        QTest::newRow("later row wins")
            << "pLoansIssue=First;ploansissue=Second" << QStringList{"Second", "earlier"};
        QTest::newRow("prefix row present")
            << "pLoansIssue=X;pprefix=PrefixTable" << QStringList{"X", "PrefixTable"};
    }
    void tableNames()
    {
        QFETCH(QString, rows);
        auto fixture = std::make_shared<ado::Connection>();
        fixture->Open(u":memory:"_s);
        fixture->Execute(u"create table linktable (tablename text collate SQLSERVER_CI, "
                         "linktablename text collate SQLSERVER_CI)"_s);
        for (const QString& pair : rows.split(u';')) {
            const QStringList p = pair.split(u'=');
            fixture->Execute(u"insert into linktable values ('%1', '%2')"_s.arg(p[0], p[1]));
        }
        BasLoan::setAdocon(fixture);
        BasLoan::strTblPrefix = u"earlier"_s;
        BasLoan::ResolveTableNames();
        QTEST(QStringList({BasLoan::strTblLoansIssue, BasLoan::strTblPrefix}), "tables");
    }

    void moduleLoadsByName()
    {
        QPluginLoader loader(QStringLiteral(OSTREL_MODULE_PATH));
        auto* server = qobject_cast<OstrelComponentServer*>(loader.instance());
        QVERIFY2(server, qPrintable(loader.errorString()));
        QVERIFY(!server->CreateObject(u"OstrelLoanIssue.clsOther"_s));
        {
            std::unique_ptr<_clsLoan> loan = server->CreateObject(u"OstrelLoanIssue.clsLoan"_s);
            QVERIFY(loan);
            QVERIFY(!server->DllCanUnloadNow());
        }
        QVERIFY(server->DllCanUnloadNow());
    }
};

QTEST_MAIN(TestEntry)
#include "test_entry.moc"
