#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "core/TextLog.h"
#include "guests/ContactFixture.h"
#include "guests/DocumentLinks.h"
#include "guests/PhoneFormat.h"

#include <QFile>

using namespace vm;
using namespace vm::test;

namespace {

class ContactStore : public ContactFixture {
protected:
    int texts(Database& db, qint64 id) {
        return count(db, "SELECT COUNT(*) FROM [EvConText] WHERE [EvConKey] = ?", {id});
    }
    DocumentLink link(qint64 owner, const QString& description) {
        DocumentLink l;
        l.ownerId = owner;
        l.sourceType = DocKind::Contact;
        l.description = description;
        l.fileName = "https://example.com/" + description;
        return l;
    }
};

} // namespace

TEST_F(ContactStore, ChecksRefuseInTheScreensOrderWithTheExactTexts) {
    struct Case {
        QString name, keywords;
        std::optional<int> loaded;
        int language;
        QString expected;
    };
    const Case cases[] = {
        {"  ", "", std::nullopt, 0, MsgContactNameMissing},
        {"", "Dinner", 1, 2, MsgContactNameMissing},
        {"Roma", "   ", 1, 2, MsgContactKeywordsMissing},
        {"Roma", "Dinner", 1, 2, MsgContactLanguageChanged},
        {"Roma", "Dinner", 1, 1, ""},
        {"Roma", "Dinner", std::nullopt, 5, ""},
    };
    for (const Case& k : cases) {
        Contact c;
        c.name = k.name;
        c.keywordSet = k.keywords;
        c.language = k.language;
        EXPECT_EQ(CheckContact(*env.ctx, c, k.loaded), k.expected) << k.name.toStdString();
    }
    EXPECT_TRUE(MsgContactLanguageChanged.startsWith("You cannot CHANGE the Language for this "));
}

TEST_F(ContactStore, VertilincAsksForExactlyOneKeywordAndEveryTypeOfStoredContacts) {
    addOther("VLKeyword", "Lobby");
    addOther("VLKeyword", "Dining");
    addOther("VLContact", "Main Phone");
    const qint64 phone = addType("Main Phone", "T", 1);
    Contact c = sample();
    c.keywordSet = "Dinner, Dining, lobby";
    // Off: nothing asked.
    EXPECT_EQ(CheckContact(*env.ctx, c, std::nullopt), "");

    SetValueFromKey(env.db(), VertilincSettingKey, "true");
    const QString keywordsMsg = MsgVertilincKeywords({"Dining", "Lobby"});
    EXPECT_EQ(keywordsMsg, "The Vertilinc Interface has been enabled.\r\n\r\nYou must use ONE, "
                           "and only one, of the Vertilinc Keywords to describe this contact.  "
                           "The Keywords are:\r\n\r\nDining\r\nLobby");
    for (const QString& set : {"Dinner, Dining, lobby", "Dinner", "Lobbyist, Dinner"})
        EXPECT_EQ(CheckContact(*env.ctx, (c.keywordSet = set, c), std::nullopt), keywordsMsg)
            << set.toStdString();
    c.keywordSet = "Dinner,  Lobby ";
    // A new contact cannot have extra data yet: only the keyword rule applies.
    EXPECT_EQ(CheckContact(*env.ctx, c, std::nullopt), "");
    c.id = insert(c);
    EXPECT_EQ(CheckContact(*env.ctx, c, 0), MsgVertilincTypes({"Main Phone"}));
    SetContactValue(*env.ctx, c.id, phone, "555-1234", false);
    EXPECT_EQ(CheckContact(*env.ctx, c, 0), "");
}

TEST_F(ContactStore, InsertStoresEveryFieldCleanedWithStampsAndTheEnginesKey) {
    env.clock.set(QDateTime(QDate(2026, 5, 2), QTime(14, 5)));
    Contact c = sample("Smith & \"Sons\" | Co");
    c.nickName = "Smithy";
    c.address = "1 Main St";
    c.crossStreets = "Elm";
    c.state = "IL";
    c.country = "USA";
    c.postalCode = "62701";
    c.affiliation = "Dining";
    c.language = 3;
    c.area = "Downtown";
    c.rating = 4;
    c.ranking = 2;
    c.proximity = "2 blocks";
    c.isPrivate = c.printOnGuestList = c.colorCode = c.isClosed = true;
    c.graphicFile = "roma.jpg";
    c.guestInfo = "Jacket required";
    c.otRestaurantId = 4711;
    c.otCuisine = "Italian";
    c.otNeighborhood = "Old Town";
    c.otPrice = "$$";
    c.otHost = "host.example";
    c.notes = "Ask for Luigi & Maria";
    c.directions = "Left at the fountain";
    c.guestListText = "Best pasta";
    const qint64 first = InsertContact(*env.ctx, c);
    // The same name, keywords and language again: a second key, not the first one's.
    Contact twin = c;
    twin.notes = "twin";
    const qint64 second = InsertContact(*env.ctx, twin);
    ASSERT_GT(first, 0);
    ASSERT_NE(first, second);
    EXPECT_EQ(c.id, first);
    EXPECT_EQ(c.name, "Smith and 'Sons' ! Co");

    const Contact r = *GetTheContact(*env.ctx, first);
    EXPECT_EQ(r.name, "Smith and 'Sons' ! Co");
    EXPECT_EQ(
        QStringList({r.nickName, r.address, r.crossStreets, r.city, r.state, r.country,
                     r.postalCode, r.affiliation, r.area, r.keywordSet, r.proximity, r.graphicFile,
                     r.guestInfo, r.otCuisine, r.otNeighborhood, r.otPrice, r.otHost}),
        QStringList({"Smithy", "1 Main St", "Elm", "Springfield", "IL", "USA", "62701", "Dining",
                     "Downtown", "Dinner, Italian", "2 blocks", "roma.jpg", "Jacket required",
                     "Italian", "Old Town", "$$", "host.example"}));
    EXPECT_EQ(r.language, 3);
    EXPECT_EQ(env.db()
                  .scalar("SELECT [CommissionType] FROM [Contact] WHERE [ContactID] = ?", {first})
                  .toString(),
              "3");
    EXPECT_EQ(std::tuple(r.rating, r.ranking, r.otRestaurantId), std::tuple(4, 2, qint64(4711)));
    EXPECT_TRUE(r.isPrivate && r.printOnGuestList && r.colorCode && r.isClosed);
    EXPECT_EQ(QStringList({r.enteredBy, r.entryDate, r.entryTime, r.luInitials, r.updateDate}),
              QStringList({"PD", "2026/05/02", "14:05", "PD", "2026/05/02"}));
    EXPECT_EQ(r.notes, "Ask for Luigi & Maria");
    EXPECT_EQ(r.directions, "Left at the fountain");
    EXPECT_EQ(r.guestListText, "Best pasta");
    EXPECT_EQ(GetTheContact(*env.ctx, second)->notes, "twin");
    EXPECT_FALSE(GetTheContact(*env.ctx, second + 100));
}

TEST_F(ContactStore, NotesOf255CharactersTakeOnePieceAnd256TakeTwo) {
    Contact c = sample();
    c.notes = QString(255, 'n');
    const qint64 id = insert(c);
    auto pieces = [&] {
        return count(env.db(),
                     "SELECT COUNT(*) FROM [EvConText] WHERE [EvConKey] = ? AND "
                     "[EvConType] = 'C'",
                     {id});
    };
    EXPECT_EQ(pieces(), 1);
    Contact loaded = *GetTheContact(*env.ctx, id);
    loaded.notes = QString(255, 'n') + "x";
    ASSERT_EQ(UpdateContact(*env.ctx, loaded), VersionedResult::Updated);
    EXPECT_EQ(pieces(), 2);
    EXPECT_EQ(env.db()
                  .scalar("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? AND "
                          "[EvConType] = 'C' AND [Sequence] = 2",
                          {id})
                  .toString(),
              "x");
    EXPECT_EQ(GetTheContact(*env.ctx, id)->notes, loaded.notes);
}

TEST_F(ContactStore, ASaveByTwoDesksAsksTheSecondAndWritesNothingForIt) {
    const qint64 id = insert(sample());
    Contact deskA = *GetTheContact(*env.ctx, id);
    Contact deskB = deskA;
    env.clock.advanceDays(3);
    deskA.city = "Shelbyville";
    deskA.directions = "From desk A";
    ASSERT_EQ(UpdateContact(*env.ctx, deskA), VersionedResult::Updated);
    EXPECT_EQ(deskA.rowVersion, deskB.rowVersion + 1);
    EXPECT_EQ(deskA.updateDate, Formats::StoredDate(env.clock.today()));
    deskB.city = "Capital City";
    deskB.directions = "From desk B";
    EXPECT_EQ(UpdateContact(*env.ctx, deskB), VersionedResult::Changed);
    const Contact stored = *GetTheContact(*env.ctx, id);
    EXPECT_EQ(stored.city, "Shelbyville");
    EXPECT_EQ(stored.directions, "From desk A");
    // The entry stamps stay the creator's.
    EXPECT_EQ(stored.entryDate, "2026/03/14");

    ASSERT_TRUE(DeleteContact(*env.ctx, id));
    EXPECT_EQ(UpdateContact(*env.ctx, deskA), VersionedResult::Gone);
    EXPECT_EQ(texts(env.db(), id), 0);
}

TEST_F(ContactStore, CloneCopiesFieldsTextsAndLinksInTheNewLanguageButNotExtraData) {
    const qint64 phone = addType("Phone", "T", 1);
    Contact c = sample();
    c.notes = "notes";
    c.directions = "directions";
    c.guestListText = "guest list";
    c.area = "Downtown";
    const qint64 id = insert(c);
    SetContactValue(*env.ctx, id, phone, "555-1234", false);
    InsertCDocument(*env.ctx, link(id, "Menu"));
    InsertCDocument(*env.ctx, link(id, "Web Site"));

    const qint64 copy = CloneContact(*env.ctx, id, 1);
    ASSERT_GT(copy, id);
    const Contact r = *GetTheContact(*env.ctx, copy);
    EXPECT_EQ(r.language, 1);
    EXPECT_EQ(QStringList({r.name, r.keywordSet, r.area, r.notes, r.directions, r.guestListText}),
              QStringList({"Trattoria Roma", "Dinner, Italian", "Downtown", "notes", "directions",
                           "guest list"}));
    QStringList links;
    for (const DocumentLink& l : GetCDocuments(*env.ctx, copy, DocKind::Contact))
        links << l.description;
    EXPECT_EQ(links, QStringList({"Menu", "Web Site"}));
    EXPECT_TRUE(GetCurrentContactValues(*env.ctx, copy).empty());
    EXPECT_EQ(GetTheContact(*env.ctx, id)->language, 0);
}

TEST_F(ContactStore, DeleteLeavesNoDataTextsLinksOrTicklersAndLogsTheDeletion) {
    env.ctx->workstation.computerName = "FRONTDESK1";
    const qint64 phone = addType("Phone", "T", 1);
    Contact c = sample();
    c.notes = "n";
    c.directions = "d";
    c.guestListText = "g";
    const qint64 id = insert(c);
    const qint64 other = insert(sample("Other Place"));
    for (qint64 owner : {id, other}) {
        SetContactValue(*env.ctx, owner, phone, "555-0000", false);
        InsertCDocument(*env.ctx, link(owner, "Menu"));
        PutECT(*env.ctx, owner, TextKind::ContactNotes, "keep?");
        env.db().exec("INSERT INTO [TicklerNotes] ([FromType], [FromID], [TMessage]) "
                      "VALUES ('C', ?, 'Closed Mondays')",
                      {owner});
    }
    // An event link under the same key is another owner's and stays.
    DocumentLink eventLink = link(id, "Event Flyer");
    eventLink.sourceType = DocKind::Event;
    InsertCDocument(*env.ctx, eventLink);
    env.db().exec("INSERT INTO [TicklerNotes] ([FromType], [FromID], [TMessage]) "
                  "VALUES ('L', ?, 'Category note')",
                  {id});

    env.clock.set(QDateTime(QDate(2026, 3, 16), QTime(15, 7)));
    ASSERT_TRUE(DeleteContact(*env.ctx, id));
    EXPECT_FALSE(DeleteContact(*env.ctx, id));
    Database& db = env.db();
    EXPECT_FALSE(GetTheContact(*env.ctx, id));
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [ContactData] WHERE [ContactID] = ?", {id}), 0);
    EXPECT_EQ(texts(db, id), 0);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [ContactDocs] WHERE [ContactID] = ?", {id}), 1);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [TicklerNotes] WHERE [FromID] = ?", {id}), 1);
    // The other contact keeps everything.
    EXPECT_EQ(GetCurrentContactValues(*env.ctx, other).size(), 1u);
    EXPECT_EQ(GetCDocuments(*env.ctx, other, DocKind::Contact).size(), 1u);
    EXPECT_EQ(texts(db, other), 1);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [TicklerNotes] WHERE [FromID] = ?", {other}), 1);

    QFile log(env.databaseFolder() + SharedLogName);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString line = "User: Pat Desk Deleted the Contact: Trattoria Roma on: " +
                         Formats::AuditStamp(env.clock.now()) + " at PC Named: FRONTDESK1";
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(line)) << line.toStdString();
}

TEST_F(ContactStore, ExtraDataKeepsOneRowPerTypeInTheTypesOrder) {
    const qint64 email = addType("E-Mail", "E", 2);
    const qint64 phone = addType("Phone", "T", 1);
    const qint64 id = insert(sample());
    SetContactValue(*env.ctx, id, email, "a@example.com", false);
    SetContactValue(*env.ctx, id, phone, "555-1234", true);
    SetContactValue(*env.ctx, id, email, "b@example.com", true);
    const auto values = GetCurrentContactValues(*env.ctx, id);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(std::tuple(values[0].typeName, values[0].kind, values[0].data, values[0].isPrivate),
              std::tuple(QString("Phone"), QString("T"), QString("555-1234"), true));
    EXPECT_EQ(std::tuple(values[1].typeName, values[1].data, values[1].isPrivate),
              std::tuple(QString("E-Mail"), QString("b@example.com"), true));
    EXPECT_EQ(GetCurrentContactValue(*env.ctx, id, email)->data, "b@example.com");
    EXPECT_TRUE(DeleteContactValue(*env.ctx, id, email));
    EXPECT_FALSE(DeleteContactValue(*env.ctx, id, email));
    EXPECT_FALSE(GetCurrentContactValue(*env.ctx, id, email));
}

TEST(PhoneFormat, TidiesNumbersForTheUsaAndCanadaOnly) {
    struct Case {
        const char *typed, *country, *expected;
    };
    const Case cases[] = {
        {"555.1234", "USA", "312 555-1234"},
        {"5551234", "canada", "312 555-1234"},
        {"(212) 555 1234", "USA", "(212) 555-1234"},
        {"212-555-1234", "USA", "(212) 555-1234"},
        {"555.1234", "France", "555.1234"},
        {"555.1234", "", "555.1234"},
        {"555-12345", "USA", "555-12345"},
        {"+1 212 555 1234", "USA", "+1 212 555 1234"},
        {"ext. 12", "USA", "ext. 12"},
        {"", "USA", ""},
    };
    for (const Case& k : cases)
        EXPECT_EQ(FormatPhoneNumber(k.typed, k.country, "312"), QString(k.expected)) << k.typed;
}

TEST_F(ContactStore, TelephoneTypesAreTidiedByThePropertysCountryAndAreaCode) {
    SetTextSetting(env.db(), "DefaultCountry", "USA");
    SetTextSetting(env.db(), "DefaultAreaCode", "415");
    EXPECT_EQ(ContactValueForKind(*env.ctx, "T", " 555.1234 "), "415 555-1234");
    EXPECT_EQ(ContactValueForKind(*env.ctx, "E", "555.1234"), "555.1234");
}

TEST_F(ContactStore, SharedContactsLiveInTheCommonDatabaseWithTheirTexts) {
    openShared();
    Database& common = *env.ctx->common;
    const qint64 phone = addType("Phone", "T", 1);
    Contact c = sample();
    c.notes = "Shared notes";
    const qint64 id = insert(c);
    SetContactValue(*env.ctx, id, phone, "555-1234", false);
    EXPECT_EQ(count(common, "SELECT COUNT(*) FROM [Contact] WHERE [ContactID] = ?", {id}), 1);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [Contact]"), 0);
    EXPECT_EQ(texts(common, id), 1);
    EXPECT_EQ(texts(env.db(), id), 0);

    Contact loaded = *GetTheContact(*env.ctx, id);
    EXPECT_EQ(loaded.notes, "Shared notes");
    loaded.notes = "Changed at the other property";
    ASSERT_EQ(UpdateContact(*env.ctx, loaded), VersionedResult::Updated);
    EXPECT_EQ(GetECT(*env.ctx, id, TextKind::ContactNotes), "Changed at the other property");
    env.db().exec("INSERT INTO [TicklerNotes] ([FromType], [FromID], [TMessage]) "
                  "VALUES ('C', ?, 'note')",
                  {id});
    ASSERT_TRUE(DeleteContact(*env.ctx, id));
    EXPECT_EQ(count(common, "SELECT COUNT(*) FROM [ContactData]"), 0);
    EXPECT_EQ(texts(common, id), 0);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [TicklerNotes]"), 0);
}
