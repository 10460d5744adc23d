#include "logbook/forms/RecordDump.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/TextLog.h"
#include "logbook/LogbookCounts.h"
#include "security/Audit.h"

#include <QSaveFile>

namespace vm {

namespace {

// The shared log's line and the collector's event, for every outcome.
void audit(AppContext& ctx, bool written, const QString& what) {
    LogMessage(ctx.start.databaseFolder,
               "User: " + ctx.session.name + " " + what +
                   " on: " + Formats::AuditStamp(ctx.clock().now()) +
                   " at PC Named: " + ctx.workstation.computerName,
               ctx.clock());
    SendSyslogMessage(ctx, PCIDSS(PCIDSS::AuditTrailAccess, written, CurrentEmployeeId(ctx)));
}

// A reader of the file never sees half a record: the text goes to a
// temporary file that replaces the old one only once it is complete.
bool writeWhole(const QString& path, const QString& text) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = text.toUtf8();
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace

QString DumpLogbookRecord(AppContext& ctx, qint64 logId, LogSource source) {
    const QString entry = "the Logbook Entry " + QString::number(logId);
    if (!ctx.session.manager) {
        ctx.prompt().message(MsgRecordDumpManagers);
        audit(ctx, false, "was refused the record export of " + entry);
        return {};
    }
    const auto typed =
        ctx.prompt().input("Please enter a password to continue.", "Password Entry", {}, true);
    if (!typed) return {};
    if (*typed != RecordDumpCodeWord) {
        audit(ctx, false, "gave a wrong password for the record export of " + entry);
        return {};
    }
    try {
        Database& db = source == LogSource::Archive && ctx.archive ? *ctx.archive : ctx.db();
        const QString text = GetLogbookRecordText(db, logId);
        const QString file = ctx.workstation.outputFolder() + RecordDumpFileName;
        if (!writeWhole(file, text)) {
            ctx.prompt().message("The Logbook record could not be written to " + file + ".", {},
                                 Icon::Exclamation);
            audit(ctx, false, "could not write the record export of " + entry + " to " + file);
            return {};
        }
        audit(ctx, true, "Exported the stored record of " + entry + " to " + file);
        ctx.desktop().openFile(file);
        return file;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetLogbookRecordText", "modDatabase");
        return {};
    }
}

} // namespace vm
