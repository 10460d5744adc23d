#pragma once
// Puts staff messages into the main window: the Messages page, the poll on
// the window's timer with the mail indicator and the caption, the presenter
// of due messages, and the logbook entry screen's "send a message".

#include "desk/MessagePoller.h"
#include "desk/forms/frmPresentMsg.h"

#include <QObject>
#include <QPointer>
#include <memory>

class QToolButton;

namespace vm {

class frmSearch;
class MessageComposer;

// Lives as a child of the main window ("MessagingModule").
class MessagingModule : public QObject {
    Q_OBJECT
public:
    MessagingModule(AppContext& ctx, frmSearch& window);
    ~MessagingModule() override;

    MessagePoller& poller() { return *m_poller; }
    // The message on screen, if any.
    frmPresentMsg* presenter() const { return m_presenter; }
    // "Retrieve Messages" and the mail indicator: polls now and presents, or
    // says there are none.
    void retrieve();

    MessageComposer* composer = nullptr;

private:
    void buildPage();
    void present(const StaffMsg& message);
    void showCount(int count);

    AppContext& m_ctx;
    frmSearch& m_window;
    std::unique_ptr<MessagePoller> m_poller;
    QPointer<frmPresentMsg> m_presenter;
    QToolButton* lblMail = nullptr;
};

void InstallMessaging(AppContext& ctx, frmSearch& window);

} // namespace vm
