#include "guests/Groups.h"
#include "guests/ProfileFixture.h"

using namespace vm;
using namespace vm::test;

namespace {

class ProfileText : public ProfileFixture {};

QStringList Dates(const std::vector<QDate>& dates) {
    QStringList out;
    for (const QDate& d : dates)
        out << d.toString(Qt::ISODate);
    return out;
}

} // namespace

TEST(ProperCaseName, RecasesNamesTheWayTheDeskTypesThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"o'brien", "O'Brien"},
        {"D'ANGELO", "D'Angelo"},
        {"smith-jones", "Smith-Jones"},
        {"mary-kate o'neil", "Mary-Kate O'neil"}, // only a second-place apostrophe counts
        {"mcdonald", "McDonald"},
        {"ronald mcdonald", "Ronald McDonald"},
        {"john smith iii", "John Smith III"},
        {"john smith ii", "John Smith II"},
        {"john smith iv", "John Smith IV"},
        {"ivan ivanov", "Ivan Ivanov"}, // not a suffix
        {"m/m jones", "M/M Jones"},
        {"john and mary", "John and Mary"},
        {"JANE   DOE", "Jane   Doe"},
        {"o'b", "O'b"}, // three characters or fewer: words only
        {"al", "Al"},
        {"mc", "Mc"},
        {"", ""},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(ProperCaseName(typed), QString(expected)) << typed;
}

TEST(RecurringDates, CountBoundariesAndLeaveOutDatesAfterTheThroughDate) {
    struct Case {
        const char* what;
        QDate start, through;
        Recurrence pattern;
        QStringList expected;
    };
    const Case cases[] = {
        {"daily, both ends",
         QDate(2026, 3, 30),
         QDate(2026, 4, 2),
         Recurrence::Daily,
         {"2026-03-30", "2026-03-31", "2026-04-01", "2026-04-02"}},
        {"one day", QDate(2026, 3, 30), QDate(2026, 3, 30), Recurrence::Daily, {"2026-03-30"}},
        // Wednesday to the next Tuesday crosses one Sunday: a second date a
        // week on, which is after the Tuesday and left out.
        {"weekly Wed-Tue",
         QDate(2026, 3, 4),
         QDate(2026, 3, 10),
         Recurrence::Weekly,
         {"2026-03-04"}},
        {"weekly Wed-Wed",
         QDate(2026, 3, 4),
         QDate(2026, 3, 18),
         Recurrence::Weekly,
         {"2026-03-04", "2026-03-11", "2026-03-18"}},
        {"weekly Sat-Sun",
         QDate(2026, 3, 7),
         QDate(2026, 3, 8),
         Recurrence::Weekly,
         {"2026-03-07"}},
        // One week halves to 0 (even): the start only.
        {"biweekly 1 week",
         QDate(2026, 3, 4),
         QDate(2026, 3, 11),
         Recurrence::BiWeekly,
         {"2026-03-04"}},
        // Three weeks: 1.5 rounds to 2, but the third date (+4 weeks) is past the end.
        {"biweekly 3 weeks",
         QDate(2026, 3, 4),
         QDate(2026, 3, 25),
         Recurrence::BiWeekly,
         {"2026-03-04", "2026-03-18"}},
        // Five weeks: 2.5 rounds to 2.
        {"biweekly 5 weeks",
         QDate(2026, 3, 4),
         QDate(2026, 4, 8),
         Recurrence::BiWeekly,
         {"2026-03-04", "2026-03-18", "2026-04-01"}},
        {"monthly from Jan 31",
         QDate(2026, 1, 31),
         QDate(2026, 4, 30),
         Recurrence::Monthly,
         {"2026-01-31", "2026-02-28", "2026-03-31", "2026-04-30"}},
        {"monthly leap year",
         QDate(2028, 1, 31),
         QDate(2028, 3, 1),
         Recurrence::Monthly,
         {"2028-01-31", "2028-02-29"}},
        {"monthly Jan 31 - Feb 1",
         QDate(2026, 1, 31),
         QDate(2026, 2, 1),
         Recurrence::Monthly,
         {"2026-01-31"}},
        {"through before start", QDate(2026, 3, 4), QDate(2026, 3, 3), Recurrence::Daily, {}},
        {"invalid", QDate(), QDate(2026, 3, 3), Recurrence::Weekly, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Dates(RecurringDates(c.start, c.through, c.pattern)), c.expected) << c.what;
}

TEST_F(ProfileText, LetterFieldsAreFilledFromTheProfileItsGroupAndItsSpouse) {
    Group g;
    g.name = "Dental Congress";
    g.attendees = 40;
    g.arrivalDate = "2026/03/10";
    g.departureDate = "2026/03/20";
    Profile p = sample("Ann", "Guest");
    p.business = {"9 Harbour Rd", "Suite 4", "Portland", "ME", "USA", "04101"};
    p.other = {"PO Box 7", "", "Bangor", "", "", ""};
    p.title = "Director";
    p.groupId = InsertGroup(ctx(), g);
    InsertProfile(ctx(), p);
    addType("Spouse Name");
    InsertProfilePI(ctx(), p.id, "Spouse Name", "Tom");

    const QString letter =
        "~~~DateTodayLong|~~~DateTodayShort|~~~NameBothFirstLast|~~~NameFirst|~~~NameLast|"
        "~~~NameSpouse|~~~NameSender|~~~JobTitle|~~~GroupName|"
        "~~~AddressHomeLine1|~~~AddressHomeLine2|~~~AddressHomeCityStatePostal|"
        "~~~AddressHomeCountry|~~~AddressBusinessLine1|~~~AddressBusinessLine2|"
        "~~~AddressBusinessCityStatePostal|~~~AddressBusinessCountry|~~~AddressOtherLine1|"
        "~~~AddressOtherLine2|~~~AddressOtherCityStatePostal|~~~AddressOtherCountry";
    EXPECT_EQ(MergeLetterFields(ctx(), letter, p, "Pat Desk"),
              "Saturday, March 14, 2026|03/14/2026|Ann Guest|Ann|Guest|Tom|Pat Desk|Director|"
              "Dental Congress|1 Main St|Apt 2|Springfield, IL  62701|USA|9 Harbour Rd|Suite 4|"
              "Portland, ME  04101|USA|PO Box 7||Bangor|");

    // A guest without a spouse, group or stored key gives empty fields.
    Profile unsaved = sample("Bo", "Lee");
    EXPECT_EQ(MergeLetterFields(ctx(), "Dear ~~~NameFirst and ~~~NameSpouse of ~~~GroupName.",
                                unsaved, "Pat Desk"),
              "Dear Bo and  of .");
}
