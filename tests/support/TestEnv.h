#pragma once
// A fresh property for one test: a temporary workstation, an AppContext with
// a recording prompt, mailer and desktop and a fixed clock, and databases on
// the engine the run asks for (VELMORA_TEST_ENGINE = sqlite | postgresql;
// VELMORA_TEST_PG holds the server's libpq keywords).  Each PostgreSQL test
// gets its own schemas.

#include "core/AppContext.h"
#include "core/Upgrade.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingMailer.h"
#include "support/RecordingPrompt.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace vm::test {

bool UsingPostgres();
// Test folders live in memory when the machine offers it (commits then cost no disk syncs).
QString TestFolderTemplate();
QString PgConnInfo();

class TestEnv {
public:
    TestEnv();
    ~TestEnv();

    // Opens (creating when new) the property's databases; answers OpenDatabase's result.
    int open(const UpgradeHooks& hooks = {});
    // open() that fails the test on a non-zero result.
    void openOrFail();
    // Creates only the base-level database (81045), without the ladder.
    void createBaseOnly();
    // Contacts and events in the common database from here on, as at a
    // property sharing them: opens the databases again (the member logged
    // on stays logged on).
    void openShared();
    // Logs on a member by id (fills the session as a logon would).
    void logOn(qint64 conciergeId);
    // A new staff member; answers its id.
    qint64 addStaff(const QString& name, const QString& logon, const QString& initials,
                    bool manager = false, bool restricted = false);

    QString root() const { return m_dir.path(); }
    QString databaseFolder() const { return ctx->start.databaseFolder; }
    Database& db() { return ctx->db(); }

    RecordingPrompt prompt;
    RecordingMailer mailer;
    RecordingDesktop desktop;
    FixedClock clock;
    std::unique_ptr<AppContext> ctx;

private:
    QTemporaryDir m_dir{TestFolderTemplate()};
    QString m_schema;
};

// A Qt application object for tests that need one (widgets, events).
void EnsureApplication();

} // namespace vm::test
