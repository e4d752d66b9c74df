// A command the user holds no right to cannot be reached by any road: its button, its access
// key, or the grid's keys and double-click.
#include "ProofFixture.h"
#include "db/ConnectionTestSeam.h"

#include "DemoData.h"
#include "common/BasLoan.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"

#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

using Path = void (*)(FrmMaster&);

QTableView* gridView(FrmMaster& reg)
{
    return reg.flexMaster->findChild<QTableView*>();
}

void gridKey(FrmMaster& reg, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    gridView(reg)->setFocus();
    QTest::keyClick(gridView(reg), key, modifiers);
}

// An access key, pressed where the keyboard focus is, as a person would.
void accessKey(FrmMaster& reg, Qt::Key key)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &reg, key, Qt::AltModifier);
    // A button pressed by its access key clicks itself a moment later, as it shows the press.
    QTest::qWait(150);
}

void clickButton(FrmMaster& reg, const char* name)
{
    QTest::mouseClick(reg.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
}

// Every road to each command.
const QList<std::tuple<QString, char, Path>> Roads = {
    {"New button", 'N', [](FrmMaster& r) { clickButton(r, "cmdnew"); }},
    {"Alt+N", 'N', [](FrmMaster& r) { accessKey(r, Qt::Key_N); }},
    {"Ctrl+Enter in the grid", 'N',
     [](FrmMaster& r) { gridKey(r, Qt::Key_Return, Qt::ControlModifier); }},
    {"Edit button", 'E', [](FrmMaster& r) { clickButton(r, "CmdEdit"); }},
    {"Alt+E", 'E', [](FrmMaster& r) { accessKey(r, Qt::Key_E); }},
    {"Enter in the grid", 'E', [](FrmMaster& r) { gridKey(r, Qt::Key_Return); }},
    {"double-click on the row", 'E',
     [](FrmMaster& r) {
         QTableView* view = gridView(r);
         const QRect cell = view->visualRect(view->model()->index(r.flexMaster->Row() - 1, 1));
         QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
     }},
    {"Delete button", 'D', [](FrmMaster& r) { clickButton(r, "CmdDelete"); }},
    {"Alt+D", 'D', [](FrmMaster& r) { accessKey(r, Qt::Key_D); }},
    {"Delete key in the grid", 'D', [](FrmMaster& r) { gridKey(r, Qt::Key_Delete); }},
    {"Preview button", 'P', [](FrmMaster& r) { clickButton(r, "cmdPreview"); }},
    {"Alt+P", 'P', [](FrmMaster& r) { accessKey(r, Qt::Key_P); }},
};

// The rights each demo user ends up with on the loan register (a user without a rights row has
// none).
const QList<std::tuple<QString, qint16, QString>> Users = {
    {"admin", payroll::demo::Admin, "NEDP"},    {"clerk", payroll::demo::Clerk, "NEDP"},
    {"viewer", payroll::demo::Viewer, "P"},     {"auditor", payroll::demo::Auditor, ""},
    {"trainee", payroll::demo::Trainee, "NED"}, {"guest", payroll::demo::Guest, ""},
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
