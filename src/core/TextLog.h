#pragma once
// The shared text log (VelmS.mdb in the database folder, a plain text file
// every workstation appends to) and the workstation's debug log.

#include "platform/Clock.h"

#include <QString>

namespace vm {

// Appends one line; creates the file with its header line first when missing.
// Answers false when the file could not be written (logging never interrupts work).
bool LogMessage(const QString& databaseFolder, const QString& line, const Clock& clock);
// Appends to Debug.Log in `folder`; the text "RESET" (any case) deletes the file.
bool LogDebug(const QString& folder, const QString& line);

inline const QString SharedLogName = QStringLiteral("VelmS.mdb");

} // namespace vm
