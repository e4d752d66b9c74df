// Whatever a clerk types or pastes is stored exactly (within the box's limit) or refused with a
// message; it never changes what a statement does, and a damaged database file does not crash
// the module.
#include "ProofFixture.h"
#include "RandomText.h"
#include "db/ConnectionTestSeam.h"

#include "StressDatabase.h"

#include "DemoData.h"
#include "cancel/frmCancel.h"
#include "common/BasLoan.h"
#include "db/Connection.h"
#include "entry/clsLoan.h"
#include "grid/FlexGrid.h"
#include "issue_entry/frmLoan.h"
#include "register/FrmMaster.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <random>

using namespace Qt::StringLiterals;

namespace {

constexpr int Cases = 12;

// Every issue but one, as stored: what a statement meant for that one must not reach.
QString othersDigest(ProofFixture& f, qint32 except)
{
    return f.row(u"select count(*), sum(licancelled), max(liID), "
                 "sum(length(isnull(liCancelledRemarks,''))), "
                 "sum(length(isnull(liRemarks,''))) from pLoansIssueData where "
                 "liID <> %1"_s.arg(except));
}

QString field(qint32 id, const char* column)
{
    return vb::TextOf(BasLoan::adocon().ExecuteScalar(
        u"select %1 from pLoansIssueData where liCompanyID = 1 and liID = %2"_s
            .arg(QLatin1String(column))
            .arg(id)));
}

// Digits, and in a box with decimals one point followed by at most that many, within its size.
bool numberShaped(const QString& text, int size, int decimals)
{
    const QString point = decimals > 0 ? u"(\\.\\d{0,%1})?"_s.arg(decimals) : QString();
    const QRegularExpression shape(QRegularExpression::anchoredPattern(u"\\d*"_s + point));
    return text.size() <= size && shape.match(text).hasMatch();
}

} // namespace

class BadInputTest : public QObject
{
    Q_OBJECT

private slots:
    void cancellationReasonStoredExactlyOrRefused()
    {
        ProofFixture f;
        RandomText texts(101);
        for (int i = 0; i < Cases; ++i) {
            const qint32 id = f.saveLiveIssue();
            QVERIFY(id > 0);
            f.openRegister(2, id);
            const QString others = othersDigest(f, id);
            const QString typed = texts.next();
            f.messages().clear();
            frmCancel& dialog = frmCancel::instance();
            dialog.txtcanreason->insert(typed);
            const QString boxed = dialog.txtcanreason->text();
            dialog.cmdOK->click();
            frmCancel::Unload();

            const QString at = u"case %1: %2"_s.arg(i).arg(typed.left(60));
            QVERIFY2(boxed.size() <= 200, qPrintable(at));
            QVERIFY2(typed.startsWith(boxed) || boxed.isEmpty(), qPrintable(at));
            if (field(id, "licancelled") == u"1") {
                QCOMPARE(field(id, "liCancelledRemarks"), u"clerk:"_s + vb::Trim(boxed) + u' ');
                QVERIFY2(f.messages().shown().isEmpty(), qPrintable(at));
            } else {
                QVERIFY2(f.messages().shown().size() == 1, qPrintable(at));
                QVERIFY2(field(id, "liCancelledRemarks").isEmpty(), qPrintable(at));
            }
            QCOMPARE(othersDigest(f, id), others);
        }
    }

    void searchTextNeverReachesTheDatabase()
    {
        ProofFixture f;
        const qint32 id = f.saveLiveIssue();
        FrmMaster& reg = f.openRegister(1, id);
        reg.cboSearch->setCurrentIndex(1);
        const int rows = reg.flexMaster->Rows();
        RandomText texts(303);
        for (int i = 0; i < Cases; ++i) {
            const QString typed = texts.next();
            const int sent = ado::ConnectionTestSeam::statementsSent(BasLoan::adocon());
            reg.txtsearch->clear();
            reg.txtsearch->insert(typed);
            QTest::keyClick(reg.txtsearch, Qt::Key_End);
            QVERIFY(reg.txtsearch->text().size() <= 50);
            QCOMPARE(ado::ConnectionTestSeam::statementsSent(BasLoan::adocon()), sent);
            QCOMPARE(reg.flexMaster->Rows(), rows);
        }
        QVERIFY(f.messages().shown().isEmpty());
    }

    // A pasted text is kept only if the key filter would have let each of its keys through.
    void amountBoxesTakeOnlyNumbers()
    {
        ProofFixture f;
        BasLoan::strMode = u"N"_s;
        frmLoan& entry = frmLoan::instance();
        entry.show();
        RandomText texts(404);
        std::mt19937 digits(404);
        for (int i = 0; i < 3 * Cases; ++i) {
            // Every third text is a number in or out of shape, the rest anything at all.
            QString typed = texts.next();
            if (i % 3 == 0)
                typed = QString::number(digits() % 100000) +
                        (i % 2 ? u"."_s + QString::number(digits() % 1000) : QString());
            for (QLineEdit* box : {entry.txtLoanAmount, entry.txtNoOfPayments}) {
                const int size = box == entry.txtLoanAmount ? 18 : 3;
                const int decimals = box == entry.txtLoanAmount ? 2 : 0;
                const QString at =
                    u"%1, case %2: %3"_s.arg(box->objectName()).arg(i).arg(typed.left(40));
                box->clear();
                box->insert(typed); // what a paste or a drop does
                QVERIFY2(numberShaped(box->text(), size, decimals), qPrintable(at));
                QVERIFY2(box->text().isEmpty() || box->text() == typed, qPrintable(at));
            }
        }
        frmLoan::Unload();
    }

    // An empty file opens as a database without the payroll's tables; a file cut short keeps
    // them but loses their pages.
    void damagedDatabaseFailsAtShow_data()
    {
        QTest::addColumn<double>("kept"); // the share of a payroll database left in the file
        QTest::newRow("empty file") << 0.0;
        QTest::newRow("payroll database cut to a third") << 1.0 / 3;
    }

    void damagedDatabaseFailsAtShow()
    {
        QFETCH(double, kept);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"bad.db"_s);
        {
            ado::Connection payroll;
            payroll.Open(path);
            payroll::createDemoDatabase(payroll, stress::processDate());
            payroll.Execute(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
        }
        QVERIFY(QFile::resize(path, qint64(QFileInfo(path).size() * kept)));

        QString error;
        clsLoan loan;
        loan.setMsgboxTitle(u"Payroll"_s);
        loan.setProcessDate(stress::processDate());
        loan.setIntUserID(1);
        loan.setIntCompanyID(1);
        loan.setStrtype(u"L"_s);
        // A register that opens after all is closed again, so the test cannot hang on it.
        QTimer::singleShot(500, [] {
            if (QWidget* shown = QApplication::activeModalWidget())
                shown->close();
        });
        try {
            loan.adocon()->Open(path);
            loan.Show();
        } catch (const RuntimeError& e) {
            error = e.description();
        }
        QVERIFY2(!error.isEmpty(), "the module showed a register on a bad database");
        QVERIFY(!FrmMaster::isLoaded());
        BasLoan::resetForNewProcess();
    }
};

QTEST_MAIN(BadInputTest)

#include "BadInputTest.moc"
