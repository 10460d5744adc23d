#include "BenchData.h"

#include "core/AppContext.h"
#include "core/Databases.h"
#include "core/Formats.h"
#include "demo/PropertyGenerator.h"
#include "demo/Words.h"
#include "logbook/LogText.h"
#include "logbook/LogbookStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace vm::bench {

namespace {

using namespace vm::demo::words;

// Raised whenever what is generated changes, so kept databases are made anew.
constexpr int GeneratorVersion = 2;

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
    throw std::runtime_error(what + ": " + sqlite3_errmsg(db));
}

void execRaw(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(sql + ": " + text);
    }
}

sqlite3* openRaw(const QString& file) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        fail(db, "open " + file.toStdString());
    return db;
}

// A prepared INSERT filled column by column.
class Insert {
public:
    Insert(sqlite3* db, const std::string& sql) : m_db(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &m_s, nullptr) != SQLITE_OK) fail(db, sql);
    }
    ~Insert() { sqlite3_finalize(m_s); }
    Insert& text(const std::string& v) {
        sqlite3_bind_text(m_s, ++m_at, v.data(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert& number(qint64 v) {
        sqlite3_bind_int64(m_s, ++m_at, v);
        return *this;
    }
    void run() {
        if (sqlite3_step(m_s) != SQLITE_DONE) fail(m_db, "insert");
        sqlite3_reset(m_s);
        m_at = 0;
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_s = nullptr;
    int m_at = 0;
};

class Random {
public:
    explicit Random(quint64 seed) : m_engine(seed) {}
    int below(int n) { return int(m_engine() % quint64(n)); }
    double unit() { return double(m_engine() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return unit() < p; }

private:
    std::mt19937_64 m_engine;
};

// Index picked with weight 1 / (rank + bias): a few very common, a long tail.
class Skewed {
public:
    Skewed(int n, double bias) {
        double sum = 0;
        for (int i = 0; i < n; ++i)
            m_cumulative.push_back(sum += 1.0 / (i + bias));
        for (double& c : m_cumulative)
            c /= sum;
    }
    int pick(Random& r) const {
        return int(std::lower_bound(m_cumulative.begin(), m_cumulative.end(), r.unit()) -
                   m_cumulative.begin());
    }

private:
    std::vector<double> m_cumulative;
};

std::string rareLastName(Random& r) {
    std::string s = Heads[r.below(int(std::size(Heads)))];
    s += Middles[r.below(int(std::size(Middles)))];
    s += Tails[r.below(int(std::size(Tails)))];
    return s;
}

std::string entryText(Random& r) {
    // Most notes are a line or two; a quarter run into the text pieces, a few are long.
    const double kind = r.unit();
    const int length = kind < 0.70   ? 40 + r.below(215)
                       : kind < 0.95 ? 256 + r.below(650)
                                     : 900 + r.below(3100);
    std::string s;
    while (int(s.size()) < length)
        s += Phrases[r.below(int(std::size(Phrases)))];
    s.resize(size_t(length));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

struct Guest {
    std::string first, last;
};

void loadRows(sqlite3* db) {
    Random r(20260314);
    // Stored dates and times, made once: "yyyy/MM/dd" and "HH:mm".
    const int margin = 400;
    std::vector<std::string> dates;
    for (int d = -margin; d < Days + margin; ++d)
        dates.push_back(Formats::StoredDate(Today.addDays(d - Days + 1)).toStdString());
    auto date = [&](int day) { return dates[size_t(day + margin)]; };
    std::vector<std::string> times;
    for (int m = 0; m < 24 * 60; ++m)
        times.push_back(Formats::Time24(QTime(m / 60, m % 60)).toStdString());

    Insert profile(db, "INSERT INTO \"Profile\" (\"ProfileID\", \"FirstName\", \"LastName\", "
                       "\"ProfileType\") VALUES (?, ?, ?, ?)");
    const Skewed common(int(std::size(CommonLastNames)), 8.0);
    auto lastName = [&] {
        return r.chance(0.35) ? rareLastName(r) : std::string(CommonLastNames[common.pick(r)]);
    };
    std::vector<Guest> guests;
    for (int id = 1; id <= ProfileCount; ++id) {
        Guest g{FirstNames[r.below(int(std::size(FirstNames)))], lastName()};
        profile.number(id)
            .text(g.first)
            .text(g.last)
            .text(ProfileTypes[r.below(int(std::size(ProfileTypes)))])
            .run();
        guests.push_back(std::move(g));
    }

    Insert entry(db, "INSERT INTO \"LogBook\" (\"LogID\", \"GuestID\", \"FirstName\", "
                     "\"LastName\", \"ProfileID\", \"GroupID\", \"ContactID\", \"EntryType\", "
                     "\"Notified\", \"ReferDate\", \"ReferTime\", \"ArrivalDate\", "
                     "\"DepartureDate\", \"RoomNumber\", \"EnteredBy\", \"Initials\", "
                     "\"UpdatedDate\", \"EntryDate\", \"EntryTime\", \"Restricted\", "
                     "\"Complete\", \"Cancelled\", \"OnHold\", \"Pending\", \"NoteField\", "
                     "\"MsgNotes\", \"OpenTableID\", \"EncCC\", \"WebResID\", \"WebDNP\") VALUES "
                     "(?, ?, ?, ?, ?, 0, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                     "?, ' ', 0, ' ', ' ', 0)");
    Insert piece(
        db, "INSERT INTO \"LogText\" (\"LogID\", \"Sequence\", \"NoteField\") VALUES (?, ?, ?)");
    Insert history(db, "INSERT INTO \"LogbookHistory\" (\"LogbookID\", \"Initials\", "
                       "\"LogDateTime\", \"Reason\") VALUES (?, ?, ?, ?)");
    const Skewed category(int(std::size(CategoryNames)), 2.0);
    const Skewed regular(ProfileCount, 50.0); // repeat guests come back often
    const std::string blank = " ";
    const std::vector<int> perDay =
        demo::EntriesPerDay(EntryCount, Days, Today, [&r] { return r.unit(); });
    qint64 id = 0;
    for (int day = 0; day < Days; ++day) {
        std::vector<int> minutes(size_t(perDay[size_t(day)]));
        for (int& m : minutes)
            m = 6 * 60 + r.below(18 * 60); // the desk writes from six in the morning
        std::sort(minutes.begin(), minutes.end());
        for (int minute : minutes) {
            ++id;
            const double when = r.unit();
            const int ahead = when < 0.35   ? 0
                              : when < 0.60 ? 1
                              : when < 0.75 ? 2 + r.below(2)
                              : when < 0.90 ? 4 + r.below(11)
                              : when < 0.98 ? 15 + r.below(31)
                                            : 46 + r.below(75);
            const int refer = day + ahead;
            const int past = Days - 1 - refer; // days the reference date lies before today
            bool complete = false, cancelled = r.chance(0.035), onHold = false, pending = false;
            if (past > 2) {
                complete = !cancelled && !r.chance(0.0005);
            } else {
                complete = !cancelled && r.chance(past >= 0 ? 0.4 : 0.1);
                pending = r.chance(past >= 0 ? 0.1 : 0.3);
                onHold = r.chance(0.05);
            }
            const int type = category.pick(r);
            const bool linked = r.chance(0.35);
            const int guest = linked ? regular.pick(r) : -1;
            const std::string first = linked ? guests[size_t(guest)].first
                                             : FirstNames[r.below(int(std::size(FirstNames)))];
            const std::string last = linked ? guests[size_t(guest)].last : lastName();
            const bool staying = r.chance(0.8);
            const int arrival = refer - r.below(4);
            const int staff = r.below(int(std::size(Staff)));
            const int updated =
                std::min(Days - 1, complete || cancelled ? std::max(day, refer + r.below(2)) : day);
            const std::string text = entryText(r);
            const std::string note =
                text.size() > LogTextPieceSize ? text.substr(0, LogTextPieceSize) : text;
            entry.number(id)
                .text(linked ? std::to_string(400000 + guest)
                             : (r.chance(0.4) ? std::to_string(100000 + r.below(300000)) : blank))
                .text(first)
                .text(last)
                .number(linked ? guest + 1 : 0)
                .text(CategoryNames[type])
                .text(r.chance(0.6) ? NotifiedValues[r.below(int(std::size(NotifiedValues)))]
                                    : blank)
                .text(date(refer))
                .text(times[size_t(7 * 60 + r.below(16 * 4) * 15)])
                .text(staying ? date(arrival) : blank)
                .text(staying ? date(arrival + 1 + r.below(7)) : blank)
                .text(staying ? std::to_string((1 + r.below(12)) * 100 + 1 + r.below(30)) : blank)
                .text(Staff[staff][0])
                .text(Staff[staff][1])
                .text(date(updated))
                .text(date(day))
                .text(times[size_t(minute)])
                .number(type >= RestrictedFrom)
                .number(complete)
                .number(cancelled)
                .number(onHold)
                .number(pending)
                .text(note)
                .run();
            int sequence = 0;
            for (size_t at = LogTextPieceSize; at < text.size(); at += LogTextPieceSize)
                piece.number(id).number(++sequence).text(text.substr(at, LogTextPieceSize)).run();
            const std::string stamp = date(updated) + " " + times[size_t(minute)];
            if (r.chance(0.6) || updated != day)
                history.number(id)
                    .text(Staff[r.below(int(std::size(Staff)))][1])
                    .text(stamp)
                    .text(ReasonUpdated.toStdString())
                    .run();
            if (cancelled)
                history.number(id)
                    .text(Staff[staff][1])
                    .text(stamp)
                    .text(ReasonCancelled.toStdString())
                    .run();
        }
    }
    if (id != EntryCount) throw std::runtime_error("the day counts do not add up");
}

// Bulk load on the C API with the generated tables' indexes and triggers put
// aside, then rebuilt from the program's own statements.
void bulkLoad(const QString& file) {
    sqlite3* db = openRaw(file);
    try {
        execRaw(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; "
                    "PRAGMA cache_size = -262144; PRAGMA temp_store = MEMORY");
        std::vector<std::string> later;
        {
            sqlite3_stmt* s = nullptr;
            sqlite3_prepare_v2(db,
                               "SELECT type, name, sql FROM sqlite_master WHERE type IN "
                               "('index', 'trigger') AND sql IS NOT NULL AND tbl_name IN "
                               "('LogBook', 'LogText', 'LogbookHistory', 'Profile') ORDER BY "
                               "type, name",
                               -1, &s, nullptr);
            std::vector<std::string> drops;
            while (sqlite3_step(s) == SQLITE_ROW) {
                const std::string type = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
                const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(s, 1));
                later.push_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 2)));
                drops.push_back("DROP " + type + " \"" + name + "\"");
            }
            sqlite3_finalize(s);
            for (const std::string& d : drops)
                execRaw(db, d);
        }
        execRaw(db, "BEGIN");
        loadRows(db);
        execRaw(db, "COMMIT");
        for (const std::string& sql : later)
            execRaw(db, sql);
        // The trigram tables index what is in their content table now.
        std::vector<std::string> searches;
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT name FROM sqlite_master WHERE type = 'table' AND sql LIKE "
                           "'CREATE VIRTUAL TABLE%fts5%'",
                           -1, &s, nullptr);
        while (sqlite3_step(s) == SQLITE_ROW)
            searches.push_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
        for (const std::string& t : searches)
            execRaw(db, "INSERT INTO \"" + t + "\" (\"" + t + "\") VALUES ('rebuild')");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

QString stampFile(const QString& dataFolder) {
    return dataFolder + "/stamp";
}

// The schema of both databases of a property as it is created today.
QByteArray schemaStamp(const QString& databaseFolder) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::number(GeneratorVersion) + ' ' + QByteArray::number(EntryCount));
    const QStringList files = QDir(databaseFolder).entryList({"*.db"}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        hash.addData(name.toUtf8());
        sqlite3* db = openRaw(databaseFolder + name);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT type, name, COALESCE(sql, '') FROM sqlite_master ORDER BY "
                           "type, name",
                           -1, &s, nullptr);
        while (sqlite3_step(s) == SQLITE_ROW)
            for (int c = 0; c < 3; ++c)
                hash.addData(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(s, c))) +
                             '\x1f');
        sqlite3_finalize(s);
        sqlite3_close(db);
    }
    return hash.result().toHex();
}

// A new, empty property made by the program itself, with its categories and staff.
void createProperty(const QString& root, Prompt& prompt) {
    FixedClock clock(QDateTime(Today.addDays(-Days), QTime(8, 0)));
    Workstation ws = Workstation::under(root);
    ws.ensureFolders();
    AppContext ctx(ws, prompt, clock);
    ctx.start.databaseFolder = root + "/db/";
    ctx.daily.wait = [](int) {};
    QDir().mkpath(ctx.start.databaseFolder);
    if (OpenDatabase(ctx) != 0) throw std::runtime_error("the new property did not open");
    // Staff and categories as the property generator makes them.
    demo::PropertyGenerator generator(ctx, demo::PropertySize::Decade());
    generator.staff();
    generator.categories();
    CloseDatabase(ctx);
}

} // namespace

void QuietPrompt::message(const QString& text, const QString&, Icon) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

BenchProperty PrepareProperty(const QString& dataFolder, Prompt& prompt) {
    BenchProperty p;
    p.databaseFolder = dataFolder + "/db/";
    p.lastGeneratedId = EntryCount;
    const QString fresh = dataFolder + "/new";
    QDir(fresh).removeRecursively();
    createProperty(fresh, prompt);
    const QByteArray stamp = schemaStamp(fresh + "/db/");
    QFile kept(stampFile(dataFolder));
    if (QFile::exists(p.databaseFolder + "VelmP.db") && kept.open(QIODevice::ReadOnly) &&
        kept.readAll().trimmed() == stamp) {
        QDir(fresh).removeRecursively();
        RemoveBenchWrites(p);
        return p;
    }
    std::fprintf(stderr, "Generating the bench property (%d logbook entries) in %s ...\n",
                 EntryCount, qPrintable(dataFolder));
    QElapsedTimer timer;
    timer.start();
    bulkLoad(fresh + "/db/VelmP.db");
    QFile::remove(stampFile(dataFolder));
    QDir(p.databaseFolder).removeRecursively();
    if (!QDir().rename(fresh + "/db", p.databaseFolder))
        throw std::runtime_error("cannot move the new property into place");
    QDir(fresh).removeRecursively();
    QFile out(stampFile(dataFolder));
    if (!out.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the stamp");
    out.write(stamp + '\n');
    std::fprintf(stderr, "Generated in %.1f s\n", double(timer.elapsed()) / 1000.0);
    return p;
}

void RemoveBenchWrites(const BenchProperty& p) {
    sqlite3* db = openRaw(p.databaseFolder + "VelmP.db");
    const std::string last = std::to_string(p.lastGeneratedId);
    try {
        execRaw(db, "BEGIN IMMEDIATE");
        execRaw(db, "DELETE FROM \"LogText\" WHERE \"LogID\" > " + last);
        execRaw(db, "DELETE FROM \"LogbookHistory\" WHERE \"LogbookID\" > " + last);
        execRaw(db, "DELETE FROM \"LogBook\" WHERE \"LogID\" > " + last);
        execRaw(db, "UPDATE sqlite_sequence SET seq = " + last + " WHERE name = 'LogBook'");
        execRaw(db, "COMMIT");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

void OpenScratchDesk(ScratchDesk& d, const std::function<Database&(AppContext&)>& store,
                     const std::function<void(Database&)>& generate) {
    Workstation ws = Workstation::under(d.folder.path());
    ws.ensureFolders();
    d.ctx = std::make_unique<AppContext>(ws, d.prompt, d.clock);
    d.ctx->start.databaseFolder = d.folder.path() + "/db/";
    QDir().mkpath(d.ctx->start.databaseFolder);
    d.ctx->daily.wait = [](int) {};
    if (OpenDatabase(*d.ctx) != 0) qFatal("the bench database did not open");
    Database& db = store(*d.ctx);
    generate(db);
    db.exec("ANALYZE");
    d.engine = std::make_unique<EngineFloor>(db.location().file);
}

} // namespace vm::bench
