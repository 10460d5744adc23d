#pragma once
// Puts the message pages and their administration into the main window: the
// whiteboard viewer (command bar), the personal message centre editor (Others
// page), and the Administration pages "Concierge Whiteboard", "Check
// Whiteboard Usage", "Manage Messages" and "Message Groups".

#include <QObject>

namespace vm {

class AppContext;
class frmSearch;
class WhiteboardPage;
class WhiteboardUsagePage;
class ManageMessagesPage;
class MessageGroupsPage;

// Lives as a child of the main window ("MessageAdminModule").
class MessageAdminModule : public QObject {
    Q_OBJECT
public:
    MessageAdminModule(AppContext& ctx, frmSearch& window);

    void refreshPages();

    WhiteboardPage* board = nullptr;
    WhiteboardUsagePage* usage = nullptr;
    ManageMessagesPage* messages = nullptr;
    MessageGroupsPage* groups = nullptr;
};

void InstallMessageAdmin(AppContext& ctx, frmSearch& window);

} // namespace vm
