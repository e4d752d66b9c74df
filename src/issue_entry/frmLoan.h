#pragma once

#include "common/SingleInstanceForm.h"

#include <QString>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class clsCommonDB;
class clsCommonGen;
class RunningLoan;
namespace ado {
class Recordset;
}

// The entry window: records a new loan or advance issue against an employee's approved
// application, or changes an existing one. New and Edit of the register open it modally; each
// use loads it afresh and closing unloads it.
class frmLoan : public SingleInstanceForm<frmLoan>
{
public:
    frmLoan();
    ~frmLoan() override;

    // Load: shared-library objects, the employee list, the date (new) or the loan types (edit),
    // the captions of the issue type and the snapshot of the entries.
    void Form_Load();
    // Asks "Save Changes?" when the entries differ from the snapshot; Cancel keeps the window.
    void Form_QueryUnload(bool& Cancel);
    // Closes the window through the unload request.
    void UnloadMe();
    void cmdCancel_Click();

    // Selection of employee, application and loan type.
    void cboEmployee_Click();
    void cboloanapplication_Click();
    void cboloanapplication_Change();
    void cboLoanType_Click();

    // Amount, payments and instalment.
    void txtLoanAmount_LostFocus();
    void txtNoOfPayments_LostFocus();
    void numberBox_GotFocus(QLineEdit* box);
    // Enter moves on; in the number boxes, keys that would not keep a number are cancelled
    // (KeyAscii set to 0).
    void entryControl_KeyPress(QWidget* control, qint16& KeyAscii);

    // View only: OK and the fields disabled, and the reason told at the top of the window.
    void showReadOnly(const QString& reason);

    // Validation, numbering and saving.
    bool fnValidateEntry();
    void GenerateIssueNo();
    void SaveIssue();
    void cmdOK_Click();

    // Controls, named as the window lays them out.
    QGroupBox* fraloan;
    QLineEdit* txtLoanNo;
    QLineEdit* txtLoanDate;
    QComboBox* cboEmployee;
    QComboBox* cboloanapplication;
    QComboBox* cboLoanType;
    QLineEdit* txtLoanAmount;
    QCheckBox* chkDeductMonthly;
    QLineEdit* txtNoOfPayments;
    QLineEdit* txtInstallmentAmount;
    QLineEdit* txtRemarks;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QLabel* lblInstAmt;
    QLabel* Label6;
    QLabel* lblloanAmt;
    QLabel* lbldescription;
    QLabel* Label3;
    QLabel* lbldate;
    QLabel* lblno;
    QLabel* lblaplication;
    QLabel* lblRemarks;
    // What the clerk should know about the chosen employee or application before OK.
    QLabel* lblGuide;
    QLabel* lblReadOnly = nullptr; // shown only while the issue may not be changed

    // Window variables.
    qint32 lngIssueID = 0;
    QString strIssueNo;
    qint32 lngLastEmpID = 0;

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void layoutControls();
    void connectHandlers();
    void setAdvanceCaptions();
    void relabelAmounts(const QString& symbol);
    void resetApplicationDetails();

    void RecalculateInstallment();
    bool fnAmountWithinLimits();
    QString amountLimitRefusal();
    QString applicationGap();
    void showApplication();
    void guide(const QString& text, bool warning = false);
    bool fnFiguresRecoverable();
    // The employee's running loan of the loan type that saving would close, and the clerk's
    // decision on closing it.
    RunningLoan runningLoan() const;
    bool fnRunningLoanClosingConfirmed(const RunningLoan& running);
    void closeRepaymentRows();
    void checkApplicationStillOpen();
    void checkIssueStillEditable(ado::Recordset& rs);

    std::unique_ptr<clsCommonGen> objCommonGen;
    std::unique_ptr<clsCommonDB> objCommonDB;
    // Set once the unload request has let the window go, so a nested request does not ask again.
    bool m_unloading = false;
    // Set when a save found the issue changed by others into a state that can no longer be edited.
    bool m_issueLocked = false;
    // The chosen loan type's currency symbol, as the amount captions show it.
    QString m_currencySymbol;
};
