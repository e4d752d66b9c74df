#include "entry/clsLoan.h"

#include "common/BasLoanVariables.h"
#include "register/FrmMaster.h"
#include "ui/LockWaitIndicator.h"

#include <atomic>

namespace {
std::atomic<int> objectsAlive{0};
}

clsLoan::clsLoan()
{
    ++objectsAlive;
}

clsLoan::~clsLoan()
{
    --objectsAlive;
}

int clsLoan::liveObjects()
{
    return objectsAlive;
}

ado::ConnectionPtr clsLoan::adocon()
{
    if (!m_adocon)
        m_adocon = std::make_shared<ado::Connection>();
    return m_adocon;
}

void clsLoan::Show()
{
    BasLoan::strtype = m_type;
    BasLoan::intUserID = m_userId;
    BasLoan::intCompanyID = m_companyId;
    BasLoan::MsgboxTitle = m_msgboxTitle;
    BasLoan::setAdocon(adocon());
    BasLoan::ProcessDate = m_processDate;
    LockWaitIndicator::install();
    FrmMaster::showModal();
}
