// A command the user holds no right to cannot be reached by any road: its access key or the
// grid's keys.
#include "ProofFixture.h"
#include "db/ConnectionTestSeam.h"

#include "DemoData.h"
#include "common/BasLoan.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using Path = void (*)(FrmMaster&);

void gridKey(FrmMaster& reg, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTableView* view = reg.flexMaster->findChild<QTableView*>();
    view->setFocus();
    QTest::keyClick(view, key, modifiers);
}

// An access key, pressed where the keyboard focus is, as a person would.
void accessKey(FrmMaster& reg, Qt::Key key)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &reg, key, Qt::AltModifier);
    // A button pressed by its access key shows the press and clicks itself a moment later: the
    // road is taken once no button is down.
    const QList<QAbstractButton*> buttons = reg.findChildren<QAbstractButton*>();
    QTRY_VERIFY(std::none_of(buttons.cbegin(), buttons.cend(),
                             [](const QAbstractButton* button) { return button->isDown(); }));
}

// Every road to each command that the register itself guards: its access key, and the grid's
// keys (Enter goes the way of a double-click). A click on a disabled button is Qt's to ignore.
const QList<std::tuple<QString, char, Path>> Roads = {
    {"Alt+N", 'N', [](FrmMaster& r) { accessKey(r, Qt::Key_N); }},
    {"Ctrl+Enter in the grid", 'N',
     [](FrmMaster& r) { gridKey(r, Qt::Key_Return, Qt::ControlModifier); }},
    {"Alt+E", 'E', [](FrmMaster& r) { accessKey(r, Qt::Key_E); }},
    {"Enter in the grid", 'E', [](FrmMaster& r) { gridKey(r, Qt::Key_Return); }},
    {"Alt+D", 'D', [](FrmMaster& r) { accessKey(r, Qt::Key_D); }},
    {"Delete key in the grid", 'D', [](FrmMaster& r) { gridKey(r, Qt::Key_Delete); }},
    {"Alt+P", 'P', [](FrmMaster& r) { accessKey(r, Qt::Key_P); }},
};

// Two demo users between whom every right is held once and missing once (how stored rights are
// read is the register's own test).
const QList<std::tuple<QString, qint16, QString>> Users = {
    {"viewer", payroll::demo::Viewer, "P"},
    {"trainee", payroll::demo::Trainee, "NED"},
};

// Runs the road and tells whether the register did anything: read or wrote the database, showed
// a message or opened a window. Windows that open are closed again at once.
bool roadDidSomething(ProofFixture& f, FrmMaster& reg, Path road)
{
    const QWidgetList before = QApplication::topLevelWidgets();
    bool windowShown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &reg) {
            windowShown = true;
            modal->close();
        }
    });
    closer.start(20);
    const int sent = ado::ConnectionTestSeam::statementsSent(BasLoan::adocon());
    road(reg);
    QApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !before.contains(w)) {
            windowShown = true;
            w->close();
        }
    }
    return windowShown || !f.messages().shown().isEmpty() ||
           ado::ConnectionTestSeam::statementsSent(BasLoan::adocon()) != sent;
}

} // namespace

class RightsBypassTest : public QObject
{
    Q_OBJECT

private slots:
    void everyRoadHonoursTheRights_data()
    {
        QTest::addColumn<qint16>("user");
        QTest::addColumn<int>("road");
        QTest::addColumn<bool>("held");
        for (const auto& [userName, user, rights] : Users) {
            for (int r = 0; r < Roads.size(); ++r) {
                const auto& [roadName, letter, path] = Roads[r];
                const QString name = userName + u", "_s + roadName;
                QTest::newRow(qPrintable(name)) << user << r << rights.contains(QChar(letter));
            }
        }
    }

    void everyRoadHonoursTheRights()
    {
        QFETCH(qint16, user);
        QFETCH(int, road);
        QFETCH(bool, held);
        ProofFixture f;
        const qint32 id = f.saveLiveIssue();
        FrmMaster& reg = f.openRegister(user, id);
        QCOMPARE(roadDidSomething(f, reg, std::get<2>(Roads[road])), held);
    }
};

QTEST_MAIN(RightsBypassTest)

#include "RightsBypassTest.moc"
