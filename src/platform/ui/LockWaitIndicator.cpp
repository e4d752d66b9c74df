#include "ui/LockWaitIndicator.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QScreen>

using namespace Qt::StringLiterals;

const char* const LockWaitIndicator::NoticeName = "lockWaitNotice";

void LockWaitIndicator::install()
{
    static LockWaitIndicator indicator;
    ado::setLockWaitObserver(&indicator);
}

void LockWaitIndicator::mayWait()
{
    if (m_busy)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_busy = true;
}

void LockWaitIndicator::waiting(int elapsedMs)
{
    mayWait();
    if (!m_ignoringInput) {
        qApp->installEventFilter(this);
        m_ignoringInput = true;
    }
    if (elapsedMs >= NoticeAfterMs && !m_notice) {
        // Just after a message box closes no window is active yet; the modal one is in front.
        QWidget* over = QApplication::activeWindow() ? QApplication::activeWindow()
                                                     : QApplication::activeModalWidget();
        m_notice = new QLabel(u"Waiting for another user's change..."_s, over,
                              Qt::ToolTip | Qt::FramelessWindowHint);
        m_notice->setObjectName(QLatin1String(NoticeName));
        m_notice->setMargin(m_notice->fontMetrics().height() / 2);
        m_notice->setFrameShape(QFrame::Box);
        m_notice->adjustSize();
        const QRect area =
            over ? over->geometry() : QGuiApplication::primaryScreen()->availableGeometry();
        m_notice->move(area.center() - m_notice->rect().center());
        m_notice->show();
    }
    QCoreApplication::processEvents();
}

void LockWaitIndicator::waitEnded()
{
    delete m_notice;
    if (m_ignoringInput) {
        qApp->removeEventFilter(this);
        m_ignoringInput = false;
    }
    if (m_busy) {
        QApplication::restoreOverrideCursor();
        m_busy = false;
    }
}

bool LockWaitIndicator::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Close:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
