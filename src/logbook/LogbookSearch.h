#pragma once

#include "platform/Database.h"
// The Logbook page's selection: what the user chose becomes a condition on
// the list's columns (values bound, never spliced) and a plain-language
// description shown above the grid.

#include "logbook/LogbookList.h"

#include <QDate>
#include <optional>

namespace vm {

enum class SelectBy {
    None,
    ReferDate,
    ArrivalDate,
    DepartureDate,
    EntryDate,
    UpdateDate,
    Concierge,
    LastName,
    FirstName,
    RoomNumber,
    LogbookId,
    GuestId,
    Group
};
enum class StatusChoice { All, Open, Closed };

struct LogbookSelection {
    SelectBy by = SelectBy::None;
    QString text{};          // name, room, id, concierge ...
    QDate from{}, through{}; // date modes; an invalid `through` = one day
    qint64 groupId = 0;
    QString groupName{};
    QString category{};    // optional
    QString profileType{}; // optional, current database only
    StatusChoice status = StatusChoice::All;
    bool noCancelled = false;
    ListWindow window = ListWindow::AllDates;
    int sortIndex = 2;
    Engine engine = Engine::SQLite; // the engine the selection will run on
};

struct BuiltSelection {
    LogFilter filter;
    QString description;
    QString refusal; // shown instead of searching when not empty
};

BuiltSelection BuildLogbookSelection(const LogbookSelection& s);
// Open entries (neither complete nor cancelled) whose reference date has come.
BuiltSelection DueAndOverdueSelection(const QDate& today);
const QStringList& SortCaptions(); // by sort index 0-12
const QStringList& WindowCaptions();

// Rows a selection would list (before the per-category rules), for the size guard.
qint64 CountSelection(AppContext& ctx, const Viewer& v, const ListRequest& r);

// What the Logbook page lists for a request, for the member logged on.  With
// `guardSize` a selection of more than LogbookListGuard.refuseAbove rows is refused
// and one of more than LogbookListGuard.askAbove needs a Yes; nullopt when the
// list was refused or not wanted (the member has been told or asked).
std::optional<LogList> ListSelection(AppContext& ctx, const ListRequest& request, bool guardSize);

} // namespace vm
