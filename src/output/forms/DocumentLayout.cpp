#include "output/forms/DocumentLayout.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>
#include <QTextCharFormat>
#include <algorithm>
#include <limits>

namespace vm::doc {

void PageContent::translate(double dy) {
    for (FillPiece& f : fills)
        f.rect.translate(0, dy);
    for (ImagePiece& i : images)
        i.rect.translate(0, dy);
    for (TextPiece& t : texts)
        t.at.ry() += dy;
    for (QLineF& l : lines)
        l.translate(0, dy);
    bottom += dy;
}

// ---------------------------------------------------------------- engine

LayoutEngine::LayoutEngine(const PageSetup& setup, QPaintDevice* metrics)
    : m_setup(setup), m_metrics(metrics), m_dpi(metrics->logicalDpiY()) {
    if (m_setup.base.family.isEmpty()) m_setup.base.family = QStringLiteral("Arial");
    if (m_setup.base.pointSize <= 0) m_setup.base.pointSize = 10;
}

QFont LayoutEngine::font(const TextStyle& style, bool bold) const {
    QFont f(style.family.isEmpty() ? m_setup.base.family : style.family);
    f.setPointSizeF(style.pointSize > 0 ? style.pointSize : m_setup.base.pointSize);
    f.setBold(bold || style.bold);
    f.setItalic(style.italic);
    f.setUnderline(style.underline);
    return QFont(f, m_metrics);
}

namespace {

QString FieldText(const Run& r, const QString& number, const QString& count) {
    switch (r.field) {
    case Field::PageNumber:
        return number;
    case Field::PageCount:
        return count;
    case Field::Text:
        break;
    }
    QString t = r.text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QChar('\n'), QChar::LineSeparator);
    return t;
}

Qt::Alignment QtAlign(Align a) {
    switch (a) {
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Justify:
        return Qt::AlignJustify;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Height of lines [from, from + count).
double LinesHeight(const QTextLayout& l, int from, int count) {
    if (count <= 0) return 0;
    const QTextLine first = l.lineAt(from);
    const QTextLine last = l.lineAt(from + count - 1);
    return last.y() + last.height() - first.y();
}

// How many lines from `from` fit into `room`.
int LinesFitting(const QTextLayout& l, int from, double room) {
    const double top = from < l.lineCount() ? l.lineAt(from).y() : 0;
    int n = 0;
    while (from + n < l.lineCount()) {
        const QTextLine line = l.lineAt(from + n);
        if (line.y() + line.height() - top > room) break;
        ++n;
    }
    return n;
}

} // namespace

std::shared_ptr<QTextLayout> LayoutEngine::text(const QList<Run>& runs, Align align, double width,
                                                const TextStyle& style, bool bold,
                                                const QString& pageNumber,
                                                const QString& pageCount) const {
    QString all;
    QList<QTextLayout::FormatRange> formats;
    const QFont base = font(style, bold);
    for (const Run& r : runs) {
        const QString t = FieldText(r, pageNumber, pageCount);
        TextStyle s = r.style;
        if (s.family.isEmpty()) s.family = style.family;
        if (s.pointSize <= 0) s.pointSize = style.pointSize;
        s.bold = s.bold || style.bold;
        s.italic = s.italic || style.italic;
        s.underline = s.underline || style.underline;
        // Runs in the layout's own font need no format: most table cells are one such run.
        const QFont f = font(s, bold);
        if (f != base || s.rgb != 0) {
            QTextCharFormat format;
            format.setFont(f, QTextCharFormat::FontPropertiesAll);
            if (s.rgb != 0) format.setForeground(QColor::fromRgb(s.rgb));
            formats.append({int(all.size()), int(t.size()), format});
        }
        all += t;
    }
    auto layout = std::make_shared<QTextLayout>(all, base, m_metrics);
    QTextOption option(QtAlign(align));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    if (!formats.isEmpty()) layout->setFormats(formats);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    double y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(std::max(1.0, width));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    return layout;
}

std::shared_ptr<const QImage> LayoutEngine::image(const QString& path) {
    if (const auto it = m_images.constFind(path); it != m_images.constEnd()) return it.value();
    std::shared_ptr<const QImage> img;
    QImageReader reader(path);
    QImage read = reader.read();
    if (!read.isNull()) img = std::make_shared<const QImage>(std::move(read));
    m_images.insert(path, img);
    return img;
}

// ------------------------------------------------------------------ flow

namespace {

struct RowLayout {
    QList<std::shared_ptr<QTextLayout>> cells;
    const TableRow* row = nullptr;
};

enum class Placed { Done, DoneBreak, PageFull };

QList<int> AllLines(const RowLayout& r) {
    QList<int> n;
    for (const auto& cell : r.cells)
        n << cell->lineCount();
    return n;
}

} // namespace

struct Flow::State {
    LayoutEngine& eng;
    const QList<Block>& blocks;
    QRectF area;
    bool unbounded;

    int block = 0;
    // The paragraph being placed.
    std::shared_ptr<QTextLayout> para;
    int paraLine = 0;
    // The table being placed.
    bool tableStarted = false;
    bool headerOnPage = false;
    int rowsOnPage = 0;
    QList<double> colX, colW;
    QList<RowLayout> headerRows;
    double headerHeight = 0;
    int row = 0;
    bool haveRow = false;
    RowLayout current;
    QList<int> cellLine;
    // The page being filled.
    PageContent page;
    double y = 0;
    bool pageEmpty = true;
    QString number, count;

    State(LayoutEngine& e, const QList<Block>& b, const QRectF& a)
        : eng(e), blocks(b), area(a), unbounded(a.height() > 1e8) {}

    double room() const { return area.bottom() - y; }
    TextStyle base() const { return eng.setup().base; }

    Placed place(const Block& b);
    Placed placeParagraph(const Paragraph& p, const Block* next);
    Placed placeTable(const Table& t);
    Placed placeImage(const Image& im);

    double firstUnitHeight(const Block* b);
    void startTable(const Table& t);
    RowLayout layoutRow(const Table& t, const TableRow& r, bool header);
    double rowHeight(const Table& t, const RowLayout& r, const QList<int>& from) const;
    void putRow(const Table& t, const RowLayout& r, const QList<int>& from, const QList<int>& take,
                double height);
};

Placed Flow::State::place(const Block& b) {
    const Block* next = block + 1 < blocks.size() ? &blocks[block + 1] : nullptr;
    if (const auto* p = std::get_if<Paragraph>(&b)) return placeParagraph(*p, next);
    if (const auto* t = std::get_if<Table>(&b)) return placeTable(*t);
    if (const auto* im = std::get_if<Image>(&b)) return placeImage(*im);
    if (const auto* s = std::get_if<Spacer>(&b)) {
        y = std::min(y + eng.px(s->points), unbounded ? 1e9 : area.bottom());
        if (s->points > 0) pageEmpty = false; // room left on purpose is part of the page
        return Placed::Done;
    }
    // A page break on a page with nothing on it would leave a blank page.
    if (unbounded || pageEmpty) return Placed::Done;
    return Placed::DoneBreak;
}

double Flow::State::firstUnitHeight(const Block* b) {
    if (!b) return 0;
    if (const auto* p = std::get_if<Paragraph>(b)) {
        const TextStyle s = p->runs.isEmpty() ? base() : p->runs.first().style;
        TextStyle full = base();
        if (!s.family.isEmpty()) full.family = s.family;
        if (s.pointSize > 0) full.pointSize = s.pointSize;
        return eng.px(p->spaceBefore) + QFontMetricsF(eng.font(full, s.bold)).height();
    }
    if (const auto* t = std::get_if<Table>(b)) {
        TextStyle s = base();
        if (!t->style.family.isEmpty()) s.family = t->style.family;
        if (t->style.pointSize > 0) s.pointSize = t->style.pointSize;
        const double line = QFontMetricsF(eng.font(s, true)).height() + 2 * eng.px(t->cellPadding);
        return line * (t->header.size() + (t->rows.isEmpty() ? 0 : 1));
    }
    return 0;
}

Placed Flow::State::placeParagraph(const Paragraph& p, const Block* next) {
    const double indent = eng.px(p.indent);
    if (!para) {
        para = eng.text(p.runs, p.align, area.width() - indent, base(), false, number, count);
        paraLine = 0;
        if (!pageEmpty) {
            const double whole = eng.px(p.spaceBefore) + LinesHeight(*para, 0, para->lineCount());
            const double withNext = whole + (p.keepWithNext ? firstUnitHeight(next) : 0);
            // A heading goes to the next page rather than end this one.
            if (!unbounded && p.keepWithNext && withNext > room() && withNext <= area.height()) {
                return Placed::PageFull;
            }
            y += eng.px(p.spaceBefore);
        }
    }
    int n = unbounded ? para->lineCount() - paraLine : LinesFitting(*para, paraLine, room());
    if (n == 0 && pageEmpty) n = 1; // a line taller than the page still goes somewhere
    if (n == 0) return Placed::PageFull;
    page.texts.append({para, paraLine, n, QPointF(area.left() + indent, y)});
    y += LinesHeight(*para, paraLine, n);
    paraLine += n;
    pageEmpty = false;
    if (paraLine < para->lineCount()) return Placed::PageFull;
    y += eng.px(p.spaceAfter);
    para.reset();
    return Placed::Done;
}

void Flow::State::startTable(const Table& t) {
    double total = 0;
    for (const Column& c : t.columns)
        total += std::max(0.0, c.weight);
    colX.clear();
    colW.clear();
    double x = area.left();
    for (const Column& c : t.columns) {
        const double w = total > 0 ? area.width() * std::max(0.0, c.weight) / total
                                   : area.width() / t.columns.size();
        colX << x;
        colW << w;
        x += w;
    }
    headerRows.clear();
    headerHeight = 0;
    const QList<int> zero(t.columns.size(), 0);
    for (const TableRow& r : t.header) {
        headerRows << layoutRow(t, r, true);
        headerHeight += rowHeight(t, headerRows.last(), zero);
    }
    row = 0;
    haveRow = false;
    headerOnPage = false;
    rowsOnPage = 0;
    tableStarted = true;
}

RowLayout Flow::State::layoutRow(const Table& t, const TableRow& r, bool header) {
    TextStyle s = t.style;
    if (s.family.isEmpty()) s.family = base().family;
    if (s.pointSize <= 0) s.pointSize = base().pointSize;
    const double pad = eng.px(t.cellPadding);
    RowLayout out;
    out.row = &r;
    for (int c = 0; c < t.columns.size(); ++c) {
        Run run;
        run.text = r.cells.value(c);
        out.cells << eng.text({run}, t.columns[c].align, colW[c] - 2 * pad, s, header || r.bold,
                              number, count);
    }
    return out;
}

double Flow::State::rowHeight(const Table& t, const RowLayout& r, const QList<int>& from) const {
    double h = 0;
    for (int c = 0; c < r.cells.size(); ++c) {
        const QTextLayout& l = *r.cells[c];
        h = std::max(h, LinesHeight(l, from[c], l.lineCount() - from[c]));
    }
    return h + 2 * eng.px(t.cellPadding);
}

void Flow::State::putRow(const Table& t, const RowLayout& r, const QList<int>& from,
                         const QList<int>& take, double height) {
    const double pad = eng.px(t.cellPadding);
    const double width = colX.isEmpty() ? 0 : colX.last() + colW.last() - colX.first();
    if (r.row->background != 0xFFFFFF && !colX.isEmpty())
        page.fills.append(
            {QRectF(colX.first(), y, width, height), QColor::fromRgb(r.row->background)});
    for (int c = 0; c < r.cells.size(); ++c) {
        if (take[c] > 0)
            page.texts.append({r.cells[c], from[c], take[c], QPointF(colX[c] + pad, y + pad)});
        if (t.gridLines) {
            const QRectF cell(colX[c], y, colW[c], height);
            page.lines << QLineF(cell.topLeft(), cell.topRight())
                       << QLineF(cell.bottomLeft(), cell.bottomRight())
                       << QLineF(cell.topLeft(), cell.bottomLeft())
                       << QLineF(cell.topRight(), cell.bottomRight());
        }
    }
    y += height;
    pageEmpty = false;
}

Placed Flow::State::placeTable(const Table& t) {
    if (t.columns.isEmpty()) return Placed::Done;
    if (!tableStarted) startTable(t);
    const int columns = int(t.columns.size());
    const QList<int> zero(columns, 0);
    auto ensureRow = [&] {
        if (haveRow) return;
        current = layoutRow(t, t.rows[row], false);
        cellLine = zero;
        haveRow = true;
    };
    if (!headerOnPage) {
        double first = 0;
        if (row < t.rows.size()) {
            ensureRow();
            first = rowHeight(t, current, cellLine);
        }
        // The header never stands alone at the foot of a page.
        if (!unbounded && !pageEmpty && headerHeight + first > room()) return Placed::PageFull;
        for (const RowLayout& h : headerRows)
            putRow(t, h, zero, AllLines(h), rowHeight(t, h, zero));
        headerOnPage = true;
        rowsOnPage = 0;
    }
    const double pad = eng.px(t.cellPadding);
    while (row < t.rows.size()) {
        ensureRow();
        const double rest = rowHeight(t, current, cellLine);
        QList<int> take(columns, 0);
        if (unbounded || rest <= room()) {
            for (int c = 0; c < columns; ++c)
                take[c] = current.cells[c]->lineCount() - cellLine[c];
            putRow(t, current, cellLine, take, rest);
            ++row;
            ++rowsOnPage;
            haveRow = false;
            continue;
        }
        const bool begun = cellLine != zero;
        // A row that fits on a fresh page (under the header) is never split.
        if (!begun && rest <= area.height() - headerHeight) {
            headerOnPage = false;
            return Placed::PageFull;
        }
        double used = 0;
        for (int c = 0; c < columns; ++c) {
            take[c] = LinesFitting(*current.cells[c], cellLine[c], room() - 2 * pad);
            used = std::max(used, LinesHeight(*current.cells[c], cellLine[c], take[c]));
        }
        if (used == 0) {
            if (rowsOnPage > 0 || begun) {
                headerOnPage = false;
                return Placed::PageFull;
            }
            for (int c = 0; c < columns; ++c) { // not even one line fits a page: place one anyway
                take[c] = std::min(1, current.cells[c]->lineCount() - cellLine[c]);
                used = std::max(used, LinesHeight(*current.cells[c], cellLine[c], take[c]));
            }
        }
        putRow(t, current, cellLine, take, used + 2 * pad);
        for (int c = 0; c < columns; ++c)
            cellLine[c] += take[c];
        ++rowsOnPage;
        headerOnPage = false;
        return Placed::PageFull;
    }
    tableStarted = false;
    return Placed::Done;
}

Placed Flow::State::placeImage(const Image& im) {
    const std::shared_ptr<const QImage> img = eng.image(im.path);
    if (!img || img->width() <= 0 || img->height() <= 0) return Placed::Done;
    const double aspect = double(img->height()) / img->width();
    double w = im.widthInches * eng.dpi();
    double h = im.heightInches * eng.dpi();
    if (w <= 0 && h <= 0) {
        w = img->width() * eng.dpi() / 96.0;
        h = img->height() * eng.dpi() / 96.0;
    } else if (h <= 0) {
        h = w * aspect;
    } else if (w <= 0) {
        w = h / aspect;
    }
    const double shrink = std::min({1.0, area.width() / w, unbounded ? 1.0 : area.height() / h});
    w *= shrink;
    h *= shrink;
    if (!unbounded && !pageEmpty && h > room()) return Placed::PageFull;
    double x = area.left();
    if (im.leftInches >= 0)
        x += im.leftInches * eng.dpi();
    else if (im.align == Align::Center)
        x += (area.width() - w) / 2;
    else if (im.align == Align::Right)
        x += area.width() - w;
    page.images.append({img, QRectF(x, y, w, h)});
    y += h;
    pageEmpty = false;
    return Placed::Done;
}

Flow::Flow(LayoutEngine& engine, const QList<Block>& blocks, const QRectF& area)
    : m(std::make_unique<State>(engine, blocks, area)) {}

Flow::~Flow() = default;

bool Flow::atEnd() const {
    return m->block >= m->blocks.size();
}

PageContent Flow::next(const QString& pageNumber, const QString& pageCount) {
    m->page = PageContent();
    m->y = m->area.top();
    m->pageEmpty = true;
    m->number = pageNumber;
    m->count = pageCount;
    while (m->block < m->blocks.size()) {
        const Placed p = m->place(m->blocks[m->block]);
        if (p == Placed::PageFull) break;
        ++m->block;
        if (p == Placed::DoneBreak) break;
    }
    m->page.bottom = m->y;
    return std::move(m->page);
}

// -------------------------------------------------------- paged document

namespace {

constexpr double HeaderGapPoints = 6;
const QString WidestNumber = QStringLiteral("888");

double BlocksHeight(LayoutEngine& eng, const QList<Block>& blocks, double left, double width) {
    if (blocks.isEmpty()) return 0;
    Flow f(eng, blocks, QRectF(left, 0, width, 1e9));
    return f.next(WidestNumber, WidestNumber).bottom;
}

} // namespace

PagedDocument::PagedDocument(const Document& d, QPaintDevice* metrics)
    : m_doc(d), m_engine(d.page, metrics) {
    const PageSetup& s = d.page;
    const double dpi = m_engine.dpi();
    QSizeF inches = s.sizeInches;
    if (s.landscape) inches.transpose();
    m_geometry.dpi = dpi;
    m_geometry.paper = inches * dpi;
    const double left = s.margins.left * dpi;
    const double width = m_geometry.paper.width() - left - s.margins.right * dpi;
    m_geometry.headerTop = s.margins.top * dpi;
    m_geometry.footerBottom = m_geometry.paper.height() - s.margins.bottom * dpi;
    const double header = BlocksHeight(m_engine, d.header, left, width);
    const double footer = BlocksHeight(m_engine, d.footer, left, width);
    const double gap = m_engine.px(HeaderGapPoints);
    double top = m_geometry.headerTop + (header > 0 ? header + gap : 0);
    double bottom = m_geometry.footerBottom - (footer > 0 ? footer + gap : 0);
    // Headers that leave the body less than an inch are drawn over it instead.
    if (bottom - top < dpi) {
        top = m_geometry.headerTop;
        bottom = m_geometry.footerBottom;
    }
    m_geometry.body = QRectF(left, top, std::max(dpi, width), bottom - top);
    m_body = std::make_unique<Flow>(m_engine, d.body, m_geometry.body);
}

PagedDocument::~PagedDocument() = default;

bool PagedDocument::complete() const {
    return m_body->atEnd() && !m_pages.isEmpty();
}

void PagedDocument::layOutUntil(int count) {
    while (m_pages.size() < count && !complete())
        m_pages.append(m_body->next(QString::number(m_pages.size() + 1)));
}

bool PagedDocument::layOutFor(std::chrono::milliseconds budget) {
    QElapsedTimer timer;
    timer.start();
    while (!complete() && timer.elapsed() < budget.count())
        m_pages.append(m_body->next(QString::number(m_pages.size() + 1)));
    return complete();
}

void PagedDocument::drawPage(QPainter& painter, int index) {
    layOutUntil(index + 1);
    if (index < 0 || index >= m_pages.size()) return;
    const QString number = QString::number(index + 1);
    const QString count = QString::number(m_pages.size());
    const double left = m_geometry.body.left();
    const double width = m_geometry.body.width();
    if (!m_doc.header.isEmpty()) {
        Flow header(m_engine, m_doc.header, QRectF(left, m_geometry.headerTop, width, 1e9));
        DrawContent(painter, header.next(number, count));
    }
    DrawContent(painter, m_pages[index]);
    if (!m_doc.footer.isEmpty()) {
        Flow footer(m_engine, m_doc.footer, QRectF(left, 0, width, 1e9));
        PageContent c = footer.next(number, count);
        c.translate(m_geometry.footerBottom - c.bottom);
        DrawContent(painter, c);
    }
}

void DrawContent(QPainter& painter, const PageContent& content) {
    for (const FillPiece& f : content.fills)
        painter.fillRect(f.rect, f.color);
    for (const ImagePiece& i : content.images)
        painter.drawImage(i.rect, *i.image);
    painter.setPen(Qt::black);
    for (const TextPiece& t : content.texts) {
        const QPointF origin = t.at - QPointF(0, t.layout->lineAt(t.firstLine).y());
        for (int i = t.firstLine; i < t.firstLine + t.lineCount; ++i)
            t.layout->lineAt(i).draw(&painter, origin);
    }
    if (!content.lines.isEmpty()) {
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLines(content.lines);
    }
}

} // namespace vm::doc
