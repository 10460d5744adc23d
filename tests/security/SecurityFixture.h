#pragma once
// A fresh property with helpers for staff accounts and log files.

#include "core/Formats.h"
#include "platform/Cipher.h"
#include "platform/PasswordHash.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>

namespace vm::test {

class SecurityTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        ctx().workstation.computerName = "DESK-1";
    }

    AppContext& ctx() { return *env.ctx; }
    Database& db() { return env.db(); }

    // A member with a known logon password.
    qint64 staff(const QString& name, const QString& logon, const QString& initials,
                 const QString& password, bool manager = false) {
        const qint64 id = env.addStaff(name, logon, initials, manager);
        db().exec("UPDATE [Concierge] SET [Password] = ? WHERE [ConciergeID] = ?",
                  {HashPassword(password), id});
        return id;
    }
    void setColumn(qint64 id, const QString& column, const QVariant& value) {
        db().exec("UPDATE [Concierge] SET [" + column + "] = ? WHERE [ConciergeID] = ?",
                  {value, id});
    }
    QString column(qint64 id, const QString& column) {
        return db()
            .scalar("SELECT [" + column + "] FROM [Concierge] WHERE [ConciergeID] = ?", {id})
            .toString();
    }
    qint64 count(const QString& sql, const QVariantList& params = {}) {
        return db().scalar(sql, params).toLongLong();
    }
    QString sharedLog() {
        QFile f(env.databaseFolder() + "VelmS.mdb");
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    TestEnv env;
};

} // namespace vm::test
