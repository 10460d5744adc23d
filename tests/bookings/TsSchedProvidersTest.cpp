// Which providers give a service, who is at work at a minute, and the
// availability search over services for the whole length of each.

#include "bookings/TsSchedFixture.h"

#include "core/LongText.h"

using namespace vm;
using namespace vm::test;

namespace {

int at(const char* hhmm) {
    return SlotMinute(QString::fromLatin1(hhmm));
}

class TsSchedProviders : public TsSchedFixture {
protected:
    void SetUp() override {
        TsSchedFixture::SetUp();
        massage = serviceCategory("Massage");
        skin = serviceCategory("Skin");
        spa = location("Spa");
        cabana = location("Cabana");
    }
    QStringList byST(qint64 serviceId, const QDate& day, const char* time) {
        return names(GetProvidersByST(*env.ctx, serviceId, day, at(time)));
    }
    QStringList available(qint64 category, qint64 service, qint64 location, const QDate& day,
                          const char* time) {
        QStringList found;
        for (const TsAvailability& a :
             GetAvailability(*env.ctx, category, service, location, day, at(time)))
            found << a.serviceName + "/" + a.providerName;
        return found;
    }
    qint64 massage = 0, skin = 0, spa = 0, cabana = 0;
};

TEST_F(TsSchedProviders, ProvidersOfAServiceAreAllServicesOnesFirstThenAssignedEachOnce) {
    const qint64 swedish = service("Swedish", massage, spa);
    const qint64 facial = service("Facial", skin, spa);
    const qint64 zoe = provider("Zoe", officeWeek(), true);
    const qint64 ann = provider("Ann", officeWeek(), false);
    provider("Bob", officeWeek(), false);
    SaveProviderServices(*env.ctx, ann, false, {swedish});
    // A provider giving all services may still carry an old link: listed once.
    env.db().exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                  "VALUES (?, 'X', 1, ?)",
                  {zoe, QString::number(swedish)});
    EXPECT_EQ(names(GetProvidersByS(*env.ctx, swedish)), (QStringList{"Zoe", "Ann"}));
    EXPECT_EQ(names(GetProvidersByS(*env.ctx, facial)), (QStringList{"Zoe"}));
    EXPECT_EQ(byST(swedish, TsMonday, "10:00"), (QStringList{"Zoe", "Ann"}));
}

TEST_F(TsSchedProviders, AtWorkCountsBothEndsOfTheHoursAndKeepsTheWholeMealOff) {
    const qint64 swedish = service("Swedish", massage, spa);
    provider("Ann"); // Monday - Friday 09:00-17:00, meal 12:00-13:00
    struct Case {
        const char* time;
        bool offered;
    };
    const Case cases[] = {{"08:59", false}, {"09:00", true},  {"11:59", true},
                          {"12:00", false}, {"12:30", false}, {"13:00", false},
                          {"13:01", true},  {"17:00", true},  {"17:01", false}};
    for (const Case& c : cases)
        EXPECT_EQ(byST(swedish, TsMonday, c.time).size(), c.offered ? 1 : 0) << c.time;
    // Sunday's flag is off; an exception on the Sunday turns it on.
    EXPECT_TRUE(byST(swedish, TsSunday, "10:00").isEmpty());
    const qint64 ann = GetProviders(*env.ctx).front().first;
    exception(ann, "03/01/2026", "", week("1000000", "10:00", "14:00"));
    EXPECT_EQ(byST(swedish, TsSunday, "10:00"), (QStringList{"Ann"}));
    // A working flag without hours offers nobody.
    TsWeek flagOnly;
    flagOnly.workSchedule = "1111111";
    exception(ann, "03/02/2026", "", flagOnly);
    EXPECT_TRUE(byST(swedish, TsMonday, "10:00").isEmpty());
}

TEST_F(TsSchedProviders, AvailabilityNeedsTheWholeServiceInsideHoursOutsideMealAndBookings) {
    const qint64 hour = service("Hour", massage, spa, 60);
    const qint64 ann = provider("Ann");
    provider("Bob", week("0111110", "10:00", "18:00"));
    // 10:00: both. 11:30: Ann's meal starts within the hour.
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "10:00"), (QStringList{"Hour/Ann", "Hour/Bob"}));
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "11:30"), (QStringList{"Hour/Bob"}));
    // Finishing exactly when the meal starts, or the day ends, fits.
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "11:00"), (QStringList{"Hour/Ann", "Hour/Bob"}));
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "16:00"), (QStringList{"Hour/Ann", "Hour/Bob"}));
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "16:10"), (QStringList{"Hour/Bob"}));
    // The meal's end counts as the meal, as for the providers at a minute.
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "13:00"), (QStringList{"Hour/Bob"}));
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "13:10"), (QStringList{"Hour/Ann", "Hour/Bob"}));

    // A booking of Ann at 14:00 for 25 minutes takes two rows (14:00-14:20) and blocks
    // every service meeting them.
    bookingRow(ann, hour, TsMonday, "02:00 PM", 25);
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "13:10"), (QStringList{"Hour/Bob"}));
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "14:10"), (QStringList{"Hour/Bob"}));
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "14:20"), (QStringList{"Hour/Ann", "Hour/Bob"}));
    // A booking whose time cannot be read blocks nothing and breaks nothing.
    bookingRow(ann, hour, TsMonday, "later", 60);
    EXPECT_EQ(available(massage, 0, 0, TsMonday, "15:00").size(), 2);
}

TEST_F(TsSchedProviders, AvailabilityFiltersOnlyByWhatWasChosen) {
    const qint64 swedish = service("Swedish", massage, spa, 60);
    service("Stones", massage, cabana, 30);
    service("Facial", skin, spa, 40);
    provider("Ann");
    const auto row = GetAvailability(*env.ctx, massage, swedish, 0, TsMonday, at("10:00"));
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0].categoryName, "Massage");
    EXPECT_EQ(row[0].locationId, spa);

    EXPECT_EQ(available(massage, 0, 0, TsMonday, "10:00"),
              (QStringList{"Stones/Ann", "Swedish/Ann"}));
    EXPECT_EQ(available(0, 0, spa, TsMonday, "10:00"), (QStringList{"Swedish/Ann", "Facial/Ann"}));
    EXPECT_EQ(available(massage, 0, cabana, TsMonday, "10:00"), (QStringList{"Stones/Ann"}));
    EXPECT_EQ(available(massage, swedish, cabana, TsMonday, "10:00"), QStringList());
    EXPECT_EQ(available(0, 0, 0, TsMonday, "10:00"), QStringList());
    EXPECT_EQ(available(massage, 0, 0, TsSunday, "10:00"), QStringList());
}

} // namespace
