#include "platform/LocationProvider.h"

#include "platform/Cipher.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace vm {

LocationInfo LocationProvider::read(const QString& file) const {
    QSettings s(file, QSettings::IniFormat);
    LocationInfo info;
    info.folder = s.value("Folder").toString().trimmed();
    if (!info.folder.isEmpty() && !info.folder.endsWith('/')) info.folder += '/';
    info.keyTemplate = s.value("KeyTemplate").toString().trimmed();
    info.masked = s.value("Masked", false).toBool();
    info.postgres = s.value("PostgreSQL").toString().trimmed();
    info.schema = s.value("Schema").toString().trimmed();
    info.sourceFile = file;
    return info;
}

LocationInfo LocationProvider::info() {
    for (const QString& folder : {m_ws.userConfigFolder, m_ws.systemConfigFolder}) {
        const QString file = folder + "location";
        if (QFileInfo::exists(file)) return read(file);
    }
    // The embedded default: a database folder of this user, and a key template
    // made once and kept in the user's location file.
    LocationInfo info;
    info.folder = m_ws.userDataFolder + "Database/";
    info.keyTemplate = EncryptOriginal(NewKeyTemplate(), false, CipherKeys::builtIn(false));
    info.sourceFile = m_ws.userConfigFolder + "location";
    QDir().mkpath(m_ws.userConfigFolder);
    QDir().mkpath(info.folder);
    QSettings s(info.sourceFile, QSettings::IniFormat);
    s.setValue("Folder", info.folder);
    s.setValue("KeyTemplate", info.keyTemplate);
    s.sync();
    return info;
}

QString LocationProvider::answer() {
    const LocationInfo i = info();
    if (i.masked) return "Corvella Masked" + i.keyTemplate;
    return i.folder + i.keyTemplate;
}

} // namespace vm
