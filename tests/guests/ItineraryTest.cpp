// The itinerary's guests, entries, texts, options and composition.

#include "ItineraryFixture.h"

#include "output/PdfReader.h"

#include "core/Settings.h"
#include "guests/Groups.h"

#include <algorithm>
#include <tuple>

using namespace vm;
using namespace vm::test;

class Itinerary : public ItineraryFixture {
protected:
    QStringList captions(const QString& typed) {
        QStringList out;
        for (const ItineraryGuest& g : ItineraryGuestsByName(*env.ctx, typed))
            out << g.caption();
        return out;
    }
    static QStringList categoriesOf(const std::vector<LogEntry>& entries) {
        QStringList out;
        for (const LogEntry& e : entries)
            out << e.entryType + "@" + e.referDate + " " + e.referTime;
        return out;
    }
};

TEST_F(Itinerary, CancelledAndKeptOffEntriesNeverAppearWhicheverWayTheyAreRead) {
    Group g;
    g.name = "Nordic Dental";
    g.attendees = 12;
    g.arrivalDate = "2026/03/14";
    g.departureDate = "2026/03/18";
    const qint64 groupId = InsertGroup(*env.ctx, g);
    std::vector<qint64> all;
    for (const QString category : {"Transport", "Internal Note", "Tours", "Dining"}) {
        LogEntry e = entry("Smith", category, "2026/03/15");
        e.guestId = "G-1";
        e.groupId = groupId;
        e.arrivalDate = "2026/03/14";
        all.push_back(add(e));
    }
    cancel(all[2]); // the tour
    // An entry far away in time of the kept-off category is left out too.
    LogEntry late = entry("Smith", "Internal Note", "2027/01/01");
    late.guestId = "G-1";
    late.groupId = groupId;
    late.arrivalDate = "2026/03/14";
    all.push_back(add(late));

    const ItineraryGuest guest{"Smith", "Pat", 0};
    const QStringList expected = {"Dining@2026/03/15 19:30", "Transport@2026/03/15 19:30"};
    AppContext& ctx = *env.ctx;
    EXPECT_EQ(categoriesOf(ItineraryEntries(ctx, guest)), expected);
    EXPECT_EQ(categoriesOf(ItineraryEntriesArriving(ctx, guest, QDate(2026, 3, 14))), expected);
    EXPECT_EQ(categoriesOf(ItineraryEntriesOfGuestId(ctx, "G-1")), expected);
    EXPECT_EQ(categoriesOf(ItineraryEntriesOfGroup(ctx, groupId)), expected);
    EXPECT_EQ(categoriesOf(ItineraryEntriesByIds(ctx, {all[0], all[1], all[2], all[4]})),
              QStringList({"Transport@2026/03/15 19:30"}));
    EXPECT_TRUE(ItineraryEntriesArriving(ctx, guest, QDate(2026, 3, 15)).empty());
    EXPECT_TRUE(ItineraryEntriesOfGuestId(ctx, "G-2").empty());
}

TEST_F(Itinerary, EntriesAreOrderedByDateTimeAndThenCategory) {
    booking("Smith", "Pat", "Transport", "2026/03/16", "19:30", "Car");
    booking("Smith", "Pat", "Dining", "2026/03/16", "19:30", "Table");
    booking("Smith", "Pat", "Tours", "2026/03/16", "19:30", "Walk");
    booking("Smith", "Pat", "Transport", "2026/03/16", "08:00", "Taxi");
    booking("Smith", "Pat", "Tours", "2026/03/15", "21:00", "Night walk");
    EXPECT_EQ(categoriesOf(ItineraryEntries(*env.ctx, {"Smith", "Pat", 0})),
              QStringList({"Tours@2026/03/15 21:00", "Transport@2026/03/16 08:00",
                           "Dining@2026/03/16 19:30", "Tours@2026/03/16 19:30",
                           "Transport@2026/03/16 19:30"}));
}

TEST_F(Itinerary, GuestsAreFoundByPartOfTheLastNameAndTheStartOfTheFirst) {
    for (const auto& [last, first] : std::vector<std::pair<QString, QString>>{{"Smith", "John"},
                                                                              {"Smithers", "Jane"},
                                                                              {"Blacksmith", "Joe"},
                                                                              {"Smith", "Pat"},
                                                                              {"Smyth", "John"},
                                                                              {"Goldsmith", "Anna"},
                                                                              {"Sm_th", "Jo"},
                                                                              {"Ba%r", "Jo"}})
        booking(last, first, "Dining", "2026/03/15", "19:30", "Table");
    booking("Smith", "John", "Tours", "2026/03/16", "10:00", "Walk"); // listed once
    const struct {
        const char* typed;
        QStringList expected;
    } cases[] = {
        {"smith, j", {"Blacksmith, Joe", "Smith, John", "Smithers, Jane"}},
        {"SMITH",
         {"Blacksmith, Joe", "Goldsmith, Anna", "Smith, John", "Smith, Pat", "Smithers, Jane"}},
        {" smith ,  pa ", {"Smith, Pat"}},
        // LIKE's own characters are matched as typed, never as wildcards.
        {"sm_th", {"Sm_th, Jo"}},
        {"%", {"Ba%r, Jo"}},
        {"a%", {"Ba%r, Jo"}},
        {"zzz", {}},
        {"   ", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(captions(c.typed), c.expected) << c.typed;
}

TEST_F(Itinerary, SameNamedGuestsAreKeptApart) {
    const qint64 a = profile("Smith", "John", "john.a@example.com");
    const qint64 b = profile("Smith", "John", "john.b@example.com");
    const qint64 a1 = booking("Smith", "John", "Dining", "2026/03/15", "19:30", "For A", a);
    const qint64 a2 = booking("Smith", "John", "Tours", "2026/03/16", "10:00", "For A", a);
    const qint64 b1 = booking("Smith", "John", "Dining", "2026/03/15", "20:00", "For B", b);
    const qint64 n1 = booking("Smith", "John", "Transport", "2026/03/17", "07:00", "Unlinked");

    const std::vector<ItineraryGuest> guests = ItineraryGuestsByName(*env.ctx, "smith, john");
    ASSERT_EQ(guests.size(), 3u);
    QStringList shown;
    for (const ItineraryGuest& g : guests)
        shown << g.caption();
    EXPECT_EQ(shown, QStringList({"Smith, John", "Smith, John {P}", "Smith, John {P}"}));

    auto idsOfGuest = [&](qint64 profileId) {
        return idsOf(ItineraryEntries(*env.ctx, {"Smith", "John", profileId}));
    };
    EXPECT_EQ(idsOfGuest(a), (std::vector<qint64>{a1, a2}));
    EXPECT_EQ(idsOfGuest(b), (std::vector<qint64>{b1}));
    EXPECT_EQ(idsOfGuest(0), (std::vector<qint64>{n1}));

    // B's itinerary goes to B, whoever else has the name.
    const auto bEntries = ItineraryEntries(*env.ctx, {"Smith", "John", b});
    const ItineraryMail mail =
        ComposeItineraryMail(*env.ctx, ComposeItinerary(*env.ctx, bEntries, {}));
    EXPECT_EQ(mail.to, "john.b@example.com");
    EXPECT_FALSE(mail.body.contains("For A"));
}

TEST_F(Itinerary, RecipientSkipsAddressesThatMayNotOrCannotBeUsed) {
    const struct {
        const char *home, *business;
        bool dnuHome, dnuBusiness;
        const char* expected;
    } cases[] = {
        {"pat@home.example", "pat@work.example", false, false, "pat@home.example"},
        {"pat@home.example", "pat@work.example", true, false, "pat@work.example"},
        {" ", "pat@work.example", false, false, "pat@work.example"},
        {"", "pat@work.example", false, false, "pat@work.example"},
        {"pat@home.example", "pat@work.example", true, true, ""},
        {"pat@home.example", " ", true, false, ""},
        {"", "", false, false, ""},
    };
    for (const auto& c : cases) {
        const qint64 id = profile("Smith", "Pat", c.home, c.business, c.dnuHome, c.dnuBusiness);
        EXPECT_EQ(ProfileMailRecipient(*env.ctx, id), c.expected)
            << c.home << " / " << c.business << " " << c.dnuHome << c.dnuBusiness;
    }
    EXPECT_EQ(ProfileMailRecipient(*env.ctx, 0), "");
    EXPECT_EQ(ProfileMailRecipient(*env.ctx, 999999), "");
}

TEST_F(Itinerary, MailHasTheSubjectTheRecipientAndTheBodyInItsOrder) {
    setText("ConfirmationText1", "Hotel Aurora");
    flag("PrintTeam", true);
    SaveItineraryTexts(*env.ctx, 0, {"Welcome to Aurora.", "Enjoy your stay.", "Unused here."});
    const qint64 pat = profile("Smith", "Pat", "pat@example.com");
    LogEntry dining = booking();
    dining.profileId = pat;
    const qint64 diningId = add(dining);
    booking("Smith", "Pat", "Tours", "2026/03/16", "10:00", "Harbour walk", pat);
    const QString by = store().GetTheLogEntry(diningId)->enteredBy;
    ASSERT_FALSE(by.isEmpty());

    ItineraryOptions o;
    o.signature = true;
    o.valediction = "Warm regards";
    const ItineraryDocument d =
        ComposeItinerary(*env.ctx, ItineraryEntries(*env.ctx, {"Smith", "Pat", pat}), o);
    const ItineraryMail mail = ComposeItineraryMail(*env.ctx, d);
    EXPECT_EQ(mail.subject, "Your Itinerary - Hotel Aurora");
    EXPECT_EQ(mail.to, "pat@example.com");
    const QStringList expected = {
        "  Welcome to Aurora.",
        "",
        "  Dear Pat Smith,",
        "  We are pleased to confirm the following arrangements for you:",
        "",
        "  Sunday, 03/15/2026  07:30 PM",
        "  Dining",
        "  Restaurant: Chez Leon", // the design's "Commission:" is not for the guest
        "  Window table",
        "  We look forward to welcoming you.",
        "  Completed by Concierge:  " + by,
        "",
        "  Monday, 03/16/2026  10:00 AM",
        "  Tours",
        "  Harbour walk",
        "  Completed by Concierge:  " + by,
        "",
        "  Signature:  ___________________________",
        "  Date:  ____________",
        "",
        "  Warm regards",
        "",
        "  Enjoy your stay.",
        "",
    };
    EXPECT_EQ(mail.body.split("\r\n"), expected) << mail.body.toStdString();
    EXPECT_FALSE(mail.body.contains("12%"));

    // Without reference times, without texts, signature or team line.
    flag("PrintTeam", false);
    o = {};
    o.noReferTime = true;
    o.headingAndFooter = false;
    const QString plain = ItineraryMailBody(
        ComposeItinerary(*env.ctx, ItineraryEntries(*env.ctx, {"Smith", "Pat", pat}), o));
    EXPECT_TRUE(plain.contains("  Sunday, 03/15/2026\r\n  Dining\r\n")) << plain.toStdString();
    for (const char* gone : {"Welcome", "Enjoy", "Completed by", "Signature", "PM", "AM"})
        EXPECT_FALSE(plain.contains(gone)) << gone;
}

TEST_F(Itinerary, TextsAreKeptInPiecesPerLanguageAndDeleteRemovesOnlyThatLanguage) {
    const QString longHeader = QString("Bienvenue \"chez nous\" & merci. ").repeated(20);
    ASSERT_GT(longHeader.size(), 510);
    SaveItineraryTexts(*env.ctx, 1, {longHeader, "A bientot", "Confirmation"});
    SaveItineraryTexts(*env.ctx, 0, {"Welcome", "Goodbye", "Confirmed"});
    EXPECT_EQ(textRows("H1"), 3);
    EXPECT_EQ(textRows("F1"), 1);
    const ItineraryTexts french = GetItineraryTexts(*env.ctx, 1);
    EXPECT_EQ(french.header, longHeader.trimmed().replace('"', '\'').replace("&", "and"));
    EXPECT_EQ(french.confirmationFooter, "Confirmation");

    // A blank text leaves no rows behind.
    SaveItineraryTexts(*env.ctx, 1, {longHeader, "   ", "Confirmation"});
    EXPECT_EQ(textRows("F1"), 0);

    DeleteItineraryTexts(*env.ctx, 1);
    for (const char* type : {"H1", "F1", "S1"})
        EXPECT_EQ(textRows(type), 0) << type;
    for (const char* type : {"H0", "F0", "S0"})
        EXPECT_EQ(textRows(type), 1) << type;
    EXPECT_EQ(GetItineraryTexts(*env.ctx, 0).footer, "Goodbye");
}

TEST_F(Itinerary, HeaderOptionsAreSavedPerColumnAndShapeTheHeading) {
    const qint64 pat = profile("Smith", "Pat");
    env.db().exec("INSERT INTO [ProfilePI] ([ProfileID], [PreferenceType], [PreferenceSelection], "
                  "[SequenceNo], [PublicPrivate]) VALUES (?, ?, ?, ?, ?)",
                  {pat, "Room Number", "1204", 1, false});
    booking("Smith", "Pat", "Tours", "2026/03/16", "10:00", "Harbour walk", pat);

    ItineraryHeaderOptions o;
    o.useCustomTitle = true;
    o.columns = {HeaderColumn::GuestName, HeaderColumn::UserText, HeaderColumn::DatePrinted};
    o.values = {"ignored", "Aurora \"Concierge\"", "DD.MM.YY"};
    o.headAlign = Alignment::Right;
    o.footAlign = Alignment::Center;
    SaveItineraryHeaderOptions(*env.ctx, o);
    Database& db = env.db();
    EXPECT_EQ(GetVmSetting(db, "UseCustomItineraryTitle"), "True");
    EXPECT_EQ(GetVmSetting(db, "CustomItineraryType0"), "Guest Name");
    EXPECT_EQ(GetVmSetting(db, "CustomItineraryValue0"), ""); // a name needs no value
    EXPECT_EQ(GetVmSetting(db, "CustomItineraryType1"), "User Defined Text");
    EXPECT_EQ(GetVmSetting(db, "CustomItineraryValue1"), "Aurora 'Concierge'");
    EXPECT_EQ(GetVmSetting(db, "CustomItineraryValue2"), "DD.MM.YY");
    EXPECT_EQ(GetVmSetting(db, "ItineraryHeadAlign"), "Right");
    EXPECT_EQ(GetVmSetting(db, "ItineraryFootAlign"), "Center");

    const ItineraryHeaderOptions back = LoadItineraryHeaderOptions(*env.ctx);
    EXPECT_EQ(back.columns, o.columns);
    EXPECT_EQ(back.headAlign, Alignment::Right);
    EXPECT_EQ(back.itinAlign, Alignment::Left);

    auto heading = [&] {
        return ComposeItinerary(*env.ctx, ItineraryEntries(*env.ctx, {"Smith", "Pat", pat}), {})
            .headingColumns;
    };
    EXPECT_EQ(heading(), (std::array<QString, 3>{"Pat Smith", "Aurora 'Concierge'", "10.03.26"}));

    o.columns = {HeaderColumn::IndicatorWithCaption, HeaderColumn::IndicatorValue,
                 HeaderColumn::None};
    o.values = {"Room Number", "Room Number", ""};
    SaveItineraryHeaderOptions(*env.ctx, o);
    EXPECT_EQ(heading(), (std::array<QString, 3>{"Room Number: 1204", "1204", ""}));

    o.useCustomTitle = false;
    SaveItineraryHeaderOptions(*env.ctx, o);
    const ItineraryDocument standard =
        ComposeItinerary(*env.ctx, ItineraryEntries(*env.ctx, {"Smith", "Pat", pat}), {});
    EXPECT_FALSE(standard.customHeading);
    EXPECT_EQ(standard.title, "Itinerary for Pat Smith");
}

TEST_F(Itinerary, PhrasesComeFromTheChosenLanguageAndAMissingOneIsLeftOut) {
    phrase(1, Phrase::Title, "Itineraire de @~~");
    phrase(1, Phrase::Greeting, "Cher @~~,");
    phrase(1, Phrase::ItemDate, "Le @~~");
    phrase(1, Phrase::Signature, "Signature :");
    booking("Smith", "Pat", "Tours", "2026/03/16", "10:00", "Harbour walk");
    const auto entries = ItineraryEntries(*env.ctx, {"Smith", "Pat", 0});

    ItineraryOptions o;
    o.language = 1;
    o.signature = true;
    const ItineraryDocument french = ComposeItinerary(*env.ctx, entries, o);
    EXPECT_EQ(french.title, "Itineraire de Pat Smith");
    EXPECT_EQ(french.opening, QStringList({"Cher Pat Smith,"})); // no introduction in French
    ASSERT_EQ(french.items.size(), 1u);
    EXPECT_EQ(french.items[0].dateLine, "Le Monday, 03/16/2026  10:00 AM");
    EXPECT_EQ(french.signatureLines,
              QStringList({"Signature :  ___________________________", "  ____________"}));

    // A language without phrases keeps every item's date.
    o.language = 2;
    const ItineraryDocument german = ComposeItinerary(*env.ctx, entries, o);
    EXPECT_EQ(german.title, "");
    EXPECT_TRUE(german.opening.isEmpty());
    EXPECT_EQ(german.items[0].dateLine, "Monday, 03/16/2026  10:00 AM");
}

TEST_F(Itinerary, PrintedItinerariesOfArrivalsAndGroupsEachStartOnTheirOwnPage) {
    Group g;
    g.name = "Nordic Dental";
    g.attendees = 2;
    g.arrivalDate = "2026/03/14";
    g.departureDate = "2026/03/18";
    const qint64 groupId = InsertGroup(*env.ctx, g);
    std::vector<qint64> pat, kim;
    for (const auto& [first, day, list] :
         std::vector<std::tuple<QString, QString, std::vector<qint64>*>>{
             {"Pat", "2026/03/15", &pat},
             {"Kim", "2026/03/16", &kim},
             {"Pat", "2026/03/17", &pat}}) {
        LogEntry e = entry("Smith", "Tours", day, "Walk of " + first);
        e.firstName = first;
        e.groupId = groupId;
        list->push_back(add(e));
    }
    auto pageBreaks = [](const doc::Document& d) {
        return std::count_if(d.body.begin(), d.body.end(), [](const doc::Block& b) {
            return std::holds_alternative<doc::PageBreak>(b);
        });
    };
    auto listOf = [](const std::vector<qint64>& ids) {
        QVariantList out;
        for (qint64 id : ids)
            out << id;
        return out;
    };
    const doc::Document arrivals =
        build("PrintGuestItinerary", {{ArgItineraries, QVariantList{listOf(pat), listOf(kim)}}});
    EXPECT_EQ(pageBreaks(arrivals), 1);
    EXPECT_TRUE(
        InOrder(doc::PlainText(arrivals), {"Itinerary for Pat Smith", "Walk of Pat", "Walk of Pat",
                                           "Itinerary for Kim Smith", "Walk of Kim"}));

    const doc::Document perGuest = build("PrintGroupItineraries", {{ArgGroupId, groupId}});
    EXPECT_EQ(pageBreaks(perGuest), 1);
    EXPECT_TRUE(
        InOrder(doc::PlainText(perGuest), {"Itinerary for Pat Smith", "03/15/2026", "03/17/2026",
                                           "Itinerary for Kim Smith", "03/16/2026"}));

    const QString group = text("PrintGroupItinerary", {{ArgGroupId, groupId}});
    EXPECT_TRUE(InOrder(group, {"Itinerary for Nordic Dental", "03/15/2026", "Pat Smith",
                                "03/16/2026", "Kim Smith", "03/17/2026", "Pat Smith"}))
        << group.toStdString();

    EXPECT_EQ(refusal("PrintGuestItinerary", {{ArgLogIds, QVariantList{}}}), MsgNoItineraryEntries);
    EXPECT_EQ(refusal("PrintGroupItinerary", {{ArgGroupId, 999999}}), MsgNoGroupItinerary);
}

TEST_F(Itinerary, PaperChoicesShapeThePrintedPage) {
    const qint64 id = booking("Smith", "Pat", "Tours", "2026/03/16", "10:00", "Walk");
    auto page = [&](bool letterhead, bool fax, bool logo) {
        ItineraryOptions o;
        o.letterhead = letterhead;
        o.fax = fax;
        o.logo = logo;
        QVariantMap args = ItineraryArgs(o);
        args.insert(ArgLogIds, QVariantList{id});
        return build("PrintGuestItinerary", args);
    };
    const doc::Document plain = page(false, false, false);
    const doc::Document letterhead = page(true, false, false);
    const doc::Document fax = page(false, true, true);
    EXPECT_DOUBLE_EQ(plain.page.margins.top, 1.0);
    EXPECT_DOUBLE_EQ(letterhead.page.margins.top, 2.1);
    EXPECT_DOUBLE_EQ(fax.page.base.pointSize, plain.page.base.pointSize + 4);
    EXPECT_TRUE(plain.header.isEmpty());
    ASSERT_EQ(fax.header.size(), 1);
    EXPECT_TRUE(std::holds_alternative<doc::Image>(fax.header.first()));
    EXPECT_EQ(doc::PlainText(plain), doc::PlainText(fax));
}
