#pragma once
// A desk with the itinerary's routines registered, a designed dining category
// (its "Commission:" line is not for guests), a category kept off
// itineraries, and helpers for profiles and the installation's phrases.

#include "logbook/ReportFixture.h"

#include "core/LongText.h"
#include "guests/Itinerary.h"
#include "guests/reports/ItineraryReports.h"

namespace vm::test {

class ItineraryFixture : public ReportFixture {
protected:
    void SetUp() override {
        ReportFixture::SetUp();
        RegisterItineraryReports(catalogue);
        category("Tours");
        category("Transport");
        category("Internal Note");
        Category internal = *GetLogTypeByName(env.db(), "Internal Note");
        internal.dnpItinerary = true;
        UpdateConfText(*env.ctx, internal, {}, {});
    }

    using ReportFixture::booking;

    qint64 profile(const QString& last, const QString& first, const QString& email = {},
                   const QString& emailB = {}, bool dnuEmail = false, bool dnuEmailB = false) {
        return env.db().insert(
            "INSERT INTO [Profile] ([LastName], [FirstName], [EmailAddress], "
            "[EmailAddressB], [DNUEmail], [DNUEmailB]) VALUES (?, ?, ?, ?, ?, ?)",
            {last, first, email, emailB, dnuEmail, dnuEmailB}, "ProfileID");
    }

    // An entry of the guest on `day` at `time` ("" for none).
    qint64 booking(const QString& last, const QString& first, const QString& category,
                   const QString& day, const QString& time, const QString& text,
                   qint64 profileId = 0, const QString& arrival = {}) {
        LogEntry e = entry(last, category, day, text);
        e.firstName = first;
        e.referTime = time;
        e.profileId = profileId;
        e.arrivalDate = arrival;
        return add(e);
    }

    void cancel(qint64 logId) {
        env.db().exec("UPDATE [LogBook] SET [Cancelled] = ? WHERE [LogID] = ?", {true, logId});
    }

    // A phrase of the installation (the program only reads them).
    void phrase(int language, Phrase p, const QString& text) {
        env.db().exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                      "VALUES (?, ?, ?, ?)",
                      {language, TextKind::ItineraryPhrase, int(p), text});
    }

    static std::vector<qint64> idsOf(const std::vector<LogEntry>& entries) {
        std::vector<qint64> ids;
        for (const LogEntry& e : entries)
            ids.push_back(e.logId);
        return ids;
    }

    int textRows(const QString& type) {
        return env.db()
            .scalar("SELECT COUNT(*) FROM [EvConText] WHERE [EvConKey] = 0 AND [EvConType] = ?",
                    {type})
            .toInt();
    }
};

} // namespace vm::test
