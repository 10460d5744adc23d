// Searches, the purge and the sign-up sheets.

#include "bookings/ResStoreFixture.h"
#include "core/LongText.h"

using namespace vm;
using namespace vm::test;

namespace {

class ResStoreSearch : public ResStoreFixture {};

TEST_F(ResStoreSearch, NameSearchMatchesTypedWildcardsAsThemselves) {
    ResCategory tables = itemList("Gala Tables", {"T1", "T2", "T3", "T4", "T5"});
    const QStringList names = {"100% Club", "1000 Club", "A_B Group", "AxB Group", "Back\\slash"};
    for (int i = 0; i < names.size(); ++i)
        ASSERT_EQ(
            BookReservation(ctx(), tables, booking(day, names[i], "T" + QString::number(i + 1)))
                .status,
            ResBookStatus::Booked);
    BookReservation(ctx(), tables, booking(day.addDays(5), "Late Club", "T1"));
    const auto found = [&](const QString& text, const QDate& from = {}, const QDate& to = {}) {
        QStringList out;
        for (const ResSearchRow& r : SearchReservationsByName(ctx(), text, from, to))
            out << r.reservedFor;
        return out;
    };
    EXPECT_EQ(found("0%"), QStringList({"100% Club"}));
    EXPECT_EQ(found("a_b"), QStringList({"A_B Group"}));
    EXPECT_EQ(found("k\\s"), QStringList({"Back\\slash"}));
    EXPECT_EQ(found("club").size(), 3);
    EXPECT_EQ(found("club", day, day.addDays(1)), QStringList({"100% Club", "1000 Club"}));
    const auto row = SearchReservationsByName(ctx(), "AxB", {}, {});
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0].date, "03/16/2026");
    EXPECT_EQ(row[0].category, "Gala Tables");
    EXPECT_EQ(row[0].slot, "T4");

    const auto byCategory = SearchReservationsByCategory(ctx(), tables.id, {}, {});
    ASSERT_EQ(byCategory.size(), 6u);
    EXPECT_EQ(byCategory[0].reservedFor, "Late Club"); // newest first
    EXPECT_EQ(SearchCaption(day, day.addDays(1), "Club", ""),
              "Where Reservation Date is between 03/16/2026 and 03/17/2026 And Reservation Name "
              "contains: Club");
}

TEST_F(ResStoreSearch, PurgeRemovesWhatIsDatedBeforeTheDayAndKeepsTheDay) {
    ResCategory shuttle = itemList("Shuttle", {"Airport"}, true, 4);
    for (const QDate& d : {day.addDays(-1), day}) {
        BookReservation(ctx(), shuttle, booking(d, "Smith", "Airport", {}, {}, "1"));
        SaveRowLimit(ctx(), shuttle, d, "Airport", "6");
        IncrementUnavailability(ctx(), shuttle.id, d);
        WaitListEntry w{0, shuttle.id, Formats::StoredDate(d), "Green", "Room 12"};
        InsertWaitList(ctx(), w);
    }
    EXPECT_EQ(DeleteReservations(ctx(), day), 1);
    for (const QString table : {"Reservation", "ResRowLimits", "ResTrackUn", "ResWaitList"}) {
        const QString dateColumn = table.startsWith("ResTrack") || table == "ResWaitList"
                                       ? "RequestedDate"
                                       : "ReservationDate";
        EXPECT_EQ(env.db()
                      .query("SELECT [" + dateColumn + "] FROM [" + table + "]")
                      .at(0)
                      .text(dateColumn),
                  "2026/03/16")
            << table.toStdString();
        EXPECT_EQ(count(table, shuttle.id), 1) << table.toStdString();
    }
}

TEST_F(ResStoreSearch, SignUpSheetsAreKeptByIdWithTheirTextAndLinks) {
    SignUpSheet sheet{0, " "};
    EXPECT_EQ(SaveSignUpSheet(ctx(), sheet, "Text"),
              "The SignUp Sheet must be given a name.  Thank you.");
    sheet.name = "Golf Clinic";
    EXPECT_EQ(SaveSignUpSheet(ctx(), sheet, "  "),
              "You must define some text for this SignUp Sheet.  Thank you.");
    EXPECT_EQ(SaveSignUpSheet(ctx(), sheet, "Pay with 4111 1111 1111 1111"),
              "A Credit Card Number may Not be saved in the SignUp Sheet Content.");
    EXPECT_EQ(sheet.id, 0);
    const QString longText = QString("Name  Room  Signature\r\n").repeated(20) + "End";
    ASSERT_EQ(SaveSignUpSheet(ctx(), sheet, longText), "");
    EXPECT_GT(sheet.id, 0);
    EXPECT_EQ(GetSignUpText(ctx(), sheet.id), longText);

    SignUpSheet other{0, "golf clinic"};
    EXPECT_EQ(SaveSignUpSheet(ctx(), other, "Other text"),
              "A SignUp Sheet of that name already exists.  Thank you.");
    other.name = "Yoga";
    ASSERT_EQ(SaveSignUpSheet(ctx(), other, "Mats"), "");
    sheet.name = "Golf Clinic & Lunch";
    ASSERT_EQ(SaveSignUpSheet(ctx(), sheet, "New text"), "");
    QStringList names;
    for (const SignUpSheet& s : GetSignUpSheets(ctx()))
        names << s.name;
    EXPECT_EQ(names, QStringList({"Golf Clinic & Lunch", "Yoga"}));

    for (qint64 owner : {sheet.id, other.id})
        env.db().exec("INSERT INTO [ContactDocs] ([ContactID], [SourceType], [Description], "
                      "[FileName]) VALUES (?, 'S', 'Map', '/tmp/map.pdf')",
                      {owner});
    DeleteSignUpSheet(ctx(), sheet.id);
    EXPECT_EQ(GetSignUpSheets(ctx()).size(), 1u);
    EXPECT_EQ(GetSignUpText(ctx(), sheet.id), "");
    EXPECT_EQ(GetSignUpText(ctx(), other.id), "Mats");
    EXPECT_EQ(env.db().scalar("SELECT [ContactID] FROM [ContactDocs]").toLongLong(), other.id);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [ContactDocs]").toInt(), 1);
}

} // namespace
