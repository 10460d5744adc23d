#include "desk/forms/MessageAdminModule.h"

#include "app/forms/frmSearch.h"
#include "desk/MessagePages.h"
#include "desk/forms/ManageMessagesPage.h"
#include "desk/forms/MessageGroupsPage.h"
#include "desk/forms/WhiteboardPages.h"
#include "desk/forms/frmEditMsgCtr.h"
#include "desk/forms/frmWhiteboard.h"

namespace vm {

MessageAdminModule::MessageAdminModule(AppContext& ctx, frmSearch& window) : QObject(&window) {
    setObjectName("MessageAdminModule");
    window.addAdministrationPage("Concierge Whiteboard", board = new WhiteboardPage(ctx));
    window.addAdministrationPage("Check Whiteboard Usage", usage = new WhiteboardUsagePage(ctx));
    window.addAdministrationPage("Manage Messages", messages = new ManageMessagesPage(ctx));
    window.addAdministrationPage("Message Groups", groups = new MessageGroupsPage(ctx));

    // The bar checks the whiteboard right before either runs.
    const auto showBoard = [&ctx, &window] { ShowWhiteboard(ctx, &window); };
    window.setCommandAction("actWhiteboard", showBoard);
    window.setCommandAction("cmdMessageCenter", showBoard);
    window.addOthersIcon("Work with Your Personal Message Center", "imgMessageCenter",
                         [&ctx, &window] { EditPersonalMessageCenter(ctx, &window); });

    connect(&window, &frmSearch::loggedOn, this, [this, &ctx] {
        PreparePersonalPage(ctx);
        refreshPages();
    });
    connect(&window, &frmSearch::loggedOff, this, &MessageAdminModule::refreshPages);
}

void MessageAdminModule::refreshPages() {
    board->refresh();
    usage->refresh();
    messages->refresh();
    groups->refresh();
}

void InstallMessageAdmin(AppContext& ctx, frmSearch& window) {
    new MessageAdminModule(ctx, window);
}

} // namespace vm
