#pragma once

#include "ScriptedPresenter.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QtGlobal>
#include <memory>

class Clerk;
class FrmMaster;

// The stress database (the demo payroll plus generated applications) in a temporary file,
// the module's context of company 1's loan register on it, and the messages the clerk is shown.
class ProofFixture
{
public:
    ProofFixture();
    ~ProofFixture();

    QString databasePath() const;
    msgbox::ScriptedPresenter& messages();
    Clerk& clerk() { return *m_clerk; }
    // A new live loan of the next generated employee, saved through the entry window; its id.
    qint32 saveLiveIssue();
    // The register as the user opens it, shown, with the issue's row selected.
    FrmMaster& openRegister(qint16 user, qint32 selectedIssue);
    // One row of a statement's fields, as text joined by '|'.
    QString row(const QString& sql);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Clerk> m_clerk;
    int m_saves = 0;
};
