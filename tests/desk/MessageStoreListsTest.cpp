// The message centre's lists and deletes, entry summaries, message groups,
// the record-message sender and two desks on one database.

#include "MessageStoreFixture.h"

#include "core/DataAccess.h"
#include "logbook/LogbookStore.h"
#include "platform/Database.h"

using namespace vm;
using namespace vm::test;

namespace {

class MessageLists : public MessageStoreFixture {
protected:
    void SetUp() override {
        MessageStoreFixture::SetUp();
        send("Carl Dunn", "from ann", "Ann", QDateTime(QDate(2026, 3, 12), QTime(9, 0)));
        send("*Front", "ann to front", "Ann", QDateTime(QDate(2026, 3, 13), QTime(9, 0)));
        send("Bell Boy", "from anne", "Anne Smith", QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
        send("Carl Dunn", "done one", "Anne Smith", QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
        MarkMessageDone(ctx(), GetDueMessages(ctx(), "Carl Dunn").first().timerId);
    }
    QStringList texts(const MsgListQuery& q) {
        QStringList out;
        for (const StaffMsg& m : GetMessages(ctx(), q))
            out << m.recipient + ": " + m.text;
        return out;
    }
};

TEST_F(MessageLists, FiltersAndOrders) {
    struct Case {
        MsgListQuery query;
        QStringList expected;
    };
    auto query = [](MsgFilter f, const QString& name, bool disposed, bool byName,
                    QDate before = {}) {
        MsgListQuery q;
        q.filter = f;
        q.name = name;
        q.disposed = disposed;
        q.orderByName = byName;
        q.before = before;
        return q;
    };
    const QList<Case> cases{
        {query(MsgFilter::All, {}, false, false),
         {"Bell Boy: from anne", "Carl Dunn: from ann", "Ann Desk: ann to front",
          "Anne Smith: ann to front", "Carl Dunn: ann to front"}},
        {query(MsgFilter::All, {}, false, true),
         {"Ann Desk: ann to front", "Anne Smith: ann to front", "Bell Boy: from anne",
          "Carl Dunn: from ann", "Carl Dunn: ann to front"}},
        {query(MsgFilter::All, {}, true, false), {"Carl Dunn: done one"}},
        {query(MsgFilter::ByRecipient, "Carl Dunn", false, false),
         {"Carl Dunn: from ann", "Carl Dunn: ann to front"}},
        // "Ann" is not a prefix of "Anne Smith" here.
        {query(MsgFilter::BySender, "Ann", false, false),
         {"Carl Dunn: from ann", "Ann Desk: ann to front", "Anne Smith: ann to front",
          "Carl Dunn: ann to front"}},
        {query(MsgFilter::BySender, "Anne Smith", false, false), {"Bell Boy: from anne"}},
        {query(MsgFilter::BySender, "Anne Smith", true, false), {"Carl Dunn: done one"}},
        {query(MsgFilter::BeforeDate, {}, false, false, QDate(2026, 3, 12)),
         {"Bell Boy: from anne"}},
        {query(MsgFilter::BeforeDate, {}, false, false, QDate()), {}},
    };
    for (int i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(texts(cases[i].query), cases[i].expected);
    }
}

TEST_F(MessageLists, NamesOfRecipientsAndSenders) {
    EXPECT_EQ(GetMessagesNames(ctx(), false, false),
              QStringList({"Ann Desk", "Anne Smith", "Bell Boy", "Carl Dunn"}));
    EXPECT_EQ(GetMessagesNames(ctx(), true, false), QStringList({"Ann", "Anne Smith"}));
    EXPECT_EQ(GetMessagesNames(ctx(), true, true), QStringList({"Anne Smith"}));
    EXPECT_EQ(GetMessagesNames(ctx(), false, true), QStringList({"Carl Dunn"}));
}

TEST_F(MessageLists, DeletesTakeTheirTextsAndNothingElse) {
    struct Case {
        MsgDelete mode;
        QString arg;
        int deleted;
        QStringList left; // texts still stored, sorted
    };
    const QList<Case> cases{
        {MsgDelete::Sender, "Ann", 4, {"done one", "from anne"}},
        {MsgDelete::Sender,
         "Anne",
         0,
         {"ann to front", "ann to front", "ann to front", "done one", "from ann", "from anne"}},
        {MsgDelete::Recipient, "Carl Dunn", 3, {"ann to front", "ann to front", "from anne"}},
        {MsgDelete::InactiveStaff,
         "Bell Boy",
         1,
         {"ann to front", "ann to front", "ann to front", "done one", "from ann"}},
        {MsgDelete::BeforeDate,
         "2026/03/12",
         2,
         {"ann to front", "ann to front", "ann to front", "from ann"}},
        {MsgDelete::BeforeDate,
         "03/12/2026",
         2,
         {"ann to front", "ann to front", "ann to front", "from ann"}},
        {MsgDelete::BeforeDate,
         "soon",
         0,
         {"ann to front", "ann to front", "ann to front", "done one", "from ann", "from anne"}},
        {MsgDelete::AllDisposed,
         {},
         1,
         {"ann to front", "ann to front", "ann to front", "from ann", "from anne"}},
        {MsgDelete::AllActive, {}, 5, {"done one"}},
        {MsgDelete::Recipient,
         "",
         0,
         {"ann to front", "ann to front", "ann to front", "done one", "from ann", "from anne"}},
    };
    for (int i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        EXPECT_THROW(db().transaction([&] {
            EXPECT_EQ(DeleteMessages(ctx(), c.mode, c.arg), c.deleted);
            QStringList left;
            for (const Row& r : db().query("SELECT [MsgText] FROM [MsgText]"))
                left << r.text(0);
            std::sort(left.begin(), left.end());
            EXPECT_EQ(left, c.left);
            EXPECT_EQ(orphanTexts(), 0);
            // Undo, so every case starts from the same messages.
            throw DbError(DbErrorNumber::General, "undo");
        }),
                     DbError);
    }
}

TEST_F(MessageLists, ListTextTellsAboutTheEntry) {
    ASSERT_TRUE(ctx().archive);
    const qint64 current = entry(db(), "Rossi");
    qint64 archived = entry(*ctx().archive, "Bianchi");
    // An archive key that the current database does not have.
    while (archived <= current + 1)
        archived = entry(*ctx().archive, "Bianchi");
    StaffMsg m;
    m.text = "Roses";
    m.hasText = true;
    EXPECT_EQ(MessageListText(ctx(), m), "Roses");
    m.logId = current;
    EXPECT_EQ(MessageListText(ctx(), m),
              "Refers to Logbook Entry #: " + QString::number(current) + CRLF + "Roses");
    m.logId = archived;
    EXPECT_EQ(MessageListText(ctx(), m),
              "Refers to Logbook Entry #: " + QString::number(archived) + CRLF + "Roses");
    m.logId = archived + 50;
    EXPECT_EQ(MessageListText(ctx(), m), "Was a Logbook Message." + CRLF + "Roses");
    m.logId = 0;
    m.hasText = false;
    m.text.clear();
    EXPECT_EQ(MessageListText(ctx(), m), "No Message Recorded.");
}

TEST_F(MessageLists, EntrySummaryFromEitherDatabase) {
    const qint64 logId = entry(db(), "Rossi", "1204");
    db().exec("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, 1, ?)",
              {logId, " and flowers"});
    const QString summary = GetLogbookMessage(ctx(), logId);
    const QStringList lines = summary.split(CRLF);
    ASSERT_GE(lines.size(), 9) << summary.toStdString();
    EXPECT_EQ(lines[0], "Due:  03/15/2026  07:30 PM");
    EXPECT_EQ(lines[1], "Name:  Mia Rossi");
    EXPECT_EQ(lines[2], "Room:  1204");
    EXPECT_EQ(lines[3], "Category:  Dining");
    EXPECT_EQ(lines[4], "Reference Date:  03/15/2026");
    EXPECT_EQ(lines[5], "Initials:  AD");
    EXPECT_EQ(lines[6], "Current Notes -> Call back at six <-End Notes...");
    EXPECT_EQ(lines[8], "Table for four by the window and flowers");

    ASSERT_TRUE(ctx().archive);
    const qint64 old = entry(*ctx().archive, "Verdi", "77");
    EXPECT_TRUE(GetLogbookMessage(ctx(), old, true).contains("Name:  Mia Verdi"));
    EXPECT_EQ(GetLogbookMessage(ctx(), logId + old + 100), "");
}

TEST_F(MessageLists, DeletingAnEntryTakesItsMessagesAndTexts) {
    const qint64 logId = entry(db(), "Rossi");
    send("*Bell", "About the entry", "Ann Desk", {}, logId);
    ASSERT_TRUE(LogbookStore(ctx()).DeleteLogbookEntry(logId));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [MsgTimer] WHERE [LogbookID] = ?", {logId}), 0);
    EXPECT_EQ(orphanTexts(), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [MsgTimer]"), 6);
}

using MessageGroups = MessageStoreFixture;

TEST_F(MessageGroups, AddRenameAndDeleteWorkOnWholeItems) {
    EXPECT_EQ(InsertMsgGroup(ctx(), "  "), "Cannot Add a Blank Message Group.");
    EXPECT_EQ(InsertMsgGroup(ctx(), "Bell"), "");
    EXPECT_EQ(InsertMsgGroup(ctx(), "Bellmen"), "");
    EXPECT_EQ(InsertMsgGroup(ctx(), "Front"), "");
    EXPECT_EQ(InsertMsgGroup(ctx(), "bell"),
              "The Message Group already exists in the list of available groups.");
    EXPECT_EQ(GetMessageGroups(db()), QStringList({"Bell", "Bellmen", "Front"}));
    // Everyone holding the item, whatever their status.
    const int builtIn = count("SELECT COUNT(*) FROM [Concierge] WHERE [MessageGroup] = 'Bell' "
                              "AND [Initials] NOT IN ('BB', 'IG', 'RH', 'QQ')");
    ASSERT_GT(builtIn, 0);
    EXPECT_EQ(CountGroupMembers(db(), "Bell"), 5 + builtIn);
    EXPECT_EQ(CountGroupMembers(db(), "Bellmen"), 1);

    db().exec("INSERT INTO [TaskMaster] ([Description], [MessageGroup]) VALUES ('Bins', '*Bell'), "
              "('Keys', '*Bellmen')");
    EXPECT_EQ(RenameMsgGroup(ctx(), "Bell", " "), "Cannot Replace a Blank Message Group.");
    EXPECT_EQ(RenameMsgGroup(ctx(), "Porters", "Doors"),
              "The Message Group does not exist" + CRLF + "in the list of available types.");
    EXPECT_EQ(RenameMsgGroup(ctx(), "Bell", "Front"),
              "The Message Group already exists in the list of available groups.");
    EXPECT_EQ(RenameMsgGroup(ctx(), "Bell", "Porters"), "");

    auto groupsOf = [&](const QString& name) {
        return db()
            .scalar("SELECT [MessageGroup] FROM [Concierge] WHERE [Concierge] = ?", {name})
            .toString();
    };
    EXPECT_EQ(GetMessageGroups(db()), QStringList({"Bellmen", "Front", "Porters"}));
    EXPECT_EQ(groupsOf("Carl Dunn"), "Front, Porters");
    EXPECT_EQ(groupsOf("Bell Boy"), "Porters");
    EXPECT_EQ(groupsOf("Bella Ray"), "Bellmen");
    EXPECT_EQ(ResolveRecipients(db(), "*Porters"),
              QStringList({"Bell Boy", "Carl Dunn", "Quinn Quiet"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [TaskMaster] WHERE [MessageGroup] = '*Porters'"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [TaskMaster] WHERE [MessageGroup] = '*Bellmen'"), 1);

    DeleteMsgGroup(ctx(), "porters");
    EXPECT_EQ(GetMessageGroups(db()), QStringList({"Bellmen", "Front"}));
    EXPECT_EQ(groupsOf("Carl Dunn"), "Front");
    EXPECT_EQ(groupsOf("Bella Ray"), "Bellmen");
    EXPECT_EQ(CountGroupMembers(db(), "Porters"), 0);
    EXPECT_TRUE(ResolveRecipients(db(), "*Porters").isEmpty());
}

using RecordMessageSender = MessageStoreFixture;

TEST_F(RecordMessageSender, SendsOneMessagePerPickedRecipient) {
    ASSERT_FALSE(ctx().sendMessage);
    InstallMessagesStore(ctx());
    ASSERT_TRUE(ctx().sendMessage);
    StaffMessage m;
    m.recipients = {carl, 0};
    m.recipientNames = {"Carl Dunn", "Anne Smith"};
    m.text = "Contact: Luigi's" + CRLF + "(603) 555-0100";
    m.deliverAt = QDateTime(QDate(2026, 3, 15), QTime(8, 30));
    EXPECT_TRUE(ctx().sendMessage(ctx(), m));
    for (const QString& name : {"Carl Dunn", "Anne Smith"}) {
        const StaffMsg got = onlyMessageOf(name);
        EXPECT_EQ(got.text, m.text);
        EXPECT_EQ(got.sentFrom, "Ann Desk");
        EXPECT_EQ(got.due, "2026/03/15 08:30");
        EXPECT_EQ(got.logId, 0);
    }
    // A name that no longer matches falls back to the member's id.
    m.recipientNames = {QString()};
    m.recipients = {carl};
    EXPECT_TRUE(ctx().sendMessage(ctx(), m));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [MsgTimer] WHERE [ConciergeName] = 'Carl Dunn'"), 2);

    m.recipientNames = {"Ida Gone"};
    m.recipients = {0};
    EXPECT_FALSE(ctx().sendMessage(ctx(), m));
    EXPECT_TRUE(env.prompt.saw(NobodyReachedMessage));
}

// Another workstation: its own connection, clock, prompt and member.
struct OtherDesk {
    OtherDesk(TestEnv& env, qint64 member) : ctx(env.ctx->workstation, prompt, clock) {
        clock.set(env.clock.now());
        ctx.start = env.ctx->start;
        ctx.globals = env.ctx->globals;
        ctx.current = Database::open(env.db().location(), false);
        ctx.session.name = ctx.current
                               ->scalar("SELECT [Concierge] FROM [Concierge] WHERE "
                                        "[ConciergeID] = ?",
                                        {member})
                               .toString();
    }
    RecordingPrompt prompt;
    FixedClock clock;
    AppContext ctx;
};

TEST_F(MessageLists, ADeskSendsAndAnotherDeskPresentsAndReplies) {
    DeleteMessages(ctx(), MsgDelete::AllActive);
    DeleteMessages(ctx(), MsgDelete::AllDisposed);
    OtherDesk b(env, carl);
    ASSERT_EQ(b.ctx.session.name, "Carl Dunn");

    send("Carl Dunn", "Limo for Mr Park at 10:05", ctx().session.name,
         QDateTime(QDate(2026, 3, 14), QTime(10, 5)));
    b.clock.set(QDateTime(QDate(2026, 3, 14), QTime(10, 4)));
    EXPECT_EQ(CountDueMessages(b.ctx, b.ctx.session.name), 0);
    b.clock.set(QDateTime(QDate(2026, 3, 14), QTime(10, 5)));
    ASSERT_EQ(CountDueMessages(b.ctx, b.ctx.session.name), 1);
    const StaffMsg presented = GetDueMessages(b.ctx, b.ctx.session.name).value(0);
    EXPECT_EQ(presented.text, "Limo for Mr Park at 10:05");
    ASSERT_TRUE(ReplyMessage(b.ctx, presented, b.ctx.session.name, "Limo confirmed"));
    EXPECT_EQ(CountDueMessages(b.ctx, b.ctx.session.name), 0);

    at(10, 6);
    const QList<StaffMsg> mine = GetDueMessages(ctx(), ctx().session.name);
    ASSERT_EQ(mine.size(), 1);
    EXPECT_TRUE(mine[0].text.startsWith("REPLY TO YOUR MESSAGE:" + CRLF + "Limo confirmed"));
    EXPECT_EQ(mine[0].sentFrom, "Carl Dunn");
    EXPECT_EQ(MailCaption(CountDueMessages(ctx(), ctx().session.name)), "  ~~~  You,ve Got Mail!");
}

} // namespace
