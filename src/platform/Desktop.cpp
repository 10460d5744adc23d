#include "platform/Desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace vm {

bool IsProgramFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) return false;
    // Names the shell of either system starts rather than shows, even on a
    // share mounted without execute bits.
    static const QSet<QString> runnable{"exe", "com",     "bat",      "cmd", "msi",    "msp", "scr",
                                        "pif", "cpl",     "lnk",      "url", "vbs",    "vbe", "js",
                                        "jse", "wsf",     "wsh",      "ps1", "hta",    "jar", "reg",
                                        "sh",  "desktop", "appimage", "run", "command"};
    if (runnable.contains(info.suffix().toLower())) return true;
    return info.exists() && info.isExecutable();
}

QString HelperProgramPath(const QString& folder, const QString& name) {
    const QDir dir(folder);
    for (const QString& file : {name, name + ".exe"})
        if (QFileInfo(dir.filePath(file)).isFile()) return dir.filePath(file);
    return {};
}

} // namespace vm
