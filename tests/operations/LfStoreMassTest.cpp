// The dated mass operations: the date checks, the CSV files read back, and
// that exactly the exported records are changed.

#include "operations/LfStoreFixture.h"

#include "support/CsvReader.h"

#include <QElapsedTimer>

namespace vm::test {

class LfStoreMassTest : public LfStoreFixture {
protected:
    QString outputFile(LfMassKind kind) {
        return QDir(ctx().workstation.outputFolder()).filePath(LfMassFileName(kind));
    }
};

TEST_F(LfStoreMassTest, DatesInTheFutureOrWithNothingBeforeThemChangeNothing) {
    const LfItem f = found("Scarf", day(10));
    EXPECT_EQ(LFCheckMassDate(ctx(), LfMassKind::DisposeFound, QDate(2026, 3, 15)),
              kLfMsgDisposeFuture);
    EXPECT_EQ(LFCheckMassDate(ctx(), LfMassKind::DeleteLost, QDate()), kLfMsgDateRequired);
    const LfMassResult future = LFDisposeItems(ctx(), QDate(2026, 3, 15));
    EXPECT_FALSE(future.ok);
    EXPECT_EQ(future.message, kLfMsgDisposeFuture);
    EXPECT_EQ(LFGetTheItem(ctx(), f.id)->status, kLfFound);

    const LfMassResult none = LFDisposeItems(ctx(), QDate(2026, 3, 10));
    EXPECT_TRUE(none.ok);
    EXPECT_EQ(none.message, kLfMsgNoFoundPrior);
    EXPECT_TRUE(none.path.isEmpty());
    EXPECT_FALSE(QFile::exists(outputFile(LfMassKind::DisposeFound)));
    EXPECT_EQ(LFDeleteLostItems(ctx(), QDate(2026, 3, 14)).message, kLfMsgNoLostPrior);
    EXPECT_EQ(LFDeleteDisposedItems(ctx(), QDate(2026, 3, 14)).message, kLfMsgNoDisposedPrior);
    EXPECT_EQ(LFMassConfirmText(LfMassKind::DisposeFound, QDate(2026, 3, 10)),
              "Do you wish to Dispose ALL Found Items prior to 03/10/2026");
}

TEST_F(LfStoreMassTest, DisposalExportsAwkwardTextsAndDisposesExactlyThoseItems) {
    LfItem f = found("Coat, \"wool\"\nwith belt", day(3));
    f.finderName = "=SUM(A1)";
    f.storedLocation = "Salle d'été";
    const LfItem opened = *LFGetTheItem(ctx(), f.id);
    ASSERT_TRUE(LFUpdateFoundItem(ctx(), f, opened));
    const LfItem recent = found("Gloves", day(9));
    const LfItem onTheDay = found("Hat", day(10));

    const LfMassResult r = LFDisposeItems(ctx(), QDate(2026, 3, 10));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.message, "The file: " + r.path + " has been created.");
    const QList<QStringList> rows = ReadCsv(r.path);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], LfMassColumns(LfMassKind::DisposeFound));
    EXPECT_EQ(rows[1][0], "Coat, 'wool'\nwith belt");
    EXPECT_EQ(rows[1][3], "Salle d'été");
    EXPECT_EQ(rows[1][5], day(3));
    EXPECT_EQ(rows[1][7], "40.00");
    EXPECT_EQ(rows[1][9], "'=SUM(A1)") << "a formula is written as text";
    EXPECT_EQ(rows[2][0], "Gloves");

    const LfItem d = *LFGetTheItem(ctx(), f.id);
    EXPECT_EQ(d.status, kLfClosed);
    EXPECT_EQ(d.disposedDate, day(14));
    EXPECT_EQ(d.owner.firstName, "(Mass Disposition)");
    EXPECT_EQ(d.owner.lastName, "As of: 2026/03/14");
    EXPECT_EQ(LFGetTheItem(ctx(), recent.id)->status, kLfClosed);
    EXPECT_EQ(LFGetTheItem(ctx(), onTheDay.id)->status, kLfFound) << "only items before the date";
}

TEST_F(LfStoreMassTest, DeletionsRemoveWhatTheyExportedAndNothingWithoutTheFile) {
    const LfItem old1 = lost("Book", day(1));
    const LfItem old2 = lost("Pen", day(2));
    const LfItem kept = lost("Bag", day(12));
    // An output folder that cannot take the file: nothing is deleted.
    const QString file = outputFile(LfMassKind::DeleteLost);
    ASSERT_TRUE(QDir().mkpath(file)) << "a folder where the file should go";
    const LfMassResult blocked = LFDeleteLostItems(ctx(), QDate(2026, 3, 10));
    EXPECT_FALSE(blocked.ok);
    EXPECT_EQ(count(kLfLost), 3);
    ASSERT_TRUE(QDir(file).removeRecursively());

    std::vector<std::pair<int, int>> steps;
    const LfMassResult r = LFDeleteLostItems(ctx(), QDate(2026, 3, 10), [&](int done, int total) {
        steps.push_back({done, total});
    });
    ASSERT_TRUE(r.ok);
    const QList<QStringList> rows = ReadCsv(r.path);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].size(), 15);
    EXPECT_EQ(rows[1][0], "Book");
    EXPECT_EQ(rows[1][6], "O'Brien");
    EXPECT_EQ(rows[2][0], "Pen");
    EXPECT_EQ(count(kLfLost), 1);
    EXPECT_TRUE(LFGetTheItem(ctx(), kept.id).has_value());
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.back(), std::make_pair(4, 4));
    Q_UNUSED(old1);
    Q_UNUSED(old2);

    // Closed records: their photographs go with them.
    QDir().mkpath(PhotoFolder(ctx()));
    const PhotoImport photo = ImportPhoto(ctx(), picture("p.png"), "Old.png");
    ASSERT_TRUE(photo.ok);
    LfItem f = found("Camera", day(1));
    f.photographName = photo.name;
    ASSERT_TRUE(LFUpdateFoundItem(ctx(), f, *LFGetTheItem(ctx(), f.id)));
    ASSERT_TRUE(LFDisposeItems(ctx(), QDate(2026, 3, 10)).ok);
    ASSERT_TRUE(LFAddReturnNotes(ctx(), f.id, "Kept a year"));
    env.clock.advanceDays(30);
    const LfMassResult gone = LFDeleteDisposedItems(ctx(), QDate(2026, 4, 1));
    ASSERT_TRUE(gone.ok);
    const QList<QStringList> closed = ReadCsv(gone.path);
    ASSERT_EQ(closed.size(), 2);
    EXPECT_EQ(closed[0].size(), 25);
    EXPECT_EQ(closed[1][14], "Kept a year\r\nAdded by Ann Desk on 03/14/2026");
    EXPECT_EQ(count(kLfClosed), 0);
    EXPECT_FALSE(QFile::exists(PhotoFolder(ctx()) + "Old.png"));
}

// Disposal of many items in one go; the size can be raised with LF_MASS_ROWS
// to time the operation at full scale.
TEST_F(LfStoreMassTest, ManyItemsAreExportedAndDisposedTogether) {
    const int n = qEnvironmentVariableIsSet("LF_MASS_ROWS")
                      ? qEnvironmentVariableIntValue("LF_MASS_ROWS")
                      : 3000;
    db().transaction([&] {
        for (int i = 0; i < n; ++i)
            db().exec("INSERT INTO [LostAndFound] ([ItemStatus], [ItemText], [Category], "
                      "[FoundDate], [FoundLocation], [StoredLocation], [TagNumber], "
                      "[FinderName], [EstValueFound], [Disposition]) VALUES ('F', ?, 'Misc', ?, "
                      "'Lobby', 'Safe', ?, 'Tom', 5, 'Donate')",
                      {"Item " + QString::number(i), day(1 + i % 9), QString::number(i)});
    });
    QElapsedTimer timer;
    timer.start();
    const LfMassResult r = LFDisposeItems(ctx(), QDate(2026, 3, 10));
    const qint64 ms = timer.elapsed();
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.count, n);
    EXPECT_EQ(ReadCsv(r.path).size(), n + 1);
    EXPECT_EQ(count(kLfClosed), n);
    std::printf("[ disposal ] %d items in %lld ms\n", n, static_cast<long long>(ms));
}

} // namespace vm::test
