#pragma once
// The entry screen's hidden record dump (Ctrl+Shift+T): the stored row of an
// entry as "name: value" lines in a text file, for a manager who knows the
// code word.  Every attempt is audited, refused ones too.

#include "core/AppContext.h"
#include "logbook/LogEntry.h"

namespace vm {

inline const QString RecordDumpCodeWord = QStringLiteral("VELMORADUMPS");
inline const QString RecordDumpFileName = QStringLiteral("LogbookRecord.txt");
inline const QString MsgRecordDumpManagers =
    QStringLiteral("You are not authorized to Export the Logbook Record.");

// Asks for the code word and writes the file whole (or not at all) to the
// output folder, then opens it.  Answers the file, "" when nothing was written.
QString DumpLogbookRecord(AppContext& ctx, qint64 logId, LogSource source);

} // namespace vm
