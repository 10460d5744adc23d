#pragma once
// Tells where the shared databases are.  The answer keeps its historic form:
// either a database folder followed by the encrypted key template of the card
// cipher ("/srv/velmora/<hex>"), or "Corvella Masked" + the encrypted template.
//
// The provider reads the file `location` (INI) from the user's configuration
// folder, else from the system's.  Keys:
//   Folder      database folder (shared files, text log, web pages)
//   KeyTemplate encrypted key template (hex)
//   Masked      true for masked mode
//   PostgreSQL  libpq connection keywords; when set the databases live on that server
//   Schema      PostgreSQL schema (optional)
// With no file anywhere, the embedded default is used: the folder "Database"
// in the per-user data folder, written to the user's `location` file.  The key
// template is added when the databases open (core/CardKey.h).  A location file
// is readable and writable by its owner only: it holds the card key template.

#include "platform/Workstation.h"

namespace vm {

struct LocationInfo {
    QString folder;      // ends in "/", may be empty
    QString keyTemplate; // encrypted (hex)
    bool masked = false;
    QString postgres; // empty = SQLite files in the folder
    QString schema;
    QString sourceFile; // the location file that was read
};

class LocationProvider {
public:
    explicit LocationProvider(const Workstation& ws) : m_ws(ws) {}
    // The answer in its historic form.
    QString answer();
    LocationInfo info();

private:
    LocationInfo read(const QString& file) const;
    const Workstation& m_ws;
};

// Writes the (encrypted) key template into the location file `file`, keeping
// its other keys; answers false when the file cannot be written.
bool StoreKeyTemplate(const QString& file, const QString& encryptedTemplate);

// Writes keys into a location file and leaves it owner-only (0600), also when
// it existed with a looser mode: the mode is narrowed before anything is
// written, so the template is never readable by others.
bool WriteLocationFile(const QString& file, const QList<QPair<QString, QString>>& values);

} // namespace vm
