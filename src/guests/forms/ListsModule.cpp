#include "guests/forms/ListsModule.h"

#include "app/forms/frmSearch.h"
#include "guests/forms/KeywordsPage.h"

namespace vm {

void InstallContactLists(AppContext& ctx, frmSearch& window) {
    auto* keywords = new KeywordsPage(ctx);
    window.addAdministrationPage("Contact List Keywords", keywords);
    QObject::connect(&window, &frmSearch::loggedOn, keywords, &KeywordsPage::refresh);
}

} // namespace vm
