#pragma once
// Opening a report: the routine's document is built and shown in its preview
// window (frmPrintObj or frmPrintLH), from where it is printed, saved as PDF
// or RTF and, for guest documents, e-mailed.

#include "output/Reports.h"

class QWidget;

namespace vm {

// Builds the document of `request.routine` and opens its preview window
// (modeless; closed with the session).  An unknown routine, a refusal of the
// routine or a database error is a message and answers nullptr.
QWidget* OpenReport(AppContext& ctx, const PrintRequest& request, QWidget* parent);

// Builds the document and hands it to the mail program as a PDF attachment, the
// body starting with the setting "ConfirmationText1" and "From:  " the member.
// True when the mail program took it; otherwise the member was told why.
bool EmailReport(AppContext& ctx, const PrintRequest& request, const QString& to, QWidget* parent);

} // namespace vm
