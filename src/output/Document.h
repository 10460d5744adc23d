#pragma once
// The one model of a printed document.  A report routine fills a Document;
// the preview, the printer, the PDF file and the RTF file are all drawn from
// it (output/forms/DocumentLayout for the first three, output/RtfWriter for
// the last), so no report is laid out twice.
//
// Units: the page and its margins in inches, everything inside the page in
// points (1/72 inch).  Plain data: no fonts or images are loaded here.

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <variant>

namespace vm::doc {

enum class Align { Left, Center, Right, Justify };

// How a run or a cell is written.  An empty family or a size of 0 takes the
// document's base font.
struct TextStyle {
    QString family;
    double pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    quint32 rgb = 0; // text colour, 0xRRGGBB (black by default)

    bool operator==(const TextStyle&) const = default;
};

// What a run shows: its text, or the page's number / the document's page count
// (headers and footers).
enum class Field { Text, PageNumber, PageCount };

struct Run {
    QString text; // line breaks ("\n" or "\r\n") break the line inside the paragraph
    TextStyle style;
    Field field = Field::Text;
};

struct Paragraph {
    QList<Run> runs;
    Align align = Align::Left;
    double spaceBefore = 0;    // points
    double spaceAfter = 0;     // points
    double indent = 0;         // points, from the left margin
    bool keepWithNext = false; // never the last thing on a page (headings)
};

struct Column {
    QString title;
    double weight = 1; // share of the table's width
    Align align = Align::Left;
};

struct TableRow {
    QStringList cells; // one per column; missing cells are empty
    bool bold = false;
    quint32 background = 0xFFFFFF; // 0xRRGGBB
};

// A table: its header rows are repeated at the top of every page it reaches.
// A row is never split between pages, unless it alone is taller than a page:
// then it flows on, line by line, under the repeated header.
struct Table {
    QList<Column> columns;
    QList<TableRow> header;
    QList<TableRow> rows;
    TextStyle style; // cells; header rows are bold
    bool gridLines = false;
    double cellPadding = 2; // points
};

// A picture from a file (the property logo); a file that cannot be read is
// left out, not an error.
struct Image {
    QString path;
    double widthInches = 0;  // 0: the picture's own size at 96 dpi
    double heightInches = 0; // 0: keeps the aspect of the width
    Align align = Align::Left;
    double leftInches = -1; // >= 0: placed at this distance from the left margin
};

struct Spacer {
    double points = 0;
};

struct PageBreak {};

using Block = std::variant<Paragraph, Table, Image, Spacer, PageBreak>;

struct Margins {
    double top = 1, bottom = 1, left = 1, right = 1; // inches
};

struct PageSetup {
    QSizeF sizeInches{8.5, 11};
    bool landscape = false;
    Margins margins;
    TextStyle base{QStringLiteral("Arial"), 10};
};

struct Document {
    QString title; // the report's title (file properties, mail subject)
    PageSetup page;
    QList<Block> header; // drawn at the top of every page, inside the top margin's end
    QList<Block> footer; // drawn at the bottom of every page
    QList<Block> body;

    bool isEmpty() const { return body.isEmpty(); }
};

// Small helpers that keep report routines short.
Run Text(const QString& text, bool bold = false, double pointSize = 0);
Paragraph Para(const QString& text, Align align = Align::Left, bool bold = false,
               double pointSize = 0);
Paragraph Para(QList<Run> runs, Align align = Align::Left);
// "Page 3 of 12", centred.
Paragraph PageOfPages();

// The plain text of a document, in reading order: paragraphs line by line,
// table rows with cells separated by tabs, headers and footers left out.
// Tests and the e-mail body use it.
QString PlainText(const Document& d);

} // namespace vm::doc
