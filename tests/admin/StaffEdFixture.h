#pragma once
// A property with a logged-on manager and two desk members, with helpers that
// file logbook entries and staff messages under a member's name.

#include "admin/StaffEditor.h"
#include "core/DataAccess.h"
#include "core/TextLog.h"
#include "desk/Messages.h"
#include "platform/PasswordHash.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QRegularExpression>

namespace vm::test {

class StaffEdFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(15, 5)));
        boss = env.addStaff("Mia Manager", "mia", "MM", true);
        ann = env.addStaff("Ann Desk", "ann", "AD");
        bob = env.addStaff("Bob Bell", "bob", "BB");
        env.logOn(boss);
    }

    AppContext& ctx() { return *env.ctx; }
    Database& db() { return env.db(); }

    StaffMember load(qint64 id) {
        std::optional<StaffMember> m = LoadStaffMember(ctx(), id);
        EXPECT_TRUE(m.has_value());
        return m.value_or(StaffMember());
    }

    StaffMember fresh(const QString& name, const QString& logon, const QString& initials) {
        StaffMember m = NewStaffMember();
        m.name = name;
        m.logonName = logon;
        m.initials = initials;
        return m;
    }

    QVariant column(qint64 id, const QString& col, const QString& table = "Concierge") {
        return db().scalar("SELECT [" + col + "] FROM [" + table + "] WHERE [ConciergeID] = ?",
                           {id});
    }

    int count(const QString& sql, const QVariantList& params = {}) {
        return db().scalar(sql, params).toInt();
    }

    void entryBy(const QString& name, const QString& initials) {
        db().exec("INSERT INTO [LogBook] ([LastName], [EntryType], [EnteredBy], [Initials]) "
                  "VALUES ('Guest', 'Dining', ?, ?)",
                  {name, initials});
    }

    void messageTo(const QString& recipient, const QString& text) {
        OutgoingMessage m;
        m.sender = "Mia Manager";
        m.recipient = recipient;
        m.text = text;
        m.due = env.clock.now();
        InsertTheMessage(ctx(), m);
    }

    int messagesOf(const QString& name) {
        return count("SELECT COUNT(*) FROM [MsgTimer] WHERE [ConciergeName] = ?", {name});
    }

    // The password stored for the member verifies against `typed`.
    bool passwordIs(qint64 id, const QString& typed, const QString& col = "Password") {
        return CheckPasswordHash(typed, column(id, col).toString());
    }

    QStringList sharedLogLines() {
        QFile f(env.databaseFolder() + SharedLogName);
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(f.readAll()).split(QRegularExpression("[\r\n]+"),
                                                    Qt::SkipEmptyParts);
    }

    // The audit lines written so far (the collector program is absent).
    QString auditText() {
        QFile f(ctx().workstation.outputFolder() + "vmmsgs.txt");
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    TestEnv env;
    qint64 boss = 0, ann = 0, bob = 0;
};

} // namespace vm::test
