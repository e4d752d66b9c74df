#include "report/PreviewWindow.h"

#include "runtime/RuntimeError.h"
#include "ui/ClosedComboWheel.h"
#include "ui/MessageBox.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace rpt {

namespace {

struct Zoom
{
    const char* label;
    qreal factor; // 0: fit the width, -1: fit the whole page
};
constexpr Zoom zooms[] = {{"Fit width", 0}, {"Whole page", -1}, {"50 %", 0.5},  {"75 %", 0.75},
                          {"100 %", 1.0},   {"125 %", 1.25},    {"150 %", 1.5}, {"200 %", 2.0}};

Qt::WindowFlags flagsFor(const PreviewOptions& options)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (options.controlBox)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (options.maxButton)
        flags |= Qt::WindowMaximizeButtonHint;
    if (options.minButton)
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

} // namespace

PreviewWindow::PreviewWindow(const PreparedReport& report, const PreviewOptions& options,
                             QWidget* parent)
    : QDialog(parent, flagsFor(options)), m_report(report), m_options(options),
      m_previewPrinter(QPrinter::HighResolution)
{
    setObjectName(u"ReportPreview"_s);
    setWindowTitle(options.title.isEmpty() ? report.title() : options.title);
    // The preview is drawn as for a PDF, so it needs no printer installed.
    m_previewPrinter.setOutputFormat(QPrinter::PdfFormat);
    m_previewPrinter.setPageLayout(report.pageLayout());

    m_view = new QPrintPreviewWidget(&m_previewPrinter, this);
    m_view->setObjectName(u"pages"_s);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        try {
            m_report.paint(*printer);
        } catch (const RuntimeError& e) {
            tell(e.description());
        }
    });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &PreviewWindow::showPageControls);

    buildToolBar();
    ignoreWheelOnClosedComboBoxes(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_view);

    const QSize available = screen() ? screen()->availableSize() : QSize(1024, 768);
    resize(std::min(980, available.width()), std::min(1100, available.height()));
    m_view->fitToWidth();
    if (options.state == PreviewOptions::Maximized)
        setWindowState(Qt::WindowMaximized);
    else if (options.state == PreviewOptions::Minimized)
        setWindowState(Qt::WindowMinimized);
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(u"tools"_s);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    if (m_options.printButton) {
        QAction* print = m_toolBar->addAction(tr("&Print..."), this, &PreviewWindow::printReport);
        print->setObjectName(u"actPrint"_s);
        print->setShortcut(QKeySequence::Print);
    }
    if (m_options.exportButton) {
        QAction* pdf = m_toolBar->addAction(tr("Save as P&DF..."), this, &PreviewWindow::exportPdf);
        pdf->setObjectName(u"actSavePdf"_s);
    }
    if (m_options.navigationControls) {
        m_toolBar->addSeparator();
        m_toolBar->addAction(tr("First"), this, [this] { goToPage(1); })
            ->setObjectName(u"actFirstPage"_s);
        m_toolBar->addAction(tr("Previous"), this, [this] { goToPage(m_view->currentPage() - 1); })
            ->setObjectName(u"actPreviousPage"_s);
        m_page = new QSpinBox(m_toolBar);
        m_page->setObjectName(u"spnPage"_s);
        m_page->setMinimum(1);
        connect(m_page, &QSpinBox::valueChanged, this, &PreviewWindow::goToPage);
        m_toolBar->addWidget(m_page);
        m_pageCount = new QLabel(m_toolBar);
        m_pageCount->setObjectName(u"lblPageCount"_s);
        m_toolBar->addWidget(m_pageCount);
        m_toolBar->addAction(tr("Next"), this, [this] { goToPage(m_view->currentPage() + 1); })
            ->setObjectName(u"actNextPage"_s);
        m_toolBar->addAction(tr("Last"), this, [this] { goToPage(m_view->pageCount()); })
            ->setObjectName(u"actLastPage"_s);
    }
    if (m_options.zoomControl) {
        m_toolBar->addSeparator();
        m_zoom = new QComboBox(m_toolBar);
        m_zoom->setObjectName(u"cboZoom"_s);
        for (const Zoom& zoom : zooms)
            m_zoom->addItem(tr(zoom.label));
        connect(m_zoom, &QComboBox::currentIndexChanged, this, &PreviewWindow::zoomChosen);
        m_toolBar->addWidget(m_zoom);
    }
    m_toolBar->addSeparator();
    QAction* close = m_toolBar->addAction(tr("&Close"), this, &QDialog::reject);
    close->setObjectName(u"actClose"_s);
}

void PreviewWindow::goToPage(int page)
{
    m_view->setCurrentPage(std::clamp(page, 1, std::max(1, m_view->pageCount())));
    showPageControls();
}

void PreviewWindow::showPageControls()
{
    if (!m_page)
        return;
    const QSignalBlocker blocker(m_page);
    m_page->setMaximum(std::max(1, m_view->pageCount()));
    m_page->setValue(m_view->currentPage());
    m_pageCount->setText(tr(" of %1 ").arg(m_view->pageCount()));
}

void PreviewWindow::zoomChosen(int index)
{
    const qreal factor = zooms[index].factor;
    if (factor == 0) {
        m_view->fitToWidth();
    } else if (factor < 0) {
        m_view->fitInView();
    } else {
        m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_view->setZoomFactor(factor);
    }
}

void PreviewWindow::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_report.pageLayout());
    printer.setDocName(m_report.title());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        m_report.paint(printer);
    } catch (const RuntimeError& e) {
        tell(e.description());
    }
}

QString PreviewWindow::suggestedFileName() const
{
    static const QRegularExpression unsafe(uR"([\\/:*?"<>|]+)"_s);
    QString name = m_report.title().simplified().replace(unsafe, u"-"_s);
    return (name.isEmpty() ? u"report"_s : name) + u".pdf"_s;
}

void PreviewWindow::exportPdf()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(this, tr("Save as PDF"),
                                                QDir(folder).filePath(suggestedFileName()),
                                                tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(u".pdf"_s, Qt::CaseInsensitive))
        path += u".pdf"_s;
    saveAsPdf(path);
}

bool PreviewWindow::saveAsPdf(const QString& path)
{
    try {
        m_report.writePdf(path);
        return true;
    } catch (const RuntimeError& e) {
        tell(e.description());
        return false;
    }
}

void PreviewWindow::tell(const QString& message)
{
    msgbox::MsgBox(message, msgbox::vbInformation, windowTitle());
}

} // namespace rpt
