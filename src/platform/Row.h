#pragma once
// One row of a result, read by column name (case-insensitive) or position.
// The rows of one statement share its column names; a row handed to
// Database::forEach reads straight from the running statement, so a list of
// a thousand rows converts only the columns it reads and copies nothing.

#include <QDateTime>
#include <QHash>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>

namespace vm {

// How Date columns travel to and from the engines (ISO text in SQLite, the
// server's timestamp input).  The desk's own date forms live in core/Formats,
// above this layer; these two are the engine's, not the desk's.
inline const QString EngineDateTime = QStringLiteral("yyyy-MM-dd HH:mm:ss");
inline const QString EngineDate = QStringLiteral("yyyy-MM-dd");

// The column names of one result.
class RowShape {
public:
    explicit RowShape(QStringList names);
    int count() const { return int(m_names.size()); }
    const QString& name(int i) const { return m_names[i]; }
    // The first column of that name, ignoring case ("Table.Column" also finds
    // "Column"); -1 when there is none.
    int indexOf(const QString& column) const;

private:
    QStringList m_names;
    QHash<QString, int> m_exact, m_folded;
};

// Where a row being stepped reads its values (the statement's current row).
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual QVariant value(int i) const = 0;
    // value(i) as text (null → ""), without the detour through a QVariant where
    // the source can.
    virtual QString text(int i) const;
    // text(i) without the white space at its ends (QString::trimmed), where
    // the source can without converting the blanks it drops.
    virtual QString trimmedText(int i) const;
    // Appends text(i) in UTF-8 to `into` (as the engine holds it, where it can).
    virtual void appendUtf8(int i, QByteArray& into) const;
    // When value(i) is a whole number: true, with the number in `into`.
    virtual bool integer(int i, qint64& into) const;
};

class Row {
public:
    Row(std::shared_ptr<const RowShape> shape, QVariantList values);
    // Reads from `live` while it stands on this row; a copy keeps the values.
    Row(std::shared_ptr<const RowShape> shape, const RowSource& live);
    Row(const Row& other);
    Row& operator=(const Row& other);
    Row(Row&&) noexcept = default;
    Row& operator=(Row&&) noexcept = default;

    int count() const { return m_shape->count(); }
    const QString& name(int i) const { return m_shape->name(i); }
    int indexOf(const QString& column) const { return m_shape->indexOf(column); }
    bool has(const QString& column) const { return indexOf(column) >= 0; }
    QVariant value(int i) const { return m_live ? m_live->value(i) : m_values.at(i); }
    QString text(int i) const; // null → ""
    // text(i).trimmed(): the form most lists show a stored text in.
    QString trimmedText(int i) const;
    // Appends text(i) in UTF-8 to `into`: what a file written in UTF-8 needs,
    // without a detour through a QString where the engine holds UTF-8.
    void appendUtf8(int i, QByteArray& into) const;
    // True when the value is a whole number (not text, not null), which goes to `into`.
    bool integer(int i, qint64& into) const;
    // The value as a whole number (null → 0), without a variant when it is one.
    qint64 number(int i) const;

    // By name; an unknown column raises DbError.
    QVariant value(const QString& column) const;
    bool isNull(const QString& column) const;
    QString text(const QString& column) const;  // null → ""
    QString trimmedText(const QString& column) const;
    qint64 number(const QString& column) const; // null → 0
    double real(const QString& column) const;
    bool flag(const QString& column) const; // null → false
    QDateTime dateTime(const QString& column) const;
    // Names and values as a record (built on request).
    QSqlRecord record() const;

private:
    std::shared_ptr<const RowShape> m_shape;
    QVariantList m_values;
    const RowSource* m_live = nullptr;
};

} // namespace vm
