#pragma once
// A Prompt that records every message and question and answers from a script.
// It is strict: a question the test did not script fails the test (and gets
// the cautious answer: Cancel, No or a cancelled input), and answers the test
// scripted but no question used fail it too, when the prompt goes away.

#include "platform/Prompt.h"

#include <QList>
#include <QStringList>
#include <deque>

namespace vm::test {

struct Shown {
    QString text;
    QString title;
    Icon icon = Icon::None;
    bool question = false;
};

class RecordingPrompt : public Prompt {
public:
    RecordingPrompt() = default;
    RecordingPrompt(const RecordingPrompt&) = delete;
    RecordingPrompt& operator=(const RecordingPrompt&) = delete;
    ~RecordingPrompt() override;

    void message(const QString& text, const QString& title, Icon icon) override;
    Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
               Answer defaultAnswer) override;
    Answer askWithOptOut(const QString& text, const QString& title, Buttons buttons, Icon icon,
                         Answer defaultAnswer, bool& optOut) override;
    std::optional<QString> input(const QString& text, const QString& title, const QString& initial,
                                 bool password) override;

    // Scripted answers, used in order by ask/askWithOptOut and input.
    void answer(Answer a) { m_answers.push_back(a); }
    void type(std::optional<QString> s) { m_inputs.push_back(std::move(s)); }
    // The next question with the tick box is answered with the box ticked.
    void tickDoNotShowAgain() { m_tickNext = true; }
    // Scripted answers and inputs no question has used yet.
    int unusedAnswers() const { return int(m_answers.size() + m_inputs.size()); }

    QList<Shown> shown;
    QStringList texts() const;
    QString last() const { return shown.isEmpty() ? QString() : shown.last().text; }
    bool saw(const QString& text) const;         // an exact text was shown
    bool sawPart(const QString& fragment) const; // a text containing fragment
    void clear() { shown.clear(); }

private:
    std::deque<Answer> m_answers;
    std::deque<std::optional<QString>> m_inputs;
    bool m_tickNext = false;
};

} // namespace vm::test
