#pragma once

#include "ostrelplatform_export.h"

#include "db/LockWait.h"

#include <QObject>
#include <QPointer>

class QLabel;

// Shows the user a wait for another user's lock: the busy cursor at once and, after a moment,
// "Waiting for another user's change..." over the active window. Meanwhile the user's keys,
// clicks and closing of windows are ignored, so nothing typed lands anywhere unseen, while
// timers and painting go on.
class OSTRELPLATFORM_EXPORT LockWaitIndicator : public QObject, public ado::LockWaitObserver
{
public:
    static constexpr int NoticeAfterMs = 300;
    static const char* const NoticeName; // the notice's object name

    // Shows every wait of the process's connections from now on.
    static void install();

    void mayWait() override;
    void waiting(int elapsedMs) override;
    void waitEnded() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_busy = false;
    bool m_ignoringInput = false;
    QPointer<QLabel> m_notice;
};
