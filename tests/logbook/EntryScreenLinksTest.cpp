#include "LogbookFixture.h"

#include "core/Rights.h"
#include "core/Settings.h"
#include "guests/DocumentLinks.h"
#include "logbook/DesignText.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/DesignFieldsPanel.h"
#include "logbook/forms/LogbookCategoriesPage.h"
#include "logbook/forms/LogbookPanel.h"
#include "logbook/forms/frmDesignEdit.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/WidgetPrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

using namespace vm;
using namespace vm::test;

class EntryScreenLinks : public LogbookFixture {
protected:
    // "Dining" with three designed lines; the second takes numbers only, the
    // third a contact's details.
    qint64 diningWithDesign() {
        const qint64 id = category("Dining");
        const QString sql = "INSERT INTO [DEDesign] ([LogTypeID], [SequenceNo], [LabelText], "
                            "[EncryptThis], [DoNotPrint], [ResortClubLocked], [Contact2DE]) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?)";
        env.db().exec(sql, {id, 1, "Restaurant:", false, false, false, false});
        env.db().exec(sql, {id, 2, "Party Size:", true, false, false, false});
        env.db().exec(sql, {id, 3, "Contact:", false, false, false, true});
        return id;
    }
    static QString stored(const frmLogbook& f) {
        return ToStoredText(control<QPlainTextEdit>(f, "txtLogEntry")->toPlainText());
    }
    static DesignFieldsPanel* customForm(const frmLogbook& f) {
        return control<DesignFieldsPanel>(f, "grpCustomForm");
    }
    static QComboBox* types(const frmLogbook& f) { return control<QComboBox>(f, "cboTypes"); }
    LogbookScreenHooks hooks;
};

TEST_F(EntryScreenLinks, CustomFormFieldsWriteTheirLinesAndFollowTheText) {
    diningWithDesign();
    category("Spa");
    frmLogbook f(*env.ctx, hooks, 0);
    DesignFieldsPanel* form = customForm(f);
    types(f)->setCurrentText("Spa");
    EXPECT_FALSE(form->isVisibleTo(&f));
    types(f)->setCurrentText("Dining");
    ASSERT_TRUE(form->isVisibleTo(&f));
    EXPECT_EQ(form->lblLabel[1]->text(), "Party Size:");
    EXPECT_FALSE(form->txtTextBox[3]->isVisibleTo(&f));

    QTest::keyClicks(form->txtTextBox[0], "Harbour Grill");
    EXPECT_EQ(stored(f), "Restaurant: Harbour Grill\r\nParty Size: \r\nContact: \r\n");
    // A numbers-only line refuses a letter with the eight-line message and keeps the digits.
    QTest::keyClicks(form->txtTextBox[1], "4x");
    EXPECT_EQ(env.prompt.last().split("\r\n").first(),
              "This field must contain ONLY NUMBERS (0-9) or");
    EXPECT_EQ(form->txtTextBox[1]->text(), "4");
    // Editing the text moves the field.
    control<QPlainTextEdit>(f, "txtLogEntry")
        ->setPlainText(ToDisplayText("Restaurant: The Pier\r\nParty Size: 4\r\nContact: "
                                     "\r\nWindow table"));
    EXPECT_EQ(form->txtTextBox[0]->text(), "The Pier");

    control<QLineEdit>(f, "txtLastName")->setText("Smith");
    ASSERT_TRUE(save(f)) << env.prompt.texts().join("|").toStdString();
    const QString saved = store().GetTheLogEntry(f.logId())->text;
    EXPECT_EQ(ReadDesignValue(saved, "Party Size:"), "4");
    EXPECT_TRUE(saved.startsWith("Restaurant: The Pier\r\n"));

    frmLogbook again(*env.ctx, hooks, f.logId());
    EXPECT_EQ(customForm(again)->values(), (QStringList{"The Pier", "4", ""}));
    EXPECT_FALSE(again.isChanged());
}

TEST_F(EntryScreenLinks, RepeatKeepsGuestCategoryAndFieldsButNotNotesCardOrStatus) {
    diningWithDesign();
    LogEntry e = entry("Smith", "Dining", "2026/03/14",
                       "Restaurant: Pier\r\nParty Size: 4\r\nContact: \r\nLoud table");
    e.complete = true;
    e.openTableId = 77;
    e.contactId = 5;
    e.notified = "Phone";
    const qint64 id = add(e);
    hooks.reservationContact = [](qint64 openTableId) { return openTableId == 77 ? 12 : 0; };
    frmLogbook f(*env.ctx, hooks, id);
    click(f, "cmdClone");
    EXPECT_EQ(f.logId(), 0);
    EXPECT_EQ(control<QLabel>(f, "lblLogBookID")->text(), "0");
    EXPECT_EQ(control<QLineEdit>(f, "txtLastName")->text(), "Smith");
    EXPECT_EQ(types(f)->currentText(), "Dining");
    EXPECT_EQ(stored(f), "Restaurant: Pier\r\nParty Size: 4\r\nContact: \r\n");
    EXPECT_FALSE(control<QCheckBox>(f, "chkComplete")->isChecked());
    EXPECT_EQ(control<QComboBox>(f, "cboNotified")->currentText(), "");
    EXPECT_EQ(control<QLabel>(f, "lblOpenTableID")->text(), "0");
    EXPECT_EQ(f.entry().contactId, 12); // the reservation's restaurant
    EXPECT_TRUE(f.isChanged());
    ASSERT_TRUE(save(f)) << env.prompt.texts().join("|").toStdString();
    EXPECT_NE(f.logId(), id);
    EXPECT_TRUE(store().GetTheLogEntry(id)->complete); // the original is untouched
}

TEST_F(EntryScreenLinks, ContactDetailsFillTheirLineAndContactNotesMustBeAcknowledged) {
    diningWithDesign();
    hooks.contactDetails = [](qint64 id) {
        return id == 9 ? QString("Harbour Grill, 1 Quay") : QString();
    };
    hooks.contactTicklers = [](qint64 id, const QString& date) {
        return id == 9 && date == "2026/03/14" ? QStringList{"Closed for lunch today"}
                                               : QStringList{};
    };
    frmLogbook f(*env.ctx, hooks, 0);
    LogEntry values;
    values.contactId = 9;
    values.lastName = "Smith";
    values.entryType = "Dining";
    f.prefill(values);
    EXPECT_EQ(customForm(f)->values().value(2), "Harbour Grill, 1 Quay");
    EXPECT_EQ(control<QLabel>(f, "picContactFrame")->text(), "Closed for lunch today");
    EXPECT_FALSE(save(f));
    EXPECT_TRUE(env.prompt.last().contains("Contact Status Message"));
    click(f, "cmdOK");
    EXPECT_TRUE(save(f)) << env.prompt.texts().join("|").toStdString();
}

TEST_F(EntryScreenLinks, ActionsWithoutTheirModuleOrRightSaySo) {
    category("Dining");
    LogEntry e = entry("Smith", "Dining", "2026/03/14");
    const qint64 id = add(e);
    frmLogbook f(*env.ctx, hooks, id);

    grant(11, false);
    click(f, "cmdExport");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Export Logbook Information.");
    grant(11, true);
    QString exported;
    hooks.openExport = [&exported](const QString& category, QWidget*) { exported = category; };
    click(f, "cmdExport");
    EXPECT_EQ(exported, "Dining");

    click(f, "imgMap");
    EXPECT_EQ(env.prompt.last(), "This Logbook Entry has no contact to show on a map.");

    grant(10, false);
    click(f, "imgOpenTable");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Work with Reservations.");
    grant(10, true);
    click(f, "imgOpenTable");
    EXPECT_TRUE(env.prompt.last().contains("not installed"));
}

TEST_F(EntryScreenLinks, LinkedDocumentsNeedASavedEntryAndListTheEntrysLinks) {
    category("Dining");
    frmLogbook fresh(*env.ctx, hooks, 0);
    click(fresh, "cmdDocLink");
    EXPECT_EQ(env.prompt.last(),
              "Please save the Logbook Entry before adding Linked Documents, thank you.");

    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    DocumentLink menu;
    menu.ownerId = id;
    menu.sourceType = "L";
    menu.description = "Menu";
    menu.fileName = "https://example.org/menu.pdf";
    InsertCDocument(*env.ctx, menu);
    DocumentLink other = menu;
    other.ownerId = id + 1;
    other.description = "Someone else's";
    InsertCDocument(*env.ctx, other);

    frmLogbook f(*env.ctx, hooks, id);
    const auto* documents = control<DataGrid>(f, "grdDocument");
    ASSERT_EQ(documents->rowCount(), 1);
    EXPECT_EQ(documents->cell(0, 0), "Menu");
}

TEST_F(EntryScreenLinks, SpellingOfACorrectNoteIsCompleteAtOnce) {
    category("Dining");
    frmLogbook f(*env.ctx, hooks, 0);
    auto* note = control<QPlainTextEdit>(f, "txtDescription");
    note->setPlainText("The guest would like a table");
    click(f, "cmdSpellCheck");
    EXPECT_EQ(env.prompt.last(), "The spelling check is complete.");
    EXPECT_EQ(note->toPlainText(), "The guest would like a table");
}

TEST_F(EntryScreenLinks, PagePrintsConfirmationsOnlyForCompleteOrPendingSelectedEntries) {
    category("Dining");
    LogEntry open = entry("Ames", "Dining", "2026/03/14");
    LogEntry done = entry("Bell", "Dining", "2026/03/14");
    done.complete = true;
    LogEntry waiting = entry("Cole", "Dining", "2026/03/14");
    waiting.pending = true;
    LogEntry dropped = entry("Dunn", "Dining", "2026/03/14");
    dropped.pending = dropped.cancelled = true;
    const qint64 a = add(open), b = add(done), c = add(waiting), d = add(dropped);
    LogbookPanel p(*env.ctx, hooks);
    p.refreshCategories();
    click(p, "cmdToday");
    ASSERT_EQ(p.grdLogbook->rowCount(), 4);

    QTest::mouseClick(p.cmdConfirmations, Qt::LeftButton);
    EXPECT_TRUE(env.prompt.last().startsWith("Please select the Complete or Pending"));
    p.grdLogbook->selectAll();
    std::vector<qint64> printed;
    QString document;
    hooks.printEntries = [&](const std::vector<qint64>& ids, const QString& doc, LogSource,
                             QWidget*) {
        printed = ids;
        document = doc;
    };
    QTest::mouseClick(p.cmdConfirmations, Qt::LeftButton);
    EXPECT_EQ(printed, (std::vector<qint64>{b, c}));
    EXPECT_EQ(document, "Confirmation");
    Q_UNUSED(a);
    Q_UNUSED(d);

    grant(3, false);
    QTest::mouseClick(p.cmdConfirmations, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), "You are not authorized to print Guest Confirmations.");
    grant(4, false);
    QTest::mouseClick(p.cmdItinerary, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), "You are not authorized to print Guest Itineraries.");

    std::vector<qint64> listed;
    hooks.printLogbookList = [&](const std::vector<qint64>& ids, bool, QWidget*) { listed = ids; };
    QTest::mouseClick(p.cmdPrintList, Qt::LeftButton);
    EXPECT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed.front(), p.grdLogbook->keyAt(0));
}

TEST_F(EntryScreenLinks, ProfileOpensWithItsRightsAndDeselectKeepsTheGroup) {
    category("Dining");
    LogEntry e = entry("Smith", "Dining", "2026/03/14");
    e.profileId = 31;
    const qint64 id = add(e);
    qint64 opened = 0;
    bool editable = true;
    hooks.showProfile = [&](qint64 profileId, bool mayEdit, QWidget*) {
        opened = profileId;
        editable = mayEdit;
    };
    frmLogbook f(*env.ctx, hooks, id);
    grant(6, false);
    click(f, "cmdShowProfile");
    EXPECT_EQ(env.prompt.last(), MsgLinkProfile);
    EXPECT_EQ(opened, 0);
    grant(6, true);
    grant(7, false);
    click(f, "cmdShowProfile");
    EXPECT_EQ(opened, 31);
    EXPECT_FALSE(editable);

    grant(9, false);
    click(f, "cmdDeselectProfile");
    EXPECT_EQ(env.prompt.last(), MsgDeselectProfile);
    EXPECT_EQ(f.entry().profileId, 31);
    EXPECT_TRUE(control(f, "lblProfiled")->isVisibleTo(&f));
    grant(9, true);
    click(f, "cmdDeselectProfile");
    EXPECT_EQ(env.prompt.last(), MsgDeselectKeepsGroup);
    EXPECT_EQ(f.entry().profileId, 0);
    EXPECT_FALSE(control(f, "lblProfiled")->isVisibleTo(&f));
    ASSERT_TRUE(save(f)) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(store().GetTheLogEntry(id)->profileId, 0);
}

TEST_F(EntryScreenLinks, TypingWaitsForTheStatusMessageAndF10NeedsTheLimousineSwitch) {
    category("Dining");
    hooks.categoryTicklers = [](qint64, const QString&) { return QStringList{"Chef away"}; };
    frmLogbook f(*env.ctx, hooks, 0);
    types(f)->setCurrentText("Dining");
    auto* note = control<QPlainTextEdit>(f, "txtDescription");
    QTest::keyClicks(note, "x");
    EXPECT_EQ(env.prompt.last(), MsgAcknowledgeCategoryFirst);
    EXPECT_EQ(note->toPlainText(), "");
    click(f, "cmdOK");
    QTest::keyClicks(note, "x");
    EXPECT_EQ(note->toPlainText(), "x");

    int limo = 0;
    hooks.limoBillingCodes = [&limo](qint64, QWidget*) { ++limo; };
    QShortcut* f10 = nullptr;
    for (QShortcut* s : f.findChildren<QShortcut*>())
        if (s->key() == QKeySequence(Qt::Key_F10)) f10 = s;
    ASSERT_NE(f10, nullptr);
    Q_EMIT f10->activated();
    EXPECT_EQ(limo, 0); // the interface is off by default
    SetValueFromKey(env.db(), "OdsLimoInterface", "true");
    Q_EMIT f10->activated();
    EXPECT_EQ(limo, 1);
}

TEST_F(EntryScreenLinks, ADesignMadeOnTheCategoriesPageShowsOnTheEntryScreen) {
    category("Dining");
    LogbookCategoriesPage page(*env.ctx);
    page.refresh();
    page.lstCategories->setCurrentRow(0);
    QTimer::singleShot(0, &page, [&page] {
        auto* editor = page.findChild<frmDesignEdit*>();
        ASSERT_NE(editor, nullptr);
        for (const char* label : {"Restaurant", "Party Size"}) {
            control<QLineEdit>(*editor, "txtLabel")->setText(label);
            click(*editor, "cmdAdd");
        }
        click(*editor, "cmdSave");
        EXPECT_TRUE(editor->designSaved());
        click(*editor, "cmdClose");
    });
    click(page, "cmdDesign");

    frmLogbook f(*env.ctx, hooks, 0);
    types(f)->setCurrentText("Dining");
    ASSERT_TRUE(customForm(f)->isVisibleTo(&f));
    EXPECT_EQ(customForm(f)->lblLabel[0]->text(), "Restaurant:");
    EXPECT_EQ(customForm(f)->lblLabel[1]->text(), "Party Size:");
}
