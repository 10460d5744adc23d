#include "core/LongText.h"
#include "guests/ProfileFixture.h"
#include "security/CardData.h"
#include "security/CardStore.h"

using namespace vm;
using namespace vm::test;

namespace {

class ProfileStore : public ProfileFixture {
protected:
    Row stored(qint64 id) {
        return *db().queryOne("SELECT * FROM [Profile] WHERE [ProfileID] = ?", {id});
    }
};

} // namespace

TEST_F(ProfileStore, ChecksAskForTheLastNameBeforeTheFirst) {
    Profile p;
    EXPECT_EQ(CheckProfile(p), MsgProfileLastName);
    p.firstName = "Ann";
    p.lastName = "   ";
    EXPECT_EQ(CheckProfile(p), "Please enter the Last Name.  Thank you.");
    p.lastName = "Guest";
    p.firstName = " ";
    EXPECT_EQ(CheckProfile(p), "Please enter the First Name.  Thank you.");
    p.firstName = "Ann";
    EXPECT_EQ(CheckProfile(p), "");
}

TEST_F(ProfileStore, InsertKeepsEveryColumnWithTheFlagsCleanedTextsAndThePrimaryCopy) {
    Profile p = sample("Ann \"Nan\"", "Smith & Jones");
    p.business = {"9 Harbour Rd", "", "Portland", "ME", "USA", "04101"};
    p.other = {"PO Box 7", "", "Bangor", "ME", "", "04401"};
    p.primaryAddress = 1;
    p.salutation = "Mrs.";
    p.unit = "12B";
    p.email = "ann@example.com";
    p.emailB = "ann@work.example";
    p.faxPhone = "555-0001";
    p.businessPhone = "555-0002";
    p.cellPhone = "555-0003";
    p.otherPhone = "555-0004";
    p.title = "Director";
    p.company = "Acme | Co";
    p.asstName = "Bea";
    p.asstEmail = "bea@work.example";
    p.asstCellPhone = "555-0005";
    p.asstBusinessPhone = "555-0006";
    p.asstFaxPhone = "555-0007";
    p.profileType = "VIP";
    p.color = ProfileColorGreen;
    p.colorCode = p.isPrivate = true;
    p.groupId = 42;
    p.dnuSnailMail = p.dnuEmail = p.dnuEmailB = p.dnuHomePhone = p.dnuFaxPhone =
        p.dnuBusinessPhone = p.dnuCellPhone = p.dnuOtherPhone = true;
    p.notes = "Likes the sea view & quiet";
    const qint64 id = InsertProfile(ctx(), p);
    ASSERT_GT(id, 0);
    EXPECT_EQ(p.id, id);
    // The caller shows the stored forms back.
    EXPECT_EQ(p.firstName, "Ann 'Nan'");
    EXPECT_EQ(p.lastName, "Smith and Jones");
    EXPECT_EQ(p.company, "Acme ! Co");
    EXPECT_EQ(p.other.country, "");

    const Row r = stored(id);
    EXPECT_EQ(r.text("LastName"), "Smith and Jones");
    EXPECT_EQ(r.text("Country3"), " ");
    EXPECT_EQ(r.text("ProfileColor"), "&H0000C000&");
    // The primary set is the business one.
    EXPECT_EQ(r.text("Address1S"), "9 Harbour Rd");
    EXPECT_EQ(r.text("CityS"), "Portland");
    EXPECT_EQ(r.text("PostalCodeS"), "04101");
    for (const char* flag :
         {"DNUSnailMail", "DNUEmail", "DNUEmailB", "DNUHomePhone", "DNUFaxPhone",
          "DNUBusinessPhone", "DNUCellPhone", "DNUOtherPhone", "ColorCode", "PublicPrivate"})
        EXPECT_TRUE(r.flag(flag)) << flag;

    const std::optional<Profile> back = GetProfile(ctx(), id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->firstName, p.firstName);
    EXPECT_EQ(back->business.city, "Portland");
    EXPECT_EQ(back->other.line1, "PO Box 7");
    EXPECT_EQ(back->primary().line1, "9 Harbour Rd");
    EXPECT_EQ(back->asstFaxPhone, "555-0007");
    EXPECT_EQ(back->groupId, 42);
    EXPECT_TRUE(back->dnuOtherPhone && back->dnuSnailMail && back->isPrivate);
    EXPECT_EQ(back->notes, "Likes the sea view & quiet");
    EXPECT_EQ(back->rowVersion, p.rowVersion);
    EXPECT_FALSE(GetProfile(ctx(), id + 1000));
}

TEST_F(ProfileStore, TwinProfilesGetTheirOwnKeysAndANewOneStartsBlack) {
    const qint64 first = insert(sample());
    const qint64 second = insert(sample());
    ASSERT_GT(first, 0);
    EXPECT_GT(second, first);
    EXPECT_EQ(stored(second).text("ProfileColor"), ProfileColorBlack);
    EXPECT_EQ(Profile().color, "&H00000000&");
}

TEST_F(ProfileStore, NotesAreKeptInPiecesOf255AndReplacedOnUpdate) {
    Profile p = sample();
    p.notes = QString(600, 'n');
    const qint64 id = InsertProfile(ctx(), p);
    std::vector<int> lengths;
    for (const Row& r : db().query("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? AND "
                                   "[EvConType] = 'P' ORDER BY [Sequence]",
                                   {id}))
        lengths.push_back(int(r.text("NoteField").size()));
    EXPECT_EQ(lengths, (std::vector<int>{255, 255, 90}));

    p.notes = "Short now";
    ASSERT_EQ(UpdateProfile(ctx(), p), VersionedResult::Updated);
    EXPECT_EQ(
        count("SELECT COUNT(*) FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = 'P'", {id}),
        1);
    EXPECT_EQ(GetProfile(ctx(), id)->notes, "Short now");
}

TEST_F(ProfileStore, UpdateRewritesThePrimaryCopyAndMeetsAnotherDesksSave) {
    Profile p = sample();
    p.business = {"9 Harbour Rd", "", "Portland", "ME", "USA", "04101"};
    const qint64 id = InsertProfile(ctx(), p);
    EXPECT_EQ(stored(id).text("CityS"), "Springfield");

    Profile other = *GetProfile(ctx(), id);
    p.primaryAddress = 1;
    p.dnuCellPhone = true;
    ASSERT_EQ(UpdateProfile(ctx(), p), VersionedResult::Updated);
    EXPECT_EQ(stored(id).text("CityS"), "Portland");
    EXPECT_EQ(stored(id).text("Address1S"), "9 Harbour Rd");
    EXPECT_TRUE(stored(id).flag("DNUCellPhone"));

    // The other desk read the row before that save.
    other.firstName = "Anna";
    EXPECT_EQ(UpdateProfile(ctx(), other), VersionedResult::Changed);
    EXPECT_EQ(stored(id).text("FirstName"), "Ann");
    EXPECT_EQ(other.rowVersion, 0);

    ASSERT_TRUE(DeleteProfile(ctx(), id));
    EXPECT_EQ(UpdateProfile(ctx(), p), VersionedResult::Gone);
}

TEST_F(ProfileStore, DeleteTakesEverythingOfTheProfileAndUnlinksItsEntriesInBothLogbooks) {
    Profile p = sample();
    p.home.state = "";
    p.notes = "A note";
    const qint64 id = InsertProfile(ctx(), p);
    const qint64 keep = insert(sample("Bob", "Other"));
    addType("Pillow");
    for (qint64 owner : {id, keep}) {
        InsertProfilePI(ctx(), owner, "Pillow", "Feather");
        InsertProfileCH(ctx(), owner, QDate(2026, 3, 1), "Phone");
        db().exec("INSERT INTO [ProfileGL] ([ProfileID], [GroupID], [CreationDate]) VALUES (?, 1, "
                  "'2026/03/01')",
                  {owner});
        db().exec("INSERT INTO [ProfileTH] ([ProfileID], [Confirmation]) VALUES (?, 'C1')",
                  {owner});
        db().exec("INSERT INTO [ProfileLCD] ([ProfileID]) VALUES (?)", {owner});
        ASSERT_GT(InsertProfileCC(ctx(), {owner, "Visa", "4111111111111111", "12/29"}), 0);
        addDoc(owner, "Guest Picture");
        addDoc(owner, "Passport scan");
    }
    const qint64 current = logbookEntry(db(), id);
    const qint64 archived = logbookEntry(*ctx().archive, id);
    const qint64 otherEntry = logbookEntry(db(), keep);

    ASSERT_TRUE(DeleteProfile(ctx(), id));
    for (const char* table : {"Profile", "ProfilePI", "ProfileCH", "ProfileGL", "ProfileTH",
                              "ProfileLCD", "ProfileCC"}) {
        EXPECT_EQ(
            count(QString("SELECT COUNT(*) FROM [%1] WHERE [ProfileID] = ?").arg(table), {id}), 0)
            << table;
        EXPECT_EQ(
            count(QString("SELECT COUNT(*) FROM [%1] WHERE [ProfileID] = ?").arg(table), {keep}), 1)
            << table;
    }
    EXPECT_EQ(
        count("SELECT COUNT(*) FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = 'P'", {id}),
        0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [ContactDocs] WHERE [ContactID] = ?", {id}), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [ContactDocs] WHERE [ContactID] = ?", {keep}), 2);
    EXPECT_EQ(count("SELECT [ProfileID] FROM [LogBook] WHERE [LogID] = ?", {current}), 0);
    EXPECT_EQ(
        count(*ctx().archive, "SELECT [ProfileID] FROM [LogBook] WHERE [LogID] = ?", {archived}),
        0);
    EXPECT_EQ(count("SELECT [ProfileID] FROM [LogBook] WHERE [LogID] = ?", {otherEntry}), keep);
    // The blank state shows as its stored blank.
    EXPECT_TRUE(sharedLog().contains(
        "User: Pat Desk Deleted the Profile Entry for: Ann Guest with a Home Address of: 1 Main St "
        "in: Springfield,    62701 on: Saturday, 03/14/2026 at 09:30 am at PC Named: DESK-7"))
        << sharedLog().toStdString();

    EXPECT_FALSE(DeleteProfile(ctx(), id));
}

namespace {

class ProfileMerge : public ProfileStore {
protected:
    void SetUp() override {
        ProfileStore::SetUp();
        addType("Pillow", 10);
        addType("Spouse Name", 20);
        Profile a = sample("Ann", "Guest");
        a.notes = "Kept notes";
        a.rowVersion = 0;
        into = InsertProfile(ctx(), a);
        Profile b = sample("Anne", "Guest");
        b.home = {"7 Elm St", "", "Salem", "MA", "USA", "01970"};
        b.business = {"9 Harbour Rd", "", "Portland", "ME", "USA", "04101"};
        b.email = "anne@example.com";
        b.notes = "Merged notes";
        b.isPrivate = b.dnuEmail = true;
        b.groupId = 5;
        from = InsertProfile(ctx(), b);
        InsertProfilePI(ctx(), into, "Pillow", "Feather");
        InsertProfilePI(ctx(), from, "Pillow", "Feather");
        InsertProfilePI(ctx(), from, "Spouse Name", "Tom");
        InsertProfileCH(ctx(), from, QDate(2026, 3, 1), "Phone");
        InsertProfileCH(ctx(), from, QDate(2026, 3, 2), "Letter", "Answered");
        db().exec("INSERT INTO [ProfileGL] ([ProfileID], [GroupID], [CreationDate]) VALUES (?, 5, "
                  "'2026/03/01')",
                  {from});
        db().exec("INSERT INTO [ProfileTH] ([ProfileID], [Confirmation]) VALUES (?, 'C9')", {from});
        db().exec("INSERT INTO [ProfileLCD] ([ProfileID]) VALUES (?)", {into});
        db().exec("INSERT INTO [ProfileLCD] ([ProfileID]) VALUES (?)", {from});
        card = InsertProfileCC(ctx(), {from, "Visa", "4111111111111111", "12/29"});
        InsertProfileCCV(ctx(), from, card, true, "Guest called");
        addDoc(into, "Guest Picture");
        addDoc(from, "Guest Picture");
        addDoc(from, "Passport scan");
        currentEntry = logbookEntry(db(), from);
        archivedEntry = logbookEntry(*ctx().archive, from);
    }

    // Rows of each table per profile, to see that a failed merge changed nothing.
    QStringList snapshot() {
        QStringList s;
        for (const char* table : {"Profile", "ProfilePI", "ProfileCH", "ProfileGL", "ProfileTH",
                                  "ProfileLCD", "ProfileCC", "ProfileCCV"})
            for (qint64 id : {into, from})
                s << QString("%1/%2=%3")
                         .arg(table)
                         .arg(id)
                         .arg(count(
                             QString("SELECT COUNT(*) FROM [%1] WHERE [ProfileID] = ?").arg(table),
                             {id}));
        for (qint64 id : {into, from})
            s << QString::number(
                     count("SELECT COUNT(*) FROM [ContactDocs] WHERE [ContactID] = ?", {id}))
              << GetECT(ctx(), id, TextKind::ProfileNotes) << stored(id).text("EmailAddress");
        s << QString::number(
            count("SELECT [ProfileID] FROM [LogBook] WHERE [LogID] = ?", {currentEntry}));
        return s;
    }

    qint64 into = 0, from = 0, card = 0, currentEntry = 0, archivedEntry = 0;
};

} // namespace

TEST_F(ProfileMerge, MovesEverythingOntoTheKeptProfileAndDeletesTheOther) {
    ASSERT_TRUE(MergeProfiles(ctx(), into, from));
    EXPECT_FALSE(GetProfile(ctx(), from));
    const Profile m = *GetProfile(ctx(), into);
    // Its own values stay; blank ones and blank address sets take the other's.
    EXPECT_EQ(m.firstName, "Ann");
    EXPECT_EQ(m.home.city, "Springfield");
    EXPECT_EQ(m.business.city, "Portland");
    EXPECT_EQ(m.email, "anne@example.com");
    EXPECT_EQ(m.groupId, 5);
    EXPECT_TRUE(m.isPrivate);
    EXPECT_TRUE(m.dnuEmail);
    EXPECT_EQ(m.notes, "Kept notes\r\nMerged notes");

    std::vector<std::pair<QString, QString>> indicators;
    for (const ProfileIndicator& i : GetProfilePI(ctx(), into))
        indicators.push_back({i.type, i.value});
    EXPECT_EQ(indicators, (std::vector<std::pair<QString, QString>>{{"Pillow", "Feather"},
                                                                    {"Spouse Name", "Tom"}}));
    EXPECT_EQ(GetProfileCH(ctx(), into).size(), 2u);
    EXPECT_EQ(GetProfileGL(ctx(), into).size(), 1u);
    EXPECT_EQ(GetTripHistory(ctx(), into).size(), 1u);
    for (const char* table : {"ProfileLCD", "ProfileCC", "ProfileCCV"}) {
        EXPECT_EQ(
            count(QString("SELECT COUNT(*) FROM [%1] WHERE [ProfileID] = ?").arg(table), {into}), 1)
            << table;
        EXPECT_EQ(
            count(QString("SELECT COUNT(*) FROM [%1] WHERE [ProfileID] = ?").arg(table), {from}), 0)
            << table;
    }
    // The card is read with the kept profile's key now.
    const Row c = GetProfileCC(ctx(), into).at(0);
    EXPECT_EQ(DecryptCC(ctx(), c.text("EncCC"), QString::number(into)), "4111111111111111");
    EXPECT_EQ(DecryptCC(ctx(), c.text("EncExp"), QString::number(into)), "12/29");
    // One picture: the kept profile's; the other links follow.
    EXPECT_EQ(count("SELECT COUNT(*) FROM [ContactDocs] WHERE [ContactID] = ? AND [Description] = "
                    "'Guest Picture'",
                    {into}),
              1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [ContactDocs] WHERE [ContactID] = ?", {into}), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [ContactDocs] WHERE [ContactID] = ?", {from}), 0);
    EXPECT_EQ(count("SELECT [ProfileID] FROM [LogBook] WHERE [LogID] = ?", {currentEntry}), into);
    EXPECT_EQ(count(*ctx().archive, "SELECT [ProfileID] FROM [LogBook] WHERE [LogID] = ?",
                    {archivedEntry}),
              into);
    EXPECT_EQ(GetECT(ctx(), from, TextKind::ProfileNotes), "");
    EXPECT_TRUE(sharedLog().contains("User: Pat Desk Merged the Profile Entry for: Anne Guest"))
        << sharedLog().toStdString();
}

TEST_F(ProfileMerge, RefusesMissingOrSameProfilesWithoutChangingAnything) {
    const QStringList before = snapshot();
    EXPECT_FALSE(MergeProfiles(ctx(), into + from + 100, from));
    EXPECT_FALSE(MergeProfiles(ctx(), into, into + from + 100));
    EXPECT_FALSE(MergeProfiles(ctx(), from, from));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ProfileMerge, AFailureHalfWayLeavesBothProfilesAsTheyWere) {
    const QStringList before = snapshot();
    // The trips refuse to move: the engine fails the merge after the
    // indicators, history and group logs have moved.
    if (UsingPostgres()) {
        db().exec("CREATE FUNCTION refuse_move() RETURNS trigger LANGUAGE plpgsql AS "
                  "$$ BEGIN RAISE EXCEPTION 'refused'; END $$");
        db().exec("CREATE TRIGGER refuse_trips BEFORE UPDATE ON [ProfileTH] FOR EACH ROW "
                  "EXECUTE FUNCTION refuse_move()");
    } else {
        db().exec("CREATE TRIGGER refuse_trips BEFORE UPDATE ON [ProfileTH] "
                  "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    EXPECT_THROW(MergeProfiles(ctx(), into, from), DbError);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(count(*ctx().archive, "SELECT [ProfileID] FROM [LogBook] WHERE [LogID] = ?",
                    {archivedEntry}),
              from);
    EXPECT_FALSE(sharedLog().contains("Merged the Profile Entry"));
}

TEST_F(ProfileStore, DisplayLinesShowTheNameThePrimaryAddressAndTheChannels) {
    Profile p = sample();
    p.salutation = "Mrs.";
    p.business = {"9 Harbour Rd", "Suite 4", "Portland", "ME", "USA", "04101"};
    p.primaryAddress = 1;
    p.email = "ann@example.com";
    p.cellPhone = "555-9999";
    p.faxPhone = "555-0001";
    const qint64 id = InsertProfile(ctx(), p);
    EXPECT_EQ(
        ProfileDisplayLines(ctx(), id),
        (QStringList{"Mrs. Ann Guest", "9 Harbour Rd", "Suite 4", "Portland, ME  04101", "USA",
                     "ann@example.com", "Home: 555-1234", "Cell: 555-9999", "Fax: 555-0001"}));
    EXPECT_TRUE(ProfileDisplayLines(ctx(), id + 99).isEmpty());
}
