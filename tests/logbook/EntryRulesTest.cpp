#include "LogbookFixture.h"

#include "logbook/EntryRules.h"

using namespace vm;
using namespace vm::test;

TEST(EntryRules, StatusBoxesClearTheirOpposites) {
    const StatusFlags none;
    const struct {
        StatusFlags before;
        StatusBox box;
        bool ticked;
        StatusFlags after;
    } cases[] = {
        {{.pending = true}, StatusBox::Complete, true, {.complete = true}},
        {{.complete = true}, StatusBox::Pending, true, {.pending = true}},
        {{.complete = true, .cancelled = true}, StatusBox::OnHold, true, {.onHold = true}},
        {{.complete = true, .pending = true, .onHold = true},
         StatusBox::Cancelled,
         true,
         {.onHold = true, .cancelled = true}},
        {{.complete = true, .onHold = true}, StatusBox::Complete, false, {.onHold = true}},
        {none, StatusBox::Cancelled, false, none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyStatusClick(c.before, c.box, c.ticked), c.after) << int(c.box);
}

TEST(EntryRules, ReferTimeIsRewrittenThenChecked) {
    const struct {
        QString typed, stored;
        bool ok;
    } cases[] = {
        {"7", "07:00", true},        {"14", "14:00", true},
        {"930", "09:30", true},      {"2330", "23:30", true},
        {"1:10pm", "13:10", true},   {"12:15 am", "00:15", true},
        {"11:30 PM", "23:30", true}, {"", "", true},
        {"25:00", "", false},        {"2360", "", false},
        {"noon", "", false},         {"14:00pm", "14:00", true},
        {"0:30am", "", false},
    };
    for (const auto& c : cases) {
        const TimeResult r = FormatReferTime(c.typed);
        EXPECT_EQ(r.ok, c.ok) << c.typed.toStdString();
        EXPECT_EQ(r.value, c.stored) << c.typed.toStdString();
    }
    EXPECT_EQ(
        FormatReferTime(" 25:00 ").message,
        "The time you entered '25:00' is not valid.\r\nYou must enter the time in Standard or "
        "Military Time format.\r\nExamples:\r\nStandard:  1:10am, 3:00pm,  11:30pm\r\n"
        "Military:  1:10,   14:00pm, 23:30");
}

TEST(EntryRules, ValidationOrderAndDateWindows) {
    const QDate today(2026, 3, 14);
    EntryCheck ok;
    ok.category = "Dining";
    ok.referDate = "03/14/2026";
    EXPECT_EQ(ValidateEntry(ok, today), "");

    EntryCheck c = ok;
    c.descriptiveText = "call back ~~~";
    c.category.clear();
    EXPECT_EQ(ValidateEntry(c, today), MsgSeparator); // a bare "~~~" is refused too

    c = ok;
    c.guestIdMandatory = true;
    c.category.clear();
    EXPECT_EQ(ValidateEntry(c, today), MsgGuestIdMandatory);
    c.guestId = "G1";
    EXPECT_EQ(ValidateEntry(c, today), MsgNoType);

    c = ok;
    c.arrivalDate = today.addDays(-181).toString("MM/dd/yyyy");
    EXPECT_EQ(ValidateEntry(c, today), "The Arrival Date is greater than 180 days in the past.  "
                                       "This is not acceptable for a new entry.");
    c.isNew = false;
    EXPECT_EQ(ValidateEntry(c, today), "");
    c.isNew = true;
    c.arrivalDate = today.addDays(-180).toString("MM/dd/yyyy");
    EXPECT_EQ(ValidateEntry(c, today), "");

    c = ok;
    c.departureDate = today.addDays(731).toString("MM/dd/yyyy");
    EXPECT_EQ(ValidateEntry(c, today), "The Departure Date is greater than 730 days in the "
                                       "future.  This is not acceptable for a new entry.");
    c = ok;
    c.referDate = "13/45/2026";
    EXPECT_EQ(ValidateEntry(c, today),
              "Please enter a valid Reference Date for this Logbook Entry.  Thank you.");
    c.referDate.clear();
    EXPECT_EQ(ValidateEntry(c, today),
              "Please enter a valid Reference Date for this Logbook Entry.  Thank you.");
}

TEST(EntryRules, NotesAreJoinedAndSigned) {
    const QDateTime now(QDate(2026, 3, 14), QTime(9, 5));
    EXPECT_EQ(ComposeEntryText("", "", "AD", now), " (AD 2026/03/14 09:05)");
    EXPECT_EQ(ComposeEntryText("", "Book table", "AD", now), "Book table (AD 2026/03/14 09:05)");
    EXPECT_EQ(ComposeEntryText("Book table (AD 2026/03/14 09:05)", "Confirmed", "BN", now),
              "Book table (AD 2026/03/14 09:05) ~~~ Confirmed (BN 2026/03/14 09:05)");
    EXPECT_EQ(ComposeEntryText("Kept", "  ", "AD", now), "Kept");
    EXPECT_EQ(ComposeArchiveNote("", "Late", "AD", now),
              " ~~Post-Archive Note~~ Late (AD 2026/03/14 09:05)");
    EXPECT_EQ(ComposeArchiveNote("Old", "Late", "AD", now),
              "Old ~~~Post-Archive Note~~~ Late (AD 2026/03/14 09:05)");
}

TEST(EntryRules, DayLimitWarnsFromTheLimitOn) {
    EXPECT_FALSE(DayLimitMessage(0, "Spa", 40).has_value());
    EXPECT_FALSE(DayLimitMessage(2, "Spa", 1).has_value());
    EXPECT_EQ(DayLimitMessage(2, "Spa", 2).value_or(""),
              "There are a maximum of 2 entries for Spa on this date.  We have already logged 2 "
              "entries.");
}

class EntryPermissions : public LogbookFixture {};

TEST_F(EntryPermissions, RestrictedMembersAreCheckedAndCardRightsNeverBypassed) {
    const qint64 restricted = env.addStaff("Rae Temp", "rae", "RT", false, true);
    env.db().exec("UPDATE [ConciergePlus] SET [Logbook] = '00000000000000000000' WHERE "
                  "[ConciergeID] = ?",
                  {restricted});
    env.logOn(restricted);
    EXPECT_FALSE(MayDo(*env.ctx, Rights::LogbookAdd));
    const qint64 manager = env.addStaff("Max Boss", "max", "MB", true);
    env.db().exec("UPDATE [ConciergePlus] SET [Logbook] = '00000000000000000000' WHERE "
                  "[ConciergeID] = ?",
                  {manager});
    env.logOn(manager);
    EXPECT_TRUE(MayDo(*env.ctx, Rights::LogbookAdd));
    EXPECT_FALSE(MayDo(*env.ctx, Rights::LogbookCloneCards));
    env.logOn(staffId); // default string: 1-17 allowed, 18-19 not
    EXPECT_TRUE(MayDo(*env.ctx, Rights::LogbookNotifications));
    EXPECT_FALSE(MayDo(*env.ctx, Rights::LogbookCloneCards));
}
