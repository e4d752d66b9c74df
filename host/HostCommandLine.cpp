#include "HostCommandLine.h"

#include <limits>

namespace {

const QString DbOption = QStringLiteral("db");
const QString InitOption = QStringLiteral("init-db");
const QString DemoOption = QStringLiteral("demo");
const QString SqlOption = QStringLiteral("sql");
const QString BackupOption = QStringLiteral("backup");
const QString CheckOption = QStringLiteral("check");
const QString TypeOption = QStringLiteral("type");
const QString UserOption = QStringLiteral("user");
const QString CompanyOption = QStringLiteral("company");
const QString DateOption = QStringLiteral("process-date");
const QString TitleOption = QStringLiteral("title");
const QString ModuleOption = QStringLiteral("module");
const QString HelpOption = QStringLiteral("help");

// A 16-bit id as the module's host context holds it; ids start at 1.
bool readId(const QString& text, qint16& id)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > std::numeric_limits<qint16>::max())
        return false;
    id = qint16(value);
    return true;
}

} // namespace

HostCommandLine::HostCommandLine()
{
    m_parser.setApplicationDescription(QStringLiteral(
        "The payroll host: opens the loan or advance issue register of a payroll database, "
        "and does the database administrator's work (create an empty or a demo database, run "
        "a statement)."));
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({
        {{QStringLiteral("h"), HelpOption}, QStringLiteral("Show this help and exit.")},
        {DbOption,
         QStringLiteral("The payroll database (required): a SQLite file, :memory:, or odbc: "
                        "followed by an ODBC connection string or data source name."),
         QStringLiteral("CONN")},
        {InitOption,
         QStringLiteral("Create an empty payroll database (tables, table map and heading sets, "
                        "no company data). Refuses a database that already has tables.")},
        {DemoOption,
         QStringLiteral("Create the demo payroll database: two companies, their employees, "
                        "loan types, applications and issues in every state, six users. Its "
                        "issues are dated back from --process-date. Refuses a database that "
                        "already has tables.")},
        {SqlOption,
         QStringLiteral("Run statements in the SQL Server dialect through the module's "
                        "connection, separated by semicolons, in one transaction: when one "
                        "fails, none of them changes anything. A query prints a heading line "
                        "and its rows, tab-separated (NULL for empty values, dates as "
                        "yyyy-mm-dd); a change prints \"N row(s) affected\"; a blank line "
                        "separates the results of a batch."),
         QStringLiteral("STATEMENT")},
        {BackupOption,
         QStringLiteral("Copy the database file to TARGET while clerks may go on saving: a "
                        "consistent copy holding every save committed before it began, written "
                        "beside TARGET under a temporary name and renamed into place only when "
                        "complete. Prints the issues and bytes copied. Exit status 0 copied; 1 "
                        "the backup failed (TARGET left as it was); 2 an ODBC or :memory: "
                        "database."),
         QStringLiteral("TARGET")},
        {CheckOption,
         QStringLiteral("Check a database file without changing it: the engine's integrity "
                        "check, issue ids unique per company, issue numbers unique per company "
                        "and type, every issue's employee and loan type on file, repayment flags "
                        "0 or 1. Prints each check with its findings. Exit status 0 sound; 1 "
                        "findings (a file that cannot be opened is one); 2 an ODBC or :memory: "
                        "database.")},
        {TypeOption,
         QStringLiteral("Register to open: L for loans, A for salary advances (default L)."),
         QStringLiteral("L|A"), QStringLiteral("L")},
        {UserOption, QStringLiteral("The signed-in user's id (default 1, the administrator)."),
         QStringLiteral("N"), QStringLiteral("1")},
        {CompanyOption, QStringLiteral("The current company's id (default 1)."),
         QStringLiteral("N"), QStringLiteral("1")},
        {DateOption, QStringLiteral("The payroll process date (default today)."),
         QStringLiteral("YYYY-MM-DD")},
        {TitleOption, QStringLiteral("Title of the module's message boxes (default Payroll)."),
         QStringLiteral("TEXT"), QStringLiteral("Payroll")},
        {ModuleOption,
         QStringLiteral("The loan issue module library to load (default: OstrelLoanIssue "
                        "beside payroll-host)."),
         QStringLiteral("PATH")},
    });
}

QString HostCommandLine::helpText() const
{
    QString text = m_parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QStringLiteral("payroll-host"));
    return text + QStringLiteral(
                      "\nWithout --init-db, --demo, --sql, --backup or --check the register "
                      "opens; it needs an existing database.\n"
                      "\nThe demo database's users (--user), the same in both companies and "
                      "both registers:\n"
                      "  1 admin    New, Edit, Delete, Preview (user 1 holds every right)\n"
                      "  2 clerk    New, Edit, Delete, Preview (rights \"NEDP\")\n"
                      "  3 viewer   Preview only (\"P\")\n"
                      "  4 auditor  nothing (\"ADMIN\" grants no command)\n"
                      "  5 trainee  New, Edit, Delete (\" ned \"), no Preview\n"
                      "  6 guest    nothing (no rights row)\n"
                      "Every user may sort, search, copy and close. Company 1 lists the last 30 "
                      "days and numbers LN1.., ADV1..; company 2 lists every day and numbers 1, "
                      "2, ...\n\n"
                      "Exit status: 0 done, 1 a database or statement failed, 2 wrong options, "
                      "no display for the register, or the module could not be loaded.\n");
}

HostCommandLine::Outcome HostCommandLine::parse(const QStringList& arguments)
{
    m_options = HostOptions();
    m_error.clear();
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        return Outcome::Invalid;
    }
    if (m_parser.isSet(HelpOption))
        return Outcome::ShowHelp;
    if (!m_parser.positionalArguments().isEmpty()) {
        m_error = QStringLiteral("Unexpected argument '%1'.")
                      .arg(m_parser.positionalArguments().constFirst());
        return Outcome::Invalid;
    }
    m_options.database = m_parser.value(DbOption);
    if (m_options.database.trimmed().isEmpty()) {
        m_error = QStringLiteral("No database given: name it with --db.");
        return Outcome::Invalid;
    }
    return readAction() && readRegisterContext() ? Outcome::Run : Outcome::Invalid;
}

bool HostCommandLine::readAction()
{
    int actions = 0;
    if (m_parser.isSet(InitOption)) {
        m_options.action = HostOptions::Action::InitDatabase;
        ++actions;
    }
    if (m_parser.isSet(DemoOption)) {
        m_options.action = HostOptions::Action::CreateDemo;
        ++actions;
    }
    if (m_parser.isSet(SqlOption)) {
        m_options.action = HostOptions::Action::RunStatement;
        m_options.statement = m_parser.value(SqlOption);
        ++actions;
        if (m_options.statement.trimmed().isEmpty()) {
            m_error = QStringLiteral("--sql needs a statement.");
            return false;
        }
    }
    if (m_parser.isSet(BackupOption)) {
        m_options.action = HostOptions::Action::Backup;
        m_options.backupTarget = m_parser.value(BackupOption);
        ++actions;
        if (m_options.backupTarget.trimmed().isEmpty()) {
            m_error = QStringLiteral("--backup needs a target file.");
            return false;
        }
    }
    if (m_parser.isSet(CheckOption)) {
        m_options.action = HostOptions::Action::Check;
        ++actions;
    }
    if (actions > 1) {
        m_error =
            QStringLiteral("Give only one of --init-db, --demo, --sql, --backup and --check.");
        return false;
    }
    // Refused before connecting: an ODBC driver may create an empty file on connecting.
    const bool creates = m_options.action == HostOptions::Action::InitDatabase ||
                         m_options.action == HostOptions::Action::CreateDemo;
    if (creates && m_options.database.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive)) {
        m_error = QStringLiteral("--init-db and --demo create an embedded database file and do "
                                 "not run over ODBC. On the company's SQL Server the site "
                                 "administrator creates the tables with the script "
                                 "src/data/PayrollSchemaSqlServer.sql (see the README).");
        return false;
    }
    return true;
}

bool HostCommandLine::readRegisterContext()
{
    m_options.issueType = m_parser.value(TypeOption);
    if (m_options.issueType != QLatin1String("L") && m_options.issueType != QLatin1String("A")) {
        m_error = QStringLiteral("--type must be L (loans) or A (advances), not '%1'.")
                      .arg(m_options.issueType);
        return false;
    }
    if (!readId(m_parser.value(UserOption), m_options.userId)) {
        m_error = QStringLiteral("--user must be a user id from 1 to 32767, not '%1'.")
                      .arg(m_parser.value(UserOption));
        return false;
    }
    if (!readId(m_parser.value(CompanyOption), m_options.companyId)) {
        m_error = QStringLiteral("--company must be a company id from 1 to 32767, not '%1'.")
                      .arg(m_parser.value(CompanyOption));
        return false;
    }
    if (m_parser.isSet(DateOption)) {
        m_options.processDate = QDate::fromString(m_parser.value(DateOption), Qt::ISODate);
        if (!m_options.processDate.isValid()) {
            m_error = QStringLiteral("--process-date must be a date written YYYY-MM-DD, not '%1'.")
                          .arg(m_parser.value(DateOption));
            return false;
        }
    } else {
        m_options.processDate = QDate::currentDate();
    }
    m_options.title = m_parser.value(TitleOption);
    m_options.modulePath = m_parser.value(ModuleOption);
    return true;
}
