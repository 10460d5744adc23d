// The staff editor's work from start to end: a new member cloned from another,
// saved and logging on; deactivating, reactivating and deleting.

#include "StaffScreenFixture.h"

#include "admin/forms/StaffModule.h"
#include "desk/Messages.h"
#include "security/Logon.h"

namespace vm::test {
namespace {

using namespace screen;

class StaffScreen : public StaffScreenFixture {};

TEST_F(StaffScreen, ClonedMemberSavedWithItsChangesLogsOnToExactlyItsTabs) {
    // Zoe: no Events tab, her own category list.
    setRight(member, Rights::TabEvents, false);
    ReplaceStaffList(ctx(), member, StaffList::Categories, {"Spa", "Tours"});
    auto f = openEditor();

    click(*f, "cmdNew");
    type(*f, "txtConcierge", "Nina New");
    type(*f, "txtInitials", "NN");
    type(*f, "txtUserProfile", "nina");
    choose(*f, "cboClone", "Zoe Zeal");
    click(*f, "cmdClone");
    click(*f, "cmdCloneR");
    EXPECT_FALSE(control<QCheckBox>(*f, "chkTabs2")->isChecked()); // cloned: no Events
    ASSERT_EQ(showTab(*f, RightsTab), RightsTab);
    tick(*f, "chkTabs4", false); // and no Messages either
    tick(*f, "chkTabs7", true);
    tick(*f, "chkAdministration1", true);
    ASSERT_EQ(showTab(*f, CategoriesTab), CategoriesTab);
    EXPECT_EQ(listItems(*f, "lstCategoriesU"), QStringList({"Spa", "Tours"}));
    addToList(*f, "CategoriesU", "Dining");
    control<QListWidget>(*f, "lstCategoriesU")->setCurrentRow(2);
    click(*f, "cmdUpCategoriesU");
    addToList(*f, "CategoriesR", "Tours");
    click(*f, "cmdChange");
    EXPECT_EQ(prompt.unusedAnswers(), 0);

    const qint64 nina = idOf("Nina New");
    ASSERT_GT(nina, 0) << prompt.texts().join(" | ").toStdString();
    const QString zoeTabs = rightsOf(member, RightsArea::Tabs);
    EXPECT_EQ(rightsOf(nina, RightsArea::Tabs),
              SetRightChar(SetRightChar(zoeTabs, 4, false), 7, true));
    EXPECT_EQ(rightsOf(nina, RightsArea::Administration),
              SetRightChar(rightsOf(member, RightsArea::Administration), 1, true));
    EXPECT_EQ(GetStaffList(ctx(), nina, StaffList::Categories),
              QStringList({"Spa", "Dining", "Tours"}));
    EXPECT_EQ(GetStaffList(ctx(), nina, StaffList::SecondCategories), QStringList({"Tours"}));
    // The saved member is listed and stays chosen.
    EXPECT_TRUE(listed(*f).contains("Nina New"));
    EXPECT_EQ(text(*f, "txtInitials"), "NN");

    // The first logon with the logon name as password succeeds and asks for a new password.
    env.ctx->session.clear();
    window = std::make_unique<frmSearch>(ctx());
    InstallStaffEditor(ctx(), *window);
    window->setLogonHandler([this] {
        const LogonCheck check = CheckLogon(ctx(), "nina", "nina");
        EXPECT_EQ(check.result, LogonResult::Ok);
        EXPECT_TRUE(check.mustChange);
        return check.result == LogonResult::Ok;
    });
    window->Logon();
    ASSERT_EQ(ctx().session.conciergeId, nina);
    QStringList shown;
    for (int i = 0; i < window->tabs()->count(); ++i)
        if (window->tabs()->isTabVisible(i)) shown << window->tabs()->tabText(i);
    // Zoe's tabs without Events, then Messages cleared and Administration ticked.
    EXPECT_EQ(shown, QStringList({"Contacts", "Logbook", "Others", "Profiles", "Administration"}));
    // Nina was given the staff right: her Administration button opens the editor.
    window->tabs()->setCurrentWidget(window->tabPage("Administration"));
    click(*window, "cmdConciergeStaff");
    EXPECT_TRUE(window->findChild<frmStaffPlus*>());
}

TEST_F(StaffScreen, DeactivatingResetsThePasswordAndDeletesMessagesOnlyWhenAsked) {
    OutgoingMessage m;
    m.sender = "Max Major";
    m.recipient = "Zoe Zeal";
    m.due = env.clock.now();
    m.text = "see me";
    ASSERT_FALSE(InsertTheMessage(ctx(), m).isEmpty());
    m.recipient = "Max Major";
    ASSERT_FALSE(InsertTheMessage(ctx(), m).isEmpty());
    const auto messagesTo = [this](const QString& name) {
        return env.db()
            .scalar("SELECT COUNT(*) FROM [MsgTimer] WHERE [ConciergeName] = ?", {name})
            .toInt();
    };
    auto f = openEditor();

    pick(*f, "Zoe Zeal");
    tick(*f, "chkInactive", true);
    prompt.answer(Answer::Yes);
    click(*f, "cmdChange");
    EXPECT_TRUE(prompt.saw("Do you wish to delete ALL MESSAGES sent to Zoe Zeal?"));
    EXPECT_TRUE(prompt.sawPart("While changing this Concierge to Inactive status"));
    EXPECT_TRUE(prompt.sawPart("as the User Profile (ZOE)."));
    EXPECT_EQ(column(member, "Status").toString(), "I");
    EXPECT_EQ(messagesTo("Zoe Zeal"), 0);
    EXPECT_EQ(messagesTo("Max Major"), 1);
    EXPECT_TRUE(listed(*f).contains("Zoe Zeal  (Inactive)"));
    EXPECT_EQ(CheckLogon(ctx(), "ZOE", "ZOE").result, LogonResult::Inactive);

    // Back to active: a reminder, and the next logon must change the password.
    prompt.clear();
    pick(*f, "Zoe Zeal");
    tick(*f, "chkInactive", false);
    click(*f, "cmdChange");
    EXPECT_TRUE(prompt.sawPart("As you change this Concierge to Active status"));
    EXPECT_FALSE(prompt.sawPart("ALL MESSAGES"));
    EXPECT_EQ(column(member, "Status").toString(), "A");
    const LogonCheck back = CheckLogon(ctx(), "ZOE", "zoe");
    EXPECT_EQ(back.result, LogonResult::Ok);
    EXPECT_TRUE(back.mustChange);

    // Renamed and deactivated at once: both questions come before the save, in
    // that order; the rename carries the messages along, and answered No they stay.
    // (The logon above made Zoe the session's member: the manager again.)
    env.logOn(manager);
    const qint64 ann = env.addStaff("Ann Alder", "ANN", "AA");
    m.recipient = "Ann Alder";
    ASSERT_FALSE(InsertTheMessage(ctx(), m).isEmpty());
    f->refreshList();
    pick(*f, "Ann Alder");
    type(*f, "txtConcierge", "Ann Bay");
    tick(*f, "chkInactive", true);
    prompt.clear();
    prompt.answer(Answer::Yes);
    prompt.answer(Answer::No);
    click(*f, "cmdChange");
    ASSERT_GE(prompt.shown.size(), 3);
    EXPECT_TRUE(prompt.shown[0].question);
    EXPECT_TRUE(prompt.shown[0].text.startsWith("The Concierge Name has changed."));
    EXPECT_EQ(prompt.shown[1].text, "Do you wish to delete ALL MESSAGES sent to Ann Bay?");
    EXPECT_FALSE(prompt.shown[2].question);
    EXPECT_EQ(column(ann, "Status").toString(), "I");
    EXPECT_EQ(messagesTo("Ann Bay"), 1);
    EXPECT_TRUE(listed(*f).contains("Ann Bay  (Inactive)"));
}

TEST_F(StaffScreen, DeleteAsksFirstAndRemovesTheMemberButNeverTheManagerHimself) {
    auto f = openEditor();
    pick(*f, "Zoe Zeal");
    prompt.answer(Answer::No);
    click(*f, "cmdDelete");
    EXPECT_TRUE(prompt.sawPart("Please confirm that you wish to Delete this"));
    EXPECT_TRUE(column(member, "Concierge").isValid());

    prompt.answer(Answer::Yes);
    click(*f, "cmdDelete");
    EXPECT_FALSE(column(member, "Concierge").isValid());
    EXPECT_FALSE(listed(*f).join("|").contains("Zoe Zeal"));
    EXPECT_EQ(text(*f, "txtConcierge"), "");
    // Nothing chosen any more: the other tabs are closed again.
    prompt.clear();
    EXPECT_EQ(showTab(*f, ScheduleTab), IdentityTab);
    EXPECT_EQ(prompt.last(), "You must select a Staff Member before accessing this tab.");

    // The manager cannot delete his own account.
    prompt.clear();
    pick(*f, "Max Major");
    prompt.answer(Answer::Yes);
    click(*f, "cmdDelete");
    EXPECT_EQ(prompt.shown.size(), 2);
    EXPECT_TRUE(column(manager, "Concierge").isValid());
    EXPECT_TRUE(listed(*f).join("|").contains("Max Major"));
}

} // namespace
} // namespace vm::test
