// Saving, changing, deleting and purging bookings, with the logbook entry a
// booking files and keeps in step.

#include "bookings/TsBookFixture.h"

#include "core/LongText.h"
#include "security/CardData.h"

using namespace vm;
using namespace vm::test;

namespace {

using TsBookSave = TsBookFixture;

bool offers(const std::vector<TsAvailability>& rows, qint64 providerId) {
    for (const TsAvailability& a : rows)
        if (a.providerId == providerId) return true;
    return false;
}

QStringList reasons(const std::vector<HistoryRow>& history) {
    QStringList r;
    for (const HistoryRow& h : history)
        r << h.initials + " " + h.reason;
    return r;
}

TEST_F(TsBookSave, ASpaBookingFilesItsEntryTakesItsRowsAndFreesThemWhenDeleted) {
    // Anna's office week, a short Tuesday, and an early master week applied
    // over the four weeks from Monday 03/09.
    exception(anna, "03/03/2026", "", week("0111110", "10:00", "14:00"));
    master(anna, "Early", week("0111111", "08:00", "16:00", "12:00", "12:30"));
    ASSERT_EQ(ApplyMasterSchedules(*env.ctx, anna, TsMonday.addDays(7), "4"), "");
    linkToLogbook("Spa Booking", {"Service:", "Provider:", "Date:", "Time:", "Guest:"},
                  {"Service", "Provider", "Date", "Time", "Last Name"});

    EXPECT_EQ(SaveTimedService(*env.ctx, 0, typed(TsMonday.addDays(1), "09:00 AM")).message,
              MsgTsNotWorking);

    const QDate wednesday = TsMonday.addDays(9);
    TypedTsBooking t = typed(wednesday, "08:00 AM");
    t.status[0] = true;
    t.instructions = "Towels & robe";
    const TsSaveResult r = book(t);
    ASSERT_GT(r.logbookId, 0);
    EXPECT_EQ(
        env.db()
            .scalar("SELECT [LogbookID] FROM [TimedService] WHERE [TimedServiceID] = ?", {r.id})
            .toLongLong(),
        r.logbookId);

    const DaySheet sheet = BuildDaySheet(*env.ctx, SheetKind::Provider, wednesday, anna, 0);
    ASSERT_EQ(sheet.rows.front().time, "08:00 AM");
    EXPECT_EQ(states(sheet, 0, 10), "BBBBBBBBBF");

    const auto entry = store().GetTheLogEntry(r.logbookId);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->entryType, "Spa Booking");
    EXPECT_EQ(entry->referDate, "2026/03/11");
    EXPECT_EQ(entry->referTime, "08:00");
    EXPECT_EQ(entry->lastName + "," + entry->firstName, "Doe,Jane");
    EXPECT_TRUE(entry->complete);
    EXPECT_FALSE(entry->cancelled || entry->pending);
    EXPECT_EQ(entry->text, "Service: Massage\r\nProvider: Anna\r\nDate: 03/11/2026\r\n"
                           "Time: 08:00 AM\r\nGuest: Doe\r\n"
                           " (AD 2026/03/14 09:30 Entry was added by Timed Services.)");
    EXPECT_EQ(GetECT(*env.ctx, r.id, TextKind::BookingInstructions), "Towels & robe");

    for (int row = 0; row < 9; ++row)
        EXPECT_FALSE(
            offers(GetAvailability(*env.ctx, spa, 0, 0, wednesday, 8 * 60 + 10 * row), anna))
            << row;
    EXPECT_TRUE(offers(GetAvailability(*env.ctx, spa, 0, 0, wednesday, 9 * 60 + 30), anna));

    EXPECT_FALSE(DeleteTimedService(*env.ctx, 0)); // an unsaved booking: nothing happens
    EXPECT_TRUE(DeleteTimedService(*env.ctx, r.id));
    EXPECT_FALSE(DeleteTimedService(*env.ctx, r.id));
    EXPECT_EQ(states(BuildDaySheet(*env.ctx, SheetKind::Provider, wednesday, anna, 0), 0, 10),
              "FFFFFFFFFF");
    EXPECT_TRUE(offers(GetAvailability(*env.ctx, spa, 0, 0, wednesday, 8 * 60), anna));
    EXPECT_EQ(GetECT(*env.ctx, r.id, TextKind::BookingInstructions), "");
    const auto cancelled = store().GetTheLogEntry(r.logbookId);
    ASSERT_TRUE(cancelled);
    EXPECT_TRUE(cancelled->cancelled);
    EXPECT_EQ(reasons(store().GetTheLogbookHistory(r.logbookId)),
              QStringList{"AD " + ReasonTsCancelled});
}

TEST_F(TsBookSave, RefusalsComeInTheScreensOrder) {
    TypedTsBooking t;
    auto next = [&](const QString& expected) {
        EXPECT_EQ(CheckTsBooking(*env.ctx, t), expected);
        EXPECT_EQ(SaveTimedService(*env.ctx, 0, t).message, expected);
    };
    next(MsgTsReferDate); // the date is required
    t.referDate = "02/30/2026";
    next(MsgTsReferDate);
    t.referDate = Formats::ShortDate(TsMonday);
    next(MsgTsCategory);
    t.categoryId = spa;
    next(MsgTsService);
    t.serviceId = massage;
    next(MsgTsProvider);
    t.providerId = anna;
    next(MsgTsTime);
    t.referTime = "09:00 AM";
    t.lastName = "  ";
    next(MsgTsLastName);
    t.lastName = "Doe";
    next(MsgTsFirstName);
    t.firstName = "Jane";
    t.gratuity = "ten";
    next(MsgTsGratuity);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [TimedService]").toInt(), 0);

    t.gratuity = "";
    const TsSaveResult r = SaveTimedService(*env.ctx, 0, t);
    ASSERT_TRUE(r.saved) << r.message.toStdString();
    EXPECT_EQ(r.logbookId, 0); // no link: no entry
    const auto b = GetTimedService(*env.ctx, r.id);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->gratuity, 0);
    EXPECT_EQ(b->price, 80);
    EXPECT_EQ(b->duration, 90);
    EXPECT_EQ(b->locationId, room);
    EXPECT_EQ(b->referDate + " " + b->referTime, "2026/03/02 09:00 AM");
    EXPECT_EQ(b->logbookId, 0);
}

TEST_F(TsBookSave, ANewBookingIsCheckedAgainstHoursMealAndTheProvidersBookings) {
    const qint64 facial = service("Facial", spa, room, 30, 40);
    book(typed(TsMonday, "09:00 AM")); // 09:00-10:30
    auto attempt = [&](const QString& time, qint64 serviceId, qint64 providerId = 0) {
        return SaveTimedService(*env.ctx, 0, typed(TsMonday, time, serviceId, providerId)).message;
    };
    EXPECT_EQ(attempt("10:00 AM", facial), MsgTsTaken);
    EXPECT_EQ(attempt("08:30 AM", facial), MsgTsNotWorking); // starts before the day
    EXPECT_EQ(attempt("08:50 AM", facial), MsgTsNotWorking);
    EXPECT_EQ(attempt("04:00 PM", massage), MsgTsNotWorking); // ends after 05:00 PM
    EXPECT_EQ(attempt("11:00 AM", massage), MsgTsMealBreak);
    EXPECT_EQ(attempt("01:00 PM", facial), MsgTsMealBreak); // the meal's end row is taken
    EXPECT_EQ(attempt("10:30 AM", facial), "");
    EXPECT_EQ(attempt("01:10 PM", facial), "");
    EXPECT_EQ(attempt("04:30 PM", facial), ""); // ends with the day
    // Another provider in the same room at the same time is no clash.
    EXPECT_EQ(attempt("09:00 AM", massage, provider("Ben")), "");
    // A Sunday: Anna does not work.
    EXPECT_EQ(SaveTimedService(*env.ctx, 0, typed(TsSunday, "10:00 AM")).message, MsgTsNotWorking);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [TimedService]").toInt(), 5);
}

TEST_F(TsBookSave, AChangeKeepsWhatWasBookedAndPatchesALongNote) {
    // Labels long enough that the note runs past the 255 characters of its first piece.
    const QStringList labels = {
        "Name of the guest on the booking:", "First name of the guest:",
        "Provider giving the treatment:",    "Time the treatment starts:",
        "Gratuity added to the bill:",       "Treatment booked for the guest:"};
    linkToLogbook("Spa Note", labels,
                  {"Last Name", "First Name", "Provider", "Time", "Gratuity", "Service"});
    TypedTsBooking t = typed(TsMonday, "02:30 PM");
    const TsSaveResult r = book(t);
    const auto filed = store().GetTheLogEntry(r.logbookId);
    ASSERT_TRUE(filed);
    EXPECT_EQ(filed->referTime, "14:30");
    EXPECT_FALSE(filed->complete);
    ASSERT_GT(filed->text.size(), 255);
    EXPECT_GT(
        env.db().scalar("SELECT COUNT(*) FROM [LogText] WHERE [LogID] = ?", {r.logbookId}).toInt(),
        0);

    // Everything the screen holds is offered; only the guest's details are taken.
    const qint64 ben = provider("Ben");
    TypedTsBooking u = t;
    u.lastName = "Smith & Jones";
    u.gratuity = "15.5";
    u.status[0] = true;
    u.instructions = "Late arrival";
    u.providerId = ben;
    u.referTime = "09:00 AM";
    u.referDate = Formats::ShortDate(TsMonday.addDays(1));
    const TsSaveResult changed = SaveTimedService(*env.ctx, r.id, u);
    ASSERT_TRUE(changed.saved) << changed.message.toStdString();
    EXPECT_EQ(changed.logbookId, r.logbookId);

    const auto b = GetTimedService(*env.ctx, r.id);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->providerId, anna);
    EXPECT_EQ(b->referDate + " " + b->referTime, "2026/03/02 02:30 PM");
    EXPECT_EQ(b->lastName, "Smith & Jones");
    EXPECT_EQ(b->gratuity, 15.5);
    EXPECT_TRUE(b->status[0]);
    EXPECT_EQ(b->instructions, "Late arrival");

    const auto entry = store().GetTheLogEntry(r.logbookId);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->text, labels[0] + " Smith & Jones\r\n" + labels[1] + " Jane\r\n" + labels[2] +
                               " Anna\r\n" + labels[3] + " 02:30 PM\r\n" + labels[4] +
                               " 15.50\r\n" + labels[5] +
                               " Massage\r\n (AD 2026/03/14 09:30 Entry was added by Timed "
                               "Services.)");
    EXPECT_TRUE(entry->complete);
    EXPECT_FALSE(entry->cancelled);
    EXPECT_TRUE(
        reasons(store().GetTheLogbookHistory(r.logbookId)).contains("AD " + ReasonTsUpdated));

    // A booking deleted at another desk meanwhile is said, not recreated.
    ASSERT_TRUE(DeleteTimedService(*env.ctx, r.id));
    EXPECT_EQ(SaveTimedService(*env.ctx, r.id, u).message, MsgTsBookingGone);
}

TEST_F(TsBookSave, CardNumbersInNamesAreScreenedAndCardsMustBeDigits) {
    TypedTsBooking t = typed(TsMonday, "09:00 AM");
    t.lastName = "Doe 4111 1111 1111 1111";
    QStringList asked;
    auto remove = [&](const QString& form, const QString& field) {
        asked << form + "/" + field;
        return true;
    };
    EXPECT_EQ(ScreenTsBookingNames(*env.ctx, t, 0, remove), 1);
    EXPECT_EQ(asked, QStringList{"Timed Services/txtLastName"});
    EXPECT_FALSE(t.lastName.contains("4111"));
    EXPECT_EQ(t.firstName, "Jane");

    // Kept when the member says so, and recorded as suspicious.
    t.firstName = "4111-1111-1111-1111";
    EXPECT_EQ(
        ScreenTsBookingNames(*env.ctx, t, 7, [](const QString&, const QString&) { return false; }),
        1);
    EXPECT_EQ(t.firstName, "4111-1111-1111-1111");
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [Suspicious]").toInt(), 1);

    t = typed(TsMonday, "09:00 AM");
    t.typedCard = "4111-1111-abcd";
    EXPECT_EQ(SaveTimedService(*env.ctx, 0, t).message, MsgTsCardDigits);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [TimedService]").toInt(), 0);
}

TEST_F(TsBookSave, PurgeDeletesEarlierBookingsWithTheirInstructionsOnly) {
    linkToLogbook("Spa Booking", {"Guest:"}, {"Last Name"});
    std::vector<TsSaveResult> made;
    for (const QDate& day : {TsMonday.addDays(-4), TsMonday.addDays(-1), TsMonday}) {
        TypedTsBooking t =
            typed(day, "10:00 AM", 0,
                  provider("P" + day.toString("dd"), week("1111111", "09:00", "17:00")));
        t.instructions = "Note " + day.toString("dd");
        made.push_back(book(t));
    }
    EXPECT_EQ(CheckTsPurgeDate(*env.ctx, ""), MsgTsPurgeDate);
    EXPECT_EQ(CheckTsPurgeDate(*env.ctx, "13/45/2026"), MsgTsPurgeDate);
    EXPECT_EQ(CheckTsPurgeDate(*env.ctx, "03/15/2026"), MsgTsPurgeFuture); // today is 03/14
    EXPECT_EQ(CheckTsPurgeDate(*env.ctx, "03/14/2026"), "");
    EXPECT_EQ(TsPurgeDoneMessage(TsMonday),
              "ALL Timed Service entries prior to 03/02/2026 have been deleted.  Thank you.");

    EXPECT_EQ(PurgeTimedServices(*env.ctx, TsMonday), 2);
    EXPECT_FALSE(GetTimedService(*env.ctx, made[0].id));
    EXPECT_FALSE(GetTimedService(*env.ctx, made[1].id));
    EXPECT_EQ(GetECT(*env.ctx, made[1].id, TextKind::BookingInstructions), "");
    const auto kept = GetTimedService(*env.ctx, made[2].id);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->instructions, "Note 02");
    // The logbook keeps every entry, none cancelled.
    for (const TsSaveResult& r : made) {
        const auto e = store().GetTheLogEntry(r.logbookId);
        ASSERT_TRUE(e);
        EXPECT_FALSE(e->cancelled);
    }
    EXPECT_EQ(PurgeTimedServices(*env.ctx, QDate()), 0);
}

} // namespace
