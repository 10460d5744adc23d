#include "platform/TimedRunner.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

namespace vm {

TimedRunner* AsTimedRunner(Desktop& desktop) {
    return dynamic_cast<TimedRunner*>(&desktop);
}

TimedRun RunProgramAtMost(const QString& program, const QStringList& arguments, int timeoutMs) {
    TimedRun run;
    if (program.isEmpty()) return run;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted()) return run;
    run.started = true;
    const QDeadlineTimer deadline(qMax(0, timeoutMs));
    while (!process.waitForFinished(50)) {
        if (process.state() == QProcess::NotRunning) break;
        if (deadline.hasExpired()) {
            process.kill();
            process.waitForFinished(2000);
            return run;
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    run.finished = true;
    if (process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
    return run;
}

} // namespace vm
