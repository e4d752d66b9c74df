#include "EntryFixture.h"

#include "ModalWatch.h"

#include "PayrollSchema.h"
#include "common/BasLoanVariables.h"
#include "data/ResolveTableNames.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "grid/FlexGrid.h"
#include "issue_entry/frmLoan.h"
#include "register/FrmMaster.h"
#include "runtime/Conversions.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace EntryFixture {

namespace {

const char* const Seed[] = {
    "insert into psettings values (1, 1, 0), (2, 0, 0)",
    "insert into pCurrencyMaster values (1, 1, 'Rupee', 'Rs'), (2, 1, 'Dollar', ' $ ')",
    "insert into pLoans values (1, 1, 'Personal Loan', 1, 12, 1000, 50000),"
    " (1, 2, 'Salary Advance', 1, 0, 0, 0), (1, 3, 'Rate Unknown', 1, NULL, 0, 0),"
    " (2, 1, 'Staff Loan', 1, 7, 0, 100000)",
    "insert into pemployee (eCompanyID, eEmpID, eName, eActive) values (1, 1, 'Asha', 1),"
    " (1, 2, 'Bala', 1), (1, 3, 'Chitra', 0), (2, 1, 'Dev', 1)",
    "insert into ploanapplication (laLoanAppID, laCompanyID, laloanappno, laAppType, laEmployeeID,"
    " laLoanID, laPaymentPeriod, laSanctionAmount, laInstalmentAmount, laDeductMonthly,"
    " lacancelled) values (10, 1, 'LA-10', 'L', 1, 1, 12, 12000, 1000, 1, 0),"
    " (11, 1, 'LA-11', 'L', 1, 1, 10, 10000, 1100, NULL, 0),"
    " (12, 1, 'LA-12', 'L', 2, 1, NULL, NULL, NULL, 0, 0),"
    " (13, 1, NULL, 'L', 1, 1, 12, 5000, 500, 1, 0),"
    " (14, 1, 'LA-14', 'L', 1, 1, 12, 5000, 500, 1, 1),"
    " (15, 1, 'LA-15', 'L', 2, 3, 12, 6000, 550, 1, 0),"
    " (20, 1, 'AA-20', 'A', 1, 2, 4, 8000, 2000, 0, 0),"
    " (30, 2, 'LB-30', 'L', 1, 1, 12, 12000, 1000, 1, 0)",
    "insert into pPrefix values (1, 91001, 'LN'), (1, 91035, 'ADV')",
    "insert into ploanrepaymentdetails (lrdcompanyid, lrdEmpID, lrdLoanID, lrdMonth) values"
    " (1, 1, 1, '2024-01-01'), (1, 1, 1, '2024-02-01'), (1, 1, 2, '2024-02-01'),"
    " (1, 2, 1, '2024-02-01'), (2, 1, 1, '2024-02-01')",
};

} // namespace

void openRegister(qint16 company, const QString& type, const QString& mode)
{
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(u":memory:"_s);
    payroll::createSchema(*connection);
    for (const char* statement : Seed)
        connection->Execute(QString::fromUtf8(statement));
    BasLoan::setAdocon(std::move(connection));
    BasLoan::MsgboxTitle = u"Payroll"_s;
    BasLoan::ProcessDate = QDate(2024, 3, 15);
    BasLoan::intUserID = 2;
    BasLoan::intCompanyID = company;
    BasLoan::strtype = type;
    BasLoan::lngInterfaceID = type == u"L" ? 91001 : 91035;
    BasLoan::strMode = mode;
    BasLoan::ResolveTableNames();
}

void run(const QString& sql)
{
    BasLoan::adocon().Execute(sql);
}

QStringList stored(const QString& sql)
{
    ado::Recordset rs;
    rs.Open(sql, BasLoan::adocon());
    QStringList fields;
    for (int i = 0; i < rs.fieldCount(); ++i) {
        const QVariant value = rs.value(i);
        fields << (value.typeId() == QMetaType::QDate ? value.toDate().toString(Qt::ISODate)
                                                      : vb::TextOf(value));
    }
    return fields;
}

QString storedValue(const QString& sql)
{
    return stored(sql).value(0);
}

void addIssue(int company, int id, const QString& type, const QString& number, bool cancelled)
{
    run(u"insert into pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, "
        "liempid, liLoanID, liLoanAppID, licancelled) values (%1, %2, '%3', '%4', "
        "'2024-01-02', 2, 1, 99, %5)"_s.arg(QString::number(company), QString::number(id), type,
                                            number, QString::number(int(cancelled))));
}

void addLiveIssue()
{
    run(u"insert into pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, "
        "liempid, liLoanID, liLoanAppID, liOpeningBalance, liCurrentBalance, "
        "liNoofPayments, liInstallmentAmount, liDeductionMode, liUsed, liRemarks) "
        "values (1, 7, 'L', 'LN7', '2024-01-05', 1, 1, 10, 12000, 5, 12, 1000, "
        "1, NULL, 'old')"_s);
}

frmLoan& newEntry(int employee, int application)
{
    BasLoan::strMode = u"N"_s;
    frmLoan& entry = frmLoan::instance();
    entry.show();
    choose(entry.cboEmployee, employee);
    choose(entry.cboloanapplication, application);
    return entry;
}

void choose(QComboBox* combo, int itemData)
{
    combo->setCurrentIndex(combo->findData(itemData));
}

bool showEntry(int issue, const std::function<void(frmLoan&)>& check)
{
    FrmMaster& reg = FrmMaster::instance();
    const ModalWatch<frmLoan> watch(check);
    if (issue == 0) {
        reg.cmdnew_Click();
    } else {
        // Its id in the register's first row is all Edit reads from the register.
        reg.flexMaster->setTextMatrix(1, 0, QString::number(issue));
        reg.flexMaster->setRow(1);
        reg.CmdEdit_Click();
    }
    return watch.timesShown() > 0;
}

void closeWindows()
{
    frmLoan::Unload();
    FrmMaster::Unload();
}

} // namespace EntryFixture
