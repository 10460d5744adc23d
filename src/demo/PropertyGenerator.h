#pragma once
// A property filled with plausible data, as the program itself stores it:
// staff with rights and hashed passwords, categories with data-entry designs,
// logbook entries with text pieces and history in every status, profiles with
// indicators, contact history and encrypted stored cards, contacts, groups,
// events, reservation lists and timed services, lost and found, key control,
// rentals and messages.  The same seed gives the same rows (apart from the
// salted password hashes and the cards, whose cipher key is the property's).
//
// Every statement goes through the Database layer, parameterised, in large
// transactions; on SQLite the layer keeps each statement prepared, so the
// ten-year size is written at the engine's pace.

#include "core/AppContext.h"

#include <QDate>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <functional>
#include <vector>

namespace vm::demo {

// How much of everything.  Dates spread back from "today" (the clock's day).
struct PropertySize {
    int staff = 12;
    int logbookEntries = 400;
    int logbookDays = 30; // the entries are written over these days up to today
    int profiles = 300;
    int contacts = 200;
    int storedCards = 40; // profile cards (and as many entries with a card)
    int bookingDays = 21; // reservation lists and timed services from today on
    int lostAndFound = 60;
    int messages = 150;
    int groups = 4;
    int events = 25;
    int eventDays = 90; // events fall in this window: two thirds past, one third ahead
    int keys = 40;
    int keyEmployees = 15;
    int keyLoans = 120;
    int rentals = 30; // rental and stock items

    // A small property to look around in: a month at the desk.
    static PropertySize Demo();
    // A property after ten years at the desk.
    static PropertySize Decade();
};

// A staff member of the generated property and how to log on.
struct DemoLogon {
    QString name;     // display name
    QString logon;    // logon name
    QString password; // as typed
    QString role;     // "Manager", "Concierge", ...
};

// What is being written: the step's name, rows done and rows of the step.
using GeneratorProgress = std::function<void(const QString& step, qint64 done, qint64 total)>;

// How many of `entries` are written on each of `days` days up to `today`:
// busier in summer and at weekends, a little noise from `unit` (a random
// number in [0, 1) per day); the counts add up to `entries`.
std::vector<int> EntriesPerDay(int entries, int days, const QDate& today,
                               const std::function<double()>& unit);

// Lost-and-found, key-control and rental counts (the bench times them at
// their own sizes).
struct OperationsSize {
    int lostAndFound = 60;
    int keys = 40;
    int keyEmployees = 15;
    int keyLoans = 120;
    int openLoans = 6; // the newest loans are still out
    int stuff = 30;
    int rentalLoansPerItem = 3;
    QStringList rentalCategories; // none: "Rental 1" to "Rental 10"
    int historyDays = 0;          // lost and found and key loans go back so far; 0: ten years
};

// Writes lost and found, key control and rentals into `db`, in one
// transaction, dated back from `today`.
void GenerateOperations(Database& db, const OperationsSize& size, const QDate& today,
                        QRandomGenerator& rng);

class PropertyGenerator {
public:
    PropertyGenerator(AppContext& ctx, const PropertySize& size, quint64 seed = 20261208);

    void setProgress(GeneratorProgress progress) { m_progress = std::move(progress); }

    // Fills an empty, open property: every part below in order.
    void generate();

    // The parts; staff() and categories() come first, the others use them.
    void settings();
    void staff();
    // The staff staff() writes, taken as written already (a property whose staff
    // an earlier run made): the later parts name them without writing them again.
    void adoptStaff();
    void categories();
    void profiles();
    void contacts();
    void groups();
    void events();
    void logbook();
    void bookings();
    void operations();
    void messages();

    // The staff generate() writes and their passwords (the first is the manager).
    static QList<DemoLogon> Logons(int staffCount);
    // The category names generate() writes.
    static QStringList CategoryNames();

private:
    void step(const QString& name, qint64 done, qint64 total) const;
    QRandomGenerator rngFor(int part) const;

    AppContext& m_ctx;
    PropertySize m_size;
    quint64 m_seed;
    QDate m_today;
    GeneratorProgress m_progress;
    QList<qint64> m_profileIds;
    QStringList m_staffNames, m_staffInitials;
    QList<qint64> m_contactIds, m_groupIds;
};

} // namespace vm::demo
