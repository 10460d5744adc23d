#include "core/schema/Schema.h"

#include "platform/VersionedUpdate.h"

#include <stdexcept>

namespace vm::schema {

Table& Table::add(const QString& name, Type type, int size) {
    if (hasColumn(name))
        throw std::logic_error(("column declared twice: " + this->name + "." + name).toStdString());
    Column c;
    c.name = name;
    c.type = type;
    c.size = size;
    c.notNull = (type == Type::AutoId || type == Type::Boolean);
    if (type == Type::Boolean) c.defaultValue = false;
    columns.append(c);
    return *this;
}

Table& Table::id(const QString& name) {
    add(name, Type::AutoId);
    primaryKey = {name};
    return *this;
}
Table& Table::lng(const QString& name) {
    return add(name, Type::Long);
}
Table& Table::integer(const QString& name) {
    return add(name, Type::Integer);
}
Table& Table::byte(const QString& name) {
    return add(name, Type::Byte);
}
Table& Table::dbl(const QString& name) {
    return add(name, Type::Double);
}
Table& Table::currency(const QString& name) {
    return add(name, Type::Currency);
}
Table& Table::text(const QString& name, int size) {
    return add(name, Type::Text, size);
}
Table& Table::memo(const QString& name) {
    return add(name, Type::Memo);
}
Table& Table::boolean(const QString& name) {
    return add(name, Type::Boolean);
}
Table& Table::date(const QString& name) {
    return add(name, Type::Date);
}

Table& Table::addedAt(int level) {
    columns.last().addedAt = level;
    return *this;
}
Table& Table::notNull() {
    columns.last().notNull = true;
    return *this;
}
Table& Table::defaultsTo(const QVariant& value) {
    columns.last().defaultValue = value;
    return *this;
}
Table& Table::key(const QStringList& cols) {
    primaryKey = cols;
    return *this;
}
Table& Table::index(const QStringList& cols, int level) {
    indexes.append({QString("ix_%1_%2").arg(name, cols.join('_')).toLower(), cols, false, level});
    return *this;
}
Table& Table::unique(const QStringList& cols, int level) {
    indexes.append({QString("ux_%1_%2").arg(name, cols.join('_')).toLower(), cols, true, level});
    return *this;
}
Table& Table::searchedByContains(const QStringList& cols) {
    substringSearch = cols;
    return *this;
}
Table& Table::statisticsTogether(const QStringList& cols) {
    jointStatistics << cols;
    return *this;
}
Table& Table::versionedRows() {
    add(RowVersionColumn, Type::Long);
    columns.last().notNull = true;
    columns.last().defaultValue = 0;
    versioned = true;
    return *this;
}
Table& Table::in(unsigned s) {
    stores = s;
    return *this;
}
Table& Table::createdAtLevel(int level) {
    createdAt = level;
    return *this;
}

const Column* Table::column(const QString& n) const {
    for (const Column& c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

Table& Registry::table(const QString& name, const QString& owner) {
    if (find(name)) throw std::logic_error(("table declared twice: " + name).toStdString());
    Table t;
    t.name = name;
    t.owner = owner;
    m_tables.append(t);
    return m_tables.last();
}

const Table* Registry::find(const QString& name) const {
    for (const Table& t : m_tables)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

} // namespace vm::schema
