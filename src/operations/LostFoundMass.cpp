// The dated mass operations: disposing of old found items, deleting old lost
// reports and old closed records.  Each writes the records it is about to
// change to a CSV file in the output folder first, then changes exactly those
// records; when the file cannot be written nothing changes.

#include "operations/LostFound.h"
#include "operations/LostFoundRows.h"
#include "operations/PhotoStore.h"

#include "core/Formats.h"
#include "platform/CsvWriter.h"

#include <QDir>
#include <algorithm>

namespace vm {

namespace {

const QStringList kOwnerColumns{"First Name",  "Last Name",    "Address",    "City",
                                "State",       "Postal Code",  "Home Phone", "Work Phone",
                                "Other Phone", "Email Address"};

QString money(double v) {
    return QString::number(v, 'f', 2);
}

QStringList ownerCells(const LfItem& i) {
    const LfOwner& o = i.owner;
    return {o.firstName,  o.lastName,  o.address,   o.city,       o.state,
            o.postalCode, o.homePhone, o.workPhone, o.otherPhone, o.emailAddress};
}

QStringList cells(LfMassKind kind, const LfItem& i) {
    switch (kind) {
    case LfMassKind::DisposeFound:
        return {i.itemText,    i.category,  i.foundLocation, i.storedLocation,
                i.tagNumber,   i.foundDate, i.disposedDate,  money(i.estValueFound),
                i.disposition, i.finderName};
    case LfMassKind::DeleteLost:
        return QStringList{i.itemText, i.category, i.lostLocation, i.lostDate,
                           money(i.estValueLost)} +
               ownerCells(i);
    case LfMassKind::DeleteDisposed:
        return QStringList{i.itemText,
                           i.category,
                           i.lostLocation,
                           i.foundLocation,
                           i.lostDate,
                           i.foundDate,
                           i.disposedDate,
                           money(i.estValueLost),
                           money(i.estValueFound),
                           i.disposition,
                           i.finderName,
                           i.returnMethod,
                           money(i.returnCharge),
                           i.paymentMethod,
                           i.returnNotes.trimmed()} +
               ownerCells(i);
    }
    return {};
}

// What the file of a kind shows of a record, and what the work needs besides.
QStringList exported(LfMassKind kind) {
    const QStringList owner{"FirstName",  "LastName",  "Address",   "City",       "State",
                            "PostalCode", "HomePhone", "WorkPhone", "OtherPhone", "EmailAddress"};
    switch (kind) {
    case LfMassKind::DisposeFound:
        return {"ItemID",    "ItemText",     "Category",      "FoundLocation", "StoredLocation",
                "TagNumber", "FoundDate",    "DisposedDate",  "EstValueFound", "Disposition",
                "FinderName"};
    case LfMassKind::DeleteLost:
        return QStringList{"ItemID",       "ItemText", "Category", "LostLocation",
                           "LostDate",     "EstValueLost"} +
               owner;
    case LfMassKind::DeleteDisposed:
        // The photographs of deleted records go too.
        return QStringList{"ItemID",        "ItemText",      "Category",      "LostLocation",
                           "FoundLocation", "LostDate",      "FoundDate",     "DisposedDate",
                           "EstValueLost",  "EstValueFound", "Disposition",   "FinderName",
                           "ReturnMethod",  "ReturnCharge",  "PaymentMethod", "ReturnNotes",
                           "PhotographName"} +
               owner;
    }
    return {};
}

struct Plan {
    QString status;     // the list the records come from
    QString dateColumn; // compared with the date
    QString empty;      // the empty-result message
};

Plan planOf(LfMassKind kind) {
    switch (kind) {
    case LfMassKind::DisposeFound:
        return {kLfFound, "FoundDate", kLfMsgNoFoundPrior};
    case LfMassKind::DeleteLost:
        return {kLfLost, "LostDate", kLfMsgNoLostPrior};
    case LfMassKind::DeleteDisposed:
        return {kLfClosed, "DisposedDate", kLfMsgNoDisposedPrior};
    }
    return {};
}

// Ids in statements of this many at a time.
constexpr int kChunk = 500;

LfMassResult run(AppContext& ctx, LfMassKind kind, const QDate& prior, const LfProgress& progress) {
    LfMassResult result;
    if (const QString refusal = LFCheckMassDate(ctx, kind, prior); !refusal.isEmpty()) {
        result.message = refusal;
        return result;
    }
    const Plan plan = planOf(kind);
    Database& db = ctx.db();
    const QString path = QDir(ctx.workstation.outputFolder()).filePath(LfMassFileName(kind));
    const QString today = Formats::StoredDate(ctx.clock().now().date());
    std::vector<LfItem> items;
    struct NoFile {};
    try {
        db.transaction([&] {
            // The records are read under the write lock, so what the file
            // holds is exactly what is changed below.
            const QString lock = db.engine() == Engine::PostgreSQL ? " FOR UPDATE" : "";
            const lf::ItemReader reader(exported(kind));
            db.forEach("SELECT " + reader.columns() +
                           " FROM [LostAndFound] WHERE [ItemStatus] = ? AND [" +
                           plan.dateColumn + "] < ? ORDER BY [ItemText], [ItemID]" + lock,
                       {plan.status, Formats::StoredDate(prior)}, [&](const Row& r) {
                           reader.read(r, items.emplace_back());
                           return true;
                       });
            if (items.empty()) return;
            const int total = int(items.size()) * 2;
            int done = 0;
            QDir().mkpath(QFileInfo(path).absolutePath());
            CsvWriter csv(path);
            bool written = csv.open() && csv.writeRow(LfMassColumns(kind));
            for (const LfItem& i : items) {
                if (!written) break;
                written = csv.writeRow(cells(kind, i));
                if (progress && ++done % 1000 == 0) progress(done, total);
            }
            if (!written || !csv.commit()) throw NoFile{};
            done = int(items.size());
            // In key order the changes walk the table's pages once.
            std::vector<qint64> keys;
            keys.reserve(items.size());
            for (const LfItem& i : items)
                keys.push_back(i.id);
            std::sort(keys.begin(), keys.end());
            for (size_t at = 0; at < keys.size(); at += kChunk) {
                QStringList marks;
                QVariantList ids;
                for (size_t k = at; k < std::min(keys.size(), at + kChunk); ++k) {
                    marks << "?";
                    ids << keys[k];
                }
                const QString in = "[ItemID] IN (" + marks.join(", ") + ")";
                if (kind == LfMassKind::DisposeFound) {
                    db.exec("UPDATE [LostAndFound] SET [ItemStatus] = 'D', [DisposedDate] = ?, "
                            "[FirstName] = ?, [LastName] = ? WHERE " +
                                in,
                            QVariantList{today, "(Mass Disposition)", "As of: " + today} + ids);
                } else {
                    db.exec("DELETE FROM [LostAndFound] WHERE " + in, ids);
                    db.exec("DELETE FROM [LostAndFoundHistory] WHERE [lfID] IN (" +
                                marks.join(", ") + ")",
                            ids);
                }
                done += int(ids.size());
                if (progress) progress(done, total);
            }
        });
    } catch (const NoFile&) {
        result.path = path;
        result.message = FileWrittenMessage(path, false);
        return result;
    }
    if (items.empty()) {
        result.ok = true;
        result.message = plan.empty;
        return result;
    }
    if (kind == LfMassKind::DeleteDisposed)
        for (const LfItem& i : items)
            RemovePhotoOfRecord(ctx, i.photographName, i.id);
    result.ok = true;
    result.count = int(items.size());
    result.path = path;
    result.message = FileWrittenMessage(path, true);
    return result;
}

} // namespace

QString LFCheckMassDate(AppContext& ctx, LfMassKind kind, const QDate& prior) {
    if (!prior.isValid()) return kLfMsgDateRequired;
    if (prior > ctx.clock().now().date()) {
        switch (kind) {
        case LfMassKind::DisposeFound:
            return kLfMsgDisposeFuture;
        case LfMassKind::DeleteLost:
            return kLfMsgDeleteLostFuture;
        case LfMassKind::DeleteDisposed:
            return kLfMsgDeleteDisposedFuture;
        }
    }
    return {};
}

QString LFMassConfirmText(LfMassKind kind, const QDate& prior) {
    const QString date = Formats::ShortDate(prior);
    switch (kind) {
    case LfMassKind::DisposeFound:
        return "Do you wish to Dispose ALL Found Items prior to " + date;
    case LfMassKind::DeleteLost:
        return "Do you wish to delete ALL Lost entries prior to " + date;
    case LfMassKind::DeleteDisposed:
        return "Do you wish to delete ALL Disposed entries prior to " + date;
    }
    return {};
}

QString LfMassFileName(LfMassKind kind) {
    switch (kind) {
    case LfMassKind::DisposeFound:
        return QStringLiteral("DisposedItems.csv");
    case LfMassKind::DeleteLost:
        return QStringLiteral("DeletedLostItems.csv");
    case LfMassKind::DeleteDisposed:
        return QStringLiteral("DeletedDisposedItems.csv");
    }
    return {};
}

QStringList LfMassColumns(LfMassKind kind) {
    switch (kind) {
    case LfMassKind::DisposeFound:
        return {"Item Description", "Category",   "Where Found",   "Where Stored",
                "Tag Number",       "Date Found", "Date Disposed", "Est. Found Value",
                "Disposition",      "Finder Name"};
    case LfMassKind::DeleteLost:
        return QStringList{"Item Description", "Category", "Where Lost", "Date Lost",
                           "Estimated Value"} +
               kOwnerColumns;
    case LfMassKind::DeleteDisposed:
        return QStringList{"Item Description", "Category",       "Where Lost",    "Where Found",
                           "Date Lost",        "Date Found",     "Date Disposed", "Est. Lost Value",
                           "Est. Found Value", "Disposition",    "Finder Name",   "Return Method",
                           "ReturnCharge",     "Payment Method", "Return Notes"} +
               kOwnerColumns;
    }
    return {};
}

LfMassResult LFDisposeItems(AppContext& ctx, const QDate& prior, const LfProgress& progress) {
    return run(ctx, LfMassKind::DisposeFound, prior, progress);
}

LfMassResult LFDeleteLostItems(AppContext& ctx, const QDate& prior, const LfProgress& progress) {
    return run(ctx, LfMassKind::DeleteLost, prior, progress);
}

LfMassResult LFDeleteDisposedItems(AppContext& ctx, const QDate& prior,
                                   const LfProgress& progress) {
    return run(ctx, LfMassKind::DeleteDisposed, prior, progress);
}

} // namespace vm
