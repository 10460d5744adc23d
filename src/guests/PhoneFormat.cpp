#include "guests/PhoneFormat.h"

namespace vm {

QString FormatPhoneNumber(const QString& typed, const QString& defaultCountry,
                          const QString& defaultAreaCode) {
    const QString country = defaultCountry.trimmed();
    if (country.compare("USA", Qt::CaseInsensitive) != 0 &&
        country.compare("Canada", Qt::CaseInsensitive) != 0)
        return typed;
    QString digits = typed;
    for (const QChar c : {QChar('('), QChar(')'), QChar('-'), QChar('.'), QChar(' ')})
        digits.remove(c);
    if (digits.isEmpty()) return typed;
    for (const QChar c : digits)
        if (c < '0' || c > '9') return typed;
    if (digits.size() == 7)
        return defaultAreaCode.trimmed() + " " + digits.left(3) + "-" + digits.mid(3);
    if (digits.size() == 10)
        return "(" + digits.left(3) + ") " + digits.mid(3, 3) + "-" + digits.mid(6);
    return typed;
}

} // namespace vm
