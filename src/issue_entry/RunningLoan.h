#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The unpaid instalments a new issue would close: saving it marks every repayment row of the
// employee and loan type processed, and payroll stops recovering the rows still unpaid. The
// clerk decides on that before the save, and the save checks it has not changed since.
class RunningLoan
{
public:
    // Reads the employee's unpaid repayment rows of the loan type as they stand now.
    static RunningLoan read(qint32 employee, qint32 loanType);

    bool isEmpty() const { return m_instalments == 0; }
    // The question put to the clerk; the answer that saves is Yes, the default is No.
    QString question(const QString& employee, const QString& loanType) const;

    bool operator==(const RunningLoan&) const = default;

private:
    int m_instalments = 0;
    // Their sum, where the site's repayment table holds amounts.
    std::optional<double> m_total;
    // The live issues they belong to: those the rows name, or where they name none (or the
    // table has no such column), the employee's live issues of the loan type.
    QStringList m_issues;
};
