// The timed-services screen driven by its controls: set-up, booking by a
// click on the day sheet, loading, deleting, the save refusals, the mass
// delete and the Others icon.

#include "TsScreenFixture.h"

#include "app/forms/frmSearch.h"
#include "bookings/DaySheet.h"
#include "bookings/forms/TimedServicesModule.h"
#include "bookings/forms/frmTSCalendar.h"
#include "bookings/forms/frmTimedServiceRules.h"
#include "platform/forms/SessionWindows.h"

#include <QDateEdit>
#include <QListWidget>

using namespace vm;
using namespace vm::test;

namespace {

class TsScreen : public TsScreenFixture {
protected:
    int bookings() { return count(env.db(), "SELECT COUNT(*) FROM [TimedService]"); }
};

} // namespace

TEST_F(TsScreen, ABookingMadeByClickingTheSheetFilesItsEntryLoadsFromAnyRowAndDeletes) {
    designedCategory("Spa Visits", {"Service:", "Provider:", "Guest:"});
    catalogue();
    page("tabLinks");
    choose("cboLinkCategory", "Spa");
    choose("cboLogCategory", "Spa Visits");
    choose("cboLinkValue_0", "Service");
    choose("cboLinkLabel_0", "Service:");
    choose("cboLinkValue_1", "Provider");
    choose("cboLinkLabel_1", "Provider:");
    press("cmdSaveLink");
    ASSERT_EQ(count(env.db(), "SELECT COUNT(*) FROM [IFTranslate]"), 1) << env.prompt.texts().join("|").toStdString();

    bookingPage();
    EXPECT_EQ(screen->windowTitle(), "Timed Services - Saturday, March 14, 2026");
    EXPECT_EQ(label("lblDuration"), "90 minutes");
    EXPECT_EQ(label("lblPrice"), "80.00");
    EXPECT_EQ(label("lblLocation"), "Room 1");
    const int start = rowOf("10:00 AM");
    clickRow(start);
    EXPECT_EQ(label("lblTime"), "10:00 AM");
    EXPECT_EQ(label("lblTSID"), "0");
    EXPECT_EQ(find<QComboBox>("cboProvider")->currentText(), "Anna");
    type("txtLastName", "Lane");
    type("txtFirstName", "Pat");
    type("txtGratuity", "12.5");
    find<QCheckBox>("chkStatus_1")->setChecked(true);
    press("cmdBookSS_0");
    ASSERT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();

    const auto row = env.db().queryOne("SELECT * FROM [TimedService]");
    ASSERT_TRUE(row);
    const qint64 id = row->value("TimedServiceID").toLongLong();
    EXPECT_EQ(label("lblTSID"), QString::number(id));
    EXPECT_EQ(row->value("ReferDate").toString(), "2026/03/14");
    EXPECT_EQ(row->value("ReferTime").toString(), "10:00 AM");
    EXPECT_DOUBLE_EQ(row->value("Gratuity").toDouble(), 12.5);
    EXPECT_TRUE(row->value("Status1").toBool());
    EXPECT_FALSE(row->value("Status0").toBool());
    // Ninety minutes: nine rows of the sheet, the row after them free.
    for (int r = start; r < start + 9; ++r)
        EXPECT_TRUE(taken(r)) << sheet()->cell(r, 0).toStdString();
    EXPECT_FALSE(taken(start + 9));
    EXPECT_FALSE(taken(start - 1));
    EXPECT_TRUE(sheet()->cell(start, 1).contains("Pat Lane"));
    // The logbook entry of the link.
    const qint64 logId = row->value("LogbookID").toLongLong();
    ASSERT_GT(logId, 0);
    const auto entry = env.db().queryOne("SELECT * FROM [LogBook] WHERE [LogID] = ?", {logId});
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->value("EntryType").toString(), "Spa Visits");
    EXPECT_TRUE(entry->value("NoteField").toString().contains("Service: Massage"));
    EXPECT_FALSE(entry->value("Cancelled").toBool());

    // A new booking on the screen, then row 7 of the saved one: it is loaded, not replaced.
    press("cmdNew");
    EXPECT_EQ(label("lblTSID"), "0");
    EXPECT_TRUE(find<QLineEdit>("txtLastName")->text().isEmpty());
    clickRow(start + 6);
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(label("lblTSID"), QString::number(id));
    EXPECT_EQ(find<QLineEdit>("txtLastName")->text(), "Lane");
    EXPECT_EQ(label("lblTime"), "10:00 AM");
    EXPECT_TRUE(find<QCheckBox>("chkStatus_1")->isChecked());
    // What it books is locked: a move is a delete and a new booking.
    for (const char* locked : {"cboCategory", "cboService", "cboProvider", "dtpReferDate"})
        EXPECT_FALSE(find(locked)->isEnabled()) << locked;
    EXPECT_EQ(bookings(), 1);

    // Delete, answered Yes: the rows are free and the entry is cancelled, not deleted.
    env.prompt.answer(Answer::Yes);
    press("cmdBookSS_3");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgTsDeleteQuestion});
    EXPECT_EQ(bookings(), 0);
    EXPECT_EQ(label("lblTSID"), "0");
    for (int r = start; r < start + 9; ++r)
        EXPECT_FALSE(taken(r));
    EXPECT_TRUE(env.db()
                    .scalar("SELECT [Cancelled] FROM [LogBook] WHERE [LogID] = ?", {logId})
                    .toBool());
    EXPECT_TRUE(find("cboCategory")->isEnabled());
}

TEST_F(TsScreen, SaveRefusesInTheScreensOrderAndTheSlotMustHoldTheWholeService) {
    catalogue();
    page("tabBooking");
    const QStringList expected = {
        "Please select the Category for this Service.  Thank you.",
        "Please select the Service.  Thank you.",
        "Please select the Provider for this Service.  Thank you.",
        "Please select the Service Time by Clicking on the Selected Time Row in the Grid.",
        "Please enter the Last Name.  Thank you.",
        "Please enter the First Name.  Thank you.",
    };
    const std::function<void()> fix[] = {
        [&] { choose("cboCategory", "Spa"); },
        [&] { choose("cboService", "Massage"); },
        [&] { choose("cboProvider", "Anna"); },
        [&] {
            choose("cboShowProvider", "Anna");
            // The last row cannot hold ninety minutes: nothing is chosen.
            clickRow(sheet()->rowCount() - 1);
            EXPECT_EQ(env.prompt.last(), MsgSlotNotFullDuration);
            EXPECT_EQ(label("lblTime"), "");
            env.prompt.clear();
            clickRow(rowOf("02:00 PM"));
        },
        [&] { type("txtLastName", "Lane"); },
        [&] { type("txtFirstName", "Pat"); },
    };
    for (int i = 0; i < expected.size(); ++i) {
        env.prompt.clear();
        press("cmdBookSS_0");
        EXPECT_EQ(env.prompt.texts(), QStringList{expected[i]}) << i;
        EXPECT_EQ(bookings(), 0);
        fix[i]();
    }
    env.prompt.clear();
    press("cmdBookSS_0");
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();
    ASSERT_EQ(bookings(), 1);
    // An empty gratuity is stored as 0.
    EXPECT_DOUBLE_EQ(env.db().scalar("SELECT [Gratuity] FROM [TimedService]").toDouble(), 0.0);

    // Delete with nothing loaded is refused without a question.
    press("cmdNew");
    env.prompt.clear();
    press("cmdBookSS_3");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgTsSelectDelete});
    EXPECT_EQ(bookings(), 1);
}

TEST_F(TsScreen, AProviderWithBookingsIsNotDeletedOneWithoutIs) {
    catalogue();
    book(anna, "03/14/2026", "10:00 AM", "Lane");
    const qint64 ben = addProvider("Ben");
    ASSERT_GT(ben, 0);

    page("tabProviders");
    auto* list = find<QListWidget>("lstProviders");
    list->setCurrentRow(0); // Anna
    ASSERT_EQ(find<QLineEdit>("txtProviderName")->text(), "Anna");
    env.prompt.clear();
    press("cmdDeleteProvider");
    EXPECT_EQ(env.prompt.texts(),
              QStringList{"This provider has 1 Timed Services in the Database.  We will not be "
                          "able to delete this provider until all Timed Services have been "
                          "deleted."});
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [Providers]"), 2);

    list->setCurrentRow(1); // Ben
    env.prompt.clear();
    press("cmdDeleteProvider");
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [Providers] WHERE [ProvidersID] = ?", {ben}), 0);
    EXPECT_EQ(list->count(), 1);
    // The booking page offers only who is left.
    EXPECT_EQ(find<QComboBox>("cboShowProvider")->findText("Ben"), -1);

    // Nothing chosen: asked to choose; the gender is required for a new one.
    press("cmdNewProvider");
    env.prompt.clear();
    press("cmdDeleteProvider");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgProviderDeleteNone});
    env.prompt.clear();
    press("cmdSaveProvider");
    ASSERT_EQ(env.prompt.shown.size(), 1);
    EXPECT_EQ(env.prompt.shown[0].text, MsgProviderRequired);
    EXPECT_EQ(env.prompt.shown[0].title, TitleFormIncomplete);
    type("txtProviderName", "Cleo");
    env.prompt.clear();
    press("cmdSaveProvider");
    EXPECT_EQ(env.prompt.texts(),
              QStringList{"You must select the Provider Gender to continue."});
}

TEST_F(TsScreen, MassDeleteChecksItsDateAsksAndKeepsTheDayItself) {
    catalogue();
    book(anna, "03/10/2026", "10:00 AM", "Early");
    book(anna, "03/14/2026", "10:00 AM", "Today");
    page("tabTools");
    const struct {
        QString typed, said;
    } refused[] = {
        {"", MsgTsPurgeDate},
        {"13/45/2026", MsgTsPurgeDate}, // no date at all: refused like an empty box
        {"03/15/2026", MsgTsPurgeFuture},
    };
    for (const auto& c : refused) {
        env.prompt.clear();
        type("txtDeleteDate", c.typed);
        press("cmdDeleteTS");
        EXPECT_EQ(env.prompt.texts(), QStringList{c.said}) << c.typed.toStdString();
    }
    EXPECT_EQ(bookings(), 2);

    type("txtDeleteDate", "03/14/2026");
    const QString question = "Do you wish to delete ALL Timed Service \r\nentries prior to 03/14/2026";
    env.prompt.clear();
    env.prompt.answer(Answer::No);
    press("cmdDeleteTS");
    EXPECT_EQ(env.prompt.texts(), QStringList{question});
    EXPECT_EQ(bookings(), 2);

    env.prompt.clear();
    env.prompt.answer(Answer::Yes);
    press("cmdDeleteTS");
    EXPECT_EQ(env.prompt.texts(),
              (QStringList{question, "ALL Timed Service entries prior to 03/14/2026 have been "
                                     "deleted.  Thank you."}));
    EXPECT_EQ(bookings(), 1);
    EXPECT_EQ(env.db().scalar("SELECT [LastName] FROM [TimedService]").toString(), "Today");
}

TEST_F(TsScreen, TheOthersIconOpensOneWindowWithTheAddOnsRightOnly) {
    frmSearch window(*env.ctx);
    window.setLogonHandler([this] {
        env.logOn(staffId);
        return true;
    });
    window.Logon();
    InstallTimedServices(*env.ctx, window);
    QAbstractButton* icon = window.othersIcon("imgTimedServices");
    ASSERT_TRUE(icon);

    icon->click();
    EXPECT_EQ(env.prompt.texts(),
              QStringList{"You are not authorized to Work with Timed Services."});
    EXPECT_EQ(window.findChildren<frmTimedService*>().size(), 0);

    grant(Rights::AddOnsTimedServices);
    env.prompt.clear();
    icon->click();
    icon->click(); // the open window comes forward; no second one
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();
    const auto opened = window.findChildren<frmTimedService*>();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0]->isVisible());
    EXPECT_EQ(opened[0]->windowTitle(), "Timed Services - Saturday, March 14, 2026");
    // It is one of the session's windows, closed at log-off.
    EXPECT_TRUE(window.sessionWindows()->windows().contains(opened[0]));
}

TEST_F(TsScreen, TheCalendarHandsItsChoiceAndItsBookingsToTheBookingPage) {
    catalogue();
    const qint64 booked = book(anna, "03/14/2026", "10:00 AM", "Lane");
    page("tabBooking");
    const auto rowWith = [](DataGrid* g, const QString& text) {
        for (int r = 0; r < g->rowCount(); ++r)
            if (g->cell(r, 0) == text) return r;
        return -1;
    };
    // Opens the calendar, searches the Massage at 02:00 PM and picks Anna (her day shows).
    const auto searchAnna = [&] {
        press("cmdCalendar");
        auto* calendar = screen->findChildren<frmTSCalendar*>().last();
        auto* category = control<QComboBox>(*calendar, "cboCategory");
        category->setCurrentIndex(category->findText("Spa"));
        auto* service = control<QComboBox>(*calendar, "cboService");
        service->setCurrentIndex(service->findText("Massage"));
        click(*calendar, "cmdSearch");
        auto* times = control<DataGrid>(*calendar, "grdTimes");
        clickRow(times, rowWith(times, "02:00 PM"));
        auto* results = control<DataGrid>(*calendar, "grdAvailability");
        EXPECT_EQ(results->rowCount(), 1) << env.prompt.texts().join("|").toStdString();
        clickRow(results, 0);
        return calendar;
    };

    // A booked row of the calendar loads that booking.
    frmTSCalendar* calendar = searchAnna();
    auto* times = control<DataGrid>(*calendar, "grdTimes");
    clickRow(times, rowWith(times, "10:00 AM"));
    EXPECT_EQ(label("lblTSID"), QString::number(booked));
    EXPECT_EQ(find<QLineEdit>("txtLastName")->text(), "Lane");

    // A chosen time: the booking page shows it on Anna's sheet, ready for the guest.
    calendar = searchAnna();
    click(*calendar, "cmdSelect");
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(find<QComboBox>("cboService")->currentText(), "Massage");
    EXPECT_EQ(find<QComboBox>("cboProvider")->currentText(), "Anna");
    EXPECT_EQ(find<QComboBox>("cboShowProvider")->currentText(), "Anna");
    EXPECT_EQ(label("lblTime"), "02:00 PM");
    EXPECT_EQ(label("lblTSID"), "0");
    EXPECT_TRUE(find("cboService")->isEnabled());
    type("txtLastName", "Moss");
    type("txtFirstName", "Kim");
    press("cmdBookSS_0");
    EXPECT_EQ(env.db().scalar("SELECT [ReferTime] FROM [TimedService] WHERE [LastName] = 'Moss'")
                  .toString(),
              "02:00 PM");
}
