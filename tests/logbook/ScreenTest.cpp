#include "LogbookFixture.h"

#include "core/Settings.h"

#include "logbook/EntryRules.h"
#include "logbook/forms/LogbookCategoriesPage.h"
#include "logbook/forms/LogbookPanel.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace vm;
using namespace vm::test;

class LogbookScreens : public LogbookFixture {
protected:
    std::unique_ptr<LogbookPanel> panel() {
        auto p = std::make_unique<LogbookPanel>(*env.ctx, hooks);
        p->refreshCategories();
        return p;
    }
    static void fillNew(frmLogbook& f, const QString& category, const QString& last,
                        const QString& note) {
        f.cboTypes->setCurrentText(category);
        f.txtLastName->setText(last);
        QTest::keyClicks(f.txtFirstName, "Pat");
        f.txtDescription->setPlainText(note);
    }
    LogbookHooks hooks;
};

TEST_F(LogbookScreens, ConciergeAddsLongEntryFindsItColouredAndCompletesIt) {
    category("Dining");
    auto p = panel();
    std::unique_ptr<frmLogbook> f(p->cmdAddLogbook_Click());
    ASSERT_TRUE(f);
    EXPECT_EQ(f->lblLogBookID->text(), "0");
    EXPECT_EQ(f->txtSelect[0]->text(), "03/14/2026"); // today as reference date
    const QString note = QString("Dinner for four at the harbour, window table. ").repeated(16);
    ASSERT_GT(note.size(), 700);
    fillNew(*f, "Dining", "O'Hara", note);
    QTest::keyClicks(f->txtReferTime, "1930");
    QTest::mouseClick(f->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();
    const qint64 id = f->lblLogBookID->text().toLongLong();
    ASSERT_GT(id, 0);
    EXPECT_EQ(f->txtDescription->toPlainText(), "");
    EXPECT_EQ(f->txtLogEntry->toPlainText(), note.trimmed() + " (AD 2026/03/14 09:30)");
    EXPECT_FALSE(f->isChanged());

    // The new row shows in the list in the incomplete colour.
    ASSERT_EQ(p->grdLogbook->rowCount(), 1);
    EXPECT_EQ(p->grdLogbook->cell(0, ColLastName), "O'Hara");
    EXPECT_EQ(p->grdLogbook->cell(0, ColReferTime), "19:30");
    EXPECT_EQ(p->grdLogbook->cell(0, ColText), note.trimmed() + " (AD 2026/03/14 09:30)");
    EXPECT_EQ(p->grdLogbook->foreground(0),
              DataGrid::colorFromSetting(env.ctx->globals.gridColors.get("IncompleteForeColor")));
    EXPECT_EQ(p->lblCount->text(), "1 Entries were selected");
    f.reset();

    // Reopened from the list, marked complete, saved: history and colour follow.
    p->cmdToday_Click();
    ASSERT_EQ(p->grdLogbook->rowCount(), 1);
    std::unique_ptr<frmLogbook> again(p->openEntry(p->grdLogbook->keyAt(0)));
    EXPECT_EQ(again->txtLastName->text(), "O'Hara");
    again->chkComplete->click();
    EXPECT_TRUE(again->isChanged());
    ASSERT_TRUE(again->cmdSave_Click());
    EXPECT_EQ(again->grdHistory->rowCount(), 1);
    EXPECT_EQ(again->grdHistory->cell(0, 2), ReasonUpdated);
    EXPECT_TRUE(store().GetTheLogEntry(id)->complete);
    EXPECT_EQ(p->grdLogbook->foreground(0),
              DataGrid::colorFromSetting(env.ctx->globals.gridColors.get("CompleteForeColor")));
    EXPECT_EQ(p->grdLogbook->background(0),
              DataGrid::colorFromSetting(env.ctx->globals.gridColors.get("CompleteBackColor")));

    again->chkCancelled->click();
    EXPECT_FALSE(again->chkComplete->isChecked());
    ASSERT_TRUE(again->cmdSave_Click());
    EXPECT_EQ(again->grdHistory->rowCount(), 3);
    EXPECT_EQ(p->grdLogbook->cell(0, ColLastName), "O'Hara  (CXL)");
}

TEST_F(LogbookScreens, DayLimitWarnsButTheExtraEntryIsSaved) {
    category("Spa", false, false, 2);
    add(entry("One", "Spa", "2026/03/14"));
    add(entry("Two", "Spa", "2026/03/14"));
    frmLogbook f(*env.ctx, hooks, 0);
    fillNew(f, "Spa", "Three", "massage");
    EXPECT_TRUE(env.prompt.saw("There are a maximum of 2 entries for Spa on this date.  We have "
                               "already logged 2 entries."));
    ASSERT_TRUE(f.cmdSave_Click());
    EXPECT_EQ(store().CountTypeEntriesOnDate("2026/03/14", "Spa"), 3);
}

TEST_F(LogbookScreens, RestrictedMemberSeesOnlyRestrictedCategories) {
    category("Public");
    category("Backroom", true);
    const qint64 rae = env.addStaff("Rae Temp", "rae", "RT", false, true);
    env.logOn(rae);
    frmLogbook f(*env.ctx, hooks, 0);
    QStringList shown;
    for (int i = 0; i < f.cboTypes->count(); ++i)
        shown << f.cboTypes->itemText(i);
    EXPECT_EQ(shown, QStringList({"", "Backroom"}));
    auto p = panel();
    EXPECT_EQ(p->cboCategory->findText("Public"), -1);
}

TEST_F(LogbookScreens, ValidationMessagesStopTheSave) {
    category("Dining");
    frmLogbook f(*env.ctx, hooks, 0);
    f.txtDescription->setPlainText("call ~~~ back");
    f.cboTypes->setCurrentText("Dining");
    EXPECT_FALSE(f.cmdSave_Click());
    EXPECT_EQ(env.prompt.last(), MsgSeparator);
    f.txtDescription->setPlainText("call back");
    f.cboTypes->setCurrentIndex(0);
    EXPECT_FALSE(f.cmdSave_Click());
    EXPECT_EQ(env.prompt.last(), MsgNoType);
    f.cboTypes->setCurrentText("Dining");
    f.txtReferTime->setText("25:00");
    EXPECT_FALSE(f.cmdSave_Click());
    EXPECT_EQ(env.prompt.shown.last().title, InvalidReferTimeTitle);
    EXPECT_EQ(f.logId(), 0);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogBook]"), 0);
}

TEST_F(LogbookScreens, SecondDeskIsToldTheEntryChangedAndCanReloadKeepingItsNote) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14", "Original"));
    frmLogbook deskA(*env.ctx, hooks, id);
    frmLogbook deskB(*env.ctx, hooks, id);
    deskA.txtDescription->setPlainText("from A");
    ASSERT_TRUE(deskA.cmdSave_Click());
    deskB.txtDescription->setPlainText("from B");
    env.prompt.answer(Answer::Yes);
    EXPECT_FALSE(deskB.cmdSave_Click());
    EXPECT_EQ(env.prompt.last(), MsgChangedElsewhere);
    // Reloaded: desk A's text is on screen and desk B's note waits to be saved.
    EXPECT_TRUE(deskB.txtLogEntry->toPlainText().contains("from A"));
    EXPECT_EQ(deskB.txtDescription->toPlainText(), "from B");
    ASSERT_TRUE(deskB.cmdSave_Click());
    const QString text = store().GetTheLogEntry(id)->text;
    EXPECT_TRUE(text.contains("from A")) << text.toStdString();
    EXPECT_TRUE(text.contains(" ~~~ from B (AD ")) << text.toStdString();
}

TEST_F(LogbookScreens, DeleteAsksAndRemovesTheRow) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    auto p = panel();
    p->cmdToday_Click();
    ASSERT_EQ(p->grdLogbook->rowCount(), 1);
    std::unique_ptr<frmLogbook> f(p->openEntry(id));
    env.prompt.answer(Answer::No);
    f->cmdDelete_Click();
    EXPECT_TRUE(store().GetTheLogEntry(id).has_value());
    env.prompt.answer(Answer::Yes);
    QSignalSpy deleted(f.get(), &frmLogbook::entryDeleted);
    f->cmdDelete_Click();
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_FALSE(store().GetTheLogEntry(id).has_value());
    EXPECT_EQ(p->grdLogbook->rowCount(), 0);
    EXPECT_EQ(p->lblCount->text(), " 0 Entries were selected.");
}

TEST_F(LogbookScreens, UnsavedEntryRefusesPrintAndMessagesWithTheirTexts) {
    category("Dining");
    frmLogbook f(*env.ctx, hooks, 0);
    f.imgPrint_Click();
    EXPECT_EQ(env.prompt.last(), MsgSaveBeforePrint);
    f.cmdUnsentMsg_Click();
    EXPECT_EQ(env.prompt.last(), MsgNotSavedNoMessages);
    f.imgReminder_Click();
    EXPECT_EQ(env.prompt.last(), MsgSaveBeforeReminder);
}

TEST_F(LogbookScreens, CloneMakesANewUnsavedEntryWithoutStatusOrCard) {
    category("Dining");
    LogEntry e = entry("Smith", "Dining", "2026/03/14", "Dinner");
    e.complete = true;
    e.notified = "Phone";
    e.encCC = "ABCDEF0123";
    const qint64 id = add(e);
    frmLogbook f(*env.ctx, hooks, id);
    f.cmdCloneEntry_Click();
    EXPECT_EQ(f.lblLogBookID->text(), "0");
    EXPECT_FALSE(f.chkComplete->isChecked());
    EXPECT_EQ(f.cboNotified->currentText(), "");
    EXPECT_EQ(f.lblCancelValue->text(), "False");
    ASSERT_TRUE(f.cmdSave_Click());
    EXPECT_NE(f.logId(), id);
    EXPECT_EQ(store().GetTheLogEntry(f.logId())->encCC, "");
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogBook]"), 2);
}

TEST_F(LogbookScreens, CategoryPageRenamesAfterConfirmationAndKeepsCategoriesInUse) {
    category("Dinner");
    add(entry("Smith", "Dinner", "2026/03/14"));
    LogbookCategoriesPage page(*env.ctx);
    page.refresh();
    ASSERT_EQ(page.lstCategories->count(), 1);
    page.lstCategories->setCurrentRow(0);
    page.cmdDelete_Click();
    EXPECT_TRUE(env.prompt.shown.isEmpty()); // in use: nothing happens
    page.txtNewName->setText("Dining");
    env.prompt.answer(Answer::Ok);
    page.cmdRename_Click();
    EXPECT_EQ(env.prompt.last(), RenameConfirmation(1, "Dining"));
    EXPECT_EQ(page.lstCategories->item(0)->text(), "Dining");
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogBook] WHERE [EntryType] = 'Dining'"), 1);

    page.txtDayLogs->setText("120");
    page.cmdSaveFlags_Click();
    EXPECT_EQ(env.prompt.last(), MsgDayLogsRange);
    page.txtCategory->setText("dining");
    page.cmdAdd_Click();
    EXPECT_EQ(env.prompt.last(), MsgCategoryExists);
}

TEST_F(LogbookScreens, SearchRefusesMissingInputAndGuardsTheSizeOfEverything) {
    category("Dining");
    auto p = panel();
    p->cboSelectBy->setCurrentText("Last Name");
    EXPECT_FALSE(p->cmdSearch_Click());
    EXPECT_EQ(env.prompt.last(),
              "Please enter the text you wish to use to filter your selections.");
    // More than 500 entries asked for all at once: the user is asked first.
    env.db().transaction([&] {
        for (int i = 0; i < 501; ++i)
            env.db().exec("INSERT INTO [LogBook] ([LastName], [EntryType], [ReferDate]) VALUES (?, "
                          "'Dining', '2026/03/14')",
                          {QString("Guest%1").arg(i)});
    });
    p->cboSelectBy->setCurrentText("All Entries");
    env.prompt.answer(Answer::No);
    EXPECT_FALSE(p->cmdSearch_Click());
    EXPECT_EQ(env.prompt.last(), "There are 501 entries in the Logbook\r\n meeting the selection "
                                 "requirements.\r\n Shall we list them all?");
    EXPECT_EQ(p->grdLogbook->rowCount(), 0);
    env.prompt.answer(Answer::Yes);
    EXPECT_TRUE(p->cmdSearch_Click());
    EXPECT_EQ(p->grdLogbook->rowCount(), 501);
    EXPECT_EQ(p->lblCount->text(), "501 Entries were selected");
    EXPECT_EQ(p->lblDescription->text(),
              "Where All Entries Have Been Selected , Sorted by Reference Date and Name");

    p->cboSelectBy->setCurrentText("Last Name");
    p->txtSearchText->setText("guest50, ");
    EXPECT_TRUE(p->cmdSearch_Click());
    EXPECT_EQ(p->grdLogbook->rowCount(), 2); // Guest50 and Guest500
}

TEST_F(LogbookScreens, ChangingTheCategoryOfASavedEntryAsksAndTicklersMustBeAcknowledged) {
    const qint64 dining = category("Dining");
    category("Spa");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    hooks.categoryTicklers = [&](qint64 logTypeId, const QString& date) {
        return logTypeId == dining && date == "2026/03/14" ? QStringList{"Kitchen closed at 10"}
                                                           : QStringList{};
    };
    frmLogbook f(*env.ctx, hooks, id);
    env.prompt.answer(Answer::No);
    f.cboTypes->setCurrentText("Spa");
    EXPECT_EQ(env.prompt.last(),
              "Do you REALLY wish to change the Type of this Reservation from Dining to Spa?");
    EXPECT_EQ(f.cboTypes->currentText(), "Dining");

    frmLogbook fresh(*env.ctx, hooks, 0);
    fresh.cboTypes->setCurrentText("Dining");
    EXPECT_EQ(fresh.lblTNotes->text(), "Kitchen closed at 10");
    EXPECT_FALSE(fresh.cmdSave_Click());
    EXPECT_TRUE(env.prompt.last().startsWith("Please acknowledge that you have read the"));
    fresh.cmdOK_Click();
    EXPECT_TRUE(fresh.cmdSave_Click());
}

TEST_F(LogbookScreens, ClosingWithChangesAsksAndASaveThatFailsKeepsTheScreenOpen) {
    category("Dining");
    frmLogbook f(*env.ctx, hooks, 0);
    f.show();
    QTest::keyClicks(f.txtLastName, "Smith");
    EXPECT_TRUE(f.isChanged());
    env.prompt.answer(Answer::Yes); // save: refused, no category
    EXPECT_FALSE(f.close());
    EXPECT_EQ(env.prompt.shown[0].text, MsgDataChanged);
    EXPECT_EQ(env.prompt.last(), MsgNoType);
    env.prompt.answer(Answer::No); // discard
    EXPECT_TRUE(f.close());
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogBook]"), 0);
}

TEST_F(LogbookScreens, ArchivedEntryTakesOnlyANoteAndAGuestViewerOnlyReads) {
    Database& archive = *env.ctx->archive;
    const qint64 id =
        archive.insert("INSERT INTO [LogBook] ([LastName], [EntryType], [NoteField], "
                       "[ReferDate]) VALUES ('Old', 'Dining', 'First visit', '2025/01/02')",
                       {}, "LogID");
    frmLogbook f(*env.ctx, hooks, id, LogSource::Archive);
    EXPECT_TRUE(f.isReadOnly());
    EXPECT_FALSE(f.cmdSave->isVisibleTo(&f));
    EXPECT_TRUE(f.cmdSaveAText->isVisibleTo(&f));
    f.cmdSaveAText_Click();
    EXPECT_EQ(env.prompt.last(), MsgArchiveNoteEmpty);
    f.txtDescription->setPlainText("Called back");
    f.cmdSaveAText_Click();
    EXPECT_EQ(store().GetTheLogEntry(id, LogSource::Archive)->text,
              "First visit ~~~Post-Archive Note~~~ Called back (AD 2026/03/14 09:30)");

    category("Dining");
    const qint64 current = add(entry("Smith", "Dining", "2026/03/14"));
    env.ctx->session.guest = true;
    frmLogbook viewer(*env.ctx, hooks, current);
    EXPECT_TRUE(viewer.isReadOnly());
    EXPECT_FALSE(viewer.cmdSave_Click());
    auto p = panel();
    EXPECT_EQ(p->cmdAddLogbook_Click(), nullptr);
    EXPECT_EQ(env.prompt.last(), MsgAddEntries);
}

TEST_F(LogbookScreens, RecordDumpNeedsTheCodeWord) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    frmLogbook f(*env.ctx, hooks, id);
    env.prompt.type(QString("velmoradumps")); // the word is exact, capitals included
    EXPECT_EQ(f.dumpRecord(), "");
    EXPECT_EQ(env.prompt.shown.last().title, "Password Entry");
    EXPECT_FALSE(QFile::exists(env.ctx->workstation.outputFolder() + "LogbookRecord.txt"));
}

TEST_F(LogbookScreens, ArchiveListOpensArchivedEntriesReadOnly) {
    category("Dining");
    add(entry("Current", "Dining", "2025/01/02"));
    const qint64 old = env.ctx->archive->insert(
        "INSERT INTO [LogBook] ([LastName], [FirstName], [EntryType], [NoteField], [ReferDate], "
        "[ProfileID]) VALUES ('Archived', 'Al', 'Dining', 'Old note', '2025/01/02', 5)",
        {}, "LogID");
    auto p = panel();
    p->cboSource->setCurrentText("Archive");
    p->cboSelectBy->setCurrentText("Refer Date");
    p->txtFrom->setText("01/02/2025");
    ASSERT_TRUE(p->cmdSearch_Click());
    ASSERT_EQ(p->grdLogbook->rowCount(), 1);
    EXPECT_EQ(p->grdLogbook->cell(0, ColLastName), "Archived (P)");
    std::unique_ptr<frmLogbook> f(p->openEntry(p->grdLogbook->keyAt(0)));
    EXPECT_EQ(f->logId(), old);
    EXPECT_TRUE(f->isReadOnly());
    EXPECT_TRUE(f->lblArchived->isVisibleTo(f.get()));
    EXPECT_EQ(f->txtLogEntry->toPlainText(), "Old note");
}

TEST_F(LogbookScreens, NewEntryReferenceDateFollowsALaterArrival) {
    category("Dining");
    frmLogbook f(*env.ctx, hooks, 0);
    f.show();
    f.txtSelect[1]->setText("03/20/2026");
    Q_EMIT f.txtSelect[1]->editingFinished();
    EXPECT_EQ(f.txtSelect[0]->text(), "03/20/2026");
    f.txtSelect[1]->setText("03/18/2026"); // earlier than the reference: left alone
    Q_EMIT f.txtSelect[1]->editingFinished();
    EXPECT_EQ(f.txtSelect[0]->text(), "03/20/2026");
    SetBooleanSetting(env.db(), "DoNotSyncRefDate", true);
    f.txtSelect[1]->setText("03/25/2026");
    Q_EMIT f.txtSelect[1]->editingFinished();
    EXPECT_EQ(f.txtSelect[0]->text(), "03/20/2026");
}
