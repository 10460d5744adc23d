#include "app/forms/VisualStyles.h"

#include "core/AppContext.h"
#include "platform/RegistryValues.h"

#include <QApplication>
#include <QFileInfo>
#include <QStyle>
#include <QStyleFactory>

namespace vm {

namespace {

struct Colours {
    const char* stored;
    QColor window, button, highlight, highlightedText;
};

// Window, button, selection and selected-text colours of each style.
const Colours Palettes[] = {
    {"WinXPLuna", QColor(0xEC, 0xE9, 0xD8), QColor(0xF4, 0xF3, 0xEE), QColor(0x31, 0x6A, 0xC5),
     QColor(Qt::white)},
    {"WinXPRoyale", QColor(0xEB, 0xE9, 0xED), QColor(0xF6, 0xF6, 0xF8), QColor(0x33, 0x5E, 0xA8),
     QColor(Qt::white)},
    {"Office2007", QColor(0xD5, 0xE4, 0xF2), QColor(0xE3, 0xEF, 0xFF), QColor(0xFF, 0xD2, 0x6A),
     QColor(Qt::black)},
    {"Vista", QColor(0xF0, 0xF0, 0xF0), QColor(0xF7, 0xF7, 0xF7), QColor(0x33, 0x99, 0xFF),
     QColor(Qt::white)},
};

const Colours* coloursOf(const QString& stored) {
    for (const Colours& c : Palettes)
        if (stored.compare(QLatin1String(c.stored), Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

// The desktop's own style, as it was before the program chose one.
const QString& desktopStyle() {
    static const QString name = QApplication::style() ? QApplication::style()->name() : QString();
    return name;
}

} // namespace

const QList<VisualStyle>& VisualStyleChoices() {
    static const QList<VisualStyle> choices = {
        {"WinXPLuna", "XP (Luna)", "actStyleWinXPLuna"},
        {"WinXPRoyale", "XP (Royale)", "actStyleWinXPRoyale"},
        {"Office2007", "Office 2007", "actStyleOffice2007"},
        {"NONE", "None", "actStyleNone"}};
    return choices;
}

QString StoredVisualStyle(const AppContext& ctx) {
    if (QFileInfo::exists(ctx.workstation.programFolder + "/DisableSkin.cjstyles")) return "NONE";
    const QString stored = INIRead("Settings", "Skin", ctx.iniFile(), "WinXPLuna").trimmed();
    if (const Colours* c = coloursOf(stored)) return QString::fromLatin1(c->stored);
    return "NONE";
}

void StoreVisualStyle(const AppContext& ctx, const QString& stored) {
    INIWrite("Settings", "Skin", stored, ctx.iniFile());
}

QString QtStyleFor(const QString& stored) {
    return coloursOf(stored) ? QStringLiteral("Fusion") : QString();
}

QPalette VisualStylePalette(const QString& stored) {
    const Colours* c = coloursOf(stored);
    if (!c) {
        QStyle* own = QStyleFactory::create(desktopStyle());
        const QPalette p = own ? own->standardPalette() : QPalette();
        delete own;
        return p;
    }
    QStyle* fusion = QStyleFactory::create("Fusion");
    QPalette p = fusion ? fusion->standardPalette() : QPalette();
    delete fusion;
    p.setColor(QPalette::Window, c->window);
    p.setColor(QPalette::Button, c->button);
    p.setColor(QPalette::Highlight, c->highlight);
    p.setColor(QPalette::HighlightedText, c->highlightedText);
    return p;
}

void ApplyVisualStyle(const QString& stored) {
    (void)desktopStyle(); // remembered before the first change
    const QString qtStyle = QtStyleFor(stored);
    if (QStyle* style = QStyleFactory::create(qtStyle.isEmpty() ? desktopStyle() : qtStyle))
        QApplication::setStyle(style);
    QApplication::setPalette(VisualStylePalette(stored));
}

} // namespace vm
