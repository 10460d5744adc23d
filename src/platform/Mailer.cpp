#include "platform/Mailer.h"

namespace vm {

QString MailLineBreaks(QString text) {
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    text.replace('\n', "\r\n");
    return text;
}

QString MailSubjectLine(QString subject) {
    return subject.replace('\r', ' ').replace('\n', ' ');
}

QUrl MailtoUrl(const QString& to, const QString& subject, const QString& body) {
    const QByteArray encoded = "mailto:" + QUrl::toPercentEncoding(to.trimmed(), "@") +
                               "?subject=" + QUrl::toPercentEncoding(MailSubjectLine(subject)) +
                               "&body=" + QUrl::toPercentEncoding(MailLineBreaks(body));
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

} // namespace vm
