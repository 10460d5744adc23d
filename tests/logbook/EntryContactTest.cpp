// The entry screen's contact: chosen through the hooks the Contacts page
// installs, shown with its address, directions and guest information, stored
// with the entry.

#include "LogbookFixture.h"

#include "app/forms/frmSearch.h"
#include "core/LongText.h"
#include "guests/ContactSearch.h"
#include "guests/forms/ContactsPageModule.h"
#include "guests/forms/ContactsPanel.h"
#include "logbook/forms/DesignFieldsPanel.h"
#include "logbook/forms/LogbookModule.h"
#include "platform/forms/DataGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>

using namespace vm;
using namespace vm::test;

namespace {

class EntryContact : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        EnsureApplication();
        env.db().exec("UPDATE [Concierge] SET [Authorized] = ? WHERE [ConciergeID] = ?",
                      {true, staffId});
        env.logOn(staffId);
        category("Dining");
        harbour = env.ctx->contactsDb().insert(
            "INSERT INTO [Contact] ([ContactName], [Address], [CrossStreets], [GuestInfo], "
            "[OTCuisine], [OTPrice], [KeywordSet], [CommissionType], [Ranking]) VALUES "
            "(?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {"Harbour Grill", "1 Pier Rd", "Pier and Main", "Jacket required", "Seafood", "$$$",
             "Dinner", "0", 2},
            "ContactID");
        PutECT(*env.ctx, harbour, TextKind::ContactDirections, "Walk along the pier");
    }
    qint64 storedContact(qint64 logId) {
        return env.db()
            .scalar("SELECT [ContactID] FROM [LogBook] WHERE [LogID] = ?", {logId})
            .toLongLong();
    }
    qint64 harbour = 0;
};

// Drives the picker dialog once it shows: `drive` gets it and must close it.
void WhenPickerShows(const std::function<void(QWidget&)>& drive) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, drive] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmGetContact" && w->isVisible()) {
                poll->stop();
                poll->deleteLater();
                drive(*w);
                return;
            }
    });
    poll->start();
}

} // namespace

TEST_F(EntryContact, PickingAContactShowsItMarksTheEntryAndSavesItsKey) {
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    LogbookScreenHooks hooks;
    int asked = 0;
    hooks.selectContact = [&](QWidget*) -> std::optional<qint64> {
        ++asked;
        return harbour;
    };
    frmLogbook f(*env.ctx, hooks, id);
    EXPECT_EQ(control<QLabel>(f, "lblContactName")->text(), "");
    EXPECT_TRUE(control<QPlainTextEdit>(f, "txtContactInfo")->isHidden());
    EXPECT_TRUE(control<QPushButton>(f, "cmdClearContact")->isHidden());
    EXPECT_FALSE(f.isChanged());

    click(f, "cmdPickContact");
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(f.isChanged());
    EXPECT_EQ(control<QLabel>(f, "lblContactName")->text(), "Harbour Grill, 1 Pier Rd");
    const QString info = control<QPlainTextEdit>(f, "txtContactInfo")->toPlainText();
    EXPECT_EQ(info, "Cross Streets: Pier and Main\nDirections: Walk along the pier\nGuest "
                    "Information: Jacket required\nCuisine: Seafood   Price Range: $$$");
    EXPECT_TRUE(control<QPlainTextEdit>(f, "txtContactInfo")->isReadOnly());
    ASSERT_TRUE(save(f)) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(storedContact(id), harbour);

    // Reopened, the entry shows its contact; clearing drops it.
    frmLogbook again(*env.ctx, hooks, id);
    EXPECT_EQ(control<QLabel>(again, "lblContactName")->text(), "Harbour Grill, 1 Pier Rd");
    click(again, "cmdClearContact");
    EXPECT_TRUE(again.isChanged());
    EXPECT_EQ(control<QLabel>(again, "lblContactName")->text(), "");
    ASSERT_TRUE(save(again));
    EXPECT_EQ(storedContact(id), 0);
}

TEST_F(EntryContact, WithoutThePickerOrOnAReadOnlyEntryNothingIsChosen) {
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    LogbookScreenHooks none;
    frmLogbook f(*env.ctx, none, id);
    EXPECT_TRUE(control<QPushButton>(f, "cmdPickContact")->isHidden());

    // A picker closed without a choice leaves the entry as it was.
    LogbookScreenHooks cancelled;
    cancelled.selectContact = [](QWidget*) -> std::optional<qint64> { return std::nullopt; };
    frmLogbook g(*env.ctx, cancelled, id);
    click(g, "cmdPickContact");
    EXPECT_FALSE(g.isChanged());
    EXPECT_EQ(control<QLabel>(g, "lblContactName")->text(), "");
}

TEST_F(EntryContact, ThePickerChoosesOnTheEntryAndTheDesignLineTakesTheDetails) {
    std::vector<DesignLine> lines(2);
    lines[0].label = "Restaurant:";
    lines[0].contact2DE = true; // takes the contact's details
    lines[1].label = "Guests:";
    ASSERT_EQ(SaveDesign(*env.ctx, category("Table"), lines), "");
    frmSearch w(*env.ctx);
    InstallLogbook(*env.ctx, w);
    InstallContactsPage(*env.ctx, w);
    auto* module = w.findChild<LogbookModule*>("LogbookModule");
    ASSERT_TRUE(module);
    EXPECT_TRUE(bool(module->hooks.selectContact));
    EXPECT_TRUE(bool(module->hooks.showContact));
    EXPECT_TRUE(bool(module->hooks.contactDetails));
    EXPECT_TRUE(bool(module->hooks.showMap));

    const qint64 id = add(entry("Smith", "Table", "2026/03/14"));
    std::unique_ptr<frmLogbook> f(module->openEntry(id));
    ASSERT_TRUE(f);
    WhenPickerShows([](QWidget& picker) {
        picker.findChild<QLineEdit*>("txtSearch")->setText("harb");
        picker.findChild<QPushButton*>("cmdSearch")->click();
        auto* grid = picker.findChild<DataGrid*>("grdContacts");
        grid->selectKey(grid->keyAt(0));
        picker.findChild<QPushButton*>("cmdSelect")->click();
    });
    click(*f, "cmdPickContact");
    EXPECT_EQ(control<QLabel>(*f, "lblContactName")->text(), "Harbour Grill, 1 Pier Rd");
    EXPECT_EQ(f->findChild<DesignFieldsPanel*>()->values().value(0), "Harbour Grill, 1 Pier Rd");
    ASSERT_TRUE(save(*f)) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(storedContact(id), harbour);
}

TEST_F(EntryContact, TheLanguageComboSetsTheSessionAndClearsTheContactList) {
    frmSearch w(*env.ctx);
    InstallLogbook(*env.ctx, w);
    InstallContactsPage(*env.ctx, w);
    auto* combo = w.findChild<QComboBox*>("cboWorkLanguage");
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->count(), 7);
    EXPECT_EQ(combo->itemText(6), "User Defined");
    auto* panel = w.tabPage("Contacts")->findChild<ContactsPanel*>();
    ASSERT_TRUE(panel);
    panel->cboSelectBy->setCurrentText("All Contacts");
    panel->cmdSearch->click();
    EXPECT_EQ(panel->grdContacts->rowCount(), 1);

    combo->setCurrentText("French");
    EXPECT_EQ(env.ctx->session.language, 1);
    EXPECT_EQ(panel->grdContacts->rowCount(), 0);
    panel->cmdSearch->click();
    EXPECT_EQ(panel->grdContacts->rowCount(), 0);
    EXPECT_EQ(panel->lblCount->text(), " 0 Entries were selected.");
    combo->setCurrentText("English");
    panel->cmdSearch->click();
    EXPECT_EQ(panel->grdContacts->rowCount(), 1);
}
