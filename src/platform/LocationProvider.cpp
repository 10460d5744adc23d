#include "platform/LocationProvider.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace vm {

namespace {
constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
}

bool WriteLocationFile(const QString& file, const QList<QPair<QString, QString>>& values) {
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) return false;
    QFile f(file);
    // Created empty and narrowed before the first key goes in; the settings
    // writer then replaces the file with one of the same mode.
    if (!f.exists() && !f.open(QIODevice::WriteOnly)) return false;
    f.close();
    if (!f.setPermissions(OwnerOnly)) return false;
    QSettings s(file, QSettings::IniFormat);
    for (const auto& [key, value] : values)
        s.setValue(key, value);
    s.sync();
    return s.status() == QSettings::NoError && f.setPermissions(OwnerOnly);
}

bool StoreKeyTemplate(const QString& file, const QString& encryptedTemplate) {
    return !file.isEmpty() && WriteLocationFile(file, {{"KeyTemplate", encryptedTemplate}});
}

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
    // The embedded default: a database folder of this user, kept in the
    // user's location file.
    LocationInfo info;
    info.folder = m_ws.userDataFolder + "Database/";
    info.sourceFile = m_ws.userConfigFolder + "location";
    QDir().mkpath(info.folder);
    WriteLocationFile(info.sourceFile, {{"Folder", info.folder}});
    return info;
}

QString LocationProvider::answer() {
    const LocationInfo i = info();
    if (i.masked) return "Corvella Masked" + i.keyTemplate;
    return i.folder + i.keyTemplate;
}

} // namespace vm
