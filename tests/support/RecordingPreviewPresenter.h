#pragma once

#include "report/PreviewPresenter.h"

#include <QList>
#include <QStringList>

namespace rpt {

// Records each report that would have been shown: its options and the texts of its pages as
// laid out on the report's paper. Installs itself while it lives.
class RecordingPreviewPresenter : public PreviewPresenter
{
public:
    struct Shown
    {
        PreviewOptions options;
        QString title;
        QList<QStringList> pages;
    };

    RecordingPreviewPresenter();
    ~RecordingPreviewPresenter() override;

    void present(const PreparedReport& report, const PreviewOptions& options,
                 QWidget* parent) override;
    const QList<Shown>& shown() const { return m_shown; }

private:
    QList<Shown> m_shown;
};

} // namespace rpt
