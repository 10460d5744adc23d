// Writing many rows at once: on SQLite the indexes and triggers of the tables
// being filled are put aside and made again afterwards (one sort per index
// instead of a tree update per row; the trigram search tables indexed once
// from their content).  A server keeps its indexes: its statements are sent
// in large transactions instead.

#include "demo/BulkLoad.h"

#include "platform/Database.h"

namespace vm::demo {

void BulkLoad(Database& db, const QStringList& tables, const std::function<void()>& work) {
    if (db.engine() != Engine::SQLite) {
        work();
        return;
    }
    QStringList marks;
    QVariantList names;
    for (const QString& t : tables) {
        marks << "?";
        names << t;
    }
    struct Put {
        QString type, name, sql;
    };
    std::vector<Put> aside;
    for (const Row& r : db.query("SELECT [type], [name], [sql] FROM [sqlite_master] WHERE [type] "
                                 "IN ('index', 'trigger') AND [sql] IS NOT NULL AND [tbl_name] "
                                 "IN (" +
                                     marks.join(", ") + ") ORDER BY [type], [name]",
                                 names))
        aside.push_back({r.text("type"), r.text("name"), r.text("sql")});
    const auto restore = [&] {
        for (const Put& p : aside)
            db.exec(p.sql);
        // The trigram tables index what their content tables hold now.
        for (const Row& r : db.query("SELECT [name] FROM [sqlite_master] WHERE [type] = 'table' "
                                     "AND [sql] LIKE 'CREATE VIRTUAL TABLE%fts5%'"))
            db.exec("INSERT INTO [" + r.text("name") + "] ([" + r.text("name") +
                    "]) VALUES ('rebuild')");
    };
    db.transaction([&] {
        for (const Put& p : aside)
            db.exec("DROP " + p.type + " [" + p.name + "]");
    });
    try {
        work();
    } catch (...) {
        db.transaction(restore);
        throw;
    }
    db.transaction(restore);
}

} // namespace vm::demo
