#include "RegisterFixture.h"

#include "DemoData.h"
#include "PayrollSchema.h"
#include "common/BasLoan.h"
#include "db/PreparedStatement.h"
#include "db/SqlLiteral.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"

#include <QLocale>
#include <QPushButton>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

QString quoted(const QString& text)
{
    return u'\'' + ado::quotedText(text) + u'\'';
}

} // namespace

RegisterFixture::RegisterFixture(int days)
    : processDate(2003, 3, 15), m_connection(std::make_shared<ado::Connection>())
{
    m_connection->Open(u":memory:"_s);
    payroll::createSchema(*m_connection);
    exec(u"insert into psettings values (1, 0, %1)"_s.arg(days));
    exec(u"insert into pCurrencyMaster values (1, 1, 'Rupee', 'Rs')"_s);
    exec(u"insert into pLoans values (1, 1, 'Housing', 1, 10, 0, 1000000),"
         " (1, 2, 'Car', 1, 12, 0, 500000)"_s);
    for (const char* name : {"Adam Reyes", "Zoe Park", "Bea Lindqvist"})
        addEmployee(QString::fromUtf8(name));
}

RegisterFixture::RegisterFixture(Demo)
    : processDate(2024, 3, 15), m_connection(std::make_shared<ado::Connection>())
{
    const QString path = m_dir.filePath(u"payroll.db"_s);
    m_connection->Open(path);
    payroll::createDemoDatabase(*m_connection, processDate);
    m_other.Open(path);
}

RegisterFixture::~RegisterFixture()
{
    FrmMaster::Unload();
    BasLoan::resetForNewProcess();
}

int RegisterFixture::addEmployee(const QString& name)
{
    ++m_employees;
    exec(u"insert into pemployee (eCompanyID, eEmpID, eName) values (1, %1, %2)"_s.arg(m_employees)
             .arg(quoted(name)));
    return m_employees;
}

void RegisterFixture::addIssue(int id, const QString& number, QDate date, int employee,
                               double opening, double current, bool cancelled, const QString& type,
                               int loanType)
{
    exec(u"insert into pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, "
         "liempid, liLoanID, liLoanAppID, liOpeningBalance, liCurrentBalance, "
         "licancelled) values (1, %1, %2, %3, '%4', %5, %6, %1, %7, %8, %9)"_s.arg(id)
             .arg(quoted(type), quoted(number), date.toString(u"yyyyMMdd"))
             .arg(employee)
             .arg(loanType)
             .arg(opening, 0, 'g', 17)
             .arg(current, 0, 'g', 17)
             .arg(cancelled ? 1 : 0));
}

FrmMaster& RegisterFixture::open(const QString& type, qint16 user)
{
    FrmMaster::Unload();
    // What the register remembers stays with this fixture.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    // Dates show in one known short form, whatever the machine's locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    BasLoan::setAdocon(m_connection);
    BasLoan::MsgboxTitle = Title;
    BasLoan::ProcessDate = processDate;
    BasLoan::intUserID = user;
    BasLoan::intCompanyID = 1;
    BasLoan::strtype = type;
    return FrmMaster::instance();
}

QVariant RegisterFixture::issueField(int liID, const char* column)
{
    return m_other.ExecuteScalar(u"select %1 from pLoansIssueData where "
                                 "liCompanyID = 1 and liID = %2"_s.arg(QLatin1String(column))
                                     .arg(liID));
}

QList<QVariantList> RegisterFixture::everythingBut(int liID)
{
    QList<QVariantList> rows = ado::PreparedStatement(m_other, u"select * from pusers"_s).rows();
    rows += ado::PreparedStatement(m_other, u"select * from pLoansIssueData "
                                            "where liCompanyID <> 1 or liID <> ?"_s)
                .rows({liID});
    return rows;
}

QStringList rowTexts(const FlexGrid& grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid.Cols(); ++c)
        texts << grid.TextMatrix(row, c);
    return texts;
}

QStringList columnTexts(const FlexGrid& grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid.Rows(); ++r)
        texts << grid.TextMatrix(r, col);
    return texts;
}

int selectIssue(FlexGrid& grid, const QString& number)
{
    for (int r = 1; r < grid.Rows(); ++r) {
        if (grid.TextMatrix(r, 1) == number) {
            grid.setRow(r);
            return r;
        }
    }
    return -1;
}

QString enabledCommands(const FrmMaster& register_)
{
    QString letters;
    for (auto [button, letter] : {std::pair{register_.cmdnew, u'N'},
                                  {register_.CmdEdit, u'E'},
                                  {register_.CmdDelete, u'D'},
                                  {register_.cmdPreview, u'P'}}) {
        if (button->isEnabled())
            letters += letter;
    }
    return letters;
}
