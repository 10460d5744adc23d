#include "logbook/EntryLetter.h"
#include "core/LongText.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "logbook/Categories.h"
#include "logbook/EntryRules.h"
#include "platform/Mailer.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <vector>

namespace vm {

namespace {

// Everything the screens need to know of each document, in menu order.
struct DocumentInfo {
    EntryDocument document;
    const char* name;    // what the print hook is told
    const char* caption; // what the menu shows
    const char* action;  // the menu action's objectName
    Right right;
    const QString* refusal;
    const char* textType; // the category text it quotes ("" none)
};

const std::vector<DocumentInfo>& Documents() {
    static const std::vector<DocumentInfo> all{
        {EntryDocument::Details, "Details", "Logbook Details", "mnuDetails",
         Rights::LogbookPrintDetails, &MsgPrintDetails, ""},
        {EntryDocument::Confirmation, "Confirmation", "Guest Confirmation", "mnuConfirmation",
         Rights::LogbookConfirmation, &MsgConfirmationRight, "W"},
        {EntryDocument::GuestRequest, "GuestRequest", "Guest Service Request", "mnuGuestRequest",
         Rights::LogbookGuestRequest, &MsgGuestRequestRight, ""},
        {EntryDocument::VendorRequest, "VendorRequest", "Vendor Service Request",
         "mnuVendorRequest", Rights::LogbookVendorRequest, &MsgVendorRequestRight, "V"},
        {EntryDocument::Correspondence, "Correspondence", "Correspondence", "mnuCorrespondence",
         Rights::LogbookPrintDetails, &MsgPrintCorrespondence, "LC"},
        {EntryDocument::CustomForm, "CustomForm", "Custom Form", "mnuCustomForm",
         Rights::LogbookConfirmation, &MsgCustomFormRight, ""},
    };
    return all;
}

const DocumentInfo& Info(EntryDocument d) {
    for (const DocumentInfo& i : Documents())
        if (i.document == d) return i;
    return Documents().front();
}

} // namespace

const QList<EntryDocument>& AllEntryDocuments() {
    static const QList<EntryDocument> all = [] {
        QList<EntryDocument> out;
        for (const DocumentInfo& i : Documents())
            out << i.document;
        return out;
    }();
    return all;
}

QString EntryDocumentName(EntryDocument d) {
    return QString::fromLatin1(Info(d).name);
}
QString EntryDocumentCaption(EntryDocument d) {
    return QString::fromLatin1(Info(d).caption);
}
QString EntryDocumentActionName(EntryDocument d) {
    return QString::fromLatin1(Info(d).action);
}
Right EntryDocumentRight(EntryDocument d) {
    return Info(d).right;
}
QString EntryDocumentRefusal(EntryDocument d) {
    return *Info(d).refusal;
}
QString EntryDocumentTextType(EntryDocument d) {
    return QString::fromLatin1(Info(d).textType);
}

bool IsGuestViewer(const Session& s) {
    return s.guest || s.name.compare("Guest Viewer", Qt::CaseInsensitive) == 0;
}

QString CheckEntryOutput(AppContext& ctx, const LogEntry& entry, EntryDocument d,
                         OutputAction action) {
    const bool print = action == OutputAction::Print;
    if (entry.logId <= 0) return print ? MsgSaveBeforePrint : MsgSaveBeforeEmail;
    if (IsGuestViewer(ctx.session)) {
        if (!print) return MsgGuestViewerNoEmail;
        if (!GetBooleanSetting(ctx.db(), "GuestPrintAbility", &ctx.prompt()))
            return MsgGuestViewerNoPrint;
        if (d != EntryDocument::Confirmation) return MsgGuestViewerConfirmationOnly;
    } else if (!MayDo(ctx, EntryDocumentRight(d))) {
        return EntryDocumentRefusal(d);
    }
    if (d == EntryDocument::Correspondence) {
        const qint64 logTypeId = GetLogTypeID(ctx.db(), entry.entryType);
        if (logTypeId <= 0 || GetCategoryText(ctx.db(), logTypeId, TextKind::CategoryCorrespondence).trimmed().isEmpty())
            return MsgNoCorrespondence;
    }
    return {};
}

LetterSettings LoadLetterSettings(Database& db) {
    LetterSettings s;
    s.printLogId = GetBooleanSetting(db, "PrintLogID");
    s.printRoom = GetBooleanSetting(db, "PrintRoom");
    s.valediction = GetTextSetting(db, "Valediction").trimmed();
    return s;
}

namespace {

QString GuestName(const LogEntry& e) {
    return (e.firstName.trimmed() + " " + e.lastName.trimmed()).trimmed();
}

// "Saturday, March 14, 2026", or "" for an empty or broken stored date.
QString DayAndDate(const QString& stored) {
    const QDate d = Formats::ParseStoredDate(stored.trimmed());
    return d.isValid() ? Formats::LongDate(d) : QString();
}

void AddLine(QStringList& lines, const QString& label, const QString& value) {
    if (!value.trimmed().isEmpty()) lines << label + value.trimmed();
}

} // namespace

QStringList EntryNotes(const QString& text, bool keepSignatures) {
    static const QRegularExpression separator(
        QStringLiteral("\\s*~~~(?:Post-Archive Note~~~)?\\s*"));
    static const QRegularExpression archiveStart(QStringLiteral("^\\s*~~Post-Archive Note~~\\s*"));
    static const QRegularExpression signature(
        QStringLiteral("\\s*\\([^()\\r\\n]* \\d{4}/\\d{2}/\\d{2} \\d{1,2}:\\d{2}\\)\\s*$"));
    QString all = text;
    all.remove(archiveStart);
    QStringList notes;
    for (QString note : all.split(separator)) {
        if (!keepSignatures) note.remove(signature);
        note = MailLineBreaks(note.trimmed());
        if (!note.isEmpty()) notes << note;
    }
    return notes;
}

QString ComposeEntryLetter(EntryDocument d, const LogEntry& e, const QString& categoryText,
                           const LetterSettings& s, const QString& staffName) {
    const bool details = d == EntryDocument::Details;
    const bool vendor = d == EntryDocument::VendorRequest;
    const bool request = vendor || d == EntryDocument::GuestRequest;
    QStringList lines;

    if (details) {
        lines << "Logbook Details";
        AddLine(lines, "Category: ", e.entryType);
        AddLine(lines, "Guest: ", GuestName(e));
        AddLine(lines, "Guest ID: ", e.guestId);
    } else if (vendor) {
        AddLine(lines, "Guest: ", GuestName(e));
    } else {
        const QString name = GuestName(e);
        lines << "Dear " + (name.isEmpty() ? QStringLiteral("Guest") : name) + ",";
        lines << "";
    }

    if (s.printLogId) lines << "Logbook ID: " + QString::number(e.logId);
    if (s.printRoom) AddLine(lines, "Room Number: ", e.roomNumber);
    AddLine(lines, "Arriving: ", DayAndDate(e.arrivalDate));
    if (details) AddLine(lines, "Departing: ", DayAndDate(e.departureDate));
    QString when = DayAndDate(e.referDate);
    const QTime time = Formats::ParseTime(e.referTime.trimmed());
    if (!when.isEmpty() && time.isValid()) when += " at " + Formats::Time12(time);
    AddLine(lines, "Date: ", when);

    if (details) {
        AddLine(lines, "Entered By: ",
                (e.enteredBy.trimmed() + " " + e.entryDate.trimmed() + " " + e.entryTime.trimmed())
                    .trimmed());
        QStringList status;
        if (e.complete) status << "Complete";
        if (e.pending) status << "Pending";
        if (e.onHold) status << "On Hold";
        if (e.cancelled) status << "Cancelled";
        AddLine(lines, "Status: ", status.join(", "));
        AddLine(lines, "Notified: ", e.notified);
        const QStringList notes = EntryNotes(e.text, true);
        if (!notes.isEmpty())
            lines << ""
                  << "Notes:" << notes;
        return lines.join(CRLF) + CRLF;
    }

    if (request) {
        const QStringList notes = EntryNotes(e.text, false);
        lines << "";
        lines << "Your Request: " + notes.value(0);
        lines << notes.mid(1);
    }
    const QString quoted = MailLineBreaks(categoryText.trimmed());
    if (!quoted.isEmpty()) lines << "" << quoted;

    lines << "";
    lines << (!s.valediction.isEmpty() ? s.valediction
              : vendor                 ? QStringLiteral("Thank you, ")
                                       : QStringLiteral("Sincerely, "));
    lines << ""
          << "" << QString(40, '_');
    lines << staffName.trimmed();
    return lines.join(CRLF) + CRLF;
}

QString MailSubject(EntryDocument d, const QString& confirmationText1) {
    const QString property = confirmationText1.trimmed();
    if (d == EntryDocument::VendorRequest)
        return property.isEmpty() ? QStringLiteral("A Request") : "A Request from " + property;
    return property.isEmpty() ? QStringLiteral("Your Request") : "Your Request - " + property;
}

QString WriteTempMail(const QString& folder, const QString& text) {
    if (folder.trimmed().isEmpty()) return {};
    const QString path = QDir(folder).filePath(TempMailName);
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk) is seen here and the old
    // file stays rather than a cut-off one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return {};
    const QByteArray bytes = (TempMailHint + CRLF + CRLF + MailLineBreaks(text)).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return {};
    }
    if (!file.commit()) return {};
    return path;
}

} // namespace vm
