#pragma once
// A document as a Rich Text file that word processors open: the page size and
// margins, the page header and footer with page numbers, paragraphs with their
// fonts, colours and alignment, tables with header rows repeated on every page,
// page breaks and the PNG and JPEG pictures.
//
// Pictures are embedded as the bytes of their file, so only PNG and JPEG files
// go in (the two kinds every word processor reads without conversion); a GIF
// or a file that cannot be read is left out, as the printed page leaves out a
// picture it cannot load.  The text is 7-bit: everything above 127 is written
// as a Unicode escape, so the file reads the same under any code page.

#include "output/Document.h"

#include <QByteArray>
#include <QString>

namespace vm {

QByteArray RtfOf(const doc::Document& d);

// Replaces the file whole or not at all.  On failure answers false and, when
// `error` is given, a message naming the file.
bool WriteRtf(const doc::Document& d, const QString& path, QString* error);

} // namespace vm
