// Lists read their columns by position: every field must come from its own
// column, list rows carry only what the lists show, the name searches stay in
// step with saves and deletions, and the history's times read as the desk
// writes them.

#include "operations/KeyStoreFixture.h"
#include "operations/LfStoreFixture.h"
#include "support/CsvReader.h"

namespace vm::test {

class PerfLfRows : public LfStoreFixture {
protected:
    // A closed record with a different value in every column.
    qint64 closedRecord() {
        return db().insert(
            "INSERT INTO [LostAndFound] ([ItemStatus], [ItemText], [Category], [RoomNumber], "
            "[LostDate], [LostLocation], [EstValueLost], [FoundDate], [FoundLocation], "
            "[StoredLocation], [TagNumber], [FinderName], [EstValueFound], [PhotographName], "
            "[FirstName], [LastName], [Address], [City], [State], [PostalCode], [HomePhone], "
            "[WorkPhone], [OtherPhone], [EmailAddress], [Disposition], [DisposedDate], "
            "[ReturnDate], [ReturnMethod], [PaymentMethod], [ReturnCharge], [EncCC], "
            "[MatchDisposition], [ReturnNotes], [UdCategory1], [UdCategory2], [UdCategory3], "
            "[UdCategory4], [UdCategory5], [LastStatusBy], [LastStatusDateTime]) VALUES ('D', "
            "'Red scarf', 'Clothing', '512', '2026/03/01', 'Lobby', 12.5, '2026/03/02', 'Bar', "
            "'Safe', 'T-7', 'Tom Porter', 30.25, 'Item_1.jpg', 'Mary', 'Rossi', '1 Main St', "
            "'Springfield', 'IL', '62701', '555-0101', '555-0102', '555-0103', 'm@x.org', "
            "'Returned', '2026/03/05', '2026/03/06', 'Mail', 'Cash', 7.75, ' ', 'Kept', "
            "'Sent on', 11, 12, 13, 14, 15, 'Ann Desk', '2026/03/06 10:00')",
            {}, "ItemID");
    }
    QList<qint64> byName(LfSearchKind kind, const QString& value,
                         const QString& status = kLfClosed) {
        LfSearch s;
        s.status = status;
        s.kind = kind;
        s.value = value;
        const LfSearchResult r = LFSearchItems(ctx(), s);
        EXPECT_EQ(r.refusal, "");
        return ids(r.rows);
    }
};

TEST_F(PerfLfRows, RecordsAndListRowsReadEveryFieldFromItsOwnColumn) {
    const qint64 id = closedRecord();
    const LfItem i = *LFGetTheItem(ctx(), id);
    EXPECT_EQ(QStringList({i.status, i.itemText, i.category, i.roomNumber, i.lostDate,
                           i.lostLocation, i.foundDate, i.foundLocation, i.storedLocation,
                           i.tagNumber, i.finderName, i.photographName}),
              QStringList({"D", "Red scarf", "Clothing", "512", "2026/03/01", "Lobby",
                           "2026/03/02", "Bar", "Safe", "T-7", "Tom Porter", "Item_1.jpg"}));
    const LfOwner& o = i.owner;
    EXPECT_EQ(QStringList({o.firstName, o.lastName, o.address, o.city, o.state, o.postalCode,
                           o.homePhone, o.workPhone, o.otherPhone, o.emailAddress}),
              QStringList({"Mary", "Rossi", "1 Main St", "Springfield", "IL", "62701",
                           "555-0101", "555-0102", "555-0103", "m@x.org"}));
    EXPECT_EQ(QStringList({i.disposition, i.disposedDate, i.returnDate, i.returnMethod,
                           i.paymentMethod, i.encCC, i.matchDisposition, i.returnNotes,
                           i.lastStatusBy, i.lastStatusDateTime}),
              QStringList({"Returned", "2026/03/05", "2026/03/06", "Mail", "Cash", "", "Kept",
                           "Sent on", "Ann Desk", "2026/03/06 10:00"}));
    EXPECT_EQ(i.estValueLost, 12.5);
    EXPECT_EQ(i.estValueFound, 30.25);
    EXPECT_EQ(i.returnCharge, 7.75);
    EXPECT_EQ(i.udCategory, (std::array<qint64, 5>{11, 12, 13, 14, 15}));

    // The list rows of each status: the fields its lists show, nothing else.
    auto listRow = [&](const QString& status) {
        db().exec("UPDATE [LostAndFound] SET [ItemStatus] = ?", {status});
        LfSearch s;
        s.status = status;
        const std::vector<LfListRow> rows = LFSearchItems(ctx(), s).rows;
        EXPECT_EQ(rows.size(), 1u);
        return rows.empty() ? LfListRow{} : rows.front();
    };
    auto fields = [](const LfListRow& r) {
        return QStringList{r.itemText,      r.category,       r.roomNumber,  r.lostDate,
                           r.lostLocation,  r.foundDate,      r.foundLocation,
                           r.storedLocation, r.tagNumber,     r.finderName,  r.photographName,
                           r.firstName,     r.lastName,       r.disposition, r.disposedDate,
                           r.returnMethod}
            .join("|")
            .toStdString();
    };
    const LfListRow closed = listRow(kLfClosed);
    EXPECT_EQ(closed.id, id);
    EXPECT_EQ(closed.ownerName(), "Mary Rossi");
    EXPECT_EQ(fields(closed), "Red scarf|Clothing||||||||||Mary|Rossi|Returned|2026/03/05|Mail");
    const LfListRow lostRow = listRow(kLfLost);
    EXPECT_EQ(lostRow.status, kLfLost);
    EXPECT_EQ(fields(lostRow), "Red scarf|Clothing|512|2026/03/01|Lobby|||||||Mary|Rossi|||");
    EXPECT_EQ(lostRow.estValueLost, 12.5);
    EXPECT_EQ(fields(listRow(kLfFound)),
              "Red scarf|Clothing||||2026/03/02|Bar|Safe|T-7|Tom Porter||||||");

    // The match grids: the other side's rows with what that grid shows.
    using Matches = std::vector<LfListRow> (*)(AppContext&, const LfItem&, const LfMatchCriteria&);
    auto matchRow = [&](const QString& status, Matches find) {
        db().exec("UPDATE [LostAndFound] SET [ItemStatus] = ?", {status});
        const std::vector<LfListRow> rows = find(ctx(), LfItem{}, {});
        EXPECT_EQ(rows.size(), 1u);
        return rows.empty() ? LfListRow{} : rows.front();
    };
    const LfListRow foundMatch = matchRow(kLfFound, LFGetTheLostMatches);
    EXPECT_EQ(foundMatch.status, kLfFound);
    EXPECT_EQ(fields(foundMatch),
              "Red scarf|Clothing||||2026/03/02|Bar|||Tom Porter|Item_1.jpg|||||");
    const LfListRow lostMatch = matchRow(kLfLost, LFGetTheFoundMatches);
    EXPECT_EQ(lostMatch.id, id);
    EXPECT_EQ(fields(lostMatch),
              "Red scarf|Clothing||2026/03/01|Lobby||||||Item_1.jpg|Mary|Rossi|||");
    EXPECT_EQ(lostMatch.estValueLost, 0);
}

TEST_F(PerfLfRows, ExportsCarryEveryCellOfTheirRecords) {
    const QDate prior(2026, 3, 10);
    const QStringList owner{"Mary",     "Rossi",    "1 Main St", "Springfield", "IL",
                            "62701",    "555-0101", "555-0102",  "555-0103",    "m@x.org"};
    auto exportOf = [&](const QString& status, const std::function<LfMassResult()>& run) {
        db().exec("UPDATE [LostAndFound] SET [ItemStatus] = ? WHERE [ItemID] = ?",
                  {status, closedRecord()});
        const LfMassResult r = run();
        EXPECT_TRUE(r.ok);
        const QList<QStringList> rows = ReadCsv(r.path);
        return rows.size() == 2 ? rows[1] : QStringList();
    };
    EXPECT_EQ(exportOf(kLfFound, [&] { return LFDisposeItems(ctx(), prior); }),
              QStringList({"Red scarf", "Clothing", "Bar", "Safe", "T-7", "2026/03/02",
                           "2026/03/05", "30.25", "Returned", "Tom Porter"}));
    EXPECT_EQ(exportOf(kLfLost, [&] { return LFDeleteLostItems(ctx(), prior); }),
              QStringList({"Red scarf", "Clothing", "Lobby", "2026/03/01", "12.50"}) + owner);
    // The disposal above dated its record today: only the new closed record goes.
    EXPECT_EQ(exportOf(kLfClosed, [&] { return LFDeleteDisposedItems(ctx(), prior); }),
              QStringList({"Red scarf", "Clothing", "Lobby", "Bar", "2026/03/01", "2026/03/02",
                           "2026/03/05", "12.50", "30.25", "Returned", "Tom Porter", "Mail",
                           "7.75", "Cash", "Sent on"}) +
                  owner);
}

TEST_F(PerfLfRows, NameSearchesFollowSavesClosingsAndDeletions) {
    LfItem a = lost("Umbrella", day(1));
    a.owner.lastName = "Rossini";
    ASSERT_TRUE(LFUpdateLostItem(ctx(), a));
    const LfItem b = lost("Wallet", day(2)); // O'Brien
    const LfItem f = found("Ring", day(3));  // found by Tom Porter

    EXPECT_EQ(byName(LfSearchKind::LastName, "ROSS", kLfLost), QList<qint64>{a.id});
    EXPECT_EQ(byName(LfSearchKind::LastName, "'bri", kLfLost), QList<qint64>{b.id});
    EXPECT_EQ(byName(LfSearchKind::LastName, "ni", kLfLost), QList<qint64>{a.id}); // short text
    EXPECT_EQ(byName(LfSearchKind::FinderName, "porter", kLfFound), QList<qint64>{f.id});

    // A new name replaces the old one in the search.
    LfItem renamed = *LFGetTheItem(ctx(), a.id);
    renamed.owner.lastName = "Bianchi";
    ASSERT_TRUE(LFUpdateLostItem(ctx(), renamed));
    EXPECT_TRUE(byName(LfSearchKind::LastName, "Rossini", kLfLost).isEmpty());
    EXPECT_EQ(byName(LfSearchKind::LastName, "anch", kLfLost), QList<qint64>{a.id});

    // The closing's owner is the closed record's name; a deleted record is found no more.
    LfClosing c;
    c.lostId = b.id;
    c.foundId = f.id;
    c.disposedDate = day(4);
    c.disposition = "Returned";
    c.returnDate = day(4);
    c.returnMethod = "Mail";
    c.owner.firstName = "Mary";
    c.owner.lastName = "Kowalski";
    ASSERT_TRUE(LFMatchItem(ctx(), c).ok);
    EXPECT_EQ(byName(LfSearchKind::LastName, "walsk"), QList<qint64>{b.id});
    EXPECT_EQ(byName(LfSearchKind::FinderName, "Porter"), QList<qint64>{b.id});
    EXPECT_TRUE(byName(LfSearchKind::FinderName, "Porter", kLfFound).isEmpty());
    ASSERT_TRUE(LFDeleteLostItem(ctx(), a.id));
    EXPECT_TRUE(byName(LfSearchKind::LastName, "Bianchi", kLfLost).isEmpty());

    // The mass deletion leaves the search in step too.
    ASSERT_TRUE(LFDeleteDisposedItems(ctx(), QDate(2026, 3, 14)).ok);
    EXPECT_TRUE(byName(LfSearchKind::LastName, "Kowalski").isEmpty());
    const LfItem again = lost("Hat", day(5));
    EXPECT_EQ(byName(LfSearchKind::LastName, "O'Brien", kLfLost), QList<qint64>{again.id});
}

TEST_F(PerfLfRows, HistoryTimesReadAroundMiddayAndMidnight) {
    const LfItem f = found("Ring", day(3));
    const QList<QTime> times{QTime(0, 5), QTime(11, 59), QTime(12, 30), QTime(23, 59)};
    for (const QTime& t : times) {
        env.clock.set(QDateTime(QDate(2026, 3, 14), t));
        CreateChangeInLFHistory(ctx(), f.id, "Where Stored", "A", "B");
    }
    const QString history = GetLfHistry(ctx(), f.id);
    QStringList stamps;
    for (const QString& line : history.split("\r\n"))
        if (line.startsWith("03/14/2026 ")) stamps << line.mid(11);
    EXPECT_EQ(stamps, QStringList({"11:59 PM", "12:30 PM", "11:59 AM", "12:05 AM"}));
}

class PerfKeyRows : public KeyStoreFixture {};

TEST_F(PerfKeyRows, KeyAndLoanRowsReadEveryFieldFromItsOwnColumn) {
    const qint64 k = key("101", 2, "Hours", "Tower");
    const qint64 e = employee("Lee Park", "E7");
    KeySaveAssignments(ctx(), e, {k});
    at(2026, 3, 14, 9, 0);
    lend(k, e);
    const KeyRecord out = *KeyGetKey(ctx(), k);
    EXPECT_EQ(QStringList({out.keyNumber, out.groupName, out.description, out.outHoursDays,
                           out.status, out.employeeName, out.jobTitle}),
              QStringList({"101", "Tower", "Key 101", "Hours", "O", "Lee Park", "Bell Captain"}));
    EXPECT_EQ(out.outDuration, 2);
    EXPECT_EQ(out.employeeId, e);
    EXPECT_FALSE(out.dateTimeOut.isEmpty());
    EXPECT_NE(out.dateTimeOut, out.dateTimeDue);

    at(2026, 3, 14, 11, 30);
    takeBack(k, e);
    const std::vector<KeyLoanRow> loans = KeyActivityReport2(ctx(), k, {}, {});
    ASSERT_EQ(loans.size(), 1u);
    const KeyLoanRow& l = loans.front();
    EXPECT_EQ(QList<qint64>({l.keyId, l.employeeId}), QList<qint64>({k, e}));
    EXPECT_EQ(QStringList({l.status, l.dateTimeOut, l.dateTimeDue, l.groupName, l.keyNumber,
                           l.description, l.employeeName, l.jobTitle}),
              QStringList({"I", out.dateTimeOut, out.dateTimeDue, "Tower", "101", "Key 101",
                           "Lee Park", "Bell Captain"}));
    EXPECT_FALSE(l.dateTimeBack.isEmpty());
    EXPECT_EQ(l.minutesFromDue, 30);
    const KeyEmployeeRecord who = *KeyGetEmployee(ctx(), e);
    EXPECT_EQ(QStringList({who.name, who.number, who.jobTitle}),
              QStringList({"Lee Park", "E7", "Bell Captain"}));
}

} // namespace vm::test
