#pragma once

#include "ostrelplatform_export.h"

#include "report/PreparedReport.h"
#include "report/PreviewOptions.h"

#include <QDialog>
#include <QPrinter>

class QAction;
class QComboBox;
class QLabel;
class QPrintPreviewWidget;
class QSpinBox;
class QToolBar;

namespace rpt {

// The report's preview: its pages at the chosen zoom, with printing and saving as PDF. The
// options decide the title bar's buttons, the tools shown and the window state.
class OSTRELPLATFORM_EXPORT PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    PreviewWindow(const PreparedReport& report, const PreviewOptions& options,
                  QWidget* parent = nullptr);
    ~PreviewWindow() override;

    QPrintPreviewWidget* view() const { return m_view; }
    // Writes the PDF; a failure is told in a message box. True when the file was written.
    bool saveAsPdf(const QString& path);
    // The file name offered when saving: the report's title, made safe for a file name.
    QString suggestedFileName() const;

private slots:
    void printReport();
    void exportPdf();
    void showPageControls();
    void zoomChosen(int index);

private:
    void buildToolBar();
    void goToPage(int page);
    void tell(const QString& message);

    const PreparedReport& m_report;
    PreviewOptions m_options;
    QPrinter m_previewPrinter;
    QPrintPreviewWidget* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QSpinBox* m_page = nullptr;
    QLabel* m_pageCount = nullptr;
    QComboBox* m_zoom = nullptr;
};

} // namespace rpt
