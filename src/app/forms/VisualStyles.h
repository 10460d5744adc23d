#pragma once
// The visual styles of the Tools menu.  The choice is kept in the local INI
// file (Settings/Skin) under its historic names; each is drawn with a Qt
// style available on every machine (Fusion) and a palette of its own, and
// "NONE" is the desktop's own style.

#include <QList>
#include <QPalette>
#include <QString>

namespace vm {

class AppContext;

struct VisualStyle {
    const char* stored;  // Settings/Skin
    const char* caption; // Tools > Visual Styles
    const char* action;  // objectName of the menu entry
};

// The choices of the menu, "None" last.
const QList<VisualStyle>& VisualStyleChoices();
// The stored style; "WinXPLuna" when none is kept, "NONE" when the program
// folder holds DisableSkin.cjstyles.  Unknown values read as "NONE".
QString StoredVisualStyle(const AppContext& ctx);
void StoreVisualStyle(const AppContext& ctx, const QString& stored);
// The Qt style name a stored value is drawn with ("" = the desktop's own).
QString QtStyleFor(const QString& stored);
QPalette VisualStylePalette(const QString& stored);
// Sets the application's style and palette.
void ApplyVisualStyle(const QString& stored);

} // namespace vm
