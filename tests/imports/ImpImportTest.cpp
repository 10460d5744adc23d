// Mapping, checking and writing contacts, events and profiles from files.

#include "ImpFixture.h"

#include "guests/Contacts.h"
#include "guests/Profiles.h"

using namespace vm;
using namespace vm::test;

namespace {

class ImpImport : public ImpFixture {
protected:
    // Loads `text` as a file of `kind` and checks it.
    std::unique_ptr<CsvImport> checked(ImportKind kind, const QByteArray& text) {
        auto import = std::make_unique<CsvImport>(kind);
        EXPECT_TRUE(import->loadData(text)) << import->error().toStdString();
        import->validate(ctx());
        return import;
    }
};

} // namespace

TEST_F(ImpImport, ColumnsMapByCaptionOrColumnNameAndRequiredFieldsMustBeMapped) {
    CsvImport import(ImportKind::Profiles);
    ASSERT_TRUE(import.loadData(" last name ,FIRSTNAME,Shoe Size,email\nAdams,Ann,7,a@x.org\n"));
    EXPECT_EQ(import.mapping(), QStringList({"LastName", "FirstName", "", "EmailAddress"}));
    import.validate(ctx());
    EXPECT_TRUE(import.ready()) << texts(import.problems());
    EXPECT_EQ(import.previewHeaders(), QStringList({"First Name", "Last Name", "Email"}));

    // The user takes the first name off, then maps it twice.
    import.setMapping(1, "");
    import.validate(ctx());
    EXPECT_EQ(
        texts(import.problems()),
        lines(QStringList({"Line 1, First Name: No column of the file is mapped to this field, "
                           "which every record needs."})));
    EXPECT_FALSE(import.ready());
    import.setMapping(1, "FirstName");
    import.setMapping(2, "FirstName");
    import.validate(ctx());
    ASSERT_EQ(import.problems().size(), 1u);
    EXPECT_EQ(import.problems()[0].field, "First Name");
    EXPECT_EQ(import.write(ctx()).imported, 0);
    EXPECT_EQ(count(ctx().db(), "Profile"), 0);
}

TEST_F(ImpImport, OneBadRowInTheMiddleWritesNothingAndNamesLineAndField) {
    auto import = checked(ImportKind::Profiles, "First Name,Last Name,Notes,Private\n"
                                                "Ann,Adams,,No\n"
                                                "Bob,,\"two\nlines\",\n"
                                                "Cy,Cole,,maybe\n"
                                                "Di,Dunn,,yes\n");
    EXPECT_EQ(texts(import->problems()),
              lines(QStringList({"Line 3, Last Name: " + MsgProfileLastName,
                                 "Line 5, Private: Please enter Yes or No."})));
    EXPECT_EQ(import->write(ctx()).imported, 0);
    EXPECT_EQ(count(ctx().db(), "Profile"), 0);
    EXPECT_EQ(count(ctx().db(), "EvConText"), 0);

    // Rows that are short or long of cells are faults of the file, not data.
    import = checked(ImportKind::Profiles, "First Name,Last Name\nAnn,Adams,x\nBob\n");
    EXPECT_EQ(texts(import->problems()),
              lines(QStringList({"Line 2: The line has 3 cells where the heading line has 2.",
                                 "Line 3: The line has 1 cells where the heading line has 2.",
                                 "Line 3, Last Name: " + MsgProfileLastName})));
}

TEST_F(ImpImport, CardNumbersAndOverlongTextsAreRefusedByField) {
    const QString longName(300, 'x');
    auto import =
        checked(ImportKind::Contacts, "Contact Name,Keywords,Notes\n"
                                      "Harbour Grill,food,Card 4111 1111 1111 1111 on file\n"
                                      "Tracking,parcel,Tracking Number 4111111111111111\n" +
                                          longName.toUtf8() + ",food,\n");
    EXPECT_EQ(texts(import->problems()),
              lines(QStringList({"Line 2, Notes: A Credit Card Number may not be imported.  Please "
                                 "remove it from the file.",
                                 "Line 4, Contact Name: The text is longer than the 255 characters "
                                 "this field holds."})));
    EXPECT_EQ(count(ctx().contactsDb(), "Contact"), 0);
}

TEST_F(ImpImport, ProfilesLandWholeTidiedAndCleanedAsTheProfileScreenStoresThem) {
    ASSERT_TRUE(SetBooleanSetting(ctx().db(), "ProperCaseName", true));
    ASSERT_TRUE(SetTextSetting(ctx().db(), "DefaultCountry", "USA"));
    ASSERT_TRUE(SetTextSetting(ctx().db(), "DefaultAreaCode", "617"));
    auto import = checked(ImportKind::Profiles,
                          "\xEF\xBB\xBF"
                          "first name,last name,Home Phone,Company,Primary Address,"
                          "Business City,Do Not Use Email,Notes\r\n"
                          "ann,o'brien,5551234,\"Smith \"\"&\"\" Sons\",Business,Boston,yes,"
                          "\"Likes tea\r\nand quiet\"\r\n"
                          "bob,mcdonald,,,,,,\r\n");
    ASSERT_TRUE(import->ready()) << texts(import->problems());
    const auto preview = import->preview(5);
    ASSERT_EQ(preview.size(), 2u);
    EXPECT_EQ(preview[0].mid(0, 7), QStringList({"Ann", "O'Brien", "Boston", "Business",
                                                 "617 555-1234", "Smith 'and' Sons", "Yes"}));

    const ImportOutcome out = import->write(ctx());
    EXPECT_EQ(out.imported, 2);
    const auto rows = ctx().db().query("SELECT [ProfileID] FROM [Profile] ORDER BY [ProfileID]");
    ASSERT_EQ(rows.size(), 2u);
    const Profile ann = *GetProfile(ctx(), rows[0].number("ProfileID"));
    EXPECT_EQ(ann.firstName, "Ann");
    EXPECT_EQ(ann.lastName, "O'Brien");
    EXPECT_EQ(ann.homePhone, "617 555-1234");
    EXPECT_EQ(ann.company, "Smith 'and' Sons");
    EXPECT_EQ(ann.primaryAddress, 1);
    EXPECT_EQ(ann.business.city, "Boston");
    EXPECT_TRUE(ann.dnuEmail);
    EXPECT_FALSE(ann.isPrivate);
    EXPECT_EQ(ann.notes.count("Likes tea"), 1);
    EXPECT_EQ(ctx()
                  .db()
                  .scalar("SELECT [CityS] FROM [Profile] WHERE [ProfileID] = ?", {ann.id})
                  .toString()
                  .trimmed(),
              "Boston"); // the primary set's copy, as the store keeps it
    EXPECT_EQ(GetProfile(ctx(), rows[1].number("ProfileID"))->lastName, "McDonald");
}

TEST_F(ImpImport, ContactsLandInTheWorkingLanguageWithTheirTexts) {
    ctx().session.language = 2;
    auto import = checked(ImportKind::Contacts,
                          "ContactName,KeywordSet,Language,Rank,Rating,Closed,Directions\n"
                          "Harbour & Grill,\"food, view\",,2,4,x,\"Turn left\nthen right\"\n"
                          "Le Port,food,french,,,,\n");
    ASSERT_TRUE(import->ready()) << texts(import->problems());
    EXPECT_EQ(import->write(ctx()).imported, 2);
    EXPECT_EQ(import->write(ctx()).imported, 0); // a file is written once
    const auto rows =
        ctx().contactsDb().query("SELECT [ContactID] FROM [Contact] ORDER BY [ContactID]");
    ASSERT_EQ(rows.size(), 2u);
    const Contact grill = *GetTheContact(ctx(), rows[0].number("ContactID"));
    EXPECT_EQ(grill.name, "Harbour and Grill"); // the contact store's cleaning
    EXPECT_EQ(grill.keywordSet, "food, view");
    EXPECT_EQ(grill.language, 2);
    EXPECT_EQ(grill.ranking, 1);
    EXPECT_EQ(grill.rating, 4);
    EXPECT_TRUE(grill.isClosed);
    EXPECT_EQ(grill.enteredBy, "MM");
    EXPECT_TRUE(grill.directions.contains("Turn left"));
    EXPECT_EQ(GetTheContact(ctx(), rows[1].number("ContactID"))->language, 1);

    // A keyword list is what the contact screen insists on.
    import = checked(ImportKind::Contacts, "Contact Name,Keywords,Language\nX, ,Klingon\n");
    EXPECT_EQ(texts(import->problems()),
              lines(QStringList(
                  {"Line 2, Language: Please enter one of: " + ContactLanguages().join(", ") + ".",
                   "Line 2, Keywords: " + MsgContactKeywordsMissing})));
}

TEST_F(ImpImport, EventsAreCheckedByTheEventRulesAndDuplicatesRefused) {
    ASSERT_TRUE(SetBooleanSetting(ctx().db(), "ProperCaseName", true));
    Event existing;
    existing.name = "Harbour Fest";
    existing.startingDate = "2026/07/04";
    existing.eventType = "Festival";
    ASSERT_EQ(InsertEvent(ctx(), existing), EventSave::Saved);

    auto import = checked(ImportKind::Events,
                          "Event Name,Event Type,Starting Date,Through Date,Low Price,High Price\n"
                          "jazz night,concert,2026-08-01,08/03/2026,\"$1,250.5\",\n"
                          "harbour fest,Festival,2026/07/04,,,\n"
                          "Late Show,Opera,08/01/2026,,,\n"
                          "Kite Day,Festival,08/05/2026,08/04/2026,,\n"
                          "Jazz Night,Concert,08/01/2026,,,\n"
                          "Fair,Festival,,,5,2\n");
    EXPECT_EQ(texts(import->problems()),
              lines(QStringList({"Line 3, Event Name: " + MsgEventDuplicate(),
                                 "Line 4, Event Type: The Event Type Opera is not in the list of "
                                 "Event Types.",
                                 "Line 5, Through Date: " + MsgEventThroughBeforeStart(),
                                 "Line 6, Event Name: " + MsgEventDuplicate(),
                                 "Line 7, Starting Date: " + MsgEventStartingDate()})));
    EXPECT_EQ(count(ctx().eventsDb(), "Event"), 1);

    import = checked(ImportKind::Events,
                     "Event Name,Event Type,Starting Date,Through Date,Low Price,Continuous,Notes\n"
                     "jazz night,concert,2026-08-01,08/03/2026,\"$1,250.5\",,Bring chairs\n"
                     "Sunday Market,Festival,,,,yes,\n");
    ASSERT_TRUE(import->ready()) << texts(import->problems());
    EXPECT_EQ(lines(import->preview(1)[0]), lines({"Jazz Night", "No", "2026/08/01", "2026/08/03",
                                                   "1,250.50", "Concert", "Bring chairs"}));
    EXPECT_EQ(import->write(ctx()).imported, 2);
    const auto rows = ctx().eventsDb().query(
        "SELECT [EventID] FROM [Event] WHERE [EventName] <> 'Harbour Fest' ORDER BY [EventID]");
    ASSERT_EQ(rows.size(), 2u);
    const Event jazz = *GetTheEvent(ctx(), rows[0].number("EventID"));
    EXPECT_EQ(jazz.name, "Jazz Night");
    EXPECT_EQ(jazz.eventType, "Concert");
    EXPECT_EQ(jazz.startingDate, "2026/08/01");
    EXPECT_EQ(jazz.throughDate, "2026/08/03");
    EXPECT_EQ(jazz.lowPrice, std::optional<double>(1250.5));
    EXPECT_FALSE(jazz.highPrice.has_value());
    EXPECT_TRUE(jazz.printOnList);
    EXPECT_EQ(jazz.notes, "Bring chairs");
    EXPECT_TRUE(GetTheEvent(ctx(), rows[1].number("EventID"))->continuous());
}

TEST_F(ImpImport, ARowRefusedWhileWritingUndoesTheRowsWrittenBeforeIt) {
    auto import = checked(ImportKind::Events, "Event Name,Event Type,Starting Date\n"
                                              "Alpha,Concert,08/01/2026\n"
                                              "Beta,Concert,08/02/2026\n");
    ASSERT_TRUE(import->ready());
    // Another desk stores the second event after the check.
    Event beta;
    beta.name = "Beta";
    beta.startingDate = "2026/08/02";
    beta.eventType = "Concert";
    ASSERT_EQ(InsertEvent(ctx(), beta), EventSave::Saved);

    const ImportOutcome out = import->write(ctx());
    EXPECT_EQ(out.imported, 0);
    EXPECT_EQ(texts(out.problems),
              lines(QStringList({"Line 3, Event Name: " + MsgEventDuplicate()})));
    EXPECT_EQ(count(ctx().eventsDb(), "Event"), 1);

    // A stop from the progress undoes the rows too.
    import = checked(ImportKind::Profiles, "First Name,Last Name\nAnn,Adams\nBob,Brown\n");
    const ImportOutcome stopped = import->write(ctx(), [](int done, int) { return done < 1; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(count(ctx().db(), "Profile"), 0);
}

TEST_F(ImpImport, SharedContactsAndEventsLandInTheCommonDatabaseWithTheirTexts) {
    env.openShared();
    ASSERT_NE(&ctx().contactsDb(), &ctx().db());
    ASSERT_NE(&ctx().eventsDb(), &ctx().db());
    InsertEventType(ctx(), "Gala"); // "" or "exists": the type is there either way

    auto contacts = checked(ImportKind::Contacts,
                            "Contact Name,Keywords,Notes\nHarbour Grill,food,Fresh fish\n");
    ASSERT_TRUE(contacts->ready()) << texts(contacts->problems());
    EXPECT_EQ(contacts->write(ctx()).imported, 1);
    const auto id = ctx().contactsDb().scalar("SELECT [ContactID] FROM [Contact]").toLongLong();
    EXPECT_EQ(GetTheContact(ctx(), id)->notes, "Fresh fish");
    EXPECT_EQ(count(ctx().db(), "Contact"), 0);

    auto events =
        checked(ImportKind::Events,
                "Event Name,Event Type,Starting Date,Notes\nBall,Gala,09/01/2026,Black tie\n");
    ASSERT_TRUE(events->ready()) << texts(events->problems());
    EXPECT_EQ(events->write(ctx()).imported, 1);
    const auto eventId = ctx().eventsDb().scalar("SELECT [EventID] FROM [Event]").toLongLong();
    EXPECT_EQ(GetTheEvent(ctx(), eventId)->notes, "Black tie");
    EXPECT_EQ(count(ctx().db(), "Event"), 0);
}
