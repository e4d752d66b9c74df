#pragma once

#include "ostrelplatform_export.h"

#include "report/PreparedReport.h"
#include "report/PreviewOptions.h"

class QWidget;

namespace rpt {

// Shows a run report. In the application that is the modal preview window; tests install a
// presenter that records what would have been shown.
class OSTRELPLATFORM_EXPORT PreviewPresenter
{
public:
    virtual ~PreviewPresenter() = default;
    virtual void present(const PreparedReport& report, const PreviewOptions& options,
                         QWidget* parent) = 0;
};

// Shows the report through the installed presenter, or the preview window when none is.
OSTRELPLATFORM_EXPORT void presentReport(const PreparedReport& report,
                                         const PreviewOptions& options, QWidget* parent);

// Replaces the presenter (nullptr restores the preview window); the caller keeps ownership.
OSTRELPLATFORM_EXPORT void setPreviewPresenter(PreviewPresenter* presenter);

} // namespace rpt
