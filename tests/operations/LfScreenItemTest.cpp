// A lost report typed on its screen, refused field by field, saved, matched
// with a found item and closed; the found item's screen records its changes.

#include "core/Settings.h"
#include "operations/LfScreenFixture.h"
#include "operations/forms/frmLostDisposed.h"
#include "operations/forms/frmLostFound.h"
#include "operations/forms/frmLostLost.h"
#include "operations/forms/frmLostMatched.h"

using namespace vm;
using namespace vm::test;

namespace {

class LfScreenItem : public LfScreenFixture {};

} // namespace

TEST_F(LfScreenItem, ALostReportIsCheckedInOrderSavedMatchedAndClosedAsOneRecord) {
    const qint64 color = CreateLostAndFoundUdCategory(ctx(), "Color").id;
    const qint64 red = CreateLostAndFoundUdCategoryItem(ctx(), color, "Red").id;
    const qint64 ring = foundItem("Gold ring", "Jewelry", day(-1));
    foundItem("Scarf", "Clothing", day(-1)); // not the category
    SetValueString(env.db(), "LF_Disposed_Disclaimer", "Unclaimed items are kept 90 days.");

    QWidget host; // the search window's place: the closing dialog outlives the item forms
    {
        // The found item gets its list value and a new place on its own screen.
        auto* found = new frmLostFound(ctx(), ring, &host);
        EXPECT_EQ(text(*found, "lblUdCategory1"), "Custom (Color):");
        EXPECT_EQ(text(*found, "lblUdCategory2"), "Undefined Category");
        choose(*found, "cboUdCategory1", "Red");
        choose(*found, "cboStoredLocation", "Closet");
        click(*found, "cmdSave");
        EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("|").toStdString();
        delete found;
    }
    ASSERT_GT(env.db().scalar("SELECT COUNT(*) FROM [LostAndFoundHistory] WHERE [lfID] = ?",
                              {ring}).toInt(), 0);

    auto* lost = new frmLostLost(ctx(), 0, &host);
    lost->show();
    control<QCheckBox>(*lost, "chkMatchCategory")->setChecked(true);
    struct Step {
        std::function<void()> act;
        QString refusal;
    };
    const std::vector<Step> steps{
        {[] {}, kLfMsgLostDescription},
        {[&] { type(*lost, "txtItemText", "Gold ring"); }, kLfMsgCategory},
        {[&] { choose(*lost, "cboCategory", "Jewelry"); }, kLfMsgLostLocation},
        {[&] {
             choose(*lost, "cboLostLocation", "Lobby");
             type(*lost, "txtLostDate", "02/30/2026");
         },
         kLfMsgLostDate},
        {[&] { type(*lost, "txtLostDate", Formats::ShortDate(day(0))); }, kLfMsgFirstName},
        {[&] { type(*lost, "txtFirstName", "Lea"); }, kLfMsgLastName},
    };
    for (const Step& s : steps) {
        env.prompt.clear();
        s.act();
        click(*lost, "cmdSave");
        EXPECT_EQ(env.prompt.texts(), QStringList{s.refusal});
    }
    EXPECT_EQ(count("1 = 1"), 2); // nothing filed while refused

    env.prompt.clear();
    type(*lost, "txtLastName", "Moreau");
    click(*lost, "cmdSave");
    ASSERT_EQ(env.prompt.shown.size(), 1u);
    EXPECT_EQ(env.prompt.shown[0].text, LfPossibleMatchesText(1));
    EXPECT_EQ(env.prompt.shown[0].title, "Possible Match");
    const qint64 lostId = lost->itemId();
    ASSERT_GT(lostId, 0);
    auto* matches = control<DataGrid>(*lost, "grdMatches");
    ASSERT_EQ(matches->rowCount(), 1); // the scarf is another category
    EXPECT_EQ(matches->keyAt(0), ring);

    env.prompt.clear();
    click(*lost, "cmdMatch");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgNoItemSelected});
    matches->selectKey(ring);
    click(*lost, "cmdMatch");
    auto* closing = host.findChild<frmLostMatched*>("frmLostMatched");
    ASSERT_TRUE(closing);
    EXPECT_EQ(text(*closing, "txtLastName"), "Moreau"); // the owner comes from the report
    env.prompt.clear();
    click(*closing, "cmdSave");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgReturnMethod});
    choose(*closing, "cboReturnMethod", "In Person");
    type(*closing, "txtReturnCharge", "12.5");
    type(*closing, "txtCardNumber", "4111 1111 1111 1111");
    env.prompt.clear();
    click(*closing, "cmdSave");
    EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("|").toStdString();
    EXPECT_FALSE(lost->isVisible()); // the report's screen closed with it

    // One closed row holding both sides, the found item's list value and history.
    EXPECT_EQ(count("1 = 1"), 2);
    EXPECT_EQ(count("[ItemID] = ?", {ring}), 0);
    const auto closed = LFGetTheItem(ctx(), lostId);
    ASSERT_TRUE(closed);
    EXPECT_EQ(closed->status, kLfClosed);
    EXPECT_EQ(closed->storedLocation, "Closet");
    EXPECT_EQ(closed->finderName, "Ana Finch");
    EXPECT_EQ(closed->udCategory[0], red);
    EXPECT_EQ(closed->returnMethod, "In Person");
    EXPECT_EQ(closed->returnDate, Formats::StoredDate(day(0)));
    EXPECT_FALSE(closed->encCC.isEmpty());
    EXPECT_FALSE(closed->encCC.contains("4111111111111111")); // kept enciphered only
    EXPECT_GT(env.db().scalar("SELECT COUNT(*) FROM [LostAndFoundHistory] WHERE [lfID] = ?",
                              {lostId}).toInt(), 0);
    EXPECT_EQ(closing->closedId(), lostId);

    click(*closing, "cmdPrint");
    const QStringList pages = printed("Matched.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(InOrder(pages[0], {"Matched Lost and Found Item", "Gold ring", "Jewelry", "Closet",
                                   "Color:", "Red", "In Person", "12.50", "Lea Moreau",
                                   "Unclaimed items are kept 90 days."}))
        << pages[0].toStdString();

    // The closed record takes return notes; its card needs the card right.
    frmLostDisposed record(ctx(), lostId);
    control<QPlainTextEdit>(record, "txtNewNotes")->setPlainText("Picked up by her brother.");
    env.prompt.clear();
    click(record, "cmdSaveNotes");
    ASSERT_EQ(env.prompt.shown.size(), 1u);
    EXPECT_EQ(env.prompt.shown[0].text, kLfMsgReturnNotesSaved);
    EXPECT_EQ(env.prompt.shown[0].title, kLfTitleReturnNotes);
    const QString notes = control<QPlainTextEdit>(record, "txtReturnNotes")->toPlainText();
    EXPECT_TRUE(notes.contains("Picked up by her brother.")) << notes.toStdString();
    EXPECT_TRUE(notes.contains("Added by Max Major on ")) << notes.toStdString();
    env.logOn(member);
    env.prompt.clear();
    click(record, "cmdShowCard");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgNotAuthorizedDecrypt});
}

TEST_F(LfScreenItem, AFoundItemShowsItsIdAsTagAndItsHistoryAndMayBeLockedOrRefusedToMatch) {
    SetValueFromKey(env.db(), "LF_UseItemIdAsTag", "1");
    const qint64 id = foundItem("Camera", "Electronics", day(-3));
    QWidget host;
    auto* found = new frmLostFound(ctx(), id, &host);
    auto* otherDesk = new frmLostFound(ctx(), id, &host);
    EXPECT_EQ(text(*found, "lblTagNumber"), "Item ID:");
    EXPECT_EQ(text(*found, "txtTagNumber"), QString::number(id));
    type(*found, "txtFinderName", "Bo Reyes");
    click(*found, "cmdSave");
    const QString history = control<QPlainTextEdit>(*found, "txtHistory")->toPlainText();
    EXPECT_TRUE(history.contains("Max Major modified '")) << history.toStdString();
    EXPECT_TRUE(history.contains("Old Value: Ana Finch")) << history.toStdString();
    EXPECT_TRUE(history.contains("New: Bo Reyes")) << history.toStdString();

    // The same item opened before that save is not saved over it.
    env.prompt.clear();
    type(*otherDesk, "txtFinderName", "Cy Lunt");
    click(*otherDesk, "cmdSave");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgFoundChanged});
    EXPECT_EQ(LFGetTheItem(ctx(), id)->finderName, "Bo Reyes");

    // Locked editing: a saved item opens read-only.
    SetValueFromKey(env.db(), "LockLNFEditing", "True");
    {
        frmLostFound locked(ctx(), id);
        EXPECT_FALSE(control<QWidget>(locked, "cmdSave")->isEnabled());
        EXPECT_FALSE(control<QWidget>(locked, "txtItemText")->isEnabled());
    }

    // A member without the lost-and-found right cannot hand it back; the manager can.
    env.logOn(member);
    env.prompt.clear();
    click(*found, "cmdReturn");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgNotAuthorizedMatchFound});
    EXPECT_FALSE(host.findChild<frmLostMatched*>());
    env.logOn(manager);
    env.prompt.clear();
    click(*found, "cmdReturn");
    auto* closing = host.findChild<frmLostMatched*>("frmLostMatched");
    ASSERT_TRUE(closing);
    choose(*closing, "cboReturnMethod", "Mail");
    type(*closing, "txtFirstName", "Ivo");
    type(*closing, "txtLastName", "Hart");
    click(*closing, "cmdSave");
    EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(closing->closedId(), id); // the found row itself is the closed record
    const auto closed = LFGetTheItem(ctx(), id);
    EXPECT_EQ(closed->status, kLfClosed);
    EXPECT_EQ(closed->owner.lastName, "Hart");
    EXPECT_EQ(closed->finderName, "Bo Reyes");
}
