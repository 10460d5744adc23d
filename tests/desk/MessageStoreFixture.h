#pragma once
// A property with a staff of desk members in message groups, a logged-on
// sender and helpers to send and read back staff messages.

#include "core/Staff.h"
#include "desk/Messages.h"
#include "support/TestEnv.h"

namespace vm::test {

class MessageStoreFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(10, 0)));
        ann = member("Ann Desk", "AD", "Front");
        member("Anne Smith", "AS", "Front");
        member("Bell Boy", "BB", "Bell");
        member("Bella Ray", "BR", "Bellmen");
        carl = member("Carl Dunn", "CD", "Front, Bell");
        member("Ida Gone", "IG", "Bell", "I");
        member("Rita Held", "RH", "Bell", "A", true);
        member("Quinn Quiet", "QQ", "Bell", "A", false, true);
        // The built-in accounts as reachable as anyone: only their names keep them out.
        db().exec("UPDATE [Concierge] SET [MessageGroup] = 'Bell', [Status] = 'A', "
                  "[Restricted] = ?, [InhibitMsg] = ?, [LSkillsOnly] = ? WHERE [Concierge] IN "
                  "('Support Profile', 'Orvanta Support', 'Concierge Bellhop')",
                  {false, false, false});
        env.logOn(ann);
    }

    AppContext& ctx() { return *env.ctx; }
    Database& db() { return env.db(); }

    qint64 member(const QString& name, const QString& initials, const QString& groups,
                  const QString& status = "A", bool restricted = false, bool inhibit = false) {
        const qint64 id = env.addStaff(name, initials.toLower(), initials, false, restricted);
        db().exec("UPDATE [Concierge] SET [MessageGroup] = ?, [Status] = ?, [InhibitMsg] = ? "
                  "WHERE [ConciergeID] = ?",
                  {groups, status, inhibit, id});
        return id;
    }

    QStringList send(const QString& to, const QString& text, const QString& from = "Ann Desk",
                     const QDateTime& due = {}, qint64 logId = 0, bool urgent = false) {
        OutgoingMessage m;
        m.sender = from;
        m.recipient = to;
        m.text = text;
        m.due = due.isValid() ? due : env.clock.now();
        m.logId = logId;
        m.urgent = urgent;
        return InsertTheMessage(ctx(), m);
    }

    // The only message of a recipient (fails when there is not exactly one).
    StaffMsg onlyMessageOf(const QString& recipient, bool disposed = false) {
        MsgListQuery q;
        q.filter = MsgFilter::ByRecipient;
        q.name = recipient;
        q.disposed = disposed;
        const QList<StaffMsg> found = GetMessages(ctx(), q);
        EXPECT_EQ(found.size(), 1) << recipient.toStdString();
        return found.value(0);
    }

    QStringList recipientsOf(const QString& text) {
        QStringList names;
        for (const StaffMsg& m : GetMessages(ctx(), {}))
            if (m.text == text) names << m.recipient;
        return names;
    }

    qint64 entry(Database& in, const QString& last, const QString& room = "1204") {
        return in.insert("INSERT INTO [LogBook] ([FirstName], [LastName], [RoomNumber], "
                         "[EntryType], [ReferDate], [ReferTime], [Initials], [MsgNotes], "
                         "[NoteField]) VALUES ('Mia', ?, ?, 'Dining', '2026/03/15', '19:30', "
                         "'AD', 'Call back at six', 'Table for four by the window')",
                         {last, room}, "LogID");
    }

    int count(const QString& sql, const QVariantList& params = {}) {
        return db().scalar(sql, params).toInt();
    }
    int orphanTexts() {
        return count("SELECT COUNT(*) FROM [MsgText] WHERE [TimerID] NOT IN (SELECT [TimerID] "
                     "FROM [MsgTimer])");
    }
    void at(int hour, int minute) {
        env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(hour, minute)));
    }

    TestEnv env;
    qint64 ann = 0, carl = 0;
};

} // namespace vm::test
