#pragma once
// Interface categories (IFTranslate): how a kind of request from an outside
// system is filed as a logbook entry — the logbook category, the language and
// which outside field lands on which design line of that category.  Also the
// per-interface parameters (IFParameter) and the spa system's profile ids.
//
// The "TimedService" rows of the same table belong to the timed-services
// setup (bookings/TsSetup.h); nothing here writes or deletes them.

#include "platform/Database.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace vm {

inline constexpr int IfPositions = 15;

inline const QString IfWebInterface = QStringLiteral("Web Interface");
inline const QString IfHtngInterface = QStringLiteral("HTNG Interface");
inline const QString IfResortClubExport = QStringLiteral("ResortClub Export");
// The interfaces whose categories are kept on the interface options window.
const QStringList& IfEditableInterfaces();

struct IfCategory {
    qint64 id = 0; // IFTranslateID; 0 until saved
    QString typeOfInterface;
    QString typeOfRequest; // the category's name, as the outside system sends it
    qint64 logTypeId = 0;
    QString logType;
    QString languageCode; // the language's number as text ("0" English …)
    QString outsideField[IfPositions]; // IFDEn
    QString designLabel[IfPositions];  // DEElementn
};

// The categories of one interface, by name: (IFTranslateID, TypeOfRequest).
std::vector<std::pair<qint64, QString>> GetIFCategorys(Database& db, const QString& type);
std::optional<IfCategory> GetIFCategory(Database& db, qint64 id);

struct IfRefusal {
    QString text;
    QString title;
    bool refused() const { return !text.isEmpty(); }
};

// The checks of a save in their order, on the values as typed.
IfRefusal CheckIFCategory(const IfCategory& c);
// Checks, then inserts (id 0; the new id is set on `c`) or updates the row.
// Both the logbook category's id and its current name are written; texts are
// stored in their cleaned form and `c` holds them so afterwards.  A category
// name already used by another category of the same interface is refused.
IfRefusal SaveIFCategory(Database& db, IfCategory& c);
// Removes a category of an editable interface; false when there was none.
bool DeleteIFCategory(Database& db, qint64 id);

// Per-interface parameters.
std::vector<std::pair<qint64, QString>> GetIFParameters(Database& db); // by TypeOfInterface
qint64 GetIFParameterID(Database& db, const QString& type);              // 0 when none
QString GetIFParameterValue02(Database& db, qint64 parameterId);
qint64 GetIFConciergeID(Database& db, const QString& type); // 0 when none
// The spa system's id of a guest profile, or "" when it has none.
QString GetSpaSoftProfileID(Database& db, qint64 profileId);

inline const QString MsgIfSelectType =
    QStringLiteral("Please select the Type of Interface.  Thank you.");
inline const QString MsgIfEnterCategory =
    QStringLiteral("Please enter the Interface Category.  Thank you.");
inline const QString MsgIfSelectLogType =
    QStringLiteral("Please select the Logbook Category.  Thank you.");
inline const QString MsgIfSelectLanguage =
    QStringLiteral("Please select the Language.  Thank you.");
inline const QString TitleIfIncompleteMapping = QStringLiteral("Incomplete Mapping");
inline const QString TitleIfDuplicate = QStringLiteral("Duplicate Interface Category");
inline const QString MsgIfSelectToDelete =
    QStringLiteral("Please select the Interface Category you wish to Delete.");
inline const QString TitleIfConfirmDelete = QStringLiteral("Confirm Interface Category Delete");

// "Each HTNG Interface element MUST have a corresponding Logbook element." …
QString IfUnmappedMessage(const QString& type);
// "HTNG Interface: element MUST be mapped to a unique Logbook" … the label …
QString IfMappedTwiceMessage(const QString& type, const QString& label);
// "The Interface Category 'X' already exists for the HTNG Interface." …
QString IfDuplicateMessage(const QString& type, const QString& name);
QString IfDeleteQuestion(const QString& name);

} // namespace vm
