#include "output/RtfWriter.h"

#include "output/PictureFile.h"

#include <QDir>
#include <QSaveFile>
#include <cmath>

namespace vm {
namespace {

using namespace doc;

int Twips(double points) {
    return int(std::lround(points * 20));
}
int InchTwips(double inches) {
    return int(std::lround(inches * 1440));
}
QByteArray Num(qint64 n) {
    return QByteArray::number(n);
}

// Text as the file holds it.  Only 7-bit characters go in as they are: a
// UTF-16 code unit above 127 is a \u escape (signed 16-bit, so the units
// above 32767 are negative and a character outside the BMP is its surrogate
// pair) followed by the one character a reader without Unicode shows instead:
// the Latin-1 letter itself where the code page has it, else "?".  The
// fallback is written as a hex escape: some readers swallow the character
// after a bare "?".
void AppendText(QByteArray& out, const QString& text) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        switch (c) {
        case u'\\':
            out += "\\\\";
            break;
        case u'{':
            out += "\\{";
            break;
        case u'}':
            out += "\\}";
            break;
        case u'\t':
            out += "\\tab ";
            break;
        case u'\r':
            if (i + 1 < n && text.at(i + 1) == u'\n') ++i;
            out += "\\line ";
            break;
        case u'\n':
            out += "\\line ";
            break;
        default:
            if (c > 127) {
                out += "\\u" + Num(c > 32767 ? int(c) - 65536 : int(c)) + "\\'" +
                       (c >= 0xA0 && c <= 0xFF ? QByteArray(1, char(c)).toHex() : "3f");
            } else if (c >= 32 && c != 127) {
                out += char(c);
            } // other control characters have no meaning on paper
        }
    }
}

QByteArray AlignWord(Align a) {
    switch (a) {
    case Align::Center:
        return "\\qc";
    case Align::Right:
        return "\\qr";
    case Align::Justify:
        return "\\qj";
    case Align::Left:
        break;
    }
    return "\\ql";
}

class RtfBuilder {
public:
    explicit RtfBuilder(const Document& d) : m_doc(d) {
        m_base = d.page.base;
        const TextStyle fallback = PageSetup{}.base;
        if (m_base.family.isEmpty()) m_base.family = fallback.family;
        if (m_base.pointSize <= 0) m_base.pointSize = fallback.pointSize;
        useStyle(m_base);
        collect(d.header);
        collect(d.footer);
        collect(d.body);
    }

    QByteArray build() {
        m_out = "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\n";
        writeFontTable();
        writeColourTable();
        if (!m_doc.title.isEmpty()) {
            m_out += "{\\info{\\title ";
            AppendText(m_out, m_doc.title);
            m_out += "}}\n";
        }
        writePage();
        if (!m_doc.header.isEmpty()) writeHeaderFooter("{\\header\n", m_doc.header);
        if (!m_doc.footer.isEmpty()) writeHeaderFooter("{\\footer\n", m_doc.footer);
        writeBlocks(m_doc.body, true);
        m_out += "}\n";
        return m_out;
    }

private:
    // --- the font and colour tables: every style in the document, once ---

    TextStyle resolved(TextStyle s) const {
        if (s.family.isEmpty()) s.family = m_base.family;
        if (s.pointSize <= 0) s.pointSize = m_base.pointSize;
        return s;
    }

    void useColour(quint32 rgb) {
        if (!m_colours.contains(rgb & 0xFFFFFF)) m_colours << (rgb & 0xFFFFFF);
    }

    void useStyle(const TextStyle& style) {
        const TextStyle s = resolved(style);
        if (!m_fonts.contains(s.family)) m_fonts << s.family;
        useColour(s.rgb);
    }

    void collect(const QList<Block>& blocks) {
        for (const Block& b : blocks) {
            if (const auto* p = std::get_if<Paragraph>(&b)) {
                for (const Run& r : p->runs)
                    useStyle(r.style);
            } else if (const auto* t = std::get_if<Table>(&b)) {
                useStyle(t->style);
                for (const QList<TableRow>* rows : {&t->header, &t->rows})
                    for (const TableRow& row : *rows)
                        if (row.background != 0xFFFFFF) useColour(row.background);
            }
        }
    }

    void writeFontTable() {
        m_out += "{\\fonttbl";
        for (qsizetype i = 0; i < m_fonts.size(); ++i) {
            m_out += "{\\f" + Num(i) + "\\fnil\\fcharset0 ";
            AppendText(m_out, m_fonts[i]);
            m_out += ";}";
        }
        m_out += "}\n";
    }

    // Entry 0 is the reader's automatic colour; the document's colours follow.
    void writeColourTable() {
        m_out += "{\\colortbl;";
        for (quint32 rgb : m_colours)
            m_out += "\\red" + Num((rgb >> 16) & 0xFF) + "\\green" + Num((rgb >> 8) & 0xFF) +
                     "\\blue" + Num(rgb & 0xFF) + ';';
        m_out += "}\n";
    }

    int colourIndex(quint32 rgb) const { return int(m_colours.indexOf(rgb & 0xFFFFFF)) + 1; }

    // Every run names its colour, black included: a word processor draws its
    // automatic colour white on a dark cell.
    QByteArray charFormat(const TextStyle& style) const {
        const TextStyle s = resolved(style);
        QByteArray f = "\\f" + Num(m_fonts.indexOf(s.family)) + "\\fs" +
                       Num(std::lround(s.pointSize * 2)) + "\\cf" + Num(colourIndex(s.rgb));
        if (s.bold) f += "\\b";
        if (s.italic) f += "\\i";
        if (s.underline) f += "\\ul";
        return f;
    }

    // --- the page ---

    // The page size is the upright sheet; a landscape page turns it.
    void writePage() {
        const PageSetup& page = m_doc.page;
        int width = InchTwips(page.sizeInches.width());
        int height = InchTwips(page.sizeInches.height());
        if (page.landscape) std::swap(width, height);
        const int left = InchTwips(page.margins.left), right = InchTwips(page.margins.right);
        const int top = InchTwips(page.margins.top), bottom = InchTwips(page.margins.bottom);
        m_textWidth = std::max(width - left - right, 1440);
        const QByteArray turned = page.landscape ? "\\landscape" : "";
        m_out += "\\paperw" + Num(width) + "\\paperh" + Num(height) + "\\margl" + Num(left) +
                 "\\margr" + Num(right) + "\\margt" + Num(top) + "\\margb" + Num(bottom) + turned +
                 "\\viewkind1\n";
        // The header and footer stand in the margins, at most half an inch
        // from the sheet's edge.
        m_out += "\\sectd" + QByteArray(page.landscape ? "\\lndscpsxn" : "") + "\\pgwsxn" +
                 Num(width) + "\\pghsxn" + Num(height) + "\\marglsxn" + Num(left) + "\\margrsxn" +
                 Num(right) + "\\margtsxn" + Num(top) + "\\margbsxn" + Num(bottom) + "\\headery" +
                 Num(std::min(720, top / 2)) + "\\footery" + Num(std::min(720, bottom / 2)) + '\n';
    }

    void writeHeaderFooter(const QByteArray& opening, const QList<Block>& blocks) {
        m_out += opening;
        writeBlocks(blocks, false);
        m_out += "}\n";
    }

    // --- blocks ---

    // A page break becomes "page break before" on the paragraph that follows
    // it; a break at the end has nothing to push onto a new page and is left
    // out.
    void writeBlocks(const QList<Block>& blocks, bool pageBreaks) {
        m_breakPending = false;
        for (qsizetype i = 0; i < blocks.size(); ++i) {
            const Block& b = blocks[i];
            if (std::holds_alternative<PageBreak>(b)) {
                if (!pageBreaks) continue;
                if (m_breakPending) writeBreakParagraph(); // two breaks: an empty page
                m_breakPending = true;
            } else if (const auto* p = std::get_if<Paragraph>(&b)) {
                writeParagraph(*p);
            } else if (const auto* t = std::get_if<Table>(&b)) {
                writeTable(*t);
                // A table closes with a paragraph of its own: two tables in a
                // row would otherwise be read as one, and a file may not end
                // inside a table.
                if (i + 1 == blocks.size() || std::holds_alternative<Table>(blocks[i + 1]))
                    m_out += "\\pard\\plain\\sl-20\\slmult0\\fs2\\par\n";
            } else if (const auto* im = std::get_if<Image>(&b)) {
                writeImage(*im);
            } else if (const auto* s = std::get_if<Spacer>(&b)) {
                writeSpacer(*s);
            }
        }
        m_breakPending = false;
    }

    // Opens a paragraph outside a table; the paragraph mark takes the base font
    // so an empty paragraph is one base line high.
    void openParagraph(const QByteArray& format) {
        m_out += "\\pard\\plain" + format;
        if (m_breakPending) m_out += "\\pagebb";
        m_breakPending = false;
        m_out += charFormat(m_base) + ' ';
    }

    void writeBreakParagraph() {
        m_breakPending = false;
        m_out += "\\pard\\plain\\sl-20\\slmult0\\fs2\\page\\par\n";
    }

    void writeParagraph(const Paragraph& p) {
        QByteArray format = AlignWord(p.align);
        if (p.spaceBefore > 0) format += "\\sb" + Num(Twips(p.spaceBefore));
        if (p.spaceAfter > 0) format += "\\sa" + Num(Twips(p.spaceAfter));
        if (p.indent > 0) format += "\\li" + Num(Twips(p.indent));
        if (p.keepWithNext) format += "\\keepn";
        openParagraph(format);
        for (const Run& r : p.runs)
            writeRun(r);
        m_out += "\\par\n";
    }

    // The page fields carry "1" as their last known result, which a reader
    // shows until it lays the pages out.
    void writeRun(const Run& r) {
        m_out += '{' + charFormat(r.style) + ' ';
        switch (r.field) {
        case Field::Text:
            AppendText(m_out, r.text);
            break;
        case Field::PageNumber:
            m_out += "{\\field{\\*\\fldinst PAGE }{\\fldrslt 1}}";
            break;
        case Field::PageCount:
            m_out += "{\\field{\\*\\fldinst NUMPAGES }{\\fldrslt 1}}";
            break;
        }
        m_out += '}';
    }

    void writeSpacer(const Spacer& s) {
        if (s.points <= 0) return;
        // An empty paragraph exactly that high (a negative line spacing is exact).
        m_out += "\\pard\\plain\\sl-" + Num(std::max(1, Twips(s.points))) + "\\slmult0";
        if (m_breakPending) m_out += "\\pagebb";
        m_breakPending = false;
        m_out += "\\fs2\\par\n";
    }

    void writeImage(const Image& im) {
        const std::optional<PictureFile> pic = ReadPictureFile(im.path);
        if (!pic) return;
        double w = im.widthInches, h = im.heightInches;
        if (w <= 0) w = h > 0 ? h * pic->width / pic->height : pic->width / 96.0;
        if (h <= 0) h = w * pic->height / pic->width;
        QByteArray format = AlignWord(im.leftInches >= 0 ? Align::Left : im.align);
        if (im.leftInches > 0) format += "\\li" + Num(InchTwips(im.leftInches));
        openParagraph(format);
        m_out += "{\\pict";
        m_out += pic->kind == PictureFile::Kind::Png ? "\\pngblip" : "\\jpegblip";
        m_out += "\\picw" + Num(pic->width) + "\\pich" + Num(pic->height) + "\\picwgoal" +
                 Num(InchTwips(w)) + "\\pichgoal" + Num(InchTwips(h)) + '\n';
        const QByteArray hex = pic->bytes.toHex();
        for (qsizetype at = 0; at < hex.size(); at += 128)
            m_out += hex.mid(at, 128) + '\n';
        m_out += "}\\par\n";
    }

    // --- tables ---

    // The cells' right edges in twips from the left margin: the column
    // weights shared out over the text width (equal shares when the weights
    // say nothing).
    QList<int> cellEdges(const Table& t) const {
        double total = 0;
        for (const Column& c : t.columns)
            total += std::max(0.0, c.weight);
        QList<int> edges;
        double sum = 0;
        for (const Column& c : t.columns) {
            sum += total > 0 ? std::max(0.0, c.weight) : 1;
            const double share = sum / (total > 0 ? total : double(t.columns.size()));
            edges << int(std::lround(share * m_textWidth));
        }
        return edges;
    }

    void writeTable(const Table& t) {
        if (t.columns.isEmpty()) return;
        if (m_breakPending) writeBreakParagraph();
        const QList<int> edges = cellEdges(t);
        for (const TableRow& row : t.header)
            writeRow(t, edges, row, true);
        for (const TableRow& row : t.rows)
            writeRow(t, edges, row, false);
    }

    // Header rows are marked to repeat at the top of every page the table
    // reaches; no row is split between pages.
    void writeRow(const Table& t, const QList<int>& edges, const TableRow& row, bool header) {
        const QByteArray pad = Num(Twips(t.cellPadding));
        m_out += "\\trowd\\trgaph" + pad + "\\trleft0\\trkeep";
        if (header) m_out += "\\trhdr";
        m_out += "\\trpaddl" + pad + "\\trpaddr" + pad + "\\trpaddt" + pad + "\\trpaddb" + pad +
                 "\\trpaddfl3\\trpaddfr3\\trpaddft3\\trpaddfb3\n";
        for (int edge : edges) {
            if (t.gridLines)
                for (const char* side : {"t", "l", "b", "r"})
                    m_out += QByteArray("\\clbrdr") + side + "\\brdrs\\brdrw10";
            if (row.background != 0xFFFFFF) m_out += "\\clcbpat" + Num(colourIndex(row.background));
            m_out += "\\cellx" + Num(edge) + '\n';
        }
        TextStyle style = t.style;
        style.bold = style.bold || header || row.bold;
        for (qsizetype c = 0; c < t.columns.size(); ++c) {
            m_out +=
                "\\pard\\plain\\intbl" + AlignWord(t.columns[c].align) + charFormat(style) + ' ';
            AppendText(m_out, c < row.cells.size() ? row.cells[c] : QString());
            m_out += "\\cell\n";
        }
        m_out += "\\row\n";
    }

    const Document& m_doc;
    TextStyle m_base;
    QStringList m_fonts;
    QList<quint32> m_colours;
    QByteArray m_out;
    int m_textWidth = 1440 * 6;
    bool m_breakPending = false;
};

} // namespace

QByteArray RtfOf(const doc::Document& d) {
    return RtfBuilder(d).build();
}

bool WriteRtf(const doc::Document& d, const QString& path, QString* error) {
    const QByteArray rtf = RtfOf(d);
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(rtf) == rtf.size() && file.commit();
    if (!written && error)
        *error = "The file '" + QDir::toNativeSeparators(path) +
                 "' could not be written: " + file.errorString();
    return written;
}

} // namespace vm
