#include "guests/Itinerary.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "core/schema/SchemaBuilder.h"
#include "logbook/Categories.h"
#include "logbook/reports/ReportData.h"

#include <QSet>
#include <algorithm>

namespace vm {

namespace {

// Typed names are compared with names as they were stored.
QString cleaned(const QString& typed) {
    return typed.trimmed().isEmpty() ? QString() : CleanSqlText(typed);
}

bool hasLikeCharacters(const QString& text) {
    return text.contains('%') || text.contains('_') || text.contains('\\');
}

QString escapedForLike(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == '\\' || c == '%' || c == '_') out += '\\';
        out += c;
    }
    return out;
}

// "[LogBook].[column] contains / starts with text" with its parameter; the
// trigram index serves a plain text, a text with LIKE's own characters is
// matched literally through an escaped pattern.
QString NameCondition(Engine engine, const QString& column, const QString& text, bool startsWith,
                      QVariantList& params) {
    const QString qualified = "[LogBook].[" + column + "]";
    if (!hasLikeCharacters(text)) {
        if (startsWith) {
            params << text + "%";
            return qualified + " LIKE ?";
        }
        QVariant pattern;
        const QString condition =
            schema::ContainsCondition(engine, "LogBook", column, text, pattern);
        params << pattern;
        return condition;
    }
    const QString literal = escapedForLike(text);
    params << (startsWith ? literal + "%" : "%" + literal + "%");
    return qualified + " LIKE ? ESCAPE '\\'";
}

std::vector<ItineraryGuest> ReadGuests(Database& db, const QString& where,
                                       const QVariantList& params) {
    std::vector<ItineraryGuest> guests;
    QSet<QString> seen;
    for (const Row& r : db.query("SELECT DISTINCT [LastName], [FirstName], [ProfileID] FROM "
                                 "[LogBook] WHERE " +
                                     where + " ORDER BY [LastName], [FirstName], [ProfileID]",
                                 params)) {
        ItineraryGuest g{r.trimmedText("LastName"), r.trimmedText("FirstName"),
                         qMax<qint64>(0, r.number("ProfileID"))};
        // Null and 0 both mean "no profile": one guest, not two.
        const QString key = g.lastName.toLower() + '\n' + g.firstName.toLower() + '\n' +
                            QString::number(g.profileId);
        if (g.lastName.isEmpty() && g.firstName.isEmpty()) continue;
        if (!seen.contains(key)) {
            seen.insert(key);
            guests.push_back(g);
        }
    }
    // Engines place a missing profile differently: the unlinked guest comes
    // first, then the linked ones by profile.
    std::stable_sort(guests.begin(), guests.end(),
                     [](const ItineraryGuest& a, const ItineraryGuest& b) {
                         const int last = a.lastName.compare(b.lastName, Qt::CaseInsensitive);
                         if (last != 0) return last < 0;
                         const int first = a.firstName.compare(b.firstName, Qt::CaseInsensitive);
                         if (first != 0) return first < 0;
                         return a.profileId < b.profileId;
                     });
    return guests;
}

// The guest's own entries: by profile, or by name among unlinked entries.
QString GuestCondition(const ItineraryGuest& g, QVariantList& params) {
    if (g.profileId > 0) {
        params << g.profileId;
        return "[ProfileID] = ?";
    }
    params << g.lastName << g.firstName;
    return "[LastName] = ? AND [FirstName] = ? AND ([ProfileID] IS NULL OR [ProfileID] = 0)";
}

// The categories whose entries never go onto an itinerary, lower case.
QSet<QString> HiddenCategories(Database& db) {
    QSet<QString> hidden;
    for (const Category& c : GetAllCategories4Edit(db))
        if (c.dnpItinerary) hidden.insert(c.name.trimmed().toLower());
    return hidden;
}

std::vector<LogEntry> ReadItineraryEntries(AppContext& ctx, const QString& where,
                                           QVariantList params) {
    Database& db = ctx.db();
    std::vector<qint64> ids;
    params << false;
    for (const Row& r : db.query(
             "SELECT [LogID] FROM [LogBook] WHERE " + where +
                 " AND [Cancelled] = ? ORDER BY [ReferDate], [ReferTime], [EntryType], [LogID]",
             params))
        ids.push_back(r.number("LogID"));
    std::vector<LogEntry> entries = ReadEntries(ctx, ids, LogSource::Current);
    const QSet<QString> hidden = HiddenCategories(db);
    std::erase_if(entries, [&](const LogEntry& e) {
        return e.cancelled || hidden.contains(e.entryType.trimmed().toLower());
    });
    return entries;
}

QString LanguageSuffix(int language) {
    return QString::number(qBound(0, language, int(ItineraryLanguages().size()) - 1));
}

} // namespace

QString ItineraryGuest::caption() const {
    return lastName + ", " + firstName + (profileId > 0 ? QStringLiteral(" {P}") : QString());
}

std::vector<ItineraryGuest> ItineraryGuestsByName(AppContext& ctx, const QString& typed) {
    const QString last = cleaned(typed.section(',', 0, 0));
    const QString first = typed.contains(',') ? cleaned(typed.section(',', 1)) : QString();
    if (last.isEmpty() && first.isEmpty()) return {};
    Database& db = ctx.db();
    QVariantList params;
    QStringList where;
    if (!last.isEmpty()) where << NameCondition(db.engine(), "LastName", last, false, params);
    if (!first.isEmpty()) where << NameCondition(db.engine(), "FirstName", first, true, params);
    return ReadGuests(db, where.join(" AND "), params);
}

std::vector<ItineraryGuest> ItineraryGuestsByArrival(AppContext& ctx, const QDate& arrival) {
    if (!arrival.isValid()) return {};
    return ReadGuests(ctx.db(), "[ArrivalDate] = ?", {Formats::StoredDate(arrival)});
}

std::vector<LogEntry> ItineraryEntries(AppContext& ctx, const ItineraryGuest& guest) {
    QVariantList params;
    const QString where = GuestCondition(guest, params);
    return ReadItineraryEntries(ctx, where, params);
}

std::vector<LogEntry> ItineraryEntriesArriving(AppContext& ctx, const ItineraryGuest& guest,
                                               const QDate& arrival) {
    QVariantList params{Formats::StoredDate(arrival)};
    const QString where = "[ArrivalDate] = ? AND " + GuestCondition(guest, params);
    return ReadItineraryEntries(ctx, where, params);
}

std::vector<LogEntry> ItineraryEntriesOfGuestId(AppContext& ctx, const QString& guestId) {
    const QString id = guestId.trimmed();
    if (id.isEmpty()) return {};
    return ReadItineraryEntries(ctx, "[GuestID] = ?", {id});
}

std::vector<LogEntry> ItineraryEntriesOfGroup(AppContext& ctx, qint64 groupId) {
    if (groupId <= 0) return {};
    return ReadItineraryEntries(ctx, "[GroupID] = ?", {groupId});
}

std::vector<LogEntry> ItineraryEntriesByIds(AppContext& ctx, const std::vector<qint64>& logIds) {
    std::vector<LogEntry> entries = ReadEntries(ctx, logIds, LogSource::Current);
    const QSet<QString> hidden = HiddenCategories(ctx.db());
    std::erase_if(entries, [&](const LogEntry& e) {
        return e.cancelled || hidden.contains(e.entryType.trimmed().toLower());
    });
    return entries;
}

bool IsGuestOf(const ItineraryGuest& guest, const LogEntry& e) {
    if (guest.profileId > 0) return e.profileId == guest.profileId;
    return e.profileId <= 0 &&
           e.lastName.trimmed().compare(guest.lastName, Qt::CaseInsensitive) == 0 &&
           e.firstName.trimmed().compare(guest.firstName, Qt::CaseInsensitive) == 0;
}

std::vector<ItineraryGuest> GuestsOfEntries(const std::vector<LogEntry>& entries) {
    std::vector<ItineraryGuest> guests;
    for (const LogEntry& e : entries)
        if (std::none_of(guests.begin(), guests.end(),
                         [&](const ItineraryGuest& g) { return IsGuestOf(g, e); }))
            guests.push_back(
                {e.lastName.trimmed(), e.firstName.trimmed(), qMax<qint64>(0, e.profileId)});
    return guests;
}

const QStringList& ItineraryLanguages() {
    static const QStringList l = {"English",    "French",  "German",      "Italian",
                                  "Portuguese", "Spanish", "User Defined"};
    return l;
}

ItineraryTexts GetItineraryTexts(AppContext& ctx, int language) {
    const QString n = LanguageSuffix(language);
    return {GetECT(ctx, 0, TextKind::ItineraryHeader + n).trimmed(),
            GetECT(ctx, 0, TextKind::ItineraryFooter + n).trimmed(),
            GetECT(ctx, 0, TextKind::ConfirmationFooter + n).trimmed()};
}

void SaveItineraryTexts(AppContext& ctx, int language, const ItineraryTexts& texts) {
    const QString n = LanguageSuffix(language);
    auto stored = [](const QString& t) {
        return t.trimmed().isEmpty() ? QString() : CleanSqlText(t);
    };
    ctx.db().transaction([&] {
        PutECT(ctx, 0, TextKind::ItineraryHeader + n, stored(texts.header));
        PutECT(ctx, 0, TextKind::ItineraryFooter + n, stored(texts.footer));
        PutECT(ctx, 0, TextKind::ConfirmationFooter + n, stored(texts.confirmationFooter));
    });
}

void DeleteItineraryTexts(AppContext& ctx, int language) {
    const QString n = LanguageSuffix(language);
    ctx.db().transaction([&] {
        DeleteECT(ctx, 0,
                  {TextKind::ItineraryHeader + n, TextKind::ItineraryFooter + n,
                   TextKind::ConfirmationFooter + n});
    });
}

QString ItineraryPhrase(AppContext& ctx, int language, Phrase phrase, const QString& value) {
    QString text = StoredText(
        ctx.db()
            .scalar("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = ? "
                    "AND [Sequence] = ?",
                    {qint64(language), TextKind::ItineraryPhrase, int(phrase)})
            .toString());
    if (text.isEmpty() && language == 0) {
        // The program's English wording, for an installation that keeps none.
        switch (phrase) {
        case Phrase::Title:
            text = "Itinerary for @~~";
            break;
        case Phrase::Greeting:
            text = "Dear @~~,";
            break;
        case Phrase::Introduction:
            text = "We are pleased to confirm the following arrangements for you:";
            break;
        case Phrase::ItemDate:
            text = "@~~";
            break;
        case Phrase::Signature:
            text = "Signature:";
            break;
        case Phrase::SignedDate:
            text = "Date:";
            break;
        }
    }
    if (text.isEmpty()) return {};
    return text.replace(PhraseMarker, value);
}

QString AlignmentName(Alignment a) {
    switch (a) {
    case Alignment::Center:
        return QStringLiteral("Center");
    case Alignment::Right:
        return QStringLiteral("Right");
    case Alignment::Left:
        break;
    }
    return QStringLiteral("Left");
}

Alignment AlignmentFromName(const QString& name, Alignment fallback) {
    for (Alignment a : {Alignment::Left, Alignment::Center, Alignment::Right})
        if (name.trimmed().compare(AlignmentName(a), Qt::CaseInsensitive) == 0) return a;
    return fallback;
}

const QStringList& HeaderColumnCaptions() {
    static const QStringList c = {"None",
                                  "Guest Name",
                                  "User Defined Text",
                                  "Profile Indicator (with caption)",
                                  "Profile Indicator (without caption)",
                                  "Date Printed"};
    return c;
}

QStringList ItineraryIndicatorTypes(AppContext& ctx) {
    QStringList names;
    for (const Row& r : ctx.db().query(
             "SELECT [PreferenceType] FROM [ProfileTS] ORDER BY [SequenceNo], [PreferenceType]"))
        if (const QString n = r.trimmedText("PreferenceType"); !n.isEmpty()) names << n;
    return names;
}

const QStringList& DatePrintedFormats() {
    static const QStringList f = {"Long Date",  "Short Date", "MMMM DD, YYYY", "DD/MM/YY",
                                  "DD/MM/YYYY", "YYYY/MM/DD", "MM/DD/YY",      "DD.MM.YY"};
    return f;
}

namespace {

bool VmTrue(Database& db, const QString& key) {
    return GetVmSetting(db, key).trimmed().compare("True", Qt::CaseInsensitive) == 0;
}

QString BoolText(bool on) {
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

bool HasValue(HeaderColumn c) {
    return c == HeaderColumn::UserText || c == HeaderColumn::IndicatorWithCaption ||
           c == HeaderColumn::IndicatorValue || c == HeaderColumn::DatePrinted;
}

} // namespace

ItineraryHeaderOptions LoadItineraryHeaderOptions(AppContext& ctx) {
    Database& db = ctx.db();
    ItineraryHeaderOptions o;
    o.useCustomTitle = VmTrue(db, "UseCustomItineraryTitle");
    for (int c = 0; c < 3; ++c) {
        const QString n = QString::number(c);
        const qsizetype type =
            HeaderColumnCaptions().indexOf(GetVmSetting(db, "CustomItineraryType" + n).trimmed());
        o.columns[size_t(c)] = type > 0 ? HeaderColumn(type) : HeaderColumn::None;
        if (HasValue(o.columns[size_t(c)]))
            o.values[size_t(c)] = GetVmSetting(db, "CustomItineraryValue" + n).trimmed();
    }
    o.headAlign = AlignmentFromName(GetVmSetting(db, "ItineraryHeadAlign"), o.headAlign);
    o.itinAlign = AlignmentFromName(GetVmSetting(db, "ItineraryItinAlign"), o.itinAlign);
    o.footAlign = AlignmentFromName(GetVmSetting(db, "ItineraryFootAlign"), o.footAlign);
    return o;
}

void SaveItineraryHeaderOptions(AppContext& ctx, const ItineraryHeaderOptions& o) {
    Database& db = ctx.db();
    Prompt* p = &ctx.prompt();
    db.transaction([&] {
        SetValueFromKey(db, "UseCustomItineraryTitle", BoolText(o.useCustomTitle), p);
        for (int c = 0; c < 3; ++c) {
            const QString n = QString::number(c);
            const HeaderColumn type = o.columns[size_t(c)];
            SetValueFromKey(db, "CustomItineraryType" + n, HeaderColumnCaptions().at(int(type)), p);
            if (HasValue(type))
                SetValueFromKey(db, "CustomItineraryValue" + n,
                                CleanSqlTextKeepAmp(o.values[size_t(c)]).trimmed(), p);
        }
        SetValueFromKey(db, "ItineraryHeadAlign", AlignmentName(o.headAlign), p);
        SetValueFromKey(db, "ItineraryItinAlign", AlignmentName(o.itinAlign), p);
        SetValueFromKey(db, "ItineraryFootAlign", AlignmentName(o.footAlign), p);
    });
}

bool GetDNPRefTime(AppContext& ctx) {
    return VmTrue(ctx.db(), "DNP_Itinerary_RefTime");
}

void SetDNPRefTime(AppContext& ctx, bool on) {
    SetValueFromKey(ctx.db(), "DNP_Itinerary_RefTime", BoolText(on), &ctx.prompt());
}

bool GetUseHeadFoot(AppContext& ctx) {
    return GetBooleanSetting(ctx.db(), "UseHeadFoot", &ctx.prompt());
}

void SetUseHeadFoot(AppContext& ctx, bool on) {
    if (SetBooleanSetting(ctx.db(), "UseHeadFoot", on)) ctx.globals.useHeadFoot = on;
}

} // namespace vm
