#include "output/forms/DocumentOutput.h"

#include "output/forms/DocumentLayout.h"

#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <cmath>
#include <functional>

namespace vm {

namespace {

QPageLayout PageLayoutOf(const doc::PageSetup& s) {
    return QPageLayout(QPageSize(s.sizeInches, QPageSize::Inch),
                       s.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

// Every page of `d` on a device whose painter has begun.
void DrawAllPages(const doc::Document& d, QPaintDevice* device, QPainter& painter,
                  const std::function<void()>& newPage) {
    doc::PagedDocument paged(d, device);
    paged.layOutAll();
    for (int i = 0; i < paged.pagesLaidOut(); ++i) {
        if (i > 0) newPage();
        paged.drawPage(painter, i);
    }
}

} // namespace

QPaintDevice* ReferenceDevice() {
    static QImage device = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        const int perMeter = int(std::lround(LayoutDpi / 0.0254));
        img.setDotsPerMeterX(perMeter);
        img.setDotsPerMeterY(perMeter);
        return img;
    }();
    return &device;
}

QString MsgFileNotWritten(const QString& path, const QString& reason) {
    return "The file " + QDir::toNativeSeparators(path) + " could not be written (" + reason + ").";
}

bool WritePdf(const doc::Document& d, const QString& path, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error) *error = MsgFileNotWritten(path, reason);
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(LayoutDpi);
        writer.setTitle(d.title);
        writer.setCreator(QStringLiteral("Velmora"));
        writer.setPageLayout(PageLayoutOf(d.page));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return fail(QStringLiteral("the PDF writer did not start"));
        }
        DrawAllPages(d, &writer, painter, [&] { writer.newPage(); });
        painter.end();
    }
    if (!file.commit()) return fail(file.errorString());
    return true;
}

void PreparePrinter(const doc::Document& d, QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageLayout(PageLayoutOf(d.page));
    printer.setDocName(d.title);
    printer.setCreator(QStringLiteral("Velmora"));
}

bool PrintDocument(const doc::Document& d, QPrinter& printer) {
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    DrawAllPages(d, &printer, painter, [&] { printer.newPage(); });
    return painter.end();
}

} // namespace vm
