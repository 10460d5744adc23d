// What the entry screen checks before a reservation screen opens, and a
// cancellation the service does not confirm.

#include "OtScreenFixture.h"

namespace vm::test {

namespace {

using screen::click;
using screen::text;

class OtScreenChecks : public OtScreenFixture {};

TEST_F(OtScreenChecks, TheEntrysChecksRefuseBeforeAnythingIsSent) {
    expectNoScreen();
    const qint64 party21 = diningEntry("21");
    frmLogbook tooMany(*env.ctx, hooks, party21);
    click(tooMany, "imgOpenTable");
    EXPECT_EQ(env.prompt.last(),
              "The number of persons in the party must be in the range of from 1 through 20.");

    frmLogbook lateHour(*env.ctx, hooks, diningEntry("4", "19:30 pm"));
    click(lateHour, "imgOpenTable");
    EXPECT_EQ(env.prompt.last(), "Please enter a valid time for the reservation.  The preferred "
                                 "format is HH:MM am/pm.  Thank you.");
    EXPECT_EQ(env.prompt.shown.last().title, "Oops");

    // The member's own id is checked before the entry's values.
    env.db().exec("UPDATE [Concierge] SET [OTConciergeID] = ? WHERE [ConciergeID] = ?",
                  {QString(), member});
    click(tooMany, "imgOpenTable");
    EXPECT_EQ(env.prompt.last(), "Your Open Table ID has not been recorded.   Please use the "
                                 "Administration/Concierge Staff feature to add your Open Table "
                                 "ID and try again.");

    LogEntry cancelled = stored(diningEntry());
    cancelled.cancelled = true;
    ASSERT_EQ(LogbookStore(*env.ctx).UpdateLogBook(cancelled, false), SaveOutcome::Saved);
    frmLogbook gone(*env.ctx, hooks, cancelled.logId);
    click(gone, "imgOpenTable");
    EXPECT_EQ(env.prompt.last(), "This Reservation has been cancelled.  Cannot go to Open Table.");

    ASSERT_TRUE(SetBooleanSetting(env.db(), "OpenTable", false));
    click(tooMany, "imgOpenTable");
    EXPECT_TRUE(env.prompt.last().startsWith(
        "Online restaurant reservations are not switched on for this property."));
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(OtScreenChecks, EditsOnTheEntryScreenAreSavedBeforeTheChecksReadTheEntry) {
    expectNoScreen();
    const qint64 id = diningEntry("21");
    frmLogbook entry(*env.ctx, hooks, id);
    screen::type(entry, "txtLastName", "Okafor");
    ASSERT_TRUE(entry.isChanged());
    click(entry, "imgOpenTable");
    EXPECT_EQ(stored(id).lastName, "Okafor");
    EXPECT_FALSE(entry.isChanged());
    EXPECT_EQ(env.prompt.last(),
              "The number of persons in the party must be in the range of from 1 through 20.");
}

TEST_F(OtScreenChecks, ACancellationTheServiceDoesNotConfirmKeepsTheReservation) {
    server.setReply("/cs_cancel.asp",
                    ScriptedReply::page("<html><body><p>Reservation not found.</p></body></html>"));
    LogEntry e = stored(diningEntry());
    e.text.replace("Confirmation: \r\n", "Confirmation: 98765\r\n");
    e.openTableId = 98765;
    e.contactId = restaurant;
    ASSERT_EQ(LogbookStore(*env.ctx).UpdateLogBook(e, false), SaveOutcome::Saved);
    const LogEntry before = stored(e.logId);

    const auto config = GetOpenTableService(*env.ctx);
    ASSERT_TRUE(config);
    OTRestaurant grill = GetOpenTables(env.db()).at(0);
    frmOTCancel shown(*env.ctx, e.logId, *config, grill, "98765");
    EXPECT_EQ(text(shown, "lblCancelling"), "Cancelling reservation #98765");

    frmLogbook entry(*env.ctx, hooks, e.logId);
    env.prompt.answer(Answer::Yes);
    click(entry, "imgOTEntry");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(env.prompt.last(), "An error occured while trying to cancel the Open Table \r\n"
                                 "reservation.  You may want to follow up with Open Table or \r\n"
                                 "the restaurant manually.");
    const LogEntry after = stored(e.logId);
    EXPECT_EQ(after.rowVersion, before.rowVersion);
    EXPECT_EQ(after.openTableId, 98765);
    EXPECT_EQ(text(entry, "lblOpenTableID"), "98765");
}

} // namespace

} // namespace vm::test
