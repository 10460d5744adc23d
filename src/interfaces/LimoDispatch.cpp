#include "interfaces/LimoDispatch.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "core/Staff.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"
#include "logbook/LogbookStore.h"
#include "platform/TimedRunner.h"

#include <QDateTime>
#include <QHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <algorithm>

namespace vm {

namespace {

// The fields the dispatch system takes besides the entry's own columns, in
// request order: display name, request key, required.
struct SeedField {
    const char* element;
    const char* elementShort;
    bool required;
};
const SeedField SeedFields[] = {
    {"Pick-up Time", "putime", true},
    {"Pick-up Location", "puloc", true},
    {"Drop-off Location", "doloc", true},
    {"Vehicle Type", "vtype", true},
    {"Number of Passengers", "npass", true},
    {"Billing Code", "bcode", true},
    {"Flight (Airline-Number)", "flight", false},
    {"Credit Card Number", "ccnumb", false},
    {"Card Expiration", "ccexp", false},
    {"Special Instructions", "instr", false},
    {"Confirmation Number", "confnum", false},
};

// Puts each missing field in place.  The insert is conditional, so a second
// desk doing the same at the same moment adds nothing the first one added
// (and a duplicate that still slips through is skipped on reading).
void EnsureOdsMapping(Database& db) {
    db.transaction([&] {
        for (const SeedField& f : SeedFields)
            db.exec("INSERT INTO [OdsLimoMapping] ([OdsElement], [OdsElementShort], [Required], "
                    "[LogbookCategoryID], [VmElementID]) "
                    "SELECT ?, ?, ?, 0, 0 WHERE NOT EXISTS "
                    "(SELECT 1 FROM [OdsLimoMapping] WHERE [OdsElementShort] = ?)",
                    {QString(f.element), QString(f.elementShort), f.required,
                     QString(f.elementShort)});
    });
}

std::vector<OdsMapping> ReadMapping(Database& db) {
    std::vector<OdsMapping> rows;
    QSet<QString> seen;
    for (const Row& r : db.query("SELECT * FROM [OdsLimoMapping] ORDER BY [ID]")) {
        OdsMapping m;
        m.id = r.number("ID");
        m.element = r.text("OdsElement");
        m.elementShort = r.trimmedText("OdsElementShort");
        m.required = r.flag("Required");
        m.categoryId = r.number("LogbookCategoryID");
        m.vmElementId = r.number("VmElementID");
        if (seen.contains(m.elementShort.toLower())) continue;
        seen.insert(m.elementShort.toLower());
        rows.push_back(m);
    }
    return rows;
}

// A label as a person reads it in a message: without the ":" that ends it.
QString PlainLabel(QString label) {
    label = label.trimmed();
    if (label.endsWith(':')) label.chop(1);
    return label.trimmed();
}

bool IsNumeric(const QString& s) {
    static const QRegularExpression digits("^\\d+$");
    return digits.match(s).hasMatch();
}

// The part of a return-file line after its first ":"; null when it has none.
QString ReturnValue(const QString& line) {
    const qsizetype colon = line.indexOf(':');
    return colon < 0 ? QString() : line.mid(colon + 1).trimmed();
}

} // namespace

// ------------------------------------------------------------ billing codes

std::vector<OdsBillingCode> GetOdsBillingCodes(Database& db) {
    std::vector<OdsBillingCode> codes;
    for (const Row& r : db.query("SELECT * FROM [OdsLimoBillCodes] ORDER BY [ID]"))
        codes.push_back({r.number("ID"), r.text("OdsCode"), r.text("Description")});
    return codes;
}

qint64 GetNextOdsBillingID(Database& db) {
    return db.scalar("SELECT MAX([ID]) FROM [OdsLimoBillCodes]").toLongLong() + 1;
}

void SaveOdsBilling(Database& db, const OdsBillingCode& code, bool isNew) {
    const QString odsCode = CleanSqlText(code.code.trimmed());
    const QString description = CleanSqlTextKeepAmp(code.description.trimmed());
    if (isNew)
        db.exec("INSERT INTO [OdsLimoBillCodes] ([ID], [OdsCode], [Description]) VALUES (?, ?, ?)",
                {code.id, odsCode, description});
    else
        db.exec("UPDATE [OdsLimoBillCodes] SET [OdsCode] = ?, [Description] = ? WHERE [ID] = ?",
                {odsCode, description, code.id});
}

bool DeleteOdsBillingCode(Database& db, qint64 id) {
    return db.exec("DELETE FROM [OdsLimoBillCodes] WHERE [ID] = ?", {id}) > 0;
}

// ------------------------------------------------------------ field mapping

std::vector<OdsMapping> LoadOdsLabels(Database& db) {
    std::vector<OdsMapping> rows = ReadMapping(db);
    if (rows.size() < std::size(SeedFields)) {
        EnsureOdsMapping(db);
        rows = ReadMapping(db);
    }
    return rows;
}

qint64 OdsLimoCategoryID(Database& db) {
    const auto r = db.queryOne("SELECT [LogbookCategoryID] FROM [OdsLimoMapping] ORDER BY [ID]");
    return r ? r->number("LogbookCategoryID") : 0;
}

QString CheckOdsMappings(const std::vector<OdsMapping>& rows) {
    QSet<qint64> used;
    for (const OdsMapping& m : rows) {
        if (m.required && m.vmElementId <= 0) return OdsInvalidMatchupMessage();
        if (m.vmElementId <= 0) continue;
        if (used.contains(m.vmElementId)) return OdsInvalidMatchupMessage();
        used.insert(m.vmElementId);
    }
    return {};
}

QString SaveOdsMappings(Database& db, qint64 categoryId, const std::vector<OdsMapping>& rows) {
    if (QString refusal = CheckOdsMappings(rows); !refusal.isEmpty()) return refusal;
    db.transaction([&] {
        for (const OdsMapping& m : rows)
            db.exec("UPDATE [OdsLimoMapping] SET [VmElementID] = ?, [LogbookCategoryID] = ? "
                    "WHERE [ID] = ?",
                    {m.vmElementId, categoryId, m.id});
        // Rows not shown (a duplicate skipped on reading) follow the category too.
        db.exec("UPDATE [OdsLimoMapping] SET [LogbookCategoryID] = ?", {categoryId});
    });
    return {};
}

bool OdsInterfaceEnabled(Database& db) {
    return GetVmSetting(db, "OdsLimoInterface", "false").trimmed().compare("true",
                                                                           Qt::CaseInsensitive) ==
           0;
}

// ------------------------------------------------------------ validation

QString MaskOdsCard(const QString& value) {
    QString digits;
    for (QChar c : value)
        if (c.isDigit()) digits += c;
    if (digits.isEmpty()) return {};
    const QString last = digits.right(4);
    return (digits.size() >= 13 ? QStringLiteral("xxxxxxxxxxxx") : QStringLiteral("xxxx")) + last;
}

OdsRequest ValidateODS(AppContext& ctx, const LogEntry& entry, OdsAction action) {
    Database& db = ctx.db();
    const bool cancelling = action == OdsAction::Cancel;
    OdsRequest req;
    const std::vector<OdsBillingCode> codes = GetOdsBillingCodes(db);
    if (codes.empty()) {
        req.noBillingCodes = true;
        return req;
    }

    const QString first = entry.firstName.trimmed(), last = entry.lastName.trimmed(),
                  room = entry.roomNumber.trimmed();
    if (first.isEmpty()) req.missing << "First Name is required.";
    if (last.isEmpty()) req.missing << "Last Name is required.";
    if (room.isEmpty()) req.missing << "Room Number is required.";

    const QDate refer = Formats::ParseStoredDate(entry.referDate);
    if (!refer.isValid() || refer < ctx.clock().today())
        req.missing << (cancelling ? QStringLiteral("Reference Date must be a valid date AND") +
                                         CRLF + "must not be a prior date as you can not" + CRLF +
                                         "cancel a reservation that has already taken place."
                                   : QStringLiteral("Reference Date must be a valid date") + CRLF +
                                         "AND must not be a prior date.");
    if (entry.logId <= 0)
        req.missing << QStringLiteral("You must first SAVE the logbook entry prior") + CRLF +
                           "to submitting an ODS reservation.";
    // Start-up stores "0" for a property that has none: that is no id either.
    const QString propertyId = GetVmSetting(db, "PropertyID").trimmed();
    if (propertyId.isEmpty() || propertyId == "0")
        req.missing << QStringLiteral("You must have a Property ID setup prior") + CRLF +
                           "Please call Orvanta for your Property ID.";

    // The member sending: a display name written "Name, Desk" gives both
    // parts; otherwise the job title is the desk.
    QString concName = ctx.session.name.trimmed(), concDesk, concEmail, concPhone;
    if (const auto staff = GetConciergeInformation(db, ctx.session.conciergeId)) {
        concName = staff->text("Concierge").trimmed();
        concDesk = staff->text("JobTitle").trimmed();
        concEmail = staff->text("EmailAddress").trimmed();
        concPhone = staff->text("Telephone").trimmed();
    }
    if (const qsizetype comma = concName.lastIndexOf(','); comma >= 0) {
        concDesk = concName.mid(comma + 1).trimmed();
        concName = concName.left(comma).trimmed();
    }

    req.lines << "fname:" + first << "lname:" + last << "room:" + room
              << "refdate:" + (refer.isValid() ? Formats::ShortDate(refer) : QString())
              << "logid:" + QString::number(entry.logId) << "propid:" + propertyId
              << "concname:" + concName << "concdesk:" + concDesk << "concemail:" + concEmail
              << "concphone:" + concPhone;

    // The design lines of the entry's category, by id.
    const qint64 categoryId = GetLogTypeID(db, entry.entryType);
    QHash<qint64, DesignItem> design;
    for (const DesignItem& item : GetLogbookBackPanelItems(db, categoryId))
        design.insert(item.designId, item);

    bool confirmed = false;
    for (const OdsMapping& m : LoadOdsLabels(db)) {
        if (m.vmElementId <= 0) {
            if (m.required)
                req.missing << m.element + " is not matched to a Logbook Field." + CRLF +
                                   "Please verify all fields.";
            continue;
        }
        if (!design.contains(m.vmElementId)) {
            // The design line was removed after the mapping was saved.
            req.missing << m.element + " is matched to a Logbook Field that no longer exists." +
                               CRLF + "Please verify all fields.";
            continue;
        }
        const DesignItem& item = design[m.vmElementId];
        QString value = ReadDesignValue(entry.text, item.labelText).trimmed();
        if (value == DamagedDesignValue) value.clear();
        const QString key = m.elementShort;
        if (key == OdsKeyVehicle && cancelling) value = "*CXL*";
        if (m.required && value.isEmpty()) {
            req.missing << PlainLabel(item.labelText) + " is required.";
            continue;
        }
        if (key == OdsKeyConfirmation) confirmed = IsNumeric(value);
        if (key == OdsKeyCard) value = MaskOdsCard(value);
        if (key == OdsKeyBillingCode && !value.isEmpty()) {
            const bool known = std::any_of(codes.begin(), codes.end(), [&](const OdsBillingCode& c) {
                return c.code.trimmed().compare(value, Qt::CaseInsensitive) == 0;
            });
            if (!known) req.missing << "ODS Billing Code (" + value + ") was not found.";
        }
        if (key == OdsKeyFlight) {
            const qsizetype dash = value.indexOf('-');
            req.lines << "airline:" + (dash < 0 ? QString() : value.left(dash).trimmed())
                      << "airflight:" + (dash < 0 ? value : value.mid(dash + 1).trimmed());
            continue;
        }
        req.lines << key + ":" + value;
    }
    req.restype = cancelling ? "cancel" : confirmed ? "change" : "new";
    req.lines << "restype:" + req.restype;
    return req;
}

// ------------------------------------------------------------ the exchange

QString OdsExchangeFolder(AppContext& ctx) {
    const QString folder = GetVmSetting(ctx.db(), "OdsLimoFolder").trimmed();
    return folder.isEmpty() ? ctx.workstation.outputFolder() : folder;
}

QString OdsBridgeProgram(AppContext& ctx) {
    const QString program = GetVmSetting(ctx.db(), "OdsLimoProgram").trimmed();
    return program.isEmpty() ? HelperProgramPath(ctx.workstation.programFolder, "OdsLimo")
                             : program;
}

int OdsBridgeTimeoutMs(AppContext& ctx) {
    bool ok = false;
    const int seconds = GetVmSetting(ctx.db(), "OdsLimoTimeout").trimmed().toInt(&ok);
    return (ok && seconds > 0 ? seconds : 120) * 1000;
}

OdsExchange TransmitToODS(AppContext& ctx, const OdsRequest& request, qint64 logId) {
    OdsExchange x;
    const QDir folder(OdsExchangeFolder(ctx));
    const QString requestPath = QDir::toNativeSeparators(
        QFileInfo(folder.filePath(OdsRequestFileName)).absoluteFilePath());
    const QString returnPath = folder.filePath(OdsReturnFileName);

    // An answer left from an earlier exchange must never pass for this one.
    if (QFile::exists(returnPath) && !QFile::remove(returnPath)) {
        x.detail = QDir::toNativeSeparators(returnPath);
        return x;
    }
    // Written whole under another name first: the bridge never reads half a request.
    QSaveFile file(requestPath);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write((request.lines.join(CRLF) + CRLF).toUtf8()) < 0 || !file.commit()) {
        x.detail = requestPath;
        return x;
    }

    const QString program = OdsBridgeProgram(ctx);
    if (program.isEmpty()) {
        x.status = OdsExchange::NoBridge;
        return x;
    }
    TimedRunner* runner = AsTimedRunner(ctx.desktop());
    const TimedRun run = runner ? runner->runAndWaitAtMost(program, {requestPath},
                                                           OdsBridgeTimeoutMs(ctx))
                                : TimedRun{};
    x.detail = QDir::toNativeSeparators(program);
    if (!run.started) {
        x.status = OdsExchange::NoBridge;
        return x;
    }
    if (!run.finished) {
        x.status = OdsExchange::TimedOut;
        return x;
    }
    if (run.exitCode != 0) {
        x.status = OdsExchange::BridgeError;
        x.detail = QString::number(run.exitCode);
        return x;
    }

    QFile answer(returnPath);
    if (!answer.open(QIODevice::ReadOnly)) {
        x.status = OdsExchange::NoReturn;
        return x;
    }
    const QStringList lines =
        QString::fromUtf8(answer.readAll()).split(QRegularExpression("\r\n|\n|\r"));
    const QString id = lines.size() > 0 ? ReturnValue(lines[0]) : QString();
    const QString number = lines.size() > 1 ? ReturnValue(lines[1]) : QString();
    if (id.isNull() || number.isNull()) {
        x.status = OdsExchange::Malformed;
        return x;
    }
    if (id != QString::number(logId)) {
        x.status = OdsExchange::OtherEntry;
        x.detail = id;
        return x;
    }
    if (!IsNumeric(number)) {
        x.status = OdsExchange::Malformed;
        return x;
    }
    x.status = OdsExchange::Confirmed;
    x.confirmation = number;
    return x;
}

QString OdsFailureMessage(const OdsExchange& x) {
    const QString tail = CRLF + CRLF + "The logbook entry was not changed.";
    switch (x.status) {
    case OdsExchange::Confirmed:
        return {};
    case OdsExchange::NotWritten:
        return "The request for the dispatch system could not be written (" + x.detail + ")." +
               tail;
    case OdsExchange::NoBridge:
        return "The dispatch system's bridge program could not be started" +
               (x.detail.isEmpty() ? QString(" (OdsLimo was not found).") : " (" + x.detail + ").") +
               tail;
    case OdsExchange::TimedOut:
        return "The dispatch system did not answer in time and was stopped." + CRLF +
               "Please check with the dispatch system whether the reservation was made." + tail;
    case OdsExchange::BridgeError:
        return "The dispatch system's bridge program ended with error " + x.detail + "." + tail;
    case OdsExchange::NoReturn:
        return "No confirmation was received from the dispatch system." + tail;
    case OdsExchange::OtherEntry:
        return "The dispatch system answered for another logbook entry (" + x.detail + ")." + tail;
    case OdsExchange::Malformed:
        return "The dispatch system's answer could not be read." + tail;
    }
    return {};
}

bool DispatchLimoEntry(AppContext& ctx, qint64 logId, bool cancelling,
                       const LogbookServices* hooks) {
    Database& db = ctx.db();
    if (logId <= 0 || !OdsInterfaceEnabled(db)) return false;
    const qint64 limoCategory = OdsLimoCategoryID(db);
    if (limoCategory <= 0) return false;
    LogbookStore store(ctx, hooks);
    std::optional<LogEntry> entry = store.GetTheLogEntry(logId);
    if (!entry || GetLogTypeID(db, entry->entryType) != limoCategory) return false;

    // The design line that holds the confirmation, when one is mapped.
    std::vector<DesignItem> design = GetLogbookBackPanelItems(db, limoCategory);
    int confirmationLine = -1;
    for (const OdsMapping& m : LoadOdsLabels(db))
        if (m.elementShort == OdsKeyConfirmation && m.vmElementId > 0)
            for (size_t i = 0; i < design.size(); ++i)
                if (design[i].designId == m.vmElementId) confirmationLine = int(i);
    const bool confirmed =
        confirmationLine >= 0 &&
        IsNumeric(ReadDesignValue(entry->text, design[size_t(confirmationLine)].labelText).trimmed());
    // A cancelled entry saved again, or a cancellation of a car never booked,
    // has nothing to tell the dispatch system.
    if (entry->cancelled && !cancelling) return false;
    if (cancelling && !confirmed) return false;

    Prompt& prompt = ctx.prompt();
    const OdsRequest request =
        ValidateODS(ctx, *entry, cancelling ? OdsAction::Cancel : OdsAction::Send);
    if (request.noBillingCodes) {
        prompt.message(OdsNoBillingCodesMessage(), OdsNoBillingCodesTitle, Icon::Exclamation);
        return false;
    }
    if (!request.missing.isEmpty()) {
        prompt.message(OdsIncompleteMessage(request.missing), OdsIncompleteTitle,
                       Icon::Exclamation);
        return false;
    }

    const OdsExchange x = TransmitToODS(ctx, request, logId);
    if (x.status != OdsExchange::Confirmed) {
        prompt.message(OdsFailureMessage(x), OdsNoConfirmationTitle, Icon::Exclamation);
        return false;
    }
    if (confirmationLine < 0) {
        prompt.message("The dispatch system confirmed the reservation with number " +
                           x.confirmation + "." + CRLF +
                           "No Logbook Field is matched to the Confirmation Number: please write "
                           "it into the entry.",
                       OdsCompleteTitle, Icon::Exclamation);
        return false;
    }

    // Read again: the number goes into the entry as it is stored now.
    entry = store.GetTheLogEntry(logId);
    if (!entry) {
        prompt.message("The dispatch system confirmed number " + x.confirmation +
                           ", but the logbook entry no longer exists.",
                       OdsCompleteTitle, Icon::Exclamation);
        return false;
    }
    QStringList values;
    for (size_t i = 0; i < design.size(); ++i)
        values << (int(i) == confirmationLine ? x.confirmation : QString());
    entry->text = WriteDesignValues(entry->text, design, values);
    if (store.UpdateLogBook(*entry, entry->cancelled) != SaveOutcome::Saved) {
        prompt.message("The dispatch system confirmed number " + x.confirmation +
                           ", but another workstation changed the logbook entry meanwhile." +
                           CRLF + "Please write the number into the entry.",
                       OdsCompleteTitle, Icon::Exclamation);
        return false;
    }
    prompt.message(OdsCompleteMessage(cancelling), OdsCompleteTitle, Icon::Information);
    return true;
}

// ------------------------------------------------------------ texts

QString OdsNoBillingCodesMessage() {
    return QStringLiteral("There are no ODS Billing Codes set up.") + CRLF +
           "Please go into the ODS Interface Options and setup" + CRLF + "create the billing codes.";
}

QString OdsIncompleteMessage(const QStringList& missing) {
    return QStringLiteral("One or more required ODS fields are incomplete.") + CRLF + CRLF +
           missing.join(CRLF);
}

QString OdsInvalidMatchupMessage() {
    return QStringLiteral("There is a problem with the way the ODS Required Field matches up") +
           CRLF + "with the matching Velmora Logbook Fields." + CRLF + CRLF +
           "You must have every field matched" + " AND " + "You may not have any Velmora Logbook Field" +
           CRLF + "defined more than one time." + CRLF + CRLF + "Please verify all fields.";
}

QString OdsCompleteMessage(bool cancelling) {
    return (cancelling ? QStringLiteral("The Reservation Cancellation is complete.")
                       : QStringLiteral("The Reservation is complete.")) +
           CRLF + "This logbook entry will be automatically Save.";
}

} // namespace vm
