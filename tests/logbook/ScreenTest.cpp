#include "LogbookFixture.h"

#include "core/Settings.h"
#include "core/TextLog.h"

#include "logbook/EntryRules.h"
#include "logbook/forms/LogbookCategoriesPage.h"
#include "logbook/forms/LogbookPanel.h"
#include "logbook/forms/RecordDump.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
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
    // The entry screen the page's add button opened (null when it opened none).
    static frmLogbook* added(LogbookPanel& p) {
        const auto before = p.findChildren<frmLogbook*>().size();
        click(p, "cmdAddLogbook");
        const auto screens = p.findChildren<frmLogbook*>();
        return screens.size() > before ? screens.last() : nullptr;
    }
    static void fillNew(frmLogbook& f, const QString& category, const QString& last,
                        const QString& note) {
        control<QComboBox>(f, "cboTypes")->setCurrentText(category);
        control<QLineEdit>(f, "txtLastName")->setText(last);
        QTest::keyClicks(control<QLineEdit>(f, "txtFirstName"), "Pat");
        control<QPlainTextEdit>(f, "txtDescription")->setPlainText(note);
    }
    static QString text(const frmLogbook& f, const char* name) {
        if (auto* box = f.findChild<QPlainTextEdit*>(name)) return box->toPlainText();
        if (auto* line = f.findChild<QLineEdit*>(name)) return line->text();
        return control<QLabel>(f, name)->text();
    }
    LogbookScreenHooks hooks;
};

TEST_F(LogbookScreens, ConciergeAddsLongEntryFindsItColouredAndCompletesIt) {
    category("Dining");
    auto p = panel();
    std::unique_ptr<frmLogbook> f(added(*p));
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(text(*f, "lblLogBookID"), "0");
    EXPECT_EQ(text(*f, "txtSelect_0"), "03/14/2026"); // today as reference date
    const QString note = QString("Dinner for four at the harbour, window table. ").repeated(16);
    ASSERT_GT(note.size(), 700);
    fillNew(*f, "Dining", "O'Hara", note);
    QTest::keyClicks(control<QLineEdit>(*f, "txtReferTime"), "1930");
    QTest::mouseClick(control<QPushButton>(*f, "cmdSave"), Qt::LeftButton);
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();
    const qint64 id = text(*f, "lblLogBookID").toLongLong();
    ASSERT_GT(id, 0);
    EXPECT_EQ(f->logId(), id);
    EXPECT_EQ(text(*f, "txtDescription"), "");
    EXPECT_EQ(text(*f, "txtLogEntry"), note.trimmed() + " (AD 2026/03/14 09:30)");
    EXPECT_FALSE(f->isChanged());

    // The new row shows in the list in the incomplete colour.
    ASSERT_EQ(p->grdLogbook->rowCount(), 1);
    EXPECT_EQ(p->grdLogbook->cell(0, ColLastName), "O'Hara");
    EXPECT_EQ(p->grdLogbook->cell(0, ColReferTime), "19:30");
    EXPECT_EQ(p->grdLogbook->cell(0, ColText), note.trimmed() + " (AD 2026/03/14 09:30)");
    EXPECT_EQ(p->grdLogbook->foreground(0), QColor(255, 0, 0));
    EXPECT_EQ(p->lblCount->text(), "1 Entries were selected");
    f.reset();

    // Reopened from the list, marked complete, saved: history and colour follow.
    click(*p, "cmdToday");
    ASSERT_EQ(p->grdLogbook->rowCount(), 1);
    std::unique_ptr<frmLogbook> again(p->openEntry(p->grdLogbook->keyAt(0)));
    EXPECT_EQ(text(*again, "txtLastName"), "O'Hara");
    click(*again, "chkComplete");
    EXPECT_TRUE(again->isChanged());
    ASSERT_TRUE(save(*again));
    const auto* history = control<DataGrid>(*again, "grdHistory");
    EXPECT_EQ(history->rowCount(), 1);
    EXPECT_EQ(history->cell(0, 2), ReasonUpdated);
    EXPECT_TRUE(store().GetTheLogEntry(id)->complete);
    EXPECT_EQ(p->grdLogbook->foreground(0), QColor(1, 0, 0));
    EXPECT_EQ(p->grdLogbook->background(0), QColor(255, 255, 192)); // first of the alternation

    click(*again, "chkCancelled");
    EXPECT_FALSE(control<QCheckBox>(*again, "chkComplete")->isChecked());
    ASSERT_TRUE(save(*again));
    EXPECT_EQ(history->rowCount(), 3);
    EXPECT_EQ(p->grdLogbook->cell(0, ColLastName), "O'Hara  (CXL)");
}

// No colours stored: the list paints with the desk's long-standing defaults
// (Windows colour values, red in the low byte).
TEST_F(LogbookScreens, ListColoursDefaultToTheStatusTableWhenNoneAreStored) {
    category("Dining");
    struct Case {
        const char* last;
        StatusFlags status;
        QColor fore;
    };
    const Case cases[] = {
        {"Ames", {}, QColor(255, 0, 0)},                             // incomplete: 255
        {"Bell", {true, false, false, false}, QColor(1, 0, 0)},      // complete: 1
        {"Cole", {false, true, false, false}, QColor(0, 0, 255)},    // pending: 16711680
        {"Dunn", {false, false, true, false}, QColor(128, 0, 128)},  // on hold: 8388736
        {"Eads", {true, false, false, true}, QColor(192, 192, 192)}, // cancelled: 12632256
    };
    for (const Case& c : cases) {
        LogEntry e = entry(c.last, "Dining", "2026/03/14");
        e.complete = c.status.complete;
        e.pending = c.status.pending;
        e.onHold = c.status.onHold;
        e.cancelled = c.status.cancelled;
        add(e);
    }
    ASSERT_EQ(
        env.db().scalar("SELECT COUNT(*) FROM [VmSettings] WHERE [Key] LIKE '%Color'").toInt(), 0);
    auto p = panel();
    click(*p, "cmdToday"); // by reference date and name
    ASSERT_EQ(p->grdLogbook->rowCount(), 5);
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(cases[row].last);
        EXPECT_TRUE(p->grdLogbook->cell(row, ColLastName).startsWith(cases[row].last));
        EXPECT_EQ(p->grdLogbook->foreground(row), cases[row].fore);
        // Plain white rows alternate light yellow (12648447) and white (16777215).
        EXPECT_EQ(p->grdLogbook->background(row),
                  row % 2 == 0 ? QColor(255, 255, 192) : QColor(255, 255, 255));
    }
}

TEST_F(LogbookScreens, DayLimitWarnsButTheExtraEntryIsSaved) {
    category("Spa", false, false, 2);
    add(entry("One", "Spa", "2026/03/14"));
    add(entry("Two", "Spa", "2026/03/14"));
    frmLogbook f(*env.ctx, hooks, 0);
    fillNew(f, "Spa", "Three", "massage");
    EXPECT_TRUE(env.prompt.saw("There are a maximum of 2 entries for Spa on this date.  We have "
                               "already logged 2 entries."));
    ASSERT_TRUE(save(f));
    EXPECT_EQ(store().CountTypeEntriesOnDate("2026/03/14", "Spa"), 3);
}

TEST_F(LogbookScreens, RestrictedMemberSeesOnlyRestrictedCategories) {
    category("Public");
    category("Backroom", true);
    const qint64 rae = env.addStaff("Rae Temp", "rae", "RT", false, true);
    env.logOn(rae);
    frmLogbook f(*env.ctx, hooks, 0);
    const auto* types = control<QComboBox>(f, "cboTypes");
    QStringList shown;
    for (int i = 0; i < types->count(); ++i)
        shown << types->itemText(i);
    EXPECT_EQ(shown, QStringList({"", "Backroom"}));
    auto p = panel();
    EXPECT_EQ(p->cboCategory->findText("Public"), -1);
}

TEST_F(LogbookScreens, ValidationMessagesStopTheSave) {
    category("Dining");
    frmLogbook f(*env.ctx, hooks, 0);
    auto* note = control<QPlainTextEdit>(f, "txtDescription");
    auto* types = control<QComboBox>(f, "cboTypes");
    note->setPlainText("call ~~~ back");
    types->setCurrentText("Dining");
    EXPECT_FALSE(save(f));
    EXPECT_EQ(env.prompt.last(), MsgSeparator);
    note->setPlainText("call back");
    types->setCurrentIndex(0);
    EXPECT_FALSE(save(f));
    EXPECT_EQ(env.prompt.last(), MsgNoType);
    types->setCurrentText("Dining");
    control<QLineEdit>(f, "txtReferTime")->setText("25:00");
    EXPECT_FALSE(save(f));
    EXPECT_EQ(env.prompt.shown.last().title, InvalidReferTimeTitle);
    EXPECT_EQ(f.logId(), 0);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogBook]"), 0);
}

// Two workstations with the same entry open: the one that saves second is
// asked, whatever happened between its read and its save.
TEST_F(LogbookScreens, SecondDeskIsToldTheEntryChangedAndCanReloadKeepingItsNote) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14", "Original"));
    OtherDesk other(env, env.addStaff("Bo Night", "bo", "BN"));
    frmLogbook deskA(*env.ctx, hooks, id);
    frmLogbook deskB(other.ctx, hooks, id);
    control<QPlainTextEdit>(deskA, "txtDescription")->setPlainText("from A");
    ASSERT_TRUE(save(deskA));
    control<QPlainTextEdit>(deskB, "txtDescription")->setPlainText("from B");
    other.prompt.answer(Answer::No); // keep the screen as it is
    EXPECT_FALSE(save(deskB));
    EXPECT_EQ(other.prompt.last(), MsgChangedElsewhere);
    EXPECT_FALSE(text(deskB, "txtLogEntry").contains("from A"));
    EXPECT_TRUE(deskB.isChanged());

    other.prompt.answer(Answer::Yes); // reload
    EXPECT_FALSE(save(deskB));
    // Reloaded: desk A's text is on screen and desk B's note waits to be saved.
    EXPECT_TRUE(text(deskB, "txtLogEntry").contains("from A"));
    EXPECT_EQ(text(deskB, "txtDescription"), "from B");
    ASSERT_TRUE(save(deskB));
    const QString saved = store().GetTheLogEntry(id)->text;
    EXPECT_TRUE(saved.contains("from A")) << saved.toStdString();
    EXPECT_TRUE(saved.contains(" ~~~ from B (BN ")) << saved.toStdString();
    // And now desk A's copy is the stale one.
    control<QPlainTextEdit>(deskA, "txtDescription")->setPlainText("again A");
    env.prompt.answer(Answer::No);
    EXPECT_FALSE(save(deskA));
    EXPECT_EQ(env.prompt.last(), MsgChangedElsewhere);
}

TEST_F(LogbookScreens, AWebEntryOnScreenPassesToTheMemberWhoSavesIt) {
    category("Dining");
    const qint64 id = env.db().insert(
        "INSERT INTO [LogBook] ([LastName], [EntryType], [ReferDate], [EnteredBy], [Initials], "
        "[NoteField]) VALUES ('Smith', 'Dining', '2026/03/14', 'Web Request', 'WEB', "
        "'Car at 9 ~~~ Entry was added by Web Interface')",
        {}, "LogID");
    frmLogbook f(*env.ctx, hooks, id);
    EXPECT_EQ(text(f, "lblWhoEntered"), "Web Request");
    control<QPlainTextEdit>(f, "txtDescription")->setPlainText("Booked");
    ASSERT_TRUE(save(f));
    EXPECT_EQ(text(f, "lblWhoEntered"), "Ann Desk");
    EXPECT_EQ(f.entry().initials, "AD");
    EXPECT_EQ(store().GetTheLogEntry(id)->enteredBy, "Ann Desk");
}

TEST_F(LogbookScreens, DeleteAsksAndRemovesTheRow) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    auto p = panel();
    click(*p, "cmdToday");
    ASSERT_EQ(p->grdLogbook->rowCount(), 1);
    std::unique_ptr<frmLogbook> f(p->openEntry(id));
    env.prompt.answer(Answer::No);
    click(*f, "cmdDelete");
    EXPECT_TRUE(store().GetTheLogEntry(id).has_value());
    env.prompt.answer(Answer::Yes);
    QSignalSpy deleted(f.get(), &frmLogbook::entryDeleted);
    click(*f, "cmdDelete");
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_FALSE(store().GetTheLogEntry(id).has_value());
    EXPECT_EQ(p->grdLogbook->rowCount(), 0);
    EXPECT_EQ(p->lblCount->text(), " 0 Entries were selected.");
}

TEST_F(LogbookScreens, UnsavedEntryRefusesPrintAndMessagesWithTheirTexts) {
    category("Dining");
    frmLogbook f(*env.ctx, hooks, 0);
    click(f, "imgPrint");
    EXPECT_EQ(env.prompt.last(), MsgSaveBeforePrint);
    click(f, "cmdUnsentMsg");
    EXPECT_EQ(env.prompt.last(), MsgNotSavedNoMessages);
    click(f, "imgReminder");
    EXPECT_EQ(env.prompt.last(), MsgSaveBeforeReminder);
}

TEST_F(LogbookScreens, CloneMakesANewUnsavedEntryWithoutStatusOrCard) {
    category("Dining");
    LogEntry e = entry("Smith", "Dining", "2026/03/14", "Dinner");
    e.complete = true;
    e.cancelled = true;
    e.notified = "Phone";
    e.encCC = "ABCDEF0123";
    const qint64 id = add(e);
    frmLogbook f(*env.ctx, hooks, id);
    click(f, "cmdCloneEntry");
    EXPECT_EQ(text(f, "lblLogBookID"), "0");
    EXPECT_FALSE(control<QCheckBox>(f, "chkComplete")->isChecked());
    EXPECT_EQ(control<QComboBox>(f, "cboNotified")->currentText(), "");
    EXPECT_FALSE(f.entry().cancelled);
    ASSERT_TRUE(save(f));
    EXPECT_NE(f.logId(), id);
    EXPECT_EQ(store().GetTheLogEntry(f.logId())->encCC, "");
    // A clone starts uncancelled: its first save writes no "Reinstated" row.
    EXPECT_EQ(store().CountLogbookHistory(f.logId()), 0);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogBook]"), 2);
}

TEST_F(LogbookScreens, CategoryPageRenamesAfterConfirmationAndKeepsCategoriesInUse) {
    category("Dinner");
    add(entry("Smith", "Dinner", "2026/03/14"));
    LogbookCategoriesPage page(*env.ctx);
    page.refresh();
    ASSERT_EQ(page.lstCategories->count(), 1);
    page.lstCategories->setCurrentRow(0);
    click(page, "cmdDelete");
    EXPECT_TRUE(env.prompt.shown.isEmpty()); // in use: nothing happens
    page.txtNewName->setText("Dining");
    env.prompt.answer(Answer::Ok);
    click(page, "cmdRename");
    EXPECT_EQ(env.prompt.last(), RenameConfirmation(1, "Dining"));
    EXPECT_EQ(page.lstCategories->item(0)->text(), "Dining");
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogBook] WHERE [EntryType] = 'Dining'"), 1);

    page.txtDayLogs->setText("120");
    click(page, "cmdSaveFlags");
    EXPECT_EQ(env.prompt.last(), MsgDayLogsRange);
    page.txtCategory->setText("dining");
    click(page, "cmdAdd");
    EXPECT_EQ(env.prompt.last(), MsgCategoryExists);
}

TEST_F(LogbookScreens, SearchRefusesMissingInputAndGuardsTheSizeOfEverything) {
    category("Dining");
    auto p = panel();
    p->cboSelectBy->setCurrentText("Last Name");
    click(*p, "cmdSearch");
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
    click(*p, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), "There are 501 entries in the Logbook\r\n meeting the selection "
                                 "requirements.\r\n Shall we list them all?");
    EXPECT_EQ(p->grdLogbook->rowCount(), 0);
    env.prompt.answer(Answer::Yes);
    click(*p, "cmdSearch");
    EXPECT_EQ(p->grdLogbook->rowCount(), 501);
    EXPECT_EQ(p->lblCount->text(), "501 Entries were selected");
    EXPECT_EQ(p->lblDescription->text(),
              "Where All Entries Have Been Selected , Sorted by Reference Date and Name");

    p->cboSelectBy->setCurrentText("Last Name");
    p->txtSearchText->setText("guest50, ");
    click(*p, "cmdSearch");
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
    control<QComboBox>(f, "cboTypes")->setCurrentText("Spa");
    EXPECT_EQ(env.prompt.last(),
              "Do you REALLY wish to change the Type of this Reservation from Dining to Spa?");
    EXPECT_EQ(control<QComboBox>(f, "cboTypes")->currentText(), "Dining");

    frmLogbook fresh(*env.ctx, hooks, 0);
    control<QComboBox>(fresh, "cboTypes")->setCurrentText("Dining");
    EXPECT_EQ(text(fresh, "lblTNotes"), "Kitchen closed at 10");
    EXPECT_FALSE(save(fresh));
    EXPECT_TRUE(env.prompt.last().startsWith("Please acknowledge that you have read the"));
    click(fresh, "cmdOK");
    EXPECT_TRUE(save(fresh));
}

TEST_F(LogbookScreens, ClosingWithChangesAsksAndASaveThatFailsKeepsTheScreenOpen) {
    category("Dining");
    frmLogbook f(*env.ctx, hooks, 0);
    f.show();
    QTest::keyClicks(control<QLineEdit>(f, "txtLastName"), "Smith");
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
    EXPECT_FALSE(control(f, "cmdSave")->isVisibleTo(&f));
    EXPECT_TRUE(control(f, "cmdSaveAText")->isVisibleTo(&f));
    click(f, "cmdSaveAText");
    EXPECT_EQ(env.prompt.last(), MsgArchiveNoteEmpty);
    control<QPlainTextEdit>(f, "txtDescription")->setPlainText("Called back");
    click(f, "cmdSaveAText");
    EXPECT_EQ(store().GetTheLogEntry(id, LogSource::Archive)->text,
              "First visit ~~~Post-Archive Note~~~ Called back (AD 2026/03/14 09:30)");

    category("Dining");
    const qint64 current = add(entry("Smith", "Dining", "2026/03/14"));
    env.ctx->session.guest = true;
    frmLogbook viewer(*env.ctx, hooks, current);
    EXPECT_TRUE(viewer.isReadOnly());
    EXPECT_FALSE(save(viewer));
    auto p = panel();
    EXPECT_EQ(added(*p), nullptr);
    EXPECT_EQ(env.prompt.last(), MsgAddEntries);
}

class RecordDump : public LogbookScreens {
protected:
    // Ctrl+Shift+T on the entry screen.
    static void pressDumpKey(frmLogbook& f) {
        for (QShortcut* s : f.findChildren<QShortcut*>())
            if (s->key() == QKeySequence("Ctrl+Shift+T")) Q_EMIT s->activated();
    }
    QString dumpFile() const { return env.ctx->workstation.outputFolder() + RecordDumpFileName; }
    QString sharedLog() const {
        QFile f(env.databaseFolder() + SharedLogName);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    QString collectorNotes() const {
        QFile f(env.ctx->workstation.outputFolder() + "vmmsgs.txt");
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    void SetUp() override {
        LogbookScreens::SetUp();
        env.ctx->start.sendToSyslog = true;
        category("Dining");
        id = add(entry("Smith", "Dining", "2026/03/14"));
    }
    qint64 id = 0;
};

TEST_F(RecordDump, NeedsAManagerAndTheExactCodeWordAndIsAuditedEitherWay) {
    frmLogbook f(*env.ctx, hooks, id);
    pressDumpKey(f); // not a manager: refused before any question
    EXPECT_EQ(env.prompt.last(), MsgRecordDumpManagers);
    EXPECT_TRUE(sharedLog().contains("User: Ann Desk was refused the record export of the "
                                     "Logbook Entry " +
                                     QString::number(id)));

    env.ctx->session.manager = true;
    env.prompt.type(QString("velmoradumps")); // the word is exact, capitals included
    pressDumpKey(f);
    EXPECT_EQ(env.prompt.shown.last().title, "Password Entry");
    EXPECT_FALSE(QFile::exists(dumpFile()));
    EXPECT_TRUE(sharedLog().contains("gave a wrong password for the record export"));
    EXPECT_EQ(collectorNotes().count("AuditTrailAccess"), 2);

    env.prompt.type(RecordDumpCodeWord);
    pressDumpKey(f);
    QFile dump(dumpFile());
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(dump.readAll());
    EXPECT_TRUE(written.startsWith("LogBook Entry\r\n"));
    EXPECT_TRUE(written.contains("\r\nLastName: Smith\r\n"));
    EXPECT_TRUE(written.contains("\r\nRowVersion: 0")) << written.toStdString();
    EXPECT_TRUE(sharedLog().contains("Exported the stored record of the Logbook Entry " +
                                     QString::number(id) + " to " + dumpFile()));
    EXPECT_EQ(collectorNotes().count("AuditTrailAccess"), 3);
}

TEST_F(RecordDump, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft) {
    env.ctx->session.manager = true;
    // A folder in the file's place: neither the file nor a half of it can be made.
    ASSERT_TRUE(QDir().mkpath(dumpFile()));
    frmLogbook f(*env.ctx, hooks, id);
    env.prompt.type(RecordDumpCodeWord);
    pressDumpKey(f);
    EXPECT_EQ(env.prompt.last(), "The Logbook record could not be written to " + dumpFile() + ".");
    EXPECT_TRUE(QFileInfo(dumpFile()).isDir());
    EXPECT_EQ(QDir(env.ctx->workstation.outputFolder())
                  .entryList({RecordDumpFileName + "*"}, QDir::Files)
                  .size(),
              0);
    EXPECT_TRUE(sharedLog().contains("could not write the record export"));
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
    click(*p, "cmdSearch");
    ASSERT_EQ(p->grdLogbook->rowCount(), 1);
    EXPECT_EQ(p->grdLogbook->cell(0, ColLastName), "Archived (P)");
    std::unique_ptr<frmLogbook> f(p->openEntry(p->grdLogbook->keyAt(0)));
    EXPECT_EQ(f->logId(), old);
    EXPECT_TRUE(f->isReadOnly());
    EXPECT_TRUE(control(*f, "lblArchived")->isVisibleTo(f.get()));
    EXPECT_EQ(text(*f, "txtLogEntry"), "Old note");
}

TEST_F(LogbookScreens, NewEntryReferenceDateFollowsALaterArrival) {
    category("Dining");
    frmLogbook f(*env.ctx, hooks, 0);
    f.show();
    auto* arrival = control<QLineEdit>(f, "txtSelect_1");
    const auto arrive = [&](const char* date) {
        arrival->setText(date);
        Q_EMIT arrival->editingFinished();
        return text(f, "txtSelect_0");
    };
    EXPECT_EQ(arrive("03/20/2026"), "03/20/2026");
    EXPECT_EQ(arrive("03/18/2026"), "03/20/2026"); // earlier than the reference: left alone
    SetBooleanSetting(env.db(), "DoNotSyncRefDate", true);
    EXPECT_EQ(arrive("03/25/2026"), "03/20/2026");
}
