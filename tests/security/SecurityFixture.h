#pragma once
// A fresh property with helpers for staff accounts and log files.

#include "core/Databases.h"
#include "core/Formats.h"
#include "core/Settings.h"
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
    // The lockout switch on with `futureD4` attempts (Null: the default of 3).
    void useLockout(const QVariant& futureD4) {
        db().exec("UPDATE [Authorization] SET [Security2] = ?, [FutureD4] = ?", {true, futureD4});
        LoadGlobals(ctx());
    }
    // The program closed and started again on the same databases: a new context.
    void restart() {
        const Workstation ws = ctx().workstation;
        const StartupState before = ctx().start;
        CloseDatabase(ctx());
        env.ctx = std::make_unique<AppContext>(ws, env.prompt, env.clock);
        env.ctx->setMailer(&env.mailer);
        env.ctx->daily.wait = [](int) {};
        env.ctx->start.databaseFolder = before.databaseFolder;
        env.ctx->start.postgres = before.postgres;
        env.ctx->start.postgresSchemaPrefix = before.postgresSchemaPrefix;
        env.openOrFail();
        ctx().start.keyTemplate = before.keyTemplate;
    }
    QString sharedLog() {
        QFile f(env.databaseFolder() + "VelmS.mdb");
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    TestEnv env;
};

} // namespace vm::test
