#include "LogbookFixture.h"

#include "logbook/DateShift.h"
#include "logbook/LogText.h"

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

TEST_F(EntryStore, SecondDeskSavingAStaleCopyIsToldAndWritesNothing) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    LogEntry deskA = *store().GetTheLogEntry(id);
    LogEntry deskB = *store().GetTheLogEntry(id);
    deskA.text = "Desk A wrote this";
    ASSERT_EQ(store().UpdateLogBook(deskA, false), SaveOutcome::Saved);
    deskB.text = "Desk B wrote this";
    EXPECT_EQ(store().UpdateLogBook(deskB, false), SaveOutcome::Changed);
    EXPECT_EQ(store().GetTheLogEntry(id)->text, "Desk A wrote this");
    EXPECT_EQ(store().CountLogbookHistory(id), 1);

    // Even a save that rewrote the same values makes an open copy stale.
    LogEntry deskC = *store().GetTheLogEntry(id);
    LogEntry deskD = deskC;
    ASSERT_EQ(store().UpdateLogBook(deskC, false), SaveOutcome::Saved);
    EXPECT_EQ(store().UpdateLogBook(deskD, false), SaveOutcome::Changed);

    ASSERT_TRUE(store().DeleteLogbookEntry(id));
    EXPECT_EQ(store().UpdateLogBook(deskC, false), SaveOutcome::Gone);
    EXPECT_FALSE(store().GetTheLogEntry(id).has_value());
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
    LogbookHooks hooks;
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
    LogbookHooks hooks;
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
