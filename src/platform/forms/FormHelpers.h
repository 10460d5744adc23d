#pragma once
// Small helpers every screen uses to build its controls.

#include <QApplication>
#include <QLineEdit>
#include <QString>

namespace vm {

// Gives a new control its name (the name tests and the code find it by).
template <class W> W* named(W* w, const char* objectName) {
    w->setObjectName(objectName);
    return w;
}
template <class W> W* named(W* w, const QString& objectName) {
    w->setObjectName(objectName);
    return w;
}

// A one-line text box; `secret` hides what is typed.
inline QLineEdit* makeLineEdit(QWidget* parent, const QString& objectName, bool secret = false,
                               int maxLength = 50) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setMaxLength(maxLength);
    if (secret) e->setEchoMode(QLineEdit::Password);
    return e;
}

// The wait cursor for as long as the object lives (long saves, exports).
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace vm
