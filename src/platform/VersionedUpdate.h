#pragma once
// Saves of records that desks edit in place.  Such a row carries a version
// number (RowVersion) that every update raises; a save names the version it
// read and writes only when the row still has it.  So a save that lands
// between another desk's read and its save is never overwritten silently:
// the later save finds no row to update and asks the user instead.
//
//     VersionedUpdate save("LogBook", "LogID", entry.logId, entry.rowVersion);
//     save.set("LastName", entry.lastName).set("RoomNumber", entry.roomNumber);
//     switch (save.run(db)) { ... }
//
// Updates that do not go through here (bulk renames, purges) raise the
// version too: the schema gives every versioned table a trigger for them.

#include "platform/Database.h"

#include <QList>
#include <QPair>
#include <optional>

namespace vm {

inline const QString RowVersionColumn = QStringLiteral("RowVersion");

enum class VersionedResult {
    Updated,
    Changed, // another save raised the version after it was read: nothing written
    Gone     // the row no longer exists: nothing written
};

class VersionedUpdate {
public:
    VersionedUpdate(QString table, QString keyColumn, QVariant key, qint64 readVersion);

    VersionedUpdate& set(const QString& column, const QVariant& value);
    // UPDATE <table> SET <columns>, RowVersion = read + 1
    //   WHERE <key> = ? AND RowVersion = <read>
    VersionedResult run(Database& db) const;
    // The row's version once run() answered Updated.
    qint64 newVersion() const { return m_readVersion + 1; }

private:
    QString m_table, m_keyColumn;
    QVariant m_key;
    qint64 m_readVersion;
    QList<QPair<QString, QVariant>> m_columns;
};

// What a screen says when its save met another desk's (record: "Contact",
// "Event", "Group"...).  The first is a Yes/No question: Yes reloads the
// record from the database, No keeps the screen's values unsaved.
QString ChangedElsewhereQuestion(const QString& record);
QString GoneElsewhereMessage(const QString& record);

// The version the row has now; empty when the row does not exist.
std::optional<qint64> StoredRowVersion(Database& db, const QString& table, const QString& keyColumn,
                                       const QVariant& key);

} // namespace vm
