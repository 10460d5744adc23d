#pragma once
// Reads generated PDF files back with poppler's command-line tools, the way
// any reader would see them.

#include <QSizeF>
#include <QStringList>

namespace vm::test {

// The text of each page (pdftotext -layout), in page order; empty when the
// file is no PDF a reader accepts.
QStringList PdfPages(const QString& path);
// The first page's size in points (pdfinfo).
QSizeF PdfPageSize(const QString& path);
// Whether `text` holds every one of `parts` in this order.
bool InOrder(const QString& text, const QStringList& parts);

} // namespace vm::test
