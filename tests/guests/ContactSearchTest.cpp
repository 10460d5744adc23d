#include "DirectoryFixture.h"

#include "core/DataAccess.h"
#include "core/LongText.h"
#include "core/Settings.h"

#include <algorithm>

using namespace vm;
using namespace vm::test;
using namespace vm::test::dir;

namespace {

class ContactSearch : public DirectoryFixture {};

// Runs a transaction of inserts: the size guard's boundaries need many rows.
void AddMany(Database& db, int n, const QString& language) {
    db.transaction([&] {
        for (int i = 0; i < n; ++i)
            AddDirContact(db, {.name = "Bulk " + QString::number(i), .language = language});
    });
}

} // namespace

TEST(ContactSelection, ModesGiveTheirConditionAndDescription) {
    using B = ContactSelectBy;
    const struct {
        ContactSelection s;
        QString clause;
        QVariantList params;
        QString description;
    } cases[] = {
        {{.by = B::PrimaryName, .text = "Ha", .startsWith = true},
         "[Contact].[ContactName] LIKE ?",
         {"Ha%"},
         "Where Company Name starts with Ha, Sorted by Rank and Name"},
        {{.by = B::PrimaryName, .text = " Harbour ", .sort = ContactSort::PrimaryName},
         "[Contact].[ContactID] IN (SELECT rowid FROM [Contact_Search] WHERE [ContactName] LIKE ?)",
         {"%Harbour%"},
         "Where Company Name contains Harbour, Sorted by Primary Name"},
        // Two letters are too short for the trigram table: a plain LIKE.
        {{.by = B::Address, .text = "Ma"},
         "[Contact].[Address] LIKE ?",
         {"%Ma%"},
         "Where Address contains Ma, Sorted by Rank and Name"},
        {{.by = B::Address,
          .text = "Main",
          .startsWith = true,
          .cityOrArea = "Boston",
          .sort = ContactSort::Address},
         "[Contact].[Address] LIKE ? AND [Contact].[City] = ?",
         {"Main%", "Boston"},
         "Where Address starts with Main And City is Boston, Sorted by Address"},
        // Contact data is always matched anywhere; the box does not apply.
        {{.by = B::ContactData, .text = "555", .startsWith = true},
         "[Contact].[ContactID] IN (SELECT rowid FROM [Contact_Search] WHERE [NickName] LIKE ?)",
         {"%555%"},
         "Where Contact Data contains 555, Sorted by Rank and Name"},
        {{.by = B::Keyword,
          .keyword = "Italian",
          .cityOrArea = "Downtown",
          .useArea = true,
          .sort = ContactSort::Keyword},
         "[Contact].[ContactID] IN (SELECT rowid FROM [Contact_Search] WHERE [KeywordSet] LIKE ?) "
         "AND [Contact].[DocumentLink] = ?",
         {"%Italian%", "Downtown"},
         "Where Search Keyword contains Italian And Area is Downtown, Sorted by Keyword"},
        {{.by = B::OpenTable, .sort = ContactSort::RatingAndName},
         "[Contact].[OTRestaurantID] > ?",
         {0},
         "Where All Open Table Restaurants Have Been Selected , Sorted by Rating and Name"},
        {{.cityOrArea = "Boston", .sort = ContactSort::CityAndName},
         "[Contact].[City] = ?",
         {"Boston"},
         "Where City is Boston, Sorted by City and Name"},
        {{.cityOrArea = "Harbourside", .useArea = true, .sort = ContactSort::LastUpdated},
         "[Contact].[DocumentLink] = ?",
         {"Harbourside"},
         "Where Area is Harbourside, Sorted by Last Updated"},
        {{.sort = ContactSort::Proximity},
         "",
         {},
         "Where All Contacts Have Been Selected , Sorted by Proximity"},
        // Typed wildcards are the text's own characters (escaped, no trigram table).
        {{.by = B::PrimaryName, .text = "100%_sure"},
         "[Contact].[ContactName] LIKE ? ESCAPE '\\'",
         {"%100\\%\\_sure%"},
         "Where Company Name contains 100%_sure, Sorted by Rank and Name"},
        // Stored forms: a typed double quote is searched as the single quote it is stored as.
        {{.by = B::PrimaryName, .text = "Joe\"s", .startsWith = true},
         "[Contact].[ContactName] LIKE ?",
         {"Joe's%"},
         "Where Company Name starts with Joe\"s, Sorted by Rank and Name"},
    };
    for (const auto& c : cases) {
        const BuiltContactSelection b = BuildContactSelection(c.s);
        EXPECT_EQ(b.refusal, "") << c.description.toStdString();
        EXPECT_EQ(b.filter.clause, c.clause) << c.description.toStdString();
        EXPECT_EQ(b.filter.params, c.params) << c.description.toStdString();
        EXPECT_EQ(b.description, c.description);
    }
}

TEST(ContactSelection, MissingInputIsRefusedWithItsMessage) {
    const QString enter = "Please enter the information you wish to use to filter your selections.";
    const QString keyword = "Please select the keyword you wish to use to filter your selections.";
    const struct {
        ContactSelection s;
        QString refusal;
    } cases[] = {
        {{.by = ContactSelectBy::PrimaryName, .text = "   "}, enter},
        {{.by = ContactSelectBy::ContactData}, enter},
        {{.by = ContactSelectBy::Address, .text = ""}, enter},
        {{.by = ContactSelectBy::Keyword, .text = "typed but ignored"}, keyword},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildContactSelection(c.s).refusal, c.refusal);
}

TEST(ContactSelection, SortsOrderAsTheirCaptionsSay) {
    const QStringList expected = {" ORDER BY [Ranking], [ContactName]",
                                  " ORDER BY [ContactName]",
                                  " ORDER BY [Proximity]",
                                  " ORDER BY [Address], [ContactName]",
                                  " ORDER BY [City], [ContactName]",
                                  " ORDER BY [KeywordSet]",
                                  " ORDER BY [UpdateDate], [ContactName]",
                                  " ORDER BY [Rating] DESC, [ContactName]"};
    ASSERT_EQ(ContactSortCaptions().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(ContactOrderBy(ContactSort(i)), expected[i]) << i;
    EXPECT_EQ(ContactListHeaders(true, ContactSort::LastUpdated)[ColCrossOrCity], "Cross Streets");
    EXPECT_EQ(ContactListHeaders(false, ContactSort::LastUpdated)[ColProximityOrUpdated],
              "Last Updated");
    EXPECT_EQ(ContactListHeaders(false, ContactSort::Proximity)[ColCrossOrCity], "City");
}

TEST_F(ContactSearch, StartsWithFindsTheNameThatBeginsWithTheText) {
    add({.name = "Harbour Grill"});
    add({.name = "The Harbour"});
    add({.name = "harvest table"});
    EXPECT_EQ(names({.by = ContactSelectBy::PrimaryName,
                     .text = "Ha",
                     .startsWith = true,
                     .sort = ContactSort::PrimaryName}),
              QStringList({"Harbour Grill", "harvest table"}));
    EXPECT_EQ(names({.by = ContactSelectBy::PrimaryName,
                     .text = "harbour",
                     .sort = ContactSort::PrimaryName}),
              QStringList({"Harbour Grill", "The Harbour"}));
}

TEST_F(ContactSearch, TypedWildcardsAreLiteral) {
    add({.name = "100% Organic"});
    add({.name = "1000 Islands"});
    add({.name = "Cafe_Blue"});
    add({.name = "Cafe Blue"});
    add({.name = "Back\\Slash Bar"});
    const auto byName = [](const QString& text, bool startsWith = false) {
        return ContactSelection{.by = ContactSelectBy::PrimaryName,
                                .text = text,
                                .startsWith = startsWith,
                                .sort = ContactSort::PrimaryName};
    };
    EXPECT_EQ(names(byName("100%")), QStringList({"100% Organic"}));
    EXPECT_EQ(names(byName("100%", true)), QStringList({"100% Organic"}));
    EXPECT_EQ(names(byName("Cafe_")), QStringList({"Cafe_Blue"}));
    EXPECT_EQ(names(byName("e_B")), QStringList({"Cafe_Blue"}));
    EXPECT_EQ(names(byName("k\\S")), QStringList({"Back\\Slash Bar"}));
}

TEST_F(ContactSearch, TheWorkingLanguageHidesTheOthers) {
    add({.name = "Harbour Grill", .city = "Boston"});
    add({.name = "Le Port", .city = "Boston", .language = "1"});
    add({.name = "Le Quai", .city = "Quebec", .language = "1"});
    EXPECT_EQ(names({.sort = ContactSort::PrimaryName}), QStringList({"Harbour Grill"}));
    EXPECT_EQ(CountContactsOfLanguage(*env.ctx), 1);

    env.ctx->session.language = 1; // French
    EXPECT_EQ(names({.sort = ContactSort::PrimaryName}), QStringList({"Le Port", "Le Quai"}));
    EXPECT_EQ(names({.cityOrArea = "Boston"}), QStringList({"Le Port"}));
    EXPECT_EQ(CountContactsOfLanguage(*env.ctx), 2);
}

TEST_F(ContactSearch, RowsCarryTheListedColumnsAndColourFlags) {
    SetBooleanSetting(env.db(), "CrossStreets", false);
    const qint64 id = add({.name = "Harbour Grill",
                           .nick = "555-1234",
                           .address = "1 Pier Rd",
                           .city = "Boston",
                           .keywords = "Dinner, Seafood",
                           .rating = 4,
                           .closed = true,
                           .reserved = true,
                           .restaurantId = 77,
                           .updated = "2026/03/02",
                           .crossStreets = "Pier and Main",
                           .state = "MA",
                           .postalCode = "02110",
                           .proximity = "2 blocks",
                           .logType = "Dining"});
    add({.name = "Plain", .reserved = true});

    ContactList list = GetTheContacts(*env.ctx, {}, ContactSort::PrimaryName);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.caption, "2 Entries were selected");
    const ContactRow& r = list.rows[0];
    EXPECT_EQ(r.id, id);
    EXPECT_EQ(r.cells, QStringList({"Harbour Grill (OT)", "555-1234", "1 Pier Rd", "Boston",
                                    "Dinner, Seafood", "2 blocks", "4", "Dining", "MA", "02110"}));
    EXPECT_TRUE(r.closed);
    EXPECT_TRUE(r.reserved);
    EXPECT_FALSE(list.rows[1].closed);
    EXPECT_TRUE(list.rows[1].reserved);

    // Cross streets instead of the city; the update date instead of proximity.
    EXPECT_EQ(r.shownCells(true)[ColCrossOrCity], "Pier and Main");
    EXPECT_EQ(r.shownCells(false), r.cells);
    list = GetTheContacts(*env.ctx, {}, ContactSort::LastUpdated);
    const auto harbour = std::find_if(list.rows.begin(), list.rows.end(),
                                      [&](const ContactRow& row) { return row.id == id; });
    ASSERT_NE(harbour, list.rows.end());
    EXPECT_EQ(harbour->cells[ColProximityOrUpdated], "03/02/2026");
    EXPECT_EQ(GetTheContactRow(*env.ctx, id, ContactSort::Proximity)->cells[ColProximityOrUpdated],
              "2 blocks");

    EXPECT_EQ(GetTheContacts(*env.ctx, {"[Contact].[City] = ?", {"Nowhere"}}, {}).caption,
              " 0 Entries were selected.");
}

TEST_F(ContactSearch, PrivateContactsAreListedForManagersOnly) {
    const qint64 secret = add({.name = "Secret Club", .isPrivate = true});
    add({.name = "Open Bar"});
    EXPECT_EQ(names({.sort = ContactSort::PrimaryName}), QStringList({"Open Bar", "Secret Club"}));
    env.logOn(deskId);
    EXPECT_EQ(names({.sort = ContactSort::PrimaryName}), QStringList({"Open Bar"}));
    EXPECT_FALSE(GetTheContactRow(*env.ctx, secret, {}).has_value());
    EXPECT_TRUE(GetContactRows(*env.ctx, {secret}, {}).empty());
    PickerSelection picked = BuildPickerSelection(env.db().engine(), PickBy::PrimaryName, "c");
    QStringList picker;
    for (const PickerRow& p : GetTheContactsB(*env.ctx, picked.filter))
        picker << p.name;
    EXPECT_EQ(picker, QStringList({}));
}

TEST_F(ContactSearch, TheSizeGuardCountsTheLanguageAndAsksOrRefuses) {
    Database& db = env.ctx->contactsDb();
    AddMany(db, 1000, "0");
    AddMany(db, 1500, "1"); // another language does not count
    // 1000: listed without a question.
    std::optional<ContactList> list = ListContacts(*env.ctx, {}, {}, true);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->rows.size(), 1000u);
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    AddMany(db, 1, "0"); // 1001: asked, No stops, Yes lists
    env.prompt.answer(Answer::No);
    EXPECT_FALSE(ListContacts(*env.ctx, {}, {}, true));
    EXPECT_EQ(env.prompt.last(), "There are 1001 entries in the Contact\r\n List meeting the "
                                 "selection requirements.\r\n Shall we list them all?");
    env.prompt.answer(Answer::Yes);
    list = ListContacts(*env.ctx, {}, {}, true);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->rows.size(), 1001u);

    AddMany(db, 999, "0"); // 2000: still asked
    env.prompt.answer(Answer::Yes);
    EXPECT_TRUE(ListContacts(*env.ctx, {}, {}, true));
    AddMany(db, 1, "0"); // 2001: refused
    env.prompt.clear();
    EXPECT_FALSE(ListContacts(*env.ctx, {}, {}, true));
    ASSERT_EQ(env.prompt.shown.size(), 1);
    EXPECT_FALSE(env.prompt.shown[0].question);
    EXPECT_EQ(env.prompt.last(), "There are 2001 entries in the Contact List\r\n meeting the "
                                 "selection requirements.\r\n Please refine your selection "
                                 "criteria");
    // A narrower selection is not counted first.
    env.prompt.clear();
    EXPECT_TRUE(ListContacts(*env.ctx, {"[Contact].[ContactName] = ?", {"Bulk 7"}}, {}, false));
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(ContactSearch, CitiesAreDistinctAndSorted) {
    add({.name = "A", .city = "Boston"});
    add({.name = "B", .city = "Boston"});
    add({.name = "C", .city = "Albany"});
    add({.name = "D", .city = ""});
    EXPECT_EQ(GetCityNames(*env.ctx), QStringList({"Albany", "Boston"}));
}

TEST_F(ContactSearch, GuestListTakesMarkedOpenContactsOfTheKeywordAndPlace) {
    add({.name = "Zed Bistro", .city = "Boston", .keywords = "Dinner, Italian", .guestList = true});
    add({.name = "Alto",
         .city = "Boston",
         .keywords = "Italian",
         .area = "North",
         .guestList = true});
    add({.name = "Closed Trattoria", .keywords = "Italian", .closed = true, .guestList = true});
    add({.name = "Not Marked", .keywords = "Italian"});
    add({.name = "Francais", .keywords = "Italian", .language = "1", .guestList = true});
    add({.name = "Elsewhere", .city = "Albany", .keywords = "Italian", .guestList = true});
    const auto listed = [&](const GuestListFilter& f) {
        QStringList out;
        for (const GuestListContact& c : GetGuestListData(*env.ctx, f))
            out << c.name;
        EXPECT_EQ(CountGuestListData(*env.ctx, f), out.size());
        return out;
    };
    EXPECT_EQ(listed({"Italian", "", ""}), QStringList({"Alto", "Elsewhere", "Zed Bistro"}));
    EXPECT_EQ(listed({"Italian", "Boston", ""}), QStringList({"Alto", "Zed Bistro"}));
    EXPECT_EQ(listed({"Italian", "", "North"}), QStringList({"Alto"}));
    EXPECT_EQ(listed({"Dinner", "", ""}), QStringList({"Zed Bistro"}));
    env.ctx->session.language = 1;
    EXPECT_EQ(listed({"Italian", "", ""}), QStringList({"Francais"}));
}

TEST_F(ContactSearch, PickerSearchesEveryLanguageByRankThenName) {
    add({.name = "Harbour B", .address = "1 Main St", .keywords = "Dinner", .ranking = 3});
    add({.name = "Harbour A", .keywords = "Lunch", .ranking = 3});
    add({.name = "Harbour Top", .keywords = "Dinner", .ranking = 0, .restaurantId = 5});
    add({.name = "Le Harbour", .language = "2", .ranking = 1});
    const auto picked = [&](PickBy by, const QString& text) {
        const PickerSelection s = BuildPickerSelection(env.db().engine(), by, text);
        EXPECT_EQ(s.refusal, "");
        QStringList out;
        for (const PickerRow& r : GetTheContactsB(*env.ctx, s.filter))
            out << r.name;
        return out;
    };
    EXPECT_EQ(picked(PickBy::PrimaryName, "harbour"),
              QStringList({"Harbour Top (OT)", "Le Harbour", "Harbour A", "Harbour B"}));
    EXPECT_EQ(picked(PickBy::Keyword, "Dinner"), QStringList({"Harbour Top (OT)", "Harbour B"}));
    EXPECT_EQ(picked(PickBy::Address, "Main"), QStringList({"Harbour B"}));
    EXPECT_EQ(BuildPickerSelection(env.db().engine(), PickBy::Keyword, " ").refusal,
              "Please select the keyword you wish to use to filter your selections.");
    EXPECT_EQ(BuildPickerSelection(env.db().engine(), PickBy::Address, "").refusal,
              "Please enter the information you wish to use to filter your selections.");
}

TEST_F(ContactSearch, TheEntryScreensSummaryAndDetailsLine) {
    const qint64 id =
        add({.name = "Harbour Grill", .address = "1 Pier Rd", .crossStreets = "Pier and Main"});
    Database& db = env.ctx->contactsDb();
    db.exec("UPDATE [Contact] SET [GuestInfo] = ?, [OTCuisine] = ?, [OTPrice] = ? WHERE "
            "[ContactID] = ?",
            {"Jacket required", "Seafood", "$$$", id});
    PutECT(*env.ctx, id, TextKind::ContactDirections, "Walk along the pier");
    const std::optional<ContactSummary> s = GetTheContactD(*env.ctx, id);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->name, "Harbour Grill");
    EXPECT_EQ(s->crossStreets, "Pier and Main");
    EXPECT_EQ(s->directions, "Walk along the pier");
    EXPECT_EQ(s->guestInfo, "Jacket required");
    EXPECT_EQ(s->cuisine, "Seafood");
    EXPECT_EQ(s->price, "$$$");
    EXPECT_FALSE(GetTheContactD(*env.ctx, id + 100));

    EXPECT_EQ(ContactDetailsLine(*env.ctx, id), "Harbour Grill, 1 Pier Rd");
    // The telephone is the first "T" type in the types' order.
    const qint64 email = db.insert("INSERT INTO [ContactType] ([ContactType], [TypeOfType], "
                                   "[Sequence]) VALUES (?, ?, ?)",
                                   {"E-mail", "E", 1}, "TypeID");
    const qint64 fax = db.insert("INSERT INTO [ContactType] ([ContactType], [TypeOfType], "
                                 "[Sequence]) VALUES (?, ?, ?)",
                                 {"Fax", "T", 3}, "TypeID");
    const qint64 phone = db.insert("INSERT INTO [ContactType] ([ContactType], [TypeOfType], "
                                   "[Sequence]) VALUES (?, ?, ?)",
                                   {"Phone", "T", 2}, "TypeID");
    for (const auto& [type, value] :
         {std::pair{email, QString("a@b.c")}, std::pair{fax, QString("555-0000")},
          std::pair{phone, QString("555-1234")}})
        db.exec("INSERT INTO [ContactData] ([ContactID], [TypeID], [ContactData]) VALUES (?, ?, ?)",
                {id, type, value});
    EXPECT_EQ(ContactDetailsLine(*env.ctx, id), "Harbour Grill, 1 Pier Rd, 555-1234");
}
