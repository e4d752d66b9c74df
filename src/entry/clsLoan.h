#pragma once

#include "OstrelLoanIssue.h"

// The module's one public class: it holds the host context and opens the register.
class clsLoan : public _clsLoan
{
public:
    clsLoan();
    ~clsLoan() override;

    ado::ConnectionPtr adocon() override;
    void setAdocon(ado::ConnectionPtr connection) override { m_adocon = std::move(connection); }
    QString MsgboxTitle() const override { return m_msgboxTitle; }
    void setMsgboxTitle(const QString& title) override { m_msgboxTitle = title; }
    QDate ProcessDate() const override { return m_processDate; }
    void setProcessDate(QDate date) override { m_processDate = date; }
    qint16 intUserID() const override { return m_userId; }
    void setIntUserID(qint16 id) override { m_userId = id; }
    qint16 intCompanyID() const override { return m_companyId; }
    void setIntCompanyID(qint16 id) override { m_companyId = id; }
    QString strtype() const override { return m_type; }
    void setStrtype(const QString& type) override { m_type = type; }

    void Show() override;

    // How many objects of the class are alive (the library may unload at none).
    static int liveObjects();

private:
    ado::ConnectionPtr m_adocon;
    QString m_msgboxTitle;
    QDate m_processDate;
    qint16 m_userId = 0;
    qint16 m_companyId = 0;
    QString m_type;
};
