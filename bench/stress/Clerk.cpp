#include "Clerk.h"

#include "StressDatabase.h"

#include "cancel/frmCancel.h"
#include "common/BasLoan.h"
#include "data/ResolveTableNames.h"
#include "db/Connection.h"
#include "entry/include/OstrelLoanIssue.h"
#include "grid/FlexGrid.h"
#include "issue_entry/frmLoan.h"
#include "runtime/RuntimeError.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

Clerk::Outcome toldOrSilent(const QStringList& prompts)
{
    Clerk::Outcome outcome;
    outcome.kind = prompts.isEmpty() ? Clerk::Outcome::Silent : Clerk::Outcome::Refused;
    outcome.message = prompts.join(u' ').simplified();
    return outcome;
}

} // namespace

Clerk::Clerk(const QString& databasePath)
{
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(databasePath);
    BasLoan::setAdocon(std::move(connection));
    BasLoan::MsgboxTitle = u"Payroll"_s;
    BasLoan::ProcessDate = stress::processDate();
    BasLoan::intUserID = stress::ClerkUser;
    BasLoan::intCompanyID = stress::Company;
    BasLoan::strtype = u"L"_s;
    BasLoan::lngInterfaceID = LoanRegisterInterfaceID;
    BasLoan::ResolveTableNames();
}

Clerk::Outcome Clerk::saveNewIssue(qint32 employee, const QString& remarks)
{
    m_messages.clear();
    Outcome outcome;
    try {
        BasLoan::strMode = u"N"_s;
        frmLoan& entry = frmLoan::instance();
        entry.show();
        entry.cboEmployee->setCurrentIndex(entry.cboEmployee->findData(employee));
        if (entry.cboloanapplication->count() == 0) {
            outcome.kind = Outcome::NothingToDo;
        } else {
            entry.cboloanapplication->setCurrentIndex(0);
            entry.txtRemarks->insert(remarks);
            m_messages.sinceDecision().start();
            entry.cmdOK_Click();
            const double milliseconds = double(m_messages.sinceDecision().nsecsElapsed()) / 1e6;
            if (BasLoan::Tag(entry.cmdOK) == u"Success") {
                outcome.kind = Outcome::Done;
                outcome.issueId = entry.lngIssueID;
                outcome.number = entry.strIssueNo;
                outcome.milliseconds = milliseconds;
            } else {
                outcome = toldOrSilent(m_messages.prompts());
            }
        }
    } catch (const RuntimeError& e) {
        // The window's own handlers would show this in a message box.
        outcome.kind = Outcome::Refused;
        outcome.message = e.description().simplified();
    }
    frmLoan::Unload();
    return outcome;
}

Clerk::Outcome Clerk::cancelIssue(qint32 issueId, const QString& reason)
{
    m_messages.clear();
    // The reason dialog cancels the issue of the register's current row.
    FlexGrid grid;
    grid.setCols(8);
    grid.setRows(2);
    grid.setTextMatrix(1, 0, QString::number(issueId));
    grid.setRow(1);
    BasLoan::setFlexMaster(&grid);
    frmCancel& dialog = frmCancel::instance();
    dialog.txtcanreason->setText(reason);
    dialog.cmdOK->click();
    frmCancel::Unload();
    BasLoan::setFlexMaster(nullptr);

    Outcome outcome = toldOrSilent(m_messages.prompts());
    if (outcome.kind == Outcome::Silent) {
        outcome.kind = Outcome::Done;
        outcome.issueId = issueId;
    }
    return outcome;
}
