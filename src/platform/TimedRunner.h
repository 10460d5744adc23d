#pragma once
// Running a helper program with a time limit.  A desktop that can do so
// (the real one, the tests' recording one) also implements TimedRunner;
// callers reach it through AsTimedRunner(ctx.desktop()).

#include "platform/Desktop.h"

namespace vm {

// What became of a program run with a time limit.
struct TimedRun {
    bool started = false;  // false: the program could not be started
    bool finished = false; // false: it was still running at the limit and was stopped
    int exitCode = -1;     // its exit code once finished normally, else -1
};

class TimedRunner {
public:
    virtual ~TimedRunner() = default;
    // Runs a helper program of the installation and waits at most
    // `timeoutMs` for it to end, the windows still painting and the user's
    // input held back; a program still running then is stopped.
    virtual TimedRun runAndWaitAtMost(const QString& program, const QStringList& arguments,
                                      int timeoutMs) = 0;
};

// The desktop's timed runner; null for a desktop that starts nothing.
TimedRunner* AsTimedRunner(Desktop& desktop);

// The real run: QProcess, events kept flowing (user input excluded) while
// waiting, the program killed at the limit.
TimedRun RunProgramAtMost(const QString& program, const QStringList& arguments, int timeoutMs);

} // namespace vm
