// The hub's result list as the record screens use it: a saved record's row
// back in place (or added), a deleted one taken out with the count line
// following, next/previous in the order shown, the count line's two forms,
// and the current/archive selector.
#include "platform/forms/RecordList.h"
#include "core/ListSizeGuard.h"
#include "platform/forms/DataGrid.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLabel>

using namespace vm;

namespace {

class RecordListTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        grid.setHeaders({"Name", "City"});
        list = RecordList(&grid, &count, &source);
        source.addItems({"Current", "Archive"});
        list.clear();
        list.add(10, {"Harbour Grill", "Oslo"});
        list.add(20, {"Bay Bistro", "Bergen"});
        list.add(30, {"Cove Cafe", "Alta"});
        list.showCount();
    }

    QStringList names() const {
        QStringList out;
        for (int r = 0; r < grid.rowCount(); ++r)
            out << grid.cell(r, 0);
        return out;
    }

    DataGrid grid;
    QLabel count;
    QComboBox source;
    RecordList list;
};

} // namespace

TEST(CountCaption, ZeroHasItsOwnWordingAndLargeCountsAreGrouped) {
    const struct {
        qint64 n;
        const char* caption;
    } cases[] = {{0, " 0 Entries were selected."},
                 {1, "1 Entries were selected"},
                 {999, "999 Entries were selected"},
                 {1000, "1,000 Entries were selected"},
                 {1234567, "1,234,567 Entries were selected"}};
    for (const auto& c : cases)
        EXPECT_EQ(CountCaption(c.n), c.caption) << c.n;
}

TEST_F(RecordListTest, ASavedRecordReplacesItsRowInPlaceAndBecomesCurrent) {
    EXPECT_EQ(count.text(), "3 Entries were selected");
    list.upsert(20, {"Bay Bistro & Bar", "Bergen"});
    EXPECT_EQ(names(), QStringList({"Harbour Grill", "Bay Bistro & Bar", "Cove Cafe"}));
    EXPECT_EQ(grid.currentKey(), 20);
    EXPECT_EQ(count.text(), "3 Entries were selected");
}

TEST_F(RecordListTest, ANewRecordIsAddedAndCounted) {
    list.upsert(40, {"Dock House", "Tromso"}, QColor(Qt::red));
    EXPECT_EQ(names().size(), 4);
    EXPECT_EQ(names().last(), "Dock House");
    EXPECT_EQ(grid.foreground(3), QColor(Qt::red));
    EXPECT_EQ(grid.currentKey(), 40);
    EXPECT_EQ(count.text(), "4 Entries were selected");
}

TEST_F(RecordListTest, RemovingRowsRewritesTheCountDownToTheEmptyLine) {
    EXPECT_FALSE(list.remove(99)); // not listed: nothing changes
    EXPECT_EQ(count.text(), "3 Entries were selected");
    EXPECT_TRUE(list.remove(20));
    EXPECT_EQ(names(), QStringList({"Harbour Grill", "Cove Cafe"}));
    EXPECT_EQ(count.text(), "2 Entries were selected");
    EXPECT_TRUE(list.remove(10));
    EXPECT_TRUE(list.remove(30));
    EXPECT_EQ(count.text(), " 0 Entries were selected.");
}

TEST_F(RecordListTest, NeighboursFollowTheOrderShownAndStopAtTheEnds) {
    const struct {
        qint64 key;
        int step;
        qint64 expected;
    } asShown[] = {{10, +1, 20}, {20, +1, 30}, {30, +1, 0}, {30, -1, 20},
                   {10, -1, 0},  {99, +1, 0},  {20, -1, 10}};
    for (const auto& c : asShown)
        EXPECT_EQ(list.neighbour(c.key, c.step), c.expected) << c.key << " " << c.step;

    // Sorted by city with a header click: Alta (30), Bergen (20), Oslo (10).
    grid.sortByColumn(1, Qt::AscendingOrder);
    EXPECT_EQ(list.neighbour(30, +1), 20);
    EXPECT_EQ(list.neighbour(20, +1), 10);
    EXPECT_EQ(list.neighbour(10, +1), 0);
    EXPECT_EQ(list.neighbour(30, -1), 0);
}

TEST_F(RecordListTest, TheSelectorAndTheListedSourceAreKeptApart) {
    EXPECT_FALSE(list.archiveChosen());
    source.setCurrentIndex(1);
    EXPECT_TRUE(list.archiveChosen());
    // Choosing the archive does not change what the rows shown came from.
    EXPECT_FALSE(list.listsArchive());
    list.setListsArchive(true);
    EXPECT_TRUE(list.listsArchive());

    RecordList noSelector(&grid, &count);
    EXPECT_FALSE(noSelector.archiveChosen());
}

TEST_F(RecordListTest, ClearingEmptiesTheGridAndTheCountLine) {
    list.clear();
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_TRUE(count.text().isEmpty());
}

TEST(ListSizeGuard, BoundariesOfEveryListAndTheirTexts) {
    const struct {
        const ListSizeGuard& guard;
        qint64 count;
        bool asks, refuses;
    } cases[] = {
        {ContactListGuard, 1000, false, false}, {ContactListGuard, 1001, true, false},
        {ContactListGuard, 2000, true, false},  {ContactListGuard, 2001, false, true},
        {EventListGuard, 1001, true, false},    {EventListGuard, 2001, false, true},
        {LogbookListGuard, 500, false, false},  {LogbookListGuard, 501, true, false},
        {LogbookListGuard, 1001, false, true},  {ProfileListGuard, 750, true, false},
        {ProfileListGuard, 1200, false, true},
    };
    for (const auto& c : cases) {
        test::RecordingPrompt prompt;
        if (c.asks) prompt.answer(Answer::No);
        EXPECT_EQ(c.guard.allows(prompt, c.count), !c.asks && !c.refuses)
            << c.guard.phrase << " " << c.count;
        if (!c.asks && !c.refuses) {
            EXPECT_TRUE(prompt.shown.isEmpty());
            continue;
        }
        ASSERT_EQ(prompt.shown.size(), 1);
        EXPECT_EQ(prompt.shown[0].question, c.asks);
        EXPECT_EQ(prompt.shown[0].text,
                  c.asks ? c.guard.listThemAllQuestion(c.count) : c.guard.tooManyMessage(c.count));
    }
    // A Yes lists them.
    test::RecordingPrompt prompt;
    prompt.answer(Answer::Yes);
    EXPECT_TRUE(ProfileListGuard.allows(prompt, 750));

    EXPECT_EQ(ProfileListGuard.listThemAllQuestion(750),
              "There are 750 entries in the Profile\r\n List meeting the selection "
              "requirements.\r\n Shall we list them all?");
    EXPECT_EQ(ProfileListGuard.tooManyMessage(1200),
              "There are 1200 entries in the Profile List\r\n meeting the selection "
              "requirements.\r\n Please refine your selection criteria");
    EXPECT_EQ(ContactListGuard.listThemAllQuestion(1500),
              "There are 1500 entries in the Contact\r\n List meeting the selection "
              "requirements.\r\n Shall we list them all?");
    // The logbook's phrase keeps its last word on the first line.
    EXPECT_EQ(LogbookListGuard.listThemAllQuestion(600),
              "There are 600 entries in the Logbook\r\n meeting the selection "
              "requirements.\r\n Shall we list them all?");
}

TEST_F(RecordListTest, ARecordListedOnSeveralRowsIsWalkedPastAndRemovedWhole) {
    // A guest listed once per contact: next/previous pass over its other rows.
    list.add(20, {"Bay Bistro", "Bergen (2)"});
    list.add(40, {"Dune Diner", "Bodo"});
    EXPECT_EQ(list.neighbour(20, +1), 30);
    EXPECT_EQ(list.neighbour(30, -1), 20);
    EXPECT_EQ(list.neighbour(40, -1), 20);
    EXPECT_EQ(list.neighbour(40, +1), 0);
    EXPECT_TRUE(list.remove(20));
    EXPECT_EQ(names(), (QStringList{"Harbour Grill", "Cove Cafe", "Dune Diner"}));
    EXPECT_EQ(count.text(), "3 Entries were selected");
    EXPECT_FALSE(list.remove(20));
}
