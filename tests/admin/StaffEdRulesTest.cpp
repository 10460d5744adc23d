#include "StaffEdFixture.h"

#include "admin/RightsLayout.h"
#include "core/LongText.h"
#include "core/Rights.h"

namespace vm::test {

using StaffEdRules = StaffEdFixture;

TEST_F(StaffEdRules, ValidationOrderAndTexts) {
    const QString reservedName = "This is a Reserved Name.  You may not add/edit it.  Thank you.";
    struct Case {
        QString name, initials, logon, text, field;
    };
    const Case cases[] = {
        // every field wrong: the reserved name comes first, in any letter case
        {"sUPPORT pROFILE", "", "", reservedName, "txtConcierge"},
        {" orvanta support ", "AB", "ab", reservedName, "txtConcierge"},
        {"Concierge Bellhop", "XY", "xy", reservedName, "txtConcierge"},
        {"  ", "", "", "Please enter the Name of the Concierge.  Thank you.", "txtConcierge"},
        {"Eve", "", "", "Please enter the Initials of the Concierge.  Thank you.", "txtInitials"},
        {"Eve", "@@", "", "This is a Reserved Set of Initials.  You may not add/edit it.  Thank you.",
         "txtInitials"},
        {"Eve", "EV", " ", "Please enter a User Profile Name.  Thank you.", "txtUserProfile"},
        {"Eve", "EV", "Support",
         "This is a Reserved User Profile.  You may not add/edit it.  Thank you.",
         "txtUserProfile"},
    };
    for (const Case& c : cases) {
        const auto r = ValidateStaffMember(ctx(), fresh(c.name, c.logon, c.initials));
        ASSERT_TRUE(r.has_value()) << c.name.toStdString();
        EXPECT_EQ(r->text, c.text) << c.name.toStdString();
        EXPECT_EQ(r->field, c.field) << c.name.toStdString();
    }

    // Outside masked mode the employee id may be empty and may repeat.
    StaffMember a = load(ann), b = load(bob);
    a.employeeId = b.employeeId = "E100";
    ASSERT_TRUE(SaveStaffMember(ctx(), a).saved());
    ASSERT_TRUE(SaveStaffMember(ctx(), b).saved());
    EXPECT_FALSE(ValidateStaffMember(ctx(), fresh("Eve", "eve", "EV")).has_value());

    ctx().start.masked = true;
    StaffMember eve = fresh("Eve", "eve", "EV");
    EXPECT_EQ(ValidateStaffMember(ctx(), eve)->text,
              "The Network User ID is a required field. Please complete. Thank you. ");
    eve.employeeId = "E100";
    const auto dup = ValidateStaffMember(ctx(), eve);
    ASSERT_TRUE(dup.has_value());
    EXPECT_EQ(dup->title, "Network User ID Duplicate");
    EXPECT_TRUE(dup->text.startsWith("The Network User ID entered is associated with ") &&
                dup->text.endsWith(".\r\nPlease verify the data entered. Thank you."));
    StaffMember own = load(boss); // a member's own id is no duplicate
    own.employeeId = "E900";
    EXPECT_TRUE(SaveStaffMember(ctx(), own).saved() && SaveStaffMember(ctx(), own).saved());
}

TEST_F(StaffEdRules, LogonNamesDoNotRepeat) {
    StaffMember m = fresh("Ann Other", " ANN ", "AO");
    const StaffSaveResult r = SaveStaffMember(ctx(), m);
    ASSERT_FALSE(r.saved());
    EXPECT_EQ(r.refusal->text, "The User Profile entered is already used by Ann Desk.\r\n"
                               "Please enter another User Profile.  Thank you.");
    m.logonName = "annother";
    EXPECT_TRUE(SaveStaffMember(ctx(), m).saved());
}

TEST_F(StaffEdRules, CloneCopiesIntoTheEditedMemberUntilSaved) {
    db().exec("UPDATE [ConciergePlus] SET [Events] = '0000000001' WHERE [ConciergeID] = ?", {bob});
    ReplaceStaffList(ctx(), bob, StaffList::Languages, {"Greek", "Dutch"});
    ReplaceStaffList(ctx(), bob, StaffList::Categories, {"Tours"});
    ReplaceStaffList(ctx(), bob, StaffList::SecondCategories, {"Spa", "Golf"});
    ReplaceStaffList(ctx(), ann, StaffList::Languages, {"Polish"});

    StaffMember a = load(ann);
    EXPECT_EQ(CloneRights(ctx(), a, 0)->text,
              "Please select a Concierge before pressing the Clone button.  Thank you.");

    ASSERT_FALSE(CloneRights(ctx(), a, bob).has_value());
    EXPECT_EQ(a.rights.value(RightsArea::Events), "0000000001");
    ASSERT_FALSE(CloneLanguages(ctx(), a, bob).has_value());
    ASSERT_FALSE(CloneCategoryLists(ctx(), a, bob).has_value());
    EXPECT_EQ(GetStaffList(ctx(), ann, StaffList::Languages), QStringList{"Polish"});

    ASSERT_TRUE(SaveStaffMember(ctx(), a).saved());
    const StaffMember back = load(ann);
    EXPECT_EQ(back.rights.value(RightsArea::Events), "0000000001");
    EXPECT_EQ(back.languages, QStringList({"Greek", "Dutch"}));
    EXPECT_EQ(back.categories, QStringList{"Tours"});
    EXPECT_EQ(back.secondCategories, QStringList({"Spa", "Golf"}));
}

TEST_F(StaffEdRules, DeleteRefusalsAndDependents) {
    const qint64 bellhop =
        db().scalar("SELECT [ConciergeID] FROM [Concierge] WHERE [Concierge] = 'Concierge Bellhop'")
            .toLongLong();
    EXPECT_TRUE(DeleteStaffMember(ctx(), boss)->text.contains("your own record"));
    EXPECT_TRUE(DeleteStaffMember(ctx(), bellhop)->text.contains("Reserved Account"));
    env.logOn(ann);
    EXPECT_EQ(DeleteStaffMember(ctx(), boss)->text, MsgOnlyActiveManager);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [Concierge] WHERE [ConciergeID] IN (?, ?)",
                    {boss, bellhop}),
              2);
    env.logOn(boss);

    ReplaceStaffList(ctx(), bob, StaffList::Languages, {"Greek"});
    ReplaceStaffList(ctx(), bob, StaffList::Categories, {"Tours"});
    ReplaceStaffList(ctx(), bob, StaffList::SecondCategories, {"Spa"});
    PutECT(ctx(), bob, TextKind::ProfileNotes, "A profile's notes under the same key");
    ASSERT_FALSE(DeleteStaffMember(ctx(), bob).has_value());
    EXPECT_FALSE(LoadStaffMember(ctx(), bob).has_value());
    EXPECT_EQ(count("SELECT COUNT(*) FROM [ConciergePlus] WHERE [ConciergeID] = ?", {bob}), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [EvConText] WHERE [EvConKey] = ?", {bob}), 1);
    EXPECT_EQ(sharedLogLines().last(), "User: Mia Manager Deleted the Staff Member: Bob Bell on: "
                                       "Saturday, 03/14/2026 at 03:05 pm at PC Named: " +
                                           ctx().workstation.computerName);
    EXPECT_TRUE(DeleteStaffMember(ctx(), bob).has_value()); // already gone
}

TEST_F(StaffEdRules, PasswordResetOnlyForSavedMembers) {
    EXPECT_EQ(ResetStaffPasswords(ctx(), 0).refusal->text,
              "Please <Save> the Concierge Information before \r\nresetting passwords.");
    const StaffResetResult r = ResetStaffPasswords(ctx(), ann);
    ASSERT_FALSE(r.refusal.has_value());
    EXPECT_EQ(r.notices, QStringList({"We have reset the Logon Password to be the same\r\n"
                                      "as the User Profile (ann).",
                                      "We have reset the Credit Card Decryption Password to be "
                                      "the same\r\nas the User Profile (ann)."}));
    EXPECT_TRUE(passwordIs(ann, "ANN"));
    EXPECT_TRUE(passwordIs(ann, "ANN", "CCViewPW"));
    EXPECT_FALSE(passwordIs(bob, "BOB"));
}

TEST_F(StaffEdRules, MessageGroups) {
    EXPECT_EQ(AddStaffMessageGroup(ctx(), "Front"), "");
    EXPECT_EQ(AddStaffMessageGroup(ctx(), "Bell"), "");
    EXPECT_EQ(MessageGroupButtonCaption("Front", "Front Desk"), "Replace");
    EXPECT_EQ(MessageGroupButtonCaption("Front", "front"), "Add Group");
    EXPECT_EQ(MessageGroupButtonCaption("", "Doors"), "Add Group");

    StaffMember a = load(ann);
    a.messageGroups = {"Front"};
    ASSERT_TRUE(SaveStaffMember(ctx(), a).saved());
    EXPECT_EQ(ReplaceStaffMessageGroup(ctx(), "Front", "Front Desk"), "");
    EXPECT_EQ(load(ann).messageGroups, QStringList{"Front Desk"});

    const QString inUse = DeleteStaffMessageGroup(ctx(), "front desk");
    EXPECT_TRUE(inUse.contains("still used by 1 Staff Member")) << inUse.toStdString();
    EXPECT_EQ(DeleteStaffMessageGroup(ctx(), "Bell"), "");
    EXPECT_EQ(StaffMessageGroups(ctx()), QStringList{"Front Desk"});
}

TEST_F(StaffEdRules, EmployeeIdProposalRightsLayoutAndTabs) {
    EXPECT_EQ(NextEmployeeId(ctx()), "z0001");
    const QStringList ids = {"z0009", "Z0012", "zz", "x0100", "z12a4"};
    for (int i = 0; i < ids.size(); ++i) {
        StaffMember m = fresh("Member " + QString::number(i), "m" + QString::number(i),
                              "M" + QString::number(i));
        m.employeeId = ids.at(i);
        ASSERT_TRUE(SaveStaffMember(ctx(), m).saved());
    }
    EXPECT_EQ(NextEmployeeId(ctx()), "z0013");

    // Every editable string has one caption per position.
    for (const RightsRow& row : EditableRightsRows())
        EXPECT_EQ(row.captions.size(), DefaultRights(row.area).size()) << row.column.toStdString();
    StaffMember speaker = load(ann);
    EXPECT_EQ(StaffTabRefusal(&speaker, true), "");
    speaker.languageOnly = true;
    EXPECT_EQ(StaffTabRefusal(&speaker, true), "This tab is not available for this Staff Member.");
    EXPECT_EQ(StaffTabRefusal(&speaker, false), "");
    EXPECT_EQ(StaffTabRefusal(nullptr, false),
              "You must select a Staff Member before accessing this tab.");
    EXPECT_EQ(NormalizedRights(RightsArea::Messages, " 1x11 "), "1011");
    EXPECT_EQ(NormalizedRights(RightsArea::Tabs, "1"), "10000000");
}

} // namespace vm::test
