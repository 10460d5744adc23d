// The itinerary screens driven as the desk uses them.

#include "ItineraryFixture.h"

#include "core/Settings.h"
#include "guests/forms/ItineraryPanel.h"
#include "guests/forms/frmItinText.h"
#include "guests/forms/frmItinerary.h"
#include "logbook/forms/frmLogbook.h"
#include "output/PdfReader.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/forms/DataGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;

class ItineraryScreens : public ItineraryFixture {
protected:
    void SetUp() override {
        ItineraryFixture::SetUp();
        EnsureApplication();
        RegisterItineraryReports(env.ctx->reports);
    }

    static void doubleClickItem(QListWidget* list, int row) {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    static void doubleClickRow(DataGrid* grid, int row) {
        const QRect r = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    }
    static QStringList items(const QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    static QList<qint64> gridKeys(const QWidget& w) {
        return control<DataGrid>(w, "grdItinerary")->keys();
    }
    // The preview window the screen opened last.
    static frmPrintPreview* preview(const QWidget& w) {
        const auto all = w.findChildren<frmPrintPreview*>();
        return all.isEmpty() ? nullptr : all.last();
    }
};

TEST_F(ItineraryScreens, GuestChosenByNameFillsTheGridWhichPrintsAndMails) {
    setText("ConfirmationText1", "Hotel Aurora");
    const qint64 john = profile("Smith", "John", "john@example.com");
    const qint64 d1 = booking("Smith", "John", "Dining", "2026/03/15", "19:30", "Table", john);
    const qint64 t1 = booking("Smith", "John", "Tours", "2026/03/16", "10:00", "Walk", john);
    const qint64 x1 = booking("Smith", "John", "Transport", "2026/03/17", "07:00", "Taxi", john);
    booking("Smith", "John", "Dining", "2026/03/15", "20:00", "Unlinked namesake");
    booking("Smithers", "Ann", "Dining", "2026/03/15", "20:00", "Other guest");

    frmItinerary f(*env.ctx);
    QTest::keyClicks(control<QLineEdit>(f, "txtLastName"), "zzz");
    click(f, "cmdByName");
    EXPECT_EQ(env.prompt.last(), MsgNoGuestsFound);

    control<QLineEdit>(f, "txtLastName")->setText("smith, j");
    click(f, "cmdByName");
    auto* guests = control<QListWidget>(f, "lstGuests");
    ASSERT_EQ(items(guests), QStringList({"Smith, John", "Smith, John {P}"}));
    f.show();
    doubleClickItem(guests, 1);
    ASSERT_EQ(gridKeys(f), QList<qint64>({d1, t1, x1}));
    auto* grid = control<DataGrid>(f, "grdItinerary");
    EXPECT_EQ(grid->cell(0, 1), "03/15/2026");
    EXPECT_EQ(grid->cell(0, 2), "07:30 PM");
    EXPECT_EQ(grid->cell(0, 3), "Dining");
    EXPECT_EQ(grid->cell(0, 5), QString::number(d1));
    EXPECT_EQ(control<QLabel>(f, "lblItineraryNote")->text(),
              "Note: Double-Click to Remove an Entry from the Itinerary.");

    doubleClickRow(grid, 1); // the tour leaves the itinerary
    ASSERT_EQ(gridKeys(f), QList<qint64>({d1, x1}));

    click(f, "cmdPrint");
    frmPrintPreview* window = preview(f);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Velmora Print Preview - Guest Itinerary");
    const QString printed = doc::PlainText(window->document());
    EXPECT_TRUE(
        InOrder(printed, {"Itinerary for John Smith", "Dining", "Table", "Transport", "Taxi"}))
        << printed.toStdString();
    EXPECT_FALSE(printed.contains("Walk"));
    EXPECT_FALSE(printed.contains("namesake"));

    click(f, "cmdEmail");
    ASSERT_EQ(env.mailer.sent.size(), 1);
    EXPECT_EQ(env.mailer.sent[0].to, "john@example.com");
    EXPECT_EQ(env.mailer.sent[0].subject, "Your Itinerary - Hotel Aurora");
    EXPECT_TRUE(env.mailer.sent[0].body.contains("  Taxi\r\n"));
    EXPECT_FALSE(env.mailer.sent[0].body.contains("Walk"));

    // The namesake without a profile gets an itinerary of their own.
    doubleClickItem(guests, 0);
    EXPECT_EQ(gridKeys(f).size(), 1);
    env.mailer.takes = false;
    click(f, "cmdEmail");
    EXPECT_EQ(env.mailer.sent.last().to, "");
    EXPECT_EQ(env.prompt.last(), MsgItineraryNotMailed);
}

TEST_F(ItineraryScreens, ArrivalsAreSearchedTrimmedAndPrintedInOneJob) {
    booking("Smith", "Pat", "Dining", "2026/03/15", "19:30", "Pat's table", 0, "2026/03/14");
    booking("Smith", "Pat", "Tours", "2026/03/20", "10:00", "Pat's later stay", 0, "2026/03/19");
    booking("Lee", "Kim", "Tours", "2026/03/15", "10:00", "Kim's walk", 0, "2026/03/14");
    booking("Ode", "Ray", "Tours", "2026/03/15", "11:00", "Ray's walk", 0, "2026/03/14");

    frmItinerary f(*env.ctx);
    f.show();
    click(f, "cmdPrintArrivals");
    EXPECT_EQ(env.prompt.last(), MsgNoArrivals);
    control<QLineEdit>(f, "dtpArrival")->setText("13/45/2026");
    click(f, "cmdByArrival");
    EXPECT_EQ(env.prompt.last(), MsgInvalidArrival);

    control<QLineEdit>(f, "dtpArrival")->setText("03/14/2026");
    click(f, "cmdByArrival");
    auto* arrivals = control<QListWidget>(f, "lstArrivals");
    ASSERT_EQ(items(arrivals), QStringList({"Lee, Kim", "Ode, Ray", "Smith, Pat"}));
    doubleClickItem(arrivals, 1);
    ASSERT_EQ(items(arrivals), QStringList({"Lee, Kim", "Smith, Pat"}));

    click(f, "cmdPrintArrivals");
    frmPrintPreview* window = preview(f);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Velmora Print Preview - Guest Intinerary");
    const QString printed = doc::PlainText(window->document());
    EXPECT_TRUE(InOrder(
        printed, {"Itinerary for Kim Lee", "Kim's walk", "Itinerary for Pat Smith", "Pat's table"}))
        << printed.toStdString();
    EXPECT_FALSE(printed.contains("Ray"));
    EXPECT_FALSE(printed.contains("later stay")); // another arrival of the same guest
}

TEST_F(ItineraryScreens, DoNotPrintReferTimeIsKeptForTheNextItinerary) {
    booking("Smith", "Pat", "Tours", "2026/03/16", "10:00", "Walk");
    {
        frmItinerary f(*env.ctx);
        EXPECT_FALSE(control<QCheckBox>(f, "chkNoReferTime")->isChecked());
        click(f, "chkNoReferTime");
        EXPECT_EQ(GetVmSetting(env.db(), "DNP_Itinerary_RefTime"), "True");
    }
    frmItinerary next(*env.ctx);
    EXPECT_TRUE(control<QCheckBox>(next, "chkNoReferTime")->isChecked());
    next.show();
    control<QLineEdit>(next, "txtLastName")->setText("smith");
    click(next, "cmdByName");
    doubleClickItem(control<QListWidget>(next, "lstGuests"), 0);
    click(next, "cmdEmail");
    ASSERT_EQ(env.mailer.sent.size(), 1);
    EXPECT_TRUE(env.mailer.sent[0].body.contains("  Monday, 03/16/2026\r\n"));
    EXPECT_FALSE(env.mailer.sent[0].body.contains("10:00 AM"));

    click(next, "chkNoReferTime");
    EXPECT_EQ(GetVmSetting(env.db(), "DNP_Itinerary_RefTime"), "False");
}

TEST_F(ItineraryScreens, NothingChosenSpaAndHeadingDefaultAreSaidPlainly) {
    SetUseHeadFoot(*env.ctx, true);
    frmItinerary f(*env.ctx);
    EXPECT_TRUE(control<QCheckBox>(f, "chkDefaultHeading")->isChecked());
    click(f, "cmdPrint");
    EXPECT_EQ(env.prompt.last(), MsgNoItinerary);
    click(f, "cmdEmail");
    EXPECT_EQ(env.prompt.last(), MsgNoItinerary);
    EXPECT_TRUE(env.mailer.sent.isEmpty());
    click(f, "cmdSpa");
    EXPECT_EQ(env.prompt.last(), MsgSpaNotInstalled);
    EXPECT_TRUE(f.findChildren<frmPrintPreview*>().isEmpty());
}

TEST_F(ItineraryScreens, GuestIdScreenShowsThatGuestsEntries) {
    LogEntry first = entry("Okafor", "Tours", "2026/03/16", "Walk");
    first.firstName = "Ada";
    first.guestId = "G-900";
    const qint64 walk = add(first);
    LogEntry second = entry("Okafor", "Dining", "2026/03/15", "Table");
    second.firstName = "Ada";
    second.guestId = "G-900";
    const qint64 table = add(second);
    LogEntry other = entry("Okafor", "Dining", "2026/03/15", "Not hers");
    other.guestId = "G-901";
    add(other);

    frmItineraryGI f(*env.ctx, "G-900");
    EXPECT_EQ(gridKeys(f), QList<qint64>({table, walk}));
    EXPECT_EQ(control<QLabel>(f, "lblGuest")->text(), "Ada Okafor   (Guest ID: G-900)");

    frmItineraryGI none(*env.ctx, "G-404");
    EXPECT_TRUE(gridKeys(none).isEmpty());
    EXPECT_EQ(control<QLabel>(none, "lblGuest")->text(), MsgNoGuestEntries);
}

TEST_F(ItineraryScreens, EntryScreenOpensTheItineraryOfItsGuestId) {
    const qint64 id = booking("Smith", "Pat", "Tours", "2026/03/16", "10:00", "Walk");
    LogbookScreenHooks hooks;
    QStringList asked;
    hooks.openGuestItinerary = [&asked](const QString& guestId, QWidget*) { asked << guestId; };
    frmLogbook f(*env.ctx, hooks, id);
    auto* button = control<QPushButton>(f, "cmdItinerary");
    EXPECT_FALSE(button->isEnabled()); // the entry has no guest id
    control<QLineEdit>(f, "txtGuestID")->setText("G-77");
    ASSERT_TRUE(button->isEnabled());
    click(f, "cmdItinerary");
    EXPECT_EQ(asked, QStringList({"G-77"}));
}

TEST_F(ItineraryScreens, TextsScreenKeepsEachLanguageAndDeletesOnlyTheOneShown) {
    SaveItineraryTexts(*env.ctx, 0, {"Welcome", "Goodbye", "Confirmed"});
    frmItinText f(*env.ctx);
    EXPECT_EQ(control<QPlainTextEdit>(f, "txtHeader")->toPlainText(), "Welcome");
    EXPECT_EQ(control<QLabel>(f, "lblHeaderCount")->text(), "7 characters");

    control<QComboBox>(f, "cboLanguage")->setCurrentIndex(1);
    EXPECT_EQ(control<QPlainTextEdit>(f, "txtHeader")->toPlainText(), "");
    control<QPlainTextEdit>(f, "txtHeader")->setPlainText("Bienvenue & merci");
    control<QPlainTextEdit>(f, "txtFooter")->setPlainText("A bientot");
    EXPECT_EQ(control<QLabel>(f, "lblFooterCount")->text(), "9 characters");
    click(f, "chkCustomHeader");
    control<QComboBox>(f, "cboColumn2")->setCurrentText("Date Printed");
    auto* formats = control<QComboBox>(f, "cboValue2");
    EXPECT_EQ(formats->count(), DatePrintedFormats().size());
    formats->setCurrentText("YYYY/MM/DD");
    control<QComboBox>(f, "cboItinAlign")->setCurrentText("Right");
    click(f, "chkUseHeadFoot");
    click(f, "cmdSave");
    EXPECT_EQ(control<QPlainTextEdit>(f, "txtHeader")->toPlainText(), "Bienvenue and merci");
    EXPECT_EQ(GetItineraryTexts(*env.ctx, 1).footer, "A bientot");
    EXPECT_EQ(GetVmSetting(env.db(), "UseCustomItineraryTitle"), "True");
    EXPECT_EQ(GetVmSetting(env.db(), "CustomItineraryType2"), "Date Printed");
    EXPECT_EQ(GetVmSetting(env.db(), "CustomItineraryValue2"), "YYYY/MM/DD");
    EXPECT_EQ(GetVmSetting(env.db(), "ItineraryItinAlign"), "Right");
    EXPECT_TRUE(GetUseHeadFoot(*env.ctx));

    env.prompt.answer(Answer::No);
    click(f, "cmdDelete");
    EXPECT_EQ(env.prompt.shown.last().text, MsgDeleteItineraryTexts);
    EXPECT_EQ(textRows("H1"), 1);
    env.prompt.answer(Answer::Yes);
    click(f, "cmdDelete");
    EXPECT_EQ(textRows("H1"), 0);
    EXPECT_EQ(textRows("F1"), 0);
    EXPECT_EQ(control<QPlainTextEdit>(f, "txtHeader")->toPlainText(), "");
    EXPECT_EQ(GetItineraryTexts(*env.ctx, 0).header, "Welcome");

    // Saved options are what the screen shows next time.
    frmItinText again(*env.ctx);
    EXPECT_TRUE(control<QCheckBox>(again, "chkCustomHeader")->isChecked());
    EXPECT_EQ(control<QComboBox>(again, "cboColumn2")->currentText(), "Date Printed");
    EXPECT_EQ(control<QComboBox>(again, "cboValue2")->currentText(), "YYYY/MM/DD");
    EXPECT_EQ(control<QComboBox>(again, "cboItinAlign")->currentText(), "Right");
}
