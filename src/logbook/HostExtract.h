#pragma once
// The hand-held extract: the entries of a period split into their designed
// fields, in a file of its own ("PalmSync/LogSync.db" under the output
// folder) that the hand-held's synchronisation picks up.

#include "core/AppContext.h"

#include <QDate>

namespace vm {

struct HostExtractResult {
    bool ok = false;
    int entries = 0;
    QString path;    // the file written
    QString message; // why nothing was written
};

inline const QString HostExtractFolder = QStringLiteral("PalmSync");
inline const QString HostExtractFile = QStringLiteral("LogSync.db");

// The status word of an entry in the extract: a cancelled entry first, then
// complete, then pending; any other is "Incomplete".
QString HostStatus(bool pending, bool cancelled, bool complete);

// Rebuilds the file from the current logbook's entries whose ReferDate lies
// from `from` to `to`, by guest name.  The file is built beside the old one
// and takes its place only when complete: a failure leaves the old file (or
// none) and no partial one.
HostExtractResult BuildHostTable(AppContext& ctx, const QDate& from, const QDate& to);

QString MsgHostExtractNotWritten(const QString& folder);
QString MsgHostExtractBuilt(int entries, const QString& path);

} // namespace vm
