#pragma once
// Stored card numbers: the profile card rows, the viewing logs, the deletion
// log, the free-text screening outcome and the daily retention purge.

#include "core/AppContext.h"

#include <QString>
#include <functional>
#include <vector>

namespace vm {

inline const QString kInvalidViewReason = QStringLiteral("~~ Invalid Password");

// Viewing logs.  `viewed` false records a wrong password with the reason
// "~~ Invalid Password".  Source 'L' logbook entry, 'F' lost-and-found item.
void InsertLogbookCCV(AppContext& ctx, qint64 id, bool viewed, QChar source, const QString& reason);
void InsertProfileCCV(AppContext& ctx, qint64 profileId, qint64 profileCCId, bool viewed,
                      const QString& reason);

// The viewing-log listings (scope "All", "Good" or "Bad"), each one logged and
// audited as an access to the audit trail.
std::vector<Row> GetCCVComplete(AppContext& ctx, const QString& scope);
std::vector<Row> GetCCVLComplete(AppContext& ctx, const QString& scope);
std::vector<Row> GetCCVFComplete(AppContext& ctx, const QString& scope);
std::vector<Row> GetCCVHistory(AppContext& ctx, qint64 profileId, qint64 cardId);
// Purges of the viewing logs (rows older than `days`), logged and audited.
int DeleteCCViews(AppContext& ctx, int days);
int DeleteCCLViews(AppContext& ctx, int days);

// Profile cards.  The number is stored encrypted (record value: the profile
// id) with its masked form for display.
struct ProfileCard {
    qint64 profileId = 0;
    QString cardType;
    QString number; // clear, as typed
    QString expires;
};
std::vector<Row> GetProfileCC(AppContext& ctx, qint64 profileId);
// 0 / false when the cipher failed (it has shown its message; nothing stored).
qint64 InsertProfileCC(AppContext& ctx, const ProfileCard& card);
bool UpdateProfileCC(AppContext& ctx, qint64 profileCCId, const ProfileCard& card);
void DeleteProfileCC(AppContext& ctx, qint64 profileCCId);
void DeleteProfileCCByProfile(AppContext& ctx, qint64 profileId);

void LogCCDeletion(AppContext& ctx, bool isProfile, qint64 id, const QString& deletedBy);

// The outcome of a card number found in a free-text field before a save.
// `remove` (the user answered Yes): the number is replaced by "DELETED CC#";
// otherwise the text is kept and a Suspicious row (with the number masked)
// records it.  Answers the text to save.
QString ApplyCardScreening(AppContext& ctx, const QString& form, const QString& field,
                           qint64 recordId, const QString& text, bool remove);

// Cloning an entry that carries a card: the member types the card-viewing
// password to carry the number over, or SKIP to clone without it.
enum class CloneCardAnswer { Carry, Skip, Refused };
inline const QString kClonePasswordText = QStringLiteral(
    "You must enter your Credit Card password when Cloning a Logbook Entry that contains a "
    "Credit Card.");
CloneCardAnswer AskCloneCardPassword(AppContext& ctx);

// Retention policy.
int CheckForCCPolicy(AppContext& ctx);
bool HasCCPurgeRunToday(AppContext& ctx);
using PurgeProgress = std::function<void(const QString& label)>;
int DeleteCCFromLogbook(AppContext& ctx, const PurgeProgress& progress);
int DeleteCCFromProfiles(AppContext& ctx, int days, const PurgeProgress& progress);
// The whole daily purge; does nothing without a policy or when it already ran
// today.  Answers whether it ran.
bool PurgeCreditCards(AppContext& ctx, const PurgeProgress& progress = {});

// The reminder shown before a card is stored on a profile.
QString ProfileCardPolicyText(int days);
inline const QString kProfileCardPolicyTitle = QStringLiteral("Credit Card Storage Information");
inline const QString kProfileCardPolicyKey = QStringLiteral("DNS_ProCcWarning");
// Asks the reminder unless the user ticked "do not show again" (the key
// DNS_ProCcWarning in VmSettings.ini); answers whether to store the card.
bool ConfirmProfileCardPolicy(AppContext& ctx);

} // namespace vm
