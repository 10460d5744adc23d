#include "output/Document.h"

namespace vm::doc {

Run Text(const QString& text, bool bold, double pointSize) {
    Run r;
    r.text = text;
    r.style.bold = bold;
    r.style.pointSize = pointSize;
    return r;
}

Paragraph Para(const QString& text, Align align, bool bold, double pointSize) {
    return Para(QList<Run>{Text(text, bold, pointSize)}, align);
}

Paragraph Para(QList<Run> runs, Align align) {
    Paragraph p;
    p.runs = std::move(runs);
    p.align = align;
    return p;
}

Paragraph PageOfPages() {
    Run number, count;
    number.field = Field::PageNumber;
    count.field = Field::PageCount;
    return Para(QList<Run>{Text("Page "), number, Text(" of "), count}, Align::Center);
}

namespace {

QString ParagraphText(const Paragraph& p) {
    QString line;
    for (const Run& r : p.runs)
        if (r.field == Field::Text) line += r.text;
    line.replace("\r\n", "\n");
    return line;
}

} // namespace

QString PlainText(const Document& d) {
    QStringList lines;
    for (const Block& b : d.body) {
        if (const auto* p = std::get_if<Paragraph>(&b)) {
            lines << ParagraphText(*p);
        } else if (const auto* t = std::get_if<Table>(&b)) {
            for (const TableRow& row : t->header)
                lines << row.cells.join('\t');
            for (const TableRow& row : t->rows)
                lines << row.cells.join('\t');
        }
    }
    return lines.join('\n');
}

} // namespace vm::doc
