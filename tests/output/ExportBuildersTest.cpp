#include "ExportFixture.h"

#include "core/LongText.h"
#include "core/Settings.h"
#include "guests/Groups.h"
#include "output/AddressBookExport.h"
#include "platform/CsvWriter.h"

#include <QDir>

using namespace vm;
using namespace vm::test;

namespace {

const QString Created = QStringLiteral(" has been created.");

class ExportBuilders : public ExportFixture {};

} // namespace

TEST(ExportCsvQuoting, EveryFieldQuotedWithTheFormulaGuardKept) {
    EXPECT_EQ(CsvWriter::row({"a", "", "x\"y", "=1", "-15.00"}, CsvQuoting::Always),
              "\"a\",\"\",\"x\"\"y\",\"'=1\",\"-15.00\"");
    EXPECT_EQ(CsvWriter::row({"a", "b,c"}), "a,\"b,c\""); // the default is unchanged
}

TEST_F(ExportBuilders, ContactsInNameOrderWithNotesAndPrivateOnesForManagers) {
    Database& db = env.ctx->contactsDb();
    const auto contact = [&](const QString& name, const QVariantMap& more) {
        QVariantMap v{{"ContactName", name}, {"PublicPrivate", false}};
        for (auto i = more.begin(); i != more.end(); ++i)
            v[i.key()] = i.value();
        insert(db, "Contact", "ContactID", v);
    };
    contact("Cedar Club", {{"PublicPrivate", true}, {"Rating", 5}, {"Ranking", 0}});
    contact("Birch Cafe", {{"KeywordSet", " "}}); // no rating, no ranking
    contact("Alder Grill",
            {{"NickName", Comma.stored}, {"Address", Quote.stored}, {"CrossStreets", Lines.stored},
             {"City", Accents.stored}, {"State", "NY"}, {"PostalCode", Formula.stored},
             {"Country", "USA"}, {"KeywordSet", "Steak, Seafood"}, {"Rating", 3},
             {"Ranking", 1}, {"UpdateDate", "2026/03/04"}});

    const QList<QStringList> expected{
        {"Company", "Business Phone", "Business Street", "Business Street 2", "Business City",
         "Business State", "Business Postal Code", "Business Country", "Notes", "Last  Updated"},
        {"Alder Grill", Comma.written, Quote.written, Lines.written, Accents.written, "NY",
         Formula.written, "USA", "Steak, Seafood\r\nRating = 3  Ranking = 1", "2026/03/04"},
        // A note that begins with a line break is guarded like a formula.
        {"Birch Cafe", "", "", "", "", "", "", "", "'\r\nRating =   Ranking = ", ""},
        {"Cedar Club", "", "", "", "", "", "", "", "'\r\nRating = 5  Ranking = 0", ""},
    };
    ExportResult r = BuildAllContactCSV(*env.ctx);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.message, "The file: " + QDir::toNativeSeparators(path(AllContactsFile)) + Created);
    EXPECT_EQ(r.rows, 3);
    EXPECT_EQ(read(AllContactsFile), expected);
    const QByteArray raw = bytes(AllContactsFile);
    EXPECT_TRUE(raw.startsWith("\"Company\",\"Business Phone\","));
    EXPECT_TRUE(raw.contains("\"Last  Updated\"\r\n\"Alder Grill\","));
    EXPECT_TRUE(raw.contains("\r\n\"Birch Cafe\",\"\",\"\","));

    env.logOn(clerkId);
    r = BuildAllContactCSV(*env.ctx);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(read(AllContactsFile), expected.mid(0, 3));
}

TEST_F(ExportBuilders, ContactsComeFromTheSharedDatabase) {
    env.openShared();
    insert(env.db(), "Contact", "ContactID", {{"ContactName", "Local Only"}});
    insert(*env.ctx->common, "Contact", "ContactID", {{"ContactName", "Shared Bistro"}});
    ASSERT_TRUE(BuildAllContactCSV(*env.ctx).ok);
    const QList<QStringList> rows = read(AllContactsFile);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1][0], "Shared Bistro");
}

TEST_F(ExportBuilders, ProfilesWithNotesArrivalColumnAndPrivacy) {
    const QStringList tail{"Title",     "EmailAddress", "EmailAddressB", "HomePhone",
                           "FaxPhone",  "CellPhone",    "BusinessPhone", "Address",
                           "Address2",  "City",         "State",         "PostalCode",
                           "Country",   "Address12",    "Address22",     "City2",
                           "State2",    "PostalCode2",  "Country2",      "Address13",
                           "Address23", "City3",        "State3",        "PostalCode3",
                           "Country3"};
    const QStringList tricky{Comma.stored, Quote.stored, Lines.stored, Accents.stored,
                             Formula.stored};
    QVariantMap zeller{{"FirstName", "Ann"}, {"LastName", "Zeller"}, {"PublicPrivate", false}};
    QStringList zellerRow{"Ann", "Zeller"};
    for (int i = 0; i < tail.size(); ++i) {
        const QString v = i < tricky.size() ? tricky[i] : tail[i] + " value";
        zeller[tail[i]] = v;
        zellerRow << (v.startsWith('=') ? "'" + v : v);
    }
    const qint64 ann = insert(env.db(), "Profile", "ProfileID", zeller);
    note(env.db(), ann, TextKind::ProfileNotes, {"Prefers the quiet, ", "corner table"});
    zellerRow << "Prefers the quiet, corner table";
    insert(env.db(), "Profile", "ProfileID",
           {{"FirstName", "Bo"}, {"LastName", "Adams"}, {"PublicPrivate", true}});
    const qint64 cy = insert(env.db(), "Profile", "ProfileID",
                             {{"FirstName", "Cy"}, {"LastName", "Adams"}, {"PublicPrivate", false}});
    insert(env.db(), "ProfilePI", "ProfilePIID",
           {{"ProfileID", cy}, {"PreferenceType", "Arrival Date"},
            {"PreferenceSelection", "2026/05/01"}, {"SequenceNo", 1}, {"PublicPrivate", false}});

    ASSERT_TRUE(BuildAllProfileCSV(*env.ctx).ok);
    QList<QStringList> rows = read(AllProfilesFile);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].size(), 28);
    EXPECT_EQ(rows[0].mid(0, 4), QStringList({"First Name", "Last Name", "Job Title",
                                             "E-Mail Address"}));
    EXPECT_EQ(rows[0].last(), "Notes");
    EXPECT_EQ(rows[1].mid(0, 2), QStringList({"Bo", "Adams"}));
    EXPECT_EQ(rows[2].mid(0, 2), QStringList({"Cy", "Adams"}));
    EXPECT_EQ(rows[3], zellerRow);

    // On a resort the arrival date follows the names; a clerk sees no private profile.
    ASSERT_TRUE(SetBooleanSetting(env.db(), "ResortClubProperty", true));
    env.logOn(clerkId);
    ASSERT_TRUE(BuildAllProfileCSV(*env.ctx).ok);
    rows = read(AllProfilesFile);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].size(), 29);
    EXPECT_EQ(rows[0].mid(1, 3), QStringList({"Last Name", "Arrival Date", "Job Title"}));
    EXPECT_EQ(rows[1].mid(0, 4), QStringList({"Cy", "Adams", "2026/05/01", ""}));
    zellerRow.insert(2, "");
    EXPECT_EQ(rows[2], zellerRow);
}

TEST_F(ExportBuilders, EventsByNameAndDateWithPricesFlagsAndNotes) {
    Database& db = env.ctx->eventsDb();
    const qint64 late = insert(
        db, "Event", "EventID",
        {{"EventName", "Opera Night"}, {"StartingDate", "2026/04/02"},
         {"ThroughDate", "2026/04/09"}, {"Location", Comma.stored}, {"Telephone", Formula.stored},
         {"Dark", Quote.stored}, {"EventTime", "8:00 PM"}, {"EventType", Accents.stored},
         {"LowPrice", 0}, {"HighPrice", 1234.5}, {"PrintOnList", true}});
    note(db, late, TextKind::EventNotes, {"Black tie, ", Lines.stored});
    insert(db, "Event", "EventID",
           {{"EventName", "Opera Night"}, {"StartingDate", "2026/04/01"}, {"LowPrice", 15},
            {"PrintOnList", false}});
    insert(db, "Event", "EventID", {{"EventName", "Art Fair"}, {"PrintOnList", false}});

    ASSERT_TRUE(BuildAllEventsCSV(*env.ctx).ok);
    EXPECT_EQ(read(AllEventsFile),
              QList<QStringList>(
                  {{"Event Name", "Location", "Telephone", "Starting Date", "Through Date", "Dark",
                    "Time", "Type of Event", "Low Price", "High Price", "Print on Guest List",
                    "Event Notes"},
                   {"Art Fair", "", "", "", "", "", "", "", ".00", ".00", "N", ""},
                   {"Opera Night", "", "", "2026/04/01", "", "", "", "", "15.00", ".00", "N", ""},
                   {"Opera Night", Comma.written, Formula.written, "2026/04/02", "2026/04/09",
                    Quote.written, "8:00 PM", Accents.written, ".00", "1,234.50", "Y",
                    "Black tie, " + Lines.written}}));
}

TEST_F(ExportBuilders, StaffWithoutSupportAccountsAndWithOptionalColumns) {
    env.db().exec("UPDATE [Concierge] SET [JobTitle] = ?, [MessageGroup] = ?, [EmailAddress] = ?, "
                  "[Telephone] = ?, [LastLogon] = '2026/03/01', [LastPWChange] = '2026/02/01', "
                  "[OTConciergeID] = 'OT-7', [EUserID] = ? WHERE [ConciergeID] = ?",
                  {Comma.stored, Quote.stored, Accents.stored, Formula.stored, Lines.stored,
                   clerkId});
    ASSERT_TRUE(BuildAllStaffCSV(*env.ctx).ok);
    QList<QStringList> rows = read(AllStaffFile);
    QStringList names;
    for (const QStringList& r : rows.mid(1))
        names << r[0];
    // The support accounts are stored as "Support Profile" and "Orvanta Support".
    EXPECT_EQ(names, QStringList({"Concierge Bellhop", "Mara Keel", "Olli Penn"}));
    EXPECT_EQ(rows[0], QStringList({"Concierge Name", "Initials", "Logon Name", "Job Title",
                                    "Message Group(s)", "EmailAddress", "Telephone", "Last Logon",
                                    "Last PW Change"}));

    ASSERT_TRUE(SetBooleanSetting(env.db(), "OpenTable", true));
    env.ctx->start.masked = true;
    ASSERT_TRUE(BuildAllStaffCSV(*env.ctx).ok);
    rows = read(AllStaffFile);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].mid(3, 4),
              QStringList({"Job Title", "OpenTable", "Open Table ID", "Message Group(s)"}));
    EXPECT_EQ(rows[0].last(), "Network User ID");
    EXPECT_EQ(rows[3], QStringList({"Olli Penn", "OP", "olli", Comma.written, "Y", "OT-7",
                                    Quote.written, Accents.written, Formula.written, "2026/03/01",
                                    "2026/02/01", Lines.written}));
    EXPECT_EQ(rows[2].mid(4, 2), QStringList({"N", ""}));
}

TEST_F(ExportBuilders, GroupLogHeadingsThenItsEntriesInReferOrder) {
    Group g;
    g.name = Comma.stored;
    g.attendees = 20;
    g.arrivalDate = "2026/03/14";
    g.departureDate = "2026/03/16";
    const qint64 group = InsertGroup(*env.ctx, g);
    const auto entry = [&](qint64 groupId, const QString& last, const QString& date,
                           const QString& time) {
        insert(env.db(), "LogBook", "LogID",
               {{"GroupID", groupId}, {"FirstName", "Al"}, {"LastName", last},
                {"RoomNumber", "101"}, {"EntryType", "Dinner"}, {"Notified", Quote.stored},
                {"ReferDate", date}, {"ReferTime", time}, {"EnteredBy", "MK"}});
    };
    entry(group, "Young", "2026/03/15", "09:00");
    entry(group, Lines.stored, "2026/03/14", "18:00");
    entry(group, Accents.stored, "2026/03/15", "08:00");
    entry(group + 1, "Elsewhere", "2026/03/14", "07:00");

    const ExportResult r = BuildAllGroupLogsCSV(*env.ctx, group);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.rows, 3);
    const auto row = [](const QString& last, const QString& date) {
        return QStringList{"Al", last, "101", "Dinner", Quote.written, date, "MK"};
    };
    EXPECT_EQ(read(AllGroupLogsFile),
              QList<QStringList>({{"Group Name:", Comma.written},
                                  {"Arriving:", "2026/03/14"},
                                  {"Departing:", "2026/03/16"},
                                  {"First Name", "Last Name", "Room Number", "Category", "Notify",
                                   "Refer Date", "Who"},
                                  row(Lines.written, "2026/03/14"),
                                  row(Accents.written, "2026/03/15"),
                                  row("Young", "2026/03/15")}));

    EXPECT_EQ(BuildAllGroupLogsCSV(*env.ctx, group + 99).message, MsgGroupNotFound);
}

TEST_F(ExportBuilders, FailuresLeaveTheOldFileAndSaySo) {
    {
        QFile old(path(AllEventsFile));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    env.ctx->eventsDb().exec("DROP TABLE [EvConText]");
    ExportResult r = BuildAllEventsCSV(*env.ctx);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith("Error: ")) << r.message.toStdString();
    EXPECT_TRUE(r.message.contains("BuildAllEventsCSV"));
    EXPECT_EQ(bytes(AllEventsFile), "old");

    ASSERT_TRUE(QDir().mkpath(path(AllStaffFile))); // a folder where the file should go
    r = BuildAllStaffCSV(*env.ctx);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, FileWrittenMessage(path(AllStaffFile), false));
}
