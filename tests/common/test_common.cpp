#include "ScriptedPresenter.h"
#include "clsCommonDB.h"
#include "clsCommonGen.h"
#include "common/BasLoan.h"
#include "db/Connection.h"
#include "grid/FlexGrid.h"
#include "runtime/RuntimeError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCommon : public QObject
{
    Q_OBJECT

    ado::ConnectionPtr con;

    void exec(const char* sql) { con->Execute(QString::fromUtf8(sql)); }

private slots:
    void init()
    {
        con = std::make_shared<ado::Connection>();
        con->Open(u":memory:"_s);
        exec("create table pemployee (eEmpID integer primary key, eName text collate SQLSERVER_CI,"
             " eCompanyID integer, eActive integer)");
        exec("insert into pemployee values (1,'Zoe Park',1,1),(2,'Adam Reyes',1,1),"
             "(3,'Inactive Ian',1,0),(4,'Other Company',2,1)");
        exec("create table pLoansIssue (liCompanyID integer, liID integer, primary key "
             "(liCompanyID, liID))");
        exec("insert into pLoansIssue values (1,1),(1,7),(2,40)");
        BasLoan::setAdocon(con);
        BasLoan::MsgboxTitle = u"Payroll"_s;
    }

    // Lists fill afresh with the matching rows by text, unselected; a field of no row is Null.
    void readsTheMatchingRows()
    {
        clsCommonDB db;
        db.adocon = con;
        db.strTableName = u"pemployee"_s;
        QComboBox combo;
        combo.addItem(u"stale entry"_s, 99);
        db.populatecomboorlist(&combo, u"eEmpID"_s, u"eName"_s, u"eCompanyID=1 and eActive=1"_s);
        const QVariantList filled{combo.count(), combo.itemText(0), combo.itemData(0).toInt(),
                                  combo.itemText(1), combo.currentIndex()};
        QCOMPARE(filled, QVariantList({2, "Adam Reyes", 2, "Zoe Park", -1}));
        QCOMPARE(db.fnReturnField(u"eName"_s, u"eEmpID=2"_s).toString(), u"Adam Reyes"_s);
        QVERIFY(db.fnReturnField(u"eName"_s, u"eEmpID=99"_s).isNull());
    }

    void nextMaxNoCountsWithinTheTableExpression_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("next");
        QTest::newRow("company 1 only") << " pLoansIssue where liCompanyID = 1" << 8;
        QTest::newRow("company without issues") << " pLoansIssue where liCompanyID = 3" << 1;
        QTest::newRow("whole table") << "pLoansIssue" << 41;
    }
    void nextMaxNoCountsWithinTheTableExpression()
    {
        QFETCH(QString, table);
        QFETCH(int, next);
        clsCommonDB db;
        db.adocon = con;
        db.strTableName = table;
        QCOMPARE(db.fnGetNextMaxNo(u"liID"_s), next);
    }

    void selectByValue()
    {
        QComboBox combo;
        combo.addItem(u"a"_s, 10);
        combo.addItem(u"b"_s, 20);
        clsCommonGen gen;
        gen.selectcomboitembyvalue(&combo, QVariant(qint64(20)));
        QCOMPARE(combo.currentIndex(), 1);
        gen.selectcomboitembyvalue(&combo, 30);
        QCOMPARE(combo.currentIndex(), -1);
    }

    void numericKeyFilter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor"); // -1: the whole text selected
        QTest::addColumn<QChar>("key");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("minus") << "" << 0 << QChar(u'-') << 18 << 2 << false;
        QTest::newRow("first point") << "12" << 2 << QChar(u'.') << 18 << 2 << true;
        QTest::newRow("second point") << "1.2" << 3 << QChar(u'.') << 18 << 2 << false;
        QTest::newRow("point in a count") << "1" << 1 << QChar(u'.') << 3 << 0 << false;
        QTest::newRow("third decimal") << "1.25" << 4 << QChar(u'1') << 18 << 2 << false;
        QTest::newRow("digit before the point") << "1.25" << 0 << QChar(u'9') << 18 << 2 << true;
        QTest::newRow("count at its limit") << "120" << 3 << QChar(u'1') << 3 << 0 << false;
        QTest::newRow("backspace") << "120" << 3 << QChar(8) << 3 << 0 << true;
        QTest::newRow("selection replaced") << "123" << -1 << QChar(u'7') << 3 << 0 << true;
    }
    void numericKeyFilter()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(QChar, key);
        QFETCH(int, limit);
        QFETCH(int, decimals);
        QFETCH(bool, accepted);
        QLineEdit box(text);
        if (cursor < 0)
            box.selectAll();
        else
            box.setCursorPosition(cursor);
        qint16 KeyAscii = qint16(key.unicode());
        clsCommonGen().TextValidateNum(&box, KeyAscii, qint16(limit), qint16(decimals));
        QCOMPARE(KeyAscii != 0, accepted);
    }

    void unknownClassCannotBeCreated()
    {
        try {
            CreateObject(u"Quorrel.clsMissing"_s);
            QFAIL("created an unknown class");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 429);
        }
    }

    // A zero is an entry; blanks alone are none, and the clerk is told so.
    void mandatoryBox()
    {
        msgbox::ScriptedPresenter boxes;
        QLineEdit zero(u"0"_s);
        QLineEdit blanks(u"   "_s);
        QVERIFY(BasLoan::fnCheckMandatory(&zero, u"Enter loan amount"_s, u"Payroll"_s));
        QVERIFY(!BasLoan::fnCheckMandatory(&blanks, u"Enter loan amount"_s, u"Payroll"_s));
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown()[0].flags, 64);
        QCOMPARE(boxes.shown()[0].title, u"Payroll"_s);
    }

    void snapshotComparison_data()
    {
        QTest::addColumn<QString>("remarks");
        QTest::addColumn<bool>("untick");
        QTest::addColumn<bool>("changed");
        QTest::newRow("blank added at the end") << "first " << false << false;
        QTest::newRow("case changed") << "First" << false << true;
        QTest::newRow("box unticked") << "first" << true << true;
    }
    void snapshotComparison()
    {
        QFETCH(QString, remarks);
        QFETCH(bool, untick);
        QFETCH(bool, changed);
        QDialog frm;
        auto* box = new QLineEdit(u"first"_s, &frm);
        auto* check = new QCheckBox(&frm);
        check->setChecked(true);
        auto* combo = new QComboBox(&frm);
        combo->addItem(u"x"_s);
        BasLoan::TagControlValues(&frm);
        box->setText(remarks);
        check->setChecked(!untick);
        QCOMPARE(BasLoan::fnControlsChanged(&frm), changed);
    }

    void enterMovesTheFocusOn()
    {
        QDialog frm;
        auto* first = new QLineEdit(&frm);
        auto* second = new QLineEdit(&frm);
        frm.show();
        QApplication::setActiveWindow(&frm);
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        first->setFocus();
        qint16 other = 'a';
        BasLoan::EnterAsTab(other);
        QCoreApplication::processEvents();
        QVERIFY(first->hasFocus());
        qint16 enter = 13;
        BasLoan::EnterAsTab(enter);
        QCOMPARE(enter, qint16(13));
        QTRY_VERIFY(second->hasFocus());
    }
};

QTEST_MAIN(TestCommon)
#include "test_common.moc"
