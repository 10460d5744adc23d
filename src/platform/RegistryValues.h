#pragma once
// The two registry values of the program, kept in INI files under the user's
// and the system's configuration folders (key Software/Orvanta/VmDatabase).

#include "platform/Workstation.h"

namespace vm {

class RegistryValues {
public:
    explicit RegistryValues(const Workstation& ws) : m_ws(ws) {}
    // Per user: the full path of the current database, read by companion programs.
    void setFullDbPath(const QString& path);
    QString fullDbPath() const;
    // Machine-wide: the database folder in masked mode.
    QString location() const;
    void setLocation(const QString& folder);

private:
    const Workstation& m_ws;
};

// Profile-string access to an INI file (VmSettings.ini and friends).
QString INIRead(const QString& section, const QString& key, const QString& file,
                const QString& defaultValue = {});
bool INIWrite(const QString& section, const QString& key, const QString& value,
              const QString& file);

} // namespace vm
