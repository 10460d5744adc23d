#include "MessagingFixture.h"

#include "core/Settings.h"
#include "desk/MessagePoller.h"
#include "desk/MessageRules.h"

using namespace vm;
using namespace vm::test;

namespace {

// The poller with its screen side recorded: what it presented, the caption,
// and whether a modal dialog is said to be open.
class MessagingPoller : public MessagingFixture {
protected:
    void SetUp() override {
        MessagingFixture::SetUp();
        env.logOn(ben);
        MessagePoller::Seams seams;
        seams.mayPresentNow = [this] { return !modalOpen; };
        seams.present = [this](const StaffMsg& m) { presented << m.text; };
        seams.showCaption = [this](const QString& c) { caption = c; };
        seams.showCount = [this](int n) { count = n; };
        poller = std::make_unique<MessagePoller>(*env.ctx, seams);
    }

    QStringList presented;
    QString caption = "unset";
    int count = -1;
    bool modalOpen = false;
    std::unique_ptr<MessagePoller> poller;
};

} // namespace

TEST_F(MessagingPoller, PresentsOneAtATimeInDueOrderAndStopsWhenEndedWithoutADisposition) {
    send("Anna Bell", "Ben Carter", at(9, 50), "first");
    send("Carl Dunn", "Ben Carter", at(9, 40), "older");
    send("Anna Bell", "Ben Carter", at(10, 0), "third");
    send("Anna Bell", "Carl Dunn", at(9, 0), "for Carl");
    poller->tick();
    EXPECT_EQ(presented, QStringList{"older"});
    EXPECT_EQ(caption, "  ~~~  You,ve Got Mail! (3)");
    // Never a second one while the first is on screen.
    env.clock.advanceSecs(60);
    poller->tick();
    EXPECT_EQ(poller->retrieveNow(), 3);
    EXPECT_EQ(presented.size(), 1);

    MarkMessageDone(*env.ctx, GetDueMessages(*env.ctx, "Ben Carter").first().timerId);
    poller->presenterClosed(true);
    EXPECT_EQ(presented, (QStringList{"older", "first"}));
    EXPECT_EQ(count, 2);
    // Ended by a log-off: the round stops, the message stays due.
    poller->presenterClosed(false);
    EXPECT_EQ(presented.size(), 2);
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(poller->presenting());
}

TEST_F(MessagingPoller, PollsEveryThirtySecondsAndAtEveryTickWhileAModalDialogWaits) {
    poller->tick(); // the first step after the logon polls at once
    EXPECT_EQ(caption, "");
    send("Anna Bell", "Ben Carter", at(10, 0), "hello");
    env.clock.advanceSecs(MessagePollSeconds - 1);
    poller->tick();
    EXPECT_TRUE(presented.isEmpty());
    EXPECT_EQ(caption, "");
    env.clock.advanceSecs(1);
    modalOpen = true;
    poller->tick();
    EXPECT_TRUE(presented.isEmpty());
    EXPECT_EQ(caption, "  ~~~  You,ve Got Mail!");
    // Waiting on the dialog: the next step tries again without the interval.
    modalOpen = false;
    poller->tick();
    EXPECT_EQ(presented, QStringList{"hello"});
}

TEST_F(MessagingPoller, DoNotInterruptMembersGetOnlyUrgentPopUpsUntilTheyAsk) {
    env.db().exec("UPDATE [Concierge] SET [DNIMessages] = ? WHERE [ConciergeID] = ?", {true, ben});
    send("Anna Bell", "Ben Carter", at(9, 0), "routine");
    poller->tick();
    EXPECT_TRUE(presented.isEmpty());
    EXPECT_EQ(count, 1);
    send("Anna Bell", "Ben Carter", at(12, 0), "fire drill", true);
    env.clock.advanceSecs(MessagePollSeconds);
    poller->tick();
    EXPECT_EQ(presented, QStringList{"fire drill"});
    MarkMessageDone(*env.ctx, GetDueUrgentMessages(*env.ctx, "Ben Carter").first().timerId);
    poller->presenterClosed(true);
    EXPECT_EQ(poller->retrieveNow(), 1);
    EXPECT_EQ(presented, (QStringList{"fire drill", "routine"}));
}

TEST_F(MessagingPoller, SkipsWhatAnotherDeskDisposedOfAndBringsAPastReminderBackAtTheNextPoll) {
    send("Anna Bell", "Ben Carter", at(9, 0), "one");
    send("Anna Bell", "Ben Carter", at(9, 5), "two");
    poller->tick();
    ASSERT_EQ(presented, QStringList{"one"});
    const QList<StaffMsg> due = GetDueMessages(*env.ctx, "Ben Carter");
    // "one" is reminded for a time already past; "two" was read at another desk.
    UpdateTheMessage(*env.ctx, due[0].timerId, at(9, 59), "");
    MarkMessageDone(*env.ctx, due[1].timerId);
    poller->presenterClosed(true);
    EXPECT_EQ(presented, QStringList{"one"});
    EXPECT_EQ(caption, "  ~~~  You,ve Got Mail!");
    env.clock.advanceSecs(MessagePollSeconds);
    poller->tick();
    EXPECT_EQ(presented, (QStringList{"one", "one"}));
}

TEST_F(MessagingPoller, NothingIsPolledForGuestsOrWithNobodyLoggedOnAndNoMailMsgHidesTheCaption) {
    send("Anna Bell", "Ben Carter", at(9, 0), "one");
    env.ctx->session.guest = true;
    poller->tick();
    EXPECT_TRUE(presented.isEmpty());
    EXPECT_EQ(caption, "");
    env.ctx->session.clear();
    EXPECT_EQ(poller->retrieveNow(), 0);
    env.logOn(ben);
    ASSERT_TRUE(SetBooleanSetting(env.db(), "NoMailMsg", true));
    poller->reset();
    poller->tick();
    EXPECT_EQ(caption, "");
    EXPECT_EQ(count, 1);
    EXPECT_EQ(presented, QStringList{"one"});
}
