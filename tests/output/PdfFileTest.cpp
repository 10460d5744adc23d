// PDF files and printed pages, read back by a real PDF reader.

#include "OutputDocuments.h"
#include "PdfReader.h"

#include "output/forms/DocumentLayout.h"
#include "output/forms/DocumentOutput.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;
using namespace vm::doc;
using namespace vm::test;

namespace {

int LaidOutPages(const Document& d) {
    PagedDocument paged(d, ReferenceDevice());
    paged.layOutAll();
    return paged.pagesLaidOut();
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class PdfFile : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(PdfFile, EveryPageHasItsHeadingHeaderRowAndNumber) {
    const Document d = GuestList(250);
    const QString path = file("List.pdf");
    QString error;
    ASSERT_TRUE(WritePdf(d, path, &error)) << error.toStdString();
    const QStringList pages = PdfPages(path);
    const int n = LaidOutPages(d);
    ASSERT_GT(n, 3);
    ASSERT_EQ(pages.size(), n); // the reader sees the pages the preview shows
    QString all;
    for (int i = 0; i < n; ++i) {
        const QString& page = pages[i];
        EXPECT_TRUE(InOrder(page, {"Concierge Logbook List", "Guest", "Room", "Request",
                                   "Page " + QString::number(i + 1) + " of " + QString::number(n)}))
            << "page " << i + 1 << ":\n"
            << page.toStdString();
        all += page;
    }
    QStringList guests;
    for (int i = 1; i <= 250; ++i)
        guests << QString("Guest %1").arg(i, 4, 10, QChar('0'));
    EXPECT_TRUE(InOrder(all, guests));
    EXPECT_TRUE(InOrder(all, {"Request 7.0", "Request 7.1", "Request 7.2", "Request 7.3"}));
}

TEST_F(PdfFile, PageNumbersReadBackAsPageOfPages) {
    const QString path = file("Sections.pdf");
    ASSERT_TRUE(WritePdf(Sections(5), path, nullptr));
    const QStringList pages = PdfPages(path);
    ASSERT_EQ(pages.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(InOrder(pages[i], {"Section " + QString::number(i + 1),
                                       "Page " + QString::number(i + 1) + " of 5"}))
            << pages[i].toStdString();
    }
    EXPECT_TRUE(pages[1].contains("Page 2 of 5"));
}

TEST_F(PdfFile, AccentedNamesAndSymbolsSurvive) {
    Document d;
    d.title = "Guests";
    const QStringList names = {"Zoë Ñúñez", "José Müller", "Ærøskøbing café", "{Brace} \\back"};
    d.body.append(Para(names[0] + " and " + names[1]));
    Table t;
    t.columns = {{"Name"}, {"Town"}};
    t.rows = {TableRow{{names[1], names[2]}}, TableRow{{names[3], "Köln"}}};
    d.body.append(t);
    const QString path = file("Guests.pdf");
    ASSERT_TRUE(WritePdf(d, path, nullptr));
    const QStringList pages = PdfPages(path);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(InOrder(pages[0], {names[0], names[1], names[1], names[2], names[3], "Köln"}))
        << pages[0].toStdString();
}

TEST_F(PdfFile, PaperSizeAndOrientationComeFromTheDocument) {
    struct Case {
        QSizeF inches;
        bool landscape;
        QSizeF points;
    };
    for (const Case& c : {Case{{8.5, 11}, false, {612, 792}}, Case{{8.5, 11}, true, {792, 612}},
                          Case{{8.5, 14}, false, {612, 1008}}}) {
        Document d;
        d.page.sizeInches = c.inches;
        d.page.landscape = c.landscape;
        d.body.append(Para("Paper"));
        const QString path = file("Paper.pdf");
        ASSERT_TRUE(WritePdf(d, path, nullptr));
        const QSizeF size = PdfPageSize(path);
        EXPECT_NEAR(size.width(), c.points.width(), 1) << c.landscape;
        EXPECT_NEAR(size.height(), c.points.height(), 1) << c.landscape;
    }
}

TEST_F(PdfFile, AFileThatCannotBeWrittenIsAMessageAndNoFile) {
    QDir(dir.path()).mkdir("Taken.pdf"); // a folder where the file should go
    for (const QString& path : {file("No such folder/Report.pdf"), file("Taken.pdf")}) {
        QString error;
        EXPECT_FALSE(WritePdf(GuestList(3), path, &error));
        EXPECT_TRUE(error.startsWith("The file " + QDir::toNativeSeparators(path) +
                                     " could not be written ("))
            << error.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(QFile::exists(file("No such folder")));
}

TEST_F(PdfFile, ReplacingAFileLeavesOnlyTheNewOne) {
    const QString path = file("Report.pdf");
    ASSERT_TRUE(WritePdf(Sections(1), path, nullptr));
    ASSERT_TRUE(WritePdf(Sections(3), path, nullptr));
    EXPECT_EQ(PdfPages(path).size(), 3);
    EXPECT_TRUE(Bytes(path).startsWith("%PDF-"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Report.pdf"});
}

TEST_F(PdfFile, ThePrinterPathDrawsTheSamePages) {
    const Document d = GuestList(120);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file("Printed.pdf"));
    PreparePrinter(d, printer);
    ASSERT_TRUE(PrintDocument(d, printer));
    ASSERT_TRUE(WritePdf(d, file("Saved.pdf"), nullptr));
    const QStringList printed = PdfPages(file("Printed.pdf"));
    const QStringList saved = PdfPages(file("Saved.pdf"));
    ASSERT_EQ(printed.size(), saved.size());
    for (int i = 0; i < printed.size(); ++i) {
        EXPECT_EQ(printed[i].simplified(), saved[i].simplified()) << "page " << i + 1;
    }
}
