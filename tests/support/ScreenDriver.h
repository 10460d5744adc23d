#pragma once
// Driving a screen the way a person does: controls are found by their object
// name, buttons clicked with the mouse, text typed key by key.  A missing
// control fails the test that asked for it.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace vm::test::screen {

// The control named `name` below `root`; a missing one ends the test with a
// failure naming it (never a null pointer to trip over later).
template <class T = QWidget> T* control(const QObject& root, const QString& name) {
    T* w = root.findChild<T*>(name);
    if (!w) throw std::runtime_error("no control named " + name.toStdString());
    return w;
}

inline void click(const QObject& root, const QString& name) {
    QTest::mouseClick(control<QAbstractButton>(root, name), Qt::LeftButton);
}

// Replaces the box's text by `text`, typed.
inline void type(const QObject& root, const QString& name, const QString& text) {
    if (auto* p = root.findChild<QPlainTextEdit*>(name)) {
        p->selectAll();
        QTest::keyClick(p, Qt::Key_Backspace);
        QTest::keyClicks(p, text);
        return;
    }
    auto* e = control<QLineEdit>(root, name);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
}

// Picks the entry `text` of a drop-down list.
inline void choose(const QObject& root, const QString& name, const QString& text) {
    auto* box = control<QComboBox>(root, name);
    const int at = box->findText(text);
    ASSERT_GE(at, 0) << name.toStdString() << " has no entry " << text.toStdString();
    box->setCurrentIndex(at);
}

// Picks the entry as a person does with the mouse: the box also reports the
// activation, which some screens act on instead of the index change.
inline void pick(const QObject& root, const QString& name, const QString& text) {
    auto* box = control<QComboBox>(root, name);
    const int at = box->findText(text);
    ASSERT_GE(at, 0) << name.toStdString() << " has no entry " << text.toStdString();
    box->setCurrentIndex(at);
    Q_EMIT box->activated(at);
}

// Runs `work` on the modal dialog of type D once the next step has opened it;
// a dialog left open afterwards is closed as Cancel would.  No such dialog
// fails the test (and a different one is closed, so the step returns).
template <class D> void onModal(std::function<void(D&)> work) {
    QTimer::singleShot(0, [work] {
        auto* d = dynamic_cast<D*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "no dialog came up";
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                other->reject();
            return;
        }
        work(*d);
        if (auto* dialog = dynamic_cast<QDialog*>(d); dialog && dialog->isVisible())
            dialog->reject();
    });
}

// What a label, a line box, a text box or a drop-down list shows.
inline QString text(const QObject& root, const QString& name) {
    if (auto* l = root.findChild<QLabel*>(name)) return l->text();
    if (auto* e = root.findChild<QLineEdit*>(name)) return e->text();
    if (auto* p = root.findChild<QPlainTextEdit*>(name)) return p->toPlainText();
    if (auto* c = root.findChild<QComboBox*>(name)) return c->currentText();
    ADD_FAILURE() << "no text control " << name.toStdString();
    return {};
}

} // namespace vm::test::screen
