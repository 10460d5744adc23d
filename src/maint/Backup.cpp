#include "maint/Backup.h"

#include "core/Upgrade.h"
#include "maint/Check.h"
#include "platform/SqliteStatements.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <sqlite3.h>

namespace vm::maint {

namespace {

const QString kDumpFile = QStringLiteral("property.dump");

QString nowText() {
    return QDateTime::currentDateTime().toString(Qt::ISODate);
}

// The folder a backup goes to: made when missing, and holding nothing this
// backup would write over.
void prepareDestination(const QString& dest, const QStringList& names) {
    if (!QDir().mkpath(dest)) throw AdminError(ExitProblem, "cannot make the folder " + dest);
    for (const QString& name : names + QStringList{kManifestFile})
        if (QFileInfo::exists(QDir(dest).filePath(name)))
            throw AdminError(ExitProblem,
                             QDir(dest).filePath(name) + " exists already: nothing was written");
}

void runTool(const QString& program, const QStringList& args, const QString& connInfo) {
    QProcess proc;
    if (const QString password = PasswordOf(connInfo); !password.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PGPASSWORD", password);
        proc.setProcessEnvironment(env);
    }
    proc.start(program, args);
    if (!proc.waitForStarted(10000))
        throw AdminError(ExitProblem,
                         program + " cannot be started (is the PostgreSQL client installed?)");
    proc.closeWriteChannel();
    proc.waitForFinished(-1);
    if (proc.exitStatus() != QProcess::NormalExit || proc.exitCode() != 0)
        throw AdminError(
            ExitProblem,
            program + " failed: " + QString::fromLocal8Bit(proc.readAllStandardError()).trimmed());
}

bool isSnapshotId(const QString& id) {
    static const QRegularExpression re("^[0-9A-Fa-f-]+$");
    return re.match(id).hasMatch();
}

Manifest backupSqlite(Property& p, const QString& dest, const Lines& out,
                      const BackupHooks& hooks) {
    QStringList files;
    for (const StoreDb& s : p.stores())
        files << s.base + ".db";
    prepareDestination(dest, files);
    Manifest m;
    m.engine = "sqlite";
    m.created = nowText();
    m.level = StoredLevel(p.ctx().db());
    m.masked = p.source().masked;
    for (const StoreDb& s : p.stores()) {
        const QString file = QDir(dest).filePath(s.base + ".db");
        SqliteBackup(*s.db, file);
        // The sums come from the copy: the live database goes on changing.
        DbLocation copy;
        copy.file = file;
        copy.readOnly = true;
        auto db = Database::open(copy, false);
        if (const QStringList bad = EngineProblems(*db, s.base); !bad.isEmpty())
            throw AdminError(ExitProblem,
                             "the copy of " + s.base + " is damaged: " + bad.join("; "));
        DatabaseSums sums = SumDatabase(*db, s.base, s.store);
        sums.place = s.base + ".db";
        m.databases << sums;
        out(s.base + ": " + QDir::toNativeSeparators(file));
        if (hooks.afterDatabase) hooks.afterDatabase(s.base);
    }
    return m;
}

Manifest backupServer(Property& p, const QString& dest, const Lines& out) {
    prepareDestination(dest, {kDumpFile});
    Manifest m;
    m.engine = "postgresql";
    m.created = nowText();
    m.masked = p.source().masked;
    m.schemaPrefix = p.source().schemaPrefix;
    m.dumpFile = kDumpFile;
    Database& current = p.ctx().db();
    // pg_dump and the sums read one snapshot of the data: the one this
    // transaction exports.
    current.transaction([&] {
        current.exec("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ");
        const QString snapshot = current.scalar("SELECT pg_export_snapshot()").toString();
        if (!isSnapshotId(snapshot)) throw AdminError(ExitProblem, "the server gave no snapshot");
        m.level = StoredLevel(current);
        QStringList args{"--format=custom",
                         "--no-owner",
                         "--no-privileges",
                         "--snapshot=" + snapshot,
                         "--file=" + QDir(dest).filePath(kDumpFile),
                         "--dbname=" + ConnInfoWithDatabase(p.source().postgres)};
        for (const StoreDb& s : p.stores())
            args << "--schema=" + s.db->location().schema;
        runTool("pg_dump", args, p.source().postgres);
        for (const StoreDb& s : p.stores()) {
            auto sum = [&] {
                DatabaseSums sums = SumDatabase(*s.db, s.base, s.store);
                sums.place = s.db->location().schema;
                m.databases << sums;
            };
            if (s.db == &current) {
                sum();
                continue;
            }
            s.db->transaction([&] {
                s.db->exec("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ");
                s.db->exec("SET TRANSACTION SNAPSHOT '" + snapshot + "'");
                sum();
            });
        }
    });
    out("pg_dump: " + QDir::toNativeSeparators(QDir(dest).filePath(kDumpFile)));
    return m;
}

QList<DatabaseSums> sumsOf(Property& p) {
    QList<DatabaseSums> out;
    for (const StoreDb& s : p.stores())
        out << SumDatabase(*s.db, s.base, s.store);
    return out;
}

// The restored property opened and compared with the manifest: the engine's
// check and every table's count and checksum.
QStringList verifyRestored(Property& p, const Manifest& m) {
    p.open();
    // The common database of a restore lies beside the others, wherever the
    // settings say it was (that may be the live one).
    p.ctx().common.reset();
    for (const DatabaseSums& d : m.databases)
        if (d.store == StoreName(schema::Common))
            p.ctx().common = Database::open(p.locationOf(d.base), false);
    QStringList bad;
    for (const StoreDb& s : p.stores())
        bad << EngineProblems(*s.db, s.base);
    return bad + CompareSums(m.databases, sumsOf(p));
}

QStringList restoreSqlite(const Manifest& m, const QString& source, const PropertySource& target,
                          const Workstation& ws, Clock& clock, const Lines& out) {
    const QDir folder(target.folder);
    if (folder.exists() && !folder.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        throw AdminError(ExitProblem, target.folder + " is not empty: nothing was written");
    for (const DatabaseSums& d : m.databases)
        if (!QFileInfo::exists(QDir(source).filePath(d.place)))
            throw AdminError(ExitProblem, "the backup lacks " + d.place + ": nothing was written");
    if (!QDir().mkpath(target.folder))
        throw AdminError(ExitProblem, "cannot make the folder " + target.folder);
    QStringList written;
    auto removeWritten = [&] {
        for (const QString& f : written)
            QFile::remove(f);
    };
    for (const DatabaseSums& d : m.databases) {
        const QString to = folder.filePath(d.base + ".db");
        if (!QFile::copy(QDir(source).filePath(d.place), to)) {
            removeWritten();
            throw AdminError(ExitProblem, "cannot write " + to);
        }
        QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup | QFileDevice::WriteGroup);
        written << to;
        out(d.base + ": " + QDir::toNativeSeparators(to));
    }
    PropertySource restored = target;
    restored.masked = m.masked;
    Property p(restored, ws, clock);
    const QStringList differences = verifyRestored(p, m);
    p.close();
    if (!differences.isEmpty()) removeWritten();
    return differences;
}

QStringList restoreServer(const Manifest& m, const QString& source, const PropertySource& target,
                          const Workstation& ws, Clock& clock, const Lines& out) {
    const QString dump = QDir(source).filePath(m.dumpFile.isEmpty() ? kDumpFile : m.dumpFile);
    if (!QFileInfo::exists(dump))
        throw AdminError(ExitProblem, "the backup lacks " + dump + ": nothing was written");
    PropertySource restored = target;
    restored.masked = m.masked;
    Property p(restored, ws, clock);

    // The dump restores under the schema names it was made with; they are
    // renamed to the target's names afterwards.  So the target schemas must be
    // empty, and the original names free unless they are the target's.
    DbLocation serverLoc = p.locationOf(p.currentBase());
    serverLoc.schema.clear();
    auto server = Database::open(serverLoc, true);
    auto schemaState = [&](const QString& schema) {
        if (!server->scalar("SELECT 1 FROM pg_namespace WHERE nspname = ?", {schema}).isValid())
            return 0; // absent
        const bool anything =
            server
                ->scalar("SELECT 1 FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                         "WHERE n.nspname = ? UNION SELECT 1 FROM pg_type t JOIN pg_namespace n "
                         "ON n.oid = t.typnamespace WHERE n.nspname = ? UNION SELECT 1 FROM "
                         "pg_proc f JOIN pg_namespace n ON n.oid = f.pronamespace WHERE "
                         "n.nspname = ? LIMIT 1",
                         {schema, schema, schema})
                .isValid();
        return anything ? 2 : 1; // holds something / empty
    };
    QList<QPair<QString, QString>> renames; // from, to
    for (const DatabaseSums& d : m.databases) {
        const QString to = SchemaName(target.schemaPrefix, d.base);
        if (schemaState(to) == 2)
            throw AdminError(ExitProblem,
                             "the schema " + to + " is not empty: nothing was written");
        if (d.place != to && schemaState(d.place) != 0)
            throw AdminError(ExitProblem, "the backup restores through the schema " + d.place +
                                              ", which exists on that server: nothing was written");
        renames.append({d.place, to});
    }
    try {
        server->exec("CREATE EXTENSION IF NOT EXISTS pg_trgm WITH SCHEMA public");
    } catch (const DbError&) {
        // another session made it at the same moment
    }
    for (const auto& [from, to] : renames)
        if (schemaState(to) == 1) server->exec("DROP SCHEMA " + server->quoteName(to));
    runTool("pg_restore",
            {"--no-owner", "--no-privileges", "--exit-on-error", "--single-transaction",
             "--dbname=" + ConnInfoWithDatabase(target.postgres), dump},
            target.postgres);
    server->transaction([&] {
        for (const auto& [from, to] : renames)
            if (from != to)
                server->exec("ALTER SCHEMA " + server->quoteName(from) + " RENAME TO " +
                             server->quoteName(to));
    });
    for (const auto& [from, to] : renames)
        out(to + ": restored");
    const QStringList differences = verifyRestored(p, m);
    p.close();
    // A restore that does not match its manifest is taken away again: the
    // schemas were empty or absent before it.
    if (!differences.isEmpty())
        for (const auto& [from, to] : renames)
            server->exec("DROP SCHEMA IF EXISTS " + server->quoteName(to) + " CASCADE");
    return differences;
}

} // namespace

void SqliteBackup(Database& db, const QString& file) {
    sqlite3* source = SqliteStatements::connectionOf(db.handle());
    if (!source)
        throw AdminError(ExitProblem,
                         "the SQLite driver of this build gives no access to the engine");
    sqlite3* copy = nullptr;
    const QByteArray name = QFile::encodeName(file);
    if (sqlite3_open_v2(name.constData(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString why = copy ? QString::fromUtf8(sqlite3_errmsg(copy)) : QString("no memory");
        sqlite3_close(copy);
        throw AdminError(ExitProblem, "cannot make " + file + ": " + why);
    }
    QString why;
    if (sqlite3_backup* b = sqlite3_backup_init(copy, "main", source, "main")) {
        // All pages in one step: the copy is one consistent state.  Desks
        // writing at that moment hold it off for a while, and it them.
        int rc = SQLITE_OK;
        for (int tries = 0; tries < 600; ++tries) {
            rc = sqlite3_backup_step(b, -1);
            if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED) break;
            QThread::msleep(100);
        }
        sqlite3_backup_finish(b);
        if (rc != SQLITE_DONE) why = QString::fromUtf8(sqlite3_errstr(rc));
    }
    if (why.isEmpty() && sqlite3_errcode(copy) != SQLITE_OK)
        why = QString::fromUtf8(sqlite3_errmsg(copy));
    sqlite3_close(copy);
    if (!why.isEmpty()) {
        QFile::remove(file);
        throw AdminError(ExitProblem, "the backup of " + Place(db.location()) + " failed: " + why);
    }
}

Manifest BackupProperty(Property& p, const QString& dest, const Lines& out,
                        const BackupHooks& hooks) {
    Manifest m = p.engine() == Engine::SQLite ? backupSqlite(p, dest, out, hooks)
                                              : backupServer(p, dest, out);
    WriteManifest(dest, m);
    out("manifest: " + QDir::toNativeSeparators(QDir(dest).filePath(kManifestFile)));
    return m;
}

QStringList RestoreProperty(const QString& source, const PropertySource& target,
                            const Workstation& ws, Clock& clock, const Lines& out) {
    const Manifest m = ReadManifest(source);
    if ((m.engine == "postgresql") != target.onServer())
        throw AdminError(ExitUsage, "this backup was made on " + m.engine +
                                        " and restores only there (copy moves a property "
                                        "between the engines)");
    return target.onServer() ? restoreServer(m, source, target, ws, clock, out)
                             : restoreSqlite(m, source, target, ws, clock, out);
}

} // namespace vm::maint
