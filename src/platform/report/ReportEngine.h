#pragma once

#include "ostrelplatform_export.h"

#include "db/Connection.h"
#include "report/PreviewOptions.h"
#include "report/ReportDataSource.h"
#include "report/ReportParameters.h"
#include "report/ScheduleProvider.h"

#include <QString>

class QWidget;

namespace rpt {

// The report engine the register drives: set the preview options, the window title, the
// parameter fields, the log-on and the report file, then run it (action 1). Running reads the
// report file, opens the report's own connection, runs its statements with the parameters
// and shows the preview window modally. Every failure is a RuntimeError whose description
// can be shown to the clerk as it is; it never holds the log-on password. Nothing is written.
class OSTRELPLATFORM_EXPORT ReportEngine
{
public:
    // defaultDataSource: the host's connection, which tells the report where the payroll
    // database is. parent: the window the preview stacks above.
    explicit ReportEngine(ado::Connection& defaultDataSource, QWidget* parent = nullptr);
    ~ReportEngine();
    ReportEngine(const ReportEngine&) = delete;
    ReportEngine& operator=(const ReportEngine&) = delete;

    // The preview window's options (the defaults: all true, window state 0).
    void setProgressDialog(bool show);           // a progress window while data is read
    void setWindowControlBox(bool show);         // title bar's window menu and close button
    void setWindowMaxButton(bool show);          // title bar's maximize button
    void setWindowMinButton(bool show);          // title bar's minimize button
    void setWindowShowPrintBtn(bool show);       // Print... (the print dialog)
    void setWindowShowExportBtn(bool show);      // Save as PDF...
    void setWindowShowZoomCtl(bool show);        // the zoom choice
    void setWindowShowNavigationCtls(bool show); // first, previous, page, next, last
    // 0 normal, 1 minimized, 2 maximized; any other raises RuntimeError (380).
    void setWindowState(int state);
    void setWindowTitle(const QString& title);
    const PreviewOptions& options() const { return m_options; }

    // "name;value;true" at a position; a later field at the same position replaces it.
    void setParameterField(int index, const QString& field);
    void LogOnServer(const QString& driverFile, const QString& dataSource, const QString& database,
                     const QString& userId, const QString& password);
    // Backslashes in the name are taken as folder separators.
    void setReportFileName(const QString& fileName);
    const QString& reportFileName() const { return m_reportFileName; }

    // Offers a provider to the report's [schedule] sections that name it; a later one of the
    // same name replaces it.
    void addScheduleProvider(const QString& name, std::shared_ptr<const ScheduleProvider> provider);

    // 1 runs the report; the engine knows no other action (RuntimeError).
    void setAction(int action);
    void run();

private:
    void runUnscrubbed();

    QWidget* m_parent;
    PreviewOptions m_options;
    ReportParameters m_parameters;
    ReportDataSource m_dataSource;
    QString m_reportFileName;
    ScheduleProviders m_scheduleProviders;
};

} // namespace rpt
