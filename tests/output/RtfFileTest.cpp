// Pictures embedded in the RTF file and the file written whole or not at all.

#include "output/Pandoc.h"
#include "output/PictureFile.h"
#include "output/RtfWriter.h"
#include "support/TestEnv.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm {
namespace {

using namespace doc;

QString SavedPicture(const QTemporaryDir& dir, const QString& name, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 60));
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

Document WithImage(const Image& image) {
    Document d;
    d.body << Para("above") << image << Para("below");
    return d;
}

// ---- pictures ----

struct PictureCase {
    const char* name;
    const char* file;
    double width, height; // inches asked for
    QByteArray blip;
    QByteArray goal; // twips
};
void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfPicture : public ::testing::TestWithParam<PictureCase> {};

// 240 x 120 pixels; at 96 dpi 2.5 x 1.25 inches.
TEST_P(RtfPicture, IsEmbeddedAsTheFileItIs) {
    QTemporaryDir dir(test::TestFolderTemplate());
    const QString path = SavedPicture(dir, GetParam().file, 240, 120);
    Image image;
    image.path = path;
    image.widthInches = GetParam().width;
    image.heightInches = GetParam().height;
    const QByteArray rtf = RtfOf(WithImage(image));

    const QByteArray pict = test::GroupAt(rtf, rtf.indexOf("{\\pict"));
    ASSERT_FALSE(pict.isEmpty()) << rtf.toStdString();
    EXPECT_TRUE(
        pict.startsWith("{\\pict" + GetParam().blip + "\\picw240\\pich120" + GetParam().goal))
        << pict.left(80).toStdString();
    QByteArray hex = pict.mid(pict.indexOf('\n'));
    hex.chop(1);
    EXPECT_EQ(QByteArray::fromHex(hex), FileBytes(path));

    // The reader gets the very bytes of the file back.
    const QString native = test::PandocOf(rtf, "native");
    const QByteArray sha1 = QCryptographicHash::hash(FileBytes(path), QCryptographicHash::Sha1);
    EXPECT_TRUE(native.contains(QString::fromLatin1(sha1.toHex()))) << native.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfPicture,
    ::testing::Values(
        PictureCase{"PngOwnSize", "logo.png", 0, 0, "\\pngblip", "\\picwgoal3600\\pichgoal1800"},
        PictureCase{"JpegOwnSize", "logo.jpg", 0, 0, "\\jpegblip", "\\picwgoal3600\\pichgoal1800"},
        PictureCase{"WidthKeepsAspect", "logo.png", 2, 0, "\\pngblip",
                    "\\picwgoal2880\\pichgoal1440"},
        PictureCase{"HeightKeepsAspect", "logo.png", 0, 0.5, "\\pngblip",
                    "\\picwgoal1440\\pichgoal720"},
        PictureCase{"BothGiven", "logo.jpg", 1, 1, "\\jpegblip", "\\picwgoal1440\\pichgoal1440"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfPicture, AlignedOrPlacedFromTheMargin) {
    QTemporaryDir dir(test::TestFolderTemplate());
    Image image;
    image.path = SavedPicture(dir, "logo.png", 10, 10);
    image.align = Align::Center;
    const QByteArray centred = RtfOf(WithImage(image));
    EXPECT_TRUE(test::LineWith(centred, "{\\pict").startsWith("\\pard\\plain\\qc\\f0"));
    image.leftInches = 1.5;
    const QByteArray placed = RtfOf(WithImage(image));
    EXPECT_TRUE(test::LineWith(placed, "{\\pict").startsWith("\\pard\\plain\\ql\\li2160\\f0"));
}

// A picture that cannot be embedded is left out; the text around it stays.
TEST(RtfPicture, AnUnusableFileIsLeftOut) {
    QTemporaryDir dir(test::TestFolderTemplate());
    const QByteArray png = FileBytes(SavedPicture(dir, "good.png", 8, 8));
    WriteBytes(dir.filePath("picVmLogo.gif"), QByteArray("GIF89a\x08\x00\x08\x00\x80\x00\x00", 13));
    WriteBytes(dir.filePath("cut.png"), png.left(20));
    WriteBytes(dir.filePath("text.png"), "not a picture at all");
    for (const QString name : {"picVmLogo.gif", "cut.png", "text.png", "missing.png", ""}) {
        Image image;
        image.path = name.isEmpty() ? QString() : dir.filePath(name);
        const QByteArray rtf = RtfOf(WithImage(image));
        EXPECT_FALSE(rtf.contains("\\pict")) << name.toStdString();
        EXPECT_EQ(test::PandocOf(rtf, "plain").trimmed(), "above\n\nbelow") << name.toStdString();
    }
}

struct ProbeCase {
    const char* name;
    QByteArray bytes;
    bool found;
    int width, height;
};
void PrintTo(const ProbeCase& c, std::ostream* os) {
    *os << c.name;
}

QByteArray Jpeg(const QByteArray& segmentsBeforeFrame, quint8 frameMarker) {
    QByteArray b("\xFF\xD8", 2);
    b += segmentsBeforeFrame;
    // SOFn: length 17, precision 8, height 0x0102, width 0x0304, 3 components.
    b += QByteArray("\xFF", 1) + char(frameMarker) +
         QByteArray("\x00\x11\x08\x01\x02\x03\x04\x03", 8) + QByteArray(9, '\x01');
    return b + QByteArray("\xFF\xD9", 2);
}

const QByteArray App0("\xFF\xE0\x00\x04\xAB\xCD", 6);
const QByteArray Huffman("\xFF\xC4\x00\x03\x00", 5); // C4 is not a frame

class PictureProbe : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(PictureProbe, FindsTheSizeInTheHeaders) {
    const std::optional<PictureFile> p = PictureOf(GetParam().bytes);
    ASSERT_EQ(p.has_value(), GetParam().found);
    if (!p) return;
    EXPECT_EQ(p->kind, PictureFile::Kind::Jpeg);
    EXPECT_EQ(p->width, GetParam().width);
    EXPECT_EQ(p->height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureProbe,
    ::testing::Values(
        ProbeCase{"Baseline", Jpeg({}, 0xC0), true, 0x0304, 0x0102},
        ProbeCase{"Progressive", Jpeg(App0, 0xC2), true, 0x0304, 0x0102},
        ProbeCase{"HuffmanTableIsNoFrame", Jpeg(Huffman + App0, 0xC1), true, 0x0304, 0x0102},
        ProbeCase{"FillBytes", Jpeg(QByteArray("\xFF\xFF", 2), 0xC0), true, 0x0304, 0x0102},
        ProbeCase{"ScanBeforeFrame", Jpeg(QByteArray("\xFF\xDA\x00\x02", 4), 0xC0), false, 0, 0},
        ProbeCase{"Truncated", Jpeg(App0, 0xC0).left(12), false, 0, 0},
        ProbeCase{"ZeroWidth", Jpeg({}, 0xC0).replace(9, 2, QByteArray(2, '\0')), false, 0, 0},
        ProbeCase{"BadSegmentLength", QByteArray("\xFF\xD8\xFF\xE0\x00\x01", 6), false, 0, 0},
        ProbeCase{"Empty", {}, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- writing the file ----

Document Letter() {
    Document d;
    d.title = "Confirmation";
    d.body << Para(QString::fromUtf8("Dear Señora Núñez,")) << Para("Your room {12} is ready.");
    return d;
}

TEST(WriteRtf, WritesTheDocumentAndReplacesAnOldFile) {
    QTemporaryDir dir(test::TestFolderTemplate());
    const QString path = dir.filePath("Export.rtf");
    WriteBytes(path, QByteArray(100000, 'x')); // longer than the new file
    QString error = "untouched";
    ASSERT_TRUE(WriteRtf(Letter(), path, &error));
    EXPECT_EQ(error, "untouched");
    EXPECT_EQ(FileBytes(path), RtfOf(Letter()));
    EXPECT_EQ(test::PandocOf(FileBytes(path), "plain").trimmed(),
              QString::fromUtf8("Dear Señora Núñez,\n\nYour room {12} is ready."));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Export.rtf"});
}

struct FailureCase {
    const char* name;
    const char* path; // under the test folder
};
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteRtfFailure : public ::testing::TestWithParam<FailureCase> {};

// Nothing is left behind, and the message names the file.
TEST_P(WriteRtfFailure, AnswersFalseWithAMessageAndLeavesNothing) {
    QTemporaryDir dir(test::TestFolderTemplate());
    WriteBytes(dir.filePath("notes.txt"), "a file, not a folder");
    ASSERT_TRUE(QDir(dir.path()).mkdir("Export.rtf"));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QString path = dir.filePath(GetParam().path);

    QString error;
    EXPECT_FALSE(WriteRtf(Letter(), path, &error));
    EXPECT_TRUE(error.startsWith("The file '" + QDir::toNativeSeparators(path) +
                                 "' could not be written: "))
        << error.toStdString();
    EXPECT_GT(error.size(), ("The file '" + path + "' could not be written: ").size());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_TRUE(QDir(dir.filePath("Export.rtf")).isEmpty());
    EXPECT_FALSE(WriteRtf(Letter(), path, nullptr)); // no message asked for
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteRtfFailure,
                         ::testing::Values(FailureCase{"FolderMissing", "Output/Export.rtf"},
                                           FailureCase{"FolderIsAFile", "notes.txt/Export.rtf"},
                                           FailureCase{"PathIsAFolder", "Export.rtf"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vm
