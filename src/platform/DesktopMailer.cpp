#include "platform/DesktopMailer.h"

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
        if (m_desktop.startDetached(tool, args)) return true;
    }
    // A link carries no attachments: a message that needs them is not sent without.
    if (!m.attachments.isEmpty()) return false;
    return m_desktop.openUrl(MailtoUrl(m.to, m.subject, m.body));
}

} // namespace vm
