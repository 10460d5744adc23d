#pragma once
// Reading list rows by position: the lists of the operations stores name the
// columns they show and read them in that order, converting each value once.

#include "core/DataAccess.h"
#include "platform/Row.h"

namespace vm::ops {

// A whole number (null and unreadable values: 0).
inline qint64 whole(const Row& r, int i) {
    qint64 n = 0;
    if (r.integer(i, n)) return n;
    const QVariant v = r.value(i);
    return v.isNull() ? 0 : v.toLongLong();
}

inline double amount(const Row& r, int i) {
    const QVariant v = r.value(i);
    return v.isNull() ? 0.0 : v.toDouble();
}

// A text as shown (the one blank of an empty stored text gives "").
inline QString shown(const Row& r, int i) {
    return r.trimmedText(i);
}

} // namespace vm::ops
