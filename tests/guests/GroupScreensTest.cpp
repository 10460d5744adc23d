#include "logbook/LogbookFixture.h"

#include "app/forms/frmSearch.h"
#include "guests/DocumentLinks.h"
#include "guests/Groups.h"
#include "guests/forms/GroupsModule.h"
#include "guests/forms/frmGroupLog.h"
#include "guests/forms/frmGroups.h"
#include "guests/forms/frmGroupsD.h"
#include "logbook/DesignText.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/DesignFieldsPanel.h"
#include "logbook/forms/LogbookModule.h"
#include "platform/forms/DataGrid.h"
#include "support/GridText.h"
#include "support/StaffRights.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace vm;
using namespace vm::test;

namespace {

using screen::type;

// Today is 2026/03/14.
class GroupScreens : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        EnsureApplication();
        for (const char* venue : {"Harbour Room", "Terrace"})
            env.db().exec("INSERT INTO [Other]([OtherType], [OtherValue]) VALUES('Venue', ?)",
                          {venue});
        env.db().exec("INSERT INTO [Other]([OtherType], [OtherValue]) VALUES('GroupMgr', "
                      "'Tess Marlowe')");
    }

    qint64 group(const QString& name, const QString& arrival, const QString& departure) {
        Group g;
        g.name = name;
        g.attendees = 12;
        g.arrivalDate = arrival;
        g.departureDate = departure;
        return InsertGroup(*env.ctx, g);
    }
    frmGroupsD* details(frmGroups& list) {
        auto all = list.findChildren<frmGroupsD*>("frmGroupsD");
        return all.isEmpty() ? nullptr : all.last();
    }
    void grantOthers(int position, bool allowed) {
        SetStaffRight(env.db(), staffId, {RightsArea::Others, position}, allowed);
    }
    // Fills the details of a new group as typed.
    void fill(frmGroupsD& d, const QString& attendees) {
        type(d, "txtGroupName", "Nordic Dental");
        type(d, "txtAttendees", attendees);
        type(d, "txtArrival", "03/14/2026");
        type(d, "txtDeparture", "03/16/2026");
        type(d, "txtGroupContact", "Ines Darrow");
        screen::pick(d, "cboGroupMgr", "Tess Marlowe");
    }
    void meeting(frmGroupsD& d, const QString& date, const QString& venue = "Terrace") {
        type(d, "txtMeetingDate", date);
        type(d, "txtMeetingTime", "9:00am");
        type(d, "txtEndTime", "10:30am");
        type(d, "txtFunction", "Keynote");
        screen::pick(d, "cboVenue", venue);
        click(d, "cmdSaveMeeting");
    }
};

} // namespace

TEST_F(GroupScreens, ListShowsGroupsInHouseOrAllAndOpensOne) {
    group("Zeta Sales", "2026/03/14", "2026/03/20");
    const qint64 alpha = group("Alpha Rotary", "2026/03/10", "2026/03/14");
    group("Beta Choir", "2026/03/15", "2026/03/17");
    frmGroups list(*env.ctx);
    auto* grid = control<DataGrid>(list, "grdGroups");
    QStringList headers;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        headers << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, QStringList({"Group Name", "Atttendees", "Arrival Date", "Departure Date",
                                    "Group Contact", "Group Manager", "Notes"}));
    EXPECT_EQ(GridColumn(grid, 0), QStringList({"Alpha Rotary", "Zeta Sales"}));
    EXPECT_EQ(GridColumn(grid, 2), QStringList({"03/10/2026", "03/14/2026"}));
    control<QRadioButton>(list, "optAll")->click();
    EXPECT_EQ(GridColumn(grid, 0), QStringList({"Alpha Rotary", "Beta Choir", "Zeta Sales"}));

    grid->selectKey(alpha);
    click(list, "cmdOpen");
    frmGroupsD* d = details(list);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->groupId(), alpha);
    EXPECT_EQ(control<QLineEdit>(*d, "txtGroupName")->text(), "Alpha Rotary");
    EXPECT_EQ(control<QLineEdit>(*d, "txtDeparture")->text(), "03/14/2026");
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(GroupScreens, NewGroupNeedsTwoAttendeesAndJoinsTheList) {
    frmGroups list(*env.ctx);
    click(list, "cmdAdd");
    frmGroupsD* d = details(list);
    ASSERT_TRUE(d);
    fill(*d, "1");
    click(*d, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgGroupTwoAttendees);
    EXPECT_EQ(d->groupId(), 0);

    type(*d, "txtAttendees", "2");
    click(*d, "cmdSave");
    ASSERT_GT(d->groupId(), 0);
    const Group saved = *GetTheGroup(*env.ctx, d->groupId());
    EXPECT_EQ(saved.attendees, 2);
    EXPECT_EQ(saved.arrivalDate, "2026/03/14");
    EXPECT_EQ(saved.groupMgr, "Tess Marlowe");
    EXPECT_EQ(saved.groupContact, "Ines Darrow");
    EXPECT_EQ(GridColumn(control<DataGrid>(list, "grdGroups"), 0), QStringList({"Nordic Dental"}));
    EXPECT_FALSE(d->hasChanges());
    EXPECT_EQ(env.prompt.shown.size(), 1);
}

TEST_F(GroupScreens, AddingNeedsTheRight) {
    grantOthers(2, false);
    frmGroups list(*env.ctx);
    click(list, "cmdAdd");
    EXPECT_EQ(details(list), nullptr);
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Add Groups.");
}

TEST_F(GroupScreens, MeetingsNeedASavedGroupAndADateInsideTheStay) {
    frmGroups list(*env.ctx);
    click(list, "cmdAdd");
    frmGroupsD* d = details(list);
    ASSERT_TRUE(d);
    fill(*d, "20");
    meeting(*d, "03/15/2026");
    EXPECT_EQ(env.prompt.last(), MsgSaveGroupFirst);
    click(*d, "cmdSave");
    ASSERT_GT(d->groupId(), 0);

    meeting(*d, "03/16/2026"); // the departure day
    meeting(*d, "03/17/2026");
    EXPECT_EQ(env.prompt.last(), MsgMeetingAfterDeparture);
    meeting(*d, "03/14/2026", "Harbour Room");
    auto* grid = control<DataGrid>(*d, "grdSchedule");
    EXPECT_EQ(GridColumn(grid, 0), QStringList({"03/14/2026", "03/16/2026"}));
    EXPECT_EQ(GridColumn(grid, 1), QStringList({"09:00 AM", "09:00 AM"}));
    EXPECT_EQ(GridColumn(grid, 2), QStringList({"10:30 AM", "10:30 AM"}));
    EXPECT_EQ(GridColumn(grid, 4), QStringList({"Harbour Room", "Terrace"}));

    // Selecting a meeting edits it; deleting asks first.
    grid->selectKey(grid->keyAt(1));
    EXPECT_EQ(control<QLineEdit>(*d, "txtMeetingDate")->text(), "03/16/2026");
    type(*d, "txtFunction", "Closing Lunch");
    click(*d, "cmdSaveMeeting");
    EXPECT_EQ(GridColumn(grid, 3), QStringList({"Keynote", "Closing Lunch"}));
    grid->selectKey(grid->keyAt(0));
    env.prompt.answer(Answer::No);
    click(*d, "cmdDeleteMeeting");
    EXPECT_EQ(grid->rowCount(), 2);
    env.prompt.answer(Answer::Yes);
    click(*d, "cmdDeleteMeeting");
    EXPECT_EQ(env.prompt.last(), MsgDeleteMeeting);
    EXPECT_EQ(GridColumn(grid, 3), QStringList({"Closing Lunch"}));
    EXPECT_EQ(GetGroupSchedule(*env.ctx, d->groupId()).size(), 1u);
}

TEST_F(GroupScreens, SaveAfterAnotherDesksSaveAsksAndReloads) {
    const qint64 id = group("Medica", "2026/03/14", "2026/03/16");
    frmGroups list(*env.ctx);
    frmGroupsD* d = list.openGroup(id);
    Group theirs = *GetTheGroup(*env.ctx, id);
    theirs.notes = "Moved to the ballroom";
    ASSERT_EQ(UpdateGroup(*env.ctx, theirs), VersionedResult::Updated);

    type(*d, "txtNotes", "Mine");
    env.prompt.answer(Answer::Yes);
    click(*d, "cmdSave");
    EXPECT_EQ(env.prompt.last(), ChangedElsewhereQuestion("Group"));
    EXPECT_EQ(control<QLineEdit>(*d, "txtNotes")->text(), "Moved to the ballroom");
    EXPECT_EQ(GetTheGroup(*env.ctx, id)->notes, "Moved to the ballroom");

    // Deleted elsewhere: nothing is written and the screen says so.
    type(*d, "txtNotes", "Mine again");
    ASSERT_TRUE(DeleteGroup(*env.ctx, id));
    click(*d, "cmdSave");
    EXPECT_EQ(env.prompt.last(), GoneElsewhereMessage("Group"));
    EXPECT_FALSE(GetTheGroup(*env.ctx, id));
}

TEST_F(GroupScreens, ClosingWithChangesAsksAndDeleteTakesTheGroup) {
    const qint64 id = group("Medica", "2026/03/14", "2026/03/16");
    const qint64 old = group("Old Expo", "2026/02/01", "2026/02/03");
    frmGroups list(*env.ctx);
    control<QRadioButton>(list, "optAll")->click();
    frmGroupsD* d = list.openGroup(id);
    type(*d, "txtGroupContact", "Someone");
    env.prompt.answer(Answer::No);
    EXPECT_TRUE(d->close());
    EXPECT_EQ(env.prompt.last(), MsgSaveChanges);
    EXPECT_EQ(GetTheGroup(*env.ctx, id)->groupContact, "");

    d = list.openGroup(id);
    env.prompt.answer(Answer::Yes);
    click(*d, "cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgDeleteGroup);
    EXPECT_FALSE(GetTheGroup(*env.ctx, id));
    EXPECT_EQ(GridColumn(control<DataGrid>(list, "grdGroups"), 0), QStringList({"Old Expo"}));

    env.prompt.answer(Answer::No);
    click(list, "cmdDeleteOld");
    EXPECT_TRUE(GetTheGroup(*env.ctx, old));
    env.prompt.answer(Answer::Yes);
    click(list, "cmdDeleteOld");
    EXPECT_EQ(env.prompt.last(), MsgDeleteOldGroups);
    EXPECT_FALSE(GetTheGroup(*env.ctx, old));
    EXPECT_EQ(control<DataGrid>(list, "grdGroups")->rowCount(), 0);
}

TEST_F(GroupScreens, TemplatesTakeTheCategorysPanelAndCheckTheTime) {
    designedCategory("Dining", {"Restaurant:", "Party Size:"});
    const qint64 id = group("Medica", "2026/03/14", "2026/03/16");
    frmGroups list(*env.ctx);
    frmGroupsD* d = list.openGroup(id);
    click(*d, "cmdTemplates");
    auto* t = d->findChild<frmGroupLog*>("frmGroupLog");
    ASSERT_TRUE(t);

    type(*t, "txtLogName", "Welcome Dinner");
    screen::pick(*t, "cboEntryType", "Dining");
    type(*t, "txtReferDate", "03/15/2026");
    type(*t, "txtReferTime", "7:75pm");
    QTest::keyClicks(t->design->txtTextBox[0], "Le Quai");
    QTest::keyClicks(t->design->txtTextBox[1], "2");
    click(*t, "cmdSave");
    EXPECT_EQ(env.prompt.shown.last().title, "Invalid Refer Time");
    EXPECT_TRUE(env.prompt.last().startsWith("The time you entered '7:75pm' is not valid."));
    EXPECT_EQ(GetGroupLogs(*env.ctx, id).size(), 0u);

    type(*t, "txtReferTime", "7:30pm");
    click(*t, "cmdSave");
    ASSERT_EQ(control<QListWidget>(*t, "lstTemplates")->count(), 1);
    const GroupTemplate saved = *GetGroupLog(*env.ctx, t->currentTemplate());
    EXPECT_EQ(saved.logData, QStringList({"Le Quai", "2", "", "", "", ""}));
    EXPECT_EQ(saved.referTime, "19:30");
    EXPECT_EQ(ReadDesignValue(saved.text, "Party Size:"), "2");

    // A new one starts empty; showing the saved one brings its values back.
    click(*t, "cmdNew");
    EXPECT_EQ(control<QLineEdit>(*t, "txtLogName")->text(), "");
    click(*t, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgTemplateName);
    t->showTemplate(saved.id);
    EXPECT_EQ(t->design->values(), QStringList({"Le Quai", "2"}));
    EXPECT_EQ(control<QLineEdit>(*t, "txtReferTime")->text(), "07:30 PM");
    grantOthers(2, false); // templates change the group
    click(*t, "cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgNotAuthorizedAddGroups);
    EXPECT_EQ(CountGroupLogs(*env.ctx, id), 1);
    grantOthers(2, true);
    click(*t, "cmdDelete");
    EXPECT_EQ(control<QListWidget>(*t, "lstTemplates")->count(), 0);
    EXPECT_EQ(CountGroupLogs(*env.ctx, id), 0);
}

TEST_F(GroupScreens, TemplatesAndPrintNeedASavedGroup) {
    frmGroups list(*env.ctx);
    click(list, "cmdAdd");
    frmGroupsD* d = details(list);
    ASSERT_TRUE(d);
    click(*d, "cmdTemplates");
    EXPECT_EQ(d->findChild<frmGroupLog*>("frmGroupLog"), nullptr);
    click(*d, "imgPrint");
    click(*d, "cmdMaintainDocs");
    EXPECT_EQ(env.prompt.shown.size(), 3);
    grantOthers(4, false);
    click(*d, "imgPrint");
    EXPECT_EQ(env.prompt.last(), MsgNotAuthorizedGroupPrint);
}

TEST_F(GroupScreens, OthersPageOpensTheListAndTheLogbookListsTheGroups) {
    group("Beta Choir", "2026/03/15", "2026/03/17");
    group("Alpha Rotary", "2026/03/10", "2026/03/14");
    frmSearch window(*env.ctx);
    InstallLogbook(*env.ctx, window);
    InstallGroups(*env.ctx, window);
    auto* logbook = window.findChild<LogbookModule*>("LogbookModule");
    ASSERT_TRUE(logbook && logbook->hooks.groups);
    QStringList names;
    for (const auto& [id, name] : logbook->hooks.groups())
        names << name;
    EXPECT_EQ(names, QStringList({"Alpha Rotary", "Beta Choir"}));

    grantOthers(1, false);
    click(*window.tabPage("Others"), "imgGroups");
    EXPECT_EQ(window.findChild<frmGroups*>("frmGroups"), nullptr);
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Work with Groups and Conventions.");
    grantOthers(1, true);
    click(*window.tabPage("Others"), "imgGroups");
    auto* list = window.findChild<frmGroups*>("frmGroups");
    ASSERT_TRUE(list);
    EXPECT_EQ(GridColumn(control<DataGrid>(*list, "grdGroups"), 0), QStringList({"Alpha Rotary"}));
}

TEST_F(GroupScreens, LinkedDocumentsOpenWithTheirRights) {
    const qint64 id = group("Medica", "2026/03/14", "2026/03/16");
    DocumentLink link;
    link.ownerId = id;
    link.sourceType = DocKind::Group;
    link.description = "Rooming List";
    link.fileName = "https://example.com/rooming";
    InsertCDocument(*env.ctx, link);
    frmGroups list(*env.ctx);
    frmGroupsD* d = list.openGroup(id);
    auto* grid = control<DataGrid>(*d, "grdDocuments");
    ASSERT_EQ(GridColumn(grid, 0), QStringList({"Rooming List"}));

    grantOthers(7, false);
    grid->selectKey(grid->keyAt(0));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(env.prompt.last(), MsgNotAuthorizedViewGroupDocs);
    EXPECT_TRUE(env.desktop.opened.isEmpty());
    grantOthers(7, true);
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_EQ(env.desktop.opened.size(), 1);
    EXPECT_EQ(env.desktop.opened[0].toString(), "https://example.com/rooming");

    grantOthers(3, false);
    click(*d, "cmdMaintainDocs");
    EXPECT_EQ(env.prompt.last(), MsgNotAuthorizedGroupDocs);
}

TEST_F(GroupScreens, AFailedSaveOnClosingKeepsTheScreenOpen) {
    frmGroups list(*env.ctx);
    click(list, "cmdAdd");
    frmGroupsD* d = details(list);
    ASSERT_TRUE(d);
    type(*d, "txtGroupName", "Half Typed");
    env.prompt.answer(Answer::Yes);
    EXPECT_FALSE(d->close());
    EXPECT_EQ(env.prompt.last(), MsgGroupAttendees);
    EXPECT_TRUE(d->hasChanges());
    EXPECT_TRUE(GetGroupNames(*env.ctx).empty());
}

TEST_F(GroupScreens, MessageIconStartsAMessageAboutTheSavedGroup) {
    frmGroups list(*env.ctx);
    click(list, "cmdAdd");
    frmGroupsD* fresh = details(list);
    ASSERT_TRUE(fresh);
    click(*fresh, "imgMessage");
    EXPECT_TRUE(env.prompt.last().startsWith("Please <Save> this Group before sending"));

    frmGroupsD* d = list.openGroup(group("Medica", "2026/03/14", "2026/03/16"));
    QString started;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (auto* text = dialog->findChild<QPlainTextEdit*>("txtMessage"))
            started = text->toPlainText();
        dialog->reject();
    });
    click(*d, "imgMessage");
    EXPECT_TRUE(started.startsWith("Please Note the following Group information:"))
        << started.toStdString();
    EXPECT_TRUE(started.contains("Medica"));

    env.ctx->session.restricted = true;
    click(*d, "imgMessage");
    EXPECT_EQ(env.prompt.last(), MsgNoMessaging);
}
