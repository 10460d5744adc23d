#include "LogbookFixture.h"

#include "core/Databases.h"
#include "core/Staff.h"
#include "logbook/DateShift.h"
#include "logbook/LogText.h"
#include "logbook/LogbookCounts.h"

#include <functional>

using namespace vm;
using namespace vm::test;

namespace {

struct SplitCase {
    int length;
    int noteFieldLength;
    QList<int> pieces;
};

} // namespace

TEST(LogText, SplitsAt255AndStoresOverflowInPiecesOf255) {
    const SplitCase cases[] = {
        {10, 10, {}}, {255, 255, {}}, {256, 255, {1}}, {510, 255, {255}}, {700, 255, {255, 190}}};
    for (const SplitCase& c : cases) {
        QString text;
        for (int i = 0; i < c.length; ++i)
            text += QChar('a' + i % 26);
        const SplitText s = SplitLogText(text);
        EXPECT_EQ(s.noteField.size(), c.noteFieldLength) << c.length;
        QList<int> sizes;
        for (const QString& p : LogTextPieces(s.overflow))
            sizes << int(p.size());
        EXPECT_EQ(sizes, c.pieces) << c.length;
        EXPECT_EQ(JoinLogText(s.noteField, LogTextPieces(s.overflow)), text) << c.length;
    }
}

TEST(LogText, ShortTextIsTrimmedButPiecesKeepTheirBlanks) {
    EXPECT_EQ(SplitLogText("  short  ").noteField, "short");
    // Blanks at the piece boundaries survive the round trip.
    const QString text = QString(254, 'x') + "  " + QString(253, 'y') + "  z";
    const SplitText s = SplitLogText(text);
    EXPECT_EQ(JoinLogText(s.noteField, LogTextPieces(s.overflow)), text);
}

class EntryStore : public LogbookFixture {};

TEST_F(EntryStore, LongTextIsStoredInNoteFieldAndSequencedPieces) {
    category("Dining");
    for (int length : {255, 256, 700}) {
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar('A' + i % 26);
        const qint64 id = add(entry("Long", "Dining", "2026/03/14", text));
        QList<int> sizes;
        QList<int> sequences;
        for (const Row& r : env.db().query("SELECT [Sequence], [NoteField] FROM [LogText] WHERE "
                                           "[LogID] = ? ORDER BY [Sequence]",
                                           {id})) {
            sequences << int(r.number("Sequence"));
            sizes << int(r.text("NoteField").size());
        }
        const QList<int> expected = length == 255   ? QList<int>{}
                                    : length == 256 ? QList<int>{1}
                                                    : QList<int>{255, 190};
        EXPECT_EQ(sizes, expected) << length;
        for (int i = 0; i < sequences.size(); ++i)
            EXPECT_EQ(sequences[i], i + 1);
        EXPECT_EQ(store().GetTheLogEntry(id)->text, text) << length;
    }
}

TEST_F(EntryStore, InsertTakesIdFromEngineAndCreatorFromSession) {
    category("Dining", /*restricted*/ true);
    const qint64 first = add(entry("O'Brien", "Dining", "2026/03/14"));
    // Same member, same minute, same category: each entry keeps its own id and text.
    const qint64 second = add(entry("O'Brien", "Dining", "2026/03/14", QString(300, 'b')));
    EXPECT_NE(first, second);
    const LogEntry a = *store().GetTheLogEntry(first);
    const LogEntry b = *store().GetTheLogEntry(second);
    EXPECT_EQ(a.text, "Table for two");
    EXPECT_EQ(b.text, QString(300, 'b'));
    EXPECT_EQ(a.lastName, "O'Brien");
    EXPECT_EQ(a.enteredBy, "Ann Desk");
    EXPECT_EQ(a.initials, "AD");
    EXPECT_EQ(a.entryDate, "2026/03/14");
    EXPECT_EQ(a.entryTime, "09:30");
    EXPECT_TRUE(a.restricted); // copied from the category
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogbookHistory]"), 0);
}

TEST_F(EntryStore, HistoryRowsFollowTheCancelledBox) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    auto reasons = [&] {
        QStringList r;
        for (const HistoryRow& h : store().GetTheLogbookHistory(id))
            r << h.reason;
        r.sort();
        return r;
    };

    LogEntry e = *store().GetTheLogEntry(id);
    e.cancelled = true;
    ASSERT_EQ(store().UpdateLogBook(e, /*cancelledAsLoaded*/ false), SaveOutcome::Saved);
    EXPECT_EQ(reasons(), QStringList({ReasonCancelled, ReasonUpdated}));

    // Saved again unchanged: only the update row.
    ASSERT_EQ(store().UpdateLogBook(e, true), SaveOutcome::Saved);
    EXPECT_EQ(store().CountLogbookHistory(id), 3);

    e.cancelled = false;
    ASSERT_EQ(store().UpdateLogBook(e, true), SaveOutcome::Saved);
    EXPECT_EQ(reasons(), QStringList({ReasonCancelled, ReasonReinstated, ReasonUpdated,
                                      ReasonUpdated, ReasonUpdated}));
    const auto history = store().GetTheLogbookHistory(id);
    EXPECT_EQ(history.front().initials, "AD");
    EXPECT_EQ(history.front().logDateTime, "2026/03/14 09:30");
}

TEST_F(EntryStore, UpdateRewritesTextPiecesAndKeepsTheCreator) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14", QString(700, 'x')));
    const qint64 other = env.addStaff("Bo Night", "bo", "BN");
    env.logOn(other);
    LogEntry e = *store().GetTheLogEntry(id);
    e.text = QString(300, 'y');
    ASSERT_EQ(store().UpdateLogBook(e, false), SaveOutcome::Saved);
    const LogEntry back = *store().GetTheLogEntry(id);
    EXPECT_EQ(back.text, QString(300, 'y'));
    EXPECT_EQ(back.enteredBy, "Ann Desk");
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogText] WHERE [LogID] = ?", {id}), 1);
    EXPECT_EQ(store().GetTheLogbookHistory(id).front().initials, "BN");
}

TEST_F(EntryStore, AnyWriteLandingAfterTheReadMakesTheSaveAskInsteadOfOverwriting) {
    const qint64 dining = category("Dining");
    LogEntry web = entry("Smith", "Dining", "2026/03/14", "Original");
    web.notified = "Phone";
    const qint64 id = add(web);
    OtherDesk deskB(env, env.addStaff("Bo Night", "bo", "BN"));
    // Each write reaches the entry after desk A read it, at another workstation.
    struct Case {
        const char* name;
        std::function<void()> write;
    };
    const Case cases[] = {
        {"desk B saves its own text",
         [&] {
             LogEntry b = *deskB.store().GetTheLogEntry(id);
             b.text = "From desk B";
             ASSERT_EQ(deskB.store().UpdateLogBook(b, false), SaveOutcome::Saved);
         }},
        {"desk B saves the entry unchanged",
         [&] {
             LogEntry b = *deskB.store().GetTheLogEntry(id);
             ASSERT_EQ(deskB.store().UpdateLogBook(b, false), SaveOutcome::Saved);
         }},
        {"a bulk print notes the notification", [&] { UpdateBulkNotify(deskB.ctx.db(), id); }},
        {"the creator's name changes",
         [&] { UpdateConciergeLogBookName(deskB.ctx.db(), "Ann Desk", "Ann Day", "AD"); }},
        {"the category becomes restricted",
         [&] {
             Category c = *GetLogTypeByName(deskB.ctx.db(), "Dining");
             c.restricted = !c.restricted;
             UpdateConfText(deskB.ctx, c, {}, {});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogEntry deskA = *store().GetTheLogEntry(id);
        c.write();
        const LogEntry before = *store().GetTheLogEntry(id);
        const int history = store().CountLogbookHistory(id);
        EXPECT_GT(before.rowVersion, deskA.rowVersion);
        LogEntry edited = deskA;
        edited.text = "From desk A";
        EXPECT_EQ(store().UpdateLogBook(edited, false), SaveOutcome::Changed);
        // Nothing of desk A's save was written, and its copy is as it was.
        const LogEntry after = *store().GetTheLogEntry(id);
        EXPECT_EQ(after.text, before.text);
        EXPECT_EQ(after.rowVersion, before.rowVersion);
        EXPECT_EQ(store().CountLogbookHistory(id), history);
        EXPECT_EQ(edited.rowVersion, deskA.rowVersion);
        // Read again, desk A's save goes through and raises the version once.
        LogEntry fresh = *store().GetTheLogEntry(id);
        fresh.text = "From desk A";
        ASSERT_EQ(store().UpdateLogBook(fresh, false), SaveOutcome::Saved);
        EXPECT_EQ(fresh.rowVersion, before.rowVersion + 1);
        EXPECT_EQ(store().GetTheLogEntry(id)->rowVersion, fresh.rowVersion);
    }
    Q_UNUSED(dining);

    LogEntry stale = *store().GetTheLogEntry(id);
    ASSERT_TRUE(deskB.store().DeleteLogbookEntry(id));
    EXPECT_EQ(store().UpdateLogBook(stale, false), SaveOutcome::Gone);
    EXPECT_FALSE(store().GetTheLogEntry(id).has_value());
}

TEST_F(EntryStore, AWebEntryPassesToTheFirstMemberWhoSavesItInsideTheSave) {
    category("Dining");
    const QString text = "Airport pickup ~~~ Entry was added by Web Interface";
    const qint64 id = env.db().insert(
        "INSERT INTO [LogBook] ([LastName], [EntryType], [ReferDate], [EnteredBy], [Initials], "
        "[NoteField]) VALUES ('Smith', 'Dining', '2026/03/14', 'Web Request', 'WEB', ?)",
        {text}, "LogID");
    const qint64 bo = env.addStaff("Bo Night", "bo", "BN");
    OtherDesk deskB(env, bo);

    // A save that finds the entry changed takes nothing over.
    LogEntry stale = *store().GetTheLogEntry(id);
    LogEntry current = *deskB.store().GetTheLogEntry(id);
    UpdateBulkNotify(env.db(), id);
    EXPECT_EQ(store().UpdateLogBook(stale, false), SaveOutcome::Changed);
    EXPECT_EQ(store().GetTheLogEntry(id)->enteredBy, "Web Request");
    EXPECT_EQ(stale.enteredBy, "Web Request");

    current = *deskB.store().GetTheLogEntry(id);
    ASSERT_EQ(deskB.store().UpdateLogBook(current, false), SaveOutcome::Saved);
    EXPECT_EQ(current.enteredBy, "Bo Night");
    const LogEntry taken = *store().GetTheLogEntry(id);
    EXPECT_EQ(taken.enteredBy, "Bo Night");
    EXPECT_EQ(taken.initials, "BN");

    // The entry now has history: the next member's save leaves the creator alone.
    LogEntry next = *store().GetTheLogEntry(id);
    ASSERT_EQ(store().UpdateLogBook(next, false), SaveOutcome::Saved);
    EXPECT_EQ(store().GetTheLogEntry(id)->enteredBy, "Bo Night");
    EXPECT_EQ(store().CountLogbookHistory(id), 2);
}

TEST_F(EntryStore, ADatabaseFromBeforeRowVersionsGetsThemAtTheNextStart) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    // As an older program left it: no version column and no trigger.
    Database& db = env.db();
    db.exec(db.engine() == Engine::SQLite ? "DROP TRIGGER [LogBook_RowVersion]"
                                          : "DROP TRIGGER [LogBook_RowVersion] ON [LogBook]");
    db.exec("ALTER TABLE [LogBook] DROP COLUMN [RowVersion]");
    ASSERT_FALSE(db.columnExists("LogBook", "RowVersion"));
    CloseDatabase(*env.ctx);

    env.openOrFail();
    ASSERT_TRUE(env.db().columnExists("LogBook", "RowVersion"));
    LogEntry e = *store().GetTheLogEntry(id);
    EXPECT_EQ(e.rowVersion, 0);
    UpdateBulkNotify(env.db(), id); // raised by the trigger the start put back
    EXPECT_EQ(store().GetTheLogEntry(id)->rowVersion, 1);
    EXPECT_EQ(store().UpdateLogBook(e, false), SaveOutcome::Changed);
    // The archive keeps the same layout.
    EXPECT_TRUE(env.ctx->archive->columnExists("LogBook", "RowVersion"));
}

TEST_F(EntryStore, DeleteRemovesWhatHangsOnTheEntryAndIdZeroTouchesNothing) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14", QString(600, 'q')));
    const qint64 keep = add(entry("Jones", "Dining", "2026/03/14"));
    Database& db = env.db();
    for (qint64 owner : {id, keep, qint64(0)}) {
        db.exec("INSERT INTO [MsgTimer] ([MsgDateTime], [SentFrom], [ConciergeName], [LogbookID]) "
                "VALUES ('2026/03/14 10:00', 'AD', 'Ann Desk', ?)",
                {owner});
        db.exec("INSERT INTO [ContactDocs] ([ContactID], [SourceType], [Description]) "
                "VALUES (?, 'L', 'menu')",
                {owner});
    }
    EXPECT_FALSE(store().DeleteLogbookEntry(0));
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [MsgTimer]"), 3);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [ContactDocs]"), 3);

    EXPECT_TRUE(store().DeleteLogbookEntry(id));
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [MsgTimer] WHERE [LogbookID] = ?", {id}), 0);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [ContactDocs] WHERE [ContactID] = ?", {id}), 0);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [LogText] WHERE [LogID] = ?", {id}), 0);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [MsgTimer]"), 2);
    EXPECT_TRUE(store().GetTheLogEntry(keep).has_value());
    EXPECT_FALSE(store().DeleteLogbookEntry(id)); // already gone

    // A new entry never reuses the deleted id.
    EXPECT_GT(add(entry("New", "Dining", "2026/03/14")), keep);
}

TEST_F(EntryStore, ArchiveNoteRewritesTheArchivedText) {
    Database& archive = *env.ctx->archive;
    const qint64 id = archive.insert(
        "INSERT INTO [LogBook] ([LastName], [EntryType], [NoteField]) VALUES ('Old', 'Dining', ?)",
        {QString(255, 'a')}, "LogID");
    archive.exec("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, 1, 'bbb')",
                 {id});
    EXPECT_EQ(store().GetTheLogEntry(id, LogSource::Archive)->text, QString(255, 'a') + "bbb");
    const QString longer = QString(255, 'a') + QString(300, 'c');
    store().UpdateArchiveText(id, longer);
    EXPECT_EQ(store().GetTheLogEntry(id, LogSource::Archive)->text, longer);
    EXPECT_EQ(count(archive, "SELECT COUNT(*) FROM [LogText] WHERE [LogID] = ?", {id}), 2);
    EXPECT_FALSE(store().GetTheLogEntry(id).has_value()); // the current database is untouched
}

TEST_F(EntryStore, DayCountMatchesCategoriesWithApostrophes) {
    category("Chef's Table", false, false, 2);
    add(entry("A", "Chef's Table", "2026/03/20"));
    add(entry("B", "chef's table", "2026/03/20"));
    add(entry("C", "Chef's Table", "2026/03/21"));
    EXPECT_EQ(store().CountTypeEntriesOnDate("2026/03/20", "Chef's Table"), 2);
    EXPECT_EQ(GetLogTypeDayLogs(env.db(), "Chef's Table"), 2);
}

TEST_F(EntryStore, TypedCardIsEncryptedOnceWithTheEntryIdAndStoredCipherIsKept) {
    category("Dining");
    LogbookScreenHooks hooks;
    QStringList encrypted;
    hooks.encryptCard = [&](const QString& number, qint64 logId) {
        encrypted << number + "@" + QString::number(logId);
        return "CIPHER-" + QString::number(logId);
    };
    LogbookStore cards(*env.ctx, &hooks);
    LogEntry e = entry("Smith", "Dining", "2026/03/14");
    const qint64 id = cards.InsertLogBook(e, "4111 1111 1111 1111");
    EXPECT_EQ(encrypted, QStringList{"4111 1111 1111 1111@" + QString::number(id)});
    LogEntry back = *cards.GetTheLogEntry(id);
    EXPECT_EQ(back.encCC, "CIPHER-" + QString::number(id));
    EXPECT_TRUE(back.ccCreated.isValid());
    // The entry as the screen keeps it after the insert saves again with its card.
    EXPECT_EQ(e.encCC, back.encCC);
    e.text = "second save";
    ASSERT_EQ(cards.UpdateLogBook(e, false), SaveOutcome::Saved);
    EXPECT_EQ(cards.GetTheLogEntry(id)->encCC, "CIPHER-" + QString::number(id));

    // Saving again without a typed number writes the stored cipher back untouched,
    // even when the cipher is all digits.
    env.db().exec("UPDATE [LogBook] SET [EncCC] = '12345678901234' WHERE [LogID] = ?", {id});
    back = *cards.GetTheLogEntry(id);
    back.text = "changed";
    ASSERT_EQ(cards.UpdateLogBook(back, false), SaveOutcome::Saved);
    EXPECT_EQ(encrypted.size(), 1);
    EXPECT_EQ(cards.GetTheLogEntry(id)->encCC, "12345678901234");
}

TEST_F(EntryStore, FailedCardEncryptionUndoesTheWholeSave) {
    category("Dining");
    LogbookScreenHooks hooks;
    hooks.encryptCard = [](const QString&, qint64) { return QString(); };
    LogbookStore cards(*env.ctx, &hooks);
    LogEntry e = entry("Smith", "Dining", "2026/03/14", QString(600, 'x'));
    EXPECT_THROW(cards.InsertLogBook(e, "4111111111111111"), DbError);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogBook]"), 0);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogText]"), 0);
    // Without card protection a typed number is refused, not stored in the clear.
    LogEntry plain = entry("Jones", "Dining", "2026/03/14");
    EXPECT_THROW(store().InsertLogBook(plain, "4111111111111111"), DbError);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [LogBook]"), 0);
}

TEST_F(EntryStore, DateShiftMovesFilledDatesInBothDatabases) {
    category("Dining");
    LogEntry e = entry("Smith", "Dining", "2026/03/14");
    e.arrivalDate = "2026/03/12";
    const qint64 id = add(e);
    const qint64 old = env.ctx->archive->insert(
        "INSERT INTO [LogBook] ([LastName], [ReferDate], [ArrivalDate], [EntryDate]) VALUES "
        "('Old', '2025/12/31', ' ', '2025/12/30')",
        {}, "LogID");
    EXPECT_EQ(UpdateAllDates(*env.ctx, 2),
              "All Logbook, Event, Group, Rental, Reservation and Daily Diary Dates have been "
              "incremented by 2");
    const LogEntry moved = *store().GetTheLogEntry(id);
    EXPECT_EQ(moved.referDate, "2026/03/16");
    EXPECT_EQ(moved.arrivalDate, "2026/03/14");
    EXPECT_EQ(moved.departureDate, "");
    EXPECT_EQ(moved.entryDate, "2026/03/16");
    const LogEntry archived = *store().GetTheLogEntry(old, LogSource::Archive);
    EXPECT_EQ(archived.referDate, "2026/01/02");
    EXPECT_EQ(archived.arrivalDate, "");
}
