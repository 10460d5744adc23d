#pragma once
// Table declarations.  Every subsystem declares the tables it owns once, in its
// own folder; the registry collects them.  A column or table carries the schema
// level that introduced it, so that the base level and the final schema come
// from the same declarations (see Upgrade.cpp for the ladder).

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace vm::schema {

// The oldest schema level a database may have; a new database is created here
// and then climbs the upgrade ladder.
constexpr int BaseLevel = 81045;
constexpr int CurrentLevel = 81066;

enum class Type {
    AutoId,  // engine-generated integer key (always the primary key)
    Long,    // 32-bit integer
    Integer, // 16-bit integer in the original files; stored as a normal integer
    Byte,
    Double,
    Currency, // money; kept as a double
    Text,     // case-insensitive text with a declared size
    Memo,     // case-insensitive long text
    Boolean,  // never null, false by default
    Date      // date and time (ISO text on SQLite, timestamp on PostgreSQL)
};

// Which database files hold a table.
enum Store : unsigned { Current = 1, Archive = 2, Common = 4 };

struct Column {
    QString name;
    Type type = Type::Text;
    int size = 0;         // Text only
    int addedAt = 0;      // 0 = part of the base schema; else the ladder level
    bool notNull = false; // AutoId and Boolean are always not null
    QVariant defaultValue;
};

struct Index {
    QString name;
    QStringList columns;
    bool unique = false;
    int addedAt = 0;
};

struct Table {
    QString name;
    QString owner; // subsystem folder that declares it, e.g. "logbook"
    unsigned stores = Current;
    int createdAt = 0; // 0 = part of the base schema; else the ladder level
    QList<Column> columns;
    QStringList primaryKey;
    QList<Index> indexes;
    // Text columns searched with "contains": they get a trigram index.
    QStringList substringSearch;
    // Columns whose values go together (an entry is complete or cancelled,
    // seldom both): a server keeps statistics of them as a group, so that it
    // does not take them as independent and misjudge how many rows match.
    QList<QStringList> jointStatistics;
    // Rows that desks edit in place: a RowVersion column that every update
    // raises (VersionedUpdate saves; a trigger raises it for other updates).
    bool versioned = false;

    // Fluent declaration helpers: each adds a column and returns the table.
    Table& id(const QString& name); // AutoId primary key
    Table& lng(const QString& name);
    Table& integer(const QString& name);
    Table& byte(const QString& name);
    Table& dbl(const QString& name);
    Table& currency(const QString& name);
    Table& text(const QString& name, int size = 255);
    Table& memo(const QString& name);
    Table& boolean(const QString& name);
    Table& date(const QString& name);

    // Modifiers of the column declared last.
    Table& addedAt(int level);
    Table& notNull();
    Table& defaultsTo(const QVariant& value);

    // Table-wide settings.
    Table& key(const QStringList& columns); // primary key of non-AutoId columns
    Table& index(const QStringList& columns, int addedAt = 0);
    Table& unique(const QStringList& columns, int addedAt = 0);
    Table& in(unsigned stores);
    Table& searchedByContains(const QStringList& columns);
    Table& statisticsTogether(const QStringList& columns);
    // Adds the RowVersion column (new databases have it from the start; older
    // ones get it, with its trigger, at the next start).
    Table& versionedRows();
    Table& createdAtLevel(int level);

    const Column* column(const QString& name) const;
    bool hasColumn(const QString& name) const { return column(name) != nullptr; }

private:
    Table& add(const QString& name, Type type, int size = 0);
};

class Registry {
public:
    // Every table of the application (built once, on first use).
    static const Registry& all();

    Table& table(const QString& name, const QString& owner);
    const Table* find(const QString& name) const;
    const QList<Table>& tables() const { return m_tables; }

private:
    QList<Table> m_tables;
};

// One function per subsystem, each in that subsystem's folder; AllTables.cpp
// calls them in order.
void declareCoreTables(Registry& r);
void declareSecurityTables(Registry& r);
void declareLogbookTables(Registry& r);
void declareDeskTables(Registry& r);
void declareGuestsTables(Registry& r);
void declareBookingsTables(Registry& r);
void declareOperationsTables(Registry& r);
void declareOutputTables(Registry& r);
void declareInterfacesTables(Registry& r);
void declareAdminTables(Registry& r);

} // namespace vm::schema
