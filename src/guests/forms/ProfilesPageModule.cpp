#include "guests/forms/ProfilesPageModule.h"

#include "app/forms/frmSearch.h"
#include "guests/forms/ProfilesPanel.h"
#include "output/forms/PrintPreview.h"

#include <QVBoxLayout>

namespace vm {

void InstallProfilesPage(AppContext& ctx, frmSearch& window) {
    QWidget* page = window.tabPage("Profiles");
    if (!page) return;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new ProfilesPanel(ctx, page);
    layout->addWidget(panel);
    panel->openReport = [&ctx, panel](const PrintRequest& request) {
        OpenReport(ctx, request, panel);
    };
    window.setPagePrinter("Profiles", [panel] { panel->printList(); });
    QObject::connect(&window, &frmSearch::loggedOn, panel, [panel] { panel->refreshLists(); });
    QObject::connect(&window, &frmSearch::loggedOff, panel, [panel] { panel->clearList(); });
}

} // namespace vm
