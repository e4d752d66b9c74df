#pragma once

#include "db/Connection.h"

#include <QDate>
#include <QTemporaryDir>
#include <QVariant>

class frmCancel;

// The demo payroll in a file, opened as the module's connection with the clerk of company 1
// signed in, and a second connection to the same file for what other clerks and payroll do
// meanwhile.
class CancelFixture
{
public:
    static inline const QDate ProcessDate{2024, 3, 15};
    static inline const QString Title = QStringLiteral("Payroll");

    CancelFixture();
    ~CancelFixture();

    ado::Connection& module() { return *m_module; }
    ado::Connection& otherClerk() { return m_other; }

    // An issue's columns as another connection reads them now.
    QVariant issueField(int liID, const char* column);
    // Every user and every issue but one (0: all), as another connection reads them now.
    QList<QVariantList> everythingBut(int liID);

private:
    QTemporaryDir m_dir;
    ado::ConnectionPtr m_module;
    ado::Connection m_other;
};

namespace cancel_test {

constexpr int LiveIssue = 13; // LN10: live, not used by payroll

// Types the reason and presses OK.
void confirm(frmCancel& dialog, const QString& reason);

} // namespace cancel_test
