#include "platform/forms/WidgetPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace vm {

namespace {
QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton button(Answer a) {
    switch (a) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QWidget* parentOr(QWidget* p) {
    return p ? p : QApplication::activeWindow();
}
} // namespace

QString ToDisplayText(const QString& stored) {
    return QString(stored).replace("\r\n", "\n").replace('\r', '\n');
}

QString ToStoredText(const QString& shown) {
    return QString(shown).replace("\r\n", "\n").replace('\n', "\r\n");
}

void WidgetPrompt::message(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(boxIcon(icon), title.isEmpty() ? ProgramTitle : title, ToDisplayText(text),
                    QMessageBox::Ok, parentOr(m_parent));
    box.exec();
}

Answer WidgetPrompt::ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
                         Answer defaultAnswer) {
    return run(text, title, buttons, icon, defaultAnswer, nullptr);
}

Answer WidgetPrompt::askWithOptOut(const QString& text, const QString& title, Buttons buttons,
                                   Icon icon, Answer defaultAnswer, bool& optOut) {
    return run(text, title, buttons, icon, defaultAnswer, &optOut);
}

Answer WidgetPrompt::run(const QString& text, const QString& title, Buttons buttons, Icon icon,
                         Answer defaultAnswer, bool* optOut) {
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case Buttons::Ok:
        set = QMessageBox::Ok;
        break;
    case Buttons::OkCancel:
        set = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case Buttons::RetryCancel:
        set = QMessageBox::Retry | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(boxIcon(icon), title.isEmpty() ? ProgramTitle : title, ToDisplayText(text), set,
                    parentOr(m_parent));
    box.setDefaultButton(button(defaultAnswer));
    QCheckBox* tick = nullptr;
    if (optOut) {
        tick = new QCheckBox("Do not show this message again", &box);
        tick->setObjectName("chkDoNotShowAgain");
        box.setCheckBox(tick);
    }
    const int chosen = box.exec();
    if (optOut) *optOut = tick->isChecked();
    switch (chosen) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Retry:
        return Answer::Retry;
    default:
        return Answer::Cancel;
    }
}

std::optional<QString> WidgetPrompt::input(const QString& text, const QString& title,
                                           const QString& initial, bool password) {
    bool ok = false;
    const QString value = QInputDialog::getText(
        parentOr(m_parent), title.isEmpty() ? ProgramTitle : title, ToDisplayText(text),
        password ? QLineEdit::Password : QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return value;
}

} // namespace vm
