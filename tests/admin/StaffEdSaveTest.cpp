#include "StaffEdFixture.h"

#include "core/Rights.h"
#include "security/Logon.h"

namespace vm::test {

using StaffEdSave = StaffEdFixture;

const QString InitialsInUse = "The Initials entered are already in use by another\r\n"
                              "concierge.  Because we use the initials to identify\r\n"
                              "who created Logbook entries the initials must be\r\n"
                              "unique.  Please change the initials.  Thank you.";

TEST_F(StaffEdSave, DuplicateInitialsInAnyCaseWriteNothingWhateverElseChanged) {
    entryBy("Bob Bell", "BB");
    messageTo("Bob Bell", "Linen count");
    const QString passwordBefore = column(bob, "Password").toString();

    StaffMember m = load(bob);
    m.name = "Robert Bell";
    m.initials = "ad"; // Ann's, in lower case
    m.inactive = true;
    m.jobTitle = "Bell Captain";
    m.languages = {"French"};

    const StaffSavePlan plan = PlanStaffSave(ctx(), m);
    ASSERT_TRUE(plan.refusal.has_value());
    EXPECT_EQ(plan.refusal->text, InitialsInUse);
    EXPECT_TRUE(plan.renameQuestion.isEmpty()); // nothing is asked before a refusal

    // Even with every question answered Yes the save writes nothing.
    const StaffSaveResult r = SaveStaffMember(ctx(), m, {true, true});
    ASSERT_FALSE(r.saved());
    EXPECT_EQ(r.refusal->text, InitialsInUse);
    EXPECT_TRUE(r.notices.isEmpty());
    EXPECT_EQ(column(bob, "Concierge").toString(), "Bob Bell");
    EXPECT_EQ(column(bob, "Initials").toString(), "BB");
    EXPECT_EQ(column(bob, "Status").toString(), "A");
    EXPECT_EQ(column(bob, "Password").toString(), passwordBefore);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE [EnteredBy] = 'Bob Bell' AND "
                    "[Initials] = 'BB'"),
              1);
    EXPECT_EQ(messagesOf("Bob Bell"), 1);
    EXPECT_TRUE(GetStaffList(ctx(), bob, StaffList::Languages).isEmpty());

    // A new member is refused the same way and no account appears.
    StaffMember n = fresh("Ada Door", "ada", "Ad");
    const int accounts = count("SELECT COUNT(*) FROM [Concierge]");
    EXPECT_EQ(SaveStaffMember(ctx(), n).refusal->text, InitialsInUse);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [Concierge]"), accounts);
    EXPECT_EQ(n.id, 0);
}

TEST_F(StaffEdSave, NameChangeRenamesTheLogbookOnlyWhenAnsweredYes) {
    entryBy("Ann Desk", "AD");
    entryBy("Bob Bell", "BB");
    StaffMember a = load(ann);
    a.name = "Ann O'Desk";
    const StaffSavePlan plan = PlanStaffSave(ctx(), a);
    EXPECT_EQ(plan.renameQuestion, "The Concierge Name has changed.  Do you wish\r\n"
                                   "to have the Logbook entries associated with\r\n"
                                   "this new name?");
    EXPECT_TRUE(plan.deleteMessagesQuestion.isEmpty());
    ASSERT_TRUE(SaveStaffMember(ctx(), a, {false, false}).saved());
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE [EnteredBy] = 'Ann Desk'"), 1);

    StaffMember b = load(bob);
    b.name = "Rob Bell";
    b.initials = "RB";
    ASSERT_TRUE(SaveStaffMember(ctx(), b, {true, false}).saved());
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE [EnteredBy] = 'Rob Bell' AND "
                    "[Initials] = 'RB'"),
              1);
}

TEST_F(StaffEdSave, DeactivationAndReactivationResetThePasswordSoLogonForcesAChange) {
    messageTo("Bob Bell", "Linen count");
    messageTo("Bob Bell", "Cart 3");
    messageTo("Ann Desk", "Keys");

    StaffMember m = load(bob);
    m.inactive = true;
    const StaffSavePlan plan = PlanStaffSave(ctx(), m);
    ASSERT_FALSE(plan.refusal.has_value());
    EXPECT_EQ(plan.deleteMessagesQuestion, "Do you wish to delete ALL MESSAGES sent to Bob Bell?");
    const StaffSaveResult r = SaveStaffMember(ctx(), m, {false, true});
    ASSERT_TRUE(r.saved());
    EXPECT_EQ(r.notices, QStringList{"While changing this Concierge to Inactive status\r\n"
                                     "we have also reset the Password to be the same\r\n"
                                     "as the User Profile (bob)."});
    EXPECT_EQ(r.messagesDeleted, 2);
    EXPECT_EQ(messagesOf("Bob Bell"), 0);
    EXPECT_EQ(messagesOf("Ann Desk"), 1);
    EXPECT_TRUE(passwordIs(bob, "BOB"));
    EXPECT_EQ(CheckLogon(ctx(), "bob", "bob").result, LogonResult::Inactive);

    // Answered No, the messages stay.
    StaffMember a = load(ann);
    a.inactive = true;
    ASSERT_TRUE(SaveStaffMember(ctx(), a, {false, false}).saved());
    EXPECT_EQ(messagesOf("Ann Desk"), 1);

    // Back to active, with a logon name changed while the member was away.
    m = load(bob);
    m.logonName = "rbell";
    m.inactive = false;
    const StaffSaveResult back = SaveStaffMember(ctx(), m);
    ASSERT_TRUE(back.saved());
    EXPECT_EQ(back.notices, QStringList{"As you change this Concierge to Active status\r\n"
                                     "please remember that the Password has been set to\r\n"
                                     "the User Profile (rbell) name."});
    const LogonCheck check = CheckLogon(ctx(), "rbell", "rbell");
    EXPECT_EQ(check.result, LogonResult::Ok);
    EXPECT_TRUE(check.mustChange);
    EXPECT_NE(CheckLogon(ctx(), "rbell", "bob").result, LogonResult::Ok);
}

TEST_F(StaffEdSave, IdentityRightsScheduleAndListsAreStoredExactly) {
    db().exec("UPDATE [ConciergePlus] SET [Others] = ? WHERE [ConciergeID] = ?",
              {"11111111111111011110111001", ann}); // one position longer than the default
    StaffMember m = load(ann);
    m.rights[RightsArea::Others] = SetRightChar(m.rights.value(RightsArea::Others), 26, false);
    m.rights[RightsArea::Administration] = "1010000000000000";
    m.workSchedule = "0111110";
    m.messageGroups = {"Front", "Bell & Door"};
    m.categories = {"Dining", "Tours", "Dining", " "};
    m.secondCategories = {"Spa"};
    m.languages = {"Spanish", "French"};
    ASSERT_TRUE(SaveStaffMember(ctx(), m).saved());

    EXPECT_EQ(column(ann, "Others", "ConciergePlus").toString(), "11111111111111011110111000");
    EXPECT_EQ(column(ann, "Administration", "ConciergePlus").toString(), "1010000000000000");
    EXPECT_EQ(column(ann, "Logbook", "ConciergePlus").toString(), "11111111111111111000");
    EXPECT_EQ(column(ann, "WorkSchedule").toString(), "0111110");
    EXPECT_EQ(column(ann, "MessageGroup").toString(), "Front,Bell & Door");

    const StaffMember back = load(ann);
    EXPECT_EQ(MessageGroupsText(back.messageGroups), "Front, Bell & Door");
    EXPECT_EQ(back.categories, QStringList({"Dining", "Tours"}));
    EXPECT_EQ(back.languages, QStringList({"Spanish", "French"}));

    // A shorter list replaces the whole one.
    m = back;
    m.languages = {"German"};
    SetAllRights(m, false);
    ASSERT_TRUE(SaveStaffMember(ctx(), m).saved());
    EXPECT_EQ(GetStaffList(ctx(), ann, StaffList::Languages), QStringList{"German"});
    EXPECT_EQ(GetStaffList(ctx(), ann, StaffList::SecondCategories), QStringList{"Spa"});
    EXPECT_EQ(column(ann, "Others", "ConciergePlus").toString(), QString(26, '0'));
}

TEST_F(StaffEdSave, NewMembersGetTemplatesUnlessTheirRightsWereChanged) {
    ctx().start.sendToSyslog = true;
    StaffMember boss2 = fresh("Nia North", "nia", "NN");
    boss2.manager = true;
    boss2.languages = {"Italian"};
    const StaffSaveResult r = SaveStaffMember(ctx(), boss2);
    ASSERT_TRUE(r.saved());
    EXPECT_EQ(column(r.id, "Administration", "ConciergePlus").toString(), QString(15, '1'));
    EXPECT_EQ(GetStaffList(ctx(), r.id, StaffList::Languages), QStringList{"Italian"});
    EXPECT_TRUE(CheckLogon(ctx(), "nia", "nia").mustChange);
    EXPECT_TRUE(passwordIs(r.id, "NIA", "CCViewPW"));
    env.logOn(boss);

    StaffMember clerk = fresh("Otto Oak", "otto", "OO");
    clerk.manager = true;
    clerk.rights[RightsArea::Administration] = "100000000000000";
    const StaffSaveResult r2 = SaveStaffMember(ctx(), clerk);
    ASSERT_TRUE(r2.saved());
    EXPECT_EQ(column(r2.id, "Administration", "ConciergePlus").toString(), "100000000000000");

    EXPECT_EQ(auditText().count("Action=AccountCreation:user=()"), 2);
}

TEST_F(StaffEdSave, ManagerSwitchAndTheLastActiveManager) {
    ctx().start.sendToSyslog = true;
    StaffMember m = load(boss);
    m.manager = false;
    const StaffSaveResult alone = SaveStaffMember(ctx(), m);
    ASSERT_FALSE(alone.saved());
    EXPECT_EQ(alone.refusal->field, "chkAuthority");
    m.manager = true;
    m.inactive = true;
    EXPECT_EQ(PlanStaffSave(ctx(), m).refusal->field, "chkInactive");

    StaffMember a = load(ann);
    a.manager = true;
    a.employeeId = "E17";
    ASSERT_TRUE(SaveStaffMember(ctx(), a).saved());
    m = load(boss);
    m.manager = false;
    ASSERT_TRUE(SaveStaffMember(ctx(), m).saved());
    const QString lines = auditText();
    EXPECT_TRUE(lines.contains("Action=AccountClassUpgrade:user=(E17)"));
    EXPECT_TRUE(lines.contains("Action=AccountClassDowngrade:user=()"));
    EXPECT_EQ(lines.count("Action=AccountModified"), 2);
}

} // namespace vm::test
