#pragma once

#include "OstrelLoanIssue.h"

#include <QPluginLoader>
#include <QString>

// Finds and loads the loan-issue module on demand (the host has no link-time dependency on
// it): the path given, else $OSTREL_LOAN_MODULE, else the one installed with the host (see
// InstalledFiles).
class ModuleLoader
{
public:
    explicit ModuleLoader(const QString& modulePath = QString());

    // The path that will be or was loaded.
    QString path() const { return m_path; }

    // Loads the library and creates the class by name; raises RuntimeError with a clear
    // description when the library is missing, is not the module, or does not serve the class.
    std::unique_ptr<_clsLoan> create(const QString& progId);

private:
    QString m_path;
    QPluginLoader m_loader;
};
