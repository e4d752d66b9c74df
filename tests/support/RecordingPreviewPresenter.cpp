#include "RecordingPreviewPresenter.h"

namespace rpt {

RecordingPreviewPresenter::RecordingPreviewPresenter()
{
    setPreviewPresenter(this);
}

RecordingPreviewPresenter::~RecordingPreviewPresenter()
{
    setPreviewPresenter(nullptr);
}

void RecordingPreviewPresenter::present(const PreparedReport& report, const PreviewOptions& options,
                                        QWidget*)
{
    const ReportDocument document = report.document();
    Shown shown{options, report.title(), {}};
    for (int page = 0; page < document.pages.size(); ++page)
        shown.pages.append(document.texts(page));
    m_shown.append(shown);
}

} // namespace rpt
