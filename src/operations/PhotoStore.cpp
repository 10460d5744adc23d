// Photographs of found items in the photo folder.

#include "operations/PhotoStore.h"

#include "core/DataAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace vm {

namespace {

const QStringList kExtensions{"bmp", "gif", "jpg", "jpeg", "png"};

// The extension a picture's own format is known by ("" for none of ours).
QString formatExtension(const QString& file) {
    const QString format = QString::fromLatin1(QImageReader::imageFormat(file)).toLower();
    if (format == "jpeg" || format == "jpg") return "jpg";
    return kExtensions.contains(format) ? format : QString();
}

} // namespace

QString PhotoFolder(AppContext& ctx) {
    return ctx.start.databaseFolder + "FoundImages/";
}

bool IsSafePhotoName(const QString& name) {
    if (name.isEmpty() || name != name.trimmed() || name.size() > 200) return false;
    if (name.startsWith('.') || name.contains("..")) return false;
    for (const QChar ch : name)
        if (ch.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(ch))
            return false;
    const QFileInfo info(name);
    return !info.completeBaseName().isEmpty() && kExtensions.contains(info.suffix().toLower());
}

QString PhotoPath(AppContext& ctx, const QString& name) {
    return IsSafePhotoName(name) ? PhotoFolder(ctx) + name : QString();
}

QString DefaultPhotoName(AppContext& ctx, const QString& sourceFile) {
    QString ext = QFileInfo(sourceFile).suffix().toLower();
    if (!kExtensions.contains(ext)) ext = formatExtension(sourceFile);
    if (ext.isEmpty()) ext = "jpg";
    const QString stem = "Item_" + ctx.clock().now().toString("yyyyMMdd_HHmmss");
    QString name = stem + "." + ext;
    for (int n = 2; QFileInfo::exists(PhotoFolder(ctx) + name); ++n)
        name = stem + "_" + QString::number(n) + "." + ext;
    return name;
}

QString CheckPhotoSource(const QString& sourceFile) {
    const QFileInfo info(sourceFile);
    if (!info.isFile()) return kLfMsgPhotoNotImage;
    if (info.size() > kPhotoMaxBytes) return kLfMsgPhotoTooLarge;
    QImageReader reader(sourceFile);
    // The header says what it is; reading the size proves the reader knows it.
    if (!reader.canRead() || formatExtension(sourceFile).isEmpty() || !reader.size().isValid())
        return kLfMsgPhotoNotImage;
    return {};
}

PhotoImport ImportPhoto(AppContext& ctx, const QString& sourceFile, const QString& chosenName) {
    PhotoImport result;
    if (const QString refusal = CheckPhotoSource(sourceFile); !refusal.isEmpty()) {
        result.message = refusal;
        return result;
    }
    const QString typed = chosenName.trimmed();
    const QString name = typed.isEmpty() ? DefaultPhotoName(ctx, sourceFile) : typed;
    if (!IsSafePhotoName(name)) {
        result.message = kLfMsgPhotoBadName;
        result.title = kLfTitlePhotoName;
        return result;
    }
    const QString target = PhotoFolder(ctx) + name;
    if (QFileInfo::exists(target)) {
        result.message = kLfMsgPhotoPresent;
        result.title = kLfTitlePhotoPresent;
        return result;
    }
    QDir().mkpath(PhotoFolder(ctx));
    // QFile::copy never replaces an existing file: a name taken meanwhile fails here.
    if (!QFile::copy(sourceFile, target)) {
        result.message = QFileInfo::exists(target) ? kLfMsgPhotoPresent : kLfMsgPhotoCopyFailed;
        result.title = QFileInfo::exists(target) ? kLfTitlePhotoPresent : QString();
        return result;
    }
    result.ok = true;
    result.name = name;
    return result;
}

QStringList ListPhotos(AppContext& ctx) {
    QStringList out;
    for (const QString& name : QDir(PhotoFolder(ctx)).entryList(QDir::Files, QDir::Name))
        if (IsSafePhotoName(name)) out << name;
    return out;
}

int CountPhotoUsers(AppContext& ctx, const QString& name) {
    if (name.trimmed().isEmpty()) return 0;
    return ctx.db()
        .scalar("SELECT COUNT(*) FROM [LostAndFound] WHERE [PhotographName] = ?", {name})
        .toInt();
}

bool DeletePhoto(AppContext& ctx, const QString& name, bool clearUsers, QString* message) {
    const QString path = PhotoPath(ctx, name);
    if (path.isEmpty()) {
        if (message) *message = kLfMsgNoPhoto;
        return false;
    }
    if (CountPhotoUsers(ctx, name) > 0) {
        if (!clearUsers) {
            if (message) *message = kLfMsgPhotoInUse;
            return false;
        }
        ctx.db().exec("UPDATE [LostAndFound] SET [PhotographName] = ' ' WHERE [PhotographName] = ?",
                      {name});
    }
    return QFile::remove(path);
}

void RemovePhotoOfRecord(AppContext& ctx, const QString& name, qint64 ownerId) {
    const QString path = PhotoPath(ctx, name);
    if (path.isEmpty()) return;
    const int others = ctx.db()
                           .scalar("SELECT COUNT(*) FROM [LostAndFound] WHERE [PhotographName] = ? "
                                   "AND [ItemID] <> ?",
                                   {name, ownerId})
                           .toInt();
    if (others == 0) QFile::remove(path);
}

} // namespace vm
