// How quickly the issue register opens, searches and sorts on large registers. For each size a
// register is generated in a temporary SQLite file and compared with the bare sqlite3 step loop
// over the same list statement in the same run.
#include "BenchCommandLine.h"
#include "LargeRegister.h"
#include "PayrollSchema.h"
#include "common/BasLoan.h"
#include "db/Connection.h"
#include "db/SqlServerCollation.h"
#include "db/SqlServerFunctions.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"
#include "runtime/LargeBuffers.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sqlite3.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int NameEntry = 2; // the "Employee Name" entry of the column lists
constexpr int Rounds = 3;    // of the fetch and the open

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The process's peak resident memory in MB since the last reset.
double peakMegabytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    }
    return 0;
}

void resetPeak()
{
    QFile clear(u"/proc/self/clear_refs"_s);
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The bare engine, on a read-only handle of its own to the same file with the same functions
// and collation: every field of every row of the list statement (as the connection adapts it),
// each read in its own type.
class BareFetch
{
public:
    explicit BareFetch(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        ado::SqlServerFunctions::install(m_db);
        ado::SqlServerCollation::install(m_db);
    }
    ~BareFetch() { sqlite3_close(m_db); }
    BareFetch(const BareFetch&) = delete;
    BareFetch& operator=(const BareFetch&) = delete;

    double ms(const QString& adaptedSql, qint64* rows)
    {
        QElapsedTimer timer;
        timer.start();
        const QByteArray text = adaptedSql.toUtf8();
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &statement, nullptr);
        const int cols = sqlite3_column_count(statement);
        qint64 count = 0;
        std::size_t touched = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < cols; ++c) {
                switch (sqlite3_column_type(statement, c)) {
                case SQLITE_INTEGER:
                    touched += std::size_t(sqlite3_column_int64(statement, c));
                    break;
                case SQLITE_FLOAT:
                    touched += std::size_t(sqlite3_column_double(statement, c));
                    break;
                case SQLITE_TEXT:
                    touched += std::size_t(sqlite3_column_bytes(statement, c)) +
                               std::size_t(*sqlite3_column_text(statement, c));
                    break;
                default:
                    break;
                }
            }
            ++count;
        }
        sqlite3_finalize(statement);
        *rows = count + qint64(touched & 0); // keeps the reads
        return msSince(timer);
    }

private:
    sqlite3* m_db = nullptr;
};

FrmMaster& openRegister(const ado::ConnectionPtr& connection)
{
    BasLoan::setAdocon(connection);
    BasLoan::MsgboxTitle = u"Payroll"_s;
    BasLoan::ProcessDate = QDate::currentDate();
    BasLoan::intUserID = 1;
    BasLoan::intCompanyID = 1;
    BasLoan::strtype = u"L"_s;
    return FrmMaster::instance();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Later keystrokes on the same search column: the grid is in that order already.
void searchKeystrokes(FrmMaster& register_)
{
    register_.cboSearch->setCurrentIndex(NameEntry);
    register_.txtsearch->setText(u"M"_s);
    QElapsedTimer timer;
    timer.start();
    register_.txtsearch_KeyUp();
    const double first = msSince(timer);
    std::vector<double> later;
    for (const char* typed : {"Ma", "Mar", "Mari", "Maria", "Maria ", "Maria L", "Maria Lo"}) {
        register_.txtsearch->setText(QString::fromLatin1(typed));
        timer.restart();
        register_.txtsearch_KeyUp();
        later.push_back(msSince(timer));
    }
    std::printf(
        "  search keystroke: first %.1f ms (prepared order; goal < 50 ms): %s; later median "
        "%.3f ms, max %.3f ms\n",
        first, first < 50 ? "met" : "MISSED", median(later),
        *std::max_element(later.begin(), later.end()));
}

double sortMs(FrmMaster& register_, int entry, bool ascending)
{
    (ascending ? register_.optAscend : register_.optDescend)->click();
    QElapsedTimer timer;
    timer.start();
    register_.cboColNames->setCurrentIndex(entry);
    return msSince(timer);
}

void sorts(FrmMaster& register_)
{
    double slowest = 0;
    for (int entry = 0; entry < register_.cboColNames->count(); ++entry) {
        const double up = sortMs(register_, entry, true);
        const double down = sortMs(register_, entry, false);
        slowest = std::max({slowest, up, down});
        std::printf("  sort on %-18s ascending %6.1f ms, descending %6.1f ms\n",
                    qPrintable(register_.cboColNames->itemText(entry) + QLatin1Char(':')), up,
                    down);
    }
    std::printf("  slowest sort %.1f ms (goal < 150 ms): %s\n", slowest,
                slowest < 150 ? "met" : "MISSED");
}

void benchRegister(int issues)
{
    QTemporaryDir folder;
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(folder.filePath(u"register.db"_s));
    QElapsedTimer timer;
    timer.start();
    payroll::createSchema(*connection);
    payroll::seedLargeRegister(*connection, 1, u"L"_s, issues);
    std::printf("%d issues (generated in %.1f s)\n", issues, msSince(timer) / 1000);

    openRegister(connection); // builds the list statement and warms the file cache
    FrmMaster::Unload();
    // The fetch and the open taken in turns, the fastest of each: on a machine shared with
    // other work the fastest is the one least disturbed.
    BareFetch bare(folder.filePath(u"register.db"_s));
    const QString listStatement = connection->adapt(BasLoan::strMasterSQL);
    qint64 rows = 0;
    double fetch = 0;
    double open = 0;
    double peak = 0;
    for (int round = 0; round < Rounds; ++round) {
        const double fetched = bare.ms(listStatement, &rows);
        fetch = round == 0 ? fetched : std::min(fetch, fetched);
        if (round > 0)
            FrmMaster::Unload();
        resetPeak();
        timer.restart();
        openRegister(connection);
        const double opened = msSince(timer);
        open = round == 0 ? opened : std::min(open, opened);
        peak = std::max(peak, peakMegabytes());
    }
    FrmMaster& register_ = FrmMaster::instance();
    timer.restart();
    register_.show();
    QApplication::processEvents();
    const double shown = msSince(timer);

    const double ratio = open / fetch;
    const double ratioGoal = 1.25;
    std::printf("  plain sqlite3 fetch of %lld rows: %.0f ms (fastest of %d)\n", rows, fetch,
                Rounds);
    std::printf("  register open: %.0f ms (fastest of %d), %.2fx the fetch", open, Rounds, ratio);
    if (issues >= 100000)
        std::printf(" (goal <= %.2fx): %s", ratioGoal, ratio <= ratioGoal ? "met" : "MISSED");
    std::printf("\n  shown and painted: %.0f ms\n  peak memory while opening: %.0f MB", shown,
                peak);
    if (issues >= 1000000)
        std::printf(" (goal < 220 MB): %s", peak < 220 ? "met" : "MISSED");
    std::printf("\n");
    // The clerk reads the list meanwhile; the search orders are made on the second core.
    timer.restart();
    register_.flexMaster->waitForSearchOrders();
    std::printf("  search orders prepared on the second core: ready %.0f ms after showing\n",
                msSince(timer));
    searchKeystrokes(register_);
    if (issues == 100000)
        sorts(register_);
    FrmMaster::Unload();
    BasLoan::resetForNewProcess();
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    // The register measured as payroll-host runs it.
    LargeBuffers::returnToTheSystemWhenFreed();
    BenchCommandLine commandLine(
        "register_bench", "Usage: register_bench [ISSUES...]\n"
                          "Opens, searches and sorts the issue register on generated registers of "
                          "each size (default\n10000 100000 1000000), each in a temporary file, "
                          "beside the bare sqlite3 fetch of its list (the\nfastest of three of "
                          "each, taken in turns).\n");
    if (const std::optional<int> done = commandLine.parse(argc, argv))
        return *done;
    std::vector<int> sizes;
    for (const QString& size : commandLine.parser().positionalArguments()) {
        if (!readCount(size, 1, sizes.emplace_back()))
            return commandLine.refuse(u"'%1' is no number of issues."_s.arg(size));
    }
    if (sizes.empty())
        sizes = {10000, 100000, 1000000};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int issues : sizes)
        benchRegister(issues);
    return 0;
}
