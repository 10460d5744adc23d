#include "guests/ProfilePicker.h"

#include "core/DataAccess.h"
#include "core/schema/SchemaBuilder.h"

namespace vm {

namespace {

bool hasLikeCharacters(const QString& text) {
    return text.contains('%') || text.contains('_') || text.contains('\\');
}

QString escapedForLike(const QString& text) {
    QString out;
    out.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c == '\\' || c == '%' || c == '_') out += '\\';
        out += c;
    }
    return out;
}

// "column contains text" on the profile's name columns, case-insensitive on
// both engines; typed LIKE characters match only themselves.
QString nameContains(Engine engine, const QString& column, const QString& text,
                     QVariantList& params) {
    if (!hasLikeCharacters(text)) {
        QVariant pattern;
        const QString condition =
            schema::ContainsCondition(engine, "Profile", column, text, pattern);
        params << pattern;
        return condition;
    }
    // The trigram table cannot take an escaped pattern: the plain LIKE reads it.
    params << "%" + escapedForLike(text) + "%";
    const QString qualified = "[Profile].[" + column + "]";
    if (engine == Engine::PostgreSQL)
        return "lower(" + qualified + "::text) LIKE lower(?) ESCAPE '\\'";
    return qualified + " LIKE ? ESCAPE '\\'";
}

} // namespace

ProfilePickerSelection BuildProfilePickerSelection(Engine engine, ProfilePickBy by,
                                                   const QString& text, bool includePrivate) {
    ProfilePickerSelection s;
    const QString typed = text.trimmed();
    if (typed.isEmpty()) {
        s.refusal = by == ProfilePickBy::ProfileType ? MsgPickerSelectType : MsgPickerEnterText;
        return s;
    }
    if (by == ProfilePickBy::ProfileType) {
        s.where = "[Profile].[ProfileType] = ?";
        s.params << CleanSqlText(typed);
    } else {
        s.where = nameContains(engine, by == ProfilePickBy::LastName ? "LastName" : "FirstName",
                               CleanSqlText(typed), s.params);
    }
    if (!includePrivate) {
        s.where += " AND ([Profile].[PublicPrivate] = ? OR [Profile].[PublicPrivate] IS NULL)";
        s.params << false;
    }
    return s;
}

std::vector<ProfilePickerRow> GetTheProfilesB(AppContext& ctx, const ProfilePickerSelection& s) {
    std::vector<ProfilePickerRow> rows;
    if (!s.refusal.isEmpty()) return rows;
    for (const Row& r : ctx.db().query(
             "SELECT [PublicPrivate], [ProfileID], [LastName], [FirstName], [Salutation], "
             "[HomePhone], [FaxPhone], [BusinessPhone], [CellPhone], [Title], [CompanyName], "
             "[ColorCode], [ProfileColor] FROM [Profile] WHERE " +
                 s.where + " ORDER BY [LastName], [FirstName], [ProfileID]",
             s.params)) {
        ProfilePickerRow p;
        p.id = r.number("ProfileID");
        p.firstName = r.trimmedText("FirstName");
        p.lastName = r.trimmedText("LastName");
        p.salutation = r.trimmedText("Salutation");
        p.homePhone = r.trimmedText("HomePhone");
        p.faxPhone = r.trimmedText("FaxPhone");
        p.businessPhone = r.trimmedText("BusinessPhone");
        p.cellPhone = r.trimmedText("CellPhone");
        p.title = r.trimmedText("Title");
        p.company = r.trimmedText("CompanyName");
        p.colorCode = r.flag("ColorCode");
        p.color = r.trimmedText("ProfileColor");
        p.isPrivate = r.flag("PublicPrivate");
        rows.push_back(std::move(p));
    }
    return rows;
}

qint64 ProfileColorValue(const QString& literal) {
    QString hex = literal.trimmed().toUpper();
    if (!hex.startsWith("&H")) return -1;
    hex = hex.mid(2);
    if (hex.endsWith('&')) hex.chop(1);
    bool ok = false;
    const qint64 bgr = hex.toLongLong(&ok, 16);
    return ok && bgr >= 0 && bgr <= 0xFFFFFF ? bgr : -1;
}

MailMessage IndicatorEmail(AppContext& ctx, const Profile& p,
                           const std::vector<ProfileIndicator>& chosen) {
    MailMessage m;
    if (!chosen.empty())
        if (const auto type = GetPreferenceType(ctx, chosen.front().type))
            m.to = type->email.trimmed();
    m.subject = "Velmora:  Profile Notes - " + p.firstName.trimmed() + " " + p.lastName.trimmed();
    for (const ProfileIndicator& i : chosen)
        m.body += i.type + ":" + "\r\n" + "   " + i.value + "\r\n";
    return m;
}

} // namespace vm
