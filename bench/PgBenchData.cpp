#include "PgBenchData.h"
#include "BenchData.h"
#include "ProfilesData.h"

#include "core/schema/SchemaBuilder.h"
#include "demo/PropertyGenerator.h"
#include "maint/Copy.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <stdexcept>

namespace vm::bench {

namespace {

// Raised whenever what is added on the server changes.
constexpr int ServerGeneratorVersion = 1;

QString sourceStamp(const QString& dataFolder) {
    QFile f(dataFolder + "/stamp");
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("the bench property has no stamp");
    return QString::fromUtf8(f.readAll().trimmed()) + " server " +
           QString::number(ServerGeneratorVersion);
}

// The stamp table lives beside the property's schemas, in the public one.
std::unique_ptr<Database> openServer(const QString& connInfo, const Workstation& ws,
                                     Clock& clock) {
    const maint::Property probe(maint::ServerSource(connInfo, PgSchemaPrefix), ws, clock);
    DbLocation where = probe.locationOf("VelmP");
    where.schema.clear();
    auto db = Database::open(where, false);
    db->exec("CREATE TABLE IF NOT EXISTS public.velmora_bench_stamp (prefix text PRIMARY KEY, "
             "stamp text NOT NULL)");
    return db;
}

void log(const char* text, double seconds = -1) {
    if (seconds < 0)
        std::fprintf(stderr, "%s\n", text);
    else
        std::fprintf(stderr, "%s %.1f s\n", text, seconds);
}

} // namespace

void RemovePgBenchWrites(Database& db) {
    db.transaction([&] {
        db.exec("DELETE FROM [LogText] WHERE [LogID] > ?", {EntryCount});
        db.exec("DELETE FROM [LogbookHistory] WHERE [LogbookID] > ?", {EntryCount});
        db.exec("DELETE FROM [LogBook] WHERE [LogID] > ?", {EntryCount});
    });
    db.query("SELECT setval(pg_get_serial_sequence(?, 'logid'), ?, true)",
             {db.quoteName("LogBook"), EntryCount});
}

PgBenchProperty PreparePgProperty(const QString& connInfo, const QString& sqliteDataFolder,
                                  const QString& workFolder, Clock& clock, Prompt& prompt) {
    QElapsedTimer timer;
    timer.start();
    const BenchProperty source = PrepareProfilesProperty(sqliteDataFolder, prompt);
    const QString stamp = sourceStamp(sqliteDataFolder);
    Workstation ws = Workstation::under(workFolder);
    ws.ensureFolders();
    const maint::PropertySource where = maint::ServerSource(connInfo, PgSchemaPrefix);

    PgBenchProperty out;
    auto server = openServer(connInfo, ws, clock);
    const QString kept =
        server->scalar("SELECT stamp FROM public.velmora_bench_stamp WHERE prefix = ?",
                       {PgSchemaPrefix})
            .toString();
    out.property = std::make_unique<maint::Property>(where, ws, clock);
    if (kept == stamp && out.property->exists("VelmP")) {
        out.property->open();
        Database& db = out.property->ctx().db();
        RemovePgBenchWrites(db);
        // What the program's start adds to a kept database, it adds here.
        for (const schema::Table& t : schema::Registry::all().tables())
            if ((t.stores & schema::Current) && db.tableExists(t.name))
                schema::EnsureJointStatistics(db, t);
        return out;
    }

    log("Making the bench property on the server ...");
    server->exec("DELETE FROM public.velmora_bench_stamp WHERE prefix = ?", {PgSchemaPrefix});
    for (const char* base : {"VelmP", "VelmA", "VelmCE"})
        server->exec("DROP SCHEMA IF EXISTS " +
                     server->quoteName(maint::SchemaName(PgSchemaPrefix, base)) + " CASCADE");
    out.property->createNew(false);
    out.property->open();

    maint::Property from(maint::FolderSource(source.databaseFolder), ws, clock);
    from.open();
    QElapsedTimer copy;
    copy.start();
    for (const maint::StoreDb& s : from.stores()) {
        Database* into = s.store == schema::Current ? out.property->ctx().current.get()
                                                    : out.property->ctx().archive.get();
        if (!into) throw std::runtime_error("the server property lacks a database");
        maint::CopyRows(*s.db, *into, s.store);
    }
    out.copySeconds = double(copy.elapsed()) / 1000.0;
    log("Rows of the SQLite property copied in", out.copySeconds);
    from.close();

    // What the SQLite property lacks, as the program's generator writes it.
    QElapsedTimer more;
    more.start();
    demo::PropertyGenerator generator(out.property->ctx(), demo::PropertySize::Decade());
    generator.adoptStaff();
    generator.contacts();
    generator.operations();
    generator.messages();
    log("Contacts, lost and found, keys and messages written in",
        double(more.elapsed()) / 1000.0);
    out.property->ctx().db().exec("ANALYZE");
    server->exec("INSERT INTO public.velmora_bench_stamp (prefix, stamp) VALUES (?, ?)",
                 {PgSchemaPrefix, stamp});
    out.preparedSeconds = double(timer.elapsed()) / 1000.0;
    log("The server property was made in", out.preparedSeconds);
    return out;
}

} // namespace vm::bench
