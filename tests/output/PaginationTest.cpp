// Pages as the layout cuts them: what goes on which page, measured with the
// fonts of the device the preview and the PDF use.

#include "OutputDocuments.h"

#include "output/forms/DocumentLayout.h"
#include "output/forms/DocumentOutput.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;
using namespace vm::doc;
using namespace vm::test;

namespace {

struct Laid {
    std::unique_ptr<PagedDocument> paged;
    int pages() const { return paged->pagesLaidOut(); }
    const PageContent& page(int i) const { return paged->page(i); }
};

Laid LayOut(const Document& d) {
    Laid l{std::make_unique<PagedDocument>(d, ReferenceDevice())};
    l.paged->layOutAll();
    return l;
}

// The texts of a page's pieces, each with the lines the piece shows.
QStringList PieceTexts(const PageContent& page) {
    QStringList out;
    for (const TextPiece& t : page.texts) {
        const QTextLine first = t.layout->lineAt(t.firstLine);
        const QTextLine last = t.layout->lineAt(t.firstLine + t.lineCount - 1);
        out << t.layout->text().mid(first.textStart(),
                                    last.textStart() + last.textLength() - first.textStart());
    }
    return out;
}

double PieceBottom(const TextPiece& t) {
    const QTextLine first = t.layout->lineAt(t.firstLine);
    const QTextLine last = t.layout->lineAt(t.firstLine + t.lineCount - 1);
    return t.at.y() + last.y() + last.height() - first.y();
}

void ExpectInsideBody(const Laid& l) {
    const QRectF body = l.paged->geometry().body;
    for (int p = 0; p < l.pages(); ++p) {
        for (const TextPiece& t : l.page(p).texts) {
            EXPECT_GE(t.at.y(), body.top() - 0.01) << "page " << p + 1;
            EXPECT_LE(PieceBottom(t), body.bottom() + 0.01) << "page " << p + 1;
        }
    }
}

Document OneTable(Table t) {
    Document d;
    d.footer = {PageOfPages()};
    d.body.append(std::move(t));
    return d;
}

} // namespace

TEST(Pagination, TableRowsAreNeverSplitAndTheHeaderTopsEveryPage) {
    const Laid l = LayOut(GuestList(400));
    ASSERT_GT(l.pages(), 5);
    ExpectInsideBody(l);
    int expected = 1;
    for (int p = 0; p < l.pages(); ++p) {
        const PageContent& page = l.page(p);
        ASSERT_GE(page.texts.size(), 3);
        EXPECT_EQ(page.texts[0].layout->text(), "Guest") << "page " << p + 1;
        const double padding = 2.0 / 72 * LayoutDpi; // the table's default cell padding
        EXPECT_DOUBLE_EQ(page.texts[0].at.y(), l.paged->geometry().body.top() + padding);
        for (const TextPiece& t : page.texts) {
            // Every cell of a row is whole on its page.
            EXPECT_EQ(t.firstLine, 0);
            EXPECT_EQ(t.lineCount, t.layout->lineCount()) << t.layout->text().toStdString();
            if (t.layout->text().startsWith("Guest ")) {
                EXPECT_EQ(t.layout->text(), QString("Guest %1").arg(expected, 4, 10, QChar('0')));
                ++expected;
            }
        }
    }
    EXPECT_EQ(expected, 401); // every row once, in order
}

TEST(Pagination, ARowTallerThanAPageFlowsOnUnderTheHeader) {
    Table t;
    t.columns = {{"Guest", 1}, {"Text", 3}};
    t.header = {TableRow{{"Guest", "Text"}}};
    QStringList text;
    for (int i = 1; i <= 300; ++i)
        text << QString("Line %1").arg(i, 3, 10, QChar('0'));
    t.rows = {TableRow{{"Before", "short"}}, TableRow{{"Tall", text.join('\n')}},
              TableRow{{"After", "short"}}};
    const Laid l = LayOut(OneTable(t));
    ASSERT_GE(l.pages(), 3);
    ExpectInsideBody(l);
    int nextLine = 0;
    for (int p = 0; p < l.pages(); ++p) {
        const QStringList texts = PieceTexts(l.page(p));
        EXPECT_EQ(texts.value(0), "Guest") << "page " << p + 1;
        for (const TextPiece& piece : l.page(p).texts) {
            if (!piece.layout->text().startsWith("Line 001")) continue;
            EXPECT_EQ(piece.firstLine, nextLine) << "page " << p + 1; // no line lost or doubled
            nextLine += piece.lineCount;
        }
    }
    EXPECT_EQ(nextLine, 300);
    // The tall row starts right under the short one: nothing is wasted on a fresh page.
    EXPECT_TRUE(PieceTexts(l.page(0)).contains("Before"));
    EXPECT_TRUE(PieceTexts(l.page(0)).contains("Tall"));
    EXPECT_TRUE(PieceTexts(l.page(l.pages() - 1)).contains("After"));
}

TEST(Pagination, LongTextFlowsOntoFurtherPagesInOrder) {
    QStringList words;
    for (int i = 0; i < 6000; ++i)
        words << "word" + QString::number(i);
    Document d;
    d.body = {Para("Title", Align::Center, true, 16), Para(words.join(' '), Align::Justify)};
    const Laid l = LayOut(d);
    ASSERT_GE(l.pages(), 3);
    ExpectInsideBody(l);
    QString all;
    for (int p = 0; p < l.pages(); ++p)
        all += PieceTexts(l.page(p)).join(' ') + ' ';
    EXPECT_EQ(all.simplified(), "Title " + words.join(' '));
}

TEST(Pagination, AHeadingKeptWithTheNextParagraphMovesToTheNextPage) {
    struct Case {
        bool keep;
        int headingPage;
    };
    for (const Case c : {Case{true, 2}, Case{false, 1}}) {
        Document d;
        d.footer = {PageOfPages()};
        PagedDocument probe(d, ReferenceDevice());
        const double bodyPoints = probe.geometry().body.height() * 72 / LayoutDpi;
        Paragraph heading = Para("Heading", Align::Left, true, 12);
        heading.keepWithNext = c.keep;
        // The heading still fits at the foot of page 1; the paragraph after it does not.
        d.body = {Spacer{bodyPoints - 20}, heading, Para("First line of the section")};
        const Laid l = LayOut(d);
        ASSERT_EQ(l.pages(), 2) << c.keep;
        EXPECT_TRUE(PieceTexts(l.page(c.headingPage - 1)).contains("Heading")) << c.keep;
        EXPECT_TRUE(PieceTexts(l.page(1)).contains("First line of the section"));
    }
}

TEST(Pagination, PageBreaksNeverLeaveABlankPage) {
    struct Case {
        QList<Block> body;
        int pages;
    };
    const QList<Case> cases = {
        {{Para("A"), PageBreak{}, Para("B")}, 2},
        {{Para("A"), PageBreak{}, PageBreak{}, Para("B")}, 2},
        {{PageBreak{}, Para("A")}, 1},
        {{Para("A"), PageBreak{}}, 1},
        {{}, 1}, // an empty document still has its one (empty) page
    };
    for (int i = 0; i < cases.size(); ++i) {
        Document d;
        d.body = cases[i].body;
        EXPECT_EQ(LayOut(d).pages(), cases[i].pages) << "case " << i;
    }
}

TEST(Pagination, ImagesTakeTheirSizeAndUnreadableOnesAreLeftOut) {
    QTemporaryDir dir;
    QImage logo(200, 100, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    const QString path = dir.filePath("picVmLogo.png");
    ASSERT_TRUE(logo.save(path));
    Image sized{path, 2.0, 0, Align::Right};
    Image natural{path};
    Image placed{path, 1.0, 0, Align::Left, 0.5};
    Document d;
    d.body = {sized,
              natural,
              placed,
              Image{dir.filePath("missing.gif")},
              Image{dir.filePath("nothing.txt")},
              Para("After the pictures")};
    const Laid l = LayOut(d);
    ASSERT_EQ(l.pages(), 1);
    const PageContent& page = l.page(0);
    ASSERT_EQ(page.images.size(), 3);
    const QRectF body = l.paged->geometry().body;
    EXPECT_DOUBLE_EQ(page.images[0].rect.width(), 2.0 * LayoutDpi);
    EXPECT_DOUBLE_EQ(page.images[0].rect.height(), 1.0 * LayoutDpi); // keeps the aspect
    EXPECT_DOUBLE_EQ(page.images[0].rect.right(), body.right());
    EXPECT_DOUBLE_EQ(page.images[1].rect.width(), 200.0 / 96 * LayoutDpi);
    EXPECT_DOUBLE_EQ(page.images[2].rect.left(), body.left() + 0.5 * LayoutDpi);
    EXPECT_GE(page.images[1].rect.top(), page.images[0].rect.bottom());
    EXPECT_EQ(PieceTexts(page), QStringList{"After the pictures"});
}

TEST(Pagination, HeaderAndFooterKeepTheBodyOffTheMargins) {
    Document plain;
    plain.page.margins = {1.0, 1.5, 1.0, 1.0};
    Document framed = plain;
    framed.header = {Para("Concierge Logbook List", Align::Center, true, 14)};
    framed.footer = {PageOfPages()};
    const PageGeometry a = PagedDocument(plain, ReferenceDevice()).geometry();
    const PageGeometry b = PagedDocument(framed, ReferenceDevice()).geometry();
    EXPECT_DOUBLE_EQ(a.body.top(), 1.0 * LayoutDpi);
    EXPECT_DOUBLE_EQ(a.body.bottom(), 11.0 * LayoutDpi - 1.5 * LayoutDpi);
    EXPECT_GT(b.body.top(), a.body.top() + 14.0 / 72 * LayoutDpi);
    EXPECT_LT(b.body.bottom(), a.body.bottom() - 8.0 / 72 * LayoutDpi);
    plain.page.landscape = true;
    const PageGeometry c = PagedDocument(plain, ReferenceDevice()).geometry();
    EXPECT_DOUBLE_EQ(c.paper.width(), 11.0 * LayoutDpi);
    EXPECT_DOUBLE_EQ(c.body.width(), 9.0 * LayoutDpi);
}

TEST(Pagination, FontsAreMeasuredAtTheDeviceResolution) {
    // Bold runs and the base font must both be measured at the layout resolution:
    // a run measured at screen resolution would be a tenth of the width.
    Document d;
    d.body = {Para(QList<doc::Run>{Text("Plain "), Text("Bold", true, 20)})};
    const Laid l = LayOut(d);
    ASSERT_EQ(l.page(0).texts.size(), 1);
    const QTextLine line = l.page(0).texts[0].layout->lineAt(0);
    // "Plain Bold" in 10 and 20 point type is roughly an inch wide.
    EXPECT_GT(line.naturalTextWidth(), 0.6 * LayoutDpi);
    EXPECT_LT(line.naturalTextWidth(), 1.6 * LayoutDpi);
    EXPECT_GT(line.height(), 20.0 / 72 * LayoutDpi);
}
