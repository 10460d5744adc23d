#pragma once
// Puts the events into the main window: the Events page and the Event Types
// administration page.

#include <QObject>
#include <functional>

class QWidget;

namespace vm {

class AppContext;
class frmSearch;
class EventsPanel;
class EventTypesPage;

// Lives as a child of the main window ("EventsModule").
class EventsModule : public QObject {
    Q_OBJECT
public:
    EventsModule(AppContext& ctx, frmSearch& window);

    EventsPanel* panel = nullptr;
    EventTypesPage* types = nullptr;
};

void InstallEvents(AppContext& ctx, frmSearch& window);

} // namespace vm
