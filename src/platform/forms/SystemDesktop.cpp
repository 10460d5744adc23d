#include "platform/forms/SystemDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QProcess>

namespace vm {

namespace {

// Dialogs sit over whatever window the user is working in.
QWidget* DialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

} // namespace

bool SystemDesktop::openUrl(const QUrl& url) {
    return url.isValid() && QDesktopServices::openUrl(url);
}

QString SystemDesktop::chooseOpenFile(const QString& title, const QString& startAt,
                                      const QString& filter) {
    return QFileDialog::getOpenFileName(DialogParent(), title, startAt, filter);
}

QString SystemDesktop::chooseSaveFile(const QString& title, const QString& startAt,
                                      const QString& filter) {
    return QFileDialog::getSaveFileName(DialogParent(), title, startAt, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool SystemDesktop::startDetached(const QString& program, const QStringList& arguments) {
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

int SystemDesktop::runAndWait(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) return -1;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted()) return -1;
    // The program may run for minutes: the windows keep painting, the user cannot type.
    while (!process.waitForFinished(100))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

TimedRun SystemDesktop::runAndWaitAtMost(const QString& program, const QStringList& arguments,
                                         int timeoutMs) {
    return RunProgramAtMost(program, arguments, timeoutMs);
}

} // namespace vm
