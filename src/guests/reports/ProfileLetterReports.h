#pragma once
// The letter written to a guest from the profile screen's correspondence:
// printed on the letterhead (or on plain paper with the property's logo), or
// handed to the mail program.

#include "core/AppContext.h"
#include "guests/Profiles.h"
#include "output/Reports.h"
#include "platform/Mailer.h"

namespace vm {

// The routine's name in the catalogue.
inline const QString ProfileLetterRoutine = QStringLiteral("Letter");
// Arguments: the letter's text, and whether it goes on the printed
// letterhead (true) or on plain paper with the logo (false).
inline const QString ArgLetterText = QStringLiteral("text");
inline const QString ArgLetterhead = QStringLiteral("letterhead");

doc::Document BuildProfileLetter(AppContext& ctx, const PrintRequest& r);
void RegisterProfileLetterReports(ReportCatalogue& catalogue);

// Where a letter is e-mailed: the home address unless the guest asked not to
// be mailed there, else the business one on the same terms; "" when neither
// may be used (the member fills it in).
QString LetterEmailRecipient(const Profile& p);
// The letter as a mail message: subject "A Letter for you from " and the
// property's ConfirmationText1.
MailMessage ProfileLetterMail(AppContext& ctx, const Profile& p, const QString& letter);

inline const QString MsgNoLetterToPrint =
    QStringLiteral("There is no letter to print.  Nothing was printed.");

} // namespace vm
