#include "platform/Desktop.h"

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

} // namespace vm
