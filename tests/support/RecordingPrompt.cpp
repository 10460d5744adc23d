#include "support/RecordingPrompt.h"

namespace vm::test {

void RecordingPrompt::message(const QString& text, const QString& title, Icon icon) {
    shown.append({text, title, icon, false});
}

Answer RecordingPrompt::ask(const QString& text, const QString& title, Buttons, Icon icon,
                            Answer defaultAnswer) {
    shown.append({text, title, icon, true});
    if (m_answers.empty()) return defaultAnswer;
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

Answer RecordingPrompt::askWithOptOut(const QString& text, const QString& title, Buttons buttons,
                                      Icon icon, Answer defaultAnswer, bool& optOut) {
    optOut = m_tickNext;
    m_tickNext = false;
    return ask(text, title, buttons, icon, defaultAnswer);
}

std::optional<QString> RecordingPrompt::input(const QString& text, const QString& title,
                                              const QString& initial, bool) {
    shown.append({text, title, Icon::None, true});
    if (m_inputs.empty()) return initial;
    const bool given = m_inputs.front().has_value();
    const QString typed = given ? *m_inputs.front() : QString();
    m_inputs.pop_front();
    if (!given) return std::nullopt;
    return typed;
}

QStringList RecordingPrompt::texts() const {
    QStringList l;
    for (const Shown& s : shown)
        l << s.text;
    return l;
}

bool RecordingPrompt::saw(const QString& text) const {
    return texts().contains(text);
}

bool RecordingPrompt::sawPart(const QString& fragment) const {
    for (const Shown& s : shown)
        if (s.text.contains(fragment)) return true;
    return false;
}

} // namespace vm::test
