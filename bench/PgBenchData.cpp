#include "PgBenchData.h"
#include "BenchData.h"
#include "ProfilesData.h"
#include "RecordsData.h"

#include "core/schema/SchemaBuilder.h"
#include "demo/PropertyGenerator.h"
#include "maint/Copy.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <stdexcept>

namespace vm::bench {

namespace {

// Raised whenever what is added on the server changes; each version's
// additions are in addedIn().  A property older than OldestKeptVersion is made
// anew: version 3 changed how the key loans still out are generated.
constexpr int ServerGeneratorVersion = 3;
constexpr int OldestKeptVersion = 3;

QString sourceStamp(const QString& dataFolder, int version = ServerGeneratorVersion) {
    QFile f(dataFolder + "/stamp");
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("the bench property has no stamp");
    return QString::fromUtf8(f.readAll().trimmed()) + " server " + QString::number(version);
}

// The version of the generator a kept stamp names for this SQLite property
// (0: another property, or none).
int keptVersion(const QString& kept, const QString& dataFolder) {
    const QString base = sourceStamp(dataFolder, 0).chopped(1);
    if (!kept.startsWith(base)) return 0;
    bool ok = false;
    const int v = kept.mid(base.size()).toInt(&ok);
    return ok && v >= OldestKeptVersion && v <= ServerGeneratorVersion ? v : 0;
}

// What a version of the generator added to the one before it.
void addedIn(int version, demo::PropertyGenerator& generator, Database& db) {
    switch (version) {
    case 2:
        // Events, and the group and reservation records (the copied groups
        // are the profiles' and have no dates).
        generator.events();
        generator.groups();
        generator.bookings();
        AddRecordDetails(db);
        break;
    default:
        break;
    }
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
    const int keptAt = keptVersion(kept, sqliteDataFolder);
    if (keptAt > 0 && out.property->exists("VelmP")) {
        out.property->open();
        Database& db = out.property->ctx().db();
        RemovePgBenchWrites(db);
        if (keptAt < ServerGeneratorVersion) {
            // A kept property of an older generator gets what the later ones add.
            log("Adding the newer generator's data to the server property ...");
            demo::PropertyGenerator generator(out.property->ctx(), demo::PropertySize::Decade());
            generator.adoptStaff();
            // All or nothing, so a failed run leaves the kept version as it was.
            db.transaction([&] {
                for (int v = keptAt + 1; v <= ServerGeneratorVersion; ++v)
                    addedIn(v, generator, db);
            });
            db.exec("ANALYZE");
            server->exec("UPDATE public.velmora_bench_stamp SET stamp = ? WHERE prefix = ?",
                         {stamp, PgSchemaPrefix});
        }
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
    for (int v = 2; v <= ServerGeneratorVersion; ++v)
        addedIn(v, generator, out.property->ctx().db());
    log("Contacts, lost and found, keys, messages and what later versions add written in",
        double(more.elapsed()) / 1000.0);
    out.property->ctx().db().exec("ANALYZE");
    server->exec("INSERT INTO public.velmora_bench_stamp (prefix, stamp) VALUES (?, ?)",
                 {PgSchemaPrefix, stamp});
    out.preparedSeconds = double(timer.elapsed()) / 1000.0;
    log("The server property was made in", out.preparedSeconds);
    return out;
}

} // namespace vm::bench
