// The whiteboard's viewing log and reminders, and the message administration
// screens driven as a member drives them: through the main window's bar, the
// Others icon and the Administration pages, found by objectName.

#include "app/forms/WindowCommands.h"
#include "app/forms/frmSearch.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "core/WebPages.h"
#include "desk/MessageAdminFixture.h"
#include "desk/Messages.h"
#include "desk/forms/ManageMessagesPage.h"
#include "desk/forms/MessageAdminModule.h"
#include "desk/forms/MessageGroupsPage.h"
#include "desk/forms/WhiteboardPages.h"
#include "desk/forms/frmEditMsgCtr.h"
#include "platform/forms/DataGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>

namespace vm::test {
namespace {

using admin::click;
using admin::control;
using admin::Flat;
using admin::Strings;

// The clock stands at 2026/03/14 09:30 (TestEnv's fixed clock).
class WhiteboardUsageTest : public MessageAdminFixture {
protected:
    void viewed(qint64 id, const QString& day, const QString& time) {
        db().exec("UPDATE [Concierge] SET [LastViewedWB] = ?, [TimeViewed] = ? WHERE "
                  "[ConciergeID] = ?",
                  {day, time, id});
    }
    QStringList usageNames() {
        QStringList names;
        for (const WhiteboardViewer& v : GetWhiteboardUsage(ctx()))
            names << v.name;
        return names;
    }
    QString textTo(const QString& name) {
        const auto due = GetDueMessages(ctx(), name);
        return due.size() == 1 ? due[0].text : QString("%1 messages").arg(due.size());
    }
};

TEST_F(WhiteboardUsageTest, AViewingIsStoredAsTextDateAndTwentyFourHourTime) {
    env.clock.set({QDate(2026, 3, 14), QTime(21, 5)});
    RecordWhiteboardView(ctx());
    const auto row = db().queryOne(
        "SELECT [LastViewedWB], [TimeViewed] FROM [Concierge] WHERE [ConciergeID] = ?", {meId});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text("LastViewedWB"), "2026/03/14");
    EXPECT_EQ(row->text("TimeViewed"), "21:05");
}

TEST_F(WhiteboardUsageTest, TheLogListsActiveDeskStaffLongestUnseenFirst) {
    viewed(meId, "2026/03/13", "08:00");
    const qint64 yesterdayLate = env.addStaff("Bea Late", "bea", "BL");
    viewed(yesterdayLate, "2026/03/13", "17:45");
    const qint64 older = env.addStaff("Cal Old", "cal", "CO");
    viewed(older, "2026/01/02", "09:00");
    env.addStaff("Zed Never", "zed", "ZN");
    env.addStaff("Dee Never", "dee", "DN");
    env.addStaff("Ray Restricted", "ray", "RR", false, true);
    const qint64 gone = env.addStaff("Ivy Inactive", "ivy", "II");
    db().exec("UPDATE [Concierge] SET [Status] = 'I' WHERE [ConciergeID] = ?", {gone});
    env.addStaff("Support Profile", "support", "SP");

    EXPECT_EQ(usageNames(),
              QStringList({"Dee Never", "Zed Never", "Cal Old", "Ann Desk", "Bea Late"}));
    const auto usage = GetWhiteboardUsage(ctx());
    EXPECT_TRUE(usage[0].lastViewed.isEmpty());
    EXPECT_EQ(usage[2].lastViewed, "2026/01/02");
    EXPECT_EQ(usage[2].timeViewed, "09:00");

    // Viewing it puts the viewer at the end.
    env.logOn(older);
    RecordWhiteboardView(ctx());
    EXPECT_EQ(usageNames().last(), "Cal Old");
}

TEST_F(WhiteboardUsageTest, RemindersGoToThoseNotSeenSinceTheDayBeforeYesterday) {
    struct Case {
        QString name, initials, lastViewed;
        QString expected; // empty: no reminder
    } cases[] = {
        {"Nia Never", "NN", "",
         "You have not checked the Whiteboard yet.  Please do so at your earliest convenience.  "
         "Thank you."},
        {"Tom Three", "TT", "2026/03/11",
         "You have not checked the Whiteboard since 03/11/2026.  Please do so at your earliest "
         "convenience.  Thank you."},
        {"Tia Two", "TW", "2026/03/12", ""},
        {"Yan Yesterday", "YY", "2026/03/13", ""},
        {"Ted Today", "TD", "2026/03/14", ""},
    };
    viewed(meId, "2026/03/14", "09:00");
    for (const Case& c : cases) {
        const qint64 id = env.addStaff(c.name, c.initials.toLower(), c.initials);
        if (!c.lastViewed.isEmpty()) viewed(id, c.lastViewed, "10:00");
    }

    EXPECT_EQ(SendWhiteboardReminders(ctx()), QStringList({"Nia Never", "Tom Three"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        if (c.expected.isEmpty()) {
            EXPECT_EQ(textTo(c.name), "0 messages");
            continue;
        }
        EXPECT_EQ(textTo(c.name), c.expected);
        const auto sent = GetDueMessages(ctx(), c.name)[0];
        EXPECT_EQ(sent.sentFrom, "Ann Desk");
        EXPECT_EQ(sent.due, "2026/03/14 09:30");
        EXPECT_EQ(sent.logId, 0);
        EXPECT_TRUE(sent.type.isEmpty());
    }
}

// The main window with only this module installed and a manager logged on.
class MessageAdminScreens : public MessageAdminFixture {
protected:
    void SetUp() override {
        MessageAdminFixture::SetUp();
        db().exec("UPDATE [Concierge] SET [Authorized] = ? WHERE [ConciergeID] = ?", {true, meId});
        // The Administration tab is not among a member's default tabs.
        db().exec("UPDATE [ConciergePlus] SET [" + RightsColumn(RightsArea::Tabs) +
                      "] = '11111111' WHERE [ConciergeID] = ?",
                  {meId});
        env.ctx->session.clear();
        window = std::make_unique<frmSearch>(*env.ctx);
        InstallMessageAdmin(*env.ctx, *window);
        window->setLogonHandler([this] {
            env.logOn(meId);
            return true;
        });
        window->Logon();
        ASSERT_TRUE(env.ctx->session.loggedOn());
    }
    void TearDown() override { window.reset(); }

    MessageAdminModule& module() {
        auto* m = window->findChild<MessageAdminModule*>("MessageAdminModule");
        if (!m) throw std::runtime_error("the module is not installed");
        return *m;
    }
    void trigger(const QString& command) {
        QAction* a = window->commandAction(command);
        ASSERT_TRUE(a) << command.toStdString();
        a->trigger();
    }
    // Double-clicks the grid row shown at `row`: the events a double-click
    // delivers to the grid (press, release, double-click, release).
    static void doubleClickRow(DataGrid* grid, int row) {
        const QModelIndex index = grid->model()->index(row, 0);
        grid->scrollTo(index);
        const QPointF at = grid->visualRect(index).center();
        const QPointF global = grid->viewport()->mapToGlobal(at);
        const auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
            QMouseEvent e(type, at, global, Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(grid->viewport(), &e);
        };
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        send(QEvent::MouseButtonDblClick, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
    }
    static int findRow(DataGrid* grid, int column, const QString& text) {
        for (int i = 0; i < grid->rowCount(); ++i)
            if (grid->cell(i, column) == text) return i;
        return -1;
    }
    void keep(const QList<PageRow>& rows) {
        for (const PageRow& r : rows)
            KeepInPersonalCenter(ctx(), r);
    }

    std::unique_ptr<frmSearch> window;
};

TEST_F(MessageAdminScreens, LogonPreparesThePagesAndTheBarShowsTheBoardRecordingTheView) {
    EXPECT_TRUE(QFileInfo::exists(WhiteboardFile(ctx())));
    EXPECT_TRUE(QFileInfo::exists(PersonalMessagePage(ctx())));
    AddWhiteboardRow(ctx(), {"2026/03/14 08:00", "Bob", "Pool closes at 6 & spa <tomorrow>"});

    env.clock.set({QDate(2026, 3, 14), QTime(10, 15)});
    for (const QString& command : {QString("actWhiteboard"), QString("cmdMessageCenter")}) {
        SCOPED_TRACE(command.toStdString());
        trigger(command);
        auto* board = window->findChild<QWidget*>("frmWhiteboard");
        ASSERT_TRUE(board);
        EXPECT_TRUE(board->isVisible());
        QTRY_VERIFY(control<QTextBrowser>(*board, "txtWhiteboard")
                        ->toPlainText()
                        .contains("Pool closes at 6 & spa <tomorrow>"));
        EXPECT_EQ(window->findChildren<QWidget*>("frmWhiteboard").size(), 1);
    }
    EXPECT_EQ(db().scalar("SELECT [TimeViewed] FROM [Concierge] WHERE [ConciergeID] = ?", {meId})
                  .toString(),
              "10:15");

    click(*window->findChild<QWidget*>("frmWhiteboard"), "cmdOpenInBrowser");
    ASSERT_EQ(env.desktop.opened.size(), 1);
    EXPECT_EQ(env.desktop.opened[0], QUrl::fromLocalFile(WhiteboardFile(ctx())));
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(MessageAdminScreens, TheOthersIconOpensTheEditorOnlyWhenThereIsSomethingToEdit) {
    QFile::remove(PersonalMessagePage(ctx()));
    window->othersIcon("imgMessageCenter")->click();
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgNoPersonalPage()});

    PreparePersonalPage(ctx());
    env.prompt.clear();
    window->othersIcon("imgMessageCenter")->click();
    EXPECT_EQ(env.prompt.texts(), QStringList{"There are no messages to edit on your page."});
    EXPECT_FALSE(window->findChild<frmEditMsgCtr*>("frmEditMsgCtr"));

    keep({{"2026/03/14 09:00", "Bob", "kept"}});
    env.prompt.clear();
    window->othersIcon("imgMessageCenter")->click();
    auto* editor = window->findChild<frmEditMsgCtr*>("frmEditMsgCtr");
    ASSERT_TRUE(editor);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    click(*editor, "cmdOpenInBrowser");
    ASSERT_EQ(env.desktop.opened.size(), 1);
    EXPECT_EQ(env.desktop.opened[0], QUrl::fromLocalFile(PersonalMessagePage(ctx())));
}

TEST_F(MessageAdminScreens, TheEditorDeletesByDoubleClickAndWritesThePagesBack) {
    const QList<PageRow> rows = {{"2026/03/14 09:00", "Bob", "first"},
                                 {"2026/03/14 09:05", "Cy", "second <b>"},
                                 {"2026/03/14 09:10", "Dee", "third\r\nline"}};
    keep(rows);
    window->othersIcon("imgMessageCenter")->click();
    auto* editor = window->findChild<frmEditMsgCtr*>("frmEditMsgCtr");
    ASSERT_TRUE(editor);
    auto* grid = control<DataGrid>(*editor, "grdMessages");
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->cell(1, 2), "second <b>");

    click(*editor, "cmdDelete");
    EXPECT_EQ(env.prompt.texts(),
              QStringList{"Please select the Message to be deleted by double-clicking on it.  "
                          "Thank you."});

    // No keeps the row; Yes takes it out of the list (the page changes on Save).
    env.prompt.clear();
    env.prompt.answer(Answer::No);
    doubleClickRow(grid, findRow(grid, 1, "Cy"));
    EXPECT_EQ(grid->rowCount(), 3);
    env.prompt.answer(Answer::Yes);
    doubleClickRow(grid, findRow(grid, 1, "Cy"));
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(env.prompt.texts(), QStringList(2, MsgDeleteKeptQuestion()));
    EXPECT_EQ(ReadPersonalPages(ctx()).size(), 3);

    click(*editor, "cmdSave");
    EXPECT_EQ(Flat(ReadPersonalPages(ctx())), Flat({rows[0], rows[2]}));
    EXPECT_FALSE(editor->isDirty());
}

TEST_F(MessageAdminScreens, ClosingTheEditorWithChangesAsksWhetherToSave) {
    keep({{"1", "Bob", "a"}, {"2", "Bob", "b"}});
    struct Case {
        Answer answer;
        bool closes;
        int rowsOnPage;
    } cases[] = {{Answer::Cancel, false, 2}, {Answer::No, true, 2}, {Answer::Yes, true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.answer));
        window->othersIcon("imgMessageCenter")->click();
        QPointer<frmEditMsgCtr> editor = window->findChild<frmEditMsgCtr*>("frmEditMsgCtr");
        ASSERT_TRUE(editor);
        env.prompt.answer(Answer::Yes);
        doubleClickRow(control<DataGrid>(*editor, "grdMessages"), 0);
        env.prompt.clear();
        env.prompt.answer(c.answer);
        click(*editor, "cmdClose");
        EXPECT_EQ(env.prompt.texts(), QStringList{MsgSaveMsgCtrQuestion()});
        if (c.closes) {
            QTRY_VERIFY(editor.isNull());
        } else {
            ASSERT_FALSE(editor.isNull());
            EXPECT_TRUE(editor->isDirty());
            env.prompt.answer(Answer::No);
            click(*editor, "cmdClose");
            QTRY_VERIFY(editor.isNull());
        }
        EXPECT_EQ(ReadPersonalPages(ctx()).size(), c.rowsOnPage);
        env.prompt.clear();
    }
}

TEST_F(MessageAdminScreens, TheWhiteboardPageAddsAndDeletesMessagesByContent) {
    auto* page = module().board;
    click(*page, "cmdAddToBoard");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgEnterBoardText});

    env.prompt.clear();
    control<QPlainTextEdit>(*page, "txtNewMessage")->setPlainText("Valet <full>\nuse side door");
    click(*page, "cmdAddToBoard");
    env.clock.advanceSecs(60);
    control<QPlainTextEdit>(*page, "txtNewMessage")->setPlainText("Second & last");
    click(*page, "cmdAddToBoard");
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    EXPECT_EQ(Flat(ReadPageRows(ReadPageFile(WhiteboardFile(ctx())))),
              Flat({{"2026/03/14 09:30", "Ann Desk", "Valet <full>\r\nuse side door"},
                    {"2026/03/14 09:31", "Ann Desk", "Second & last"}}));
    auto* grid = control<DataGrid>(*page, "grdBoard");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_TRUE(control<QTextBrowser>(*page, "txtBoard")->toPlainText().contains("Second & last"));

    // Nothing selected.
    grid->setCurrentIndex({});
    click(*page, "cmdDeleteFromBoard");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgSelectBoardRow});

    // Another desk put a row in front: the selected message is still the one removed.
    env.prompt.clear();
    grid->selectKey(2);
    const QString board = WhiteboardFile(ctx());
    QString html = ReadPageFile(board);
    html.insert(html.indexOf("\r\n<tr>\r\n<td valign=top>"),
                "\r\n<tr>\r\n<td valign=top>x</td>\r\n<td valign=top>y</td>\r\n<td>z</td>\r\n"
                "</tr>");
    ASSERT_TRUE(WritePageFile(board, html));
    env.prompt.answer(Answer::Yes);
    click(*page, "cmdDeleteFromBoard");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgDeleteBoardRowQuestion()});
    EXPECT_EQ(
        Flat(ReadPageRows(ReadPageFile(board))),
        Flat({{"x", "y", "z"}, {"2026/03/14 09:30", "Ann Desk", "Valet <full>\r\nuse side door"}}));

    // A row deleted elsewhere meanwhile: said, and the page is read again.
    env.prompt.clear();
    grid->selectKey(2);
    ASSERT_TRUE(WritePageFile(board, RemovePageRow(ReadPageFile(board), 1)));
    env.prompt.answer(Answer::Yes);
    click(*page, "cmdDeleteFromBoard");
    EXPECT_EQ(env.prompt.last(), MsgBoardRowGone);
    EXPECT_EQ(grid->rowCount(), 1);
}

TEST_F(MessageAdminScreens, TheUsagePageListsAndSendsReminders) {
    const qint64 bob = env.addStaff("Bob Bell", "bob", "BB");
    db().exec("UPDATE [Concierge] SET [LastViewedWB] = '2026/03/01', [TimeViewed] = '07:45' "
              "WHERE [ConciergeID] = ?",
              {bob});
    RecordWhiteboardView(ctx());
    auto* page = module().usage;
    click(*page, "cmdRefreshUsage");
    auto* grid = control<DataGrid>(*page, "grdUsage");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->cell(0, 0), "Bob Bell");
    EXPECT_EQ(grid->cell(0, 1), "03/01/2026");
    EXPECT_EQ(grid->cell(0, 2), "07:45");
    EXPECT_EQ(grid->cell(1, 0), "Ann Desk");

    env.addStaff("Cy Never", "cy", "CN");
    click(*page, "cmdRefreshUsage");
    EXPECT_EQ(grid->cell(0, 0), "Cy Never");
    EXPECT_EQ(grid->cell(0, 1), "Never");

    click(*page, "cmdSendReminders");
    EXPECT_EQ(env.prompt.texts(), QStringList{"Sent reminders to:\r\nCy Never\r\nBob Bell"});
    EXPECT_EQ(CountDueMessages(ctx(), "Bob Bell"), 1);

    env.prompt.clear();
    db().exec("UPDATE [Concierge] SET [LastViewedWB] = '2026/03/14'");
    click(*page, "cmdSendReminders");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgNoRemindersNeeded});
}

class ManageMessagesScreen : public MessageAdminScreens {
protected:
    void SetUp() override {
        MessageAdminScreens::SetUp();
        env.addStaff("Bob Bell", "bob", "BB");
        env.addStaff("Anne Smith", "anne", "AS");
        send("Ann Desk", "Bob Bell", "one from Ann", 0);
        send("Ann Desk", "Bob Bell", "two from Ann", 1);
        send("Anne Smith", "Bob Bell", "from Anne", 0);
        send("Bob Bell", "Ann Desk", "from Bob", 2);
        disposed = send("Ann Desk", "Anne Smith", "done already", 0);
        MarkMessageDone(ctx(), disposed);
        page = module().messages;
        grid = control<DataGrid>(*page, "grdMessages");
    }
    qint64 send(const QString& from, const QString& to, const QString& text, int dayOffset) {
        OutgoingMessage m;
        m.sender = from;
        m.recipient = to;
        m.due = env.clock.now().addDays(-dayOffset);
        m.text = text;
        EXPECT_EQ(InsertTheMessage(ctx(), m), QStringList{to});
        return db().scalar("SELECT MAX([TimerID]) FROM [MsgTimer]").toLongLong();
    }
    void choose(const char* option) { control<QRadioButton>(*page, option)->setChecked(true); }
    void pickName(const QString& name) {
        auto* names = control<QComboBox>(*page, "cboNames");
        names->setCurrentIndex(names->findText(name));
        ASSERT_GE(names->currentIndex(), 0) << name.toStdString();
    }
    QStringList texts() {
        QStringList out;
        for (int i = 0; i < grid->rowCount(); ++i)
            out << grid->cell(i, 4);
        return out;
    }
    int stored() { return db().scalar("SELECT COUNT(*) FROM [MsgTimer]").toInt(); }

    ManageMessagesPage* page = nullptr;
    DataGrid* grid = nullptr;
    qint64 disposed = 0;
};

TEST_F(ManageMessagesScreen, ListsBySelectionStatusAndOrder) {
    click(*page, "cmdListMessages");
    EXPECT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(control<QLabel>(*page, "lblMessageCount")->text(), "4 Messages were selected.");

    choose("optBySender");
    auto* names = control<QComboBox>(*page, "cboNames");
    QStringList shown;
    for (int i = 0; i < names->count(); ++i)
        shown << names->itemText(i);
    EXPECT_EQ(shown, QStringList({"Ann Desk", "Anne Smith", "Bob Bell"}));
    pickName("Ann Desk");
    click(*page, "cmdListMessages");
    EXPECT_EQ(texts(), QStringList({"two from Ann", "one from Ann"}));

    choose("optByRecipient");
    pickName("Ann Desk");
    click(*page, "cmdListMessages");
    EXPECT_EQ(texts(), QStringList({"from Bob"}));

    choose("optBeforeDate");
    control<QLineEdit>(*page, "txtBeforeDate")->setText("13/45/2026");
    env.prompt.clear();
    click(*page, "cmdListMessages");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgEnterBeforeDate});
    control<QLineEdit>(*page, "txtBeforeDate")->setText("03/14/2026");
    click(*page, "cmdListMessages");
    EXPECT_EQ(texts(), QStringList({"from Bob", "two from Ann"}));

    choose("optAllMessages");
    choose("optDisposed");
    click(*page, "cmdListMessages");
    EXPECT_EQ(texts(), QStringList({"done already"}));
}

TEST_F(ManageMessagesScreen, DeletingBySenderAsksWithTheCountAndSparesSimilarNames) {
    choose("optBySender");
    pickName("Ann Desk");
    env.prompt.answer(Answer::No);
    click(*page, "cmdDeleteMessages");
    // Two active and one disposed message of Ann Desk; Anne Smith's are not hers.
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgDeleteMessagesQuestion(
                                      3, "sent by Ann Desk, active and disposed of")});
    EXPECT_EQ(stored(), 5);

    env.prompt.clear();
    env.prompt.answer(Answer::Yes);
    click(*page, "cmdDeleteMessages");
    EXPECT_EQ(stored(), 2);
    EXPECT_EQ(
        db().scalar("SELECT COUNT(*) FROM [MsgTimer] WHERE [SentFrom] = 'Anne Smith'").toInt(), 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM [MsgText] WHERE [TimerID] NOT IN (SELECT "
                          "[TimerID] FROM [MsgTimer])")
                  .toInt(),
              0);
}

TEST_F(ManageMessagesScreen, EveryDeleteModeTakesExactlyWhatItNamed) {
    struct Case {
        const char* option;
        const char* status;
        QString name, date;
        int count;
        int left;
    } cases[] = {
        {"optAllMessages", "optDisposed", {}, {}, 1, 4},
        {"optByRecipient", "optActive", "Bob Bell", {}, 3, 2},
        {"optBeforeDate", "optActive", {}, "03/14/2026", 2, 3},
        {"optAllMessages", "optActive", {}, {}, 4, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        db().exec("DELETE FROM [MsgText]");
        db().exec("DELETE FROM [MsgTimer]");
        send("Ann Desk", "Bob Bell", "one from Ann", 0);
        send("Ann Desk", "Bob Bell", "two from Ann", 1);
        send("Anne Smith", "Bob Bell", "from Anne", 0);
        send("Bob Bell", "Ann Desk", "from Bob", 2);
        MarkMessageDone(ctx(), send("Ann Desk", "Anne Smith", "done already", 0));
        choose(c.option);
        choose(c.status);
        if (!c.name.isEmpty()) pickName(c.name);
        control<QLineEdit>(*page, "txtBeforeDate")->setText(c.date);
        env.prompt.clear();
        env.prompt.answer(Answer::Yes);
        click(*page, "cmdDeleteMessages");
        ASSERT_EQ(env.prompt.texts().size(), 1)
            << testing::PrintToString(Strings(env.prompt.texts()));
        EXPECT_TRUE(env.prompt.texts()[0].startsWith(
            c.count == 1 ? QString("Press <Yes> to DELETE the 1 message ")
                         : QString("Press <Yes> to DELETE all %1 messages ").arg(c.count)))
            << env.prompt.texts()[0].toStdString();
        EXPECT_EQ(stored(), c.left);
    }
    // An empty selection is said, not asked.
    env.prompt.clear();
    choose("optDisposed");
    choose("optAllMessages");
    db().exec("DELETE FROM [MsgTimer] WHERE [LogbookID] = -1");
    click(*page, "cmdDeleteMessages");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgNoMessagesToDelete});
}

TEST_F(ManageMessagesScreen, ADisposedMessageIsRestored) {
    click(*page, "cmdRestoreMessage"); // disabled in the active view
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    choose("optDisposed");
    click(*page, "cmdListMessages");
    grid->setCurrentIndex({});
    click(*page, "cmdRestoreMessage");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgSelectMessageToRestore});

    grid->selectKey(disposed);
    click(*page, "cmdRestoreMessage");
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(GetMessage(ctx(), disposed)->logId, 0);
    EXPECT_EQ(CountDueMessages(ctx(), "Anne Smith"), 1);
}

TEST_F(MessageAdminScreens, MessageGroupsAreAddedRenamedAndDeleted) {
    auto* page = module().groups;
    auto* list = control<QListWidget>(*page, "lstMessageGroups");
    auto* name = control<QLineEdit>(*page, "txtMessageGroup");
    auto* replace = control<QLineEdit>(*page, "txtReplaceWith");
    const auto groups = [list] {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    };

    // The store's refusals have their own test; one shows it reaches the member.
    for (const QString& group : {"Bell", "Bellmen", "  "}) {
        name->setText(group);
        click(*page, "cmdAddGroup");
    }
    EXPECT_EQ(env.prompt.texts(), QStringList{"Cannot Add a Blank Message Group."});
    EXPECT_EQ(groups(), QStringList({"Bell", "Bellmen"}));

    const qint64 bob = env.addStaff("Bob Bell", "bob", "BB");
    db().exec("UPDATE [Concierge] SET [MessageGroup] = 'Bellmen, Bell' WHERE [ConciergeID] = ?",
              {bob});
    const qint64 cy = env.addStaff("Cy Door", "cy", "CD");
    db().exec("UPDATE [Concierge] SET [MessageGroup] = 'Bellmen' WHERE [ConciergeID] = ?", {cy});
    list->setCurrentRow(0);
    EXPECT_EQ(name->text(), "Bell");
    EXPECT_EQ(control<QLabel>(*page, "lblGroupMembers")->text(), "1 member belongs to this group.");
    list->setCurrentRow(1);
    EXPECT_EQ(control<QLabel>(*page, "lblGroupMembers")->text(), "2 members belong to this group.");

    // Replacing: the button says so, and the members follow the new name.
    env.prompt.clear();
    name->setText("Bell");
    replace->setText("Bell Desk");
    EXPECT_EQ(control<QAbstractButton>(*page, "cmdAddGroup")->text(), "Replace");
    click(*page, "cmdAddGroup");
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    EXPECT_EQ(groups(), QStringList({"Bell Desk", "Bellmen"}));
    EXPECT_EQ(db().scalar("SELECT [MessageGroup] FROM [Concierge] WHERE [ConciergeID] = ?", {bob})
                  .toString(),
              "Bellmen, Bell Desk");

    replace->clear();
    list->setCurrentRow(-1);
    click(*page, "cmdDeleteGroup");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgSelectGroupToDelete});
    env.prompt.clear();
    list->setCurrentRow(1);
    env.prompt.answer(Answer::No);
    click(*page, "cmdDeleteGroup");
    EXPECT_EQ(groups().size(), 2);
    env.prompt.answer(Answer::Yes);
    click(*page, "cmdDeleteGroup");
    EXPECT_EQ(env.prompt.texts(), QStringList(2, MsgDeleteGroupQuestion()));
    EXPECT_EQ(groups(), QStringList({"Bell Desk"}));
}

} // namespace
} // namespace vm::test
