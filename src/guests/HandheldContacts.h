#pragma once
// The hand-held contact file: every contact of the directory, with a name
// index and one keyword row per keyword, in a SQLite file of its own
// ("PalmSync/ContactS.db" under the output folder) that the hand-held's
// synchronisation picks up.

#include "core/AppContext.h"

namespace vm {

struct HandheldContactsResult {
    bool ok = false;
    int contacts = 0;
    int keywords = 0; // KeySearch rows
    QString path;     // the file written
    QString message;  // what to tell the member
};

inline const QString HandheldContactFile = QStringLiteral("ContactS.db");

// The folder the hand-held files live in.
QString HandheldFolder(AppContext& ctx);

// Rebuilds `folder`/ContactS.db: tables Contact, Search and KeySearch, by
// contact name.  The file is written beside the old one and takes its place
// only when complete, so it is whole or absent.
HandheldContactsResult BuildHandheldContactFile(AppContext& ctx, const QString& folder);

inline const QString HandheldButtonText = QStringLiteral("Build Palm Contact Synchronization File");
inline const QString HandheldExtractText = QStringLiteral("Extract All Contact Entries");
inline const QString HandheldHintText =
    QStringLiteral("This button will rebuild the Palm Synchronization file with all Contacts.");
QString MsgHandheldContactsBuilt(int contacts, const QString& path);
QString MsgHandheldContactsNotWritten(const QString& folder);

} // namespace vm
