#pragma once
// A property with a logged-on member and helpers to make guest profiles and
// the rows around them.

#include "core/Databases.h"
#include "core/Rights.h"
#include "guests/Profiles.h"
#include "support/StaffRights.h"
#include "support/TestEnv.h"

#include <QFile>

namespace vm::test {

class ProfileFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        staffId = env.addStaff("Pat Desk", "pat", "PD");
        env.logOn(staffId);
        env.ctx->workstation.computerName = "DESK-7";
    }

    AppContext& ctx() { return *env.ctx; }
    Database& db() { return env.db(); }

    Profile sample(const QString& first = "Ann", const QString& last = "Guest") {
        Profile p;
        p.firstName = first;
        p.lastName = last;
        p.home = {"1 Main St", "Apt 2", "Springfield", "IL", "USA", "62701"};
        p.homePhone = "555-1234";
        return p;
    }
    qint64 insert(Profile p) { return InsertProfile(ctx(), p); }

    qint64 addType(const QString& name, int sequence = 1000, bool isPrivate = false) {
        IndicatorType t;
        t.name = name;
        t.sequence = sequence;
        t.isPrivate = isPrivate;
        EXPECT_EQ(AddIndicatorType(ctx(), t), "");
        return GetPreferenceType(ctx(), name)->id;
    }

    qint64 logbookEntry(Database& in, qint64 profileId, const QString& referDate = "2026/03/10",
                        qint64 groupId = 0) {
        return in.insert("INSERT INTO [LogBook] ([LastName], [EntryType], [ProfileID], "
                         "[ReferDate], [GroupID]) VALUES ('Guest', 'Dining', ?, ?, ?)",
                         {profileId, referDate, groupId}, "LogID");
    }
    qint64 addDoc(qint64 owner, const QString& description) {
        return db().insert("INSERT INTO [ContactDocs] ([ContactID], [SourceType], [Description], "
                           "[FileName]) VALUES (?, 'P', ?, 'x.pdf')",
                           {owner, description}, "DocumentID");
    }

    int count(Database& in, const QString& sql, const QVariantList& params = {}) {
        return in.scalar(sql, params).toInt();
    }
    int count(const QString& sql, const QVariantList& params = {}) {
        return count(db(), sql, params);
    }

    // Grants or takes away one right of the member.
    void grant(const Right& right, bool allowed = true) {
        SetStaffRight(env.db(), staffId, right, allowed);
    }

    QString sharedLog() {
        QFile f(env.databaseFolder() + "VelmS.mdb");
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    TestEnv env;
    qint64 staffId = 0;
};

} // namespace vm::test
