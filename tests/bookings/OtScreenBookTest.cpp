// Booking a table from a logbook entry and cancelling it, against the fake
// reservation service: what the service is sent, what the entry keeps, and
// what happens when the service fails or a second click comes in.

#include "OtScreenFixture.h"

namespace vm::test {

namespace {

using screen::click;
using screen::control;
using screen::text;

const QStringList OfferedTimes = {"4321,5/1/2026 7:00:00 PM,1", "4321,5/1/2026 7:30:00 PM,2",
                                  "4321,5/1/2026 8:15:00 PM,3"};

class OtScreen : public OtScreenFixture {
protected:
    void SetUp() override {
        OtScreenFixture::SetUp();
        server.setReply("/cs_single.asp",
                        ScriptedReply::page(FakeHttpServer::timesPage(OfferedTimes)));
    }

    // Searches on the open screen and clicks the offered time in `column`.
    static void searchAndChoose(frmOpenTable& s, int column) {
        click(s, "cmdSearch");
        ASSERT_EQ(control<DataGrid>(s, "grdResults")->rowCount(), 1);
        EXPECT_FALSE(control<QPushButton>(s, "cmdSave")->isEnabled()); // no time chosen yet
        clickCell(s, 0, column);
        EXPECT_TRUE(control<QPushButton>(s, "cmdSave")->isEnabled());
    }
};

TEST_F(OtScreen, ABookingIsSavedIntoTheEntryAtOnceAndCancelledFromIt) {
    server.setReply("/cs_confirm.asp", ScriptedReply::page(FakeHttpServer::bookedPage("98765")));
    const qint64 id = diningEntry();
    frmLogbook entry(*env.ctx, hooks, id);
    whenOpen<frmOpenTable>([&](frmOpenTable& s) {
        EXPECT_EQ(s.windowTitle(), "Open Table Reservations - Harbour Grill - Friday, May 1, 2026");
        EXPECT_EQ(text(s, "cboHour") + ":" + text(s, "cboMinute") + " " + text(s, "cboAMPM"),
                  "07:30 PM");
        EXPECT_EQ(text(s, "txtPartySize"), "4");
        EXPECT_EQ(text(s, "txtLastName"), "O'Hara & Co");
        searchAndChoose(s, 6);
        const auto* grid = control<DataGrid>(s, "grdResults");
        QStringList row;
        for (int c = 0; c < 7; ++c)
            row << grid->cell(0, c);
        EXPECT_EQ(row.join("|"), "Harbour Grill|Old Port|Seafood|$$$|07:00 PM|07:30 PM|08:15 PM");
        EXPECT_FALSE(text(s, "lblStatus").isEmpty());
        click(s, "cmdSave");
    });
    click(entry, "imgOpenTable");

    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[0].line(),
              "GET /cs_single.asp?rid=4321&cid=C77&d=05%2F01%2F2026+07%3A30+PM&s=4&h=555 "
              "HTTP/1.1");
    const QByteArray body = server.requests()[1].body;
    for (const char* field :
         {"ReserveDetails=4321%2C5%2F1%2F2026+8%3A15%3A00+PM%2C3", "FirstName=Pat",
          "LastName=O%27Hara+%26+Co", "Phone=555%2D0100", "Notes=Window+table", "RestaurantID=4321",
          "PartySize=4", "process=process&submit2=Reserve"})
        EXPECT_TRUE(body.contains(field)) << field << " in " << body.toStdString();
    EXPECT_TRUE(env.prompt.saw("Reservation confirmed, confirmation #98765."));

    LogEntry saved = stored(id);
    EXPECT_EQ(saved.openTableId, 98765);
    EXPECT_EQ(saved.contactId, restaurant);
    for (const char* line : {"Confirmation: 98765\r\n", "Time: 08:15 PM\r\n",
                             "Restaurant: Harbour Grill\r\n", "Party Size: 4\r\n"})
        EXPECT_TRUE(saved.text.contains(line)) << line;
    auto history = LogbookStore(*env.ctx).GetTheLogbookHistory(id);
    EXPECT_TRUE(std::any_of(history.begin(), history.end(), [](const HistoryRow& h) {
        return h.reason == "Online reservation #98765 was booked.";
    }));
    // The entry screen shows the entry as saved, with its reservation.
    EXPECT_EQ(entry.entry().rowVersion, saved.rowVersion);
    EXPECT_EQ(text(entry, "lblOpenTableID"), "98765");
    EXPECT_FALSE(control<QWidget>(entry, "imgOTEntry")->isHidden());

    // A second booking on the same entry is refused; the cancel asks first.
    env.prompt.clear();
    click(entry, "imgOpenTable");
    EXPECT_EQ(env.prompt.last(), "This logbook entry already holds Open Table reservation "
                                 "#98765.  Please cancel it before booking another table.");
    env.prompt.answer(Answer::No);
    click(entry, "imgOTEntry");
    EXPECT_EQ(server.requests().size(), 2u);

    server.setReply("/cs_cancel.asp",
                    ScriptedReply::page(FakeHttpServer::cancelledPage("98765")));
    env.prompt.answer(Answer::Yes);
    click(entry, "imgOTEntry");
    ASSERT_EQ(server.requests().size(), 3u);
    EXPECT_EQ(server.requests()[2].path(), "/cs_cancel.asp");
    EXPECT_TRUE(server.requests()[2].query().contains("reservationID=98765"));
    EXPECT_EQ(env.prompt.last(), "The reservation has been cancelled.");
    saved = stored(id);
    EXPECT_EQ(saved.openTableId, 0);
    EXPECT_TRUE(saved.text.contains("Confirmation:")); // the line stays, emptied
    EXPECT_FALSE(saved.text.contains("98765"));
    EXPECT_TRUE(saved.text.contains("Restaurant: Harbour Grill\r\n"));
    EXPECT_FALSE(saved.cancelled);
    EXPECT_EQ(entry.entry().rowVersion, saved.rowVersion);
    EXPECT_TRUE(control<QWidget>(entry, "imgOTEntry")->isHidden());
}

TEST_F(OtScreen, ATimeOutAndAnErrorAnswerLeaveTheEntryAsItWas) {
    server.setReply("/cs_confirm.asp", ScriptedReply::silent());
    const qint64 id = diningEntry();
    const LogEntry before = stored(id);
    frmLogbook entry(*env.ctx, hooks, id);
    whenOpen<frmOpenTable>([&](frmOpenTable& s) {
        s.service().setTimeouts(300, 600);
        searchAndChoose(s, 5);
        env.prompt.clear();
        click(s, "cmdSave");
        ASSERT_EQ(env.prompt.shown.size(), 2);
        EXPECT_EQ(env.prompt.shown[0].text, "Error 12002: Timeout");
        EXPECT_EQ(env.prompt.shown[0].title, "Communications Failure");
        EXPECT_EQ(env.prompt.shown[1].text, "Unable to confirm reservation at this time.");

        server.setReply("/cs_confirm.asp",
                        ScriptedReply::page(FakeHttpServer::servicePageError(
                            "The restaurant cannot take parties of this size.")));
        env.prompt.clear();
        click(s, "cmdSave");
        ASSERT_EQ(env.prompt.shown.size(), 2);
        EXPECT_EQ(env.prompt.shown[0].title, "Error");
        EXPECT_TRUE(env.prompt.shown[0].text.contains("cannot take parties of this size"));
        EXPECT_EQ(env.prompt.shown[1].text, "Unable to confirm reservation at this time.");
        EXPECT_TRUE(control<QPushButton>(s, "cmdSave")->isEnabled()); // may be tried again
        click(s, "cmdExit");
    });
    click(entry, "imgOpenTable");

    const LogEntry after = stored(id);
    EXPECT_EQ(after.text, before.text);
    EXPECT_EQ(after.rowVersion, before.rowVersion);
    EXPECT_EQ(after.openTableId, 0);
    EXPECT_EQ(requestsTo("/cs_confirm.asp"), 2);
}

TEST_F(OtScreen, ASecondClickOnBookWhileTheFirstRunsSendsNothing) {
    server.setReply("/cs_confirm.asp",
                    ScriptedReply::slow(FakeHttpServer::bookedPage("98765"), 400));
    const qint64 id = diningEntry();
    frmLogbook entry(*env.ctx, hooks, id);
    bool bookEnabled = true, exitEnabled = true;
    whenOpen<frmOpenTable>([&](frmOpenTable& s) {
        searchAndChoose(s, 5);
        QTimer::singleShot(150, &s, [&] {
            bookEnabled = control<QPushButton>(s, "cmdSave")->isEnabled();
            exitEnabled = control<QPushButton>(s, "cmdExit")->isEnabled();
            QTest::mouseClick(control<QPushButton>(s, "cmdSave"), Qt::LeftButton);
            s.close();
        });
        click(s, "cmdSave");
    });
    click(entry, "imgOpenTable");

    EXPECT_FALSE(bookEnabled);
    EXPECT_FALSE(exitEnabled);
    EXPECT_EQ(requestsTo("/cs_confirm.asp"), 1);
    EXPECT_EQ(env.prompt.texts().count("Reservation confirmed, confirmation #98765."), 1);
    EXPECT_EQ(stored(id).openTableId, 98765);
}

TEST_F(OtScreen, SearchScreenRefusalsAndRestaurantsThatAreNoContact) {
    server.setReply("/cs_multi.asp",
                    ScriptedReply::page(FakeHttpServer::timesPage(
                        {"999,5/1/2026 7:30:00 PM,1", "4321,5/1/2026 7:30:00 PM,2"})));
    const qint64 id = diningEntry();
    frmLogbook entry(*env.ctx, hooks, id);
    whenOpen<frmOpenTable>([&](frmOpenTable& s) {
        screen::type(s, "txtDate", "");
        click(s, "cmdSearch");
        EXPECT_EQ(env.prompt.last(), "Please select the Reservation date.  Thank you.");
        screen::type(s, "txtDate", "05/02/2026");
        EXPECT_EQ(s.windowTitle(),
                  "Open Table Reservations - Harbour Grill - Saturday, May 2, 2026");
        screen::type(s, "txtPartySize", "4x");
        click(s, "cmdSearch");
        EXPECT_EQ(env.prompt.last(), "The number of persons in the party must be Numbers ONLY.");
        EXPECT_TRUE(server.requests().empty());

        screen::type(s, "txtPartySize", "2");
        click(s, "chkArea");
        click(s, "cmdSearch");
        ASSERT_EQ(server.requests().size(), 1u);
        EXPECT_EQ(server.requests()[0].query(),
                  "cid=C77&d=05%2F02%2F2026+07%3A30+PM&s=2&g=9&hid=555");
        const auto* grid = control<DataGrid>(s, "grdResults");
        ASSERT_EQ(grid->rowCount(), 2);
        EXPECT_EQ(grid->cell(0, 0), "");
        EXPECT_EQ(grid->cell(1, 0), "Harbour Grill");
        env.prompt.clear();
        clickCell(s, 0, 5);
        EXPECT_EQ(env.prompt.last(),
                  "This restaurant is not configured as a Contact. Please configure an existing "
                  "Contact to have this restaurant ID and try the search again.");
        EXPECT_FALSE(control<QPushButton>(s, "cmdSave")->isEnabled());
        clickCell(s, 1, 5);
        EXPECT_TRUE(control<QPushButton>(s, "cmdSave")->isEnabled());
        click(s, "cmdExit");
    });
    click(entry, "imgOpenTable");
    EXPECT_EQ(requestsTo("/cs_confirm.asp"), 0);
}

} // namespace

} // namespace vm::test
