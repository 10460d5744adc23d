#pragma once
// Row counts and checksums of the declared tables of a database, the same on
// both engines, and the manifest that keeps them beside a backup.
//
// A table's checksum is the SHA-256 of its rows' digests, sorted: the order
// rows come in does not matter and tables without a key need none.  A row's
// digest is the SHA-256 of its declared columns (declaration order), each
// written as its length and its normalised form:
//   NULL            "N" (so NULL and the empty text stay different: "V")
//   Boolean         "V1" / "V0"   (SQLite 0/1, server true/false)
//   Date            "V" + yyyy-MM-dd HH:mm:ss.zzz   (SQLite text, server timestamp)
//   whole numbers   "V" + decimal digits
//   Double/Currency "V" + shortest exact form (17 significant digits)
//   Text/Memo       "V" + the text as stored (case and blanks kept)
// A value that does not read as its declared type is taken as text behind "?".

#include "core/schema/Schema.h"
#include "platform/Database.h"

#include <QJsonObject>
#include <QList>
#include <QString>

namespace vm::maint {

struct TableSum {
    QString table;
    qint64 rows = 0; // -1: the table is missing
    QString sha256;
};

struct DatabaseSums {
    QString base;  // "VelmP", ...
    QString store; // "current", "archive", "common"
    QString place; // file name or schema name inside a backup
    QList<TableSum> tables;
    const TableSum* find(const QString& table) const;
};

QString StoreName(schema::Store store);
std::optional<schema::Store> StoreNamed(const QString& name);

// The normalised form of one value of a declared column (see above).
QByteArray NormalisedValue(const QVariant& value, schema::Type type);
// The value as the engine of a copy binds it: typed by the declared column.
QVariant TypedValue(const QVariant& value, schema::Type type);

// Declared columns of `t` that the table in `db` has.
QList<const schema::Column*> PresentColumns(Database& db, const schema::Table& t);

TableSum SumTable(Database& db, const schema::Table& t);
// Every declared table of `store`, by name.
DatabaseSums SumDatabase(Database& db, const QString& base, schema::Store store);

// Lines that say where two lists of sums differ (empty when they agree).
QStringList CompareSums(const QList<DatabaseSums>& expected, const QList<DatabaseSums>& actual);
// One line per table: "VelmP LogBook 42 rows 3f2a...".
QStringList SumLines(const QList<DatabaseSums>& sums);

struct Manifest {
    QString engine; // "sqlite" or "postgresql"
    QString created;
    int level = 0;
    bool masked = false;
    QString schemaPrefix; // postgresql: the prefix the schemas had
    QString dumpFile;     // postgresql: the pg_dump archive
    QList<DatabaseSums> databases;

    QJsonObject toJson() const;
    static Manifest fromJson(const QJsonObject& o);
};

inline const QString kManifestFile = QStringLiteral("manifest.json");
void WriteManifest(const QString& folder, const Manifest& m);
// AdminError(2) when there is no readable manifest.
Manifest ReadManifest(const QString& folder);

} // namespace vm::maint
