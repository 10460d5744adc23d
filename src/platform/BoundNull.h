#pragma once
// Which bound values go to an engine as NULL.

#include <QDateTime>
#include <QVariant>

namespace vm {

// The values the Qt drivers bind as NULL: a null variant, and a null string,
// byte array, date or time inside one.
inline bool isNullValue(const QVariant& v) {
    if (v.isNull()) return true;
    switch (v.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString*>(v.constData())->isNull();
    case QMetaType::QByteArray:
        return static_cast<const QByteArray*>(v.constData())->isNull();
    case QMetaType::QDateTime:
        return static_cast<const QDateTime*>(v.constData())->isNull();
    case QMetaType::QDate:
        return static_cast<const QDate*>(v.constData())->isNull();
    case QMetaType::QTime:
        return static_cast<const QTime*>(v.constData())->isNull();
    default:
        return false;
    }
}

} // namespace vm
