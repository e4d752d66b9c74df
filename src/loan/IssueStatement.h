#pragma once

#include <QString>

namespace rpt {
class ReportEngine;
}

// What the register's Preview and the host's printed statements share, so both render the same.
namespace IssueStatement {

// The statement's report file, looked up beside the module in moduleFolder.
QString reportFile(const QString& moduleFolder);

// "Loan Issue Statement" for L, "Advance Issue Statement" for A, empty otherwise.
QString reportName(const QString& issueType);

// Offers the engine the schedule providers the statement names.
void offerSchedules(rpt::ReportEngine& engine);

} // namespace IssueStatement
