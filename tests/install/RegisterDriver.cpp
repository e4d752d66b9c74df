// Preloaded into an installed host (LD_PRELOAD) by the install test, works its register offscreen
// as a clerk would: Preview, the statement saved as PDF under the name offered, the preview and the
// register closed. On closing it copies the host's memory map, where every loaded file is named.
// Both land in the folder $REGISTER_DRIVER_OUT.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTimer>

namespace {

QString output(const char* name)
{
    return qEnvironmentVariable("REGISTER_DRIVER_OUT") + u'/' + QLatin1String(name);
}

// Each step once; clicked later, from the event loop, as the windows it opens run their own.
template <class Control>
void press(QWidget* window, const char* name, void (Control::*action)(), bool& done)
{
    done = true;
    QTimer::singleShot(0, window->findChild<Control*>(QLatin1String(name)), action);
}

void step()
{
    static bool previewed = false, saved = false;
    QWidget* window = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QFileDialog*>(window)) {
        dialog->setDirectory(output(""));
        static_cast<QDialog*>(dialog)->accept();
    } else if (window && window->objectName() == QLatin1String("ReportPreview")) {
        press(window, saved ? "actClose" : "actSavePdf", &QAction::trigger, saved);
    } else if (window && window->objectName() == QLatin1String("FrmMaster")) {
        QFile maps(QStringLiteral("/proc/self/maps")), copy(output("maps"));
        if (previewed && maps.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly))
            copy.write(maps.readAll());
        press(window, previewed ? "CmdClose" : "cmdPreview", &QAbstractButton::click, previewed);
    }
}

void drive()
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, step);
    timer->start(200);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(drive)
