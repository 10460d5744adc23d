#include "platform/forms/DesktopMailer.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace vm {

bool DesktopMailer::send(const MailMessage& m) {
    const QString tool =
        findMailTool ? findMailTool() : QStandardPaths::findExecutable("xdg-email");
    if (!tool.isEmpty()) {
        QStringList args{"--utf8", "--subject", MailSubjectLine(m.subject), "--body",
                         MailLineBreaks(m.body)};
        for (const QString& file : m.attachments)
            args << "--attach" << file;
        if (!m.to.trimmed().isEmpty()) args << m.to.trimmed();
        const bool started =
            startDetached ? startDetached(tool, args) : QProcess::startDetached(tool, args);
        if (started) return true;
    }
    // A link carries no attachments: a message that needs them is not sent without.
    if (!m.attachments.isEmpty()) return false;
    const QUrl url = MailtoUrl(m.to, m.subject, m.body);
    return openUrl ? openUrl(url) : QDesktopServices::openUrl(url);
}

} // namespace vm
