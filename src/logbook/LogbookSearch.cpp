#include "logbook/LogbookSearch.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/schema/SchemaBuilder.h"
#include "logbook/LogbookStore.h"

namespace vm {

namespace {

// Typed values are cleaned as stored values are; an empty one matches everything.
QString cleaned(const QString& s) {
    return s.trimmed().isEmpty() ? QString() : CleanSqlText(s);
}
QString startsWith(const QString& s) {
    return cleaned(s) + "%";
}

struct Builder {
    QStringList parts;
    QVariantList params;
    QString description;

    void add(const QString& clause, const QVariantList& p) {
        parts << clause;
        params << p;
    }
};

// "column contains text", through the trigram index where there is one.
void addContains(Builder& b, Engine engine, const QString& column, const QString& text) {
    QVariant pattern;
    const QString condition =
        schema::ContainsCondition(engine, "LogBook", column, cleaned(text), pattern);
    b.add(condition, {pattern});
}

void dateClause(Builder& b, const QString& column, const LogbookSelection& s, const QString& one,
                const QString& between) {
    const QString from = Formats::StoredDate(s.from);
    if (!s.through.isValid() || s.through == s.from) {
        b.add("[LogBook].[" + column + "] = ?", {from});
        b.description = one + Formats::ShortDate(s.from);
        return;
    }
    b.add("[LogBook].[" + column + "] >= ? AND [LogBook].[" + column + "] <= ?",
          {from, Formats::StoredDate(s.through)});
    b.description = between + Formats::ShortDate(s.from) + " and " + Formats::ShortDate(s.through);
}

} // namespace

const QStringList& SortCaptions() {
    static const QStringList c = {"Last Name, First Name",
                                  "Room Number and Reference Date",
                                  "Reference Date and Name",
                                  "Logbook Category and Name",
                                  "Notification Type or Guest ID",
                                  "Who Entered and Name",
                                  "Reference Date and Category",
                                  "Reference Date and Logbook ID",
                                  "Status and Date",
                                  "Status and Name",
                                  "Entry Date and Time",
                                  "Reference Date and Time",
                                  "Reference Date (Desc) and Name"};
    return c;
}

const QStringList& WindowCaptions() {
    static const QStringList c = {"Yesterday and Today", "Last 7 Days", "All Dates"};
    return c;
}

BuiltSelection BuildLogbookSelection(const LogbookSelection& s) {
    Builder b;
    const QString text = s.text.trimmed();
    const QString missingText =
        QStringLiteral("Please enter the text you wish to use to filter") + " your selections.";
    const bool dateMode = s.by == SelectBy::ReferDate || s.by == SelectBy::ArrivalDate ||
                          s.by == SelectBy::DepartureDate || s.by == SelectBy::EntryDate ||
                          s.by == SelectBy::UpdateDate;
    if (dateMode && !s.from.isValid())
        return {{},
                {},
                "Please select the entry you wish to use to filter" + QString(" your selections.")};
    const bool textMode = s.by == SelectBy::Concierge || s.by == SelectBy::LastName ||
                          s.by == SelectBy::FirstName || s.by == SelectBy::RoomNumber ||
                          s.by == SelectBy::GuestId;
    if (textMode && text.isEmpty()) return {{}, {}, missingText};

    switch (s.by) {
    case SelectBy::ReferDate:
        dateClause(b, "ReferDate", s, "Where Reference Date is ",
                   "Where Reference Date is between  ");
        break;
    case SelectBy::ArrivalDate:
        dateClause(b, "ArrivalDate", s, "Where Arrival Date is ",
                   "Where Arrival Date is between  ");
        break;
    case SelectBy::DepartureDate:
        dateClause(b, "DepartureDate", s, "Where Departure Date is ",
                   "Where Departure Date is between  ");
        break;
    case SelectBy::EntryDate:
        dateClause(b, "EntryDate", s, "Where Entry Date is ", "Where Entry Date is between ");
        break;
    case SelectBy::UpdateDate:
        dateClause(b, "UpdatedDate", s, "Where Update Date is ", "Where Update Date is between ");
        break;
    case SelectBy::Concierge:
        b.add("[LogBook].[EnteredBy] = ?", {CleanSqlText(text)});
        b.description = "Where Concierge Name is " + text;
        break;
    case SelectBy::LastName:
        if (text.contains(',') && !text.section(',', 1).trimmed().isEmpty()) {
            // "last, first": last name contains, first name starts with
            const QString last = text.section(',', 0, 0).trimmed();
            const QString first = text.section(',', 1).trimmed();
            // Both names narrow the rows in the trigram table where they can, so
            // a common last name is not read entry by entry for one first name.
            QVariantList both;
            const QString candidates = schema::TrigramCandidates(
                s.engine, "LogBook",
                {{"LastName", cleaned(last)}, {"FirstName", cleaned(first), true}}, both);
            if (!candidates.isEmpty()) {
                b.add(candidates + " AND [LogBook].[FirstName] LIKE ?", both << startsWith(first));
            } else {
                QVariant pattern;
                const QString lastCondition = schema::ContainsCondition(
                    s.engine, "LogBook", "LastName", cleaned(last), pattern);
                b.add(lastCondition + " AND [LogBook].[FirstName] LIKE ?",
                      {pattern, startsWith(first)});
            }
            b.description =
                "Where Last Name contains " + last + " And FirstName starts with " + first;
        } else {
            const QString last = text.section(',', 0, 0).trimmed();
            addContains(b, s.engine, "LastName", last);
            b.description = "Where Last Name contains " + last;
        }
        break;
    case SelectBy::FirstName:
        addContains(b, s.engine, "FirstName", text);
        b.description = "Where First Name contains " + text;
        break;
    case SelectBy::RoomNumber:
        b.add("[LogBook].[RoomNumber] = ?", {CleanSqlText(text)});
        b.description = "Where Room Number is " + text;
        break;
    case SelectBy::GuestId:
        b.add("[LogBook].[GuestID] = ?", {CleanSqlText(text)});
        b.description = "Where Guest ID is " + text;
        break;
    case SelectBy::LogbookId: {
        bool ok = false;
        const qint64 id = text.toLongLong(&ok);
        if (!ok || id < 1) return {{}, {}, "Please enter the Logbook ID number."};
        b.add("[LogBook].[LogID] = ?", {id});
        b.description = "Where Logbook ID is " + QString::number(id);
        break;
    }
    case SelectBy::Group:
        if (s.groupId < 1)
            return {{},
                    {},
                    "Please select the Group Name you wish to use to filter" +
                        QString(" your selections.")};
        b.add("[LogBook].[GroupID] = ?", {s.groupId});
        b.description = "Where Group Name is " + s.groupName;
        break;
    case SelectBy::None:
        break;
    }

    auto joined = [&](const QString& first, const QString& more) {
        return b.parts.isEmpty() && b.description.isEmpty() ? first : more;
    };
    if (!s.category.trimmed().isEmpty()) {
        b.description += joined("Where Category is ", " And Category is ") + s.category.trimmed();
        b.add("[LogBook].[EntryType] = ?", {s.category.trimmed()});
    } else if (!s.profileType.trimmed().isEmpty()) {
        b.description +=
            joined("Where Profile Type is ", " And Profile Type is ") + s.profileType.trimmed();
        b.add("[Profile].[ProfileType] = ?", {s.profileType.trimmed()});
    }
    if (s.status != StatusChoice::All) {
        b.description += joined("Where Status is ", " And Status is ") +
                         (s.status == StatusChoice::Open ? "Open" : "Closed");
        b.add("[LogBook].[Complete] = ?", {s.status == StatusChoice::Closed});
    }
    if (s.noCancelled) {
        b.description += joined("Where Cancelled entries are not Included",
                                " And Cancelled entries are not Included");
        b.add("[LogBook].[Cancelled] = ?", {false});
    }
    if (b.description.isEmpty()) b.description = "Where All Entries Have Been Selected ";
    if (s.window != ListWindow::AllDates)
        b.description += " And Date Range is " + WindowCaptions().value(int(s.window));
    const QStringList& captions = SortCaptions();
    const int captionIndex = s.sortIndex;
    if (captionIndex >= 0 && captionIndex < captions.size())
        b.description += ", Sorted by " + captions[captionIndex];

    BuiltSelection out;
    out.filter = {b.parts.join(" AND "), b.params};
    out.description = b.description;
    return out;
}

BuiltSelection DueAndOverdueSelection(const QDate& today) {
    BuiltSelection out;
    out.filter = {"[LogBook].[ReferDate] <= ? AND [LogBook].[Complete] = ? AND "
                  "[LogBook].[Cancelled] = ?",
                  {Formats::StoredDate(today), false, false}};
    out.description = "Where Status is Open And Reference Date is " + Formats::ShortDate(today) +
                      " or earlier, Sorted by " + SortCaptions()[2];
    return out;
}

qint64 CountSelection(AppContext& ctx, const Viewer& v, const ListRequest& r) {
    const ListStatement count = CountQuery(r, v, ctx.clock().today());
    return LogbookStore(ctx).db(r.source).scalar(count.sql, count.params).toLongLong();
}

std::optional<LogList> ListSelection(AppContext& ctx, const ListRequest& request, bool guardSize) {
    Database& db = ctx.db();
    Viewer viewer;
    if (!guardSize) {
        LogList list;
        db.snapshot([&] {
            viewer = LoadViewer(db, ctx.session);
            list = GetTheLogEntries(ctx, viewer, request);
        });
        return list;
    }
    qint64 n = 0;
    db.snapshot([&] {
        viewer = LoadViewer(db, ctx.session);
        n = CountSelection(ctx, viewer, request);
    });
    // The questions come with no read open: a member may take a while to answer.
    if (!LogbookListGuard.allows(ctx.prompt(), n)) return std::nullopt;
    return GetTheLogEntries(ctx, viewer, request);
}

} // namespace vm
