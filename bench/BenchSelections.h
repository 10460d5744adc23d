#pragma once
// The selections the benches time, one list per page, so the SQLite benches
// and the server bench search for the same things on the same property.

#include "BenchData.h"

#include "guests/ContactSearch.h"
#include "guests/EventLists.h"
#include "guests/ProfileSearch.h"
#include "logbook/LogbookSearch.h"

#include <QString>
#include <vector>

namespace vm::bench {

struct NamedLogbookSelection {
    QString name;
    LogbookSelection selection;
    bool guardSize = false;    // counted first, as a selection without a date is
    bool dueAndOverdue = false; // the button's own selection instead of `selection`
};

// The Logbook page's selections in the order the benches list them.
inline std::vector<NamedLogbookSelection> LogbookSelections() {
    std::vector<NamedLogbookSelection> out;
    LogbookSelection day;
    day.by = SelectBy::ReferDate;
    day.from = Today;
    out.push_back({"list of the day", day});
    LogbookSelection due;
    due.sortIndex = 2;
    due.window = ListWindow::AllDates;
    out.push_back({"due and overdue", due, false, true});
    LogbookSelection updated;
    updated.by = SelectBy::UpdateDate;
    updated.from = Today;
    out.push_back({"updated today", updated});
    LogbookSelection week = day;
    week.through = Today.addDays(6);
    out.push_back({"reference date, next 7 days", week});
    LogbookSelection everything;
    everything.window = ListWindow::YesterdayAndToday;
    out.push_back({"everything, yesterday and today", everything, true});
    LogbookSelection rare;
    rare.by = SelectBy::LastName;
    rare.text = "Kelenford";
    rare.sortIndex = 0;
    out.push_back({"last name contains (rare)", rare});
    LogbookSelection common = rare;
    common.text = "Rossi";
    out.push_back({"last name contains (common)", common});
    LogbookSelection lastFirst = rare;
    lastFirst.text = "Rossi, Giulia";
    out.push_back({"last, first", lastFirst});
    LogbookSelection room;
    room.by = SelectBy::RoomNumber;
    room.text = "512";
    room.window = ListWindow::Last7Days;
    room.sortIndex = 1;
    out.push_back({"room, last 7 days", room});
    LogbookSelection guest;
    guest.by = SelectBy::GuestId;
    guest.text = "405000";
    out.push_back({"guest ID", guest});
    return out;
}

// The selection as the page builds it for `engine`.
inline BuiltSelection BuildNamed(const NamedLogbookSelection& n, Engine engine) {
    if (n.dueAndOverdue) return DueAndOverdueSelection(Today);
    LogbookSelection s = n.selection;
    s.engine = engine;
    return BuildLogbookSelection(s);
}

struct NamedProfileQuery {
    QString name;
    ProfileQuery query;
};

// Group numbers and names the profiles bench gives the profiles.
inline constexpr int ProfileGroupCount = 2000;

// The Profiles page's searches.
inline std::vector<NamedProfileQuery> ProfileSelections() {
    using B = ProfileSelectBy;
    return {
        {"last name, its start typed", {.by = B::LastName, .text = "Holow"}},
        {"part of a name", {.by = B::LastName, .text = "owfor"}},
        {"first name", {.by = B::FirstName, .text = "Giul"}},
        {"indicator value",
         {.by = B::Indicator, .indicator = "Allergy", .indicatorValue = "Shellfish"}},
        {"group", {.by = B::Group, .groupId = 17, .groupName = "Group 17"}},
        {"contacts without results",
         {.by = B::ContactType,
          .contactType = "Letter",
          .noResults = true,
          .byDate = true,
          .from = Today.addDays(-30),
          .through = Today}},
    };
}

// The statements the store runs to open a profile (the profile, its notes, its
// indicators, its contact history, the logbook tab's entries), for the floors.
inline const QString OpenProfileSql = QStringLiteral("SELECT * FROM [Profile] WHERE [ProfileID] = ?");
inline const QString OpenProfileNotesSql =
    QStringLiteral("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = ? "
                   "ORDER BY [Sequence]");
inline const QString OpenProfileIndicatorsSql = QStringLiteral(
    "SELECT * FROM [ProfilePI] WHERE [ProfileID] = ? AND ([PublicPrivate] = ? OR "
    "[PublicPrivate] IS NULL) ORDER BY [SequenceNo], [PreferenceType], [PreferenceSelection]");
inline const QString OpenProfileContactsSql =
    QStringLiteral("SELECT * FROM [ProfileCH] WHERE [ProfileID] = ? ORDER BY [ContactDate] DESC, "
                   "[ContactHistoryID] DESC");
inline const QString OpenProfileEntriesSql =
    QStringLiteral("SELECT [LogID], [ReferDate], [EntryType], [GroupID] FROM [LogBook] WHERE "
                   "[ProfileID] = ? ORDER BY [ReferDate] DESC, [LogID] DESC");

struct NamedContactSelection {
    QString name;
    ContactSelection selection;
};

// A city of the generator's directory of 50,000 contacts ("City A1" … "City R8").
inline QString BenchCityName(int i) {
    return "City " + QString(QChar('A' + i % 26)) + QString::number(i / 26 + 1);
}

// The Contacts page's searches.
inline std::vector<NamedContactSelection> ContactSelections() {
    using B = ContactSelectBy;
    return {
        {"part of the name",
         {.by = B::PrimaryName, .text = "lden Gri", .sort = ContactSort::RankAndName}},
        {"name starts with",
         {.by = B::PrimaryName,
          .text = "Harbour Ta",
          .startsWith = true,
          .sort = ContactSort::PrimaryName}},
        {"keyword", {.by = B::Keyword, .keyword = "Steakhouse"}},
        {"keyword and city",
         {.by = B::Keyword, .keyword = "Italian", .cityOrArea = BenchCityName(17)}},
        {"address", {.by = B::Address, .text = "12 Pier"}},
        {"city", {.cityOrArea = BenchCityName(42), .sort = ContactSort::CityAndName}},
        {"area", {.cityOrArea = "Area 7", .useArea = true}},
    };
}

struct NamedEventSelection {
    QString name;
    EventSelection selection;
};

// The Events page's selections.
inline std::vector<NamedEventSelection> EventSelections() {
    return {
        {"events by date range",
         {EventSelectBy::EventDate, {}, Today, Today.addMonths(1), {}, EventSort::Date}},
        {"events on one date", {EventSelectBy::EventDate, {}, Today, {}, {}, EventSort::Name}},
        {"events by name", {EventSelectBy::EventName, "Hall 12", {}, {}, {}, EventSort::Name}},
        {"events by type", {EventSelectBy::None, {}, {}, {}, "Festival", EventSort::Date}},
    };
}

// The guest lists' window: the limited list of the days around today.
inline DayRange GuestListDays() {
    return LimitedListDays(Today, {}, {});
}

} // namespace vm::bench
