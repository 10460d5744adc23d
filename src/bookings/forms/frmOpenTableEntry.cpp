#include "bookings/forms/frmOpenTableEntry.h"

#include "bookings/OnlineTables.h"
#include "core/Formats.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"

namespace vm {

namespace {

// A few tries against saves from other desks between the read and the write.
constexpr int SaveTries = 3;

std::vector<DesignItem> designOf(Database& db, const LogEntry& e) {
    const qint64 typeId = e.entryType.isEmpty() ? 0 : GetLogTypeID(db, e.entryType);
    return typeId > 0 ? GetLogbookBackPanelItems(db, typeId) : std::vector<DesignItem>{};
}

// Writes the entry as stored now through `save` (which changes and saves it)
// with a history line, in one transaction; read and write are repeated while
// another desk's save slips in between.
template <class Save>
SaveOutcome changeStoredEntry(AppContext& ctx, qint64 logId, const QString& reason, LogEntry& out,
                              Save save) {
    LogbookStore store(ctx);
    SaveOutcome outcome = SaveOutcome::Gone;
    for (int attempt = 0; attempt < SaveTries; ++attempt) {
        std::optional<LogEntry> e = store.GetTheLogEntry(logId);
        if (!e) return SaveOutcome::Gone;
        ctx.db().transaction([&] {
            outcome = save(*e);
            if (outcome == SaveOutcome::Saved)
                store.UpdateLogbookHistory(logId, ctx.session.initials,
                                           Formats::StoredDateTime(ctx.clock().now()), reason);
        });
        if (outcome != SaveOutcome::Changed) break;
    }
    if (outcome == SaveOutcome::Saved) out = *store.GetTheLogEntry(logId);
    return outcome;
}

} // namespace

QString OtBookedReason(const QString& confirmation) {
    return "Online reservation #" + confirmation + " was booked.";
}

QString OtCancelledReason(const QString& confirmation) {
    return "Online reservation #" + confirmation + " was cancelled.";
}

SaveOutcome SaveOtBookingToEntry(AppContext& ctx, qint64 logId, const OtBooked& booked, LogEntry& e) {
    const OTLabels labels = GetOTLabels(ctx.db());
    OTBooking lines;
    lines.confirmation = booked.confirmation;
    lines.time = booked.time;
    lines.restaurant = booked.restaurant;
    lines.partySize = QString::number(booked.party);
    lines.notes = booked.notes;
    return changeStoredEntry(ctx, logId, OtBookedReason(booked.confirmation), e,
                             [&](LogEntry& entry) {
                                 if (booked.contactId > 0) entry.contactId = booked.contactId;
                                 return RecordOTBooking(ctx, entry, entry.cancelled,
                                                        designOf(ctx.db(), entry), labels, lines);
                             });
}

SaveOutcome SaveOtCancelToEntry(AppContext& ctx, qint64 logId, LogEntry& e) {
    std::optional<LogEntry> now = LogbookStore(ctx).GetTheLogEntry(logId);
    if (!now) return SaveOutcome::Gone;
    const QString label = GetOTLabels(ctx.db()).confirmation.trimmed();
    return changeStoredEntry(
        ctx, logId, OtCancelledReason(OtConfirmationOf(ctx.db(), *now)), e, [&](LogEntry& entry) {
            const std::vector<DesignItem> items = designOf(ctx.db(), entry);
            QStringList values; // null: the line stays as it is
            for (const DesignItem& item : items)
                values << (!label.isEmpty() &&
                                   item.labelText.trimmed().compare(label, Qt::CaseInsensitive) == 0
                               ? QString("")
                               : QString());
            entry.text = WriteDesignValues(entry.text, items, values);
            entry.openTableId = 0;
            return LogbookStore(ctx).UpdateLogBook(entry, entry.cancelled);
        });
}

QString OtConfirmationOf(Database& db, const LogEntry& e) {
    const QString line = ReadOTEntryValues(e.text, GetOTLabels(db)).confirmation.trimmed();
    if (!line.isEmpty() && line != DamagedDesignValue) return line;
    return e.openTableId > 0 ? QString::number(e.openTableId) : QString();
}

} // namespace vm
