#include "issue_entry/RunningLoan.h"

#include "common/BasLoanVariables.h"
#include "db/Recordset.h"
#include "runtime/Conversions.h"

using namespace Qt::StringLiterals;

namespace {

int fieldIndex(const ado::Recordset& rs, const QString& name)
{
    for (int i = 0; i < rs.fieldCount(); ++i) {
        if (rs.fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList liveIssueNumbers(qint32 employee, qint32 loanType, const QStringList& ids)
{
    QString sql = u"select liNo from %1 where liCompanyID = %2 and liempid = %3 and liLoanID = %4 "
                  "and isnull(licancelled, 0) = 0"_s.arg(
                      BasLoan::strTblLoansIssue, QString::number(BasLoan::intCompanyID),
                      QString::number(employee), QString::number(loanType));
    if (!ids.isEmpty())
        sql += u" and liID in (%1)"_s.arg(ids.join(u','));
    ado::Recordset rs;
    rs.Open(sql + u" order by liID"_s, BasLoan::adocon());
    QStringList numbers;
    for (; !rs.isEOF(); rs.MoveNext())
        numbers << vb::Trim(vb::TextOf(rs.value(0)));
    return numbers;
}

} // namespace

RunningLoan RunningLoan::read(qint32 employee, qint32 loanType)
{
    ado::Recordset rs;
    rs.Open(u"select * from %1 where lrdcompanyid = %2 and lrdEmpID = %3 and lrdLoanID = %4 "
            "and isnull(lrdProcessed, 0) = 0"_s.arg(
                BasLoan::strTblRepayment, QString::number(BasLoan::intCompanyID),
                QString::number(employee), QString::number(loanType)),
            BasLoan::adocon());
    const int amount = fieldIndex(rs, u"lrdAmount"_s);
    const int issue = fieldIndex(rs, u"lrdLoanIssueID"_s);
    RunningLoan running;
    QStringList ids;
    if (amount >= 0)
        running.m_total = 0.0;
    for (; !rs.isEOF(); rs.MoveNext()) {
        ++running.m_instalments;
        if (amount >= 0)
            *running.m_total += vb::CDbl(rs.value(amount));
        const QVariant id = issue >= 0 ? rs.value(issue) : QVariant();
        if (!id.isNull() && !ids.contains(vb::TextOf(id)))
            ids << vb::TextOf(id);
    }
    rs.Close();
    // Told and compared to the cent, as the clerk reads it.
    if (running.m_total)
        running.m_total = vb::Val(vb::Format(*running.m_total, u"0.00"));
    if (!running.isEmpty())
        running.m_issues = liveIssueNumbers(employee, loanType, ids);
    return running;
}

QString RunningLoan::question(const QString& employee, const QString& loanType) const
{
    const bool one = m_instalments == 1;
    QString told =
        u"Saving this issue stops payroll recovering %1 unpaid %2 instalment%3 of %4"_s.arg(
            QString::number(m_instalments), loanType, one ? u""_s : u"s"_s, employee);
    if (m_total)
        told += (one ? u", %1"_s : u", %1 in all"_s).arg(vb::Format(*m_total, u"###,###,##0.00"));
    if (m_issues.isEmpty())
        told += u" (of no live issue)"_s;
    else
        told += (m_issues.size() == 1 ? u" (issue %1)"_s : u" (issues %1)"_s)
                    .arg(m_issues.join(u", "_s));
    return told + (one ? u".\n\nSave the issue and close it?"_s
                       : u".\n\nSave the issue and close them?"_s);
}
