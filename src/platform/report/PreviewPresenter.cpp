#include "report/PreviewPresenter.h"

#include "report/PreviewWindow.h"

namespace rpt {

namespace {
PreviewPresenter* installed = nullptr;
}

void presentReport(const PreparedReport& report, const PreviewOptions& options, QWidget* parent)
{
    if (installed) {
        installed->present(report, options, parent);
        return;
    }
    PreviewWindow window(report, options, parent);
    window.exec();
}

void setPreviewPresenter(PreviewPresenter* presenter)
{
    installed = presenter;
}

} // namespace rpt
