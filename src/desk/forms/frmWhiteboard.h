#pragma once
// The whiteboard in a window of its own: the shared page as the desk sees
// it, opened from the command bar.  Every opening is recorded as a viewing.

#include "core/AppContext.h"

#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace vm {

class frmWhiteboard : public QWidget {
    Q_OBJECT
public:
    explicit frmWhiteboard(AppContext& ctx, QWidget* parent = nullptr);

    // Reads the page again (a board missing on disk is created empty).
    void reload();

private:
    AppContext& m_ctx;
    QTextBrowser* m_view;
};

// Shows the board in the main window's own viewer and records the viewing.
void ShowWhiteboard(AppContext& ctx, QWidget* owner);
// Opens a message page in the desktop's browser, saying so when it cannot.
void OpenPageInBrowser(AppContext& ctx, const QString& path);
// Loads a page file into a viewer (links to the next pages keep working).
void ShowPageIn(QTextBrowser* view, const QString& path);

} // namespace vm
