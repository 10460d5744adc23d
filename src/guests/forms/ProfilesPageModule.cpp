#include "guests/forms/ProfilesPageModule.h"

#include "app/forms/frmSearch.h"
#include "guests/forms/ProfileWindows.h"
#include "guests/forms/ProfilesPanel.h"
#include "output/forms/PrintPreview.h"

#include <QPointer>
#include <QVBoxLayout>

namespace vm {

namespace {

// A profile screen of the session; the page follows its saves and deletes and
// hands it the profiles listed around it.
void openProfileScreen(AppContext& ctx, qint64 profileId, ProfilesPanel* panel) {
    QPointer<ProfilesPanel> page(panel);
    ProfileWindowOptions options;
    options.neighbour = [page](qint64 key, int direction) {
        return page ? page->neighbour(key, direction) : 0;
    };
    options.saved = [page](qint64 key) {
        if (page) page->refreshRow(key);
    };
    options.deleted = [page](qint64 key) {
        if (page) page->removeRow(key);
    };
    OpenProfileWindow(ctx, profileId, options, panel);
}

} // namespace

void InstallProfilesPage(AppContext& ctx, frmSearch& window) {
    QWidget* page = window.tabPage("Profiles");
    if (!page) return;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new ProfilesPanel(ctx, page);
    layout->addWidget(panel);
    panel->openProfile = [&ctx, panel](qint64 profileId) {
        openProfileScreen(ctx, profileId, panel);
    };
    panel->openReport = [&ctx, panel](const PrintRequest& request) {
        OpenReport(ctx, request, panel);
    };
    window.setPagePrinter("Profiles", [panel] { panel->printList(); });
    QObject::connect(&window, &frmSearch::loggedOn, panel, [panel] { panel->refreshLists(); });
    QObject::connect(&window, &frmSearch::loggedOff, panel, [panel] { panel->clearList(); });
}

} // namespace vm
