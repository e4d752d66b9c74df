#pragma once

#include "OstrelLoanIssue.h"

#include <QObject>

// The library's entry points, as a Qt plugin.
class LoanIssueServer : public QObject, public OstrelComponentServer
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID OstrelComponentServer_iid)
    Q_INTERFACES(OstrelComponentServer)

public:
    std::unique_ptr<_clsLoan> CreateObject(const QString& progId) override;
    bool DllCanUnloadNow() const override;
};
