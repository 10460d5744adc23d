#include "guests/forms/ProfileIndicatorsModule.h"

#include "app/forms/frmSearch.h"
#include "guests/forms/ProfileIndicatorsPage.h"

namespace vm {

void InstallProfileIndicators(AppContext& ctx, frmSearch& window) {
    auto* page = new ProfileIndicatorsPage(ctx);
    window.addAdministrationPage("Profile Indicators", page);
    QObject::connect(&window, &frmSearch::loggedOn, page, &ProfileIndicatorsPage::refresh);
}

} // namespace vm
