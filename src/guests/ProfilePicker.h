#pragma once
// The profile picker's search (first name, last name or profile type) and the
// indicator e-mail of the profile screen: the parts without widgets.

#include "core/AppContext.h"
#include "guests/Profiles.h"
#include "platform/Mailer.h"

#include <vector>

namespace vm {

enum class ProfilePickBy { FirstName, LastName, ProfileType };

struct ProfilePickerSelection {
    QString where; // the condition, without "WHERE"
    QVariantList params;
    QString refusal; // the message instead of a search; "" when it may run
};

// A contains match on the name (typed wildcards are searched as they are) or
// the exact profile type.  Private profiles only when `includePrivate`.
ProfilePickerSelection BuildProfilePickerSelection(Engine engine, ProfilePickBy by,
                                                   const QString& text, bool includePrivate);

struct ProfilePickerRow {
    qint64 id = 0;
    QString firstName, lastName, salutation;
    QString homePhone, faxPhone, businessPhone, cellPhone, title, company;
    bool colorCode = false;
    QString color; // ProfileColor literal
    bool isPrivate = false;
};
// The picker's list: ordered by last and first name.
std::vector<ProfilePickerRow> GetTheProfilesB(AppContext& ctx, const ProfilePickerSelection& s);

// The number of a "&H00BBGGRR&" colour literal (blue, green, red bytes, as the
// grid colour settings store colours); -1 when the text is none.
qint64 ProfileColorValue(const QString& literal);

// The indicator e-mail: to the first indicator's type address, the subject
// with the guest's names, one "type:" line and "   value" line per indicator.
MailMessage IndicatorEmail(AppContext& ctx, const Profile& p,
                           const std::vector<ProfileIndicator>& chosen);

inline const QString MsgPickerEnterText =
    QStringLiteral("Please enter the information you wish to use to filter your selections.");
inline const QString MsgPickerSelectType =
    QStringLiteral("Please select the Profile Type you wish to use to filter your selections.");
inline const QString MsgNoProfileSearch =
    QStringLiteral("You are not authorized to search for Profiles.");

} // namespace vm
