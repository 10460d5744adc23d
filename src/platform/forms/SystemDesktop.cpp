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

} // namespace vm
