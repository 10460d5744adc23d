#include "support/TestEnv.h"

#include "core/Databases.h"
#include "core/FactoryData.h"
#include "core/Formats.h"
#include "platform/PasswordHash.h"
#include "security/Logon.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QUuid>

namespace vm::test {

QString TestFolderTemplate() {
    const QFileInfo shm("/dev/shm");
    const QString base = (shm.isDir() && shm.isWritable()) ? shm.filePath() : QDir::tempPath();
    return base + "/velmora-test-XXXXXX";
}

bool UsingPostgres() {
    return qEnvironmentVariable("VELMORA_TEST_ENGINE") == "postgresql";
}

QString PgConnInfo() {
    QString s = qEnvironmentVariable("VELMORA_TEST_PG");
    return s.isEmpty() ? QString("host=127.0.0.1 port=54329 user=postgres dbname=velmora_test") : s;
}

TestEnv::TestEnv() {
    EnsureApplication();
    Workstation ws = Workstation::under(m_dir.path());
    ws.ensureFolders();
    ctx = std::make_unique<AppContext>(ws, prompt, clock);
    ctx->setMailer(&mailer);
    ctx->setDesktop(&desktop);
    ctx->start.databaseFolder = m_dir.path() + "/db/";
    QDir().mkpath(ctx->start.databaseFolder);
    ctx->daily.wait = [](int) {};
    if (UsingPostgres()) {
        // Every test has schemas of its own in the one test database.
        m_schema = "t" + QUuid::createUuid().toString(QUuid::Id128).left(16) + "_";
        ctx->start.postgres = PgConnInfo();
        ctx->start.postgresSchemaPrefix = m_schema;
    }
}

TestEnv::~TestEnv() {
    if (ctx) CloseDatabase(*ctx);
    if (!m_schema.isEmpty()) {
        try {
            DbLocation loc = LocationFor(*ctx, "cleanup");
            loc.schema.clear();
            auto db = Database::open(loc, false);
            for (const QString& base :
                 {ctx->start.currentBase, ctx->start.archiveBase, ctx->start.commonBase})
                db->exec("DROP SCHEMA IF EXISTS " + db->quoteName(m_schema + base) + " CASCADE");
        } catch (const DbError&) {
        }
    }
}

int TestEnv::open(const UpgradeHooks& hooks) {
    return OpenDatabase(*ctx, {}, hooks);
}

void TestEnv::openOrFail() {
    const int rc = open();
    ASSERT_EQ(rc, 0) << prompt.texts().join("\n---\n").toStdString();
}

void TestEnv::openShared() {
    const QString folder = root() + "/common/";
    QDir().mkpath(folder);
    Database::open(LocationFor(*ctx, ctx->start.commonBase, folder), true).reset();
    db().exec("UPDATE [Authorization] SET [FutureB4] = ?, [FutureB5] = ?, [ContactsLocation] = ?",
              {true, true, folder});
    const qint64 member = ctx->session.conciergeId;
    CloseDatabase(*ctx);
    ASSERT_EQ(OpenDatabase(*ctx), 0) << prompt.texts().join("|").toStdString();
    ASSERT_TRUE(ctx->common);
    if (member > 0) logOn(member);
}

void TestEnv::createBaseOnly() {
    ctx->current = Database::open(LocationFor(*ctx, ctx->start.currentBase));
    CreateBaseDatabase(*ctx->current, clock);
}

void TestEnv::logOn(qint64 id) {
    auto r = db().queryOne("SELECT * FROM [Concierge] WHERE [ConciergeID] = ?", {id});
    ASSERT_TRUE(r.has_value());
    FillSessionFromStaffRow(ctx->session, *r);
}

qint64 TestEnv::addStaff(const QString& name, const QString& logon, const QString& initials,
                         bool manager, bool restricted) {
    const QString today = Formats::StoredDate(clock.today());
    const qint64 id = db().insert(
        "INSERT INTO [Concierge] ([Concierge], [UserProfile], [Initials], [Password], [CCViewPW], "
        "[Status], [Authorized], [Restricted], [AllLogs], [WorkSchedule], [LastLogon], "
        "[LastPWChange]) VALUES (?, ?, ?, ?, ?, 'A', ?, ?, ?, '0000000', ?, ?)",
        {name, logon, initials, HashPassword(logon + "pw1"), HashPassword(logon + "cc1"), manager,
         restricted, !restricted, today, today},
        "ConciergeID");
    // Databases below the level that brought the column do not have it yet.
    if (db().columnExists("Concierge", "AllRentals"))
        db().exec("UPDATE [Concierge] SET [AllRentals] = ? WHERE [ConciergeID] = ?",
                  {!restricted, id});
    InsertConciergePlus(db(), id, manager ? QChar('A') : restricted ? QChar('R') : QChar());
    return id;
}

void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "velmora-tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    new QApplication(argc, argv);
}

} // namespace vm::test
