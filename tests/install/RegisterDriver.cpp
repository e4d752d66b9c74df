// Preloaded into an installed host (LD_PRELOAD) by the install test, works its register offscreen
// as a clerk would: Preview, the statement saved as PDF under the name offered, the preview and the
// register closed. On closing it copies the host's memory map, where every loaded file is named.
// Both land in the folder $REGISTER_DRIVER_OUT.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTimer>
#include <utility>

namespace {

// Later, from the event loop, as the window it opens runs a loop of its own.
void press(QWidget* window, const char* control, const char* slot)
{
    QMetaObject::invokeMethod(window->findChild<QObject*>(QLatin1String(control)), slot,
                              Qt::QueuedConnection);
}

void step()
{
    static bool previewed = false, saved = false;
    const QString out = qEnvironmentVariable("REGISTER_DRIVER_OUT");
    QWidget* window = QApplication::activeModalWidget();
    const QString name = window ? window->objectName() : QString();
    if (auto* dialog = qobject_cast<QFileDialog*>(window)) {
        dialog->setDirectory(out);
        static_cast<QDialog*>(dialog)->accept();
    } else if (name == QLatin1String("ReportPreview")) {
        press(window, std::exchange(saved, true) ? "actClose" : "actSavePdf", "trigger");
    } else if (name == QLatin1String("FrmMaster")) {
        QFile maps(QStringLiteral("/proc/self/maps")), copy(out + QStringLiteral("/maps"));
        if (previewed && maps.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly))
            copy.write(maps.readAll());
        press(window, std::exchange(previewed, true) ? "CmdClose" : "cmdPreview", "click");
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
