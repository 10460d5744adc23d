#pragma once
// A Desktop that opens and starts nothing: it keeps what it was asked to do
// and answers file dialogs from a script.  Like the recording prompt it is
// strict: a file dialog the test did not script fails the test (and is
// cancelled), and scripted choices left over fail it when it goes away.

#include "platform/Desktop.h"
#include "platform/TimedRunner.h"

#include <QList>
#include <deque>

namespace vm::test {

struct StartedProgram {
    QString program;
    QStringList arguments;
};

struct FileDialogShown {
    QString title;
    QString startAt;
    QString filter;
    bool save = false;
};

class RecordingDesktop : public Desktop, public TimedRunner {
public:
    RecordingDesktop() = default;
    RecordingDesktop(const RecordingDesktop&) = delete;
    RecordingDesktop& operator=(const RecordingDesktop&) = delete;
    ~RecordingDesktop() override;

    bool openUrl(const QUrl& url) override;
    QString chooseOpenFile(const QString& title, const QString& startAt,
                           const QString& filter) override;
    QString chooseSaveFile(const QString& title, const QString& startAt,
                           const QString& filter) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    // Recorded in `started`; answers `exitCode`, or -1 when `starts` is false.
    int runAndWait(const QString& program, const QStringList& arguments) override;
    // Recorded in `started`; with `runsPrograms` the program really runs (a
    // stand-in script the test wrote), else as runAndWait answers.
    TimedRun runAndWaitAtMost(const QString& program, const QStringList& arguments,
                              int timeoutMs) override;

    // The next file dialog answers `path` ("" = the user cancelled).
    void choose(const QString& path) { m_choices.push_back(path); }

    QList<QUrl> opened;
    QList<StartedProgram> started;
    QList<FileDialogShown> dialogs;
    bool opens = true;  // false: as if no program took the address
    bool starts = true; // false: as if the program could not start
    int exitCode = 0;   // what a program run to its end answers
    bool runsPrograms = false; // runAndWaitAtMost runs the program for real

private:
    QString answerDialog(FileDialogShown shown);
    std::deque<QString> m_choices;
};

} // namespace vm::test
