// Letters of the logbook on the property's letterhead: the guest
// confirmation, the correspondence letter and the bulk confirmations.

#include "core/Formats.h"
#include "core/LongText.h"
#include "logbook/Categories.h"
#include "logbook/EntryLetter.h"
#include "logbook/LogbookStore.h"
#include "logbook/reports/LetterParts.h"
#include "logbook/reports/LogbookReports.h"
#include "logbook/reports/ReportData.h"

#include <QHash>

namespace vm {

using namespace doc;

namespace {

// What the letters of one category share; read once per category in a batch.
struct CategoryTexts {
    QString confirmation; // 'W'
    QStringList hiddenLabels;
};

class CategoryCache {
public:
    explicit CategoryCache(Database& db) : m_db(db) {}
    const CategoryTexts& of(const QString& category) {
        const QString key = category.toLower();
        auto it = m_cache.find(key);
        if (it == m_cache.end()) {
            CategoryTexts t;
            if (const qint64 id = GetLogTypeID(m_db, category); id > 0)
                t.confirmation = GetCategoryText(m_db, id, "W");
            t.hiddenLabels = HiddenDesignLabels(m_db, category);
            it = m_cache.insert(key, t);
        }
        return it.value();
    }

private:
    Database& m_db;
    QHash<QString, CategoryTexts> m_cache;
};

void AppendConfirmation(QList<Block>& body, const LetterContext& lc, const LogEntry& e,
                        const CategoryTexts& texts) {
    AppendOpening(body, lc, e);
    AppendEntryFacts(body, lc, e);
    const QString request = GuestRequestText(e.text, texts.hiddenLabels, lc.settings);
    if (!request.trimmed().isEmpty()) {
        Paragraph heading = Para("Your Request:", Align::Left, true);
        heading.spaceBefore = 12;
        heading.keepWithNext = true;
        body << heading << Para(request);
    }
    AppendWording(body, texts.confirmation, lc.settings);
    AppendClosing(body, lc, e, QStringLiteral("Sincerely, "));
}

} // namespace

Document BuildGuestConfirmation(AppContext& ctx, const PrintRequest& r) {
    const LogEntry e = RequestedEntry(ctx, r);
    const LetterContext lc = LoadLetterContext(ctx);
    Document d = LetterDocument(r.title.isEmpty() ? "Guest Confirmation" : r.title, lc.settings,
                                LetterKind::Confirmation);
    CategoryCache categories(ctx.db());
    AppendConfirmation(d.body, lc, e, categories.of(e.entryType));
    return d;
}

Document BuildLogbookCorrespondence(AppContext& ctx, const PrintRequest& r) {
    const LogEntry e = RequestedEntry(ctx, r);
    const qint64 logTypeId = GetLogTypeID(ctx.db(), e.entryType);
    const QString letter = logTypeId > 0 ? GetCategoryText(ctx.db(), logTypeId, TextKind::CategoryCorrespondence) : QString();
    if (letter.trimmed().isEmpty()) throw ReportRefused(MsgNoCorrespondence);
    const LetterContext lc = LoadLetterContext(ctx);
    Document d =
        LetterDocument(r.title.isEmpty() ? "Logbook Correspondence" : r.title, lc.settings);
    AppendOpening(d.body, lc, e);
    AppendWording(d.body, letter, lc.settings);
    AppendClosing(d.body, lc, e, QStringLiteral("Sincerely, "));
    return d;
}

Document BuildGuestArrivals(AppContext& ctx, const PrintRequest& r) {
    const std::vector<qint64> ids = RequestIds(r);
    if (ids.empty()) throw ReportRefused(MsgNoEntriesChosen);
    const LogSource source = RequestSource(r);
    std::vector<LogEntry> entries = ReadEntries(ctx, ids, source);
    if (entries.empty()) throw ReportRefused(MsgEntryNotFound(ids.front(), source));
    const LetterContext lc = LoadLetterContext(ctx);
    if (lc.settings.unNotifiedOnly)
        std::erase_if(entries, [](const LogEntry& e) { return !e.notified.trimmed().isEmpty(); });
    if (entries.empty()) throw ReportRefused(MsgAllNotified);

    Document d = LetterDocument(r.title.isEmpty() ? "Guest Arrivals" : r.title, lc.settings,
                                LetterKind::Confirmation);
    CategoryCache categories(ctx.db());
    std::vector<qint64> printed;
    for (const LogEntry& e : entries) {
        if (!printed.empty()) d.body << PageBreak{};
        AppendConfirmation(d.body, lc, e, categories.of(e.entryType));
        printed.push_back(e.logId);
    }
    // Only a document that was built marks its entries; a failure above
    // leaves every entry as it was.
    MarkBulkNotified(LogbookStore(ctx).db(source), printed, lc.settings.bulkPrintNotify);
    return d;
}

} // namespace vm
