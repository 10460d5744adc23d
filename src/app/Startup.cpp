#include "app/Startup.h"

#include "core/Databases.h"
#include "core/Settings.h"
#include "core/StartOfDay.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace vm {

namespace {
const QString Masked = QStringLiteral("Corvella Masked");
const QString LF = QStringLiteral("\n");
} // namespace

QString CurrencySymbol() {
    const QString s = QLocale::system().currencySymbol();
    return s.isEmpty() ? QString(" ") : s;
}

void ApplyProviderAnswer(AppContext& ctx, const QString& answer, const RegistryValues& registry) {
    const QString text = answer.trimmed();
    ctx.start.providerAnswer = text;
    if (text.left(15) == Masked) {
        ctx.start.masked = true;
        ctx.start.currentBase = "VelmPM";
        ctx.start.archiveBase = "VelmAM";
        ctx.start.commonBase = "VelmCEM";
        QString folder = registry.location();
        if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';
        ctx.start.databaseFolder = folder;
        return;
    }
    ctx.start.masked = false;
    ctx.start.currentBase = "VelmP";
    ctx.start.archiveBase = "VelmA";
    ctx.start.commonBase = "VelmCE";
    // An answer without any separator leaves the folder empty.
    ctx.start.databaseFolder = text.left(text.lastIndexOf('/') + 1);
}

void SavePathToRegistry(const AppContext& ctx, RegistryValues& registry) {
    // The file OpenDatabase opens, made absolute: an empty folder is the
    // current directory, not the root of the file system.  On a server the
    // path keeps the same form, built from the database folder.
    const DbLocation where = LocationFor(ctx, ctx.start.currentBase);
    const QString file = where.engine == Engine::SQLite
                             ? where.file
                             : ctx.start.databaseFolder + DatabaseFileName(ctx.start.currentBase);
    registry.setFullDbPath(QFileInfo(file).absoluteFilePath());
}

bool ShowsSplash(const QString& executableName) {
    // The desk program under its historic names and under this build's name;
    // the names compare exactly, case included.
    return executableName == "VelmM" || executableName == "@VelmM" || executableName == "velmora";
}

QString RefusalToRunFromServer(const AppContext& ctx) {
    const QString program = QDir::cleanPath(ctx.workstation.programFolder) + "/";
    const QString database = ctx.start.databaseFolder.isEmpty()
                                 ? QString()
                                 : QDir::cleanPath(ctx.start.databaseFolder) + "/";
    if (program != database) return {};
    const QString CR = "\r";
    return "You may NOT run the program from the network." + CR +
           "Please call your IT support person to repair your shortcut." + CR + CR +
           "The shortcut should call the program from the installation directory" + CR + "(" +
           ctx.workstation.programFolder + ") on your computer." + CR + "Thank you.";
}

VersionCheck CheckNewVersion(const AppContext& ctx) {
    const QFileInfo local(ctx.workstation.programFolder + "/" + ctx.workstation.executableName);
    const QFileInfo shared(ctx.start.databaseFolder + ctx.workstation.executableName);
    if (!local.exists() || !shared.exists() || ctx.start.databaseFolder.isEmpty())
        return VersionCheck::Current;
    if (local.lastModified() >= shared.lastModified()) return VersionCheck::Current;
    return CanWriteFolder(ctx.workstation.programFolder) ? VersionCheck::Launch
                                                         : VersionCheck::Message;
}

QString NewVersionMessage(const AppContext& ctx) {
    return "There is a NEW version of Velmora" + LF + "available in " + ctx.start.databaseFolder +
           "." + LF + LF + "Will you please contact your IT Representative" + LF +
           "to request that someone with Administrative rights" + LF +
           "copy the two programs (VelmM.exe and VelmMaint.exe) to" + LF +
           ctx.workstation.programFolder + ".  Thank you.";
}

QString VersionText() {
    const QStringList v = QString(VELMORA_VERSION).split('.');
    return v.value(0) + "." + v.value(1) + ".0." + v.value(2, "0") + " (C31)";
}

void PrepareLocalSettings(AppContext& ctx) {
    const QString ini = ctx.iniFile();
    if (!QFileInfo::exists(ini)) {
        QFile f(ini);
        if (f.open(QIODevice::WriteOnly)) f.write("[Settings]\r\nSkin=WinXPLuna\r\n");
    }
    INIWrite("Settings", "Vm_Version", VersionText(), ini);
}

void StoreVmSettingsDefaults(AppContext& ctx) {
    Database& db = ctx.db();
    if (GetVmSetting(db, "OdsLimoInterface").trimmed().isEmpty())
        SetValueFromKey(db, "OdsLimoInterface", "false", &ctx.prompt());
    const QString provider = GetVmSetting(db, "MapProvider").trimmed();
    if (provider.isEmpty() || provider == "GOOGLE")
        SetValueFromKey(db, "MapProvider", "Google", &ctx.prompt());
    if (GetVmSetting(db, "MapURL").trimmed().isEmpty())
        SetValueFromKey(db, "MapURL", "https://www.openstreetmap.org/search?query=", &ctx.prompt());
    if (GetVmSetting(db, "PropertyID").trimmed().isEmpty())
        SetValueFromKey(db, "PropertyID", "0", &ctx.prompt());
}

int LoadMainWindowData(AppContext& ctx) {
    ctx.workstation.ensureFolders();
    PrepareLocalSettings(ctx);
    ctx.start.windowsUser = ctx.workstation.userName.toLower();
    const int rc = OpenDatabase(ctx);
    if (rc != 0) return rc;
    if (ctx.start.writable) {
        StoreVmSettingsDefaults(ctx);
        RunStartOfDay(ctx);
    }
    return 0;
}

} // namespace vm
