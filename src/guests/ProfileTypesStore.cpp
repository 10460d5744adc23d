// Indicator types (ProfileTS): the list of preferences a profile can carry.
// A profile's indicators name their type by name and copy its private flag
// and place in the list, so every change of a type is carried to them in the
// same transaction.

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "guests/Profiles.h"

namespace vm {

namespace {

const QString MandatoryGuestId = QStringLiteral("GuestID");

IndicatorType TypeFrom(const Row& r) {
    IndicatorType t;
    t.id = r.number("ProfileTSID");
    t.sequence = int(r.number("SequenceNo"));
    t.name = r.trimmedText("PreferenceType");
    t.hint = r.trimmedText("EntryHint");
    t.email = r.trimmedText("EmailAddress");
    t.isPrivate = r.flag("PublicPrivate");
    return t;
}

void InsertProfleType(Database& db, const IndicatorType& t) {
    db.exec("INSERT INTO [ProfileTS] ([PreferenceType], [EntryHint], [EmailAddress], "
            "[PublicPrivate], [SequenceNo]) VALUES (?, ?, ?, ?, ?)",
            {CleanSqlText(t.name), CleanSqlText(t.hint), CleanSqlText(t.email), t.isPrivate,
             t.sequence});
}

// Points the indicators of `oldName` at the type `t`, with its place and flag.
void ReplacePrefType(Database& db, const QString& oldName, const IndicatorType& t) {
    db.exec("UPDATE [ProfilePI] SET [SequenceNo] = ?, [PreferenceType] = ?, [PublicPrivate] = ? "
            "WHERE [PreferenceType] = ?",
            {t.sequence, CleanSqlText(t.name), t.isPrivate, oldName});
}

int CountUses(Database& db, const QString& name) {
    return db.scalar("SELECT COUNT(*) FROM [ProfilePI] WHERE [PreferenceType] = ?", {name}).toInt();
}

std::optional<IndicatorType> FindType(Database& db, const QString& name) {
    const auto row =
        db.queryOne("SELECT * FROM [ProfileTS] WHERE [PreferenceType] = ?", {CleanSqlText(name)});
    return row ? std::optional<IndicatorType>(TypeFrom(*row)) : std::nullopt;
}

} // namespace

bool IsMandatoryGuestIdType(AppContext& ctx, const QString& name) {
    return name.trimmed().compare(MandatoryGuestId, Qt::CaseInsensitive) == 0 &&
           GetBooleanSetting(ctx.db(), "UseGuestID");
}

int IndicatorSequence(const QString& typed) {
    bool ok = false;
    const int n = typed.trimmed().toInt(&ok);
    return ok ? n : DefaultIndicatorSequence;
}

std::vector<IndicatorType> GetAllPreferenceTypes(AppContext& ctx) {
    std::vector<IndicatorType> out;
    for (const Row& r :
         ctx.db().query("SELECT * FROM [ProfileTS] ORDER BY [SequenceNo], [PreferenceType]"))
        out.push_back(TypeFrom(r));
    return out;
}

std::optional<IndicatorType> GetPreferenceType(AppContext& ctx, const QString& name) {
    if (name.trimmed().isEmpty()) return std::nullopt;
    return FindType(ctx.db(), name);
}

QString IndicatorTypeLabel(const IndicatorType& t) {
    return Formats::FormatNumber(t.sequence, "0000") + " - " + t.name;
}

QStringList GetProfileTypes(AppContext& ctx, bool forSearch) {
    QStringList names = forSearch ? PseudoIndicators : QStringList();
    for (const IndicatorType& t : GetAllPreferenceTypes(ctx))
        names << t.name;
    return names;
}

QString AddIndicatorType(AppContext& ctx, IndicatorType t) {
    if (t.name.trimmed().isEmpty()) return MsgBlankIndicator;
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        if (FindType(db, t.name)) {
            refusal = MsgIndicatorExists;
            return;
        }
        InsertProfleType(db, t);
    });
    return refusal;
}

QString ReplaceIndicatorType(AppContext& ctx, const QString& oldName, IndicatorType t) {
    if (t.name.trimmed().isEmpty()) return MsgBlankReplacement;
    if (IsMandatoryGuestIdType(ctx, oldName)) return MsgGuestIdNoReplace;
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        const std::optional<IndicatorType> old = FindType(db, oldName);
        if (!old) {
            refusal = MsgReplaceMissing;
            return;
        }
        const std::optional<IndicatorType> existing = FindType(db, t.name);
        if (existing && existing->id == old->id) {
            // The same type under another spelling: renamed in place.
            db.exec("UPDATE [ProfileTS] SET [PreferenceType] = ?, [SequenceNo] = ? "
                    "WHERE [ProfileTSID] = ?",
                    {CleanSqlText(t.name), t.sequence, old->id});
            t.isPrivate = old->isPrivate;
            ReplacePrefType(db, old->name, t);
            return;
        }
        // The names are unique: a type of that name takes the rows as it is.
        if (existing)
            t = *existing;
        else
            InsertProfleType(db, t);
        ReplacePrefType(db, old->name, t);
        db.exec("DELETE FROM [ProfileTS] WHERE [ProfileTSID] = ?", {old->id});
    });
    return refusal;
}

QString UpdatePrefSequenceNo(AppContext& ctx, IndicatorType t) {
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        const std::optional<IndicatorType> found = FindType(db, t.name);
        if (!found) {
            refusal = MsgUpdateMissing;
            return;
        }
        db.exec("UPDATE [ProfileTS] SET [SequenceNo] = ?, [EntryHint] = ?, [EmailAddress] = ?, "
                "[PublicPrivate] = ? WHERE [ProfileTSID] = ?",
                {t.sequence, CleanSqlText(t.hint), CleanSqlText(t.email), t.isPrivate, found->id});
        db.exec("UPDATE [ProfilePI] SET [SequenceNo] = ?, [PublicPrivate] = ? "
                "WHERE [PreferenceType] = ?",
                {t.sequence, t.isPrivate, found->name});
    });
    return refusal;
}

int CountIndicatorUses(AppContext& ctx, const QString& name) {
    return CountUses(ctx.db(), CleanSqlText(name));
}

QString DeleteIndicatorType(AppContext& ctx, const QString& name) {
    if (IsMandatoryGuestIdType(ctx, name)) return MsgGuestIdNoDelete;
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        // Counted again here: a desk may have used the type since the question.
        const int uses = CountUses(db, CleanSqlText(name));
        if (uses > 0) {
            refusal = MsgIndicatorInUse(uses);
            return;
        }
        db.exec("DELETE FROM [ProfileTS] WHERE [PreferenceType] = ?", {CleanSqlText(name)});
    });
    return refusal;
}

QString MsgIndicatorInUse(int count) {
    return "We found " + QString::number(count) + " Profile entries using this Indicator." + CRLF +
           "We will Not Delete this Indicator. You may wish to Replace these entries with "
           "another Indicator.";
}

} // namespace vm
