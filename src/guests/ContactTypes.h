#pragma once
// Kinds of a contact's extra numbers and addresses (table ContactType):
// a description, a kind letter (T telephone number, E e-mail address,
// I internet address, O other) and a display order.  They live with the
// contacts, in the common database when contacts are shared.

#include "core/AppContext.h"

#include <QString>
#include <vector>

namespace vm {

struct ContactTypeRow {
    qint64 id = 0; // TypeID; 0 for a type not yet stored
    QString name;  // ContactType
    QString kind;  // TypeOfType: "T", "E", "I" or "O"
    int sequence = 0;
};

inline const QString MsgTypeDescription =
    QStringLiteral("Please enter a description for this Type.");
inline const QString MsgTypeSequence =
    QStringLiteral("Please enter the sequence number to\r\nindicate where this Contact Type "
                   "should\r\nappear in the list of available Contact Types.");
inline const QString MsgTypeKind = QStringLiteral("Please select the Type of Contact Type.");
inline const QString MsgDeleteType = QStringLiteral("Do You Wish to Delete this Contact Type?");
// "There are n entries using this Contact Type.  To Delete this ..."
QString ContactTypeInUseQuestion(int uses);

// The words the kind letters stand for ("Telephone Number", ...); "" for
// anything else.
QString ContactTypeKindName(const QString& kind);

// Every type, by Sequence.
std::vector<ContactTypeRow> GetContactTypes(AppContext& ctx);
// The refusal of a type that cannot be saved ("" when it can); trims the name.
QString CheckContactType(ContactTypeRow& type);
// Stores a new type; answers its key.
qint64 InsertType(AppContext& ctx, const ContactTypeRow& type);
// Answers false when the type no longer exists.
bool UpdateType(AppContext& ctx, const ContactTypeRow& type);
// Renumbers the types 1, 2, 3 ... in their current order.
void ResequenceTypes(AppContext& ctx);
// Contacts' entries of this type.
int CountTypeUse(AppContext& ctx, qint64 typeId);
// The lobby-display interface needs the types named by the "VLContact" list:
// such a type cannot be deleted.
bool IsProtectedContactType(AppContext& ctx, const QString& name);
// Deletes the type and every contact entry of it, together.  Answers false
// (deleting nothing) for a protected type.
bool DeleteType(AppContext& ctx, qint64 typeId);

} // namespace vm
