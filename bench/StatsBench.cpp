// The quick viewer's statistics on a logbook of 1,000,000 entries in one
// year: each view's time through the program (statements, folding into the
// table) beside the engine floor of the same grouped statements on the
// sqlite3 C API.  Goal: the categories by month of the year within 500 ms.
//
// The year is generated afresh in a temporary folder on every run: the
// LogBook indexes and triggers are put aside during the load and rebuilt from
// the program's own statements afterwards.

#include "ActionRunner.h"
#include "BenchData.h"
#include "EngineFloor.h"
#include "RatioReporter.h"

#include "core/Formats.h"
#include "desk/Statistics.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace vm;
using namespace vm::bench;

namespace {

constexpr int YearEntries = 1'000'000;
constexpr int Year = 2025;

const QStringList Categories{
    "Dining",      "Theatre",  "Spa",          "Airport",      "Limousine", "Tours",
    "Golf",        "Shopping", "Florist",      "Babysitter",   "Museum",    "Concert",
    "Car Rental",  "Pharmacy", "Doctor",       "Dry Cleaning", "Tickets",   "Boat Charter",
    "Package",     "Wake-up",  "Lost & Found", "Complaint",    "Amenity",   "Birthday",
    "Anniversary", "Transfer", "Ski Rental",   "Bike Rental",  "Fitness",   "Yoga"};

sqlite3* rawHandle(Database& db) {
    const QVariant h = db.handle().driver()->handle();
    return *static_cast<sqlite3* const*>(h.constData());
}

void execRaw(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string what = sql + ": " + (error ? error : "?");
        sqlite3_free(error);
        throw std::runtime_error(what);
    }
}

std::vector<std::string> column0(sqlite3* db, const char* sql) {
    std::vector<std::string> out;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    while (sqlite3_step(s) == SQLITE_ROW)
        out.push_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    return out;
}

void bind(sqlite3_stmt* s, int at, const QString& v) {
    const QByteArray u = v.toUtf8();
    sqlite3_bind_text(s, at, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

// Busy months and hours as at a city hotel: more in summer and December,
// most entries in the working day; categories and staff skewed.
void loadYear(sqlite3* db) {
    QRandomGenerator rng(20250101);
    sqlite3_stmt* s = nullptr;
    const char* insert =
        "INSERT INTO \"LogBook\" (\"LastName\", \"FirstName\", \"EntryType\", \"ReferDate\", "
        "\"ReferTime\", \"EntryDate\", \"EntryTime\", \"EnteredBy\", \"Initials\", "
        "\"Restricted\", \"Complete\", \"Cancelled\", \"OnHold\", \"Pending\", \"NoteField\") "
        "VALUES (?, 'Pat', ?, ?, ?, ?, ?, ?, ?, 0, 1, 0, 0, 0, 'Arranged as asked')";
    if (sqlite3_prepare_v2(db, insert, -1, &s, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    const QDate first(Year, 1, 1);
    const int days = first.daysInYear();
    std::vector<double> weight(static_cast<size_t>(days));
    double sum = 0;
    for (int d = 0; d < days; ++d) {
        const int month = first.addDays(d).month();
        weight[size_t(d)] = (month >= 6 && month <= 8) || month == 12 ? 1.4 : 1.0;
        sum += weight[size_t(d)];
    }
    int written = 0;
    for (int d = 0; d < days; ++d) {
        const QDate day = first.addDays(d);
        const int count = d == days - 1 ? YearEntries - written
                                        : int(YearEntries * weight[size_t(d)] / sum + 0.5);
        for (int i = 0; i < count; ++i) {
            const int c = int(rng.bounded(Categories.size()) * rng.generateDouble());
            const int staff = int(rng.bounded(60) * rng.generateDouble());
            const int hour = std::clamp(int(7 + rng.bounded(14) + rng.bounded(3) - 1), 0, 23);
            const QString time = Formats::Time24(QTime(hour, int(rng.bounded(60))));
            const QDate entered = day.addDays(-int(rng.bounded(8)));
            bind(s, 1, "Guest " + QString::number(rng.bounded(50000)));
            bind(s, 2, Categories[c]);
            bind(s, 3, Formats::StoredDate(day));
            bind(s, 4, time);
            bind(s, 5, Formats::StoredDate(entered < first ? first : entered));
            bind(s, 6, time);
            bind(s, 7, "Staff " + QString::number(staff + 1));
            bind(s, 8, "S" + QString::number(staff + 1));
            if (sqlite3_step(s) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
            sqlite3_reset(s);
        }
        written += count;
    }
    sqlite3_finalize(s);
}

void generate(Database& program) {
    sqlite3* db = rawHandle(program);
    execRaw(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; "
                "PRAGMA cache_size = -262144; PRAGMA temp_store = MEMORY");
    const std::vector<std::string> later =
        column0(db, "SELECT sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND sql IS "
                    "NOT NULL AND tbl_name = 'LogBook' ORDER BY type, name");
    for (const std::string& drop :
         column0(db, "SELECT 'DROP ' || type || ' \"' || name || '\"' FROM sqlite_master WHERE "
                     "type IN ('index', 'trigger') AND sql IS NOT NULL AND tbl_name = 'LogBook'"))
        execRaw(db, drop);
    execRaw(db, "BEGIN");
    loadYear(db);
    execRaw(db, "COMMIT");
    for (const std::string& sql : later)
        execRaw(db, sql);
    // The trigram tables index what their content table holds now.
    for (const std::string& t :
         column0(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND sql LIKE 'CREATE "
                     "VIRTUAL TABLE%fts5%'"))
        execRaw(db, "INSERT INTO \"" + t + "\" (\"" + t + "\") VALUES ('rebuild')");
    execRaw(db, "PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL");
}

ScratchDesk* g_desk = nullptr;

StatRequest yearOf(StatView view, const QString& category = AllCategories) {
    StatRequest r;
    r.view = view;
    r.year = Year;
    r.category = category;
    return r;
}

StatRequest rangeOf(StatView view, DateField field = DateField::ReferDate) {
    StatRequest r;
    r.view = view;
    r.from = QDate(Year, 1, 1);
    r.through = QDate(Year, 12, 31);
    r.field = field;
    return r;
}

// The view through the program, and its statements on the engine floor.
Action viewAction(const QString& name, const StatRequest& r) {
    std::vector<std::pair<QString, QVariantList>> floor;
    for (const StatStatement& st : StatisticsStatements(r))
        floor.emplace_back(g_desk->ctx->db().translate(st.sql), st.params);
    return {name,
            [r] {
                const std::optional<StatTable> t = RunStatistics(*g_desk->ctx, r);
                if (!t) qFatal("the statistics stopped");
                return size_t(t->rows.size());
            },
            [floor] {
                size_t rows = 0;
                for (const auto& [sql, params] : floor)
                    rows += size_t(g_desk->engine->run(sql, params));
                return rows;
            }};
}

std::vector<Action> actions() {
    return {
        viewAction("categories by month (year)", yearOf(StatView::CategoriesByMonth)),
        viewAction("one category by month", yearOf(StatView::EntriesByMonth, "Spa")),
        viewAction("all entries by month", yearOf(StatView::EntriesByMonth)),
        viewAction("all entries by year and month", rangeOf(StatView::AllByMonth)),
        viewAction("by weekday (entry date)", rangeOf(StatView::ByWeekday, DateField::EntryDate)),
        viewAction("by hour", rangeOf(StatView::ByHour)),
        viewAction("by staff", rangeOf(StatView::EntriesByStaff)),
    };
}

void registerAll(RatioReporter& reporter) {
    static const std::vector<Action> all = actions();
    RegisterActions(
        all, reporter, [] { return rawHandle(g_desk->ctx->db()); },
        [] { return g_desk->engine->handle(); });
}

} // namespace

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    ScratchDesk desk;
    g_desk = &desk;
    OpenScratchDesk(
        desk, [](AppContext& ctx) -> Database& { return ctx.db(); }, generate);
    desk.ctx->session.name = DeskName;
    desk.ctx->session.initials = DeskInitials;
    RunActions(argc, argv, registerAll);
    desk.engine.reset();
    desk.ctx.reset();
    return 0;
}
