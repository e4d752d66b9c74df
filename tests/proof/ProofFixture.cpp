#include "ProofFixture.h"

#include "Clerk.h"
#include "StressDatabase.h"

#include "common/BasLoan.h"
#include "db/Recordset.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"
#include "runtime/Conversions.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr int Employees = 4;
}

ProofFixture::ProofFixture()
{
    stress::createStressDatabase(databasePath(), Employees, 100);
    m_clerk = std::make_unique<Clerk>(databasePath());
}

msgbox::ScriptedPresenter& ProofFixture::messages()
{
    return m_clerk->messages();
}

ProofFixture::~ProofFixture()
{
    FrmMaster::Unload();
    m_clerk.reset();
    BasLoan::resetForNewProcess();
}

QString ProofFixture::databasePath() const
{
    return m_dir.filePath(u"payroll.db"_s);
}

qint32 ProofFixture::saveLiveIssue()
{
    const Clerk::Outcome saved =
        m_clerk->saveNewIssue(stress::FirstEmployee + m_saves++ % Employees);
    messages().clear();
    return saved.kind == Clerk::Outcome::Done ? saved.issueId : 0;
}

FrmMaster& ProofFixture::openRegister(qint16 user, qint32 selectedIssue)
{
    FrmMaster::Unload();
    BasLoan::intUserID = user;
    FrmMaster& reg = FrmMaster::instance();
    reg.show();
    // Access keys reach only the active window.
    reg.activateWindow();
    if (!QTest::qWaitForWindowActive(&reg))
        qWarning("the register did not become the active window");
    for (int r = 1; r < reg.flexMaster->Rows(); ++r) {
        if (reg.flexMaster->TextMatrix(r, 0) == QString::number(selectedIssue))
            reg.flexMaster->setRow(r);
    }
    messages().clear();
    return reg;
}

QString ProofFixture::row(const QString& sql)
{
    ado::Recordset rs;
    rs.Open(sql, BasLoan::adocon());
    QStringList fields;
    for (int i = 0; !rs.isEOF() && i < rs.fieldCount(); ++i)
        fields << vb::TextOf(rs.value(i));
    return fields.join(u'|');
}
