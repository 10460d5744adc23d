#pragma once
// The bytes and pixel size of a PNG or JPEG picture file, read without an
// image library: the RTF file embeds pictures as they are and only needs to
// know what they are and how big.

#include <QByteArray>
#include <QString>
#include <optional>

namespace vm {

struct PictureFile {
    enum class Kind { Png, Jpeg };
    Kind kind = Kind::Png;
    QByteArray bytes; // the whole file
    int width = 0;    // pixels
    int height = 0;
};

// The picture in `bytes`; nothing when they are neither a PNG nor a JPEG
// picture or their size cannot be found.
std::optional<PictureFile> PictureOf(QByteArray bytes);
// The same for a file; nothing when the file cannot be read either.
std::optional<PictureFile> ReadPictureFile(const QString& path);

} // namespace vm
