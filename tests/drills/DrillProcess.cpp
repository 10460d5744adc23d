#include "drills/DrillProcess.h"

#include "core/Settings.h"
#include "security/Logon.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QThread>
#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace vm::test::drill {

namespace {

QHash<QString, Role>& Roles() {
    static QHash<QString, Role> roles;
    return roles;
}

int EnvNumber(const char* name, int fallback) {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(name, &ok);
    return ok && n > 0 ? n : fallback;
}

// Runs the plan's role before any test when this process is a drill's child.
class RoleEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const QString planFile = qEnvironmentVariable("VELMORA_DRILL_PLAN");
        if (planFile.isEmpty()) return;
        int rc = 3;
        try {
            QSettings plan(planFile, QSettings::IniFormat);
            const Role role = Roles().value(plan.value("role").toString());
            rc = role ? role(plan) : 4;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "drill child failed: %s\n", e.what());
            rc = 2;
        }
        std::fflush(nullptr);
        // Nothing of the test program runs after the role: no tests, no teardown.
        _exit(rc);
    }
};

[[maybe_unused]] ::testing::Environment* const g_roles =
    ::testing::AddGlobalTestEnvironment(new RoleEnvironment);

} // namespace

int DrillSeconds(int fallback) {
    return EnvNumber("VELMORA_DRILL_SECONDS", fallback);
}

int DrillKills(int fallback) {
    return EnvNumber("VELMORA_DRILL_KILLS", fallback);
}

quint32 DrillSeed(quint32 fallback) {
    return quint32(EnvNumber("VELMORA_DRILL_SEED", int(fallback)));
}

bool RegisterRole(const QString& name, Role role) {
    Roles().insert(name, std::move(role));
    return true;
}

// ---------------------------------------------------------------- Plan

Plan::Plan(const QString& folder, const QString& role, const Database& db, const AppContext& ctx)
    : m_path(QDir(folder).filePath(role + "-plan.ini")) {
    QFile::remove(m_path);
    m_ini = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    const DbLocation& where = db.location();
    set("role", role);
    set("folder", folder);
    set("engine", where.engine == Engine::PostgreSQL ? "postgresql" : "sqlite");
    set("file", where.file);
    set("conn", where.connInfo);
    set("database", where.database);
    set("schema", where.schema);
    set("databaseFolder", ctx.start.databaseFolder);
    set("clock", ctx.clock().now());
    set("staff", ctx.session.conciergeId);
}

QString Plan::save() {
    m_ini->sync();
    return m_path;
}

// ---------------------------------------------------------------- Child

Child::Child(const QString& planFile) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_DRILL_PLAN", planFile);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    m_process.setProcessEnvironment(env);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(planFile + ".err", QIODevice::Append);
    // Only the running test is selected: the child's role runs before it and
    // ends the process, and nothing else of the program is set up for nothing.
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QStringList args;
    if (test)
        args << QString("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name());
    m_process.start(QCoreApplication::applicationFilePath(), args);
    if (!m_process.waitForStarted(30000))
        throw std::runtime_error("the drill's child did not start");
}

Child::~Child() {
    if (m_process.state() != QProcess::NotRunning) kill();
}

void Child::kill() {
    m_process.kill(); // SIGKILL
    m_process.waitForFinished(30000);
}

bool Child::finish(int ms) {
    if (!m_process.waitForFinished(ms)) return false;
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

QString Child::output() const {
    QFile err(m_process.processEnvironment().value("VELMORA_DRILL_PLAN") + ".err");
    return err.open(QIODevice::ReadOnly) ? QString::fromUtf8(err.readAll().right(4000)) : QString();
}

// ---------------------------------------------------------------- Journal

Journal::Journal(const QString& path) {
    m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT, 0600);
    if (m_fd < 0) throw std::runtime_error("journal cannot be opened: " + path.toStdString());
}

Journal::~Journal() {
    if (m_fd >= 0) ::close(m_fd);
}

void Journal::write(const QStringList& fields) {
    const QByteArray line = (fields.join('\t') + '\n').toUtf8();
    if (::write(m_fd, line.constData(), size_t(line.size())) != line.size())
        throw std::runtime_error("journal line not written");
}

QList<QStringList> ReadJournal(const QString& path) {
    QList<QStringList> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return out;
    const QByteArray all = f.readAll();
    qsizetype start = 0;
    for (qsizetype end = all.indexOf('\n'); end >= 0; end = all.indexOf('\n', start)) {
        out << QString::fromUtf8(all.mid(start, end - start)).split('\t');
        start = end + 1;
    }
    return out;
}

bool WaitForLine(const QString& path, const QStringList& fields, int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (ReadJournal(path).contains(fields)) return true;
        QThread::msleep(2);
    }
    return false;
}

QString Pack(const QString& text) {
    return QString::fromLatin1(text.toUtf8().toBase64());
}

QString Unpack(const QString& field) {
    return QString::fromUtf8(QByteArray::fromBase64(field.toLatin1()));
}

// ---------------------------------------------------------------- ChildDesk

namespace {
Workstation ChildWorkstation(QSettings& plan) {
    Workstation ws = Workstation::under(
        QDir(plan.value("folder").toString()).filePath(QString("ws-%1").arg(getpid())));
    ws.ensureFolders();
    return ws;
}
} // namespace

ChildDesk::ChildDesk(QSettings& plan)
    : clock(plan.value("clock").toDateTime()), ctx(ChildWorkstation(plan), prompt, clock) {
    DbLocation where;
    where.engine = plan.value("engine").toString() == "postgresql" ? Engine::PostgreSQL
                                                                   : Engine::SQLite;
    where.file = plan.value("file").toString();
    where.connInfo = plan.value("conn").toString();
    where.database = plan.value("database").toString();
    where.schema = plan.value("schema").toString();
    ctx.start.databaseFolder = plan.value("databaseFolder").toString();
    ctx.start.writable = true;
    ctx.current = Database::open(where, false);
    LoadGlobals(ctx);
    const auto member = ctx.current->queryOne("SELECT * FROM [Concierge] WHERE [ConciergeID] = ?",
                                              {plan.value("staff").toLongLong()});
    if (!member) throw std::runtime_error("the plan's member does not exist");
    FillSessionFromStaffRow(ctx.session, *member);
}

QString RandomEntryText(std::mt19937& rng) {
    static const QString letters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    static const QString others = QStringLiteral(" .,-:;()/'?!");
    int length = 0;
    switch (rng() % 3) {
    case 0: length = 1 + int(rng() % 60); break;
    case 1: length = 240 + int(rng() % 40); break; // around the end of the first piece
    default: length = 300 + int(rng() % 1500);
    }
    QString s;
    s.reserve(length + 2);
    for (int i = 0; i < length; ++i) {
        const unsigned r = rng() % 100;
        if (i > 0 && i + 2 < length && r < 2)
            s += "\r\n";
        else if (i > 0 && i + 1 < length && r < 20)
            s += others.at(int(rng() % others.size()));
        else
            s += letters.at(int(rng() % letters.size()));
    }
    return s;
}

} // namespace vm::test::drill
