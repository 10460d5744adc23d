#include "output/PictureFile.h"

#include <QFile>

namespace vm {
namespace {

int BigEndian16(const QByteArray& b, qsizetype at) {
    return (quint8(b[at]) << 8) | quint8(b[at + 1]);
}

qint64 BigEndian32(const QByteArray& b, qsizetype at) {
    return (qint64(BigEndian16(b, at)) << 16) | BigEndian16(b, at + 2);
}

// A PNG file opens with its signature, then the IHDR chunk whose first two
// fields are the width and the height.
bool ReadPngSize(const QByteArray& b, PictureFile& p) {
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (b.size() < 24 || !b.startsWith(signature) || b.mid(12, 4) != "IHDR") return false;
    const qint64 w = BigEndian32(b, 16), h = BigEndian32(b, 20);
    if (w > INT_MAX || h > INT_MAX) return false;
    p.width = int(w);
    p.height = int(h);
    return true;
}

// A JPEG file is a chain of marked segments; the size sits in the first
// start-of-frame segment (markers C0-CF except C4, C8 and CC), which comes
// before the first scan.
bool ReadJpegSize(const QByteArray& b, PictureFile& p) {
    if (b.size() < 4 || quint8(b[0]) != 0xFF || quint8(b[1]) != 0xD8) return false;
    qsizetype at = 2;
    while (at + 4 <= b.size()) {
        if (quint8(b[at]) != 0xFF) return false;
        const quint8 marker = quint8(b[at + 1]);
        if (marker == 0xFF) { // fill byte before a marker
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            at += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return false; // scan or end before any frame
        const int length = BigEndian16(b, at + 2);
        if (length < 2) return false;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > b.size() || length < 7) return false;
            p.height = BigEndian16(b, at + 5);
            p.width = BigEndian16(b, at + 7);
            return true;
        }
        at += 2 + length;
    }
    return false;
}

} // namespace

std::optional<PictureFile> PictureOf(QByteArray bytes) {
    PictureFile p;
    if (ReadPngSize(bytes, p))
        p.kind = PictureFile::Kind::Png;
    else if (ReadJpegSize(bytes, p))
        p.kind = PictureFile::Kind::Jpeg;
    else
        return std::nullopt;
    if (p.width <= 0 || p.height <= 0) return std::nullopt;
    p.bytes = std::move(bytes);
    return p;
}

std::optional<PictureFile> ReadPictureFile(const QString& path) {
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return PictureOf(f.readAll());
}

} // namespace vm
