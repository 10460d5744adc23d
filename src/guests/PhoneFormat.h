#pragma once
// Telephone numbers as the desk writes them in the USA and Canada.

#include <QString>

namespace vm {

// With `defaultCountry` "USA" or "Canada" (any case): the typed number without
// "(", ")", "-", "." and blanks, when only digits remain, becomes
// defaultAreaCode + " " + "000-0000" (7 digits) or "(000) 000-0000"
// (10 digits).  Anything else is answered as typed.
QString FormatPhoneNumber(const QString& typed, const QString& defaultCountry,
                          const QString& defaultAreaCode);

} // namespace vm
