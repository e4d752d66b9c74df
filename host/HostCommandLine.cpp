#include "HostCommandLine.h"

#include "InstalledFiles.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QString DbOption = u"db"_s;
const QString InitOption = u"init-db"_s;
const QString DemoOption = u"demo"_s;
const QString SqlOption = u"sql"_s;
const QString BackupOption = u"backup"_s;
const QString CheckOption = u"check"_s;
const QString AddIndexesOption = u"add-indexes"_s;
const QString StatementOption = u"statement"_s;
const QString PdfOption = u"pdf"_s;
const QString TypeOption = u"type"_s;
const QString UserOption = u"user"_s;
const QString CompanyOption = u"company"_s;
const QString DateOption = u"process-date"_s;
const QString TitleOption = u"title"_s;
const QString ModuleOption = u"module"_s;
const QString HelpOption = u"help"_s;
const QString VersionOption = u"version"_s;

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
    m_parser.setApplicationDescription(
        u"The payroll host: opens the loan or advance issue register of a payroll database, "
        "and does the database administrator's work (create an empty or a demo database, run "
        "a statement)."_s);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({
        {{u"h"_s, HelpOption}, u"Show this help and exit."_s},
        {VersionOption, u"Show the version and exit."_s},
        {DbOption,
         u"The payroll database (required): a SQLite file, :memory:, or odbc: "
         "followed by an ODBC connection string or data source name."_s,
         u"CONN"_s},
        {InitOption, u"Create an empty payroll database (tables, table map and heading sets, "
                     "no company data). Refuses a database that already has tables."_s},
        {DemoOption, u"Create the demo payroll database: two companies, their employees, "
                     "loan types, applications and issues in every state, six users. Its "
                     "issues are dated back from --process-date. Refuses a database that "
                     "already has tables."_s},
        {SqlOption,
         u"Run statements in the SQL Server dialect through the module's "
         "connection, separated by semicolons, in one transaction: when one "
         "fails, none of them changes anything. A query prints a heading line "
         "and its rows, tab-separated (NULL for empty values, dates as "
         "yyyy-mm-dd); a change prints \"N row(s) affected\"; a blank line "
         "separates the results of a batch. A batch of selects takes no write lock. "
         "Transaction control and file-level statements (BEGIN, COMMIT, ROLLBACK, SAVE "
         "TRANSACTION, END, ATTACH, DETACH, VACUUM, PRAGMA) are refused before anything runs."_s,
         u"STATEMENT"_s},
        {BackupOption,
         u"Copy the database file to TARGET while clerks may go on saving: a "
         "consistent copy holding every save committed before it began, written "
         "beside TARGET under a temporary name and renamed into place only when "
         "complete and found sound by the checks of --check (a copy with findings is kept as "
         "TARGET.damaged instead). Prints the issues and bytes copied. Exit status 0 copied; 1 "
         "the backup failed (TARGET left as it was); 2 an ODBC or :memory: "
         "database."_s,
         u"TARGET"_s},
        {CheckOption, u"Check a database file without changing it: the engine's integrity "
                      "check, issue ids unique per company, issue numbers unique per company "
                      "and type, every issue's employee and loan type on file, repayment flags "
                      "0 or 1, values SQL Server's column types can hold. Prints each check with "
                      "its findings. Exit status 0 sound; 1 "
                      "findings (a file that cannot be opened is one); 2 an ODBC or :memory: "
                      "database."_s},
        {AddIndexesOption,
         u"Give an existing database file the indexes it lacks (one made before an index "
         "joined the schema, such as the numbering's), and name each one added; run again, "
         "it adds none. Exit status 0 done; 1 the database failed; 2 an ODBC or :memory: "
         "database."_s},
        {StatementOption,
         u"Print the issue statements of the issues numbered NUMBER (their issue number, "
         "as the register shows it) of --company in the --type register into the PDF file "
         "--pdf names, as Preview shows them, one after another, each from a new page; "
         "--user names who printed them. Needs no display. Exit status 0 written; 1 a number "
         "not found or a failure (nothing written); 2 wrong options."_s,
         u"NUMBER[,NUMBER...]"_s},
        {PdfOption, u"The PDF file --statement writes, replaced only once complete."_s,
         u"OUT.pdf"_s},
        {TypeOption, u"Register to open: L for loans, A for salary advances (default L)."_s,
         u"L|A"_s, u"L"_s},
        {UserOption, u"The signed-in user's id (default 1, the administrator)."_s, u"N"_s, u"1"_s},
        {CompanyOption, u"The current company's id (default 1)."_s, u"N"_s, u"1"_s},
        {DateOption, u"The payroll process date (default today)."_s, u"YYYY-MM-DD"_s},
        {TitleOption, u"Title of the module's message boxes (default Payroll)."_s, u"TEXT"_s,
         u"Payroll"_s},
        {ModuleOption,
         u"The loan issue module library to load (default: the one installed with "
         "payroll-host, in %1 from its folder, else the one beside it)."_s.arg(
             QLatin1String(OSTREL_MODULE_FROM_HOST)),
         u"PATH"_s},
    });
}

QString HostCommandLine::helpText() const
{
    QString text = m_parser.helpText();
    text.replace(u"<executable_name>"_s, u"payroll-host"_s);
    return text + u"\nWithout --init-db, --demo, --sql, --backup, --check, --statement or "
                  "--add-indexes the register opens; it needs an existing database.\n"
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
                  "no display for the register, or the module could not be loaded.\n"_s;
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
    if (m_parser.isSet(VersionOption))
        return Outcome::ShowVersion;
    // A repeated option would silently take its last value.
    const QStringList given = m_parser.optionNames();
    for (const QString& name : given) {
        if (given.count(name) > 1) {
            m_error = u"--%1 is given more than once; give it once."_s.arg(name);
            return Outcome::Invalid;
        }
    }
    if (!m_parser.positionalArguments().isEmpty()) {
        m_error = u"Unexpected argument '%1'."_s.arg(m_parser.positionalArguments().constFirst());
        return Outcome::Invalid;
    }
    m_options.database = m_parser.value(DbOption);
    if (m_options.database.trimmed().isEmpty()) {
        m_error = u"No database given: name it with --db."_s;
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
            m_error = u"--sql needs a statement."_s;
            return false;
        }
    }
    if (m_parser.isSet(BackupOption)) {
        m_options.action = HostOptions::Action::Backup;
        m_options.backupTarget = m_parser.value(BackupOption);
        ++actions;
        if (m_options.backupTarget.trimmed().isEmpty()) {
            m_error = u"--backup needs a target file."_s;
            return false;
        }
    }
    if (m_parser.isSet(CheckOption)) {
        m_options.action = HostOptions::Action::Check;
        ++actions;
    }
    if (m_parser.isSet(StatementOption)) {
        m_options.action = HostOptions::Action::Statements;
        ++actions;
        if (!readStatements())
            return false;
    } else if (m_parser.isSet(PdfOption)) {
        m_error = u"--pdf belongs to --statement."_s;
        return false;
    }
    if (m_parser.isSet(AddIndexesOption)) {
        m_options.action = HostOptions::Action::AddIndexes;
        ++actions;
    }
    if (actions > 1) {
        m_error = u"Give only one of --init-db, --demo, --sql, --backup, --check, --statement "
                  "and --add-indexes."_s;
        return false;
    }
    // Refused before connecting: an ODBC driver may create an empty file on connecting.
    const bool creates = m_options.action == HostOptions::Action::InitDatabase ||
                         m_options.action == HostOptions::Action::CreateDemo;
    if (creates && m_options.database.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive)) {
        m_error = u"--init-db and --demo create an embedded database file and do "
                  "not run over ODBC. On the company's SQL Server the site "
                  "administrator creates the tables with the script "
                  "%1 (see the README)."_s.arg(InstalledFiles::sqlServerScript());
        return false;
    }
    return true;
}

bool HostCommandLine::readStatements()
{
    for (const QString& number : m_parser.value(StatementOption).split(u',')) {
        if (number.trimmed().isEmpty()) {
            m_error = u"--statement needs issue numbers separated by commas, not '%1'."_s.arg(
                m_parser.value(StatementOption));
            return false;
        }
        m_options.statementNumbers.append(number.trimmed());
    }
    m_options.pdfPath = m_parser.value(PdfOption);
    if (m_options.pdfPath.trimmed().isEmpty()) {
        m_error = u"--statement needs the PDF file to write: --pdf OUT.pdf."_s;
        return false;
    }
    return true;
}

bool HostCommandLine::readRegisterContext()
{
    m_options.issueType = m_parser.value(TypeOption);
    if (m_options.issueType != QLatin1String("L") && m_options.issueType != QLatin1String("A")) {
        m_error = u"--type must be L (loans) or A (advances), not '%1'."_s.arg(m_options.issueType);
        return false;
    }
    if (!readId(m_parser.value(UserOption), m_options.userId)) {
        m_error = u"--user must be a user id from 1 to 32767, not '%1'."_s.arg(
            m_parser.value(UserOption));
        return false;
    }
    if (!readId(m_parser.value(CompanyOption), m_options.companyId)) {
        m_error = u"--company must be a company id from 1 to 32767, not '%1'."_s.arg(
            m_parser.value(CompanyOption));
        return false;
    }
    if (m_parser.isSet(DateOption)) {
        m_options.processDate = QDate::fromString(m_parser.value(DateOption), Qt::ISODate);
        if (!m_options.processDate.isValid()) {
            m_error = u"--process-date must be a date written YYYY-MM-DD, not '%1'."_s.arg(
                m_parser.value(DateOption));
            return false;
        }
    } else {
        m_options.processDate = QDate::currentDate();
    }
    m_options.title = m_parser.value(TitleOption);
    m_options.modulePath = m_parser.value(ModuleOption);
    return true;
}
