#include "ProfileListFixture.h"

#include "core/Settings.h"

using namespace vm;
using namespace vm::test;
using namespace vm::test::plist;

namespace {

class ProfileSearch : public ProfileListFixture {};

const QString Trigram = QStringLiteral("[Profile].[ProfileID] IN (SELECT rowid FROM "
                                       "[Profile_Search] WHERE [%1] LIKE ?)");

void AddMany(Database& db, int n, const QString& type = QString()) {
    db.transaction([&] {
        for (int i = 0; i < n; ++i)
            AddGuest(db, {.last = "Bulk " + QString::number(i), .type = type});
    });
}

} // namespace

TEST(ProfileSelection, ModesGiveTheirConditionAndDescription) {
    using B = ProfileSelectBy;
    using S = ProfileShape;
    const QDate from(2026, 3, 1), through(2026, 3, 31);
    const struct {
        ProfileQuery q;
        S shape;
        QString where;
        QVariantList params;
        QString description;
    } cases[] = {
        {{.by = B::LastName, .text = " Smith "},
         S::Plain,
         Trigram.arg("LastName"),
         {"%Smith%"},
         "Where Last Name contains Smith, Sorted by Last Name"},
        // Two letters are too short for the trigram table.
        {{.by = B::FirstName, .text = "Jo", .sort = ProfileSort::FirstName},
         S::Plain,
         "[Profile].[FirstName] LIKE ?",
         {"%Jo%"},
         "Where First Name contains Jo, Sorted by First Name"},
        {{.by = B::UnitOrState, .text = "12B", .city = "ignored", .residential = true},
         S::Plain,
         Trigram.arg("DocumentLink"),
         {"%12B%"},
         "Where Unit contains 12B, Sorted by Last Name"},
        {{.by = B::UnitOrState, .text = "MA", .city = "Boston", .sort = ProfileSort::StateAndCity},
         S::Plain,
         "[Profile].[StateS] LIKE ? AND [Profile].[CityS] LIKE ?",
         {"%MA%", "%Boston%"},
         "Where State contains MA And City contains Boston, Sorted by State and City"},
        {{.by = B::Indicator, .indicator = "Pillow", .sort = ProfileSort::Email},
         S::Indicator,
         "[ProfilePI].[PreferenceType] = ?",
         {"Pillow"},
         "Where Indicator = Pillow, Sorted by Selection"},
        {{.by = B::Indicator, .indicator = "Pillow", .indicatorValue = "Foam"},
         S::Indicator,
         "[ProfilePI].[PreferenceType] = ? AND [ProfilePI].[PreferenceSelection] LIKE ?",
         {"Pillow", "%Foam%"},
         "Where Indicator Pillow contains Foam, Sorted by Last Name"},
        {{.by = B::Group, .groupId = 7, .groupName = "Smith Wedding"},
         S::Plain,
         "[Profile].[GroupID] = ?",
         {7},
         "Where Group Name = Smith Wedding, Sorted by Last Name"},
        {{.by = B::ContactType, .contactType = "Phone", .sort = ProfileSort::Email},
         S::ContactHistory,
         "[ProfileCH].[ContactType] = ?",
         {"Phone"},
         "Where Contact without Results is Phone, Sorted by Contact Type"},
        {{.by = B::ContactType, .contactType = "Phone", .noResults = true},
         S::ContactHistory,
         "[ProfileCH].[ContactType] = ? AND [ProfileCH].[ContactResult] = ?",
         {"Phone", ""},
         "Where Contact without Results is Phone, Sorted by Last Name"},
        // Neither a type nor dates: only the empty-result condition, or nothing at all.
        {{.by = B::ContactType, .noResults = true},
         S::ContactHistory,
         "[ProfileCH].[ContactResult] = ?",
         {""},
         "Where Contacts without Results Have Been Selected , Sorted by Last Name"},
        {{.by = B::ContactType},
         S::ContactHistory,
         "",
         {},
         "Where Contacts without Results Have Been Selected , Sorted by Last Name"},
        {{.by = B::ContactType, .byDate = true, .from = from, .through = through},
         S::ContactHistory,
         "[ProfileCH].[ContactDate] >= ? AND [ProfileCH].[ContactDate] < ?",
         {from, QDate(2026, 4, 1)},
         "Where Contacts without Results Have Been Selected  And Contact Date is between "
         "03/01/2026 and 03/31/2026, Sorted by Last Name"},
        {{.by = B::ProfileType, .profileType = "VIP", .sort = ProfileSort::ColorCode},
         S::Plain,
         "[Profile].[ProfileType] = ?",
         {"VIP"},
         "Where Profile Type = VIP, Sorted by Color Code"},
        {{.by = B::All, .sort = ProfileSort::Email},
         S::Plain,
         "",
         {},
         "Where All Profiles Have Been Selected , Sorted by Email Address"},
        {{.by = B::All, .filter = "No Filter"},
         S::Plain,
         "",
         {},
         "Where All Profiles Have Been Selected , Sorted by Last Name"},
        {{.by = B::Private, .filter = "VIP"},
         S::Plain,
         "[Profile].[PublicPrivate] = ?",
         {true},
         "Where Profile Is Viewable Only By Authorized Users. And Profile Type is VIP, Sorted by "
         "Last Name"},
        // Typed wildcards are the text's own characters; a typed double quote is
        // searched as the single quote it is stored as.
        {{.by = B::LastName, .text = "O_Hara%"},
         S::Plain,
         "[Profile].[LastName] LIKE ? ESCAPE '\\'",
         {"%O\\_Hara\\%%"},
         "Where Last Name contains O_Hara%, Sorted by Last Name"},
        {{.by = B::LastName, .text = "O\"Neil"},
         S::Plain,
         Trigram.arg("LastName"),
         {"%O'Neil%"},
         "Where Last Name contains O\"Neil, Sorted by Last Name"},
    };
    for (const auto& c : cases) {
        const BuiltProfileQuery b = BuildProfileSelection(c.q);
        const std::string at = c.description.toStdString();
        EXPECT_EQ(b.refusal, "") << at;
        EXPECT_EQ(b.shape, c.shape) << at;
        EXPECT_EQ(b.where, c.where) << at;
        EXPECT_EQ(b.params, c.params) << at;
        EXPECT_EQ(b.description, c.description);
    }
}

TEST(ProfileSelection, MissingInputIsRefusedWithItsMessage) {
    using B = ProfileSelectBy;
    const QString tail = " you wish to use to filter your selections.";
    const struct {
        ProfileQuery q;
        QString refusal;
    } cases[] = {
        {{.by = B::LastName, .text = "  "}, "Please enter the information" + tail},
        {{.by = B::FirstName}, "Please enter the information" + tail},
        {{.by = B::UnitOrState, .city = "Boston"}, "Please enter the information" + tail},
        {{.by = B::Indicator, .indicatorValue = "Foam"}, "Please select the Indicator" + tail},
        {{.by = B::Group, .groupName = "typed"}, "Please select the Group" + tail},
        {{.by = B::ProfileType}, "Please select the Profile Type" + tail},
        {{.by = B::ContactType,
          .byDate = true,
          .from = QDate(2026, 3, 2),
          .through = QDate(2026, 3, 1)},
         "The Through date must be greater than the from date."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildProfileSelection(c.q).refusal, c.refusal) << c.refusal.toStdString();
}

TEST(ProfileSelection, TheFourthSortFollowsTheMode) {
    const QStringList plain = {"Last Name", "First Name", "State and City", "Email Address",
                               "Color Code"};
    EXPECT_EQ(ProfileSortCaptions(ProfileSelectBy::All), plain);
    EXPECT_EQ(ProfileSortCaptions(ProfileSelectBy::Indicator)[3], "Selection");
    EXPECT_EQ(ProfileSortCaptions(ProfileSelectBy::ContactType)[3], "Contact Type");
    EXPECT_TRUE(ProfileOrderBy(ProfileShape::Plain, ProfileSort::Email)
                    .startsWith(" ORDER BY [Profile].[EmailAddress]"));
    EXPECT_TRUE(ProfileOrderBy(ProfileShape::Indicator, ProfileSort::Email)
                    .startsWith(" ORDER BY [ProfilePI].[PreferenceSelection]"));
    EXPECT_TRUE(ProfileOrderBy(ProfileShape::ContactHistory, ProfileSort::Email)
                    .startsWith(" ORDER BY [ProfileCH].[ContactType]"));
    EXPECT_TRUE(ProfileOrderBy(ProfileShape::Plain, ProfileSort::ColorCode)
                    .startsWith(" ORDER BY [Profile].[ColorCode], [Profile].[ProfileColor], "
                                "[Profile].[LastName], [Profile].[FirstName]"));

    ProfileQuery q;
    EXPECT_EQ(ProfileListHeaders(q)[PColSelectable], "Email Address");
    q.replaceEmailWith = "*All Indicators";
    EXPECT_EQ(ProfileListHeaders(q)[PColSelectable], "All Indicators");
    q.replaceEmailWith = "Pillow";
    EXPECT_EQ(ProfileListHeaders(q)[PColSelectable], "Pillow");
    q.by = ProfileSelectBy::Indicator; // the mode's own column wins
    EXPECT_EQ(ProfileListHeaders(q)[PColSelectable], "Selection");
    q.by = ProfileSelectBy::ContactType;
    EXPECT_EQ(ProfileListHeaders(q)[PColSelectable], "Contact Type");
}

TEST(ProfileSelection, ColourLiteralsAreBlueGreenRed) {
    const struct {
        QString literal;
        std::optional<quint32> rgb;
    } cases[] = {{"&H0000C000&", 0x00C000}, {"&H00C00000&", 0x0000C0}, {"&H000000FF&", 0xFF0000},
                 {"&h00123456", 0x563412},  {"&H00000000&", 0x000000}, {"#00C000", std::nullopt},
                 {"&HXYZ&", std::nullopt},  {"", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(ProfileColorRgb(c.literal), c.rgb) << c.literal.toStdString();
}

TEST_F(ProfileSearch, NamesStatesAndUnitsAreFoundByPart) {
    add({.last = "Smithers", .first = "Waylon", .city = "Springfield", .state = "OR"});
    add({.last = "Goldsmith", .first = "Ann", .city = "Boston", .state = "MA", .unit = "12B"});
    add({.last = "Jones", .first = "Smitty", .city = "Salem", .state = "MA", .unit = "4A"});
    add({.last = "O_Hara", .first = "Kim", .state = "NY"});
    add({.last = "OxHara", .first = "Lee", .state = "NY"});
    using B = ProfileSelectBy;
    EXPECT_EQ(names({.by = B::LastName, .text = "smith"}), QStringList({"Goldsmith", "Smithers"}));
    EXPECT_EQ(names({.by = B::FirstName, .text = "Smi"}), QStringList({"Jones"}));
    EXPECT_EQ(names({.by = B::UnitOrState, .text = "MA"}), QStringList({"Goldsmith", "Jones"}));
    EXPECT_EQ(names({.by = B::UnitOrState, .text = "ma", .city = "sal"}), QStringList({"Jones"}));
    EXPECT_EQ(names({.by = B::UnitOrState, .text = "12", .residential = true}),
              QStringList({"Goldsmith"}));
    EXPECT_EQ(names({.by = B::LastName, .text = "O_H"}), QStringList({"O_Hara"}));
}

TEST_F(ProfileSearch, AnIndicatorListsEachProfileOnce) {
    const qint64 twice = add({.last = "Adams"});
    const qint64 once = add({.last = "Baker"});
    const qint64 other = add({.last = "Clark"});
    AddIndicator(env.db(), twice, "Pillow", "Foam");
    AddIndicator(env.db(), twice, "Pillow", "Feather");
    AddIndicator(env.db(), once, "Pillow", "Buckwheat");
    AddIndicator(env.db(), other, "Newspaper", "Foam Weekly");
    using B = ProfileSelectBy;
    EXPECT_EQ(selectable({.by = B::Indicator, .indicator = "Pillow"}),
              QStringList({"Adams=Feather, Foam", "Baker=Buckwheat"}));
    EXPECT_EQ(selectable({.by = B::Indicator, .indicator = "Pillow", .indicatorValue = "fo"}),
              QStringList({"Adams=Foam"}));
    // Sorted by the selection: Buckwheat before Feather.
    EXPECT_EQ(names({.by = B::Indicator, .indicator = "Pillow", .sort = ProfileSort::Email}),
              QStringList({"Baker", "Adams"}));
    EXPECT_EQ(list({.by = B::Indicator, .indicator = "Pillow"}).caption, "2 Entries were selected");
}

TEST_F(ProfileSearch, PrivateProfilesAndIndicatorsAreForManagersOnly) {
    const qint64 open = add({.last = "Open"});
    const qint64 secret = add({.last = "Secret", .isPrivate = true});
    AddIndicator(env.db(), open, "Spouse Name", "Pat", 1000, true);
    AddIndicator(env.db(), open, "Pillow", "Foam");
    AddIndicator(env.db(), secret, "Pillow", "Foam");
    using B = ProfileSelectBy;
    EXPECT_EQ(names({}), QStringList({"Open", "Secret"}));
    EXPECT_EQ(names({.by = B::Private}), QStringList({"Secret"}));
    EXPECT_EQ(
        selectable({.by = B::LastName, .text = "Open", .replaceEmailWith = "*All Indicators"}),
        QStringList({"Open=Pillow: Foam; Spouse Name: Pat"}));

    env.logOn(deskId);
    EXPECT_EQ(names({}), QStringList({"Open"}));
    EXPECT_EQ(names({.by = B::Private}), QStringList());
    EXPECT_EQ(names({.by = B::Indicator, .indicator = "Pillow"}), QStringList({"Open"}));
    EXPECT_EQ(names({.by = B::Indicator, .indicator = "Spouse Name"}), QStringList());
    EXPECT_EQ(
        selectable({.by = B::LastName, .text = "Open", .replaceEmailWith = "*All Indicators"}),
        QStringList({"Open=Pillow: Foam"}));
    EXPECT_FALSE(GetTheProfileRow(*env.ctx, {}, secret).has_value());
    EXPECT_TRUE(GetTheProfileRow(*env.ctx, {}, open).has_value());
}

TEST_F(ProfileSearch, ContactHistoryListsOneRowPerContactAndOpenOnesWithNoResult) {
    const qint64 a = add({.last = "Adams"});
    const qint64 b = add({.last = "Baker"});
    AddContact(env.db(), a, QDate(2026, 3, 1), "Phone", "Booked");
    AddContact(env.db(), a, QDate(2026, 3, 5), "Phone");
    AddContact(env.db(), a, QDate(2026, 3, 9), "Letter");
    AddContact(env.db(), b, QDate(2026, 3, 31), "Phone");
    AddContact(env.db(), b, QDate(2026, 4, 1), "Phone");
    using B = ProfileSelectBy;
    EXPECT_EQ(
        selectable({.by = B::ContactType, .contactType = "Phone", .sort = ProfileSort::Email}),
        QStringList({"Baker=Phone 2026/04/01", "Baker=Phone 2026/03/31", "Adams=Phone 2026/03/05",
                     "Adams=Phone 2026/03/01"}));
    EXPECT_EQ(selectable({.by = B::ContactType, .contactType = "Phone", .noResults = true}),
              QStringList(
                  {"Adams=Phone 2026/03/05", "Baker=Phone 2026/04/01", "Baker=Phone 2026/03/31"}));
    // No type and no dates: one WHERE only, for the open contacts or for every contact.
    EXPECT_EQ(list({.by = B::ContactType, .noResults = true}).rows.size(), 4u);
    EXPECT_EQ(list({.by = B::ContactType}).rows.size(), 5u);
    // The through day is included, the next day is not.
    EXPECT_EQ(selectable({.by = B::ContactType,
                          .byDate = true,
                          .from = QDate(2026, 3, 5),
                          .through = QDate(2026, 3, 31),
                          .sort = ProfileSort::Email}),
              QStringList(
                  {"Adams=Letter 2026/03/09", "Baker=Phone 2026/03/31", "Adams=Phone 2026/03/05"}));
    EXPECT_EQ(selectable({.by = B::ContactType,
                          .contactType = "Phone",
                          .noResults = true,
                          .byDate = true,
                          .from = QDate(2026, 4, 1),
                          .through = QDate(2026, 4, 1)}),
              QStringList({"Baker=Phone 2026/04/01"}));
}

TEST_F(ProfileSearch, GroupTypeAndTheFilterNarrowTheList) {
    const qint64 wedding = AddGroup(env.db(), "Smith Wedding");
    add({.last = "Adams", .type = "VIP", .groupId = wedding});
    add({.last = "Baker", .type = "Member", .groupId = wedding});
    add({.last = "Clark", .type = "VIP"});
    using B = ProfileSelectBy;
    EXPECT_EQ(names({.by = B::Group, .groupId = wedding, .groupName = "Smith Wedding"}),
              QStringList({"Adams", "Baker"}));
    EXPECT_EQ(names({.by = B::ProfileType, .profileType = "VIP"}), QStringList({"Adams", "Clark"}));
    EXPECT_EQ(names({.by = B::Group, .groupId = wedding, .filter = "VIP"}), QStringList({"Adams"}));
    EXPECT_EQ(names({.filter = "Member"}), QStringList({"Baker"}));
    EXPECT_EQ(CountProfiles(*env.ctx, "VIP"), 2);
    EXPECT_EQ(CountProfiles(*env.ctx, "No Filter"), 3);
}

TEST_F(ProfileSearch, RowsShowTheListedColumnsWithTheGuestsBars) {
    const qint64 id = add({.last = "Adams",
                           .first = "Ann",
                           .salutation = "Dr.",
                           .address = "1 Pier Rd",
                           .city = "Boston",
                           .state = "MA",
                           .postal = "02110",
                           .unit = "12B",
                           .home = "555-0100",
                           .fax = "555-0101",
                           .email = "ann@example.com",
                           .color = "&H0000C000&",
                           .colorCode = true});
    add({.last = "Baker",
         .first = "Bo",
         .home = "555-0200",
         .fax = "555-0201",
         .email = "bo@example.com",
         .dnuHome = true,
         .dnuFax = true,
         .dnuEmail = true});
    const ProfileList l = list({.residential = true});
    ASSERT_EQ(l.rows.size(), 2u);
    EXPECT_EQ(l.rows[0].id, id);
    EXPECT_EQ(l.rows[0].cells, QStringList({"Adams", "Dr. Ann", "1 Pier Rd", "12B", "MA", "Boston",
                                            "555-0100", "555-0101", "02110", "ann@example.com"}));
    EXPECT_TRUE(l.rows[0].colorCode);
    EXPECT_EQ(l.rows[0].color, "&H0000C000&");
    EXPECT_EQ(l.rows[1].cells[PColFirstName], "Bo");
    EXPECT_EQ(l.rows[1].cells[PColTelephone], "Do NOT Call");
    EXPECT_EQ(l.rows[1].cells[PColFax], "Do NOT Fax");
    EXPECT_EQ(l.rows[1].cells[PColSelectable], "Do NOT EMail");
    EXPECT_FALSE(l.rows[1].colorCode);

    EXPECT_EQ(list({}).rows[0].cells[PColUnit], "");
    EXPECT_EQ(list({.by = ProfileSelectBy::All, .filter = "Nobody"}).caption,
              " 0 Entries were selected.");
}

TEST_F(ProfileSearch, TheLastColumnCanShowAnotherValueOfEveryProfile) {
    const qint64 club = AddGroup(env.db(), "Golf Club");
    const qint64 a = add(
        {.last = "Adams", .emailB = "adams@work.example", .title = "Director", .groupId = club});
    const qint64 b = add({.last = "Baker", .title = "Chef"});
    AddIndicator(env.db(), a, "Pillow", "Foam", 20);
    AddIndicator(env.db(), a, "Newspaper", "Times", 10);
    AddIndicator(env.db(), b, "Pillow", "Feather", 20);
    AddContact(env.db(), a, QDate(2026, 1, 2), "Phone");
    AddContact(env.db(), a, QDate(2026, 2, 3), "Letter", "Sent");
    const struct {
        QString choice;
        QStringList shown;
    } cases[] = {
        {"Pillow", {"Adams=Foam", "Baker=Feather"}},
        {"Newspaper", {"Adams=Times", "Baker="}},
        {"*Business Email", {"Adams=adams@work.example", "Baker="}},
        {"*Group Name", {"Adams=Golf Club", "Baker="}},
        {"*Job/Title", {"Adams=Director", "Baker=Chef"}},
        {"*Last Contacted", {"Adams=2026/02/03", "Baker="}},
        {"*All Indicators", {"Adams=Newspaper: Times; Pillow: Foam", "Baker=Pillow: Feather"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(selectable({.replaceEmailWith = c.choice}), c.shown) << c.choice.toStdString();
    // A narrower list reads only its own profiles' values.
    EXPECT_EQ(selectable({.by = ProfileSelectBy::LastName,
                          .text = "Bak",
                          .replaceEmailWith = "*All Indicators"}),
              QStringList({"Baker=Pillow: Feather"}));
}

TEST_F(ProfileSearch, TheSizeGuardCountsEveryProfileOfTheFilterAndAsksOrRefuses) {
    Database& db = env.db();
    AddMany(db, 500);
    AddMany(db, 700, "Other"); // outside the filter
    const ProfileQuery q{.filter = "Bulk"};
    db.exec("UPDATE [Profile] SET [ProfileType] = ? WHERE [ProfileType] IS NULL OR "
            "[ProfileType] = ?",
            {"Bulk", ""});
    const BuiltProfileQuery b = BuildProfileSelection(q);
    // 500: listed without a question.
    std::optional<ProfileList> l = ListProfiles(*env.ctx, q, b, true);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->rows.size(), 500u);
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    AddMany(db, 1, "Bulk"); // 501: asked, No stops, Yes lists
    env.prompt.answer(Answer::No);
    EXPECT_FALSE(ListProfiles(*env.ctx, q, b, true));
    EXPECT_EQ(env.prompt.last(), "There are 501 entries in the Profile\r\n List meeting the "
                                 "selection requirements.\r\n Shall we list them all?");
    env.prompt.answer(Answer::Yes);
    l = ListProfiles(*env.ctx, q, b, true);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->rows.size(), 501u);

    AddMany(db, 499, "Bulk"); // 1000: still asked
    env.prompt.answer(Answer::Yes);
    EXPECT_TRUE(ListProfiles(*env.ctx, q, b, true));
    AddMany(db, 1, "Bulk"); // 1001: refused
    env.prompt.clear();
    EXPECT_FALSE(ListProfiles(*env.ctx, q, b, true));
    ASSERT_EQ(env.prompt.shown.size(), 1);
    EXPECT_FALSE(env.prompt.shown[0].question);
    EXPECT_EQ(env.prompt.last(), "There are 1001 entries in the Profile List\r\n meeting the "
                                 "selection requirements.\r\n Please refine your selection "
                                 "criteria");
    // Without the filter all 1701 are counted.
    EXPECT_FALSE(ListProfiles(*env.ctx, {}, BuildProfileSelection({}), true));
    EXPECT_TRUE(env.prompt.last().startsWith("There are 1701 entries in the Profile List"));
}

TEST_F(ProfileSearch, PhonesOfTheListLeaveOutBarredNumbers) {
    const qint64 a = add({.last = "Adams",
                          .first = "Ann",
                          .home = "555-0100",
                          .fax = "555-0101",
                          .business = "555-0102",
                          .cell = "555-0103",
                          .other = "555-0104",
                          .dnuHome = true,
                          .dnuCell = true});
    const qint64 b = add({.last = "Baker",
                          .fax = "555-0201",
                          .business = "555-0202",
                          .dnuFax = true,
                          .dnuBusiness = true});
    const qint64 hidden = add({.last = "Hidden", .home = "555-0300", .isPrivate = true});
    std::vector<ProfilePhones> p = GetProfilePhones(*env.ctx, {b, a, hidden});
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].name, "Baker");
    EXPECT_EQ(p[0].fax, "");
    EXPECT_EQ(p[0].business, "");
    EXPECT_EQ(p[1].name, "Adams, Ann");
    EXPECT_EQ(QStringList({p[1].home, p[1].business, p[1].cell, p[1].other, p[1].fax}),
              QStringList({"", "555-0102", "", "555-0104", "555-0101"}));
    env.logOn(deskId);
    EXPECT_EQ(GetProfilePhones(*env.ctx, {b, a, hidden}).size(), 2u);
}
