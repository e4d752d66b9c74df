#include "report/ReportEngine.h"

#include "report/PreparedReport.h"
#include "report/PreviewPresenter.h"
#include "report/ReportDataReader.h"
#include "report/ReportErrors.h"
#include "report/ReportFileParser.h"
#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <memory>

using namespace Qt::StringLiterals;

namespace rpt {

ReportEngine::ReportEngine(ado::Connection& defaultDataSource, QWidget* parent)
    : m_parent(parent), m_dataSource(defaultDataSource)
{
}

ReportEngine::~ReportEngine() = default;

void ReportEngine::setProgressDialog(bool show)
{
    m_options.progressDialog = show;
}

void ReportEngine::setWindowControlBox(bool show)
{
    m_options.controlBox = show;
}

void ReportEngine::setWindowMaxButton(bool show)
{
    m_options.maxButton = show;
}

void ReportEngine::setWindowMinButton(bool show)
{
    m_options.minButton = show;
}

void ReportEngine::setWindowShowPrintBtn(bool show)
{
    m_options.printButton = show;
}

void ReportEngine::setWindowShowExportBtn(bool show)
{
    m_options.exportButton = show;
}

void ReportEngine::setWindowShowZoomCtl(bool show)
{
    m_options.zoomControl = show;
}

void ReportEngine::setWindowShowNavigationCtls(bool show)
{
    m_options.navigationControls = show;
}

void ReportEngine::setWindowState(int state)
{
    if (state < PreviewOptions::Normal || state > PreviewOptions::Maximized)
        throw RuntimeError(errors::InvalidPropertyValue,
                           u"Invalid property value: window state %1"_s.arg(state));
    m_options.state = PreviewOptions::WindowState(state);
}

void ReportEngine::setWindowTitle(const QString& title)
{
    m_options.title = title;
}

void ReportEngine::setParameterField(int index, const QString& field)
{
    m_parameters.setField(index, field);
}

void ReportEngine::LogOnServer(const QString& driverFile, const QString& dataSource,
                               const QString& database, const QString& userId,
                               const QString& password)
{
    m_dataSource.logOn(driverFile, dataSource, database, userId, password);
}

void ReportEngine::setReportFileName(const QString& fileName)
{
    m_reportFileName = QString(fileName).replace(u'\\', u'/');
}

void ReportEngine::addScheduleProvider(const QString& name,
                                       std::shared_ptr<const ScheduleProvider> provider)
{
    m_scheduleProviders.insert(name.trimmed().toLower(), std::move(provider));
}

void ReportEngine::setAction(int action)
{
    if (action != 1)
        throw RuntimeError(errors::InvalidAction,
                           u"The report engine has no action %1."_s.arg(action));
    run();
}

void ReportEngine::run()
{
    try {
        runUnscrubbed();
    } catch (const RuntimeError& e) {
        throw RuntimeError(e.number(), m_dataSource.withoutPassword(e.description()),
                           m_dataSource.withoutPassword(e.source()));
    }
}

void ReportEngine::runUnscrubbed()
{
    if (m_reportFileName.isEmpty())
        throw RuntimeError(errors::ReportFile, u"No report file has been named."_s);
    ReportDefinition definition = ReportFileParser::load(m_reportFileName);
    m_parameters.bind(definition);
    ado::Connection& connection = m_dataSource.connection();

    std::unique_ptr<QProgressDialog> progress;
    auto tell = [&](int step, int steps, const QString& what) {
        if (!m_options.progressDialog)
            return;
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(m_parent);
            progress->setWindowTitle(m_options.title);
            progress->setCancelButton(nullptr);
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(400);
            progress->setRange(0, steps);
        }
        progress->setLabelText(
            QCoreApplication::translate("rpt::ReportEngine", "Reading %1...").arg(what));
        progress->setValue(step);
    };
    ReportData data =
        ReportDataReader::read(definition, m_parameters, connection, m_scheduleProviders, tell);
    progress.reset();

    const PreparedReport report(std::move(definition), std::move(data));
    presentReport(report, m_options, m_parent);
}

} // namespace rpt
