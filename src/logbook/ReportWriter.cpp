#include "logbook/ReportWriter.h"

#include "core/Formats.h"
#include "logbook/DesignText.h"
#include "logbook/LogText.h"
#include "logbook/LogbookList.h"
#include "logbook/LogbookStore.h"

#include <QHash>
#include <QSet>
#include <cmath>

namespace vm {

bool LabelChosen(const ReportCriteria& c, int i) {
    const QString label = c.labels.value(i).trimmed();
    return !label.isEmpty() && label != LabelPlaceholder;
}

QString CheckReportCriteria(const ReportCriteria& c, bool categoryHasDesign) {
    if (c.category.trimmed().isEmpty()) return MsgReportNoCategory;
    const QDate from = Formats::ParseShortDate(c.fromText);
    const QDate through = Formats::ParseShortDate(c.throughText);
    if (!from.isValid() || !through.isValid()) return MsgReportBadDate;
    if (through < from) return MsgReportThroughBeforeFrom;
    if (categoryHasDesign && !LabelChosen(c, 0)) return MsgReportNoLabel;
    return {};
}

ReportSelection BuildReportSelection(const ReportCriteria& c, bool restrictedViewer) {
    ReportSelection s;
    QStringList where;
    const QDate from = Formats::ParseShortDate(c.fromText);
    const QDate through = Formats::ParseShortDate(c.throughText);
    const QString dateColumn = c.byEntryDate ? "[EntryDate]" : "[ReferDate]";
    // Stored dates are "yyyy/MM/dd" text (a time may follow), so the day's
    // range ends before the next day begins.
    where << dateColumn + " >= ? AND " + dateColumn + " < ?";
    s.params << Formats::StoredDate(from) << Formats::StoredDate(through.addDays(1));
    s.description =
        (c.byEntryDate ? "Where Entry Date is between  " : "Where Reference Date is between  ") +
        Formats::ShortDate(from) + " and " + Formats::ShortDate(through);

    where << "[EntryType] = ?";
    s.params << c.category;
    s.description += " And Category is " + c.category;

    if (c.groupId > 0) {
        where << "[GroupID] = ?";
        s.params << c.groupId;
        s.description += " And Group Name is " + c.groupName;
    }
    if (!c.concierge.trimmed().isEmpty()) {
        where << "[EnteredBy] = ?";
        s.params << c.concierge;
        s.description += " And Concierge Name is " + c.concierge;
    } else if (!c.conciergeGroup.trimmed().isEmpty()) {
        // The group is applied while reading, by the members' initials.
        s.description += " And Concierge Group is " + c.conciergeGroup;
    }
    if (c.status != ReportStatus::All) {
        where << "[Complete] = ?";
        s.params << (c.status == ReportStatus::Closed);
        s.description +=
            c.status == ReportStatus::Open ? " And Status is Open" : " And Status is Closed";
    }
    if (c.noCancels) {
        where << "[Cancelled] = ?";
        s.params << false;
    }
    if (restrictedViewer) {
        where << "[Restricted] = ?";
        s.params << true;
    }
    s.where = where.join(" AND ");
    return s;
}

QString SortedDescription(const QString& description, const QString& sortColumn) {
    return description + ", Sorted by " + sortColumn;
}

QStringList ReportHeaders(const ReportCriteria& c) {
    QStringList h{"Last Name", "First Name", "Refer Date", "Who"};
    for (int i = 0; i < ReportLabelCount; ++i)
        h << (LabelChosen(c, i) ? c.labels[i].trimmed() : LabelPlaceholder);
    h << "Log ID"
      << "Room #"
      << "When Entered"
      << "Complete";
    return h;
}

std::optional<double> DesignNumber(const QString& value, const QString& currencySign) {
    QString v = value;
    const QString sign = currencySign.trimmed();
    if (!sign.isEmpty()) v.remove(sign);
    v.remove(u'$').remove(u',').remove(u' ');
    if (v.isEmpty()) return std::nullopt;
    // Only plain decimal notation counts: no exponents, no "inf" or "nan".
    for (QChar ch : v)
        if (!ch.isDigit() && ch != u'.' && ch != u'-' && ch != u'+') return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

QString ReportCountText(int entries) {
    if (entries == 0) return QStringLiteral("0 Entries were selected.");
    return Formats::FormatNumber(double(entries), "###,##0") + " Entries were selected";
}

QString StatusColorSetting(const QString& status) {
    if (status == "Cancelled") return QStringLiteral("ColorCancel");
    if (status == "OnHold") return QStringLiteral("ColorOnHold");
    if (status == "Pending") return QStringLiteral("ColorPending");
    if (status == "Complete") return QStringLiteral("ColorComplete");
    return QStringLiteral("ColorIncomplete");
}

QStringList ConciergeGroupInitials(Database& db, const QString& group) {
    const QString wanted = group.trimmed().toLower();
    QStringList out;
    for (const Row& r : db.query("SELECT [Initials], [MessageGroup] FROM [Concierge]")) {
        // A member belongs to every group of the list, each compared whole.
        for (const QString& g : r.text("MessageGroup").split(u','))
            if (g.trimmed().toLower() == wanted) {
                out << r.trimmedText("Initials");
                break;
            }
    }
    return out;
}

QStringList ConciergeGroups(Database& db) {
    QStringList out;
    if (!db.tableExists("Other")) return out;
    for (const Row& r : db.query("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = ? "
                                 "ORDER BY [OtherValue]",
                                 {QStringLiteral("MsgGroup")}))
        if (!r.trimmedText("OtherValue").isEmpty()) out << r.trimmedText("OtherValue");
    return out;
}

ReportRow TotalRow(const std::vector<ReportRow>& rows, const ReportCriteria& c,
                   const QString& currencySign) {
    ReportRow total;
    total.logId = TotalRowKey;
    total.cells.resize(ReportColumnCount);
    total.cells[RcLastName] = TotalLabel;
    for (int i = 0; i < ReportLabelCount; ++i) {
        if (!LabelChosen(c, i)) continue;
        double sum = 0;
        for (const ReportRow& r : rows)
            if (const auto n = DesignNumber(r.cells.value(RcLabel1 + i), currencySign)) sum += *n;
        total.cells[RcLabel1 + i] = Formats::FormatNumber(sum, "########.00");
    }
    return total;
}

namespace {
const QString ReportColumnsSql = QStringLiteral(
    "SELECT [LogID], [FirstName], [LastName], [ProfileID], [ReferDate], [EntryDate], "
    "[EntryTime], [Initials], [RoomNumber], [Complete], [Cancelled], [OnHold], [Pending], "
    "[NoteField] FROM [LogBook]");

// A stored day shown as "yyyy/mm/dd"; anything that is not a day as it stands.
QString ReportDate(const QString& stored) {
    const QDate d = Formats::ParseStoredDate(stored.trimmed().left(10));
    return d.isValid() ? Formats::StoredDate(d) : stored.trimmed();
}

struct PendingRow {
    ReportRow row;
    QString text;
};

// The row's cells but the design fields, which need the whole text.
ReportRow makeRow(const Row& r, const ReportCriteria& c) {
    ReportRow row;
    row.logId = r.number("LogID");
    const bool cancelled = r.flag("Cancelled");
    const bool complete = r.flag("Complete");
    QString last = r.trimmedText("LastName");
    if (cancelled) last += QLatin1String("  (CXL)");
    if (r.number("ProfileID") > 0) last += QLatin1String(" (P)");
    row.cells.resize(ReportColumnCount);
    row.cells[RcLastName] = last;
    row.cells[RcFirstName] = r.trimmedText("FirstName");
    row.cells[RcReferDate] = ReportDate(r.text(c.byEntryDate ? "EntryDate" : "ReferDate"));
    row.cells[RcWho] = r.trimmedText("Initials");
    row.cells[RcLogId] = QString::number(row.logId);
    row.cells[RcRoom] = r.trimmedText("RoomNumber");
    row.cells[RcWhenEntered] =
        (r.trimmedText("EntryDate") + " " + r.trimmedText("EntryTime"));
    row.cells[RcComplete] = complete ? QStringLiteral("True") : QStringLiteral("False");
    row.status = StatusOf(complete, cancelled, r.flag("OnHold"), r.flag("Pending"));
    return row;
}
} // namespace

ReportResult GetTheVCLogEntries(AppContext& ctx, const ReportCriteria& c,
                                const ReportSelection& selection) {
    ReportResult result;
    result.headers = ReportHeaders(c);
    Database& db = LogbookStore(ctx).db(c.source);

    std::optional<QSet<QString>> members;
    if (c.concierge.trimmed().isEmpty() && !c.conciergeGroup.trimmed().isEmpty()) {
        members.emplace();
        for (const QString& i : ConciergeGroupInitials(ctx.db(), c.conciergeGroup))
            members->insert(i.toLower());
    }

    std::vector<PendingRow> read;
    QHash<qint64, size_t> continued; // entries whose text goes on in LogText
    db.snapshot([&] {
        db.forEach(ReportColumnsSql + " WHERE " + selection.where +
                       " ORDER BY [LastName], [FirstName], [LogID]",
                   selection.params, [&](const Row& r) {
                       if (members && !members->contains(r.trimmedText("Initials").toLower()))
                           return true;
                       const QString note = r.text("NoteField");
                       if (note.size() >= LogTextPieceSize)
                           continued.insert(r.number("LogID"), read.size());
                       read.push_back({makeRow(r, c), note});
                       return true;
                   });
        // The text continues in the database the entry was read from.
        const QList<qint64> ids = continued.keys();
        for (qsizetype at = 0; at < ids.size(); at += ListTextPiecesChunk) {
            const ListStatement pieces = ListTextPiecesQuery(ids.mid(at, ListTextPiecesChunk));
            db.forEach(pieces.sql, pieces.params, [&](const Row& r) {
                read[continued.value(r.value(0).toLongLong())].text += r.text(1);
                return true;
            });
        }
    });

    result.rows.reserve(read.size() + 1);
    const bool anyLabel = LabelChosen(c, 0) || LabelChosen(c, 1) || LabelChosen(c, 2);
    for (PendingRow& p : read) {
        if (anyLabel) {
            const QString text = JoinLogText(p.text, {});
            for (int i = 0; i < ReportLabelCount; ++i)
                if (LabelChosen(c, i))
                    p.row.cells[RcLabel1 + i] = ReadDesignValue(text, c.labels[i].trimmed());
        }
        result.rows.push_back(std::move(p.row));
    }
    result.entries = int(result.rows.size());
    if (result.entries > 0)
        result.rows.push_back(TotalRow(result.rows, c, ctx.start.currencySymbol));
    result.countText = ReportCountText(result.entries);
    return result;
}

} // namespace vm
