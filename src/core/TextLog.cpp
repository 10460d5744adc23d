#include "core/TextLog.h"

#include "core/Formats.h"

#include <QFile>
#include <QLockFile>

namespace vm {

namespace {
bool appendLines(const QString& path, const QStringList& lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toUtf8() + "\r\n";
    const bool ok = f.write(bytes) == bytes.size();
    f.close();
    return ok;
}
} // namespace

bool LogMessage(const QString& databaseFolder, const QString& line, const Clock& clock) {
    const QString path = databaseFolder + SharedLogName;
    // Workstations append to the same file: take turns.
    QLockFile lock(path + ".lock");
    lock.setStaleLockTime(10000);
    const bool locked = lock.tryLock(3000);
    QStringList lines;
    if (!QFile::exists(path))
        lines << "Logging File Created " + Formats::StoredDateTime(clock.now());
    lines << line;
    const bool ok = appendLines(path, lines);
    if (locked) lock.unlock();
    return ok;
}

bool LogDebug(const QString& folder, const QString& line) {
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith('/')) path += '/';
    path += "Debug.Log";
    if (line.compare("RESET", Qt::CaseInsensitive) == 0)
        return !QFile::exists(path) || QFile::remove(path);
    return appendLines(path, {line});
}

} // namespace vm
