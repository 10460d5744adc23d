// The Contacts page's searches on a directory of 50,000 contacts: the
// program's time from the selection to the rows it paints, and the engine
// floor of the same statement on the sqlite3 C API (prepared once, every row
// stepped, every column read).  The table at the end gives program ms /
// engine ms per search.
//
// The directory is generated afresh in a temporary folder on every run (a
// few seconds): keywords from a small vocabulary, cities, areas, streets.

#include "ActionRunner.h"
#include "BenchData.h"
#include "EngineFloor.h"
#include "RatioReporter.h"

#include "core/AppContext.h"
#include "core/Databases.h"
#include "guests/ContactSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <memory>
#include <sqlite3.h>

using namespace vm;
using namespace vm::bench;

namespace {

constexpr int ContactCount = 50'000;

const QStringList Keywords = {
    "Dinner",    "Lunch",   "Breakfast", "Italian",  "French", "Seafood",   "Steakhouse",
    "Sushi",     "Bar",     "Wine",      "Shopping", "Spa",    "Museum",    "Theatre",
    "Tours",     "Golf",    "Florist",   "Pharmacy", "Doctor", "Dentist",   "Car Rental",
    "Limousine", "Taxi",    "Bakery",    "Cafe",     "Jazz",   "Nightclub", "Gallery",
    "Bookstore", "Jeweler", "Tailor",    "Salon",    "Gym",    "Yoga",      "Kids",
    "Zoo",       "Park",    "Beach",     "Boating",  "Fishing"};
const QStringList Words = {"Harbour", "Golden",  "Blue",     "Olive",   "Cedar",   "Maple",
                           "Royal",   "Silver",  "Corner",   "Garden",  "Union",   "Market",
                           "Bridge",  "River",   "Summit",   "Lantern", "Anchor",  "Copper",
                           "Willow",  "Granite", "Crescent", "Orchard", "Pioneer", "Beacon"};
const QStringList Kinds = {"Grill",  "Bistro", "Tavern", "House",  "Kitchen", "Shop",
                           "Studio", "Lounge", "Market", "Clinic", "Gallery", "Cafe"};
const QStringList Streets = {"Main St",  "Pier Rd",   "Elm St",    "Oak Ave",  "Harbor Blvd",
                             "Park Ave", "Market St", "Union Sq",  "Cedar Ln", "Bay St",
                             "State St", "Water St",  "Church St", "High St",  "Mill Rd",
                             "Lake Dr",  "Hill Rd",   "Court St",  "Front St", "King St"};

using Desk = ScratchDesk;
Desk* g_desk = nullptr;

QString cityName(int i) {
    return "City " + QString(QChar('A' + i % 26)) + QString::number(i / 26 + 1);
}

void generate(Database& db) {
    QRandomGenerator rng(20260314);
    db.transaction([&] {
        for (int i = 0; i < 20; ++i)
            db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                    {"Area", "Area " + QString::number(i + 1)});
        for (const QString& k : Keywords)
            db.exec("INSERT INTO [Keyword] ([Keyword]) VALUES (?)", {k});
        for (int i = 0; i < ContactCount; ++i) {
            QStringList keys;
            const int n = 1 + int(rng.bounded(3));
            while (keys.size() < n) {
                const QString k = Keywords[int(rng.bounded(qsizetype(Keywords.size())))];
                if (!keys.contains(k)) keys << k;
            }
            const QString name = Words[int(rng.bounded(qsizetype(Words.size())))] + " " +
                                 Kinds[int(rng.bounded(qsizetype(Kinds.size())))] + " " +
                                 QString::number(i);
            db.exec("INSERT INTO [Contact] ([ContactName], [NickName], [Address], [City], "
                    "[State], [PostalCode], [KeywordSet], [CommissionType], [DocumentLink], "
                    "[Rating], [Ranking], [Proximity], [PublicPrivate], [IsClosed], "
                    "[IsReserved], [Commissionable], [OTRestaurantID], [UpdateDate], "
                    "[Affiliation]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                    "?, ?)",
                    {name, QString("(617) 555-%1").arg(i % 10000, 4, 10, QChar('0')),
                     QString::number(1 + rng.bounded(999)) + " " +
                         Streets[int(rng.bounded(qsizetype(Streets.size())))],
                     cityName(int(rng.bounded(200))), "MA",
                     QString("02%1").arg(rng.bounded(1000), 3, 10, QChar('0')), keys.join(", "),
                     rng.bounded(10) < 9 ? "0" : "1",
                     "Area " + QString::number(1 + rng.bounded(20)), int(rng.bounded(6)),
                     int(rng.bounded(5)), QString::number(rng.bounded(30)) + " blocks",
                     rng.bounded(50) == 0, rng.bounded(40) == 0, rng.bounded(20) == 0,
                     rng.bounded(3) == 0, rng.bounded(25) == 0 ? int(1000 + i) : 0,
                     QString("2025/%1/%2")
                         .arg(1 + rng.bounded(12), 2, 10, QChar('0'))
                         .arg(1 + rng.bounded(28), 2, 10, QChar('0')),
                     "Dining"});
        }
    });
}

void openDesk(Desk& d) {
    OpenScratchDesk(
        d, [](AppContext& ctx) -> Database& { return ctx.contactsDb(); }, generate);
    Session& s = d.ctx->session;
    s.name = DeskName;
    s.initials = DeskInitials;
    s.manager = false; // a desk member: private contacts are left out
    s.language = 0;
}

// What the page does with a selection, up to the rows it paints.
Action searchAction(const QString& name, ContactSelection s) {
    s.engine = Engine::SQLite;
    const BuiltContactSelection built = BuildContactSelection(s);
    if (!built.refusal.isEmpty()) qFatal("a bench selection was refused");
    const ContactStatement st = ContactListQuery(*g_desk->ctx, built.filter, s.sort);
    const QString sql = g_desk->ctx->contactsDb().translate(st.sql);
    const QVariantList params = st.params;
    const ContactSort sort = s.sort;
    const ContactFilter filter = built.filter;
    return {name,
            [filter, sort] {
                const auto list = ListContacts(*g_desk->ctx, filter, sort, false);
                return list ? list->rows.size() : size_t(0);
            },
            [sql, params] {
                EngineFloor& engine = *g_desk->engine;
                engine.run("BEGIN");
                const int rows = engine.run(sql, params);
                engine.run("COMMIT");
                return size_t(rows);
            }};
}

std::vector<Action> actions() {
    using B = ContactSelectBy;
    return {
        searchAction("part of the name",
                     {.by = B::PrimaryName, .text = "lden Gri", .sort = ContactSort::RankAndName}),
        searchAction("name starts with", {.by = B::PrimaryName,
                                          .text = "Harbour Ta",
                                          .startsWith = true,
                                          .sort = ContactSort::PrimaryName}),
        searchAction("keyword", {.by = B::Keyword, .keyword = "Steakhouse"}),
        searchAction("keyword and city",
                     {.by = B::Keyword, .keyword = "Italian", .cityOrArea = cityName(17)}),
        searchAction("address", {.by = B::Address, .text = "12 Pier"}),
        searchAction("city", {.cityOrArea = cityName(42), .sort = ContactSort::CityAndName}),
        searchAction("area", {.cityOrArea = "Area 7", .useArea = true}),
    };
}

sqlite3* programHandle() {
    return ProgramHandle(g_desk->ctx->contactsDb());
}

void registerAll(RatioReporter& reporter) {
    static const std::vector<Action> all = actions();
    RegisterActions(all, reporter, programHandle, [] { return g_desk->engine->handle(); });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Desk desk;
    g_desk = &desk;
    openDesk(desk);
    RunActions(argc, argv, registerAll);
    desk.engine.reset();
    desk.ctx.reset();
    return 0;
}
