// Sheets of one logbook entry for the list window: the details, the
// confirmation as a sheet, the guest and vendor service requests and the
// entry's messages.

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "logbook/Categories.h"
#include "logbook/EntryLetter.h"
#include "logbook/LogbookStore.h"
#include "logbook/reports/LetterParts.h"
#include "logbook/reports/LogbookReports.h"
#include "logbook/reports/ReportData.h"
#include "platform/Mailer.h"

namespace vm {

using namespace doc;

namespace {

using Facts = QList<QPair<QString, QString>>;

void AddFact(Facts& facts, const QString& label, const QString& value) {
    if (!value.trimmed().isEmpty()) facts.append({label, value.trimmed()});
}

// A sheet: its heading (and the database it was read from) on every page,
// page numbers at the foot.
Document SheetDocument(const QString& title, const QString& heading, const QString& subheading) {
    Document d;
    d.title = title;
    d.page.margins = {0.75, 0.75, 0.75, 0.75};
    Paragraph h = Para(heading, Align::Center, true, 14);
    d.header << h;
    if (!subheading.isEmpty()) d.header << Para(subheading, Align::Center);
    d.header << Spacer{8};
    d.footer << PageOfPages();
    return d;
}

QString ArchiveNote(LogSource source) {
    return source == LogSource::Archive ? QStringLiteral("From the Archive File") : QString();
}

// Label and value, one pair a row, without a header.
Table FactsTable(const Facts& facts) {
    Table t;
    t.columns = {{QString(), 1}, {QString(), 3}};
    for (const auto& [label, value] : facts)
        t.rows << TableRow{{label, value}};
    return t;
}

Paragraph Heading(const QString& text) {
    Paragraph p = Para(text, Align::Left, true);
    p.spaceBefore = 12;
    p.spaceAfter = 4;
    p.keepWithNext = true;
    return p;
}

QString StatusText(const LogEntry& e) {
    QStringList status;
    if (e.complete) status << "Complete";
    if (e.pending) status << "Pending";
    if (e.onHold) status << "On Hold";
    if (e.cancelled) status << "Cancelled";
    return status.isEmpty() ? QStringLiteral("Incomplete") : status.join(", ");
}

QString CategoryText(Database& db, const QString& category, const QString& type) {
    const qint64 id = GetLogTypeID(db, category);
    return id > 0 ? GetCategoryText(db, id, type) : QString();
}

// The request part of the guest documents: the facts, the request text and
// the category's wording.
void AppendGuestRequest(Document& d, AppContext& ctx, const LetterContext& lc, const LogEntry& e,
                        bool room, const QString& wordingType) {
    const PrintSettings& s = lc.settings;
    Facts facts;
    AddFact(facts, "Guest:", AddresseeName(lc, e));
    if (room) AddFact(facts, "Room Number:", e.roomNumber);
    if (s.printMasterId) AddFact(facts, "Guest ID:", e.guestId);
    if (s.printLogId) AddFact(facts, "Logbook ID:", QString::number(e.logId));
    AddFact(facts, "Category:", e.entryType);
    AddFact(facts, "Arriving:", PrintedDate(e.arrivalDate, s.arrivalDateFormat));
    AddFact(facts, "Date:", PrintedReferWhen(e, s));
    d.body << FactsTable(facts);
    const QString request = GuestRequestText(e.text, HiddenDesignLabels(ctx.db(), e.entryType), s);
    if (!request.trimmed().isEmpty()) d.body << Heading("Request:") << Para(request);
    if (!wordingType.isEmpty())
        AppendWording(d.body, CategoryText(ctx.db(), e.entryType, wordingType), s);
}

// A sheet of the guest's request that closes like a letter: the confirmation
// (room as on letters, the category's guest wording) and the vendor request
// (room as on service requests, the vendor wording).
Document ClosedRequestSheet(AppContext& ctx, const PrintRequest& r, const QString& heading,
                            bool vendor) {
    const LogEntry e = RequestedEntry(ctx, r);
    const LetterContext lc = LoadLetterContext(ctx);
    Document d = SheetDocument(r.title.isEmpty() ? heading : r.title, heading,
                               ArchiveNote(RequestSource(r)));
    AppendGuestRequest(d, ctx, lc, e, vendor ? lc.settings.printRmNo : lc.settings.printRoom,
                       vendor ? "V" : "W");
    AppendClosing(d.body, lc, e,
                  vendor ? QStringLiteral("Thank you, ") : QStringLiteral("Sincerely, "));
    return d;
}

} // namespace

Document BuildConfirmationReport(AppContext& ctx, const PrintRequest& r) {
    return ClosedRequestSheet(ctx, r, "Guest Confirmation", false);
}

Document BuildGuestServiceRequest(AppContext& ctx, const PrintRequest& r) {
    const LogEntry e = RequestedEntry(ctx, r);
    const LetterContext lc = LoadLetterContext(ctx);
    Document d = SheetDocument(r.title.isEmpty() ? "Guest Service Request" : r.title,
                               "Guest Service Request", ArchiveNote(RequestSource(r)));
    AppendGuestRequest(d, ctx, lc, e, lc.settings.printRmNo, {});
    Paragraph prepared = Para("Prepared by " + lc.staffName + " on " + Formats::LongDate(lc.today));
    prepared.spaceBefore = 18;
    d.body << prepared;
    return d;
}

Document BuildVendorServiceRequest(AppContext& ctx, const PrintRequest& r) {
    PrintRequest titled = r;
    if (titled.title.isEmpty()) titled.title = "Guest Vendor Request";
    return ClosedRequestSheet(ctx, titled, "Vendor Service Request", true);
}

Document BuildLogbookEntry(AppContext& ctx, const PrintRequest& r) {
    const LogEntry e = RequestedEntry(ctx, r);
    const LogSource source = RequestSource(r);
    const PrintSettings s = LoadPrintSettings(ctx);
    LogbookStore store(ctx);
    Document d = SheetDocument(r.title.isEmpty() ? "Logbook Details" : r.title, "Logbook Details",
                               ArchiveNote(source));
    Facts facts;
    AddFact(facts, "Logbook ID:", QString::number(e.logId));
    AddFact(facts, "Category:", e.entryType);
    AddFact(facts, "Guest:", GuestFullName(e));
    AddFact(facts, "Guest ID:", e.guestId);
    AddFact(facts, "Room Number:", e.roomNumber);
    AddFact(facts, "Arriving:", PrintedDate(e.arrivalDate, s.arrivalDateFormat));
    AddFact(facts, "Departing:", PrintedDate(e.departureDate, s.arrivalDateFormat));
    QString when = PrintedDate(e.referDate, s.referenceDateFormat);
    if (const QTime t = Formats::ParseTime(e.referTime.trimmed()); !when.isEmpty() && t.isValid())
        when += " at " + Formats::Time12(t);
    AddFact(facts, "Date:", when);
    AddFact(facts, "Entered By:",
            e.enteredBy.trimmed() + " " + Formats::ShortDateOfStored(e.entryDate) + " " +
                e.entryTime.trimmed());
    AddFact(facts, "Updated:", Formats::ShortDateOfStored(e.updatedDate));
    AddFact(facts, "Status:", StatusText(e));
    AddFact(facts, "Notified:", e.notified);
    // The desk's own sheet shows every designed line, "do not print" ones too (designs
    // live in the current database, for archived entries too).
    for (const auto& [label, value] : DesignFieldValues(ctx.db(), e, false))
        AddFact(facts, label, PaperText(value, s));
    d.body << FactsTable(facts);

    const QStringList notes = EntryNotes(e.text, true);
    if (!notes.isEmpty()) {
        d.body << Heading("Notes:");
        for (const QString& note : notes)
            d.body << Para(PaperText(note, s));
    }
    if (!e.msgNotes.trimmed().isEmpty())
        d.body << Heading("Working Notes:") << Para(PaperText(MailLineBreaks(e.msgNotes), s));

    const std::vector<HistoryRow> history = store.GetTheLogbookHistory(e.logId, source);
    if (!history.empty()) {
        Table t;
        t.columns = {{"Changed", 2}, {"Who", 1}, {"Reason", 5}};
        t.header << TableRow{{"Changed", "Who", "Reason"}};
        for (const HistoryRow& h : history)
            t.rows << TableRow{{h.logDateTime, h.initials, h.reason}};
        d.body << Heading("History:") << t;
    }
    return d;
}

Document BuildLogbookMessages(AppContext& ctx, const PrintRequest& r) {
    const LogEntry e = RequestedEntry(ctx, r);
    const PrintSettings s = LoadPrintSettings(ctx);
    Database& db = ctx.db();
    Table t;
    t.columns = {{"When", 2}, {"To", 2}, {"From", 2}, {"Message", 6}};
    t.header << TableRow{{"When", "To", "From", "Message"}};
    // Messages live in the current database, for archived entries too.
    const auto messages =
        db.query("SELECT [TimerID], [MsgDateTime], [ConciergeName], [SentFrom] FROM [MsgTimer] "
                 "WHERE [LogbookID] = ? ORDER BY [MsgDateTime], [ConciergeName], [TimerID]",
                 {e.logId});
    for (const Row& m : messages) {
        QString text;
        for (const Row& piece :
             db.query("SELECT [MsgText] FROM [MsgText] WHERE [TimerID] = ? ORDER BY [Sequence]",
                      {m.number("TimerID")}))
            text += piece.text("MsgText");
        t.rows << TableRow{{StoredText(m.text("MsgDateTime")), StoredText(m.text("ConciergeName")),
                            StoredText(m.text("SentFrom")), PaperText(text.trimmed(), s)}};
    }
    if (t.rows.isEmpty()) throw ReportRefused(MsgNoMessages);
    const QString about = "Logbook ID " + QString::number(e.logId) + " - " +
                          QStringList{GuestFullName(e), e.entryType.trimmed()}.join(" - ");
    Document d =
        SheetDocument(r.title.isEmpty() ? "Logbook Messages" : r.title, "Logbook Messages", about);
    d.body << t;
    return d;
}

} // namespace vm
