// Times the register grid at the sizes a payroll company reaches: the bulk fill (from memory
// and from the raw sqlite3 step loop), the fill through AddItem, the generic sort of every
// column, the repeated ascending sort the search runs before each keystroke, and drawing a
// frame. Each measurement runs in a fresh process so its peak memory is its own.
#include "BenchCommandLine.h"
#include "db/Connection.h"
#include "db/PreparedStatement.h"
#include "db/Transaction.h"
#include "grid/FlexGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>

#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <unistd.h>

using namespace Qt::StringLiterals;

extern char** environ;

namespace {

constexpr int Cols = 8;
const char* const Names[] = {"Ahmed Khan",       "Maria Lopez", "Chen Wei",     "Olga Petrova",
                             "Sibusiso Dlamini", "Ayşe Yılmaz", "John O'Neill", "Priya Nair",
                             "Kwame Mensah",     "Zoë Durand",  "Tomás Novák",  "Fatima Zahra"};
const char* const LoanTypes[] = {"Housing Loan",   "Car Loan",         "Salary Advance",
                                 "Education Loan", "Festival Advance", "Medical Loan"};

double megabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::strlen(field))) / 1024.0;
    return 0.0;
}

// "###,###,##0.00", as the register shows balances (std::to_chars: printf would cost more
// than the whole grid fill).
void formatAmount(double value, std::string& out)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value < 0 ? -value : value,
                                   std::chars_format::fixed, 2)
                         .ptr;
    const int whole = int(end - digits) - 3;
    out.clear();
    if (value < 0)
        out += '-';
    for (int i = 0; i < whole; ++i) {
        if (i > 0 && (whole - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    out.append(digits + whole, 3);
}

// One register row of realistic texts; the views stay valid until the next row.
class RowMaker
{
public:
    const std::string_view* next(int id)
    {
        m_text[0] = std::to_string(id);
        char number[16];
        std::snprintf(number, sizeof number, "LN%06d", id);
        m_text[1] = number;
        char date[16];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", 1 + int(m_random() % 28),
                      1 + int(m_random() % 12), 1998 + int(m_random() % 10));
        m_text[2] = date;
        m_text[3] = Names[m_random() % std::size(Names)];
        m_text[4] = LoanTypes[m_random() % std::size(LoanTypes)];
        const double opening = double(m_random() % 5000000) / 100.0;
        formatAmount(opening, m_text[5]);
        formatAmount(opening * double(m_random() % 100) / 100.0, m_text[6]);
        m_text[7] = m_random() % 10 == 0 ? "Yes" : "No";
        for (int c = 0; c < Cols; ++c)
            m_view[c] = m_text[c];
        return m_view.data();
    }

private:
    std::mt19937 m_random{20030315};
    std::array<std::string, Cols> m_text;
    std::array<std::string_view, Cols> m_view;
};

void fillFromMemory(FlexGrid& grid, int rows)
{
    RowMaker maker;
    grid.setFixedCols(0);
    grid.beginFill(Cols, rows);
    for (int r = 1; r <= rows; ++r)
        grid.appendRowUtf8(maker.next(r));
    grid.endFill();
}

std::string databasePath(int rows)
{
    return "/tmp/grid_bench_" + std::to_string(rows) + ".db";
}

void createDatabase(int rows)
{
    const std::string path = databasePath(rows);
    if (access(path.c_str(), F_OK) == 0)
        return;
    ado::Connection db;
    db.Open(QString::fromStdString(path));
    ado::PreparedStatement(db, u"create table issue(liid int, lino text, lidate text, eName text, "
                               "lDescription text, liopeningbalance real, licurrentbalance real, "
                               "licancelled int)"_s)
        .run();
    ado::Transaction transaction(db);
    ado::PreparedStatement insert(db, u"insert into issue values(?,?,?,?,?,?,?,?)"_s);
    std::mt19937 random(20030315);
    for (int id = 1; id <= rows; ++id) {
        char number[16];
        std::snprintf(number, sizeof number, "LN%06d", id);
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", 1998 + int(random() % 10),
                      1 + int(random() % 12), 1 + int(random() % 28));
        const double opening = double(random() % 5000000) / 100.0;
        insert.bind(id)
            .bind(QByteArray(number))
            .bind(QByteArray(date))
            .bind(QByteArray(Names[random() % std::size(Names)]))
            .bind(QByteArray(LoanTypes[random() % std::size(LoanTypes)]))
            .bind(opening)
            .bind(opening * double(random() % 100) / 100.0)
            .bind(int(random() % 10 == 0))
            .run();
    }
    transaction.commit();
}

std::string_view trimmed(const unsigned char* text, int bytes)
{
    std::string_view view(reinterpret_cast<const char*>(text), std::size_t(bytes));
    while (!view.empty() && view.front() == ' ')
        view.remove_prefix(1);
    while (!view.empty() && view.back() == ' ')
        view.remove_suffix(1);
    return view;
}

// The bare baseline of the register's fill: the engine's step loop straight into the grid.
void fillFromDatabase(FlexGrid& grid, int rows)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(databasePath(rows).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db,
                       "select liid, lino, lidate, eName, lDescription, liopeningbalance, "
                       "licurrentbalance, case licancelled when 1 then 'Yes' when 0 then 'No' "
                       "end from issue",
                       -1, &select, nullptr);
    std::array<std::string, Cols> formatted;
    std::array<std::string_view, Cols> cells;
    grid.setFixedCols(0);
    grid.beginFill(Cols);
    while (sqlite3_step(select) == SQLITE_ROW) {
        for (int c = 0; c < Cols; ++c) {
            if (c == 5 || c == 6) {
                formatAmount(sqlite3_column_double(select, c), formatted[c]);
                cells[c] = formatted[c];
            } else if (c == 2) { // yyyy-mm-dd shown as dd/mm/yyyy
                const char* iso = reinterpret_cast<const char*>(sqlite3_column_text(select, c));
                formatted[c].assign(iso + 8, 2).append("/").append(iso + 5, 2).append("/");
                formatted[c].append(iso, 4);
                cells[c] = formatted[c];
            } else {
                const unsigned char* text = sqlite3_column_text(select, c);
                cells[c] = trimmed(text, sqlite3_column_bytes(select, c));
            }
        }
        grid.appendRowUtf8(cells.data());
    }
    grid.endFill();
    sqlite3_finalize(select);
    sqlite3_close(db);
}

void fillByAddItem(FlexGrid& grid, int rows)
{
    RowMaker maker;
    grid.setFixedCols(0);
    grid.setCols(Cols);
    grid.setRows(1);
    for (int r = 1; r <= rows; ++r) {
        const std::string_view* cells = maker.next(r);
        QString item;
        for (int c = 0; c < Cols; ++c) {
            if (c > 0)
                item += QLatin1Char('\t');
            item += QString::fromUtf8(cells[c].data(), qsizetype(cells[c].size()));
        }
        grid.AddItem(item);
    }
}

void printRow(const char* what, int rows, const char* figure, double value, const char* unit)
{
    std::printf("%-44s %10d  %-12s %10.3f %s  peak %6.0f MB\n", what, rows, figure, value, unit,
                megabytes("VmHWM:"));
    std::fflush(stdout);
}

int runFill(const std::string& source, int rows)
{
    FlexGrid grid;
    QElapsedTimer timer;
    if (source == "memory") { // what making the texts costs, without the grid
        timer.start();
        RowMaker maker;
        std::size_t bytes = 0;
        for (int r = 1; r <= rows; ++r)
            bytes += maker.next(r)[3].size();
        printRow("texts made, no grid (part of fill: memory)", rows, "time",
                 timer.nsecsElapsed() / 1e9, bytes > 0 ? "s " : "s?");
    }
    timer.start();
    if (source == "memory")
        fillFromMemory(grid, rows);
    else if (source == "sqlite")
        fillFromDatabase(grid, rows);
    else
        fillByAddItem(grid, rows);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const std::string what = "fill: " + source;
    printRow(what.c_str(), rows, "time", seconds, "s ");

    grid.resize(475, 283); // the register's 7125 x 4245 twips
    grid.setRow(rows);
    grid.setTopRow(rows);
    grid.show();
    timer.restart();
    QApplication::processEvents();
    const QPixmap frame = grid.grab();
    const std::string shown = "show and grab a frame after fill: " + source;
    printRow(shown.c_str(), rows, "time", timer.nsecsElapsed() / 1e6, "ms");
    return frame.isNull() ? 1 : 0;
}

int runSort(int rows)
{
    FlexGrid grid;
    fillFromMemory(grid, rows);
    QElapsedTimer timer;
    for (int c = 0; c < Cols; ++c) {
        grid.setCol(c);
        grid.setColSel(c);
        timer.start();
        grid.setSort(1);
        const std::string what = "sort ascending on column " + std::to_string(c);
        printRow(what.c_str(), rows, "time", timer.nsecsElapsed() / 1e6, "ms");
    }
    grid.setCol(3);
    grid.setColSel(3);
    timer.start();
    grid.setSort(2);
    printRow("sort descending on column 3 (names)", rows, "time", timer.nsecsElapsed() / 1e6, "ms");

    // The search sorts its column ascending before every keystroke, then searches it.
    grid.setCol(3);
    grid.setColSel(3);
    grid.setSort(1);
    constexpr int Repeats = 100;
    timer.start();
    for (int i = 0; i < Repeats; ++i) {
        grid.setCol(3);
        grid.setColSel(3);
        grid.setSort(1);
    }
    printRow("ascending sort repeated on column 3, per call", rows, "time",
             timer.nsecsElapsed() / 1e3 / Repeats, "us");
    timer.start();
    for (int i = 0; i < Repeats; ++i) {
        grid.setCol(3);
        grid.setColSel(3);
        grid.setSort(1);
        int low = 1;
        int high = grid.Rows() - 1;
        while (low <= high) {
            const int mid = low + (high - low) / 2;
            if (grid.TextMatrix(mid, 3).left(4).toUpper() < u"PRIY"_s)
                low = mid + 1;
            else
                high = mid - 1;
        }
    }
    printRow("search keystroke (sort + binary search)", rows, "time",
             timer.nsecsElapsed() / 1e3 / Repeats, "us");
    return 0;
}

// Red letters for the cancelled rows: cell by cell through the current cell, as the
// classic marking loop does (with the row rule's EnterCell on every move), and by rows.
int runMarking(int rows)
{
    FlexGrid grid;
    fillFromMemory(grid, rows);
    int enterCells = 0;
    QObject::connect(&grid, &FlexGrid::EnterCell, [&] { ++enterCells; });
    QElapsedTimer timer;
    timer.start();
    for (int r = 1; r < grid.Rows(); ++r) {
        for (int c = 0; c < Cols; ++c) {
            grid.setRow(r);
            grid.setCol(c);
            if (grid.TextMatrix(r, 7) == QLatin1String("Yes"))
                grid.setCellForeColor(255);
        }
    }
    printRow("mark cancelled rows cell by cell", rows, "time", timer.nsecsElapsed() / 1e6, "ms");
    timer.start();
    for (int r = 1; r < grid.Rows(); ++r) {
        if (grid.TextMatrix(r, 7) == QLatin1String("Yes"))
            grid.setRowForeColor(r, 255);
    }
    printRow("mark cancelled rows by setRowForeColor", rows, "time", timer.nsecsElapsed() / 1e6,
             "ms");
    return enterCells > 0 ? 0 : 1;
}

int runScenario(int argc, char** argv, const std::string& scenario, int rows)
{
    QApplication app(argc, argv);
    if (scenario == "sort")
        return runSort(rows);
    if (scenario == "mark")
        return runMarking(rows);
    return runFill(scenario, rows);
}

int spawnScenario(const char* scenario, int rows)
{
    const std::string rowText = std::to_string(rows);
    char self[] = "/proc/self/exe";
    char* args[] = {self, const_cast<char*>(scenario), const_cast<char*>(rowText.c_str()), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, self, nullptr, nullptr, args, environ) != 0)
        return 1;
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

int main(int argc, char** argv)
{
    BenchCommandLine commandLine(
        "grid_bench", "Usage: grid_bench\n"
                      "Times the register grid at 100,000 and 1,000,000 rows: fills, AddItem, "
                      "sorts, marking\ncancelled rows and drawing, each in a fresh process. The "
                      "rows are generated once into\n/tmp/grid_bench_ROWS.db and reused.\n");
    if (const std::optional<int> done = commandLine.parse(argc, argv))
        return *done;
    // Each measurement is this program started again as "grid_bench SCENARIO ROWS".
    const QStringList scenario = commandLine.parser().positionalArguments();
    if (!scenario.isEmpty()) {
        const QStringList scenarios = {u"memory"_s, u"sqlite"_s, u"additem"_s, u"sort"_s,
                                       u"mark"_s};
        if (scenario.size() != 2 || !scenarios.contains(scenario[0]))
            return commandLine.refuse(
                u"Unexpected arguments '%1': a measurement is started as 'grid_bench SCENARIO "
                "ROWS', SCENARIO one of %2."_s.arg(scenario.join(u' '), scenarios.join(u", ")));
        int rows = 0;
        if (!readCount(scenario[1], 1, rows))
            return commandLine.refuse(u"'%1' is no number of rows."_s.arg(scenario[1]));
        return runScenario(argc, argv, scenario[0].toStdString(), rows);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::printf("grid_bench: %d columns of register texts; each line a fresh process\n", Cols);
    std::fflush(stdout);
    for (const int rows : {1000000, 100000})
        createDatabase(rows);
    int failures = 0;
    for (const int rows : {1000000, 100000}) {
        failures += spawnScenario("memory", rows);
        failures += spawnScenario("sqlite", rows);
    }
    failures += spawnScenario("additem", 100000);
    failures += spawnScenario("sort", 100000);
    failures += spawnScenario("mark", 100000);
    return failures == 0 ? 0 : 1;
}
