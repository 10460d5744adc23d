#pragma once
// The real desktop: QDesktopServices, QFileDialog and QProcess.

#include "platform/Desktop.h"
#include "platform/TimedRunner.h"

namespace vm {

class SystemDesktop : public Desktop, public TimedRunner {
public:
    bool openUrl(const QUrl& url) override;
    QString chooseOpenFile(const QString& title, const QString& startAt,
                           const QString& filter) override;
    QString chooseSaveFile(const QString& title, const QString& startAt,
                           const QString& filter) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    int runAndWait(const QString& program, const QStringList& arguments) override;
    TimedRun runAndWaitAtMost(const QString& program, const QStringList& arguments,
                              int timeoutMs) override;
};

} // namespace vm
