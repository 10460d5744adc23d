#include "support/RecordingPrompt.h"

#include <gtest/gtest.h>

namespace vm::test {

namespace {

// What a careful user answers to a question nobody expected: the way out.
Answer CautiousAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel:
        break;
    }
    return Answer::Cancel;
}

std::string Quoted(const QString& title, const QString& text) {
    return ("[" + title + "] \"" + text + "\"").toStdString();
}

} // namespace

RecordingPrompt::~RecordingPrompt() {
    // Left-over answers mean a question the test counted on never came; after
    // another failure they only repeat it.
    if (::testing::Test::HasFailure()) return;
    if (!m_answers.empty())
        ADD_FAILURE() << m_answers.size() << " scripted answer(s) were never asked for";
    if (!m_inputs.empty())
        ADD_FAILURE() << m_inputs.size() << " scripted input(s) were never asked for";
    if (m_tickNext) ADD_FAILURE() << "a ticked \"Do not show again\" box was never shown";
}

void RecordingPrompt::message(const QString& text, const QString& title, Icon icon) {
    shown.append({text, title, icon, false});
}

Answer RecordingPrompt::ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
                            Answer) {
    shown.append({text, title, icon, true});
    if (m_answers.empty()) {
        ADD_FAILURE() << "Unscripted question " << Quoted(title, text);
        return CautiousAnswer(buttons);
    }
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
                                              const QString&, bool) {
    shown.append({text, title, Icon::None, true});
    if (m_inputs.empty()) {
        ADD_FAILURE() << "Unscripted input " << Quoted(title, text);
        return std::nullopt;
    }
    std::optional<QString> typed = std::move(m_inputs.front());
    m_inputs.pop_front();
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
