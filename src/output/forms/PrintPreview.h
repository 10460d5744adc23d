#pragma once
// Opening a report: the routine's document is built and shown in its preview
// window (frmPrintObj or frmPrintLH), from where it is printed, saved as PDF
// or RTF and, for guest documents, e-mailed.
//
// The window's controls (objectNames):
//   cmdFirst, cmdPrevious, cmdNext, cmdLast   page navigation
//   lblPage                                   "Page 2 of 5" ("Page 2 of 5+" while the
//                                             later pages are still being laid out)
//   cboZoom                                   "Fit Width", "Whole Page", "50%" … "200%"
//   scrPreview, picPage                       the scroll area and the page drawn in it
//   cmdPrint                                  the print dialog, then the printer
//   cmdPdf                                    "Save as PDF"
//   cmdRtf                                    "Export.rtf" in the output folder (routine.rtf)
//   cmdEmail                                  PDF attachment to request.args["EmailTo"]
//                                             (routine.email)
//   cmdClose

#include "output/Reports.h"

#include <functional>

class QPrinter;
class QWidget;

namespace vm {

// Builds the document of `request.routine` and opens its preview window
// (modeless; closed with the session).  An unknown routine, a refusal of the
// routine or a database error is a message and answers nullptr.  With the
// setting "NoPrintPreview" the document goes straight to the print dialog
// (and nullptr is answered).
QWidget* OpenReport(AppContext& ctx, const PrintRequest& request, QWidget* parent);

// Builds the document and hands it to the mail program as a PDF attachment, the
// body starting with the setting "ConfirmationText1" and "From:  " the member.
// True when the mail program took it; otherwise the member was told why.
bool EmailReport(AppContext& ctx, const PrintRequest& request, const QString& to, QWidget* parent);

// The same for a document already built (the preview window's E-mail button).
// The attachment is written to the output folder, named after the title.
bool EmailDocument(AppContext& ctx, const doc::Document& d, const QString& title,
                   const QString& to);

// Asks for the printer (the print dialog) and prints.  False when cancelled or
// the printer failed (the member was told).
bool PrintWithDialog(AppContext& ctx, const doc::Document& d, QWidget* parent);

// The dialog that chooses the printer: true when the member chose to print.
// The program uses the print dialog; tests put in one that sets up a PDF printer.
using PrintDialogRunner = std::function<bool(QPrinter&, QWidget*)>;
void SetPrintDialogRunner(PrintDialogRunner runner); // empty: the print dialog again

// A routine that built a document without a body (and did not refuse).
inline const QString MsgNothingToPrint = QStringLiteral("There is nothing to print.");

// "Error 3000 (…)\r\nProcedure: Form_Load of Form frmPrintObj"
QString MsgPreviewLoadError(int number, const QString& description, const QString& windowName);

// Texts of the PDF save.
inline const QString PdfFilter = QStringLiteral("Portable Document Format (*.pdf)");
inline const QString PdfDefaultName = QStringLiteral("Report");
inline const QString MsgOverwriteTitle = QStringLiteral("Overwrite file?");
QString MsgOverwriteFile(); // "The file you selected already exists." + CRLF + "Do you wish…"
inline const QString RtfFileName = QStringLiteral("Export.rtf");

} // namespace vm
