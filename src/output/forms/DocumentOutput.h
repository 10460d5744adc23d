#pragma once
// The three places a laid-out document goes besides the screen: a PDF file,
// a printer and (through the PDF) a mail attachment.  All of them draw with
// the same layout and painter as the preview.

#include "output/Document.h"

class QPaintDevice;
class QPrinter;

namespace vm {

// The resolution every preview lays out at: that of the PDF files, so the
// screen shows the lines and pages the PDF will have.
constexpr int LayoutDpi = 1200;
// A device with LayoutDpi for font metrics (no drawing goes to it).
QPaintDevice* ReferenceDevice();

// Writes the document as PDF.  The file is written beside the target under a
// temporary name and renamed over it only when complete, so a failure never
// leaves a half-written file (and keeps an older file of that name).  On
// failure answers false and, when given, `error` gets a message naming it.
bool WritePdf(const doc::Document& d, const QString& path, QString* error);

// Sets the printer to the document's paper, before the print dialog shows it.
void PreparePrinter(const doc::Document& d, QPrinter& printer);
// Prints every page to a printer the member has chosen (or a PDF printer).
// False when the printer could not start.
bool PrintDocument(const doc::Document& d, QPrinter& printer);

// "The file … could not be written (…)."
QString MsgFileNotWritten(const QString& path, const QString& reason);

} // namespace vm
