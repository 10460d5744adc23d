#pragma once
// Photographs of found items: image files in the photo folder beside the data
// (databaseFolder + "FoundImages/").  A record keeps only the file name.  Every
// name that reaches the disk is a plain base name checked here, so nothing is
// ever written or deleted outside the folder.

#include "core/AppContext.h"

#include <QStringList>

namespace vm {

// Largest photograph taken in.
inline constexpr qint64 kPhotoMaxBytes = 10 * 1024 * 1024;

inline const QString kLfPhotoPrompt = QStringLiteral("Please enter a descriptive file name below.");
inline const QString kLfPhotoPromptDefault = QStringLiteral(
    "Listed below is the default file name. If you wish to change the name, you may do so below.");
inline const QString kLfTitlePhotoName = QStringLiteral("Photo File Name");
inline const QString kLfMsgPhotoPresent =
    QStringLiteral("The file name you chose is already present. Please modify the name.");
inline const QString kLfTitlePhotoPresent = QStringLiteral("File Present");
inline const QString kLfMsgPhotoConfirmDelete =
    QStringLiteral("Are you sure you wish to DELETE the selected Photo?");
inline const QString kLfTitlePhotoConfirmDelete = QStringLiteral("Confirm Delete");
inline const QString kLfMsgNoPhoto = QStringLiteral("No photograph selected.");
inline const QString kLfMsgPhotoBadName = QStringLiteral(
    "Please enter a plain file name ending in .bmp, .gif, .jpg, .jpeg or .png, without folders.");
inline const QString kLfMsgPhotoNotImage =
    QStringLiteral("The file chosen is not a picture that can be shown.  No action will occur.");
inline const QString kLfMsgPhotoTooLarge =
    QStringLiteral("The picture is larger than 10 MB.  Please choose a smaller file.");
inline const QString kLfMsgPhotoCopyFailed =
    QStringLiteral("The picture could not be copied into the photo folder.");
inline const QString kLfMsgPhotoInUse = QStringLiteral(
    "This Photo belongs to a Lost and Found entry.  Remove it from the entry before deleting it.");
// The import dialog's filter.
inline const QString kLfPhotoFilter =
    QStringLiteral("Graphic Files (*.bmp *.gif *.jpg *.jpeg *.png);;All Files (*)");

// databaseFolder + "FoundImages/" (created on demand by the writers).
QString PhotoFolder(AppContext& ctx);
// The full path of a stored photograph; "" when `name` is not a safe name.
QString PhotoPath(AppContext& ctx, const QString& name);
// A safe base name: no separators, no "..", extension bmp/gif/jpg/jpeg/png.
bool IsSafePhotoName(const QString& name);
// A proposed name for a picture: "Item_" + a unique part + the source's extension.
QString DefaultPhotoName(AppContext& ctx, const QString& sourceFile);

struct PhotoImport {
    bool ok = false;
    QString name;    // the stored name when ok
    QString message; // the refusal otherwise
    QString title;
};
// The refusal of a source file ("" = may be taken): readable image, size limit.
QString CheckPhotoSource(const QString& sourceFile);
// Copies `sourceFile` into the folder as `chosenName` (a typed name or the
// default).  Never replaces an existing file.
PhotoImport ImportPhoto(AppContext& ctx, const QString& sourceFile, const QString& chosenName);

// The pictures in the folder, by name.
QStringList ListPhotos(AppContext& ctx);
// Records that use the picture.
int CountPhotoUsers(AppContext& ctx, const QString& name);
// Deletes a picture.  While records use it: refused (false, kLfMsgPhotoInUse in
// `message`), or with `clearUsers` their PhotographName is cleared first.
bool DeletePhoto(AppContext& ctx, const QString& name, bool clearUsers, QString* message = nullptr);
// Removes the picture file of a record that is going away, unless a record
// other than `ownerId` still names it.
void RemovePhotoOfRecord(AppContext& ctx, const QString& name, qint64 ownerId);

} // namespace vm
