#include "core/DataAccess.h"

#include "core/Formats.h"

#include <QDateTime>

namespace vm {

QString CleanSqlTextKeepAmp(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return " ";
    QString s = t;
    s.replace('"', '\'');
    s.replace('|', '!');
    return s;
}

QString CleanSqlText(const QString& text) {
    QString s = CleanSqlTextKeepAmp(text);
    if (s == " ") return s;
    return s.replace("&", "and");
}

QString EscapeAmpersand(const QString& text) {
    return QString(text).replace("&", "&&");
}

QString UnescapeAmpersand(const QString& text) {
    return QString(text).replace("&&", "&");
}

QString ConvertTimeStringToDate(const QString& text, const Clock& clock) {
    if (text.size() != 8) return {};
    const QTime t = Formats::ParseTime12(text.left(5) + ' ' + text.right(2));
    if (!t.isValid()) return {};
    return Formats::StoredDateTimeSeconds(QDateTime(clock.today(), t));
}

QString ErrorReportText(int number, const QString& description, const QString& procedure,
                        const QString& module, bool isForm) {
    return "Error: " + QString::number(number) + CRLF + "Occurred at:  " + procedure +
           (isForm ? " of Form " : " of Module ") + module + CRLF + "Description:" + description;
}

QString ErrorReportTextNew(int number, const QString& description, const QString& procedure,
                           const QString& module) {
    return "Error " + QString::number(number) + " (" + description + ")" + CRLF +
           "Procedure: " + procedure + " of Module " + module;
}

void ReportError(Prompt& prompt, const DbError& e, const QString& procedure, const QString& module,
                 bool isForm) {
    prompt.message(ErrorReportText(e.number(), e.description(), procedure, module, isForm), {},
                   Icon::Exclamation);
}

void ReportError(Prompt& prompt, const std::exception& e, const QString& procedure,
                 const QString& module, bool isForm) {
    if (auto* db = dynamic_cast<const DbError*>(&e)) {
        ReportError(prompt, *db, procedure, module, isForm);
        return;
    }
    prompt.message(ErrorReportText(DbErrorNumber::General, QString::fromUtf8(e.what()), procedure,
                                   module, isForm),
                   {}, Icon::Exclamation);
}

} // namespace vm
