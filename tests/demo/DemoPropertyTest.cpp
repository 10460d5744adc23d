// The generated demonstration property, on the engine of the run: the main
// window's lists open on it, it holds every status, its cards decrypt, its
// staff log on with the printed passwords, and one seed gives the same rows.

#include "bookings/DaySheet.h"
#include "bookings/Reservations.h"
#include "core/Formats.h"
#include "demo/PropertyGenerator.h"
#include "desk/Messages.h"
#include "guests/ContactSearch.h"
#include "guests/EventLists.h"
#include "guests/Groups.h"
#include "guests/ProfileSearch.h"
#include "logbook/LogbookSearch.h"
#include "operations/KeyControl.h"
#include "operations/LostFound.h"
#include "operations/Rentals.h"
#include "security/CardData.h"
#include "security/CardStore.h"
#include "security/Logon.h"
#include "support/TestEnv.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <algorithm>

namespace vm::test {
namespace {

using demo::DemoLogon;
using demo::PropertyGenerator;
using demo::PropertySize;

void generateDemo(TestEnv& env, quint64 seed = 20261208) {
    env.openOrFail();
    PropertyGenerator g(*env.ctx, PropertySize::Demo(), seed);
    g.generate();
}

qint64 logOnAs(TestEnv& env, const QString& logon, const QString& password) {
    const LogonCheck check = CheckLogon(*env.ctx, logon, password);
    EXPECT_EQ(check.result, LogonResult::Ok) << logon.toStdString();
    EXPECT_FALSE(check.mustChange) << logon.toStdString();
    return env.ctx->session.conciergeId;
}

class DemoPropertyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        env = new TestEnv;
        generateDemo(*env);
    }
    static void TearDownTestSuite() {
        delete env;
        env = nullptr;
    }
    static TestEnv* env;
};
TestEnv* DemoPropertyTest::env = nullptr;

TEST_F(DemoPropertyTest, MainWindowListsOpenOnTheDemoProperty) {
    AppContext& ctx = *env->ctx;
    const DemoLogon manager = PropertyGenerator::Logons(PropertySize::Demo().staff).first();
    logOnAs(*env, manager.logon, manager.password);
    const QDate today = env->clock.today();

    // Logbook: the entries of the day, and of the month.
    LogbookSelection day;
    day.by = SelectBy::ReferDate;
    day.from = today;
    day.engine = ctx.db().engine();
    LogbookSelection month = day;
    month.from = today.addDays(-30);
    month.through = today;
    for (const LogbookSelection& s : {day, month}) {
        const BuiltSelection built = BuildLogbookSelection(s);
        ASSERT_TRUE(built.refusal.isEmpty()) << built.refusal.toStdString();
        ListRequest request;
        request.filter = built.filter;
        request.window = ListWindow::AllDates;
        const std::optional<LogList> list = ListSelection(ctx, request, true);
        ASSERT_TRUE(list.has_value());
        EXPECT_FALSE(list->rows.empty());
    }

    // Profiles by a common last name, and contacts of a keyword.
    ProfileQuery pq;
    pq.by = ProfileSelectBy::LastName;
    pq.text = env->db().scalar("SELECT [LastName] FROM [Profile] ORDER BY [ProfileID]").toString();
    pq.engine = ctx.db().engine();
    const BuiltProfileQuery built = BuildProfileSelection(pq);
    const std::optional<ProfileList> profiles = ListProfiles(ctx, pq, built, true);
    ASSERT_TRUE(profiles.has_value());
    EXPECT_FALSE(profiles->rows.empty());

    ContactSelection cs;
    cs.by = ContactSelectBy::Keyword;
    cs.keyword = "Italian";
    cs.engine = ctx.db().engine();
    const BuiltContactSelection cbuilt = BuildContactSelection(cs);
    const std::optional<ContactList> contacts =
        ListContacts(ctx, cbuilt.filter, ContactSort::RankAndName, true);
    ASSERT_TRUE(contacts.has_value());
    EXPECT_FALSE(contacts->rows.empty());

    // Groups in house, events of the coming month.
    EXPECT_FALSE(GetTheGroups(ctx, false).empty());
    EXPECT_FALSE(GetTheEvents(ctx, OverlapFilter(today, today.addDays(30)), EventSort{}).empty());

    // Bookings of today: each reservation list and each therapist's sheet.
    const std::vector<ResCategory> lists = GetResTypesForDate(ctx, today);
    int booked = 0;
    for (const ResCategory& c : lists) {
        if (c.category != "Tennis Courts" && c.category != "Beach Cabanas") continue;
        const ResGrid grid = BuildResGrid(ctx, c, today);
        EXPECT_FALSE(grid.isEmpty()) << c.category.toStdString();
        for (const auto& row : grid.cells)
            for (const auto& cell : row)
                booked += int(cell.size());
    }
    EXPECT_GT(booked, 0);
    int sessions = 0;
    for (const Row& p : env->db().query("SELECT [ProvidersID] FROM [Providers]")) {
        const DaySheet sheet =
            BuildDaySheet(ctx, SheetKind::Provider, today, p.number("ProvidersID"), 0);
        sessions += int(std::count_if(sheet.rows.begin(), sheet.rows.end(), [](const SheetRow& r) {
            return r.state == SlotState::Booking;
        }));
    }
    EXPECT_GT(sessions, 0);

    // Lost and found (both open lists), keys out, rentals out, a member's messages.
    for (const QString& status : {kLfLost, kLfFound}) {
        LfSearch s;
        s.status = status;
        const LfSearchResult r = LFSearchItems(ctx, s);
        EXPECT_TRUE(r.refusal.isEmpty());
        EXPECT_FALSE(r.rows.empty()) << status.toStdString();
    }
    EXPECT_FALSE(KeyKeyReport1(ctx).empty());
    EXPECT_FALSE(GetItemsRented(ctx).empty());
    MsgListQuery mq;
    mq.filter = MsgFilter::ByRecipient;
    mq.name = manager.name;
    EXPECT_FALSE(GetMessages(ctx, mq).empty());

    EXPECT_TRUE(env->prompt.texts().isEmpty()) << env->prompt.texts().join("\n").toStdString();
}

TEST_F(DemoPropertyTest, EntriesComeInEveryStatusWithTextsHistoryAndDesigns) {
    Database& db = env->db();
    const auto count = [&](const QString& where, const QVariantList& params = {}) {
        return db.scalar("SELECT COUNT(*) FROM [LogBook] WHERE " + where, params).toLongLong();
    };
    EXPECT_GT(count("[Complete] = ?", {true}), 0);
    EXPECT_GT(count("[Cancelled] = ?", {true}), 0);
    EXPECT_GT(count("[OnHold] = ?", {true}), 0);
    EXPECT_GT(count("[Pending] = ?", {true}), 0);
    EXPECT_GT(count("[Complete] = ? AND [Cancelled] = ? AND [OnHold] = ? AND [Pending] = ?",
                    {false, false, false, false}),
              0);
    const qint64 all = count("1 = 1");
    EXPECT_GE(all, 300);
    EXPECT_LE(all, 500);
    EXPECT_GT(db.scalar("SELECT COUNT(*) FROM [LogText]").toLongLong(), 0);
    EXPECT_GT(db.scalar("SELECT COUNT(*) FROM [LogbookHistory]").toLongLong(), 0);
    // A designed category's entry starts with its designed lines.
    const QString note =
        db.scalar("SELECT [NoteField] FROM [LogBook] WHERE [EntryType] = ? ORDER BY [LogID]",
                  {QString("Restaurant Reservation")})
            .toString();
    EXPECT_TRUE(note.startsWith("Restaurant: ")) << note.toStdString();
    EXPECT_TRUE(note.contains("\r\nParty of: ")) << note.toStdString();
}

TEST_F(DemoPropertyTest, StoredCardsDecryptWithThePropertysKey) {
    AppContext& ctx = *env->ctx;
    const std::vector<Row> cards = env->db().query(
        "SELECT [ProfileID], [EncCC], [CardNumber] FROM [ProfileCC] ORDER BY [ProfileCCID]");
    ASSERT_EQ(int(cards.size()), PropertySize::Demo().storedCards);
    for (const Row& r : cards) {
        const QString clear =
            DecryptCC(ctx, r.text("EncCC"), QString::number(r.number("ProfileID")));
        ASSERT_TRUE(LuhnCheck(clear)) << clear.toStdString();
        EXPECT_EQ(MaskCard(clear), r.text("CardNumber").trimmed());
        EXPECT_NE(r.text("EncCC"), clear);
    }
    const std::optional<Row> entry = env->db().queryOne(
        "SELECT [LogID], [EncCC] FROM [LogBook] WHERE [EncCC] <> ' ' ORDER BY [LogID]");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(DecryptCC(ctx, entry->text("EncCC"), QString::number(entry->number("LogID"))),
              "4111111111111111");
    EXPECT_TRUE(env->prompt.texts().isEmpty()) << env->prompt.texts().join("\n").toStdString();
}

TEST_F(DemoPropertyTest, EveryDemoMemberLogsOnWithThePrintedPassword) {
    const QList<DemoLogon> logons = PropertyGenerator::Logons(PropertySize::Demo().staff);
    ASSERT_EQ(logons.size(), PropertySize::Demo().staff);
    for (const DemoLogon& l : logons) {
        const qint64 id = logOnAs(*env, l.logon, l.password);
        EXPECT_EQ(env->ctx->session.name, l.name);
        EXPECT_EQ(env->ctx->session.manager, l.role == "Manager") << l.logon.toStdString();
        EXPECT_GT(id, 0);
    }
    // A wrong password is still refused.
    EXPECT_EQ(CheckLogon(*env->ctx, logons.first().logon, "Wrong1234").result,
              LogonResult::NotFound);
}

// The content of the generated tables, row order aside; salted hashes and
// card ciphers (whose key is each property's own) are left out.
QByteArray contentChecksum(Database& db, qint64& rows) {
    static const QStringList tables = {
        "Concierge",    "ConciergePlus",  "LogType",   "DEDesign",   "LogBook",
        "LogText",      "LogbookHistory", "Profile",   "ProfilePI",  "ProfileCH",
        "ProfileCC",    "Contact",        "Group",     "Event",      "Reservation",
        "TimedService", "LostAndFound",   "KeyMaster", "KeyHistory", "Stuff",
        "StuffArch",    "MsgTimer",       "MsgText"};
    static const QStringList skipped = {"Password", "CCViewPW", "EncCC", "EncExp"};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    rows = 0;
    for (const QString& table : tables) {
        QStringList lines;
        for (const Row& r : db.query("SELECT * FROM [" + table + "]")) {
            QStringList cells;
            for (int i = 0; i < r.count(); ++i)
                if (!skipped.contains(r.name(i), Qt::CaseInsensitive)) cells << r.text(i);
            lines << cells.join('\x1f');
        }
        lines.sort();
        rows += lines.size();
        hash.addData((table + "\n" + lines.join('\n')).toUtf8());
    }
    return hash.result().toHex();
}

TEST(DemoPropertyGenerator, OneSeedGivesTheSameRowsAnotherSeedOthers) {
    TestEnv first, second, third;
    generateDemo(first, 7);
    generateDemo(second, 7);
    generateDemo(third, 8);
    qint64 rows1 = 0, rows2 = 0, rows3 = 0;
    const QByteArray sum1 = contentChecksum(first.db(), rows1);
    const QByteArray sum2 = contentChecksum(second.db(), rows2);
    const QByteArray sum3 = contentChecksum(third.db(), rows3);
    EXPECT_GT(rows1, 2000);
    EXPECT_EQ(rows1, rows2);
    EXPECT_EQ(sum1, sum2);
    EXPECT_NE(sum1, sum3);
}

// The indexes and triggers of the property (those put aside while writing).
QStringList indexesAndTriggers(Database& db) {
    QStringList names;
    const std::vector<Row> rows =
        db.engine() == Engine::SQLite
            ? db.query("SELECT [name] FROM [sqlite_master] WHERE [type] IN ('index', 'trigger')")
            : db.query("SELECT [indexname] AS [name] FROM [pg_indexes] WHERE [schemaname] = "
                       "current_schema()");
    for (const Row& r : rows)
        names << r.text("name");
    names.sort();
    return names;
}

TEST(DemoPropertyGenerator, ReportsProgressOfEveryPartToTheEndAndKeepsTheIndexes) {
    TestEnv env;
    env.openOrFail();
    const QStringList indexes = indexesAndTriggers(env.db());
    PropertySize size = PropertySize::Demo();
    size.profiles = 20;
    size.logbookEntries = 40;
    size.storedCards = 2;
    QStringList steps;
    qint64 lastDone = -1, lastTotal = -1;
    PropertyGenerator g(*env.ctx, size);
    g.setProgress([&](const QString& step, qint64 done, qint64 total) {
        if (!steps.contains(step)) steps << step;
        EXPECT_LE(done, total) << step.toStdString();
        lastDone = done;
        lastTotal = total;
    });
    g.generate();
    for (const char* s : {"Staff", "Profiles", "Logbook", "Messages", "Done"})
        EXPECT_TRUE(steps.contains(s)) << s;
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [LogBook]").toInt(), 40);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [Profile]").toInt(), 20);
    EXPECT_EQ(indexesAndTriggers(env.db()), indexes);
}

TEST(DemoPropertyGenerator, AKeyIsOutOnOneLoanAtMostEvenWithEveryKeyOut) {
    TestEnv env;
    env.openOrFail();
    demo::OperationsSize size;
    size.keys = 12;
    size.keyEmployees = 5;
    size.keyLoans = 300;
    size.openLoans = 20; // more than there are keys: every key goes out once
    QRandomGenerator rng(5);
    demo::GenerateOperations(env.db(), size, QDate(2026, 3, 8), rng);
    Database& db = env.db();
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [KeyHistory] WHERE [KeyStatus] = 'O'").toLongLong(),
              12);
    EXPECT_EQ(db.scalar("SELECT COUNT(DISTINCT [KeyMasterID]) FROM [KeyHistory] WHERE "
                        "[KeyStatus] = 'O'")
                  .toLongLong(),
              12);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [KeyMaster] WHERE [KeyStatus] = 'O'").toLongLong(),
              12);
    // Each key names the employee and times of its open loan.
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [KeyMaster] k INNER JOIN [KeyHistory] h ON "
                        "h.[KeyMasterID] = k.[KeyMasterID] AND h.[KeyStatus] = 'O' AND "
                        "h.[KeyEmployeeID] = k.[KeyEmployeeID] AND h.[DateTimeOut] = "
                        "k.[DateTimeOut]")
                  .toLongLong(),
              12);
}

} // namespace
} // namespace vm::test
