#include "CancelFixture.h"

#include "DemoData.h"
#include "NativeStatement.h"
#include "cancel/frmCancel.h"
#include "data/BasLoanVariables.h"
#include "data/ResolveTableNames.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

CancelFixture::CancelFixture() : m_module(std::make_shared<ado::Connection>())
{
    const QString path = m_dir.filePath(QStringLiteral("payroll.db"));
    m_module->Open(path);
    payroll::createDemoDatabase(*m_module, ProcessDate);
    m_other.Open(path);

    BasLoan::resetForNewProcess();
    BasLoan::setAdocon(m_module);
    BasLoan::MsgboxTitle = Title;
    BasLoan::ProcessDate = ProcessDate;
    BasLoan::intCompanyID = 1;
    BasLoan::intUserID = 2;
    BasLoan::strtype = QStringLiteral("L");
    BasLoan::ResolveTableNames();
}

CancelFixture::~CancelFixture()
{
    BasLoan::resetForNewProcess();
    m_other.Close();
}

QVariant CancelFixture::issueField(int liID, const char* column)
{
    return m_other.ExecuteScalar(QStringLiteral("select %1 from pLoansIssueData where "
                                                "liCompanyID = 1 and liID = %2")
                                     .arg(QLatin1String(column))
                                     .arg(liID));
}

QList<QVariantList> CancelFixture::everythingBut(int liID)
{
    QList<QVariantList> rows =
        payroll::NativeStatement(m_other, QStringLiteral("select * from pusers")).rows();
    rows += payroll::NativeStatement(m_other, QStringLiteral("select * from pLoansIssueData "
                                                             "where liCompanyID <> 1 or liID <> ?"))
                .rows({liID});
    return rows;
}

void cancel_test::confirm(frmCancel& dialog, const QString& reason)
{
    dialog.txtcanreason->setText(reason);
    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
}
