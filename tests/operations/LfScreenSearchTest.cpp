// The lost-and-found window: its criteria and count, opening a record from
// the grid, the printed list, the mass disposition with its file, the options
// and the property's own lists.

#include "operations/LfScreenFixture.h"
#include "operations/forms/LostFoundModule.h"
#include "operations/forms/frmLostAndFound.h"
#include "operations/forms/frmLostLost.h"
#include "platform/CsvWriter.h"
#include "support/CsvReader.h"

#include <QListWidget>
#include <QRadioButton>

using namespace vm;
using namespace vm::test;

namespace {

class LfScreenSearch : public LfScreenFixture {
protected:
    void search(frmLostAndFound& w, const char* list, const char* criterion) {
        control<QRadioButton>(w, list)->setChecked(true);
        control<QRadioButton>(w, criterion)->setChecked(true);
        env.prompt.clear();
        click(w, "cmdSearch");
    }
    QStringList shownItems(frmLostAndFound& w) {
        auto* grid = control<DataGrid>(w, "grdLostFound");
        QStringList items;
        for (int r = 0; r < grid->rowCount(); ++r)
            items << grid->cell(r, 0);
        return items;
    }
};

} // namespace

TEST_F(LfScreenSearch, TheCriteriaCountAndPrintTheListAndOpenARecord) {
    lostItem("Watch", "Jewelry", day(-5));
    lostItem("Phone", "Electronics", day(-2), "Smith");
    lostItem("Umbrella", "Clothing", day(-10), "O'Brien");
    foundItem("Phone case", "Electronics", day(-1));

    frmLostAndFound w(ctx());
    search(w, "optLost", "optAll");
    EXPECT_EQ(shownItems(w), (QStringList{"Phone", "Umbrella", "Watch"})); // by description
    EXPECT_EQ(text(w, "lblCount"), "3 Entries were selected.");

    search(w, "optLost", "optLastName");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgEnterCriteria});
    type(w, "txtLastName", "o'brien"); // a quote is text, not SQL
    search(w, "optLost", "optLastName");
    EXPECT_EQ(shownItems(w), QStringList{"Umbrella"});
    EXPECT_EQ(text(w, "lblCount"), "1 Entries were selected.");

    type(w, "txtFromDate", Formats::ShortDate(day(-6)));
    type(w, "txtThroughDate", "13/01/2026");
    search(w, "optLost", "optDateRange");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgValidDate});
    type(w, "txtThroughDate", Formats::ShortDate(day(-2)));
    search(w, "optLost", "optDateRange");
    EXPECT_EQ(shownItems(w), (QStringList{"Phone", "Watch"}));
    choose(w, "cboCategoryFilter", "Electronics");
    search(w, "optLost", "optDateRange");
    EXPECT_EQ(shownItems(w), QStringList{"Phone"});
    search(w, "optFound", "optAll");
    EXPECT_EQ(shownItems(w), QStringList{"Phone case"});
    choose(w, "cboCategoryFilter", "");

    search(w, "optLost", "optAll");
    click(w, "cmdPrint");
    const QStringList pages = printed("LostList.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(InOrder(pages[0], {"Lost Items List", "Phone", "Smith", "Umbrella", "O'Brien",
                                   "Watch"}))
        << pages[0].toStdString();

    // Enter on a row opens the report in its own screen.
    auto* grid = control<DataGrid>(w, "grdLostFound");
    grid->setFocus();
    grid->selectKey(grid->keyAt(1));
    QTest::keyClick(grid, Qt::Key_Return);
    auto* opened = w.findChild<frmLostLost*>("frmLostLost");
    ASSERT_TRUE(opened);
    EXPECT_EQ(text(*opened, "txtItemText"), "Umbrella");
    EXPECT_EQ(text(*opened, "txtLastName"), "O'Brien");

    // Adding needs the lost-and-found right.
    env.logOn(member);
    env.prompt.clear();
    click(w, "cmdAddFound");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgNotAuthorizedAdd});
}

TEST_F(LfScreenSearch, AMassDispositionWritesItsFileAndClosesOnlyTheOlderFoundItems) {
    foundItem("Old hat", "Clothing", day(-40));
    foundItem("Old, torn coat", "Clothing", day(-35));
    const qint64 recent = foundItem("New bag", "Clothing", day(-1));
    frmLostAndFound w(ctx());

    type(w, "txtDisposeDate", Formats::ShortDate(day(1)));
    click(w, "cmdDispose");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgDisposeFuture});

    env.prompt.clear();
    type(w, "txtDisposeDate", Formats::ShortDate(day(-60)));
    env.prompt.answer(Answer::Yes);
    click(w, "cmdDispose");
    EXPECT_EQ(env.prompt.texts(),
              (QStringList{LFMassConfirmText(LfMassKind::DisposeFound, day(-60)),
                           kLfMsgNoFoundPrior}));

    env.prompt.clear();
    type(w, "txtDisposeDate", Formats::ShortDate(day(-30)));
    env.prompt.answer(Answer::Yes);
    click(w, "cmdDispose");
    ASSERT_EQ(env.prompt.texts().size(), 2);
    const QString path = ctx().workstation.outputFolder() + "DisposedItems.csv";
    EXPECT_EQ(env.prompt.texts()[1], FileWrittenMessage(path, true));
    const QList<QStringList> rows = ReadCsv(path);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], LfMassColumns(LfMassKind::DisposeFound));
    EXPECT_EQ(QStringList({rows[1][0], rows[2][0]}), (QStringList{"Old hat", "Old, torn coat"}));
    EXPECT_EQ(count("[ItemStatus] = 'D' AND [FirstName] = ? AND [LastName] = ?",
                    {"(Mass Disposition)", "As of: " + Formats::StoredDate(day(0))}),
              2);
    EXPECT_EQ(LFGetTheItem(ctx(), recent)->status, kLfFound);

    search(w, "optClosed", "optAll");
    EXPECT_EQ(text(w, "lblCount"), "2 Entries were selected.");
}

TEST_F(LfScreenSearch, OptionsAndTheUserDefinedListsFollowTheirRules) {
    frmLostAndFound w(ctx());
    click(w, "cmdSave");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgOptionFoundDisposition});
    choose(w, "cboFoundDisposition", "Donated");
    choose(w, "cboMatchedDisposition", "Returned");
    control<QCheckBox>(w, "chkLockEditing")->setChecked(true);
    env.prompt.clear();
    click(w, "cmdSave");
    EXPECT_TRUE(env.prompt.texts().isEmpty());
    EXPECT_EQ(GetOptionsLF(ctx()).matchedDisposition, "Returned");
    EXPECT_TRUE(LfLockEditing(ctx()));

    // Five lists; a duplicate name in another case and a sixth list are refused.
    for (const QString name : {"Color", "Brand", "Size", "Material", "Condition"}) {
        env.prompt.type(name);
        click(w, "cmdNewUdCat");
    }
    EXPECT_EQ(control<QListWidget>(w, "lstUdCats")->count(), 5);
    env.prompt.clear();
    click(w, "cmdNewUdCat");
    ASSERT_EQ(env.prompt.shown.size(), 1u);
    EXPECT_EQ(env.prompt.shown[0].text, kLfMsgTooManyLists);
    EXPECT_EQ(env.prompt.shown[0].title, kLfTitleTooManyLists);

    control<QListWidget>(w, "lstUdCats")->setCurrentRow(0); // Color
    env.prompt.type(QString("Red"));
    click(w, "cmdNewUdItem");
    env.prompt.clear();
    env.prompt.type(QString("RED"));
    click(w, "cmdNewUdItem");
    ASSERT_EQ(env.prompt.shown.size(), 2u);
    EXPECT_EQ(env.prompt.shown[1].text, LfDuplicateListItemText("RED"));
    EXPECT_EQ(env.prompt.shown[1].title, kLfTitleDuplicateList);
    auto* items = control<QListWidget>(w, "lstUdItems");
    ASSERT_EQ(items->count(), 1);

    // Deleting an item clears it from the records that use it.
    const qint64 red = items->item(0)->data(Qt::UserRole).toLongLong();
    const qint64 id = foundItem("Scarf", "Clothing", day(-1));
    env.db().exec("UPDATE [LostAndFound] SET [UdCategory1] = ? WHERE [ItemID] = ?", {red, id});
    items->setCurrentRow(0);
    env.prompt.clear();
    env.prompt.answer(Answer::Yes);
    click(w, "cmdDeleteUdItem");
    ASSERT_EQ(env.prompt.shown.size(), 1u);
    EXPECT_EQ(env.prompt.shown[0].title, kLfTitleDeleteListItem);
    EXPECT_EQ(items->count(), 0);
    EXPECT_EQ(LFGetTheItem(ctx(), id)->udCategory[0], 0);
}

TEST_F(LfScreenSearch, TheOthersIconOpensOneWindowForAMemberWithTheRight) {
    env.ctx->session.clear(); // the main window logs its own member on
    startDesk(member);
    InstallLostAndFound(*env.ctx, *window);
    clickIcon("imgLostAndFound");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgNotAuthorizedWork});
    EXPECT_FALSE(window->findChild<frmLostAndFound*>());

    setRight(member, Rights::AddOnsLostAndFound, true);
    clickIcon("imgLostAndFound");
    clickIcon("imgLostAndFound");
    const auto open = window->findChildren<frmLostAndFound*>();
    ASSERT_EQ(open.size(), 1);
    EXPECT_TRUE(open[0]->isVisible());
}
