#pragma once
// A Mailer that keeps what it is given, so no test opens a real mail program.

#include "platform/Mailer.h"

#include <QList>

namespace vm::test {

class RecordingMailer : public Mailer {
public:
    bool send(const MailMessage& message) override {
        sent << message;
        return takes;
    }
    QList<MailMessage> sent;
    bool takes = true; // false: as if no mail program took the message
};

} // namespace vm::test
