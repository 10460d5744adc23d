#pragma once
// Turns table declarations into the engine's DDL.

#include "core/schema/Schema.h"
#include "platform/Database.h"

namespace vm::schema {

// Creates the table with the columns and indexes that exist at `level`
// (BaseLevel for the base schema, CurrentLevel for everything).
void CreateTable(Database& db, const Table& t, int level);
// Adds the column when the table lacks it; answers true when it was added.
bool AddColumn(Database& db, const Table& t, const Column& c);
void CreateIndex(Database& db, const Table& t, const Index& ix);
// Column type spelled for the engine.
QString ColumnType(Database& db, const Column& c);
// Widens (or narrows) a text column in place; non-text columns and columns of
// the requested size are left alone.  Answers true when it changed something.
bool change_field_size(Database& db, const QString& table, const QString& field, int newSize);
// The trigram index behind "contains" searches of a table's searched columns
// (SQLite: an FTS5 trigram table kept by triggers; PostgreSQL: pg_trgm GIN
// indexes).  Creates it when missing; answers true when it did.
bool EnsureSubstringIndex(Database& db, const Table& t);
// The joint statistics of a table's column groups on a server (nothing on
// SQLite, whose planner uses no such figures); those it makes are gathered at
// once.  Answers true when it made one.
bool EnsureJointStatistics(Database& db, const Table& t);
// The RowVersion column of a versioned table and the trigger that raises it
// on every update that does not set it itself.  Adds what is missing; answers
// true when it added something.
bool EnsureRowVersion(Database& db, const Table& t);
// "column contains text": the condition and its one parameter, using the
// trigram index where the text is long enough for it.
QString ContainsCondition(Engine engine, const QString& table, const QString& column,
                          const QString& text, QVariant& parameter);
// A column that contains (or starts with) a text.
struct TextMatch {
    QString column;
    QString text;
    bool startsWith = false;
};
// The rows whose columns match all of `matches`, found together in the SQLite
// trigram table: "[Table].[Key] IN (SELECT rowid ...)" with its parameters
// appended to `parameters`.  Empty where there is no trigram table for every
// column or a text is too short for one.  The table folds case beyond ASCII, so
// a starts-with match may find more than LIKE does: callers keep their LIKE.
QString TrigramCandidates(Engine engine, const QString& table, const QList<TextMatch>& matches,
                          QVariantList& parameters);

// Makes sure the database holds every table (and column and index) of `store`
// at the current level; used for the archive and common databases.
void EnsureStoreSchema(Database& db, Store store);

} // namespace vm::schema
