#include "desk/forms/QuickViewerOpenDocument.h"

#include "guests/DocumentLinks.h"

namespace vm {

bool OpenQuickViewerDocument(AppContext& ctx, const QString& path) {
    return OpenDocumentLink(ctx, path);
}

} // namespace vm
