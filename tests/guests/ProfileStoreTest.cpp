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
