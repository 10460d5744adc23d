#include "platform/RegistryValues.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace vm {

namespace {
constexpr auto KeyGroup = "Software/Orvanta/VmDatabase";
}

void RegistryValues::setFullDbPath(const QString& path) {
    QDir().mkpath(m_ws.userConfigFolder);
    QSettings s(m_ws.userConfigFolder + "VmDatabase.ini", QSettings::IniFormat);
    s.beginGroup(KeyGroup);
    s.setValue("FullDbPath", path);
    s.endGroup();
    s.sync();
}

QString RegistryValues::fullDbPath() const {
    QSettings s(m_ws.userConfigFolder + "VmDatabase.ini", QSettings::IniFormat);
    return s.value(QString(KeyGroup) + "/FullDbPath").toString();
}

QString RegistryValues::location() const {
    QSettings s(m_ws.systemConfigFolder + "VmDatabase.ini", QSettings::IniFormat);
    QString v = s.value(QString(KeyGroup) + "/Location").toString();
    const int nul = v.indexOf(QChar(0));
    return nul >= 0 ? v.left(nul) : v;
}

void RegistryValues::setLocation(const QString& folder) {
    QDir().mkpath(m_ws.systemConfigFolder);
    QSettings s(m_ws.systemConfigFolder + "VmDatabase.ini", QSettings::IniFormat);
    s.setValue(QString(KeyGroup) + "/Location", folder);
    s.sync();
}

QString INIRead(const QString& section, const QString& key, const QString& file,
                const QString& defaultValue) {
    if (!QFileInfo::exists(file)) return defaultValue;
    QSettings s(file, QSettings::IniFormat);
    return s.value(section + "/" + key, defaultValue).toString();
}

bool INIWrite(const QString& section, const QString& key, const QString& value,
              const QString& file) {
    QSettings s(file, QSettings::IniFormat);
    s.setValue(section + "/" + key, value);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace vm
