#include "platform/VersionedUpdate.h"

#include <QStringList>

namespace vm {

VersionedUpdate::VersionedUpdate(QString table, QString keyColumn, QVariant key, qint64 readVersion)
    : m_table(std::move(table)), m_keyColumn(std::move(keyColumn)), m_key(std::move(key)),
      m_readVersion(readVersion) {}

VersionedUpdate& VersionedUpdate::set(const QString& column, const QVariant& value) {
    m_columns.append({column, value});
    return *this;
}

VersionedResult VersionedUpdate::run(Database& db) const {
    QStringList assignments;
    QVariantList params;
    for (const auto& [column, value] : m_columns) {
        assignments << "[" + column + "] = ?";
        params << value;
    }
    assignments << "[" + RowVersionColumn + "] = ?";
    params << newVersion() << m_key << m_readVersion;
    // On a server, a second save waiting for the row lock re-reads the row
    // once the first commits, sees the raised version and updates nothing.
    const int updated =
        db.exec("UPDATE [" + m_table + "] SET " + assignments.join(", ") + " WHERE [" +
                    m_keyColumn + "] = ? AND [" + RowVersionColumn + "] = ?",
                params);
    if (updated > 0) return VersionedResult::Updated;
    return StoredRowVersion(db, m_table, m_keyColumn, m_key) ? VersionedResult::Changed
                                                             : VersionedResult::Gone;
}

std::optional<qint64> StoredRowVersion(Database& db, const QString& table, const QString& keyColumn,
                                       const QVariant& key) {
    const auto row = db.queryOne("SELECT [" + RowVersionColumn + "] FROM [" + table + "] WHERE [" +
                                     keyColumn + "] = ?",
                                 {key});
    if (!row) return std::nullopt;
    return row->number(RowVersionColumn);
}

QString ChangedElsewhereQuestion(const QString& record) {
    return "This " + record + " was changed at another desk after you opened it.\r\n" +
           "Press <Yes> to reload it from the database (your changes are dropped).\r\n" +
           "Press <No> to keep your changes on the screen without saving.";
}

QString GoneElsewhereMessage(const QString& record) {
    return "This " + record + " was deleted at another desk after you opened it.  " +
           "It was not saved.";
}

} // namespace vm
