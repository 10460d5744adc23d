// Composing an itinerary: the heading, the opening, one item per entry, the
// signature lines, the valediction and the footer, and the e-mail made of it.

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "guests/Itinerary.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"
#include "logbook/Designs.h"
#include "logbook/EntryLetter.h"
#include "logbook/reports/ReportData.h"
#include "platform/Mailer.h"

#include <QHash>

namespace vm {

namespace {

// What the items of one category share; read once per category.
struct CategoryParts {
    QString wording;
    std::vector<DesignLine> design;
};

class CategoryCache {
public:
    explicit CategoryCache(Database& db) : m_db(db) {}
    const CategoryParts& of(const QString& category) {
        const QString key = category.trimmed().toLower();
        auto it = m_cache.find(key);
        if (it == m_cache.end()) {
            CategoryParts p;
            if (const qint64 id = GetLogTypeID(m_db, category); id > 0) {
                p.wording = GetCategoryText(m_db, id, "W").trimmed();
                for (const DesignLine& l : GetDEEditDefinition(m_db, id))
                    if (!l.isEmpty()) p.design.push_back(l);
            }
            it = m_cache.insert(key, p);
        }
        return it.value();
    }

private:
    Database& m_db;
    QHash<QString, CategoryParts> m_cache;
};

// The request as the guest may read it.  A designed category gives its lines
// that are not marked "do not print" as "label value", then what was written
// after the designed lines; the text itself would carry the hidden lines too.
QStringList ItemDetails(const LogEntry& e, const CategoryParts& c, const PrintSettings& s) {
    QStringList lines;
    QString freeText = e.text;
    if (!c.design.empty()) {
        QStringList labels;
        for (const DesignLine& l : c.design) {
            labels << l.label;
            if (l.doNotPrint) continue;
            const QString value = ReadDesignValue(e.text, l.label).trimmed();
            if (!value.isEmpty() && value != DamagedDesignValue)
                lines << l.label.trimmed() + " " + value;
        }
        freeText = e.text.mid(DesignLinesEnd(e.text, labels));
    }
    for (const QString& note : EntryNotes(freeText, false))
        for (const QString& line : note.split(CRLF))
            if (!line.trimmed().isEmpty()) lines << line.trimmed();
    for (QString& line : lines)
        line = PaperText(line, s);
    return lines;
}

QString ItemDateLine(AppContext& ctx, int language, const LogEntry& e, bool noReferTime) {
    const QDate date = Formats::ParseStoredDate(e.referDate.trimmed().left(10));
    QString when = Formats::DayShortDate(date);
    const QTime time = Formats::ParseTime(e.referTime.trimmed());
    if (!noReferTime && time.isValid())
        when = when.isEmpty() ? Formats::Time12(time) : when + "  " + Formats::Time12(time);
    if (when.isEmpty()) return {};
    // Without a date phrase in the language the date stands alone: an item
    // must never lose its date.
    const QString line = ItineraryPhrase(ctx, language, Phrase::ItemDate, when);
    return line.isEmpty() ? when : line;
}

QString HeadingColumn(AppContext& ctx, HeaderColumn type, const QString& value,
                      const QString& guestName, qint64 profileId) {
    switch (type) {
    case HeaderColumn::None:
        return {};
    case HeaderColumn::GuestName:
        return guestName;
    case HeaderColumn::UserText:
        return value;
    case HeaderColumn::IndicatorWithCaption:
    case HeaderColumn::IndicatorValue: {
        if (profileId <= 0 || value.isEmpty()) return {};
        const QString found = StoredText(
            ctx.db()
                .scalar("SELECT [PreferenceSelection] FROM [ProfilePI] WHERE [ProfileID] = ? AND "
                        "[PreferenceType] = ? ORDER BY [SequenceNo]",
                        {profileId, value})
                .toString());
        if (found.isEmpty()) return {};
        return type == HeaderColumn::IndicatorWithCaption ? value + ": " + found : found;
    }
    case HeaderColumn::DatePrinted:
        return Formats::NamedDate(ctx.clock().today(), value);
    }
    return {};
}

void AddIfAny(QStringList& lines, const QString& line) {
    if (!line.isEmpty()) lines << line;
}

} // namespace

ItineraryDocument ComposeItinerary(AppContext& ctx, const std::vector<LogEntry>& entries,
                                   const ItineraryOptions& options) {
    ItineraryDocument d;
    const int language = options.language;
    if (!options.groupName.trimmed().isEmpty()) {
        d.guestName = options.groupName.trimmed();
        d.namesGuests = true;
    } else {
        if (!entries.empty()) d.guestName = GuestFullName(entries.front());
        for (const LogEntry& e : entries)
            if (e.profileId > 0) {
                d.profileId = e.profileId;
                break;
            }
    }
    const ItineraryHeaderOptions header = LoadItineraryHeaderOptions(ctx);
    d.headAlign = header.headAlign;
    d.itinAlign = header.itinAlign;
    d.footAlign = header.footAlign;
    d.title = ItineraryPhrase(ctx, language, Phrase::Title, d.guestName);
    if (header.useCustomTitle) {
        d.customHeading = true;
        for (size_t c = 0; c < 3; ++c)
            d.headingColumns[c] =
                HeadingColumn(ctx, header.columns[c], header.values[c], d.guestName, d.profileId);
    }
    const ItineraryTexts texts =
        options.headingAndFooter ? GetItineraryTexts(ctx, language) : ItineraryTexts();
    d.headerText = texts.header;
    d.footerText = texts.footer;
    AddIfAny(d.opening, ItineraryPhrase(ctx, language, Phrase::Greeting, d.guestName));
    AddIfAny(d.opening, ItineraryPhrase(ctx, language, Phrase::Introduction, d.guestName));

    const PrintSettings s = LoadPrintSettings(ctx);
    CategoryCache categories(ctx.db());
    for (const LogEntry& e : entries) {
        const CategoryParts& c = categories.of(e.entryType);
        ItineraryItem item;
        item.logId = e.logId;
        item.dateLine = ItemDateLine(ctx, language, e, options.noReferTime);
        item.category = e.entryType.trimmed();
        item.guest = GuestFullName(e);
        item.details = ItemDetails(e, c, s);
        item.wording = PaperText(c.wording, s);
        if (s.printTeam && !e.enteredBy.trimmed().isEmpty())
            item.completedBy = "Completed by Concierge:  " + e.enteredBy.trimmed();
        d.items.push_back(std::move(item));
    }
    if (options.signature) {
        const QString sign = ItineraryPhrase(ctx, language, Phrase::Signature);
        const QString date = ItineraryPhrase(ctx, language, Phrase::SignedDate);
        d.signatureLines << sign + "  ___________________________";
        d.signatureLines << date + "  ____________";
    }
    d.valediction = options.valediction.trimmed();
    return d;
}

QString ItineraryMailBody(const ItineraryDocument& d) {
    QStringList lines;
    const QString indent = QStringLiteral("  ");
    auto block = [&](const QString& text) {
        if (text.trimmed().isEmpty()) return;
        for (const QString& line : MailLineBreaks(text).split(CRLF))
            lines << indent + line;
        lines << QString();
    };
    block(d.headerText);
    for (const QString& line : d.opening)
        lines << indent + line;
    if (!d.opening.isEmpty()) lines << QString();
    for (const ItineraryItem& item : d.items) {
        if (!item.dateLine.isEmpty()) lines << indent + item.dateLine;
        lines << indent + item.category;
        if (d.namesGuests && !item.guest.isEmpty()) lines << indent + item.guest;
        for (const QString& line : item.details)
            lines << indent + line;
        if (!item.wording.isEmpty())
            for (const QString& line : MailLineBreaks(item.wording).split(CRLF))
                lines << indent + line;
        if (!item.completedBy.isEmpty()) lines << indent + item.completedBy;
        lines << QString();
    }
    for (const QString& line : d.signatureLines)
        lines << indent + line.trimmed();
    if (!d.signatureLines.isEmpty()) lines << QString();
    block(d.valediction);
    block(d.footerText);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(CRLF) + CRLF;
}

QString ProfileMailRecipient(AppContext& ctx, qint64 profileId) {
    if (profileId <= 0) return {};
    const std::optional<Row> r = ctx.db().queryOne(
        "SELECT [EmailAddress], [EmailAddressB], [DNUEmail], [DNUEmailB] FROM [Profile] WHERE "
        "[ProfileID] = ?",
        {profileId});
    if (!r) return {};
    const QString home = StoredText(r->text("EmailAddress"));
    if (!r->flag("DNUEmail") && !home.isEmpty()) return home;
    const QString business = StoredText(r->text("EmailAddressB"));
    if (!r->flag("DNUEmailB") && !business.isEmpty()) return business;
    return {};
}

ItineraryMail ComposeItineraryMail(AppContext& ctx, const ItineraryDocument& d) {
    ItineraryMail m;
    const QString sender = GetTextSetting(ctx.db(), "ConfirmationText1", &ctx.prompt()).trimmed();
    m.subject = MailSubjectLine("Your Itinerary - " + sender);
    m.to = ProfileMailRecipient(ctx, d.profileId);
    m.body = ItineraryMailBody(d);
    return m;
}

} // namespace vm
