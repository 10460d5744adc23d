// The staff editor's refusals: reserved accounts, the tabs, the way in from
// the main window; and the message groups tab.

#include "StaffScreenFixture.h"

#include "admin/forms/StaffModule.h"
#include "core/Formats.h"

#include <QFile>

namespace vm::test {
namespace {

using namespace screen;

class StaffScreenRules : public StaffScreenFixture {};

TEST_F(StaffScreenRules, ReservedAccountsAreRefusedWithFocusOnTheNamedField) {
    const int accounts = env.db().scalar("SELECT COUNT(*) FROM [Concierge]").toInt();
    auto f = openEditor();
    click(*f, "cmdNew");
    // Every refusal below, in the order the fields are checked.
    const struct {
        QString name, initials, logon, text, field;
    } cases[] = {
        {"support Profile", "SP", "SP1",
         "This is a Reserved Name.  You may not add/edit it.  Thank you.", "txtConcierge"},
        {"", "SP", "SP1", "Please enter the Name of the Concierge.  Thank you.", "txtConcierge"},
        {"Sam Pole", "@@", "SP1",
         "This is a Reserved Set of Initials.  You may not add/edit it.  Thank you.",
         "txtInitials"},
        {"Sam Pole", "SP", "Support",
         "This is a Reserved User Profile.  You may not add/edit it.  Thank you.",
         "txtUserProfile"},
        {"Sam Pole", "ZZ", "SP1", "The Initials entered are already in use by another",
         "txtInitials"},
    };
    for (const auto& c : cases) {
        prompt.clear();
        // The refusal focuses another box first, so the check below means something.
        control<QWidget>(*f, "txtJobTitle")->setFocus();
        ASSERT_EQ(showTab(*f, ScheduleTab), ScheduleTab);
        type(*f, "txtConcierge", c.name);
        type(*f, "txtInitials", c.initials);
        type(*f, "txtUserProfile", c.logon);
        click(*f, "cmdChange");
        ASSERT_EQ(prompt.shown.size(), 1) << c.text.toStdString();
        EXPECT_TRUE(prompt.shown[0].text.startsWith(c.text)) << prompt.last().toStdString();
        EXPECT_EQ(f->focusWidget()->objectName(), c.field) << c.text.toStdString();
        EXPECT_EQ(control<QTabWidget>(*f, "tabStaff")->currentIndex(), IdentityTab);
    }
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [Concierge]").toInt(), accounts);
    // The accounts the editor refuses are not even listed.
    EXPECT_EQ(listed(*f), QStringList({"Max Major  (Authorized)", "Zoe Zeal"}));
}

TEST_F(StaffScreenRules, MaskedModeProposesAnEmployeeIdAndRefusesAnotherMembersId) {
    ctx().start.masked = true;
    env.db().exec("UPDATE [Concierge] SET [EUserID] = ? WHERE [ConciergeID] = ?",
                  {"z0041", member});
    auto f = openEditor();
    click(*f, "cmdNew");
    EXPECT_EQ(text(*f, "txtEUserID"), "z0042");
    // Nothing stored yet: no password to reset.
    click(*f, "cmdReset");
    EXPECT_TRUE(prompt.last().startsWith("Please <Save> the Concierge Information before "));

    type(*f, "txtConcierge", "Nora Nye");
    type(*f, "txtInitials", "NY");
    type(*f, "txtUserProfile", "NORA");
    type(*f, "txtEUserID", "Z0041");
    control<QWidget>(*f, "txtConcierge")->setFocus();
    click(*f, "cmdChange");
    EXPECT_EQ(prompt.shown.last().title, "Network User ID Duplicate");
    EXPECT_EQ(prompt.last(), "The Network User ID entered is associated with Zoe Zeal.\r\n"
                             "Please verify the data entered. Thank you.");
    EXPECT_EQ(f->focusWidget()->objectName(), "txtEUserID");
    type(*f, "txtEUserID", "z0042");
    click(*f, "cmdChange");
    EXPECT_EQ(column(idOf("Nora Nye"), "EUserID").toString(), "z0042");
}

TEST_F(StaffScreenRules, TabsNeedAChosenMemberAndRightsAreClosedToLanguageOnlyMembers) {
    auto f = openEditor();
    EXPECT_EQ(showTab(*f, RightsTab), IdentityTab);
    EXPECT_EQ(prompt.last(), "You must select a Staff Member before accessing this tab.");
    EXPECT_EQ(showTab(*f, GroupsTab), IdentityTab);
    EXPECT_EQ(prompt.shown.size(), 2);

    pick(*f, "Zoe Zeal");
    EXPECT_EQ(text(*f, "txtUserProfile"), "ZOE");
    tick(*f, "chkLanguageOnly", true);
    prompt.clear();
    EXPECT_EQ(showTab(*f, RightsTab), IdentityTab);
    EXPECT_EQ(prompt.last(), "This tab is not available for this Staff Member.");
    // The languages are what such a member is kept for.
    EXPECT_EQ(showTab(*f, LanguagesTab), LanguagesTab);
    tick(*f, "chkLanguageOnly", false);
    prompt.clear();
    EXPECT_EQ(showTab(*f, RightsTab), RightsTab);
    EXPECT_TRUE(prompt.shown.isEmpty());

    // Check all and uncheck all set every position shown, and nothing is saved yet.
    const QString stored = rightsOf(member, RightsArea::Logbook);
    click(*f, "cmdUncheckAll");
    for (QCheckBox* b :
         f->findChildren<QCheckBox*>(QRegularExpression("^chk(Tabs|Logbook|AddOns)\\d+$")))
        EXPECT_FALSE(b->isChecked()) << b->objectName().toStdString();
    click(*f, "cmdCheckAll");
    EXPECT_TRUE(control<QCheckBox>(*f, "chkAddOns5")->isChecked());
    EXPECT_EQ(rightsOf(member, RightsArea::Logbook), stored);
}

TEST_F(StaffScreenRules, AdministrationButtonRefusesMembersWithoutTheStaffRight) {
    setRight(member, Rights::TabAdministration, true);
    ctx().session.clear();
    startDesk(member);
    ASSERT_EQ(ctx().session.conciergeId, member);
    InstallStaffEditor(ctx(), *window);
    window->tabs()->setCurrentWidget(window->tabPage("Administration"));
    click(*window, "cmdConciergeStaff");
    EXPECT_EQ(prompt.last(), "You are not authorized to maintain Concierge Staff.");
    EXPECT_FALSE(window->findChild<frmStaffPlus*>());

    // The manager passes; a second click brings the same window forward.
    window->Logoff();
    window->setLogonHandler([this] {
        env.logOn(manager);
        return true;
    });
    window->Logon();
    window->tabs()->setCurrentWidget(window->tabPage("Administration"));
    click(*window, "cmdConciergeStaff");
    click(*window, "cmdConciergeStaff");
    const auto editors = window->findChildren<frmStaffPlus*>();
    ASSERT_EQ(editors.size(), 1);
    EXPECT_EQ(editors[0]->windowTitle(),
              "Additional Staff Information - " + Formats::LongDate(env.clock.today()));

    // Its export writes the staff file and names it.
    prompt.clear();
    click(*editors[0], "cmdAllStaff");
    ASSERT_TRUE(prompt.last().startsWith("The file: ")) << prompt.last().toStdString();
    EXPECT_TRUE(prompt.last().endsWith("AllStaff.csv has been created."));
    EXPECT_TRUE(QFile::exists(ctx().workstation.outputFolder() + "AllStaff.csv"));
    // Logging off closes it with the session.
    window->Logoff();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window->findChild<frmStaffPlus*>());
}

TEST_F(StaffScreenRules, MessageGroupsAreKeptAndTheMemberJoinsThemInOrder) {
    auto f = openEditor();
    pick(*f, "Zoe Zeal");
    ASSERT_EQ(showTab(*f, GroupsTab), GroupsTab);
    for (const QString g : {"Bell", "Front", "bell"}) {
        type(*f, "txtMessageGroup", g);
        click(*f, "cmdAddGroup");
    }
    EXPECT_EQ(prompt.texts(),
              QStringList({"The Message Group already exists in the list of available groups."}));

    // Typing a replacement turns the button into "Replace".
    auto* add = control<QAbstractButton>(*f, "cmdAddGroup");
    EXPECT_EQ(add->text(), "Add Group");
    type(*f, "txtMessageGroup", "Night");
    type(*f, "txtReplaceWith", "Nights");
    EXPECT_EQ(add->text(), "Replace");
    click(*f, "cmdAddGroup");
    EXPECT_EQ(prompt.last(), "The Message Group does not exist\r\nin the list of available types.");

    auto* groups = control<QListWidget>(*f, "lstMessageGroups");
    ASSERT_EQ(listItems(*f, "lstMessageGroups"), QStringList({"Bell", "Front"}));
    groups->item(1)->setCheckState(Qt::Checked);
    groups->item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(text(*f, "lblMemberGroups"), "Front, Bell");
    click(*f, "cmdChange");
    EXPECT_EQ(column(member, "MessageGroup").toString().remove(' '), "Front,Bell");

    // Renaming a group renames it in the member on screen too.
    groups->setCurrentRow(0);
    type(*f, "txtReplaceWith", "Bellmen");
    click(*f, "cmdAddGroup");
    EXPECT_EQ(text(*f, "lblMemberGroups"), "Front, Bellmen");
    EXPECT_EQ(add->text(), "Add Group");
    click(*f, "cmdChange"); // the old name does not come back
    EXPECT_EQ(column(member, "MessageGroup").toString().remove(' '), "Front,Bellmen");

    // A group still in use stays.
    const int shownBefore = prompt.shown.size();
    groups->setCurrentRow(0);
    prompt.answer(Answer::Yes);
    click(*f, "cmdDeleteGroup");
    EXPECT_TRUE(
        prompt.shown[shownBefore].text.startsWith("Press <Yes> to DELETE this Message Group."));
    EXPECT_EQ(prompt.shown.size(), shownBefore + 2);
    EXPECT_EQ(listItems(*f, "lstMessageGroups").size(), 2);

    // A group ticked but not saved yet goes from the member with the group.
    type(*f, "txtMessageGroup", "Spare");
    click(*f, "cmdAddGroup");
    groups->findItems("Spare", Qt::MatchExactly)[0]->setCheckState(Qt::Checked);
    EXPECT_EQ(text(*f, "lblMemberGroups"), "Front, Bellmen, Spare");
    type(*f, "txtMessageGroup", "Spare");
    prompt.answer(Answer::Yes);
    click(*f, "cmdDeleteGroup");
    EXPECT_EQ(text(*f, "lblMemberGroups"), "Front, Bellmen");
    click(*f, "cmdChange");
    EXPECT_EQ(column(member, "MessageGroup").toString().remove(' '), "Front,Bellmen");
}

} // namespace
} // namespace vm::test
