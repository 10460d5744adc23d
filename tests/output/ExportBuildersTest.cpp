#include "ExportFixture.h"

#include "core/LongText.h"
#include "core/Settings.h"
#include "output/AddressBookExport.h"
#include "platform/CsvWriter.h"

#include <QDir>

using namespace vm;
using namespace vm::test;

namespace {
class ExportBuilders : public ExportFixture {};
} // namespace

TEST_F(ExportBuilders, ContactsInNameOrderWithNotesAndPrivateOnesForManagers) {
    Database& db = env.ctx->contactsDb();
    insert(db, "Contact",
           {{"ContactName", "Cedar Club"}, {"PublicPrivate", true}, {"Rating", 5}, {"Ranking", 0}});
    insert(db, "Contact", {{"ContactName", "Birch Cafe"}, {"KeywordSet", " "}}); // no rating
    insert(db, "Contact",
           {{"ContactName", "Alder Grill"},
            {"NickName", Comma},
            {"Address", Quote},
            {"CrossStreets", Lines},
            {"City", Accents},
            {"State", "NY"},
            {"PostalCode", Formula},
            {"Country", "USA"},
            {"KeywordSet", "Steak, Fish"},
            {"Rating", 3},
            {"Ranking", 1},
            {"UpdateDate", "2026/03/04"},
            {"PublicPrivate", false}});
    // A note beginning with a line break is guarded like a formula.
    const QList<QStringList> expected{
        {"Company", "Business Phone", "Business Street", "Business Street 2", "Business City",
         "Business State", "Business Postal Code", "Business Country", "Notes", "Last  Updated"},
        {"Alder Grill", Comma, Quote, Lines, Accents, "NY", Guarded, "USA",
         "Steak, Fish\r\nRating = 3  Ranking = 1", "2026/03/04"},
        {"Birch Cafe", "", "", "", "", "", "", "", "'\r\nRating =   Ranking = ", ""},
        {"Cedar Club", "", "", "", "", "", "", "", "'\r\nRating = 5  Ranking = 0", ""}};
    ExportResult r = BuildAllContactCSV(*env.ctx);
    EXPECT_EQ(r.message, "The file: " + QDir::toNativeSeparators(path(AllContactsFile)) +
                             " has been created.");
    EXPECT_EQ(r.rows, 3);
    EXPECT_EQ(read(AllContactsFile), expected);
    const QByteArray raw = bytes(AllContactsFile); // every field quoted, CRLF line ends
    EXPECT_TRUE(raw.contains("\"Last  Updated\"\r\n\"Alder Grill\",\"Smith, Jr\",\"say \"\"hi"));
    EXPECT_TRUE(raw.contains("\r\n\"Birch Cafe\",\"\",\"\","));

    env.logOn(clerkId);
    ASSERT_TRUE(BuildAllContactCSV(*env.ctx).ok);
    EXPECT_EQ(read(AllContactsFile), expected.mid(0, 3));
}

TEST_F(ExportBuilders, ContactsComeFromTheSharedDatabase) {
    env.openShared();
    insert(env.db(), "Contact", {{"ContactName", "Local Only"}});
    insert(*env.ctx->common, "Contact", {{"ContactName", "Shared Bistro"}});
    ASSERT_TRUE(BuildAllContactCSV(*env.ctx).ok);
    const QList<QStringList> rows = read(AllContactsFile);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1][0], "Shared Bistro");
}

TEST_F(ExportBuilders, ProfilesWithNotesArrivalColumnAndPrivacy) {
    const QStringList columns{
        "Title",     "EmailAddress",  "EmailAddressB", "HomePhone",   "FaxPhone",
        "CellPhone", "BusinessPhone", "Address",       "Address2",    "City",
        "State",     "PostalCode",    "Country",       "Address12",   "Address22",
        "City2",     "State2",        "PostalCode2",   "Country2",    "Address13",
        "Address23", "City3",         "State3",        "PostalCode3", "Country3"};
    const QStringList tricky{Comma, Quote, Lines, Accents, Formula};
    QVariantMap ann{{"FirstName", "Ann"}, {"LastName", "Zeller"}, {"PublicPrivate", false}};
    QStringList annRow{"Ann", "Zeller"};
    for (int i = 0; i < columns.size(); ++i) {
        ann[columns[i]] = i < tricky.size() ? tricky[i] : columns[i] + " value";
        annRow << (i == 4 ? Guarded : ann[columns[i]].toString());
    }
    const qint64 annId = insert(env.db(), "Profile", ann);
    note(env.db(), annId, TextKind::ProfileNotes, {"Quiet, ", "corner table"});
    insert(env.db(), "ProfilePI",
           {{"ProfileID", annId},
            {"PreferenceType", "Arrival Date"},
            {"PreferenceSelection", "2026/06/01"},
            {"PublicPrivate", true}});
    annRow << "Quiet, corner table";
    insert(env.db(), "Profile",
           {{"FirstName", "Bo"}, {"LastName", "Adams"}, {"PublicPrivate", true}});
    const qint64 cy = insert(env.db(), "Profile", {{"FirstName", "Cy"}, {"LastName", "Adams"}});
    insert(env.db(), "ProfilePI",
           {{"ProfileID", cy},
            {"PreferenceType", "Arrival Date"},
            {"PreferenceSelection", "2026/05/01"},
            {"SequenceNo", 1}});

    ASSERT_TRUE(BuildAllProfileCSV(*env.ctx).ok);
    QList<QStringList> rows = read(AllProfilesFile);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].size(), 28);
    EXPECT_EQ(rows[0].mid(1, 3), QStringList({"Last Name", "Job Title", "E-Mail Address"}));
    EXPECT_EQ(rows[1].mid(0, 2), QStringList({"Bo", "Adams"}));
    EXPECT_EQ(rows[2].mid(0, 2), QStringList({"Cy", "Adams"}));
    EXPECT_EQ(rows[3], annRow);

    // On a resort the arrival date follows the names; a clerk sees no private profile.
    ASSERT_TRUE(SetBooleanSetting(env.db(), "ResortClubProperty", true));
    env.logOn(clerkId);
    ASSERT_TRUE(BuildAllProfileCSV(*env.ctx).ok);
    rows = read(AllProfilesFile);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].mid(1, 3), QStringList({"Last Name", "Arrival Date", "Job Title"}));
    EXPECT_EQ(rows[1].mid(0, 4), QStringList({"Cy", "Adams", "2026/05/01", ""}));
    annRow.insert(2, ""); // her arrival date is private
    EXPECT_EQ(rows[2], annRow);
}

TEST_F(ExportBuilders, EventsByNameAndDateWithPricesFlagsAndNotes) {
    Database& db = env.ctx->eventsDb();
    const qint64 late = insert(db, "Event",
                               {{"EventName", "Opera"},
                                {"StartingDate", "2026/04/02"},
                                {"ThroughDate", "2026/04/09"},
                                {"Location", Comma},
                                {"Telephone", Formula},
                                {"Dark", Quote},
                                {"EventTime", "8:00 PM"},
                                {"EventType", Accents},
                                {"LowPrice", 0},
                                {"HighPrice", 1234.5},
                                {"PrintOnList", true}});
    note(db, late, TextKind::EventNotes, {"Black tie, ", Lines});
    insert(db, "Event", {{"EventName", "Opera"}, {"StartingDate", "2026/04/01"}, {"LowPrice", 15}});
    insert(db, "Event", {{"EventName", "Art Fair"}});

    ASSERT_TRUE(BuildAllEventsCSV(*env.ctx).ok);
    EXPECT_EQ(read(AllEventsFile),
              QList<QStringList>(
                  {{"Event Name", "Location", "Telephone", "Starting Date", "Through Date", "Dark",
                    "Time", "Type of Event", "Low Price", "High Price", "Print on Guest List",
                    "Event Notes"},
                   {"Art Fair", "", "", "", "", "", "", "", ".00", ".00", "N", ""},
                   {"Opera", "", "", "2026/04/01", "", "", "", "", "15.00", ".00", "N", ""},
                   {"Opera", Comma, Guarded, "2026/04/02", "2026/04/09", Quote, "8:00 PM", Accents,
                    ".00", "1,234.50", "Y", "Black tie, " + Lines}}));
}

TEST_F(ExportBuilders, StaffWithoutSupportAccountsAndWithOptionalColumns) {
    env.db().exec("UPDATE [Concierge] SET [JobTitle] = ?, [MessageGroup] = ?, [EmailAddress] = ?, "
                  "[Telephone] = ?, [LastLogon] = '2026/03/01', [LastPWChange] = '2026/02/01', "
                  "[OTConciergeID] = 'OT-7', [EUserID] = ? WHERE [ConciergeID] = ?",
                  {Comma, Quote, Accents, Formula, Lines, clerkId});
    ASSERT_TRUE(BuildAllStaffCSV(*env.ctx).ok);
    QList<QStringList> rows = read(AllStaffFile);
    EXPECT_EQ(rows[0].mid(3, 2), QStringList({"Job Title", "Message Group(s)"}));
    QStringList names; // the support accounts are stored in mixed case
    for (const QStringList& r : rows.mid(1))
        names << r[0];
    EXPECT_EQ(names, QStringList({"Concierge Bellhop", "Mara Keel", "Olli Penn"}));

    ASSERT_TRUE(SetBooleanSetting(env.db(), "OpenTable", true));
    env.ctx->start.masked = true;
    ASSERT_TRUE(BuildAllStaffCSV(*env.ctx).ok);
    rows = read(AllStaffFile);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].mid(3, 4),
              QStringList({"Job Title", "OpenTable", "Open Table ID", "Message Group(s)"}));
    EXPECT_EQ(rows[0].last(), "Network User ID");
    EXPECT_EQ(rows[3], QStringList({"Olli Penn", "OP", "olli", Comma, "Y", "OT-7", Quote, Accents,
                                    Guarded, "2026/03/01", "2026/02/01", Lines}));
    EXPECT_EQ(rows[2].mid(4, 2), QStringList({"N", ""}));
}

TEST_F(ExportBuilders, GroupLogHeadingsThenItsEntriesInReferOrder) {
    const qint64 group = this->group(Comma);
    const auto entry = [&](qint64 id, const QString& last, const QString& date, const char* time) {
        insert(env.db(), "LogBook",
               {{"GroupID", id},
                {"FirstName", "Al"},
                {"LastName", last},
                {"RoomNumber", "101"},
                {"EntryType", "Dinner"},
                {"Notified", Quote},
                {"ReferDate", date},
                {"ReferTime", time},
                {"EnteredBy", "MK"}});
        return QStringList{"Al", last, "101", "Dinner", Quote, date, "MK"};
    };
    const QStringList third = entry(group, "Young", "2026/03/15", "09:00");
    const QStringList first = entry(group, Lines, "2026/03/14", "18:00");
    const QStringList second = entry(group, Accents, "2026/03/15", "08:00");
    entry(group + 1, "Elsewhere", "2026/03/14", "07:00");

    EXPECT_EQ(BuildAllGroupLogsCSV(*env.ctx, group).rows, 3);
    EXPECT_EQ(read(AllGroupLogsFile),
              QList<QStringList>({{"Group Name:", Comma},
                                  {"Arriving:", "2026/03/14"},
                                  {"Departing:", "2026/03/16"},
                                  {"First Name", "Last Name", "Room Number", "Category", "Notify",
                                   "Refer Date", "Who"},
                                  first,
                                  second,
                                  third}));
    EXPECT_EQ(BuildAllGroupLogsCSV(*env.ctx, group + 99).message, MsgGroupNotFound);
}

TEST_F(ExportBuilders, FailuresLeaveTheOldFileAndSaySo) {
    QFile old(path(AllEventsFile));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    env.ctx->eventsDb().exec("DROP TABLE [EvConText]");
    const ExportResult r = BuildAllEventsCSV(*env.ctx);
    EXPECT_TRUE(!r.ok && r.message.startsWith("Error: ") &&
                r.message.contains("BuildAllEventsCSV"));
    EXPECT_EQ(bytes(AllEventsFile), "old");

    ASSERT_TRUE(QDir().mkpath(path(AllStaffFile))); // a folder where the file should go
    EXPECT_EQ(BuildAllStaffCSV(*env.ctx).message, FileWrittenMessage(path(AllStaffFile), false));
}
