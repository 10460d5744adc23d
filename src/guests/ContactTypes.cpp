#include "guests/ContactTypes.h"

#include "core/DataAccess.h"
#include "guests/OtherLists.h"

namespace vm {

namespace {

const QString Kinds = QStringLiteral("TEIO");

} // namespace

QString ContactTypeInUseQuestion(int uses) {
    return "There are " + QString::number(uses) +
           " entries using this Contact Type.  To Delete this Contact Type and all Entries using "
           "this type select <Yes>.  To Retain this Type select <No>.";
}

QString ContactTypeKindName(const QString& kind) {
    static const QStringList names = {"Telephone Number", "E-Mail Address", "Internet Address",
                                      "Other Contact Type"};
    const int i = kind.size() == 1 ? int(Kinds.indexOf(kind)) : -1;
    return i < 0 ? QString() : names[i];
}

std::vector<ContactTypeRow> GetContactTypes(AppContext& ctx) {
    std::vector<ContactTypeRow> out;
    for (const Row& r : ctx.contactsDb().query("SELECT [TypeID], [ContactType], [TypeOfType], "
                                               "[Sequence] FROM [ContactType] ORDER BY "
                                               "[Sequence], [TypeID]"))
        out.push_back({r.value("TypeID").toLongLong(), r.trimmedText("ContactType"),
                       r.trimmedText("TypeOfType"), r.value("Sequence").toInt()});
    return out;
}

QString CheckContactType(ContactTypeRow& type) {
    type.name = type.name.trimmed();
    if (type.name.isEmpty()) return MsgTypeDescription;
    if (type.sequence <= 0) return MsgTypeSequence;
    if (ContactTypeKindName(type.kind).isEmpty()) return MsgTypeKind;
    return {};
}

qint64 InsertType(AppContext& ctx, const ContactTypeRow& type) {
    return ctx.contactsDb().insert(
        "INSERT INTO [ContactType] ([ContactType], [TypeOfType], [Sequence]) VALUES (?, ?, ?)",
        {CleanSqlText(type.name), type.kind, type.sequence}, "TypeID");
}

bool UpdateType(AppContext& ctx, const ContactTypeRow& type) {
    return ctx.contactsDb().exec("UPDATE [ContactType] SET [ContactType] = ?, [TypeOfType] = ?, "
                                 "[Sequence] = ? WHERE [TypeID] = ?",
                                 {CleanSqlText(type.name), type.kind, type.sequence, type.id}) > 0;
}

void ResequenceTypes(AppContext& ctx) {
    Database& db = ctx.contactsDb();
    db.transaction([&] {
        int n = 0;
        for (const ContactTypeRow& t : GetContactTypes(ctx))
            db.exec("UPDATE [ContactType] SET [Sequence] = ? WHERE [TypeID] = ?", {++n, t.id});
    });
}

int CountTypeUse(AppContext& ctx, qint64 typeId) {
    return ctx.contactsDb()
        .scalar("SELECT COUNT([ContactID]) AS [CountEm] FROM [ContactData] WHERE [TypeID] = ?",
                {typeId})
        .toInt();
}

bool IsProtectedContactType(AppContext& ctx, const QString& name) {
    return GetOtherValues(ctx, "VLContact").contains(name.trimmed(), Qt::CaseInsensitive);
}

bool DeleteType(AppContext& ctx, qint64 typeId) {
    Database& db = ctx.contactsDb();
    bool deleted = false;
    db.transaction([&] {
        const QVariant name =
            db.scalar("SELECT [ContactType] FROM [ContactType] WHERE [TypeID] = ?", {typeId});
        if (!name.isValid() || IsProtectedContactType(ctx, name.toString())) return;
        db.exec("DELETE FROM [ContactData] WHERE [TypeID] = ?", {typeId});
        deleted = db.exec("DELETE FROM [ContactType] WHERE [TypeID] = ?", {typeId}) > 0;
    });
    return deleted;
}

} // namespace vm
