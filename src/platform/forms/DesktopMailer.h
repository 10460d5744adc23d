#pragma once
// The desktop's mail program: xdg-email when installed (it also takes
// attachments), otherwise a mailto: link opened by the desktop.

#include "platform/Mailer.h"

#include <functional>

namespace vm {

class DesktopMailer : public Mailer {
public:
    bool send(const MailMessage& message) override;

    // Seams for tests: where xdg-email is ("" = not installed), how a
    // detached program starts, how a link opens.
    std::function<QString()> findMailTool;
    std::function<bool(const QString& program, const QStringList& arguments)> startDetached;
    std::function<bool(const QUrl& url)> openUrl;
};

} // namespace vm
