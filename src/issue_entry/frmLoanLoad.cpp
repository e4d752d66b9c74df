// Loading the entry window in its two modes, and closing it.
#include "issue_entry/frmLoan.h"

#include "clsCommonDB.h"
#include "clsCommonGen.h"
#include "common/BasLoan.h"
#include "runtime/ShortDate.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

void frmLoan::Form_Load()
{
    objCommonGen = CreateObjectAs<clsCommonGen>(u"Quorrel.clsCommonGen"_s);
    objCommonDB = CreateObjectAs<clsCommonDB>(u"Quorrel.clsCommonDB"_s);
    objCommonDB->adocon = BasLoan::adoconPtr();
    lngLastEmpID = 0;

    const QString company = QString::number(BasLoan::intCompanyID);
    objCommonDB->strTableName = BasLoan::strTblEmployee;
    objCommonDB->populatecomboorlist(cboEmployee, u"eEmpID"_s, u"eName"_s,
                                     u"eCompanyID="_s + company + u" and eActive=1"_s);

    if (BasLoan::strMode == u"N") {
        txtLoanDate->setText(ShortDate::format(BasLoan::ProcessDate));
    } else if (BasLoan::strMode == u"E") {
        objCommonDB->strTableName = BasLoan::strTblLoans;
        objCommonDB->populatecomboorlist(cboLoanType, u"lLoanID"_s, u"lDescription"_s,
                                         u"lcompanyid = "_s + company);
        cboloanapplication->setEnabled(false);
        cboLoanType->setEnabled(false);
    }

    if (BasLoan::strtype == u"A")
        setAdvanceCaptions();
    BasLoan::TagControlValues(this);
}

void frmLoan::cmdCancel_Click()
{
    UnloadMe();
}

void frmLoan::UnloadMe()
{
    if (m_unloading)
        return;
    bool Cancel = false;
    Form_QueryUnload(Cancel);
    if (Cancel || m_unloading)
        return; // kept open, or already unloaded by the save that the question started
    m_unloading = true;
    done(QDialog::Rejected);
}

void frmLoan::Form_QueryUnload(bool& Cancel)
{
    if (BasLoan::Tag(cmdOK) == u"Success" || !cmdOK->isEnabled())
        return;
    if (!BasLoan::fnControlsChanged(this))
        return;
    if (msgbox::MsgBox(u"Save Changes?"_s, msgbox::vbYesNo | msgbox::vbInformation,
                       BasLoan::MsgboxTitle) == msgbox::vbNo)
        return;
    cmdOK_Click();
    if (BasLoan::Tag(cmdOK) != u"Success")
        Cancel = true;
}
