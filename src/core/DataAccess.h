#pragma once
// Stored forms of typed values, and the program's error-report convention.

#include "platform/Clock.h"
#include "platform/DbError.h"
#include "platform/Prompt.h"

#include <QString>

namespace vm {

// Trimmed; empty → " "; '"' → "'", '|' → '!', '&' → "and".
QString CleanSqlText(const QString& text);
// The same, keeping '&' (names and other texts where it must survive).
QString CleanSqlTextKeepAmp(const QString& text);
// '&' ↔ "&&" for texts shown in labels, buttons and menus.
QString EscapeAmpersand(const QString& text);
QString UnescapeAmpersand(const QString& text);
// "hh:mm AM" (exactly 8 characters) → today's date and that time as
// "yyyy/MM/dd HH:mm:ss"; anything else → "".
QString ConvertTimeStringToDate(const QString& text, const Clock& clock);

// Stored text → the value to show: the single blank of an empty text gives "".
inline QString StoredText(const QString& s) {
    return s.trimmed();
}
inline QString StoredText(QString&& s) {
    return std::move(s).trimmed();
}

// "Error: 3051\r\nOccurred at:  OpenDatabase of Module modWhereDB\r\nDescription:…"
QString ErrorReportText(int number, const QString& description, const QString& procedure,
                        const QString& module, bool isForm = false);
// "Error 3051 (…)\r\nProcedure: X of Module Y"
QString ErrorReportTextNew(int number, const QString& description, const QString& procedure,
                           const QString& module);
void ReportError(Prompt& prompt, const DbError& e, const QString& procedure, const QString& module,
                 bool isForm = false);
void ReportError(Prompt& prompt, const std::exception& e, const QString& procedure,
                 const QString& module, bool isForm = false);

inline const QString CRLF = QStringLiteral("\r\n");

} // namespace vm
