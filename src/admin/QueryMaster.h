#pragma once
// The database maintenance queries: orphan rows, duplicate values, simple
// select and update queries, the comparison of the current and the archive
// logbook, the schema listing and the date refresh.
//
// Every statement is put together from table and column names that the
// declared schema knows and the chosen database has (quoted as identifiers);
// what a user types only ever travels as a bound value.  Questions and
// messages go through the context's prompt, so the procedures run (and are
// tested) without a screen.

#include "core/AppContext.h"

#include <QStringList>
#include <QVariantList>
#include <functional>

namespace vm {

enum class QueryKind {
    OrphanLogText,
    OrphanMsgText,
    OrphanLogMsgs,
    OrphanDEDesign,
    OrphanMessages, // messages about no entry and without text
    OrphanX,        // child and parent chosen on the screen
    Select,
    Update,
    Duplicates
};

// The kinds in the order the screen offers them, with their captions.
const QList<QPair<QueryKind, QString>>& QueryKinds();
bool IsFixedOrphanKind(QueryKind kind);

// What the screen asks for.  `table`/`fields`: the chosen table and fields
// (for OrphanX the child table and its key field); `parentTable`/`parentKey`:
// the parent of OrphanX; `value`: the update query's new value.
struct QueryRequest {
    QueryKind kind = QueryKind::Select;
    QString table;
    QStringList fields;
    QString parentTable;
    QString parentKey;
    QString value;
};

// The rows removable by the delete buttons after a run: the values of
// `keyField` in `keyTable` that the run listed.
struct QueryKeys {
    QueryKind kind = QueryKind::Select;
    QString keyTable;
    QString keyField;
    QVariantList keys;
};

// The placeholder of the update query's value box.
inline const QString ValuePlaceholder = QStringLiteral("~~");

class QueryMaster {
public:
    explicit QueryMaster(AppContext& ctx);

    // "Current" or "Archive"; false (and a message) when there is no archive.
    bool chooseArchive(bool archive);
    bool usingArchive() const { return m_archive; }
    Database& db() const;

    // Declared tables the chosen database has (sorted); the engine's own never.
    QStringList tables();
    // Declared columns of a listed table the database has, in declared order.
    QStringList fields(const QString& table);

    // Each procedure appends its result lines to `out` (on a failure the lines
    // gathered so far stay) and answers false when it failed or was refused.
    bool run(const QueryRequest& request, QStringList& out);
    // The rows the last run listed (empty kind Select with no keys at first).
    const QueryKeys& lastKeys() const { return m_last; }
    // Removes the rows of a fixed orphan query's keys (cmdDelete).
    bool deleteOrphans(QStringList& out);
    // Removes the rows of `keyTable` whose `keyField` holds a listed key.
    bool deleteListedKeys(QStringList& out);
    // The ids of the entries in both logbooks, in id order, then "n Found".
    bool findInBothLogbooks(QList<qint64>& both, QStringList& out);
    // Asked, removes the archive copies (text first) of entries still in the
    // current logbook, in one transaction.
    bool deleteArchiveCopies(const QList<qint64>& both, QStringList& out);
    // Tables.csv in the output folder; answers its path ("" on failure).
    QString writeSchemaListing();
    // Moves every date forward so that the oldest entry is today.
    bool refreshDates();
    // The three import settings, one "Name: value" line each.
    QStringList settingsText();

    static QString Footer(int rows);
    // The type name the schema listing shows for a declared column.
    static QString TypeName(int declaredType);

private:
    QString checkedTable(const QString& table);
    QString checkedField(const QString& table, const QString& field);
    void listOrphans(QueryKind kind, const QString& sql, const QString& childTable,
                     const QString& keyField, QStringList& out, int& rows,
                     const std::function<bool(const QVariant&)>& keep = {});
    bool runUpdate(const QueryRequest& r, QStringList& out);
    bool guarded(const QString& procedure, const std::function<void()>& work);

    AppContext& m_ctx;
    bool m_archive = false;
    QueryKeys m_last;
};

// Runs `work` so that it cannot change data: on a server in a READ ONLY
// transaction, on SQLite with the connection switched to query-only.  The
// work's reads run on one view of the data; nothing it tries to write stays.
void RunReadOnly(Database& db, const std::function<void()>& work);

} // namespace vm
