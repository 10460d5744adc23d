// The RTF writer read back by a real reader: the text of guests (accents,
// braces, backslashes) must come out as it went in, tables cell by cell.
// What pandoc does not read (page setup, header rows, fields) is checked in
// the file's own words.

#include "output/RtfWriter.h"
#include "output/Pandoc.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace vm {
namespace {

using namespace doc;

Document OneParagraph(const QString& text) {
    Document d;
    d.body << Para(text);
    return d;
}

QString Trimmed(const QString& s) {
    return s.trimmed();
}

// ---- text ----

struct TextCase {
    const char* name;
    QString text;
};
void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfGuestText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfGuestText, ComesBackFromAReaderAsWritten) {
    const QString text = "[" + GetParam().text + "]";
    EXPECT_EQ(Trimmed(test::PandocOf(RtfOf(OneParagraph(text)), "plain")), text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfGuestText,
    ::testing::Values(TextCase{"Accents",
                               QString::fromUtf8("Zoë Müller-Núñez, Señor Ñandú, Mañana")},
                      TextCase{"AccentThenSpace", QString::fromUtf8("é ü ñ é")},
                      TextCase{"BeyondLatin1", QString::fromUtf8("“Suite” – 25 € 가")},
                      TextCase{"BracesAndBackslashes", "C:\\Guests\\{VIP} {\\b not bold} \\par \\"},
                      TextCase{"LooksLikeAnEscape", "\\u233? \\'e9 \\\\ {}"},
                      TextCase{"LoneBraces", "}{ }} {{"}),
    [](const auto& info) { return std::string(info.param.name); });

struct EscapeCase {
    const char* name;
    QString text;
    QByteArray written;
};
void PrintTo(const EscapeCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfEscape : public ::testing::TestWithParam<EscapeCase> {};

// Units above 32767 are written negative; a character outside the BMP is its
// surrogate pair.  The fallback is the Latin-1 letter itself, else "?".
TEST_P(RtfEscape, WritesTheUtf16UnitsSigned) {
    const QByteArray rtf = RtfOf(OneParagraph("<" + GetParam().text + ">"));
    EXPECT_TRUE(rtf.contains("<" + GetParam().written + ">")) << rtf.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfEscape,
    ::testing::Values(EscapeCase{"Latin1", QString::fromUtf8("é"), "\\u233\\'e9"},
                      EscapeCase{"NoLatin1Fallback", QString::fromUtf8("€"), "\\u8364\\'3f"},
                      EscapeCase{"AboveInt16", QString::fromUtf8("가"), "\\u-21504\\'3f"},
                      EscapeCase{"Emoji", QString::fromUtf8("🎉"), "\\u-10180\\'3f\\u-8311\\'3f"},
                      EscapeCase{"Braces", "{}", "\\{\\}"},
                      EscapeCase{"Backslash", "a\\b", "a\\\\b"},
                      EscapeCase{"Tab", "a\tb", "a\\tab b"},
                      EscapeCase{"ControlCharacterDropped", QString("a") + QChar(7) + "b", "ab"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfText, TheFileIsSevenBitWhateverTheText) {
    Document d = OneParagraph(QString::fromUtf8("Zoë 🎉 가 € ÿ"));
    d.title = QString::fromUtf8("Bestätigung {Zoë}");
    const QByteArray rtf = RtfOf(d);
    for (char c : rtf)
        ASSERT_LT(quint8(c), 128) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("{\\title Best\\u228\\'e4tigung \\{Zo\\u235\\'eb\\}}"));
}

// The pair is one character: the text on both sides survives it.
TEST(RtfText, AnEmojiLeavesItsNeighboursAlone) {
    const QString plain =
        Trimmed(test::PandocOf(RtfOf(OneParagraph(QString::fromUtf8("Party 🎉 tonight"))), "plain"));
    EXPECT_TRUE(plain.startsWith("Party ")) << plain.toStdString();
    EXPECT_TRUE(plain.endsWith(" tonight")) << plain.toStdString();
}

TEST(RtfText, LineBreaksStayInsideTheParagraph) {
    Document d = OneParagraph("one\r\ntwo\nthree\rfour");
    d.body << Para("next paragraph");
    const QString html = test::PandocOf(RtfOf(d), "html");
    EXPECT_EQ(html.count("<p>"), 2) << html.toStdString();
    EXPECT_EQ(html.count("<br />"), 3) << html.toStdString();
    EXPECT_EQ(Trimmed(test::PandocOf(RtfOf(d), "plain")),
              "one\ntwo\nthree\nfour\n\nnext paragraph");
}

// ---- formatting ----

TEST(RtfFormat, BoldItalicUnderlineReachTheReader) {
    doc::Run italic = Text("slanted");
    italic.style.italic = true;
    doc::Run under = Text("lined");
    under.style.underline = true;
    Document d;
    d.body << Para(
        QList<doc::Run>{Text("plain "), Text("heavy", true), Text(" "), italic, Text(" "), under});
    const QString html = test::PandocOf(RtfOf(d), "html");
    EXPECT_TRUE(html.contains("<strong>heavy</strong>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<em>slanted</em>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<u>lined</u>")) << html.toStdString();
    EXPECT_FALSE(html.contains("<strong>plain")) << html.toStdString();
}

TEST(RtfFormat, FontAndColourTablesHoldEveryStyleOnce) {
    Document d;
    d.page.base = TextStyle{"Verdana", 11};
    doc::Run red = Text("alert", false, 14);
    red.style.family = "Georgia";
    red.style.rgb = 0xC00010;
    doc::Run redAgain = red;
    redAgain.text = "again";
    Table t;
    t.columns = {Column{"A"}};
    t.style.family = "Courier New";
    t.rows << TableRow{{"cell"}, false, 0xEEEEEE};
    d.body << Para(QList<doc::Run>{Text("base"), red, redAgain}) << t;
    const QByteArray rtf = RtfOf(d);

    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}{\\f1\\fnil\\fcharset0 "
                             "Georgia;}{\\f2\\fnil\\fcharset0 Courier New;}}"))
        << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue16;"
                             "\\red238\\green238\\blue238;}"))
        << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("{\\f0\\fs22\\cf1 base}")); // the base font, 11 pt
    EXPECT_TRUE(rtf.contains("{\\f1\\fs28\\cf2 alert}{\\f1\\fs28\\cf2 again}"));
    EXPECT_TRUE(rtf.contains("\\f2\\fs22\\cf1 cell\\cell"));
    EXPECT_TRUE(rtf.contains("\\clcbpat3\\cellx"));
}

struct ParagraphCase {
    const char* name;
    Paragraph paragraph;
    QByteArray words; // the paragraph's formatting as written
};
void PrintTo(const ParagraphCase& c, std::ostream* os) {
    *os << c.name;
}

Paragraph Formatted(Align align, double before, double after, double indent, bool keep) {
    Paragraph p = Para("marker", align);
    p.spaceBefore = before;
    p.spaceAfter = after;
    p.indent = indent;
    p.keepWithNext = keep;
    return p;
}

class RtfParagraph : public ::testing::TestWithParam<ParagraphCase> {};

TEST_P(RtfParagraph, CarriesItsLayout) {
    Document d;
    d.body << GetParam().paragraph;
    const QByteArray line = test::LineWith(RtfOf(d), "marker");
    EXPECT_TRUE(line.startsWith("\\pard\\plain" + GetParam().words + "\\f0")) << line.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfParagraph,
    ::testing::Values(
        ParagraphCase{"Left", Formatted(Align::Left, 0, 0, 0, false), "\\ql"},
        ParagraphCase{"Centred", Formatted(Align::Center, 0, 0, 0, false), "\\qc"},
        ParagraphCase{"Right", Formatted(Align::Right, 0, 0, 0, false), "\\qr"},
        ParagraphCase{"Justified", Formatted(Align::Justify, 0, 0, 0, false), "\\qj"},
        ParagraphCase{"Spacing", Formatted(Align::Left, 6, 12.5, 0, false), "\\ql\\sb120\\sa250"},
        ParagraphCase{"Indent", Formatted(Align::Left, 0, 0, 36, false), "\\ql\\li720"},
        ParagraphCase{"Heading", Formatted(Align::Center, 18, 0, 0, true), "\\qc\\sb360\\keepn"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the page ----

struct PageCase {
    const char* name;
    QSizeF size;
    bool landscape;
    Margins margins;
    QByteArray written;
};
void PrintTo(const PageCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfPage : public ::testing::TestWithParam<PageCase> {};

TEST_P(RtfPage, SizeAndMarginsInTwips) {
    Document d = OneParagraph("x");
    d.page.sizeInches = GetParam().size;
    d.page.landscape = GetParam().landscape;
    d.page.margins = GetParam().margins;
    const QByteArray rtf = RtfOf(d);
    EXPECT_TRUE(rtf.contains(GetParam().written)) << rtf.toStdString();
    EXPECT_EQ(rtf.contains("\\landscape"), GetParam().landscape);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfPage,
    ::testing::Values(
        PageCase{"Letter",
                 {8.5, 11},
                 false,
                 {1, 1, 1, 1},
                 "\\paperw12240\\paperh15840\\margl1440\\margr1440\\margt1440\\margb1440"},
        PageCase{"LetterLandscape",
                 {8.5, 11},
                 true,
                 {0.5, 0.75, 1, 1.25},
                 "\\paperw15840\\paperh12240\\margl1440\\margr1800\\margt720\\margb1080"},
        // The guest confirmation leaves room for the letterhead at the top.
        PageCase{"Letterhead",
                 {8.5, 11},
                 false,
                 {2.1, 1.5, 1, 1},
                 "\\margl1440\\margr1440\\margt3024\\margb2160"},
        PageCase{"SmallCard",
                 {4, 6},
                 false,
                 {0.25, 0.25, 0.3, 0.3},
                 "\\paperw5760\\paperh8640\\margl432\\margr432\\margt360\\margb360"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfPage, HeaderAndFooterHoldTheirTextAndPageFields) {
    Document d = OneParagraph("Body text");
    d.header << Para("Grand {Hotel}", Align::Right);
    d.footer << PageOfPages();
    const QByteArray rtf = RtfOf(d);

    const QByteArray header = test::GroupAt(rtf, rtf.indexOf("{\\header"));
    const QByteArray footer = test::GroupAt(rtf, rtf.indexOf("{\\footer"));
    EXPECT_TRUE(header.contains("\\qr")) << header.toStdString();
    EXPECT_TRUE(header.contains("Grand \\{Hotel\\}")) << header.toStdString();
    EXPECT_TRUE(footer.contains("\\qc")) << footer.toStdString();
    const qsizetype page = footer.indexOf("{\\field{\\*\\fldinst PAGE }");
    const qsizetype count = footer.indexOf("{\\field{\\*\\fldinst NUMPAGES }");
    EXPECT_TRUE(page > footer.indexOf("Page ") && count > page) << footer.toStdString();
    EXPECT_TRUE(footer.contains(" of ")) << footer.toStdString();

    // Only the body reaches the reader's text.
    EXPECT_EQ(Trimmed(test::PandocOf(rtf, "plain")), "Body text");
}

TEST(RtfPage, NoHeaderGroupWhenThereIsNoHeader) {
    const QByteArray rtf = RtfOf(OneParagraph("x"));
    EXPECT_FALSE(rtf.contains("{\\header"));
    EXPECT_FALSE(rtf.contains("{\\footer"));
}

// ---- page breaks ----

TEST(RtfPageBreak, TheNextParagraphStartsANewPage) {
    Document d = OneParagraph("first");
    d.body << PageBreak{} << Para("second") << Para("third");
    const QByteArray rtf = RtfOf(d);
    EXPECT_FALSE(test::LineWith(rtf, "first").contains("\\pagebb"));
    EXPECT_TRUE(test::LineWith(rtf, "second").contains("\\pagebb"));
    EXPECT_FALSE(test::LineWith(rtf, "third").contains("\\pagebb"));
    EXPECT_EQ(Trimmed(test::PandocOf(rtf, "plain")), "first\n\nsecond\n\nthird");
}

TEST(RtfPageBreak, BeforeATableAndTwiceInARow) {
    Table t;
    t.columns = {Column{"A"}};
    t.rows << TableRow{{"row"}};
    Document d = OneParagraph("first");
    d.body << PageBreak{} << t << PageBreak{} << PageBreak{} << Para("last");
    const QByteArray rtf = RtfOf(d);
    EXPECT_EQ(rtf.count("\\page\\par"), 2) << rtf.toStdString(); // before the table; the blank page
    EXPECT_LT(rtf.indexOf("\\page\\par"), rtf.indexOf("\\trowd"));
    EXPECT_TRUE(test::LineWith(rtf, "last").contains("\\pagebb"));
}

TEST(RtfPageBreak, AtTheEndOrInAHeaderItIsLeftOut) {
    Document d = OneParagraph("only");
    d.header << Para("head") << PageBreak{} << Para("still head");
    d.body << PageBreak{};
    const QByteArray rtf = RtfOf(d);
    EXPECT_FALSE(rtf.contains("\\page\\par"));
    EXPECT_FALSE(rtf.contains("\\pagebb"));
}

// ---- tables ----

Table GuestTable() {
    Table t;
    t.columns = {Column{"Guest", 2}, Column{"Room", 1, Align::Right}, Column{"Notes", 3}};
    t.header << TableRow{{"Guest", "Room", "Notes"}};
    t.rows << TableRow{{QString::fromUtf8("Zoë Müller"), "101", "Late {check-out}"}}
           << TableRow{{QString::fromUtf8("Señor Ñandú"), "7"}} // no notes
           << TableRow{{"C:\\Temp\\Smith", "2B", "line one\nline two"}, true, 0xFFF2CC};
    return t;
}

TEST(RtfTable, CellsComeBackInOrder) {
    Document d;
    d.body << Para("before") << GuestTable() << Para("after");
    const QString html = test::PandocOf(RtfOf(d), "html");
    const QList<QStringList> rows = test::HtmlTableRows(html);
    const QList<QStringList> expected{{"Guest", "Room", "Notes"},
                                      {QString::fromUtf8("Zoë Müller"), "101", "Late {check-out}"},
                                      {QString::fromUtf8("Señor Ñandú"), "7", ""},
                                      {"C:\\Temp\\Smith", "2B", "line one\nline two"}};
    EXPECT_EQ(rows, expected) << html.toStdString();
    EXPECT_TRUE(html.indexOf("before") < html.indexOf("<table"));
    EXPECT_TRUE(html.indexOf("after") > html.indexOf("</table>"));
}

TEST(RtfTable, HeaderRowsAreMarkedToRepeatAndBold) {
    Table t = GuestTable();
    t.header << TableRow{{"second", "header", "row"}};
    Document d;
    d.body << t;
    const QByteArray rtf = RtfOf(d);
    const QList<QByteArray> rows = rtf.split('\n');
    QList<bool> marked;
    for (const QByteArray& line : rows)
        if (line.startsWith("\\trowd")) marked << line.contains("\\trhdr");
    EXPECT_EQ(marked, (QList<bool>{true, true, false, false, false}));

    const QString html = test::PandocOf(rtf, "html");
    EXPECT_TRUE(html.contains("<strong>Guest</strong>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<strong>header</strong>")) << html.toStdString();
    EXPECT_FALSE(html.contains("<strong>101</strong>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<strong>2B</strong>")) << html.toStdString(); // a bold row
}

struct WidthCase {
    const char* name;
    QList<double> weights;
    bool landscape;
    QByteArray edges;
};
void PrintTo(const WidthCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfTableWidth : public ::testing::TestWithParam<WidthCase> {};

TEST_P(RtfTableWidth, ColumnsShareTheTextWidthByWeight) {
    Table t;
    for (double w : GetParam().weights)
        t.columns << Column{"c", w};
    t.rows << TableRow{};
    Document d;
    d.page.landscape = GetParam().landscape;
    d.body << t;
    QByteArray edges;
    static const QRegularExpression cellx("\\\\cellx(\\d+)");
    for (const auto& m : cellx.globalMatch(QString::fromLatin1(RtfOf(d))))
        edges += m.captured(1).toLatin1() + ' ';
    EXPECT_EQ(edges.trimmed(), GetParam().edges);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfTableWidth,
    ::testing::Values(WidthCase{"Weighted", {1, 2, 1}, false, "2340 7020 9360"},
                      WidthCase{"Landscape", {1, 2, 1}, true, "3240 9720 12960"},
                      WidthCase{"OneColumn", {5}, false, "9360"},
                      WidthCase{"NoWeightsSayNothing", {0, 0}, false, "4680 9360"},
                      WidthCase{"NegativeCountsAsNone", {1, -3, 1}, false, "4680 4680 9360"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfTable, GridLinesAndShadingPerRow) {
    Table t = GuestTable();
    Document plain;
    plain.body << t;
    EXPECT_FALSE(RtfOf(plain).contains("\\clbrdr"));

    t.gridLines = true;
    Document grid;
    grid.body << t;
    const QByteArray rtf = RtfOf(grid);
    // Four sides for each of the three cells of the four rows.
    EXPECT_EQ(rtf.count("\\brdrs\\brdrw10"), 4 * 3 * 4);
    for (const char* side : {"\\clbrdrt", "\\clbrdrl", "\\clbrdrb", "\\clbrdrr"})
        EXPECT_EQ(rtf.count(side), 3 * 4) << side;
    // Only the shaded row names a background, in the colour of its row.
    EXPECT_EQ(rtf.count("\\clcbpat"), 3);
    const QByteArray colours = test::GroupAt(rtf, rtf.indexOf("{\\colortbl"));
    const int index = colours.left(colours.indexOf("\\red255\\green242\\blue204")).count(';');
    EXPECT_TRUE(rtf.contains("\\clcbpat" + QByteArray::number(index) + "\\cellx"))
        << colours.toStdString();
}

// A paragraph of its own between them, else a word processor joins them
// into one table; and the file does not end inside a table.
TEST(RtfTable, TwoTablesInARowStayTwoTables) {
    Table a, b;
    a.columns = {Column{"A"}};
    a.rows << TableRow{{"first"}};
    b.columns = {Column{"B"}, Column{"C"}};
    b.rows << TableRow{{"second", "third"}};
    Document d;
    d.body << a << b;
    const QByteArray rtf = RtfOf(d);
    const qsizetype end = rtf.indexOf("\\row"), next = rtf.indexOf("\\trowd", end);
    ASSERT_GT(next, end);
    const QByteArray between = rtf.mid(end + 4, next - end - 4);
    EXPECT_TRUE(between.contains("\\pard") && between.contains("\\par\n")) << between.toStdString();
    EXPECT_FALSE(between.contains("\\intbl")) << between.toStdString();
    const QByteArray tail = rtf.mid(rtf.lastIndexOf("\\row") + 4);
    EXPECT_TRUE(tail.contains("\\pard") && tail.contains("\\par\n")) << tail.toStdString();
    EXPECT_EQ(test::HtmlTableRows(test::PandocOf(rtf, "html")),
              (QList<QStringList>{{"first", ""}, {"second", "third"}}));
}

} // namespace
} // namespace vm
