#pragma once
// Bookings of timed services on a fresh property: a spa category, a room, a
// provider and a 90-minute service, with helpers to type and save bookings and
// to link the category to a designed logbook category.

#include "bookings/DaySheet.h"
#include "bookings/TsBookings.h"
#include "bookings/TsSchedFixture.h"

#include <gtest/gtest.h>

namespace vm::test {

class TsBookFixture : public TsSchedFixture {
protected:
    void SetUp() override {
        TsSchedFixture::SetUp();
        spa = serviceCategory("Spa");
        room = location("Room 1");
        anna = provider("Anna");
        massage = service("Massage", spa, room, 90, 80);
    }

    // The booking fields as the screen fills them for a row of the sheet.
    TypedTsBooking typed(const QDate& day, const QString& time, qint64 serviceId = 0,
                         qint64 providerId = 0) const {
        TypedTsBooking t;
        t.referDate = Formats::ShortDate(day);
        t.categoryId = spa;
        t.serviceId = serviceId ? serviceId : massage;
        t.providerId = providerId ? providerId : anna;
        t.referTime = time;
        t.lastName = "Doe";
        t.firstName = "Jane";
        t.gratuity = "10";
        return t;
    }

    // Saves a new booking that must be accepted; answers the result.
    TsSaveResult book(const TypedTsBooking& t) {
        const TsSaveResult r = SaveTimedService(*env.ctx, 0, t);
        if (!r.saved) throw std::runtime_error("not booked: " + r.message.toStdString());
        return r;
    }

    // Links the spa category to a logbook category designed with `labels`,
    // position n filling labels[n] with values[n]; answers the logbook category's id.
    qint64 linkToLogbook(const QString& logType, const QStringList& labels,
                         const QStringList& values) {
        const qint64 logTypeId = designedCategory(logType, labels);
        TsLogLink link;
        link.categoryId = spa;
        link.logTypeId = logTypeId;
        link.logType = logType;
        for (int n = 0; n < values.size(); ++n) {
            link.valueName[n] = values[n];
            link.designLabel[n] = labels[n];
        }
        if (const QString refusal = SaveTsLogLink(*env.ctx, link); !refusal.isEmpty())
            throw std::runtime_error("link not saved: " + refusal.toStdString());
        return logTypeId;
    }

    // The states of the sheet's rows from `from` for `count` rows, as letters:
    // F free, B booking, O other provider, M meal.
    static QString states(const DaySheet& sheet, int from, int count) {
        QString s;
        for (int i = from; i < from + count && i < int(sheet.rows.size()); ++i)
            s += QString("FBOM").at(int(sheet.rows[size_t(i)].state));
        return s;
    }

    qint64 spa = 0, room = 0, anna = 0, massage = 0;
};

} // namespace vm::test
