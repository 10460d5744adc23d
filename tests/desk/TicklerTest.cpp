// Tickler notes: which notes apply on a day, their validation and stored
// forms, the purge, the maintenance screen and the entry screen that shows them.

#include "logbook/LogbookFixture.h"

#include "app/forms/Modules.h"
#include "app/forms/frmSearch.h"
#include "core/Formats.h"
#include "core/StartOfDay.h"
#include "desk/Ticklers.h"
#include "desk/forms/frmTickler.h"
#include "guests/Contacts.h"
#include "guests/forms/ContactFormUi.h"
#include "guests/forms/frmContactForm.h"
#include "logbook/forms/LogbookCategoriesPage.h"
#include "logbook/forms/LogbookModule.h"
#include "platform/forms/DataGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace vm;
using namespace vm::test;

namespace {

// 2026/03/02 is a Monday.
const QDate Monday(2026, 3, 2);

class Ticklers : public LogbookFixture {
protected:
    qint64 note(char type, qint64 owner, const QString& start, const QString& through,
                const QString& days, const QString& text) {
        TicklerNote n;
        n.fromType = type;
        n.fromId = owner;
        n.startingDate = start;
        n.throughDate = through;
        n.daysOfWeek = days;
        n.message = text;
        return SaveTickler(env.db(), n);
    }
    QStringList on(char type, qint64 owner, const QDate& day) {
        return TicklersOn(env.db(), type, owner, day);
    }
    // Runs `drive` on the tickler screen once it is open, then closes it.
    void onTicklerScreen(std::function<void(frmTickler&)> drive) {
        QTimer::singleShot(0, [this, drive] {
            auto* screen = qobject_cast<frmTickler*>(QApplication::activeModalWidget());
            EXPECT_TRUE(screen);
            if (!screen) return;
            ++screensOpened;
            drive(*screen);
            screen->reject();
        });
    }
    int screensOpened = 0;
};

TEST_F(Ticklers, MonWedFriOpenEndedNoteShowsOnThoseDaysFromItsStartForItsOwnerOnly) {
    const qint64 dining = category("Dining");
    const qint64 spa = category("Spa");
    note(TicklerFrom::Category, dining, "2026/03/02", OpenThroughDate, "MonWedFri",
         "Chef's table closed");
    struct Case {
        QDate day;
        bool shown;
    };
    const Case cases[] = {
        {Monday.addDays(-3), false},         // the Friday before the start
        {Monday, true},                      // the first day
        {Monday.addDays(1), false},          // Tuesday
        {Monday.addDays(2), true},           // Wednesday
        {Monday.addDays(3), false},          // Thursday
        {Monday.addDays(4), true},           // Friday
        {Monday.addDays(5), false},          // Saturday
        {Monday.addDays(6), false},          // Sunday
        {Monday.addDays(7), true},           // the next Monday
        {Monday.addDays(7 * 520 + 2), true}, // a Wednesday ten years on
    };
    for (const Case& c : cases) {
        const QStringList expected = c.shown ? QStringList{"Chef's table closed"} : QStringList{};
        EXPECT_EQ(on(TicklerFrom::Category, dining, c.day), expected)
            << c.day.toString(Qt::ISODate).toStdString();
        // Another category, and a contact that happens to have the same id, never see it.
        EXPECT_TRUE(on(TicklerFrom::Category, spa, c.day).isEmpty());
        EXPECT_TRUE(on(TicklerFrom::Contact, dining, c.day).isEmpty());
    }
    EXPECT_EQ(GetCategoryTicklers(env.db(), dining, "2026/03/04"),
              QStringList{"Chef's table closed"});
    EXPECT_TRUE(GetCategoryTicklers(env.db(), dining, "03/04/2026").isEmpty());
}

TEST_F(Ticklers, BothEndsOfTheRangeCountAndEveryMatchingNoteShows) {
    const qint64 dining = category("Dining");
    note(TicklerFrom::Category, dining, "2026/03/04", "2026/03/06", "SunMonTueWedThuFriSat",
         "Patio works");
    note(TicklerFrom::Category, dining, "2026/03/02", "2026/03/04", "Wed", "Wine tasting");
    note(TicklerFrom::Contact, 7, "2026/03/02", "2026/03/02", "Mon", "Call back");
    EXPECT_TRUE(on(TicklerFrom::Category, dining, Monday.addDays(1)).isEmpty());
    EXPECT_EQ(on(TicklerFrom::Category, dining, Monday.addDays(2)),
              QStringList({"Wine tasting", "Patio works"}));
    EXPECT_EQ(on(TicklerFrom::Category, dining, Monday.addDays(4)), QStringList{"Patio works"});
    EXPECT_TRUE(on(TicklerFrom::Category, dining, Monday.addDays(5)).isEmpty());
    EXPECT_EQ(GetContactTicklers(env.db(), 7, "2026/03/02"), QStringList{"Call back"});
    EXPECT_TRUE(GetContactTicklers(env.db(), 7, "2026/03/09").isEmpty());
}

TEST_F(Ticklers, WeekdayMaskAndNamesFollowTheWeekFromSunday) {
    struct Case {
        const char* mask;
        const char* days;
    };
    const Case cases[] = {
        {"0101010", "MonWedFri"}, {"1000001", "SunSat"}, {"1111111", "SunMonTueWedThuFriSat"},
        {"0000000", ""},          {"0010000", "Tue"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DaysFromMask(c.mask), c.days) << c.mask;
        EXPECT_EQ(MaskFromDays(c.days), c.mask) << c.days;
    }
    const QStringList names = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(TicklerDayName(Monday.addDays(i - 1)), names[i]);
}

TEST_F(Ticklers, ValidationRefusesInOrderAndStoresAnOpenEndAsTheLastDay) {
    struct Case {
        TypedTickler typed;
        QString refusal;
    };
    const Case cases[] = {
        {{"", "", "0000000", ""}, MsgTicklerStart},
        {{"02/30/2026", "", "0100000", "Note"}, MsgTicklerStart},
        {{"", "03/09/2026", "0100000", "Note"}, MsgTicklerStart},
        {{"03/02/2026", "xx", "0000000", ""}, MsgTicklerDays},
        {{"03/02/2026", "xx", "0100000", "   "}, MsgTicklerMessage},
        {{"03/02/2026", "13/01/2026", "0100000", "Note"}, MsgTicklerThrough},
        {{"03/02/2026", "03/01/2026", "0100000", "Note"}, MsgTicklerOrder},
        {{"03/02/2026", "03/02/2026", "0100000", "Note"}, ""},
        {{"03/02/2026", "", "0100000", "Note"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckTickler(c.typed), c.refusal)
            << c.typed.startingDate.toStdString() << " " << c.typed.throughDate.toStdString();

    const TicklerNote open = StoredTickler({"3/2/2026", " ", "0101010", "Note"});
    EXPECT_EQ(open.startingDate, "2026/03/02");
    EXPECT_EQ(open.throughDate, "9999/12/31");
    EXPECT_EQ(open.daysOfWeek, "MonWedFri");
    EXPECT_EQ(StoredTickler({"03/02/2026", "04/30/2026", "1000000", "N"}).throughDate,
              "2026/04/30");
}

TEST_F(Ticklers, SaveUpdateAndDeleteKeepTheStoredForms) {
    const qint64 dining = category("Dining");
    TicklerNote n = StoredTickler({"03/09/2026", "", "0101010", "Say \"hello\" | smile"});
    n.fromType = TicklerFrom::Category;
    n.fromId = dining;
    const qint64 id = SaveTickler(env.db(), n);
    ASSERT_GT(id, 0);
    const auto row = env.db().queryOne("SELECT * FROM [TicklerNotes] WHERE [TicklerID] = ?", {id});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text("FromType"), "L");
    EXPECT_EQ(row->number("FromID"), dining);
    EXPECT_EQ(row->text("TDayOfWeek"), "MonWedFri");
    EXPECT_EQ(row->text("ThroughDate"), "9999/12/31");
    EXPECT_EQ(row->text("TMessage"), "Say 'hello' ! smile");

    // An earlier note lists first; a long text is kept to the column's width.
    note(TicklerFrom::Category, dining, "2026/03/01", "2026/03/31", "Sun", "Earlier");
    n.message = QString(300, 'x');
    n.startingDate = "2026/03/10";
    ASSERT_EQ(SaveTickler(env.db(), n), id);
    const auto listed = GetTicklers(env.db(), TicklerFrom::Category, dining);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].message, "Earlier");
    EXPECT_EQ(listed[1].id, id);
    EXPECT_EQ(listed[1].startingDate, "2026/03/10");
    EXPECT_EQ(listed[1].message, QString(255, 'x'));

    EXPECT_TRUE(DeleteTickler(env.db(), id));
    EXPECT_FALSE(DeleteTickler(env.db(), id));
    EXPECT_EQ(SaveTickler(env.db(), n), 0) << "a note deleted elsewhere is not brought back";
    EXPECT_EQ(GetTicklers(env.db(), TicklerFrom::Category, dining).size(), 1u);
}

TEST_F(Ticklers, NewDayPurgesNotesEndedMoreThanFifteenDaysAgoAndDeletingTheCategoryTakesItsOwn) {
    const qint64 dining = category("Dining");
    const qint64 spa = category("Spa");
    const QDate today = env.clock.today();
    const auto stored = [](const QDate& d) { return Formats::StoredDate(d); };
    note(TicklerFrom::Category, dining, "2026/01/01", stored(today.addDays(-16)), "Mon", "Gone");
    note(TicklerFrom::Category, dining, "2026/01/01", stored(today.addDays(-15)), "Mon", "Kept");
    note(TicklerFrom::Category, dining, "2026/01/01", OpenThroughDate, "Mon", "Open");
    note(TicklerFrom::Category, spa, "2026/01/01", OpenThroughDate, "Mon", "Spa");
    env.db().exec("UPDATE [Authorization] SET [DailyDate] = ?", {stored(today.addDays(-1))});
    ASSERT_TRUE(RunStartOfDay(*env.ctx));
    QStringList left;
    for (const TicklerNote& n : GetTicklers(env.db(), TicklerFrom::Category, dining))
        left << n.message;
    left.sort();
    EXPECT_EQ(left, QStringList({"Kept", "Open"}));

    DeleteCategory(*env.ctx, dining);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [TicklerNotes]"), 1);
    EXPECT_EQ(GetTicklers(env.db(), TicklerFrom::Category, spa).size(), 1u);
}

TEST_F(Ticklers, ScreenAddsChangesAndDeletesNotesByItsControls) {
    EnsureApplication();
    const qint64 dining = category("Dining");
    frmTickler screen(*env.ctx, TicklerFrom::Category, dining, "Dining");
    EXPECT_EQ(screen.windowTitle(), "Logbook Category - Dining");
    auto* grid = control<DataGrid>(screen, "grdTicklers");
    auto* start = control<QLineEdit>(screen, "txtStartingDate");
    auto* message = control<QLineEdit>(screen, "txtMessage");

    // Refused in order, nothing stored.
    click(screen, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgTicklerStart);
    QTest::keyClicks(start, "03/02/2026");
    click(screen, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgTicklerDays);
    for (const char* day : {"chkMon", "chkWed", "chkFri"})
        control<QCheckBox>(screen, day)->click();
    click(screen, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgTicklerMessage);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [TicklerNotes]"), 0);

    QTest::keyClicks(message, "Chef away");
    click(screen, "cmdSave");
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->cell(0, 0), "03/02/2026");
    EXPECT_EQ(grid->cell(0, 1), "12/31/9999");
    EXPECT_EQ(grid->cell(0, 2), "MonWedFri");
    EXPECT_EQ(grid->cell(0, 3), "Chef away");
    EXPECT_TRUE(start->text().isEmpty()) << "the boxes are ready for the next note";
    EXPECT_EQ(on(TicklerFrom::Category, dining, Monday.addDays(2)), QStringList{"Chef away"});

    // A chosen note comes back into the boxes and is changed in place.
    grid->selectKey(grid->keyAt(0));
    EXPECT_EQ(start->text(), "03/02/2026");
    EXPECT_TRUE(control<QLineEdit>(screen, "txtThroughDate")->text().isEmpty());
    EXPECT_TRUE(control<QCheckBox>(screen, "chkWed")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(screen, "chkTue")->isChecked());
    control<QCheckBox>(screen, "chkWed")->click();
    control<QLineEdit>(screen, "txtThroughDate")->setText("03/31/2026");
    click(screen, "cmdSave");
    const auto changed = GetTicklers(env.db(), TicklerFrom::Category, dining);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].daysOfWeek, "MonFri");
    EXPECT_EQ(changed[0].throughDate, "2026/03/31");

    // Delete: nothing chosen, then No, then Yes.
    click(screen, "cmdNew");
    click(screen, "cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgTicklerSelect);
    grid->selectKey(grid->keyAt(0));
    env.prompt.answer(Answer::No);
    click(screen, "cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgTicklerDelete);
    EXPECT_EQ(grid->rowCount(), 1);
    env.prompt.answer(Answer::Yes);
    click(screen, "cmdDelete");
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [TicklerNotes]"), 0);
}

TEST_F(Ticklers, MainWindowOpensTheScreenForACategoryAndAContact) {
    EnsureApplication();
    category("Dining");
    Contact c;
    c.name = "Trattoria Roma";
    const qint64 contactId = InsertContact(*env.ctx, c);
    InstallModuleHooks(*env.ctx);
    frmSearch window(*env.ctx);
    InstallModules(*env.ctx, window);
    // The categories page stands on the Administration tab.
    const QString tabs = RightsColumn(RightsArea::Tabs);
    env.db().exec("UPDATE [ConciergePlus] SET [" + tabs + "] = ? WHERE [ConciergeID] = ?",
                  {ManagerRights(RightsArea::Tabs), staffId});
    env.ctx->session.clear();
    window.setLogonHandler([this] {
        env.logOn(staffId);
        return true;
    });
    window.Logon();
    auto* module = window.findChild<LogbookModule*>("LogbookModule");
    ASSERT_TRUE(module);
    LogbookCategoriesPage* page = module->categories;

    click(*page, "cmdTickler");
    EXPECT_EQ(env.prompt.last(),
              "Please select the Logbook Category whose Tickler Notes you wish to work with.");
    page->lstCategories->setCurrentRow(0);
    QString caption;
    onTicklerScreen([&](frmTickler& s) { caption = s.windowTitle(); });
    click(*page, "cmdTickler");
    EXPECT_EQ(caption, "Logbook Category - Dining");

    // The contact screen's reminder icon needs the status-message right.
    const QString contacts = RightsColumn(RightsArea::Contacts);
    const auto setStatusRight = [&](bool allowed) {
        env.db().exec("UPDATE [ConciergePlus] SET [" + contacts + "] = ? WHERE [ConciergeID] = ?",
                      {SetRightChar(ManagerRights(RightsArea::Contacts),
                                    Rights::ContactsStatusMessages.position, allowed),
                       staffId});
    };
    setStatusRight(false);
    frmContactForm form(*env.ctx, contactId, &window);
    click(form, "imgReminder");
    EXPECT_EQ(env.prompt.last(), MsgStatusMessagesRight);
    setStatusRight(true);
    onTicklerScreen([&](frmTickler& s) {
        caption = s.windowTitle();
        control<QLineEdit>(s, "txtStartingDate")->setText("03/02/2026");
        control<QCheckBox>(s, "chkMon")->click();
        control<QLineEdit>(s, "txtMessage")->setText("Ask for Marco");
        click(s, "cmdSave");
    });
    click(form, "imgReminder");
    EXPECT_EQ(screensOpened, 2);
    EXPECT_EQ(caption, "Contact Named - Trattoria Roma");
    EXPECT_EQ(GetContactTicklers(env.db(), contactId, "2026/03/09"), QStringList{"Ask for Marco"});
    EXPECT_TRUE(GetCategoryTicklers(env.db(), contactId, "2026/03/09").isEmpty());
}

TEST_F(Ticklers, EntryScreenShowsTheNotesOfItsCategoryAndContactOnTheirWeekdaysOnly) {
    EnsureApplication();
    const qint64 dining = category("Dining");
    category("Spa");
    Contact c;
    c.name = "Trattoria Roma";
    const qint64 contactId = InsertContact(*env.ctx, c);
    note(TicklerFrom::Category, dining, "2026/03/02", OpenThroughDate, "MonWedFri", "Chef away");
    note(TicklerFrom::Contact, contactId, "2026/03/02", OpenThroughDate, "Wed", "Ask for Marco");
    InstallModuleHooks(*env.ctx);
    frmSearch window(*env.ctx);
    InstallModules(*env.ctx, window);
    auto* module = window.findChild<LogbookModule*>("LogbookModule");
    ASSERT_TRUE(module);

    struct Case {
        const char* category;
        const char* referDate;
        const char* categoryNotes;
        const char* contactNotes;
    };
    const Case cases[] = {
        {"Dining", "2026/03/04", "Chef away", "Ask for Marco"}, // Wednesday
        {"Dining", "2026/03/06", "Chef away", ""},              // Friday
        {"Dining", "2026/03/03", "", ""},                       // Tuesday
        {"Dining", "2026/02/27", "", ""},                       // a Friday before the start
        {"Spa", "2026/03/04", "", "Ask for Marco"},             // another category
    };
    for (const Case& k : cases) {
        LogEntry prefill;
        prefill.lastName = "Smith";
        prefill.entryType = k.category;
        prefill.referDate = k.referDate;
        prefill.contactId = contactId;
        std::unique_ptr<frmLogbook> f(module->openNewEntry(prefill));
        ASSERT_TRUE(f) << env.prompt.texts().join("|").toStdString();
        const std::string which = std::string(k.category) + " " + k.referDate;
        EXPECT_EQ(control<QLabel>(*f, "lblTNotes")->text(), k.categoryNotes) << which;
        EXPECT_EQ(control<QLabel>(*f, "picContactFrame")->text(), k.contactNotes) << which;
        const bool anyNote = *k.categoryNotes || *k.contactNotes;
        EXPECT_EQ(control(*f, "cmdOK")->isVisibleTo(f.get()), anyNote) << which;
    }

    // Another category leaves the contact's unread note waiting for its <OK>.
    LogEntry prefill;
    prefill.lastName = "Smith";
    prefill.entryType = "Dining";
    prefill.referDate = "2026/03/04";
    prefill.contactId = contactId;
    std::unique_ptr<frmLogbook> f(module->openNewEntry(prefill));
    ASSERT_TRUE(f);
    control<QComboBox>(*f, "cboTypes")->setCurrentText("Spa");
    EXPECT_EQ(control<QLabel>(*f, "lblTNotes")->text(), "");
    EXPECT_TRUE(control(*f, "cmdOK")->isVisibleTo(f.get()));
    EXPECT_FALSE(save(*f));
    EXPECT_TRUE(env.prompt.last().contains("Contact Status Message"));
    click(*f, "cmdOK");
    EXPECT_TRUE(save(*f)) << env.prompt.texts().join("|").toStdString();
}

} // namespace

TEST_F(Ticklers, EntryScreenFollowsTheReferenceDateAndShowsTheNotesOfASavedEntry) {
    EnsureApplication();
    const qint64 dining = category("Dining");
    note(TicklerFrom::Category, dining, "2026/03/02", OpenThroughDate, "MonWedFri", "Chef away");
    const qint64 wednesday = add(entry("Jones", "Dining", "2026/03/04"));
    const qint64 tuesday = add(entry("Brown", "Dining", "2026/03/03"));
    InstallModuleHooks(*env.ctx);
    frmSearch window(*env.ctx);
    InstallModules(*env.ctx, window);
    auto* module = window.findChild<LogbookModule*>("LogbookModule");
    ASSERT_TRUE(module);

    // A saved entry opened on a day the note names must be acknowledged before it is saved.
    std::unique_ptr<frmLogbook> saved(module->openEntry(wednesday));
    ASSERT_TRUE(saved);
    EXPECT_EQ(control<QLabel>(*saved, "lblTNotes")->text(), "Chef away");
    EXPECT_FALSE(save(*saved));
    EXPECT_TRUE(env.prompt.last().startsWith("Please acknowledge that you have read the"));
    click(*saved, "cmdOK");
    EXPECT_TRUE(save(*saved)) << env.prompt.texts().join("|").toStdString();
    std::unique_ptr<frmLogbook> other(module->openEntry(tuesday));
    ASSERT_TRUE(other);
    EXPECT_EQ(control<QLabel>(*other, "lblTNotes")->text(), "");

    // A new entry: the note comes and goes with the reference date typed.
    LogEntry prefill;
    prefill.lastName = "Smith";
    prefill.entryType = "Dining";
    prefill.referDate = "2026/03/03";
    std::unique_ptr<frmLogbook> f(module->openNewEntry(prefill));
    ASSERT_TRUE(f);
    auto* reference = control<QLineEdit>(*f, "txtSelect_0");
    const auto typeDate = [&](const QString& shortDate) {
        reference->setText(shortDate);
        QTest::keyClick(reference, Qt::Key_Return);
        return control<QLabel>(*f, "lblTNotes")->text();
    };
    EXPECT_EQ(control<QLabel>(*f, "lblTNotes")->text(), "");
    EXPECT_EQ(typeDate("03/06/2026"), "Chef away");
    EXPECT_EQ(typeDate("03/07/2026"), "");
}
