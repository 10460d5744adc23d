#include "bookings/TsLogNote.h"

#include "bookings/BookingTimes.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"
#include "logbook/LogbookStore.h"
#include "security/CardData.h"

namespace vm {

namespace {

// Value names compare without blanks and case ("Last Name", "LastName").
QString valueKey(const QString& name) {
    QString key = name.toLower();
    key.remove(QLatin1Char(' '));
    return key;
}

bool sameLabel(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The value the link places into the design line `label` (the last position
// naming the line wins); null when no position fills it.
QString linkedValue(AppContext& ctx, const TsLogLink& link, const TsBooking& b,
                    const QString& label) {
    QString value;
    for (int n = 0; n < 15; ++n)
        if (!link.valueName[n].trimmed().isEmpty() && sameLabel(link.designLabel[n], label))
            value = TsBookingValue(ctx, link.valueName[n], b);
    return value;
}

// The design lines the link writes to: the category's design in its order;
// without a design, the link's own labels in position order.
std::vector<DesignItem> linkLines(AppContext& ctx, const TsLogLink& link) {
    std::vector<DesignItem> items = GetLogbookBackPanelItems(ctx.db(), link.logTypeId);
    if (!items.empty()) return items;
    for (int n = 0; n < 15; ++n) {
        const QString label = link.designLabel[n].trimmed();
        if (label.isEmpty()) continue;
        bool seen = false;
        for (const DesignItem& i : items)
            seen = seen || sameLabel(i.labelText, label);
        if (seen) continue;
        DesignItem item;
        item.sequenceNo = n + 1;
        item.labelText = label;
        items.push_back(item);
    }
    return items;
}

LogbookServices cardServices(AppContext& ctx) {
    LogbookServices hooks;
    if (CardNumbersState(ctx) == CardKeyState::Ready)
        hooks.encryptCard = [&ctx](const QString& number, qint64 logId) {
            return EncryptCC(ctx, number, QString::number(logId));
        };
    return hooks;
}

} // namespace

QString TsBookingValue(AppContext& ctx, const QString& valueName, const TsBooking& b) {
    const QString key = valueKey(valueName);
    if (key == "category") return StoredText(TsCategoryName(ctx, b.categoryId));
    if (key == "service") {
        const auto s = GetService(ctx, b.serviceId);
        return s ? StoredText(s->name) : QString();
    }
    if (key == "provider") return StoredText(GetProviderName(ctx, b.providerId));
    if (key == "location") return StoredText(TsLocationName(ctx, b.locationId));
    if (key == "date") return Formats::ShortDate(Formats::ParseStoredDate(b.referDate));
    if (key == "time") return b.referTime;
    if (key == "lastname") return b.lastName;
    if (key == "firstname") return b.firstName;
    if (key == "duration") return QString::number(b.duration) + " Minutes";
    if (key == "price") return Formats::FormatNumber(b.price, "#.00");
    if (key == "gratuity") return Formats::FormatNumber(b.gratuity, "#.00");
    if (key == "confirmation") return b.confirmation;
    if (key == "posnumber") return b.posNumber;
    if (key == "instructions") return b.instructions.trimmed();
    return {};
}

QString BuildTSLogNote(AppContext& ctx, const TsLogLink& link, const TsBooking& b) {
    QString note;
    for (const DesignItem& item : linkLines(ctx, link)) {
        QString value = linkedValue(ctx, link, b, item.labelText);
        if (value.trimmed().isEmpty()) continue;
        value.replace("\r\n", "\n");
        note += item.labelText + " " + value + "\r\n";
    }
    return note;
}

QString TsLogNoteStamp(const QString& initials, const QDateTime& now) {
    return " (" + initials + " " + Formats::StoredDateTime(now) +
           " Entry was added by Timed Services.)";
}

QString PatchTSLogNote(AppContext& ctx, const TsLogLink& link, const TsBooking& b,
                       const QString& text) {
    const std::vector<DesignItem> items = linkLines(ctx, link);
    QStringList values;
    for (const DesignItem& item : items) {
        // Only the lines the text holds are rewritten; a null value leaves a line alone.
        if (!text.contains(item.labelText.trimmed(), Qt::CaseInsensitive)) {
            values << QString();
            continue;
        }
        const QString value = linkedValue(ctx, link, b, item.labelText);
        values << (value.isNull() ? QString() : value);
    }
    return WriteDesignValues(text, items, values);
}

qint64 FileTsLogEntry(AppContext& ctx, const TsLogLink& link, const TsBooking& b,
                      const QString& typedCard) {
    LogEntry e;
    e.firstName = b.firstName;
    e.lastName = b.lastName;
    e.profileId = b.profileId;
    e.entryType = StoredText(link.logType);
    e.referDate = b.referDate;
    // The logbook keeps its times as 24-hour "HH:mm".
    e.referTime = Hhmm(SlotMinute(b.referTime));
    e.complete = b.status[0];
    e.text = BuildTSLogNote(ctx, link, b) + TsLogNoteStamp(ctx.session.initials, ctx.clock().now());
    const LogbookServices hooks = cardServices(ctx);
    return LogbookStore(ctx, &hooks).InsertLogBook(e, typedCard);
}

QString UpdateTsLogEntry(AppContext& ctx, const TsBooking& b, const QString& typedCard) {
    if (b.logbookId <= 0) return {};
    const LogbookServices hooks = cardServices(ctx);
    LogbookStore store(ctx, &hooks);
    std::optional<LogEntry> entry = store.GetTheLogEntry(b.logbookId);
    if (!entry) return {}; // the entry was deleted in the logbook: nothing to keep in step
    if (const auto link = GetTsLogLink(ctx, b.categoryId))
        entry->text = PatchTSLogNote(ctx, *link, b, entry->text);
    entry->complete = b.status[0];
    switch (store.UpdateLogBook(*entry, entry->cancelled, typedCard)) {
    case SaveOutcome::Changed:
        return MsgTsEntryChanged;
    case SaveOutcome::Gone:
        return {};
    case SaveOutcome::Saved:
        break;
    }
    store.UpdateLogbookHistory(b.logbookId, ctx.session.initials,
                               Formats::StoredDateTime(ctx.clock().now()), ReasonTsUpdated);
    return {};
}

void CancelTsLogEntry(AppContext& ctx, qint64 logId) {
    if (logId <= 0) return;
    if (ctx.db().exec("UPDATE [LogBook] SET [Cancelled] = ? WHERE [LogID] = ?", {true, logId}) > 0)
        LogbookStore(ctx).UpdateLogbookHistory(logId, ctx.session.initials,
                                               Formats::StoredDateTime(ctx.clock().now()),
                                               ReasonTsCancelled);
}

} // namespace vm
