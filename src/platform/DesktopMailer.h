#pragma once
// The desktop's mail program: xdg-email when installed (it also takes
// attachments), otherwise a mailto: link opened by the desktop.

#include "platform/Desktop.h"
#include "platform/Mailer.h"

#include <functional>

namespace vm {

class DesktopMailer : public Mailer {
public:
    explicit DesktopMailer(Desktop& desktop) : m_desktop(desktop) {}
    bool send(const MailMessage& message) override;

    // Where xdg-email is ("" = not installed); the search path unless replaced.
    std::function<QString()> findMailTool;

private:
    Desktop& m_desktop;
};

} // namespace vm
