#include "platform/Workstation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

namespace vm {

namespace {
QString withSlash(QString s) {
    if (!s.endsWith('/')) s += '/';
    return s;
}
} // namespace

Workstation Workstation::detect() {
    Workstation w;
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
    w.userName = user.toLower();
    w.computerName = QSysInfo::machineHostName();
    w.programFolder = QCoreApplication::applicationDirPath();
    w.executableName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    w.userDataFolder = withSlash(data) + "Orvanta/Velmora/";
    const QStringList shared =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    QString common = shared.size() > 1 ? shared.last() : QString("/usr/local/share");
    w.commonDataFolder = withSlash(common) + "Orvanta/Velmora/";
    w.userConfigFolder =
        withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
        "Orvanta/";
    const QStringList configs =
        QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    w.systemConfigFolder = withSlash(configs.size() > 1 ? configs.last() : "/etc/xdg") + "Orvanta/";
    return w;
}

Workstation Workstation::under(const QString& root) {
    Workstation w;
    const QString r = withSlash(root);
    w.userName = "tester";
    w.computerName = "DESK-1";
    w.programFolder = r + "program";
    w.executableName = "velmora";
    w.userDataFolder = r + "home/Orvanta/Velmora/";
    w.commonDataFolder = r + "common/Orvanta/Velmora/";
    w.userConfigFolder = r + "config/Orvanta/";
    w.systemConfigFolder = r + "etc/Orvanta/";
    QDir().mkpath(w.programFolder);
    return w;
}

bool Workstation::ensureFolders() const {
    // The common folder may need rights this user lacks; only the user's must exist.
    QDir().mkpath(commonDataFolder);
    return QDir().mkpath(userDataFolder);
}

QString Workstation::outputFolder() const {
    return CanWriteFolder(programFolder) ? withSlash(programFolder) : userDataFolder;
}

bool CanWriteFolder(const QString& folder) {
    QFile f(withSlash(folder) + "Test.txt");
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.close();
    f.remove();
    return true;
}

} // namespace vm
