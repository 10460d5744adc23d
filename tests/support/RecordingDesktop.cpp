#include "support/RecordingDesktop.h"

#include <gtest/gtest.h>

namespace vm::test {

RecordingDesktop::~RecordingDesktop() {
    if (!::testing::Test::HasFailure() && !m_choices.empty())
        ADD_FAILURE() << m_choices.size() << " scripted file choice(s) were never asked for";
}

bool RecordingDesktop::openUrl(const QUrl& url) {
    opened << url;
    return opens;
}

QString RecordingDesktop::chooseOpenFile(const QString& title, const QString& startAt,
                                         const QString& filter) {
    return answerDialog({title, startAt, filter, false});
}

QString RecordingDesktop::chooseSaveFile(const QString& title, const QString& startAt,
                                         const QString& filter) {
    return answerDialog({title, startAt, filter, true});
}

bool RecordingDesktop::startDetached(const QString& program, const QStringList& arguments) {
    started << StartedProgram{program, arguments};
    return starts;
}

int RecordingDesktop::runAndWait(const QString& program, const QStringList& arguments) {
    started << StartedProgram{program, arguments};
    return starts ? exitCode : -1;
}

TimedRun RecordingDesktop::runAndWaitAtMost(const QString& program, const QStringList& arguments,
                                            int timeoutMs) {
    started << StartedProgram{program, arguments};
    if (runsPrograms) return RunProgramAtMost(program, arguments, timeoutMs);
    TimedRun run;
    run.started = starts;
    run.finished = starts;
    run.exitCode = starts ? exitCode : -1;
    return run;
}

QString RecordingDesktop::answerDialog(FileDialogShown shown) {
    dialogs << shown;
    if (m_choices.empty()) {
        ADD_FAILURE() << "Unscripted file dialog \"" << shown.title.toStdString() << "\"";
        return {};
    }
    const QString path = m_choices.front();
    m_choices.pop_front();
    return path;
}

} // namespace vm::test
