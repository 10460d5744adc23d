#pragma once
// Message boxes, questions and input boxes on screen.

#include "platform/Prompt.h"

class QWidget;

namespace vm {

class WidgetPrompt : public Prompt {
public:
    explicit WidgetPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text, const QString& title, Icon icon) override;
    Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
               Answer defaultAnswer) override;
    Answer askWithOptOut(const QString& text, const QString& title, Buttons buttons, Icon icon,
                         Answer defaultAnswer, bool& optOut) override;
    std::optional<QString> input(const QString& text, const QString& title, const QString& initial,
                                 bool password) override;

private:
    Answer run(const QString& text, const QString& title, Buttons buttons, Icon icon,
               Answer defaultAnswer, bool* optOut);
    QWidget* m_parent;
};

// Stored texts keep CRLF; text boxes use "\n".
QString ToDisplayText(const QString& stored);
QString ToStoredText(const QString& shown);

} // namespace vm
