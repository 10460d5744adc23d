#include "guests/forms/EventsModule.h"

#include "app/forms/frmSearch.h"
#include "guests/forms/EventTypesPage.h"
#include "guests/forms/EventsPanel.h"
#include "guests/forms/frmEvtMessager.h"

#include <QVBoxLayout>

namespace vm {

EventsModule::EventsModule(AppContext& ctx, frmSearch& window) : QObject(&window) {
    setObjectName("EventsModule");
    if (QWidget* page = window.tabPage("Events")) {
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        panel = new EventsPanel(ctx, page);
        panel->sendMessage = [&ctx](qint64 eventId, QWidget* parent) {
            SendRecordMessage(ctx, RecordKind::Event, eventId, parent);
        };
        layout->addWidget(panel);
        window.setPagePrinter("Events", [this] { panel->printList(); });
    }
    types = new EventTypesPage(ctx);
    window.addAdministrationPage("Event Types", types);

    connect(&window, &frmSearch::loggedOn, this, [this] {
        types->refresh();
        if (panel) panel->refreshTypes();
    });
    connect(&window, &frmSearch::loggedOff, this, [this] {
        if (panel) panel->clearList();
    });
    connect(types, &EventTypesPage::typesChanged, this, [this] {
        if (panel) panel->refreshTypes();
    });
}

void InstallEvents(AppContext& ctx, frmSearch& window) {
    new EventsModule(ctx, window);
}

} // namespace vm
