#include "core/Settings.h"
#include "guests/Groups.h"
#include "guests/ProfileFixture.h"
#include "logbook/DateShift.h"

using namespace vm;
using namespace vm::test;

namespace {

class ProfileLists : public ProfileFixture {
protected:
    std::vector<std::pair<QString, QString>> indicators(qint64 profile, bool withPrivate = true) {
        std::vector<std::pair<QString, QString>> out;
        for (const ProfileIndicator& i : GetProfilePI(ctx(), profile, withPrivate))
            out.push_back({i.type, i.value});
        return out;
    }
    QStringList typeLabels() {
        QStringList out;
        for (const IndicatorType& t : GetAllPreferenceTypes(ctx()))
            out << IndicatorTypeLabel(t) + (t.isPrivate ? " (private)" : "");
        return out;
    }
    Row indicatorRow(qint64 id) {
        return *db().queryOne("SELECT * FROM [ProfilePI] WHERE [ProfilePIID] = ?", {id});
    }
    using Pairs = std::vector<std::pair<QString, QString>>;
};

} // namespace

TEST_F(ProfileLists, IndicatorsCopyTheTypesFlagAndPlaceAndListInThatOrder) {
    const qint64 id = insert(sample());
    addType("Pillow", 5);
    addType("Spouse Name", 20, true);
    InsertProfilePI(ctx(), id, "Spouse Name", "Tom");
    const qint64 pillow = InsertProfilePI(ctx(), id, "Pillow", "Foam");
    InsertProfilePI(ctx(), id, "Pillow", "\"Down\" & feather");
    // A type that is not in the list goes last, public.
    const qint64 loose = InsertProfilePI(ctx(), id, "Loose", "x");
    EXPECT_EQ(indicatorRow(loose).number("SequenceNo"), 1000);
    EXPECT_EQ(indicators(id), (Pairs{{"Pillow", "'Down' and feather"},
                                     {"Pillow", "Foam"},
                                     {"Spouse Name", "Tom"},
                                     {"Loose", "x"}}));
    EXPECT_EQ(indicators(id, false),
              (Pairs{{"Pillow", "'Down' and feather"}, {"Pillow", "Foam"}, {"Loose", "x"}}));
    EXPECT_EQ(ProfileIndicatorValue(ctx(), id, "spouse name"), "Tom");
    EXPECT_EQ(ProfileIndicatorValue(ctx(), id, "GuestID"), "");

    UpdateProfilePI(ctx(), pillow, "Spouse Name", "Jim");
    EXPECT_TRUE(indicatorRow(pillow).flag("PublicPrivate"));
    EXPECT_EQ(indicatorRow(pillow).number("SequenceNo"), 20);
    DeleteProfilePI(ctx(), loose);
    EXPECT_EQ(
        indicators(id),
        (Pairs{{"Pillow", "'Down' and feather"}, {"Spouse Name", "Jim"}, {"Spouse Name", "Tom"}}));
}

TEST_F(ProfileLists, CardNumbersAreRefusedAsIndicatorsFromThirteenDigitsOn) {
    struct Case {
        QString value;
        bool isCard;
    };
    const Case cases[] = {
        {"378282246310005", true},     // 15-digit card
        {"30569309025904", true},      // 14 digits: stored in the clear before
        {"3056-9309-0259-04", true},   // separators do not hide it
        {"4222222222222", true},       // 13 digits
        {"4111 1111 1111 1111", true}, // 16 digits
        {"card 4111111111111111 exp 12/29", true},
        {"4111111111111112", false}, // fails the check digit
        {"30569309025905", false},
        {"123456789012", false}, // 12 digits
        {"Feather, firm, 2 pillows", false},
        {"GuestID 000123", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IndicatorIsCardNumber(ctx(), c.value), c.isCard) << c.value.toStdString();
}

TEST_F(ProfileLists, ContactHistoryStoresNoResultAsTheEmptyStringOnEveryPath) {
    const qint64 id = insert(sample());
    const qint64 plain = InsertProfileCH(ctx(), id, QDate(2026, 3, 1), "Phone");
    const qint64 blank = InsertProfileCH(ctx(), id, QDate(2026, 3, 2), "Phone", "   ");
    const qint64 answered = InsertProfileCH(ctx(), id, QDate(2026, 3, 3), "Letter", "Booked");
    ASSERT_EQ(InsertRecurringContacts(ctx(), id, "Call", {QDate(2026, 4, 1), QDate(2026, 4, 2)}),
              2);
    UpdateProfileCH(ctx(), answered, QDate(2026, 3, 4), "Letter", " ");
    EXPECT_EQ(
        count("SELECT COUNT(*) FROM [ProfileCH] WHERE [ProfileID] = ? AND [ContactResult] = ''",
              {id}),
        5);
    UpdateProfileCH(ctx(), blank, QDate(2026, 3, 2), "Phone", "No answer");

    std::vector<std::tuple<QString, QString, QString>> rows;
    for (const ContactHistoryRow& r : GetProfileCH(ctx(), id))
        rows.push_back({r.date, r.type, r.result});
    EXPECT_EQ(rows, (std::vector<std::tuple<QString, QString, QString>>{
                        {"2026/04/02", "Call", ""},
                        {"2026/04/01", "Call", ""},
                        {"2026/03/04", "Letter", ""},
                        {"2026/03/02", "Phone", "No answer"},
                        {"2026/03/01", "Phone", ""}}));

    // Strictly before the date.
    EXPECT_EQ(DeleteProfileCHBefore(ctx(), id, QDate(2026, 3, 4)), 2);
    EXPECT_EQ(GetProfileCH(ctx(), id).size(), 3u);
    DeleteProfileCH(ctx(), answered);
    EXPECT_EQ(GetProfileCH(ctx(), id).size(), 2u);
    EXPECT_EQ(plain > 0, true);
}

TEST_F(ProfileLists, ARecurringRequestOverTheCapInsertsNothing) {
    const qint64 id = insert(sample());
    const std::vector<QDate> year =
        RecurringDates(QDate(2026, 1, 1), QDate(2026, 12, 31), Recurrence::Daily);
    ASSERT_EQ(year.size(), 365u);
    EXPECT_EQ(InsertRecurringContacts(ctx(), id, "Call", year), 365);
    const std::vector<QDate> tooMany =
        RecurringDates(QDate(2027, 1, 1), QDate(2028, 1, 2), Recurrence::Daily);
    ASSERT_EQ(tooMany.size(), size_t(MaxRecurringContacts) + 1);
    EXPECT_EQ(InsertRecurringContacts(ctx(), id, "Call", tooMany), -1);
    EXPECT_EQ(GetProfileCH(ctx(), id).size(), 365u);
}

TEST_F(ProfileLists, GroupLogsTripsAndLogbookEntriesListNewestFirst) {
    const qint64 id = insert(sample());
    Group g;
    g.name = "Dental Congress";
    g.attendees = 40;
    g.arrivalDate = "2026/03/10";
    g.departureDate = "2026/03/20";
    const qint64 group = InsertGroup(ctx(), g);
    for (const char* created : {"2026/03/01", "2026/03/05"})
        db().exec("INSERT INTO [ProfileGL] ([ProfileID], [GroupID], [CreationDate]) "
                  "VALUES (?, ?, ?)",
                  {id, group, QString(created)});
    const auto logs = GetProfileGL(ctx(), id);
    ASSERT_EQ(logs.size(), 2u);
    EXPECT_EQ(logs[0].created, "2026/03/05");
    EXPECT_EQ(logs[0].groupName, "Dental Congress");
    EXPECT_EQ(logs[1].groupId, group);

    for (const char* arrival : {"2025/06/01", "2026/02/01"})
        db().exec("INSERT INTO [ProfileTH] ([ProfileID], [Confirmation], [ArrivalDate], "
                  "[DepartureDate]) VALUES (?, ?, ?, '2026/12/31')",
                  {id, "C-" + QString(arrival), QString(arrival)});
    const auto trips = GetTripHistory(ctx(), id);
    ASSERT_EQ(trips.size(), 2u);
    EXPECT_EQ(trips[0].arrival, "2026/02/01");
    EXPECT_EQ(trips[0].confirmation, "C-2026/02/01");

    const qint64 older = logbookEntry(db(), id, "2026/03/01");
    const qint64 newer = logbookEntry(db(), id, "2026/03/09", group);
    logbookEntry(db(), id + 1, "2026/03/09");
    const qint64 archived = logbookEntry(*ctx().archive, id, "2024/01/01", group);
    const auto current = GetProfileLB(ctx(), id, LogSource::Current);
    ASSERT_EQ(current.size(), 2u);
    EXPECT_EQ(current[0].logId, newer);
    EXPECT_EQ(current[0].groupName, "Dental Congress");
    EXPECT_EQ(current[0].category, "Dining");
    EXPECT_EQ(current[1].logId, older);
    EXPECT_EQ(current[1].groupName, "");
    const auto archive = GetProfileLB(ctx(), id, LogSource::Archive);
    ASSERT_EQ(archive.size(), 1u);
    EXPECT_EQ(archive[0].logId, archived);
    EXPECT_EQ(archive[0].referDate, "2024/01/01");
    // Group names come from the current database also for archived entries.
    EXPECT_EQ(archive[0].groupName, "Dental Congress");
}

TEST_F(ProfileLists, GuestLookUpByGuestIdOrByPartOfTheLastNameWithTypedWildcardsKept) {
    addType("GuestID");
    auto guest = [&](const QString& first, const QString& last, const QString& guestId) {
        Profile p = sample(first, last);
        p.unit = "4C";
        const qint64 id = InsertProfile(ctx(), p);
        if (!guestId.isEmpty()) InsertProfilePI(ctx(), id, "GuestID", guestId);
        return id;
    };
    const qint64 ann = guest("Ann", "Fulton", "G-100");
    InsertProfilePI(ctx(), ann, "Arrival Date", "03/14/2026");
    InsertProfilePI(ctx(), ann, "Departure Date", "03/18/2026");
    guest("Bob", "Fulton", "G-200");
    guest("Cy", "100% Fulton", "");
    guest("Di", "Walton", "");

    const auto byId = GetGuestSelections(ctx(), "G-100", "Walton");
    ASSERT_EQ(byId.size(), 1u);
    EXPECT_EQ(byId[0].profileId, ann);
    EXPECT_EQ(byId[0].arrival, "03/14/2026");
    EXPECT_EQ(byId[0].departure, "03/18/2026");
    EXPECT_EQ(byId[0].city, "Springfield");
    EXPECT_EQ(byId[0].state, "IL");
    EXPECT_EQ(byId[0].unit, "4C");

    auto firstNames = [&](const QString& lastName) {
        QStringList out;
        for (const GuestSelection& g : GetGuestSelections(ctx(), "", lastName))
            out << g.firstName;
        return out;
    };
    EXPECT_EQ(firstNames("ulton"), (QStringList{"Ann", "Bob", "Cy"}));
    EXPECT_EQ(firstNames("fult"), (QStringList{"Ann", "Bob", "Cy"}));
    EXPECT_EQ(firstNames("0% F"), (QStringList{"Cy"}));
    EXPECT_EQ(firstNames("_alton"), QStringList());
    EXPECT_EQ(firstNames("%"), (QStringList{"Cy"}));
    EXPECT_TRUE(GetGuestSelections(ctx(), " ", " ").empty());
}

TEST_F(ProfileLists, IndicatorTypesAreAddedOnceWithTheirLabels) {
    IndicatorType t;
    t.name = "  ";
    EXPECT_EQ(AddIndicatorType(ctx(), t), "Cannot Add a Blank Indicator.");
    addType("Pillow", 5);
    addType("Newspaper");
    t.name = "pillow";
    EXPECT_EQ(AddIndicatorType(ctx(), t),
              "The Indicator already exists in the list of available indicators.");
    EXPECT_EQ(typeLabels(), (QStringList{"0005 - Pillow", "1000 - Newspaper"}));
    EXPECT_EQ(IndicatorSequence(""), 1000);
    EXPECT_EQ(IndicatorSequence(" 12 "), 12);
    EXPECT_EQ(IndicatorSequence("abc"), 1000);
    EXPECT_EQ(GetProfileTypes(ctx(), false), (QStringList{"Pillow", "Newspaper"}));
    EXPECT_EQ(GetProfileTypes(ctx(), true),
              (QStringList{"*All Indicators", "*Business Email", "*Group Name", "*Job/Title",
                           "*Last Contacted", "Pillow", "Newspaper"}));
}

TEST_F(ProfileLists, ReplaceMovesTheIndicatorsWithTheNewTypesPrivateFlag) {
    const qint64 id = insert(sample());
    addType("Pilow", 5);
    const qint64 a = InsertProfilePI(ctx(), id, "Pilow", "Foam");
    IndicatorType t;
    t.name = "Pillow";
    t.sequence = 7;
    t.isPrivate = true;
    t.hint = "Foam, feather or down";
    EXPECT_EQ(ReplaceIndicatorType(ctx(), "Pilow", t), "");
    EXPECT_EQ(typeLabels(), (QStringList{"0007 - Pillow (private)"}));
    EXPECT_EQ(GetPreferenceType(ctx(), "Pillow")->hint, "Foam, feather or down");
    EXPECT_EQ(indicatorRow(a).text("PreferenceType"), "Pillow");
    EXPECT_EQ(indicatorRow(a).number("SequenceNo"), 7);
    EXPECT_TRUE(indicatorRow(a).flag("PublicPrivate"));
    EXPECT_EQ(indicators(id, false), Pairs());

    // Onto a type that exists: no second row of that name; the rows take its place and flag.
    addType("Cushion", 3);
    const qint64 b = InsertProfilePI(ctx(), id, "Cushion", "Firm");
    t.name = "Pillow";
    t.sequence = 99;
    t.isPrivate = false;
    EXPECT_EQ(ReplaceIndicatorType(ctx(), "Cushion", t), "");
    EXPECT_EQ(typeLabels(), (QStringList{"0007 - Pillow (private)"}));
    EXPECT_EQ(indicatorRow(b).number("SequenceNo"), 7);
    EXPECT_TRUE(indicatorRow(b).flag("PublicPrivate"));

    // Only the spelling changes: the type stays.
    t.name = "PILLOW";
    t.sequence = 8;
    EXPECT_EQ(ReplaceIndicatorType(ctx(), "Pillow", t), "");
    EXPECT_EQ(typeLabels(), (QStringList{"0008 - PILLOW (private)"}));
    EXPECT_EQ(indicators(id), (Pairs{{"PILLOW", "Firm"}, {"PILLOW", "Foam"}}));

    t.name = " ";
    EXPECT_EQ(ReplaceIndicatorType(ctx(), "PILLOW", t), "Cannot Replace a Blank Indicator.");
    t.name = "Bolster";
    EXPECT_EQ(ReplaceIndicatorType(ctx(), "Duvet", t),
              "The Indicator to replace does not exist\r\nin the list of available Indicators.");
    EXPECT_FALSE(GetPreferenceType(ctx(), "Bolster"));
}

TEST_F(ProfileLists, UpdateCarriesHintSequenceAndFlagToTheIndicators) {
    const qint64 id = insert(sample());
    addType("Pillow", 5);
    const qint64 a = InsertProfilePI(ctx(), id, "Pillow", "Foam");
    IndicatorType t = *GetPreferenceType(ctx(), "pillow");
    t.sequence = 2;
    t.isPrivate = true;
    t.email = "housekeeping@example.com";
    t.hint = "Type of pillow";
    EXPECT_EQ(UpdatePrefSequenceNo(ctx(), t), "");
    const IndicatorType back = *GetPreferenceType(ctx(), "Pillow");
    EXPECT_EQ(back.sequence, 2);
    EXPECT_EQ(back.email, "housekeeping@example.com");
    EXPECT_EQ(back.hint, "Type of pillow");
    EXPECT_TRUE(back.isPrivate);
    EXPECT_EQ(indicatorRow(a).number("SequenceNo"), 2);
    EXPECT_TRUE(indicatorRow(a).flag("PublicPrivate"));
    t.name = "Duvet";
    EXPECT_EQ(UpdatePrefSequenceNo(ctx(), t),
              "The Indicator to update does not exist\r\nin the list of available Indicators.");
}

TEST_F(ProfileLists, DeleteRefusesTypesInUseAndTheMandatoryGuestId) {
    const qint64 id = insert(sample());
    addType("Pillow");
    addType("GuestID");
    addType("Unused");
    const qint64 pillow = InsertProfilePI(ctx(), id, "Pillow", "Foam");
    InsertProfilePI(ctx(), insert(sample("Bob")), "Pillow", "Down");
    EXPECT_EQ(CountIndicatorUses(ctx(), "pillow"), 2);
    EXPECT_EQ(DeleteIndicatorType(ctx(), "Pillow"), MsgIndicatorInUse(2));
    EXPECT_TRUE(
        MsgIndicatorInUse(2).startsWith("We found 2 Profile entries using this Indicator."));
    DeleteProfilePI(ctx(), pillow);
    EXPECT_EQ(DeleteIndicatorType(ctx(), "Pillow"), MsgIndicatorInUse(1));
    EXPECT_EQ(DeleteIndicatorType(ctx(), "Unused"), "");
    EXPECT_FALSE(GetPreferenceType(ctx(), "Unused"));

    // Without the mandatory guest number the type is like any other.
    IndicatorType t;
    t.name = "Guest Number";
    EXPECT_EQ(DeleteIndicatorType(ctx(), "GuestID"), "");
    addType("GuestID");
    ASSERT_TRUE(SetBooleanSetting(db(), "UseGuestID", true));
    EXPECT_EQ(DeleteIndicatorType(ctx(), "guestid"),
              "You have opted to use the Mandatory Guest \r\nID.  You may NOT delete this Profile "
              "\r\nIndicator.");
    EXPECT_EQ(ReplaceIndicatorType(ctx(), "GuestID", t),
              "You have opted to use the Mandatory Guest \r\nID.  You may NOT Change/Replace this "
              "Profile \r\nIndicator.");
    EXPECT_TRUE(GetPreferenceType(ctx(), "GuestID"));
    EXPECT_FALSE(GetPreferenceType(ctx(), "Guest Number"));
}

TEST_F(ProfileLists, TheDateShiftMovesContactDatesAndGroupLogs) {
    const qint64 id = insert(sample());
    InsertProfileCH(ctx(), id, QDate(2026, 2, 27), "Phone");
    db().exec("INSERT INTO [ProfileGL] ([ProfileID], [GroupID], [CreationDate]) "
              "VALUES (?, 0, '2026/02/27')",
              {id});
    UpdateAllDates(ctx(), 3);
    ASSERT_EQ(GetProfileCH(ctx(), id).size(), 1u);
    EXPECT_EQ(GetProfileCH(ctx(), id)[0].date, "2026/03/02");
    EXPECT_EQ(GetProfileGL(ctx(), id).at(0).created, "2026/03/02");
}
