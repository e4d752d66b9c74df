// Preloaded into an installed host (LD_PRELOAD) by the install test: once the register is open
// offscreen it copies the host's memory map, where every loaded file is named, to
// $REGISTER_DRIVER_OUT/maps, and closes the register as a clerk would, with its Close button.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTimer>

namespace {

void closeRegister()
{
    QWidget* window = QApplication::activeModalWidget();
    if (!window || window->objectName() != QLatin1String("FrmMaster"))
        return;
    QFile maps(QStringLiteral("/proc/self/maps"));
    QFile copy(qEnvironmentVariable("REGISTER_DRIVER_OUT") + QStringLiteral("/maps"));
    if (maps.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly))
        copy.write(maps.readAll());
    window->findChild<QAbstractButton*>(QStringLiteral("CmdClose"))->click();
}

void drive()
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, closeRegister);
    timer->start(200);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(drive)
