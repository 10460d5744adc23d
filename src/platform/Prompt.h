#pragma once
// Every message box and question of the program goes through a Prompt, so
// tests can read the texts and script the answers.

#include <QString>
#include <optional>

namespace vm {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

class Prompt {
public:
    virtual ~Prompt() = default;
    // A message with an OK button.  An empty title shows the program's name.
    virtual void message(const QString& text, const QString& title = {},
                         Icon icon = Icon::Information) = 0;
    virtual Answer ask(const QString& text, const QString& title = {},
                       Buttons buttons = Buttons::YesNo, Icon icon = Icon::Question,
                       Answer defaultAnswer = Answer::Yes) = 0;
    // A question with the tick box "Do not show this message again"; `optOut`
    // tells whether the user ticked it.
    virtual Answer askWithOptOut(const QString& text, const QString& title, Buttons buttons,
                                 Icon icon, Answer defaultAnswer, bool& optOut) {
        optOut = false;
        return ask(text, title, buttons, icon, defaultAnswer);
    }
    // A one-line input box; nullopt when cancelled.
    virtual std::optional<QString> input(const QString& text, const QString& title = {},
                                         const QString& initial = {}, bool password = false) = 0;
};

// The title message boxes carry when the caller gives none.
inline const QString ProgramTitle = QStringLiteral("Velmora");

} // namespace vm
