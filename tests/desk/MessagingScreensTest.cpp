#include "MessagingFixture.h"

#include "core/Rights.h"
#include "core/Settings.h"
#include "core/WebPages.h"
#include "desk/MessagePages.h"
#include "desk/MessageRules.h"
#include "desk/forms/MessageComposer.h"
#include "desk/forms/frmSetMessager.h"
#include "guests/forms/frmEvtMessager.h"
#include "logbook/Categories.h"
#include "logbook/LogbookStore.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/frmLogbook.h"
#include "security/forms/IdleLogoff.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace vm;
using namespace vm::test;

namespace {

const QString Mail1 = QStringLiteral("  ~~~  You,ve Got Mail!");

void click(QWidget* w) {
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton);
}

// Fills the page's composer and sends.
void compose(Desk& d, const QStringList& to, const QString& text, const QString& date,
             const QString& time) {
    for (const QString& r : to)
        d.doubleClick("lstConcierges", r);
    d.find<QPlainTextEdit>("txtMessage")->setPlainText(text);
    d.find<QLineEdit>("txtDeliverDate")->setText(date);
    d.find<QLineEdit>("txtDeliverTime")->setText(time);
    click(d.find<QPushButton>("cmdSendMessage"));
}

// Counts steps of a window's timer, so a test can let the poll run a few times.
struct Ticks {
    explicit Ticks(frmSearch& w) {
        QObject::connect(w.timer(), &QTimer::timeout, &guard, [this] { ++count; });
    }
    bool waitFor(int n) {
        const int target = count + n;
        return QTest::qWaitFor([&] { return count >= target; }, 10000);
    }
    QObject guard;
    int count = 0;
};

} // namespace

TEST_F(MessagingFixture, MessageSentForTenFiveIsPresentedThenRepliedToAndTheReplyArrives) {
    auto a = desk(anna, at(10, 0));
    auto b = desk(ben, at(10, 4));
    a->showMessagesPage();
    compose(*a, {"Ben Carter"}, "The car for Mr. Lane is at the door\nat 10:30", "03/14/2026",
            "10:05 AM");
    ASSERT_EQ(rows().size(), 1) << a->prompt.texts().join("|").toStdString();
    const StoredMsg sent = rows().first();
    EXPECT_EQ(sent.recipient, "Ben Carter");
    EXPECT_EQ(sent.sentFrom, "Anna Bell");
    EXPECT_EQ(sent.due, "2026/03/14 10:05");
    EXPECT_EQ(sent.type, "");
    EXPECT_EQ(sent.logId, 0);
    EXPECT_EQ(sent.text, "The car for Mr. Lane is at the door\r\nat 10:30");
    // The composer is ready for the next message.
    EXPECT_EQ(a->find<QListWidget>("lstSelected")->count(), 0);
    EXPECT_TRUE(a->find<QPlainTextEdit>("txtMessage")->toPlainText().isEmpty());
    EXPECT_EQ(a->find<QLabel>("lblSent")->text(), "Message sent to: Ben Carter");

    // 10:04 at Ben's desk: nothing yet, even when he asks.
    b->showMessagesPage();
    click(b->find<QPushButton>("cmdRetrieveMessages"));
    EXPECT_EQ(b->prompt.last(), "You have no messages at this time.");
    EXPECT_EQ(b->presenter(), nullptr);
    EXPECT_FALSE(b->window->windowTitle().contains("Mail"));

    // 10:05: the window's timer presents it.
    b->clock.set(at(10, 5));
    frmPresentMsg* f = b->waitForPresenter();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), f);
    EXPECT_TRUE(b->window->windowTitle().endsWith(Mail1)) << b->window->windowTitle().toStdString();
    EXPECT_EQ(f->findChild<QLineEdit*>("txtSentFrom")->text(), "Anna Bell");
    EXPECT_EQ(f->findChild<QLineEdit*>("txtRecipient")->text(), "Ben Carter");
    EXPECT_EQ(f->findChild<QLineEdit*>("txtDue")->text(), "03/14/2026 10:05 AM");
    EXPECT_EQ(f->findChild<QPlainTextEdit*>("txtMessageText")->toPlainText(),
              "The car for Mr. Lane is at the door\nat 10:30");
    EXPECT_FALSE(f->findChild<QPushButton*>("cmdCompleteAll")->isVisibleTo(f));
    EXPECT_FALSE(f->findChild<QWidget*>("fraEntry")->isVisibleTo(f));

    f->findChild<QPlainTextEdit*>("txtReply")->setPlainText("On my way");
    click(f->findChild<QPushButton*>("cmdReply"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return b->presenter() == nullptr; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !b->window->windowTitle().contains("Mail"); }, 5000));
    const QList<StoredMsg> after = rows();
    ASSERT_EQ(after.size(), 2);
    EXPECT_EQ(after[0].logId, -1);
    EXPECT_EQ(after[1].recipient, "Anna Bell");
    EXPECT_EQ(after[1].sentFrom, "Ben Carter");
    EXPECT_EQ(after[1].due, "2026/03/14 10:05");
    EXPECT_EQ(after[1].text, "REPLY TO YOUR MESSAGE:\r\nOn my way\r\n\r\nYOUR MESSAGE:\r\n"
                             "The car for Mr. Lane is at the door\r\nat 10:30");

    // Anna's desk presents the reply once her clock reaches it.
    a->clock.set(at(10, 5));
    frmPresentMsg* reply = a->waitForPresenter();
    ASSERT_NE(reply, nullptr);
    EXPECT_TRUE(reply->findChild<QPlainTextEdit*>("txtMessageText")
                    ->toPlainText()
                    .startsWith("REPLY TO YOUR MESSAGE:\nOn my way\n"));
    click(reply->findChild<QPushButton*>("cmdRead"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return a->presenter() == nullptr; }, 5000));
    EXPECT_EQ(rows()[1].logId, -1);
}

TEST_F(MessagingFixture, GroupMessageReachesEveryBellMemberAndNoBellmanAndCanBeCompletedForAll) {
    for (const QString& g : {"Bell", "Bellmen"})
        ASSERT_EQ(InsertMsgGroup(*env.ctx, g), "");
    setGroups(ben, "Bell");
    setGroups(carl, "Front Desk, Bell");
    setGroups(dora, "Bellmen");
    auto a = desk(anna, at(10, 0));
    a->showMessagesPage();
    QStringList listed;
    auto* available = a->find<QListWidget>("lstConcierges");
    for (int i = 0; i < available->count(); ++i)
        listed << available->item(i)->text();
    EXPECT_EQ(listed, (QStringList{"*All Vm Users", "Anna Bell", "Ben Carter", "Carl Dunn",
                                   "Dora Enns", "*Bell", "*Bellmen"}));
    // A recipient taken back returns to its place.
    a->doubleClick("lstConcierges", "Carl Dunn");
    a->doubleClick("lstSelected", "Carl Dunn");
    EXPECT_EQ(available->item(3)->text(), "Carl Dunn");

    compose(*a, {"*Bell"}, "Luggage for room 512", "03/14/2026", "10:00 AM");
    QStringList to = recipients();
    to.sort();
    EXPECT_EQ(to, (QStringList{"Ben Carter", "Carl Dunn"}));
    for (const StoredMsg& m : rows())
        EXPECT_EQ(m.sentFrom, "Anna Bell  (2 Group)");

    // Carl completes it for everybody; Ben's copy then carries the note.
    auto c = desk(carl, at(10, 1));
    frmPresentMsg* f = c->waitForPresenter();
    ASSERT_NE(f, nullptr);
    auto* all = f->findChild<QPushButton*>("cmdCompleteAll");
    ASSERT_TRUE(all->isVisibleTo(f));
    click(all);
    EXPECT_TRUE(QTest::qWaitFor([&] { return c->presenter() == nullptr; }, 5000));
    for (const StoredMsg& m : rows()) {
        if (m.recipient == "Carl Dunn") EXPECT_EQ(m.logId, -1);
        if (m.recipient != "Ben Carter") continue;
        EXPECT_EQ(m.logId, 0);
        EXPECT_EQ(m.text, "NOTE:  All Actions were completed by Carl Dunn at Saturday, March 14, "
                          "2026\r\n+++++++++++++++++++++\r\nLuggage for room 512");
    }
}

TEST_F(MessagingFixture, AModalDialogOnScreenDelaysThePresentationUntilItCloses) {
    send("Anna Bell", "Ben Carter", at(10, 0), "Call the florist");
    auto b = desk(ben, at(10, 0));
    QDialog busy(b->window.get());
    busy.setWindowModality(Qt::ApplicationModal);
    busy.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &busy);
    Ticks ticks(*b->window);
    // The poll still counts: the caption says so while the message waits.
    EXPECT_TRUE(QTest::qWaitFor([&] { return b->window->windowTitle().endsWith(Mail1); }, 5000));
    ASSERT_TRUE(ticks.waitFor(3));
    EXPECT_EQ(b->presenter(), nullptr);
    busy.close();
    frmPresentMsg* f = b->waitForPresenter();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->message().text, "Call the florist");
}

TEST_F(MessagingFixture, IdleLogoffWithAMessageOnScreenClosesItAndLeavesTheMessageDue) {
    send("Anna Bell", "Ben Carter", at(10, 0), "Call the florist");
    auto b = desk(ben, at(10, 0));
    b->ctx->globals.security5 = true;
    b->ctx->globals.inactiveMinutes = 5;
    IdleLogoff idle(
        *b->ctx, [] { return false; }, [&] { b->window->Logoff(LogoffReason::Idle); });
    QObject::connect(b->window->timer(), &QTimer::timeout, &idle, &IdleLogoff::tick);
    bool loggedOff = false;
    QObject::connect(b->window.get(), &frmSearch::loggedOff, [&] { loggedOff = true; });
    QPointer<frmPresentMsg> f = b->waitForPresenter();
    ASSERT_TRUE(f);

    b->clock.set(at(10, 7));
    EXPECT_TRUE(QTest::qWaitFor([&] { return loggedOff; }, 5000));
    EXPECT_FALSE(b->ctx->session.loggedOn());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f || !f->isVisible(); }, 5000));
    // Nobody chose a disposition: the message comes back at the next logon.
    EXPECT_EQ(rows().first().logId, 0);
    EXPECT_FALSE(b->window->windowTitle().contains("Mail"));
    EXPECT_FALSE(b->prompt.saw(DispositionHelpText()));
}

TEST_F(MessagingFixture, CaptionCountsOneAndMoreAndNoMailMsgSilencesIt) {
    auto b = desk(ben, at(10, 0));
    const QString plain = b->window->windowTitle();
    QDialog busy(b->window.get());
    busy.setWindowModality(Qt::ApplicationModal);
    busy.show();
    auto* mail = b->find<QToolButton>("lblMail");
    EXPECT_EQ(mail->text(), "No Messages");
    send("Anna Bell", "Ben Carter", at(9, 55), "One");
    EXPECT_TRUE(QTest::qWaitFor([&] { return b->window->windowTitle() == plain + Mail1; }, 5000))
        << b->window->windowTitle().toStdString();
    send("Anna Bell", "Ben Carter", at(9, 58), "Two");
    send("Carl Dunn", "Ben Carter", at(10, 0), "Three");
    send("Carl Dunn", "Ben Carter", at(10, 1), "Not yet due");
    send("Carl Dunn", "Dora Enns", at(10, 0), "Not his");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return b->window->windowTitle() == plain + Mail1 + " (3)"; }, 5000))
        << b->window->windowTitle().toStdString();
    EXPECT_EQ(mail->text(), "Messages Waiting: 3");
    ASSERT_TRUE(SetBooleanSetting(env.db(), "NoMailMsg", true));
    EXPECT_TRUE(QTest::qWaitFor([&] { return b->window->windowTitle() == plain; }, 5000));
    EXPECT_EQ(mail->text(), "Messages Waiting: 3");
}

TEST_F(MessagingFixture, PresenterClosesOnlyThroughADisposition) {
    ASSERT_NO_THROW(env.db().exec("UPDATE [Authorization] SET [ResendInterval] = ?", {30}));
    send("Anna Bell", "Ben Carter", at(10, 0), "Call the florist");
    auto b = desk(ben, at(10, 0));
    frmPresentMsg* f = b->waitForPresenter();
    ASSERT_NE(f, nullptr);
    const QString help =
        "Please select a disposition for this message.\r\n"
        "The available options are:\r\n"
        "Remind Me Again\r\n"
        "- Message will be sent to you again at the date and time you select.\r\n"
        "Read and Acknowledged\r\n"
        "- Message will be flagged for deletion and will not appear again.\r\n"
        "Reply and Send Reply\r\n"
        "- Reply will be sent and Message will be flagged for deletion and will not appear "
        "again.\r\n"
        "And if the Message was sent to multiple recipients . . .\r\n"
        "Tell All Other Concierges that I have Completed this request\r\n"
        "- Message will be flagged as completed and will not appear again.\r\n"
        "If this is not a Logbook Message and you wish to review it later\r\n"
        "remember that you can send it to your personal message center by\r\n"
        "double-clicking the icon in the upper right hand corner.";
    f->close();
    EXPECT_EQ(b->prompt.last(), help);
    EXPECT_TRUE(f->isVisible());
    b->prompt.clear();
    QTest::keyClick(f, Qt::Key_Escape);
    EXPECT_EQ(b->prompt.last(), help);
    EXPECT_TRUE(f->isVisible());

    // Remind Me Again: the proposal is ResendInterval minutes ahead; bad input is refused.
    auto* date = f->findChild<QLineEdit*>("txtRemindDate");
    auto* time = f->findChild<QLineEdit*>("txtRemindTime");
    EXPECT_EQ(date->text(), "03/14/2026");
    EXPECT_EQ(time->text(), "10:30 AM");
    // The input checks have their own test; a refused date keeps the message up.
    date->setText("02/30/2026");
    click(f->findChild<QPushButton*>("cmdRemind"));
    EXPECT_EQ(b->prompt.last(), MsgRemindDate);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(rows().first().due, "2026/03/14 10:00");

    // Keeping it is not a disposition.
    QTest::mouseDClick(f->findChild<QLabel*>("imgKeep"), Qt::LeftButton);
    EXPECT_TRUE(f->isVisible());

    date->setText("03/14/2026");
    time->setText("10:20 AM");
    click(f->findChild<QPushButton*>("cmdRemind"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return b->presenter() == nullptr; }, 5000));
    EXPECT_EQ(rows().first().due, "2026/03/14 10:20");
    EXPECT_EQ(rows().first().logId, 0);
    b->clock.set(at(10, 20));
    ASSERT_NE(b->waitForPresenter(), nullptr);
    click(b->presenter()->findChild<QPushButton*>("cmdRead"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return b->presenter() == nullptr; }, 5000));
    EXPECT_EQ(rows().first().logId, -1);
}

TEST_F(MessagingFixture, ReplyToAnAutomaticSenderIsRefusedPlainlyAndForwardPassesItOn) {
    send(QuickViewerSender, "Ben Carter", at(10, 0), "Check the minibar list");
    auto b = desk(ben, at(10, 0));
    frmPresentMsg* f = b->waitForPresenter();
    ASSERT_NE(f, nullptr);
    click(f->findChild<QPushButton*>("cmdReply"));
    EXPECT_EQ(b->prompt.last(), "Please enter your reply.");
    f->findChild<QPlainTextEdit*>("txtReply")->setPlainText("Done");
    click(f->findChild<QPushButton*>("cmdReply"));
    EXPECT_EQ(b->prompt.last(), MsgCannotReplyTo("Quick Viewer"));
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(rows().size(), 1);
    EXPECT_EQ(rows().first().logId, 0);

    click(f->findChild<QPushButton*>("cmdForward"));
    EXPECT_EQ(b->prompt.last(), MsgChooseForwardTo);
    auto* to = f->findChild<QComboBox*>("cboForwardTo");
    EXPECT_EQ(to->findText("Ben Carter"), -1); // not to oneself
    to->setCurrentIndex(to->findText("Carl Dunn"));
    f->findChild<QLineEdit*>("txtForwardNote")->setText("Please take this one");
    click(f->findChild<QPushButton*>("cmdForward"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return b->presenter() == nullptr; }, 5000));
    const QList<StoredMsg> after = rows();
    ASSERT_EQ(after.size(), 2);
    EXPECT_EQ(after[0].logId, -1);
    EXPECT_EQ(after[1].recipient, "Carl Dunn");
    EXPECT_EQ(after[1].sentFrom, "Ben Carter");
    EXPECT_EQ(after[1].text, "FORWARD A MESSAGE:\r\nPlease take this one\r\nYOUR MESSAGE:\r\n"
                             "Check the minibar list");
}

TEST_F(MessagingFixture, MessagesPageChecksRightsAndInputAndStepsThePresets) {
    auto a = desk(anna, at(10, 0));
    a->showMessagesPage();
    auto* date = a->find<QLineEdit>("txtDeliverDate");
    auto* time = a->find<QLineEdit>("txtDeliverTime");
    EXPECT_EQ(date->text(), "03/14/2026");
    EXPECT_EQ(time->text(), "10:00 AM");
    // The steps themselves have their own test; the button shows the next one.
    click(a->find<QPushButton>("cmdPresetTime"));
    EXPECT_EQ(date->text() + " " + time->text(), "03/14/2026 11:00 AM");
    click(a->find<QPushButton>("cmdSetNow"));
    EXPECT_EQ(time->text(), "10:00 AM");

    auto* send = a->find<QPushButton>("cmdSendMessage");
    click(send);
    EXPECT_EQ(a->prompt.last(), "Please select the message recipient(s).  Thank you.");
    a->doubleClick("lstConcierges", "Ben Carter");
    click(send);
    EXPECT_EQ(a->prompt.last(), "Please enter the text of your message.  Thank you.");
    a->find<QPlainTextEdit>("txtMessage")->setPlainText("Pool closes early");
    date->setText("13/01/2026");
    click(send);
    EXPECT_EQ(a->prompt.last(),
              "Please enter a valid Date for message to be delivered.  Thank you.");
    EXPECT_TRUE(rows().isEmpty());
    // Urgent: due now whatever the boxes hold.
    a->find<QCheckBox>("chkUrgent")->setChecked(true);
    click(send);
    ASSERT_EQ(rows().size(), 1) << a->prompt.last().toStdString();
    EXPECT_EQ(rows().first().due, "2026/03/14 10:00");
    EXPECT_EQ(rows().first().type, "U");

    // No messaging at the property, a member without the right, the guest viewer.
    a->doubleClick("lstConcierges", "Ben Carter");
    a->find<QPlainTextEdit>("txtMessage")->setPlainText("Pool closes early");
    ASSERT_TRUE(SetBooleanSetting(env.db(), "NoMessaging", true));
    click(send);
    EXPECT_EQ(a->prompt.last(),
              "As a Guest or Restricted User you do not have the ability to use messaging.  "
              "Thank you.");
    ASSERT_TRUE(SetBooleanSetting(env.db(), "NoMessaging", false));
    const QString column = RightsColumn(RightsArea::Messages);
    env.db().exec("UPDATE [ConciergePlus] SET [" + column + "] = '0' WHERE [ConciergeID] = ?",
                  {anna});
    const QString refusal = "You are not authorized to use any Messaging Tab Features.";
    for (const QString& name : {"cmdSendMessage", "cmdRetrieveMessages", "cmdMessageCenter2"}) {
        a->prompt.clear();
        click(a->find<QPushButton>(name));
        EXPECT_EQ(a->prompt.texts(), QStringList{refusal}) << name.toStdString();
    }
    a->prompt.clear();
    click(a->find<QToolButton>("lblMail"));
    EXPECT_EQ(a->prompt.texts(), QStringList{refusal});
    a->ctx->session.guest = true;
    a->prompt.clear();
    click(a->find<QToolButton>("lblMail"));
    EXPECT_EQ(a->prompt.texts(), QStringList{refusal});
    EXPECT_EQ(rows().size(), 1);
}

TEST_F(MessagingFixture, EntryScreenHookSendsAMessageAboutTheEntryThatOpensFromThePresenter) {
    env.logOn(anna);
    InsertCategory(env.db(), "Dining");
    LogEntry e;
    e.lastName = "Lane";
    e.firstName = "Pat";
    e.entryType = "Dining";
    e.referDate = "2026/03/14";
    e.referTime = "19:30";
    e.text = "Table for two";
    const qint64 logId = LogbookStore(*env.ctx).InsertLogBook(e);
    ASSERT_GT(logId, 0);

    auto a = desk(anna, at(10, 0), true);
    auto* logbook = a->window->findChild<LogbookModule*>("LogbookModule");
    ASSERT_NE(logbook, nullptr);
    ASSERT_TRUE(logbook->hooks.sendMessage);
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmSetMessager*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        auto* list = d->findChild<QListWidget*>("lstConcierges");
        const auto items = list->findItems("Ben Carter", Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        DoubleClickItem(list, items.first());
        d->findChild<QPlainTextEdit*>("txtMessage")->setPlainText("Confirm the table");
        click(d->findChild<QPushButton*>("cmdSendMessage"));
        driven = true;
    });
    logbook->hooks.sendMessage(logId, a->window.get());
    ASSERT_TRUE(driven);
    ASSERT_EQ(rows().size(), 1) << a->prompt.texts().join("|").toStdString();
    EXPECT_EQ(rows().first().logId, logId);
    EXPECT_EQ(rows().first().recipient, "Ben Carter");

    auto b = desk(ben, at(10, 0), true);
    frmPresentMsg* f = b->waitForPresenter();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->findChild<QWidget*>("fraEntry")->isVisibleTo(f));
    const QString summary = f->findChild<QPlainTextEdit*>("txtEntry")->toPlainText();
    EXPECT_TRUE(summary.contains("Name:  Pat Lane")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("Table for two"));
    click(f->findChild<QPushButton*>("cmdOpenEntry"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return qobject_cast<frmLogbook*>(QApplication::activeModalWidget()) != nullptr; },
        5000))
        << b->prompt.texts().join("|").toStdString();
    // One entry screen at a time.
    click(f->findChild<QPushButton*>("cmdOpenEntry"));
    EXPECT_EQ(b->prompt.last(),
              "You already have a Logbook Entry Open, we cannot display another at this time.");
}

TEST_F(MessagingFixture, ContactMessageFromTheRecordScreenArrivesInTheStore) {
    env.logOn(anna);
    InstallMessagesStore(*env.ctx);
    const qint64 id = env.ctx->contactsDb().insert(
        "INSERT INTO [Contact] ([ContactName], [CommissionType]) VALUES ('Harbour Grill', '0')", {},
        "ContactID");
    frmEvtMessager form(*env.ctx, RecordKind::Contact, id);
    form.show();
    auto* list = form.findChild<QListWidget*>("lstRecipients");
    list->findItems("Carl Dunn (CD)", Qt::MatchExactly).first()->setSelected(true);
    form.findChild<QLineEdit*>("txtDeliverDate")->setText("03/15/2026");
    form.findChild<QLineEdit*>("txtDeliverTime")->setText("07:45 PM");
    click(form.findChild<QPushButton*>("cmdSend"));
    EXPECT_TRUE(form.sent()) << env.prompt.texts().join("|").toStdString();
    ASSERT_EQ(rows().size(), 1);
    const StoredMsg m = rows().first();
    EXPECT_EQ(m.recipient, "Carl Dunn");
    EXPECT_EQ(m.sentFrom, "Anna Bell");
    EXPECT_EQ(m.due, "2026/03/15 19:45");
    EXPECT_EQ(m.logId, 0);
    EXPECT_TRUE(m.text.startsWith("Please Note the following Contact information:\r\n   Primary "
                                  "Name: Harbour Grill"))
        << m.text.toStdString();
}

TEST_F(MessagingFixture, KeepingAMessageAndSendingToTheMessageCenterWriteTheMembersOwnPage) {
    send("Carl Dunn", "Ben Carter", at(10, 0), "Gate code <1234> & spare key");
    auto b = desk(ben, at(10, 0));
    frmPresentMsg* f = b->waitForPresenter();
    ASSERT_NE(f, nullptr);
    QTest::mouseDClick(f->findChild<QLabel*>("imgKeep"), Qt::LeftButton);
    EXPECT_EQ(f->findChild<QLabel*>("lblKept")->text(), "Kept in your Personal Message Center.");
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(rows().first().logId, 0);
    const auto pageRows = [](AppContext& ctx) {
        QFile page(PersonalMessagePage(ctx));
        return page.open(QIODevice::ReadOnly) ? ReadPageRows(QString::fromUtf8(page.readAll()))
                                              : QList<PageRow>();
    };
    QList<PageRow> kept = pageRows(*b->ctx);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].when, "2026/03/14 10:00");
    EXPECT_EQ(kept[0].sender, "Carl Dunn");
    EXPECT_EQ(kept[0].text, "Gate code <1234> and spare key");
    click(f->findChild<QPushButton*>("cmdRead"));

    // The page's box keeps a copy in the sender's own centre, not the recipient's.
    b->showMessagesPage();
    b->find<QCheckBox>("chkToMessageCenter")->setChecked(true);
    compose(*b, {"Dora Enns", "*All Vm Users"}, "Valet is short today", "03/14/2026", "02:00 PM");
    EXPECT_EQ(rows().size(), 1 + 1 + 4) << b->prompt.texts().join("|").toStdString();
    kept = pageRows(*b->ctx);
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[1].when, "2026/03/14 14:00");
    EXPECT_EQ(kept[1].sender, "Ben Carter to Dora Enns, *All Vm Users");
    EXPECT_EQ(kept[1].text, "Valet is short today");
    EXPECT_EQ(b->find<QLabel>("lblSent")->text(),
              "Message sent to: Dora Enns, Anna Bell, Ben Carter, Carl Dunn");
}
