#pragma once

// For host authors: the loan-and-advance issue module is a Qt plugin that serves one creatable
// class, "OstrelLoanIssue.clsLoan". Load the library with QPluginLoader, cast its instance to
// OstrelComponentServer, create the class by name, assign the context and call Show:
//
//     QPluginLoader loader(path);
//     auto* server = qobject_cast<OstrelComponentServer*>(loader.instance());
//     std::unique_ptr<_clsLoan> loan = server->CreateObject("OstrelLoanIssue.clsLoan");
//     loan->setAdocon(connection);  loan->setMsgboxTitle("Payroll");  ...
//     loan->Show();   // modal; raises RuntimeError when the register cannot load
//
// The module uses the host's open connection (it never opens or closes it) and keeps no state
// of its own beyond the loaded library.

#include "db/Connection.h"

#include <QDate>
#include <QString>
#include <QtPlugin>
#include <memory>

// The interface numbers of the loan and the advance register: they key a register's rights
// (puserrights) and its issue prefix (pPrefix) in the payroll tables.
inline constexpr qint32 LoanRegisterInterfaceID = 91001;
inline constexpr qint32 AdvanceRegisterInterfaceID = 91035;

// The class's interface, members in their order.
class _clsLoan
{
public:
    virtual ~_clsLoan() = default;

    // The host's open connection. Reading it while unset yields a new, unopened connection.
    virtual ado::ConnectionPtr adocon() = 0;
    virtual void setAdocon(ado::ConnectionPtr connection) = 0;
    virtual QString MsgboxTitle() const = 0;
    virtual void setMsgboxTitle(const QString& title) = 0;
    virtual QDate ProcessDate() const = 0;
    virtual void setProcessDate(QDate date) = 0;
    virtual qint16 intUserID() const = 0;
    virtual void setIntUserID(qint16 id) = 0;
    virtual qint16 intCompanyID() const = 0;
    virtual void setIntCompanyID(qint16 id) = 0;
    // "L" loans, "A" advances.
    virtual QString strtype() const = 0;
    virtual void setStrtype(const QString& type) = 0;
    // Opens the register modally and returns when the user closes it.
    virtual void Show() = 0;
};

// The library's entry points: create a class by its name, and whether the library may be
// unloaded (no object of it is alive).
class OstrelComponentServer
{
public:
    virtual ~OstrelComponentServer() = default;
    // nullptr for a name the library does not serve.
    virtual std::unique_ptr<_clsLoan> CreateObject(const QString& progId) = 0;
    virtual bool DllCanUnloadNow() const = 0;
};

#define OstrelComponentServer_iid "org.ostrel.OstrelComponentServer/1.0"
Q_DECLARE_INTERFACE(OstrelComponentServer, OstrelComponentServer_iid)
