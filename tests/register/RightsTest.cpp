#include "RegisterFixture.h"

#include "common/BasLoan.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"
#include "register/TrappedError.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The tooltip the control shows when the pointer rests on it.
QString tipOf(QWidget* control)
{
    QHelpEvent rest(QEvent::ToolTip, QPoint(1, 1), control->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(control, &rest);
    return control->toolTip();
}

} // namespace

class RightsTest : public QObject
{
    Q_OBJECT

private slots:
    void storedRightsGovernTheCommands_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("storedRows");
        QTest::addColumn<QString>("enabled");
        // User 2's stored rights (user 1 holds every right, as the other register tests rely on).
        QTest::newRow("no row grants nothing") << "L" << QStringList{} << "";
        QTest::newRow("lower case with blanks") << "L" << QStringList{" ned "} << "NED";
        QTest::newRow("ADMIN grants nothing") << "L" << QStringList{"ADMIN"} << "";
        QTest::newRow("several rows: the first wins") << "L" << QStringList{"NP", "NEDP"} << "NP";
        QTest::newRow("type l has no rights screen, whatever was read before")
            << "l" << QStringList{"NEDP"} << "";
    }
    void storedRightsGovernTheCommands()
    {
        QFETCH(QString, type);
        QFETCH(QStringList, storedRows);
        QFETCH(QString, enabled);
        RegisterFixture db;
        db.addIssue(1, "LN1", QDate(2003, 3, 1), 1, 10, 10);
        const QString stored = u"insert into puserrights (userid, interfaceid, functionrights) "
                               u"values (2, %1, '%2')"_s;
        for (const QString& rights : storedRows)
            db.exec(stored.arg(91001).arg(rights));
        db.exec(stored.arg(91035).arg("NEDP")); // another screen's rights do not count
        BasLoan::lngInterfaceID = 91001;        // as a loan register opened before leaves it
        const FrmMaster& register_ = db.open(type, 2);
        QCOMPARE(enabledCommands(register_), enabled);
        // A button the user has no right to says which right is missing.
        QCOMPARE(tipOf(register_.cmdPreview),
                 enabled.contains(u'P')
                     ? QString()
                     : u"You do not hold the right \"Preview\" (P) on this register."_s);
    }

    void selectedIssueGovernsEditAndDelete()
    {
        RegisterFixture db;
        db.addIssue(1, "LN1", QDate(2003, 3, 1), 1, 10, 10);
        db.addIssue(2, "LN2", QDate(2003, 3, 1), 1, 10, 10, true);
        db.addIssue(3, "LN3", QDate(2003, 3, 1), 1, 10, 10);
        FrmMaster& register_ = db.open();
        FlexGrid& grid = *register_.flexMaster;
        grid.setRow(2);
        QCOMPARE(enabledCommands(register_), u"NEP"_s);
        QCOMPARE(tipOf(register_.CmdDelete), u"LN2 is cancelled already."_s);
        grid.setRow(1);
        QCOMPARE(enabledCommands(register_), u"NEDP"_s);
        // Coming back from the entry window re-applies the rights and the row rule.
        grid.setRow(2);
        register_.CmdEdit->setEnabled(false);
        register_.Form_Activate();
        QCOMPARE(enabledCommands(register_), u"NEP"_s);
    }

    // A database this user may only read says so, and New, Edit and Delete are off, saying why.
    void readOnlyDatabaseIsAnnounced()
    {
        RegisterFixture db(RegisterFixture::Demo{});
        const QString path = db.connection().connectionString();
        db.connection().Close();
        db.connection().Open(u"file:%1?mode=ro"_s.arg(path));
        FrmMaster& register_ = db.open(u"L"_s, 2);
        QCOMPARE(enabledCommands(register_), u"P"_s);
        QVERIFY(
            register_.lblListContext->text().endsWith(u"; this database can only be read here"));
        QCOMPARE(tipOf(register_.cmdnew),
                 u"This database can only be read here, so no issue can be "
                 "recorded, changed or cancelled."_s);
    }

    void markingEndsAsIfEveryCellWereVisited_data()
    {
        QTest::addColumn<QList<bool>>("cancelled");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("every issue cancelled: Edit as it was") << QList<bool>{true, true} << "NP";
        QTest::newRow("live last issue") << QList<bool>{true, false} << "NEDP";
    }
    void markingEndsAsIfEveryCellWereVisited()
    {
        QFETCH(QList<bool>, cancelled);
        QFETCH(QString, enabled);
        RegisterFixture db;
        for (int id = 1; id <= cancelled.size(); ++id)
            db.addIssue(id, u"LN%1"_s.arg(id), QDate(2003, 3, 1), 1, 10, 10, cancelled[id - 1]);
        FrmMaster& register_ = db.open();
        FlexGrid& grid = *register_.flexMaster;
        grid.setRow(1);
        register_.CmdEdit->setEnabled(false);
        register_.MarkCancelledRows();
        QCOMPARE(enabledCommands(register_), enabled);
        QCOMPARE((QList<int>{grid.Row(), grid.Col()}), (QList<int>{int(cancelled.size()), 7}));
    }

    // A positive number gets a leading blank, as a number turned into text does.
    void trappedErrorShowsNumberThenDescription()
    {
        QCOMPARE(numberAndDescription(RuntimeError(5, "Invalid call")), " 5Invalid call");
        QCOMPARE(numberAndDescription(RuntimeError(RuntimeError::IntegrityViolation, "Invalid")),
                 "-2147217873Invalid");
    }
};

QTEST_MAIN(RightsTest)

#include "RightsTest.moc"
