#pragma once
// Hands a message to the workstation's mail program for the member to check
// and send.  The program never sends mail behind the member's back: a mailer
// opens a new message in the mail program.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace vm {

struct MailMessage {
    QString to; // may be empty: the member fills in the recipient
    QString subject;
    QString body;
    QStringList attachments; // files
};

class Mailer {
public:
    virtual ~Mailer() = default;
    // True when a mail program took the message.
    virtual bool send(const MailMessage& message) = 0;
};

// No mail program: nothing takes a message, callers fall back.
class NoMailer : public Mailer {
public:
    bool send(const MailMessage&) override { return false; }
};

// Line breaks as CRLF, whatever the text used.
QString MailLineBreaks(QString text);
// A subject is one line: a break in it would reach the mail headers.
QString MailSubjectLine(QString subject);
// A mailto: link with every reserved character percent-encoded.
QUrl MailtoUrl(const QString& to, const QString& subject, const QString& body);

} // namespace vm
