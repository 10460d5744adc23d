#include "demo/DemoFolder.h"

#include "core/Databases.h"
#include "platform/LocationProvider.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace vm::demo {

namespace {

QString withSlash(QString s) {
    if (!s.endsWith('/')) s += '/';
    return s;
}

// Only a location file this program wrote for a demonstration says so.
const QString DemoMark = QStringLiteral("Demonstration");

bool isDemoLocation(const QString& folder) {
    const QString file = DemoLocationFile(folder);
    return QFileInfo::exists(file) &&
           QSettings(file, QSettings::IniFormat).value(DemoMark, false).toBool();
}

} // namespace

std::optional<QString> DemoFolderArgument(const QStringList& arguments) {
    const qsizetype at = arguments.indexOf("--demo");
    if (at < 0) return QString();
    if (at + 1 >= arguments.size() || arguments[at + 1].isEmpty() ||
        arguments[at + 1].startsWith("--"))
        return std::nullopt;
    return arguments[at + 1];
}

Workstation DemoWorkstation(const Workstation& real, const QString& folder) {
    Workstation ws = real;
    const QString root = withSlash(QDir(folder).absolutePath());
    ws.userConfigFolder = root;
    ws.userDataFolder = root + "settings/";
    return ws;
}

QString DemoLocationFile(const QString& folder) {
    return withSlash(QDir(folder).absolutePath()) + "location";
}

DemoFolderState InspectDemoFolder(const QString& folder) {
    const QString root = withSlash(QDir(folder).absolutePath());
    const bool hasDatabase = QFileInfo::exists(root + DatabaseFileName("VelmP"));
    const bool demo = isDemoLocation(folder);
    if (hasDatabase) return demo ? DemoFolderState::Ready : DemoFolderState::NotADemo;
    // A location file that is not the demonstration's belongs to someone else.
    if (QFileInfo::exists(DemoLocationFile(folder)) && !demo) return DemoFolderState::NotADemo;
    return DemoFolderState::Empty;
}

DemoPreparation PrepareDemoFolder(AppContext& ctx, const QString& folder,
                                  const GeneratorProgress& progress) {
    DemoPreparation out;
    const QString root = withSlash(QDir(folder).absolutePath());
    if (!QDir().mkpath(root)) {
        out.error = "The folder " + root + " cannot be created.";
        return out;
    }
    switch (InspectDemoFolder(root)) {
    case DemoFolderState::Ready:
        out.ok = true;
        return out;
    case DemoFolderState::NotADemo:
        out.error = "The folder " + root +
                    " holds a property or a location file that is not a demonstration; it is "
                    "left as it is.  Please name an empty folder.";
        return out;
    case DemoFolderState::Empty:
        break;
    }
    if (!WriteLocationFile(DemoLocationFile(root), {{"Folder", root}, {DemoMark, "true"}})) {
        out.error = "The location file " + DemoLocationFile(root) + " cannot be written.";
        return out;
    }
    QDir().mkpath(ctx.workstation.userDataFolder);

    // Written aside and moved in whole: a folder holds a property only once
    // it is complete.
    const QString scratch = root + "generating/";
    QDir(scratch).removeRecursively();
    QDir().mkpath(scratch);
    const StartupState before = ctx.start;
    ctx.start.databaseFolder = scratch;
    ctx.start.postgres.clear();
    try {
        if (const int rc = OpenDatabase(ctx); rc != 0) {
            out.error = OpenFailureMessage(ctx, rc);
            CloseDatabase(ctx);
            ctx.start = before;
            return out;
        }
        PropertyGenerator generator(ctx, PropertySize::Demo());
        generator.setProgress(progress);
        generator.generate();
        CloseDatabase(ctx);
    } catch (const std::exception& e) {
        CloseDatabase(ctx);
        ctx.start = before;
        out.error = QString("The demonstration property could not be generated: ") + e.what();
        QDir(scratch).removeRecursively();
        return out;
    }
    ctx.start = before;
    const QStringList made =
        QDir(scratch).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    // The current database last: its presence marks the property as there.
    QStringList order = made;
    order.removeAll(DatabaseFileName("VelmP"));
    order << DatabaseFileName("VelmP");
    for (const QString& name : order) {
        if (!made.contains(name)) continue;
        QFile::remove(root + name);
        if (!QDir().rename(scratch + name, root + name)) {
            out.error = "The demonstration property could not be moved into " + root + ".";
            return out;
        }
    }
    QDir(scratch).removeRecursively();
    out.ok = true;
    out.generated = true;
    return out;
}

QString DemoLogonText(const PropertySize& size) {
    QString text = "Logons of the demonstration property (logon name / password):\n";
    for (const DemoLogon& l : PropertyGenerator::Logons(size.staff))
        text += QString("  %1 %2 %3 (%4)\n")
                    .arg(l.logon, -10)
                    .arg(l.password, -10)
                    .arg(l.name, -14)
                    .arg(l.role);
    return text;
}

} // namespace vm::demo
