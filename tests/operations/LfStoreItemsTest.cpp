// Lost reports and found items: the checks, filing and reading back, the
// change history, the match search and the search window.

#include "operations/LfStoreFixture.h"

#include "core/Settings.h"

namespace vm::test {

class LfStoreItemsTest : public LfStoreFixture {};

TEST_F(LfStoreItemsTest, ChecksRefuseInTheScreensOrder) {
    LfItem l;
    EXPECT_EQ(LFCheckLostItem(l), kLfMsgLostDescription);
    l.itemText = "Umbrella";
    EXPECT_EQ(LFCheckLostItem(l), kLfMsgCategory);
    l.category = "Clothing";
    EXPECT_EQ(LFCheckLostItem(l), kLfMsgLostLocation);
    l.lostLocation = "Bar";
    l.lostDate = "2026/02/30";
    EXPECT_EQ(LFCheckLostItem(l), kLfMsgLostDate);
    l.lostDate = day(10);
    EXPECT_EQ(LFCheckLostItem(l), kLfMsgFirstName);
    l.owner.firstName = "Ann";
    EXPECT_EQ(LFCheckLostItem(l), kLfMsgLastName);
    l.owner.lastName = "Lee";
    EXPECT_EQ(LFCheckLostItem(l), "");

    LfItem f;
    f.itemText = "Scarf";
    f.category = "Clothing";
    f.foundLocation = "Bar";
    EXPECT_EQ(LFCheckFoundItem(f), kLfMsgStorage);
    f.storedLocation = "Safe";
    EXPECT_EQ(LFCheckFoundItem(f), kLfMsgDefaultDisposition);
    f.disposition = "Donate";
    EXPECT_EQ(LFCheckFoundItem(f), kLfMsgFoundDate);
    f.foundDate = day(10);
    EXPECT_EQ(LFCheckFoundItem(f), kLfMsgFinderName);
}

TEST_F(LfStoreItemsTest, RecordsKeepQuotesAmpersandsAndAreUpdatedOnlyWhileOpen) {
    LfItem l = lost("Ring \"gold\" & box", day(10));
    l.owner.address = "12 Smith & Sons Rd";
    ASSERT_TRUE(LFUpdateLostItem(ctx(), l));
    const LfItem back = *LFGetTheItem(ctx(), l.id);
    EXPECT_EQ(back.status, kLfLost);
    EXPECT_EQ(back.itemText, "Ring 'gold' and box");
    EXPECT_EQ(back.owner.lastName, "O'Brien");
    EXPECT_EQ(back.owner.address, "12 Smith & Sons Rd");
    EXPECT_EQ(back.estValueLost, 25);
    EXPECT_EQ(back.enteredBy(), "Entered by: Ann Desk on 2026/03/14 09:30");

    // A record closed at another desk is not written over.
    db().exec("UPDATE [LostAndFound] SET [ItemStatus] = 'D' WHERE [ItemID] = ?", {l.id});
    l.itemText = "Changed";
    EXPECT_FALSE(LFUpdateLostItem(ctx(), l));
    EXPECT_EQ(LFGetTheItem(ctx(), l.id)->itemText, "Ring 'gold' and box");
}

TEST_F(LfStoreItemsTest, FoundUpdateFilesOneHistoryRowPerChangedFieldAndShowsItNewestFirst) {
    const auto list = CreateLostAndFoundUdCategory(ctx(), "Colour");
    ASSERT_TRUE(list.ok);
    const qint64 red = CreateLostAndFoundUdCategoryItem(ctx(), list.id, "Red").id;
    LfItem f = found("Black scarf", day(10));
    const LfItem opened = *LFGetTheItem(ctx(), f.id);
    f.storedLocation = "Back office";
    f.udCategory[0] = red;
    ASSERT_TRUE(LFUpdateFoundItem(ctx(), f, opened));
    env.clock.advanceSecs(3600);
    LfItem again = *LFGetTheItem(ctx(), f.id);
    LfItem later = again;
    later.tagNumber = "T-9";
    ASSERT_TRUE(LFUpdateFoundItem(ctx(), later, again));
    // Saving without a change files nothing.
    ASSERT_TRUE(LFUpdateFoundItem(ctx(), later, *LFGetTheItem(ctx(), f.id)));

    EXPECT_EQ(
        db().scalar("SELECT COUNT(*) FROM [LostAndFoundHistory] WHERE [lfID] = ?", {f.id}).toInt(),
        3);
    const QString history = GetLfHistry(ctx(), f.id);
    EXPECT_TRUE(history.startsWith("03/14/2026 10:30 AM\r\nAnn Desk modified 'Tag Number'\r\n"
                                   "Old Value: T-1\r\nNew: T-9\r\n"))
        << history.toStdString();
    EXPECT_TRUE(history.contains("Ann Desk modified 'Where Stored'\r\nOld Value: Safe\r\n"
                                 "New: Back office\r\n"));
    EXPECT_TRUE(history.contains("Ann Desk modified 'Colour'\r\nOld Value: \r\nNew: Red\r\n"));

    // An item closed meanwhile takes neither the change nor a history row.
    db().exec("UPDATE [LostAndFound] SET [ItemStatus] = 'D' WHERE [ItemID] = ?", {f.id});
    LfItem stale = later;
    stale.finderName = "Someone else";
    QString why;
    EXPECT_FALSE(LFUpdateFoundItem(ctx(), stale, later, &why));
    EXPECT_EQ(why, kLfMsgFoundGone);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM [LostAndFoundHistory]").toInt(), 3);
}

TEST_F(LfStoreItemsTest, ASecondDeskSavingAnOldCopyOfAFoundItemIsRefused) {
    const LfItem f = found("Camera", day(10));
    OtherDesk other(env, staffId);
    LfItem mine = *LFGetTheItem(ctx(), f.id);
    LfItem theirs = *LFGetTheItem(other.ctx, f.id);
    const LfItem myOpened = mine, theirOpened = theirs;
    theirs.storedLocation = "Back office";
    ASSERT_TRUE(LFUpdateFoundItem(other.ctx, theirs, theirOpened));
    mine.finderName = "Late desk";
    QString why;
    EXPECT_FALSE(LFUpdateFoundItem(ctx(), mine, myOpened, &why));
    EXPECT_EQ(why, kLfMsgFoundChanged);
    const LfItem stored = *LFGetTheItem(ctx(), f.id);
    EXPECT_EQ(stored.storedLocation, "Back office");
    EXPECT_EQ(stored.finderName, "Tom Porter");
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM [LostAndFoundHistory]").toInt(), 1);

    // Lost reports likewise, when the screen hands over the copy it opened.
    const LfItem l = lost("Wallet", day(10));
    LfItem a = l, b = l;
    a.owner.homePhone = "555 0100";
    ASSERT_TRUE(LFUpdateLostItem(other.ctx, a, &l));
    b.owner.city = "Cork";
    EXPECT_FALSE(LFUpdateLostItem(ctx(), b, &l, &why));
    EXPECT_EQ(why, kLfMsgLostChanged);
    EXPECT_EQ(LFGetTheItem(ctx(), l.id)->owner.homePhone, "555 0100");
    EXPECT_EQ(LFGetTheItem(ctx(), l.id)->owner.city, "");
}

TEST_F(LfStoreItemsTest, MatchSearchWindowIsTwoDaysEachWayWithTheOtherCriteria) {
    const LfItem l = lost("Brown wallet", day(10));
    std::vector<LfItem> f;
    for (int d : {7, 8, 12, 13})
        f.push_back(found("Wallet found " + QString::number(d), day(d)));
    const LfItem other = found("Wallet in bar", day(10), "Wallet", "Bar");
    const LfItem keys = found("Keys", day(10), "Keys");
    const LfItem percent = found("Wallet 100% leather", day(11));

    LfMatchCriteria c;
    c.dateWindow = true;
    EXPECT_EQ(ids(LFGetTheLostMatches(ctx(), l, c)),
              (QList<qint64>{keys.id, percent.id, f[2].id, f[1].id, other.id}));
    c.sameCategory = c.sameLocation = true;
    EXPECT_EQ(ids(LFGetTheLostMatches(ctx(), l, c)), (QList<qint64>{percent.id, f[2].id, f[1].id}));
    c.byWord = true;
    c.word = "100%";
    EXPECT_EQ(ids(LFGetTheLostMatches(ctx(), l, c)), QList<qint64>{percent.id});
    c.word = "%";
    EXPECT_EQ(ids(LFGetTheLostMatches(ctx(), l, c)), QList<qint64>{percent.id})
        << "a typed % is the character itself";
    // No criterion: every open found item.
    EXPECT_EQ(LFGetTheLostMatches(ctx(), l, {}).size(), 7u);

    // The mirror: lost reports around a found item's date.
    const LfItem f9 = found("Wallet", day(12));
    LfMatchCriteria m;
    m.dateWindow = true;
    EXPECT_EQ(ids(LFGetTheFoundMatches(ctx(), f9, m)), QList<qint64>{l.id});
    EXPECT_TRUE(LFGetTheFoundMatches(ctx(), found("Wallet", day(13)), m).empty());
}

TEST_F(LfStoreItemsTest, SearchWindowBindsWordsAndValidatesItsInput) {
    const LfItem a = lost("Phone", day(5));
    LfItem b = lost("Phone charger", day(9), "Electronics");
    b.owner.lastName = "Smith";
    b.roomNumber = "101";
    ASSERT_TRUE(LFUpdateLostItem(ctx(), b));
    const LfItem f = found("Phone", day(9));

    LfSearch s;
    s.kind = LfSearchKind::LastName;
    s.value = "o'bri";
    auto r = LFSearchItems(ctx(), s);
    EXPECT_EQ(r.refusal, "");
    EXPECT_EQ(ids(r.rows), QList<qint64>{a.id}) << "letter case ignored, quote bound";
    s.kind = LfSearchKind::Word;
    s.value = "";
    EXPECT_EQ(LFSearchItems(ctx(), s).refusal, kLfMsgEnterCriteria);
    s.value = "phone";
    EXPECT_EQ(ids(LFSearchItems(ctx(), s).rows), (QList<qint64>{a.id, b.id}));
    s.category = "Electronics";
    EXPECT_EQ(ids(LFSearchItems(ctx(), s).rows), QList<qint64>{b.id});
    s.category.clear();
    s.kind = LfSearchKind::Storage;
    s.value = "";
    EXPECT_EQ(LFSearchItems(ctx(), s).refusal, kLfMsgSelectCriteria);
    s.kind = LfSearchKind::DateRange;
    EXPECT_EQ(LFSearchItems(ctx(), s).refusal, kLfMsgValidDate);
    s.from = QDate(2026, 3, 6);
    s.through = QDate(2026, 3, 9);
    EXPECT_EQ(ids(LFSearchItems(ctx(), s).rows), QList<qint64>{b.id});
    s.kind = LfSearchKind::RoomNumber;
    s.value = "10";
    EXPECT_EQ(ids(LFSearchItems(ctx(), s).rows), QList<qint64>{b.id});

    // The tag criterion: a tag text, or with the item id shown as the tag a whole number.
    s.status = kLfFound;
    s.kind = LfSearchKind::TagOrId;
    s.value = "T-1";
    EXPECT_EQ(ids(LFSearchItems(ctx(), s).rows), QList<qint64>{f.id});
    SetValueFromKey(db(), "LF_UseItemIdAsTag", "1");
    EXPECT_EQ(LfTagCaption(ctx()), "Item ID");
    EXPECT_EQ(LFSearchItems(ctx(), s).refusal, kLfMsgItemIdNumber);
    s.value = "1 OR 1=1";
    EXPECT_EQ(LFSearchItems(ctx(), s).refusal, kLfMsgItemIdNumber);
    s.value = QString::number(f.id);
    EXPECT_EQ(ids(LFSearchItems(ctx(), s).rows), QList<qint64>{f.id});
    EXPECT_EQ(LfEntriesSelectedText(1), "1 Entries were selected.");
}

TEST_F(LfStoreItemsTest, DeletingOneRecordLogsItAndOnlyTouchesItsList) {
    const LfItem l = lost("Glasses", day(5));
    const LfItem f = found("Glasses case", day(5));
    EXPECT_FALSE(LFDeleteFoundItem(ctx(), l.id)) << "a lost report is not a found item";
    ASSERT_TRUE(LFDeleteLostItem(ctx(), l.id));
    ASSERT_TRUE(LFDeleteFoundItem(ctx(), f.id));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM [LostAndFound]").toInt(), 0);
    QFile log(env.databaseFolder() + "VelmS.mdb");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.contains("User: Ann Desk Deleted the Lost Item: Glasses on: Saturday, "
                              "03/14/2026 at 09:30 am at PC Named: "))
        << text.toStdString();
    EXPECT_TRUE(text.contains("User: Ann Desk Deleted the Found Item: Glasses case on: "));
}

TEST_F(LfStoreItemsTest, OptionsAndReturnNotes) {
    LfOptions o;
    EXPECT_EQ(CheckOptionsLF(o), kLfMsgOptionFoundDisposition);
    o.foundDisposition = "Donate";
    EXPECT_EQ(CheckOptionsLF(o), kLfMsgOptionMatchedDisposition);
    o.matchedDisposition = "Returned";
    SetOptionsLF(ctx(), o);
    EXPECT_EQ(GetOptionsLF(ctx()).foundDisposition, "Donate");
    EXPECT_EQ(GetOptionsLF(ctx()).matchedDisposition, "Returned");

    const LfItem f = found("Hat", day(5));
    ASSERT_TRUE(LFAddReturnNotes(ctx(), f.id, "Sent by post"));
    ASSERT_TRUE(LFAddReturnNotes(ctx(), f.id, "Signed for"));
    EXPECT_EQ(LFGetTheItem(ctx(), f.id)->returnNotes,
              "Sent by post\r\nAdded by Ann Desk on 03/14/2026\r\nSigned for\r\n"
              "Added by Ann Desk on 03/14/2026");
    EXPECT_FALSE(LFAddReturnNotes(ctx(), 999999, "x"));
}

} // namespace vm::test
