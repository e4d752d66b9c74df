#include "register/RegisterLoadProgress.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 ShowAfterMs = 500;
constexpr qint64 RepaintEveryMs = 100;

} // namespace

RegisterLoadProgress::RegisterLoadProgress(const QWidget* owner) : m_owner(owner)
{
    m_clock.start();
}

RegisterLoadProgress::~RegisterLoadProgress()
{
    if (m_window)
        QApplication::restoreOverrideCursor();
}

void RegisterLoadProgress::issuesRead(qsizetype issues)
{
    const qint64 now = m_clock.elapsed();
    if (now < ShowAfterMs || (m_window && now - m_shownAtMs < RepaintEveryMs))
        return;
    if (!m_window)
        create();
    m_count->setText(u"%1 issues so far"_s.arg(QLocale().toString(issues)));
    if (!m_window->isVisible()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_window->show();
    }
    m_shownAtMs = now;
    // Paints the window; keys and clicks wait until the register is open.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void RegisterLoadProgress::create()
{
    m_window = std::make_unique<QWidget>(nullptr, Qt::Dialog | Qt::CustomizeWindowHint |
                                                      Qt::WindowTitleHint);
    m_window->setObjectName(u"frmLoadProgress"_s);
    m_window->setWindowTitle(m_owner->windowTitle());
    m_window->setWindowModality(Qt::ApplicationModal);
    m_window->setFont(m_owner->font());
    auto* layout = new QVBoxLayout(m_window.get());
    layout->addWidget(new QLabel(u"Reading the register..."_s, m_window.get()));
    m_count = new QLabel(m_window.get());
    m_count->setObjectName(u"lblIssuesRead"_s);
    layout->addWidget(m_count);
    auto* busy = new QProgressBar(m_window.get());
    busy->setRange(0, 0); // moving to and fro: there is no total
    busy->setTextVisible(false);
    layout->addWidget(busy);
    m_window->setMinimumWidth(m_window->fontMetrics().horizontalAdvance(u'M') * 24);
}
