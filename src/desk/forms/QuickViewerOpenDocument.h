#pragma once
// Opening a document to read.  Apart from the pages: the record links'
// declarations and the quick viewer store's share names and never meet in one
// file.

#include <QString>

namespace vm {

class AppContext;

// Opens a linked document with the program the desktop chose for it (an
// executable only after the member confirms it); answers whether it opened.
bool OpenQuickViewerDocument(AppContext& ctx, const QString& path);

} // namespace vm
