// Whatever a clerk types or pastes is stored exactly (within the box's limit) or refused with a
// message; it never changes what a statement does, and no database file crashes the module.
#include "ProofFixture.h"
#include "RandomText.h"
#include "db/ConnectionTestSeam.h"

#include "Clerk.h"
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
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
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

bool numberShaped(const QString& text, int size, int decimals)
{
    const qsizetype point = text.indexOf(u'.');
    for (QChar c : text) {
        if (!c.isDigit() && c != u'.')
            return false;
    }
    return text.size() <= size && text.count(u'.') <= 1 &&
           (point < 0 || (decimals > 0 && text.size() - point - 1 <= decimals));
}

// Types each character as a key press carrying it, as a keyboard of any layout would.
void typeText(QWidget* box, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &release);
    }
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
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

    void remarksStoredExactlyOrRefused()
    {
        ProofFixture f;
        RandomText texts(202);
        for (int i = 0; i < Cases; ++i) {
            const QString others = othersDigest(f, 0);
            const QString typed = texts.next();
            const Clerk::Outcome saved =
                f.clerk().saveNewIssue(stress::FirstEmployee + i % 4, typed);
            const QString at = u"case %1: %2"_s.arg(i).arg(typed.left(60));
            if (saved.kind == Clerk::Outcome::Done) {
                QCOMPARE(field(saved.issueId, "liRemarks"), vb::Trim(typed.left(250)));
            } else {
                QVERIFY2(saved.kind == Clerk::Outcome::Refused, qPrintable(at));
                QCOMPARE(othersDigest(f, 0), others);
            }
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
                box->clear();
                box->setFocus();
                typeText(box, typed.left(40));
                QVERIFY2(numberShaped(box->text(), size, decimals), qPrintable(at));
            }
        }
        frmLoan::Unload();
    }

    void damagedOrForeignDatabaseFailsAtShow_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("empty file") << "empty";
        QTest::newRow("database of another application") << "foreign";
        QTest::newRow("random bytes") << "random";
        QTest::newRow("payroll database cut to a third") << "truncated";
        QTest::newRow("payroll database with a scrambled middle") << "scrambled";
    }

    void damagedOrForeignDatabaseFailsAtShow()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"bad.db"_s);
        std::mt19937 random(505);
        const auto noise = [&random](qsizetype n) {
            QByteArray bytes(n, '\0');
            for (char& b : bytes)
                b = char(random());
            return bytes;
        };
        if (kind == u"empty" || kind == u"random") {
            writeFile(path, kind == u"empty" ? QByteArray() : noise(64 * 1024));
        } else if (kind == u"foreign") {
            ado::Connection other;
            other.Open(path);
            other.Execute(u"create table notes (id int, body varchar(20))"_s);
        } else {
            {
                ado::Connection payroll;
                payroll.Open(path);
                payroll::createDemoDatabase(payroll, stress::processDate());
                payroll.Execute(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray bytes = file.readAll();
            if (kind == u"truncated")
                bytes.truncate(bytes.size() / 3);
            else
                bytes.replace(4096, bytes.size() / 2, noise(bytes.size() / 2));
            file.close();
            writeFile(path, bytes);
        }

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
