#include "platform/Row.h"

#include "platform/DbError.h"

#include <QSqlField>

namespace vm {

RowShape::RowShape(QStringList names) : m_names(std::move(names)) {
    // The first of equal names wins, as in a record.
    for (int i = 0; i < m_names.size(); ++i) {
        if (!m_exact.contains(m_names[i])) m_exact.insert(m_names[i], i);
        const QString folded = m_names[i].toCaseFolded();
        if (!m_folded.contains(folded)) m_folded.insert(folded, i);
    }
}

int RowShape::indexOf(const QString& column) const {
    // Callers spell names as declared, so on SQLite the exact lookup nearly
    // always hits; a server answers in lower case.  Names of another length
    // are passed over at once, so a look at every name costs less than
    // folding the name asked for into a new string.
    auto exact = m_exact.constFind(column);
    if (exact != m_exact.constEnd()) return *exact;
    if (m_names.size() <= 64) {
        for (qsizetype i = 0; i < m_names.size(); ++i)
            if (m_names[i].size() == column.size() &&
                m_names[i].compare(column, Qt::CaseInsensitive) == 0)
                return int(i);
    } else if (const int folded = m_folded.value(column.toCaseFolded(), -1); folded >= 0) {
        return folded;
    }
    const qsizetype dot = column.lastIndexOf('.');
    return dot < 0 ? -1 : m_folded.value(column.mid(dot + 1).toCaseFolded(), -1);
}

QString RowSource::text(int i) const {
    const QVariant v = value(i);
    return v.isNull() ? QString() : v.toString();
}

QString RowSource::trimmedText(int i) const {
    return text(i).trimmed();
}

void RowSource::appendUtf8(int i, QByteArray& into) const {
    into += text(i).toUtf8();
}

namespace {
bool wholeNumber(const QVariant& v, qint64& into) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt:
        if (v.isNull()) return false;
        into = v.toLongLong();
        return true;
    default:
        return false;
    }
}
} // namespace

bool RowSource::integer(int i, qint64& into) const {
    return wholeNumber(value(i), into);
}

Row::Row(std::shared_ptr<const RowShape> shape, QVariantList values)
    : m_shape(std::move(shape)), m_values(std::move(values)) {}

Row::Row(std::shared_ptr<const RowShape> shape, const RowSource& live)
    : m_shape(std::move(shape)), m_live(&live) {}

Row::Row(const Row& other) : m_shape(other.m_shape), m_values(other.m_values) {
    if (other.m_live) {
        m_values.reserve(other.count());
        for (int i = 0; i < other.count(); ++i)
            m_values << other.m_live->value(i);
    }
}

Row& Row::operator=(const Row& other) {
    if (this != &other) *this = Row(other);
    return *this;
}

QVariant Row::value(const QString& column) const {
    const int i = indexOf(column);
    if (i < 0)
        throw DbError(DbErrorNumber::General, "Item not found in this collection: " + column);
    return value(i);
}

bool Row::isNull(const QString& column) const {
    return value(column).isNull();
}

QString Row::text(int i) const {
    if (m_live) return m_live->text(i);
    const QVariant& v = m_values.at(i);
    return v.isNull() ? QString() : v.toString();
}

QString Row::trimmedText(int i) const {
    return m_live ? m_live->trimmedText(i) : text(i).trimmed();
}

void Row::appendUtf8(int i, QByteArray& into) const {
    if (m_live)
        m_live->appendUtf8(i, into);
    else
        into += text(i).toUtf8();
}

bool Row::integer(int i, qint64& into) const {
    return m_live ? m_live->integer(i, into) : wholeNumber(m_values.at(i), into);
}

QString Row::text(const QString& column) const {
    const int i = indexOf(column);
    if (i < 0)
        throw DbError(DbErrorNumber::General, "Item not found in this collection: " + column);
    return text(i);
}

QString Row::trimmedText(const QString& column) const {
    const int i = indexOf(column);
    if (i < 0)
        throw DbError(DbErrorNumber::General, "Item not found in this collection: " + column);
    return trimmedText(i);
}

qint64 Row::number(int i) const {
    qint64 n = 0;
    return integer(i, n) ? n : value(i).toLongLong();
}

qint64 Row::number(const QString& column) const {
    const QVariant v = value(column);
    return v.isNull() ? 0 : v.toLongLong();
}

double Row::real(const QString& column) const {
    const QVariant v = value(column);
    return v.isNull() ? 0.0 : v.toDouble();
}

bool Row::flag(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull()) return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == "1" || s == "true" || s == "t" || s == "-1" || s == "yes";
    }
    return v.toLongLong() != 0 || v.toBool();
}

QDateTime Row::dateTime(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
    if (v.typeId() == QMetaType::QDate) return v.toDate().startOfDay();
    const QString s = v.toString().trimmed();
    QDateTime dt = QDateTime::fromString(s, EngineDateTime);
    if (!dt.isValid()) dt = QDateTime::fromString(s, Qt::ISODate);
    if (!dt.isValid()) dt = QDate::fromString(s.left(10), EngineDate).startOfDay();
    return dt;
}

QSqlRecord Row::record() const {
    QSqlRecord rec;
    for (int i = 0; i < count(); ++i) {
        const QVariant v = value(i);
        QSqlField field(name(i), v.metaType());
        field.setValue(v);
        rec.append(field);
    }
    return rec;
}

} // namespace vm
