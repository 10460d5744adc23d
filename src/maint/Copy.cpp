#include "maint/Copy.h"

#include "core/Upgrade.h"
#include "maint/Check.h"

#include <algorithm>

namespace vm::maint {

namespace {

void copyTable(Database& from, Database& to, const schema::Table& t) {
    if (!from.tableExists(t.name)) return;
    if (!to.tableExists(t.name))
        throw AdminError(ExitProblem, "the target lacks the table " + t.name);
    const auto columns = PresentColumns(from, t);
    const auto targetColumns = PresentColumns(to, t);
    QStringList names, marks;
    for (const schema::Column* c : columns) {
        if (!targetColumns.contains(c))
            throw AdminError(ExitProblem, "the target lacks the column " + t.name + "." + c->name);
        names << "[" + c->name + "]";
        marks << "?";
    }
    to.exec("DELETE FROM [" + t.name + "]");
    // Rows go over in INSERTs of several rows each: one statement per row costs
    // a server round trip per row.  A batch stays well under either engine's
    // limit of bound values.
    const int perBatch = std::max(1, std::min(CopyBatchRows, 30000 / int(columns.size())));
    const QString row = "(" + marks.join(", ") + ")";
    auto insertOf = [&](int rows) {
        QStringList all;
        all.reserve(rows);
        for (int i = 0; i < rows; ++i)
            all << row;
        return "INSERT INTO [" + t.name + "] (" + names.join(", ") + ") VALUES " + all.join(", ");
    };
    const QString full = insertOf(perBatch);
    QVariantList values;
    values.reserve(perBatch * columns.size());
    int pending = 0;
    auto flush = [&] {
        if (pending == 0) return;
        to.exec(pending == perBatch ? full : insertOf(pending), values);
        values.clear();
        pending = 0;
    };
    // The target is another connection, so the source's rows stream past.
    from.forEach("SELECT " + names.join(", ") + " FROM [" + t.name + "]", {}, [&](const Row& r) {
        for (int i = 0; i < columns.size(); ++i)
            values << TypedValue(r.value(i), columns[i]->type);
        if (++pending == perBatch) flush();
        return true;
    });
    flush();
    if (to.engine() != Engine::PostgreSQL) return; // SQLite's AUTOINCREMENT follows the keys
    for (const schema::Column* c : columns) {
        if (c->type != schema::Type::AutoId) continue;
        // The next key the server hands out lies above every copied one.
        to.query("SELECT setval(pg_get_serial_sequence(?, ?), COALESCE((SELECT MAX(" +
                     to.quoteName(c->name) + ") FROM " + to.quoteName(t.name) + "), 0) + 1, false)",
                 {to.quoteName(t.name), c->name.toLower()});
    }
}

} // namespace

void CopyRows(Database& from, Database& to, schema::Store store) {
    to.transaction([&] {
        for (const schema::Table& t : schema::Registry::all().tables())
            if (t.stores & store) copyTable(from, to, t);
    });
}

CopyResult CopyProperty(Property& from, const PropertySource& to, const Workstation& ws,
                        Clock& clock, const Lines& out) {
    const int level = StoredLevel(from.ctx().db());
    if (level != ProgramLevel())
        throw AdminError(ExitProblem,
                         QString("the property is at schema level %1 and this program at %2: "
                                 "start the program once on it before it is copied")
                             .arg(level)
                             .arg(ProgramLevel()));
    PropertySource where = to;
    where.masked = from.source().masked;
    Property target(where, ws, clock);
    const bool withCommon = from.ctx().common != nullptr;
    target.createNew(withCommon);
    out("made " + where.describe());

    CopyResult result;
    for (const StoreDb& s : from.stores()) {
        Database* into = s.store == schema::Current   ? target.ctx().current.get()
                         : s.store == schema::Archive ? target.ctx().archive.get()
                                                      : target.ctx().common.get();
        // One view of the source for the rows and their sums.
        s.db->snapshot([&] {
            CopyRows(*s.db, *into, s.store);
            result.source << SumDatabase(*s.db, s.base, s.store);
        });
        result.target << SumDatabase(*into, s.base, s.store);
        out(s.base + ": copied to " + Place(into->location()));
    }
    result.differences = CompareSums(result.source, result.target);
    if (withCommon && !where.onServer())
        out("the common database is " + target.locationOf(target.commonBase()).file +
            "; the setting CommonContacts still names the folder it was in");
    return result;
}

} // namespace vm::maint
