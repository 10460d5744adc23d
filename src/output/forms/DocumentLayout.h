#pragma once
// A doc::Document laid out into pages with the font metrics of the device it
// is drawn on.  Pages are laid out one after another, on demand: the preview
// asks for the first page and lays out the rest a slice at a time, while the
// PDF writer and the printer ask for all of them.
//
// Units: device pixels of the metrics device (its logical resolution), the
// origin at the paper's top-left corner.  The page header is laid out at the
// top margin and the body starts below it; the footer ends at the bottom
// margin and the body ends above it.

#include "output/Document.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QTextLayout>
#include <chrono>
#include <limits>
#include <memory>

class QPainter;
class QPaintDevice;

namespace vm::doc {

// Some lines of a laid-out text, placed on the page: lines [firstLine,
// firstLine + lineCount) of `layout`, the first one's top-left at `at`.
struct TextPiece {
    std::shared_ptr<const QTextLayout> layout;
    int firstLine = 0;
    int lineCount = 0;
    QPointF at;
};

struct ImagePiece {
    std::shared_ptr<const QImage> image;
    QRectF rect;
};

struct FillPiece {
    QRectF rect;
    QColor color;
};

// What one page (or one page's header or footer) shows.
struct PageContent {
    QList<FillPiece> fills;
    QList<ImagePiece> images;
    QList<TextPiece> texts;
    QList<QLineF> lines;
    double bottom = 0; // lowest point reached (header and footer heights)

    bool isEmpty() const { return texts.isEmpty() && images.isEmpty() && fills.isEmpty(); }
    void translate(double dy);
};

struct PageGeometry {
    double dpi = 72;
    QSizeF paper; // device pixels, orientation applied
    QRectF body;  // where the body flows
    double headerTop = 0;
    double footerBottom = 0;
};

// Fonts, pictures and measures on one metrics device; shared by the body and
// the page header and footer.
class LayoutEngine {
public:
    LayoutEngine(const PageSetup& setup, QPaintDevice* metrics);

    double dpi() const { return m_dpi; }
    double px(double points) const { return points * m_dpi / 72.0; }
    QFont font(const TextStyle& style, bool bold = false) const;

    // Runs laid out as lines of `width`, the first line's top at 0.  Fields
    // take the page number and count given ("" when unknown).
    std::shared_ptr<QTextLayout> text(const QList<Run>& runs, Align align, double width,
                                      const TextStyle& style, bool bold, const QString& pageNumber,
                                      const QString& pageCount) const;
    // The picture of a file, loaded once; nullptr when it cannot be read.
    std::shared_ptr<const QImage> image(const QString& path);

    const PageSetup& setup() const { return m_setup; }

private:
    PageSetup m_setup;
    QPaintDevice* m_metrics;
    double m_dpi;
    QHash<QString, std::shared_ptr<const QImage>> m_images;
};

// Lays out a list of blocks into pages of one area.  With an unbounded area
// everything goes on one page (page headers and footers).
class Flow {
public:
    Flow(LayoutEngine& engine, const QList<Block>& blocks, const QRectF& area);
    ~Flow();
    Flow(const Flow&) = delete;
    Flow& operator=(const Flow&) = delete;

    bool atEnd() const;
    // The next page; page fields show `pageNumber` and `pageCount`.
    PageContent next(const QString& pageNumber = {}, const QString& pageCount = {});

private:
    struct State;
    std::unique_ptr<State> m;
};

// A whole document: its page geometry, its body pages as far as laid out,
// and the drawing of a page with its header and footer.
class PagedDocument {
public:
    // `metrics` is the device whose font metrics and resolution the layout
    // uses; it must outlive this object, as must the document.
    PagedDocument(const Document& d, QPaintDevice* metrics);
    ~PagedDocument();

    const PageGeometry& geometry() const { return m_geometry; }
    bool complete() const;
    int pagesLaidOut() const { return int(m_pages.size()); }
    // The body of a laid-out page (0 <= index < pagesLaidOut()).
    const PageContent& page(int index) const { return m_pages[index]; }

    // Lays out pages until `count` exist or the document ends.
    void layOutUntil(int count);
    void layOutAll() { layOutUntil(std::numeric_limits<int>::max()); }
    // Lays out pages for about `budget`; true when the document is complete.
    bool layOutFor(std::chrono::milliseconds budget);

    // Draws page `index` (0-based) with the painter in layout units; the page
    // count in the header and footer is the count laid out so far.
    void drawPage(QPainter& painter, int index);

private:
    const Document& m_doc;
    LayoutEngine m_engine;
    PageGeometry m_geometry;
    std::unique_ptr<Flow> m_body;
    QList<PageContent> m_pages;
};

void DrawContent(QPainter& painter, const PageContent& content);

} // namespace vm::doc
