// Sending, polling and the dispositions of staff messages.

#include "MessageStoreFixture.h"

#include "core/DataAccess.h"
#include "core/Formats.h"

using namespace vm;
using namespace vm::test;

namespace {

using MessageSend = MessageStoreFixture;

TEST_F(MessageSend, AnAddressReachesActiveMembersByWholeGroupName) {
    struct Case {
        QString address;
        QStringList reached;
    };
    const QList<Case> cases{
        // Restricted, inactive and built-in members never; message-inhibited
        // ones still get group messages.
        {"*Bell", {"Bell Boy", "Carl Dunn", "Quinn Quiet"}},
        {"*Bellmen", {"Bella Ray"}},
        {"* bell ", {"Bell Boy", "Carl Dunn", "Quinn Quiet"}},
        {"*Bel", {}},
        {"*All Vm Users", {"Ann Desk", "Anne Smith", "Bell Boy", "Bella Ray", "Carl Dunn"}},
        {"Anne Smith", {"Anne Smith"}},
        {"anne smith", {"Anne Smith"}},
        {"Ann", {}},
        {"Ida Gone", {}},
        {"Support Profile", {}},
        {"*", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        EXPECT_EQ(ResolveRecipients(db(), c.address), c.reached);
        const QString text = "to " + c.address;
        EXPECT_EQ(send(c.address, text), c.reached);
        QStringList stored = recipientsOf(CleanSqlText(text));
        std::sort(stored.begin(), stored.end());
        EXPECT_EQ(stored, c.reached);
    }
    EXPECT_EQ(GetRecipientInitials(db(), "*Bell"), QStringList({"BB", "CD", "QQ"}));
}

TEST_F(MessageSend, GroupCopiesCarryTheSuffixWithTwoBlanks) {
    send("*Bell", "Luggage at the door");
    send("Carl Dunn", "See me");
    for (const StaffMsg& m : GetMessages(ctx(), {})) {
        SCOPED_TRACE(m.text.toStdString());
        const bool group = m.text == "Luggage at the door";
        EXPECT_EQ(m.sentFrom, group ? "Ann Desk  (2 Group)" : "Ann Desk");
        EXPECT_EQ(m.toMany(), group);
        EXPECT_EQ(m.senderName(), "Ann Desk");
        EXPECT_EQ(m.created, "2026/03/14 10:00");
        EXPECT_EQ(m.logId, 0);
    }
}

TEST_F(MessageSend, IsGroupMemberComparesWholeItems) {
    struct Case {
        QString list, group;
        bool member;
    };
    for (const Case& c : QList<Case>{{"Bellmen", "Bell", false},
                                     {"Front, Bell", "Bell", true},
                                     {" bell ,Night", "BELL", true},
                                     {"Front,Bellmen,Night", "Bell", false},
                                     {"", "Bell", false},
                                     {"Bell", "", false},
                                     {"Bell Captains", "Bell", false}}) {
        SCOPED_TRACE((c.list + " / " + c.group).toStdString());
        EXPECT_EQ(IsGroupMember(c.list, c.group), c.member);
    }
}

TEST_F(MessageSend, LongTextIsCleanedThenCutInPiecesOf255) {
    const QString text = QString(254, 'a') + "&" + QString(300, 'b') + "\"x\"";
    send("Carl Dunn", text);
    const StaffMsg m = onlyMessageOf("Carl Dunn");
    const QString cleaned = QString(254, 'a') + "and" + QString(300, 'b') + "'x'";
    EXPECT_EQ(m.text, cleaned);
    QList<int> sizes;
    QList<int> sequences;
    for (const Row& r :
         db().query("SELECT [Sequence], [MsgText] FROM [MsgText] WHERE [TimerID] = ? ORDER BY "
                    "[Sequence]",
                    {m.timerId})) {
        sequences << int(r.number("Sequence"));
        sizes << int(r.text("MsgText").size());
    }
    EXPECT_EQ(sequences, QList<int>({1, 2, 3}));
    EXPECT_EQ(sizes, QList<int>({255, 255, 50}));
}

TEST_F(MessageSend, SixHundredCharactersMakeThreePieces) {
    send("Carl Dunn", QString(600, 'z'));
    const StaffMsg m = onlyMessageOf("Carl Dunn");
    EXPECT_EQ(m.text, QString(600, 'z'));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [MsgText] WHERE [TimerID] = ? AND [Sequence] = 3 AND "
                    "[MsgText] = ?",
                    {m.timerId, QString(90, 'z')}),
              1);
}

TEST_F(MessageSend, TwoMessagesOfOneMinuteKeepTheirOwnTexts) {
    send("Carl Dunn", "First errand");
    send("Carl Dunn", "Second errand");
    send("*Bell", "Group one");
    send("*Bell", "Group two");
    MsgListQuery q;
    q.filter = MsgFilter::ByRecipient;
    q.name = "Carl Dunn";
    QStringList texts;
    for (const StaffMsg& m : GetMessages(ctx(), q)) {
        EXPECT_TRUE(m.hasText);
        texts << m.text;
    }
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, QStringList({"First errand", "Group one", "Group two", "Second errand"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [MsgText]"), 2 + 3 + 3);
}

TEST_F(MessageSend, UrgentIsDueNowWhateverTheChosenTime) {
    send("Carl Dunn", "Now please", "Ann Desk", QDateTime(QDate(2026, 3, 20), QTime(8, 0)), 0,
         true);
    const StaffMsg m = onlyMessageOf("Carl Dunn");
    EXPECT_EQ(m.due, "2026/03/14 10:00");
    EXPECT_EQ(m.type, "U");
}

using MessagePoll = MessageStoreFixture;

TEST_F(MessagePoll, AMessageFallsDueAtItsMinute) {
    send("Carl Dunn", "Taxi at 10:05", "Ann Desk", QDateTime(QDate(2026, 3, 14), QTime(10, 5)));
    at(10, 4);
    EXPECT_EQ(CountDueMessages(ctx(), "Carl Dunn"), 0);
    EXPECT_TRUE(GetDueMessages(ctx(), "Carl Dunn").isEmpty());
    at(10, 5);
    EXPECT_EQ(CountDueMessages(ctx(), "Carl Dunn"), 1);
    const QList<StaffMsg> due = GetDueMessages(ctx(), "Carl Dunn");
    ASSERT_EQ(due.size(), 1);
    EXPECT_EQ(due[0].text, "Taxi at 10:05");
    EXPECT_EQ(due[0].due, "2026/03/14 10:05");
    EXPECT_EQ(CountDueMessages(ctx(), "Bell Boy"), 0);
}

TEST_F(MessagePoll, DueMessagesComeOldestFirstAndUrgentOnesApart) {
    send("Carl Dunn", "later", "Ann Desk", QDateTime(QDate(2026, 3, 14), QTime(9, 30)));
    send("Carl Dunn", "earlier", "Ann Desk", QDateTime(QDate(2026, 3, 13), QTime(18, 0)));
    send("Carl Dunn", "urgent", "Ann Desk", {}, 0, true);
    QStringList order;
    for (const StaffMsg& m : GetDueMessages(ctx(), "Carl Dunn"))
        order << m.text;
    EXPECT_EQ(order, QStringList({"earlier", "later", "urgent"}));
    const QList<StaffMsg> urgent = GetDueUrgentMessages(ctx(), "Carl Dunn");
    ASSERT_EQ(urgent.size(), 1);
    EXPECT_EQ(urgent[0].text, "urgent");
}

TEST_F(MessagePoll, DispositionsMoveAMessageInAndOutOfThePoll) {
    send("Carl Dunn", "Check the lobby");
    const qint64 id = onlyMessageOf("Carl Dunn").timerId;

    UpdateTheMessage(ctx(), id, QDateTime(QDate(2026, 3, 14), QTime(10, 30)), "");
    EXPECT_EQ(CountDueMessages(ctx(), "Carl Dunn"), 0);
    // Remind me again at a time already past: back at the next poll.
    UpdateTheMessage(ctx(), id, QDateTime(QDate(2026, 3, 14), QTime(9, 0)), "U");
    EXPECT_EQ(CountDueMessages(ctx(), "Carl Dunn"), 1);
    EXPECT_EQ(GetMessage(ctx(), id)->type, "U");

    MarkMessageDone(ctx(), id);
    EXPECT_EQ(CountDueMessages(ctx(), "Carl Dunn"), 0);
    EXPECT_EQ(GetMessage(ctx(), id)->logId, -1);
    RestoreMessage(ctx(), id);
    EXPECT_EQ(CountDueMessages(ctx(), "Carl Dunn"), 1);
    EXPECT_EQ(GetMessage(ctx(), id)->logId, 0);
    EXPECT_FALSE(GetMessage(ctx(), id + 1000).has_value());
}

TEST_F(MessagePoll, TheCaptionCountsDueMessages) {
    EXPECT_EQ(MailCaption(0), "");
    EXPECT_EQ(MailCaption(1), "  ~~~  You,ve Got Mail!");
    EXPECT_EQ(MailCaption(2), "  ~~~  You,ve Got Mail! (2)");
    EXPECT_EQ(MailCaption(12), "  ~~~  You,ve Got Mail! (12)");
}

TEST_F(MessagePoll, ThePollCountIsAnsweredFromTheRecipientIndex) {
    const QString count = "SELECT COUNT(*) FROM [MsgTimer] WHERE [ConciergeName] = 'Carl Dunn' "
                          "AND [MsgDateTime] <= '2026/03/14 10:00' AND [LogbookID] <> -1";
    QString plan;
    if (db().engine() == Engine::SQLite) {
        for (const Row& r : db().query("EXPLAIN QUERY PLAN " + count))
            plan += r.text("detail") + "\n";
        EXPECT_TRUE(plan.contains("USING INDEX") || plan.contains("USING COVERING INDEX"))
            << plan.toStdString();
        EXPECT_TRUE(plan.contains("ConciergeName")) << plan.toStdString();
    } else {
        // A tiny table is cheaper to scan; what matters is that an index serves.
        db().transaction([&] {
            db().exec("SET LOCAL enable_seqscan = off");
            for (const Row& r : db().query("EXPLAIN " + count))
                plan += r.text(0) + "\n";
        });
        EXPECT_TRUE(plan.contains("Index")) << plan.toStdString();
        EXPECT_TRUE(plan.contains("conciergename", Qt::CaseInsensitive)) << plan.toStdString();
    }
}

using MessageDisposition = MessageStoreFixture;

TEST_F(MessageDisposition, ReplyQuotesTheMessageToItsSender) {
    const qint64 logId = entry(db(), "Rossi");
    struct Case {
        QString to;
        qint64 logId;
        QString header, quoted;
    };
    for (const Case& c : QList<Case>{
             {"Carl Dunn", 0, "REPLY TO YOUR MESSAGE:", "YOUR MESSAGE:"},
             {"*Front", logId, "REPLY TO YOUR LOGBOOK MESSAGE:", "YOUR LOGBOOK MESSAGE:"}}) {
        SCOPED_TRACE(c.to.toStdString());
        DeleteMessages(ctx(), MsgDelete::AllActive);
        DeleteMessages(ctx(), MsgDelete::AllDisposed);
        send(c.to, "Need a car at 6", "Ann Desk", {}, c.logId);
        const StaffMsg presented = onlyMessageOf("Carl Dunn");
        EXPECT_TRUE(CanReplyTo(ctx(), presented));
        at(10, 7);
        ASSERT_TRUE(ReplyMessage(ctx(), presented, "Carl Dunn", "Booked"));
        const StaffMsg reply = GetDueMessages(ctx(), "Ann Desk").last();
        const QString expected =
            c.header + CRLF + "Booked" + CRLF + CRLF + c.quoted + CRLF + "Need a car at 6";
        EXPECT_EQ(reply.text, expected);
        EXPECT_EQ(reply.sentFrom, "Carl Dunn");
        EXPECT_EQ(reply.logId, c.logId);
        EXPECT_EQ(reply.due, "2026/03/14 10:07");
        EXPECT_EQ(GetMessage(ctx(), presented.timerId)->logId, -1);
        at(10, 0);
    }
}

TEST_F(MessageDisposition, NoReplyToSendersWhoNeverReadIt) {
    for (const QString& sender : {QuickViewerSender, QuickViewerSender + GroupSenderSuffix,
                                  QString("Ida Gone"), QString("Someone Renamed")}) {
        SCOPED_TRACE(sender.toStdString());
        DeleteMessages(ctx(), MsgDelete::AllActive);
        send("Carl Dunn", "Restock the maps", sender);
        const StaffMsg presented = onlyMessageOf("Carl Dunn");
        EXPECT_FALSE(CanReplyTo(ctx(), presented));
        EXPECT_FALSE(ReplyMessage(ctx(), presented, "Carl Dunn", "Done"));
        EXPECT_EQ(count("SELECT COUNT(*) FROM [MsgTimer]"), 1);
        EXPECT_EQ(GetMessage(ctx(), presented.timerId)->logId, 0);
    }
    send("Carl Dunn", "Call me", "Ann Desk");
    const StaffMsg fromAnn = GetDueMessages(ctx(), "Carl Dunn").last();
    EXPECT_FALSE(ReplyMessage(ctx(), fromAnn, "Carl Dunn", "   "));
    EXPECT_EQ(GetMessage(ctx(), fromAnn.timerId)->logId, 0);
}

TEST_F(MessageDisposition, ForwardCarriesTheNoteAndTheEntry) {
    const qint64 logId = entry(db(), "Rossi");
    send("Carl Dunn", "Flowers for 1204", "Ann Desk", {}, logId);
    const StaffMsg presented = onlyMessageOf("Carl Dunn");
    ForwardMessage(ctx(), presented, "Carl Dunn", "Bell Boy", "Can you take this?");
    const StaffMsg forwarded = onlyMessageOf("Bell Boy");
    EXPECT_EQ(forwarded.text, "FORWARD A LOGBOOK MESSAGE:" + CRLF + "Can you take this?" + CRLF +
                                  "YOUR LOGBOOK MESSAGE:" + CRLF + "Flowers for 1204");
    EXPECT_EQ(forwarded.logId, logId);
    EXPECT_EQ(forwarded.sentFrom, "Carl Dunn");
    EXPECT_EQ(GetMessage(ctx(), presented.timerId)->logId, logId);

    send("Carl Dunn", "Plain one");
    const StaffMsg plain = GetDueMessages(ctx(), "Carl Dunn").last();
    ForwardMessage(ctx(), plain, "Carl Dunn", "Anne Smith", "fyi");
    EXPECT_EQ(onlyMessageOf("Anne Smith").text,
              "FORWARD A MESSAGE:" + CRLF + "fyi" + CRLF + "YOUR MESSAGE:" + CRLF + "Plain one");
}

TEST_F(MessageDisposition, CompletionReachesOnlyTheCopiesOfThatMessage) {
    const QDateTime noon(QDate(2026, 3, 14), QTime(12, 0));
    send("*Bell", "Cart to room 12");
    send("*Bell", "Ice to room 40");                    // same minute, other text
    send("*Bell", "Cart to room 12", "Ann Desk", noon); // same text, other due time
    send("Carl Dunn", "Cart to room 12");               // not a group copy
    const StaffMsg presented = GetDueMessages(ctx(), "Carl Dunn").value(0);
    ASSERT_EQ(presented.text, "Cart to room 12");
    ASSERT_TRUE(presented.toMany());

    UpdateMessage2ALL(ctx(), presented, "Carl Dunn");
    const QString note = "NOTE:  All Actions were completed by Carl Dunn at " +
                         Formats::LongDate(QDate(2026, 3, 14)) + CRLF + "+++++++++++++++++++++" +
                         CRLF + "Cart to room 12";
    QStringList noted = recipientsOf(note);
    std::sort(noted.begin(), noted.end());
    EXPECT_EQ(noted, QStringList({"Bell Boy", "Quinn Quiet"}));
    EXPECT_EQ(GetMessage(ctx(), presented.timerId)->text, note);
    EXPECT_EQ(recipientsOf("Ice to room 40").size(), 3);
    // The noon copies and the personal message keep their text.
    EXPECT_EQ(recipientsOf("Cart to room 12").size(), 3 + 1);
    EXPECT_EQ(GetMessage(ctx(), presented.timerId)->logId, -1);
    EXPECT_EQ(orphanTexts(), 0);
}

} // namespace
