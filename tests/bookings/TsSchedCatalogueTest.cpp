// Providers, services, which services a provider gives, and the logbook
// links of the service categories.

#include "bookings/TsSchedFixture.h"

#include "core/LongText.h"

using namespace vm;
using namespace vm::test;

namespace {

class TsSchedCatalogue : public TsSchedFixture {
protected:
    void SetUp() override {
        TsSchedFixture::SetUp();
        massage = serviceCategory("Massage");
        spa = location("Spa");
    }
    int links(qint64 providerId) {
        return env.db()
            .scalar("SELECT COUNT(*) FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = 'X'",
                    {providerId})
            .toInt();
    }
    qint64 massage = 0, spa = 0;
};

TEST_F(TsSchedCatalogue, ProviderSaveRefusesMissingNameOrGenderThenStoresTheWholeRow) {
    Provider p;
    p.name = "   ";
    p.female = true;
    EXPECT_EQ(SaveProvider(*env.ctx, p), MsgProviderRequired);
    p.name = "Ann \"Annie\" & Co";
    p.female.reset();
    EXPECT_EQ(SaveProvider(*env.ctx, p), MsgProviderGender);
    EXPECT_TRUE(GetProviders(*env.ctx).empty());

    p.female = false;
    p.commission = 12.5;
    p.week = officeWeek();
    ASSERT_EQ(SaveProvider(*env.ctx, p), "");
    const auto back = GetProviderData(*env.ctx, p.id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, "Ann 'Annie' & Co"); // the stored form keeps '&'
    EXPECT_EQ(back->female, std::optional<bool>(false));
    EXPECT_DOUBLE_EQ(back->commission, 12.5);
    EXPECT_EQ(back->week.startMeal, officeWeek().startMeal);

    // An update changes the same row; a spoiled week is never written.
    p.female = true;
    ASSERT_EQ(SaveProvider(*env.ctx, p), "");
    EXPECT_EQ(GetProviders(*env.ctx).size(), 1u);
    EXPECT_EQ(GetProviderData(*env.ctx, p.id)->female, std::optional<bool>(true));
    p.week.endArray.chop(1);
    EXPECT_THROW(SaveProvider(*env.ctx, p), std::invalid_argument);
    EXPECT_EQ(GetProviderData(*env.ctx, p.id)->week.endArray, officeWeek().endArray);
}

TEST_F(TsSchedCatalogue, ServiceSaveChecksInOrderAndTakesTenToTwoFortyMinutesByTen) {
    Service s;
    EXPECT_EQ(SaveService(*env.ctx, s), MsgServiceName);
    s.name = "Deep Tissue";
    EXPECT_EQ(SaveService(*env.ctx, s), MsgServiceCategory);
    s.categoryId = massage;
    EXPECT_EQ(SaveService(*env.ctx, s), MsgServiceLocation);
    s.locationId = spa;
    for (int minutes : {0, 35, 250})
        EXPECT_EQ((s.duration = minutes, SaveService(*env.ctx, s)), MsgServiceDuration);
    EXPECT_TRUE(GetServices(*env.ctx).empty());

    s.duration = 240;
    s.price = 145.5;
    ASSERT_EQ(SaveService(*env.ctx, s), "");
    service("Swedish", massage, location("Pool Cabana"), 10);
    service("Facial", serviceCategory("Skin"), spa, 30);
    const auto edit = GetServicesForEdit(*env.ctx);
    ASSERT_EQ(edit.size(), 3u);
    EXPECT_EQ(edit[0].category + "/" + edit[0].service.name + "/" + edit[0].location,
              "Massage/Deep Tissue/Spa");
    EXPECT_DOUBLE_EQ(edit[0].service.price, 145.5);
    EXPECT_EQ(edit[2].category, "Skin");
    EXPECT_EQ(GetServicesByC(*env.ctx, massage).size(), 2u);
    EXPECT_EQ(GetLocationsByC(*env.ctx, massage).size(), 2);
    EXPECT_EQ(TsLocationName(*env.ctx, massage), ""); // a category is no location

    s.duration = 120;
    ASSERT_EQ(SaveService(*env.ctx, s), "");
    EXPECT_EQ(GetService(*env.ctx, s.id)->duration, 120);
    EXPECT_EQ(GetServices(*env.ctx).size(), 3u);
}

TEST_F(TsSchedCatalogue, AssignmentRewritesTheLinksAndAllServicesNeedsNone) {
    const qint64 ann = provider("Ann", officeWeek(), false);
    const qint64 a = service("A", massage, spa), b = service("B", massage, spa),
                 c = service("C", massage, spa);
    SaveProviderServices(*env.ctx, ann, false, {b, a, b});
    EXPECT_EQ(GetServicesByP(*env.ctx, ann), (QList<qint64>{b, a}));
    SaveProviderServices(*env.ctx, ann, false, {c});
    EXPECT_EQ(GetServicesByP(*env.ctx, ann), (QList<qint64>{c}));
    EXPECT_FALSE(GetProviderData(*env.ctx, ann)->allServices);
    SaveProviderServices(*env.ctx, ann, true, {a, b});
    EXPECT_TRUE(GetServicesByP(*env.ctx, ann).isEmpty());
    EXPECT_TRUE(GetProviderData(*env.ctx, ann)->allServices);
}

TEST_F(TsSchedCatalogue, DeletesAreRefusedWhileBookedAndOtherwiseTakeLinksAndSchedules) {
    const qint64 ann = provider("Ann", officeWeek(), false);
    const qint64 bob = provider("Bob", officeWeek(), false);
    const qint64 swedish = service("Swedish", massage, spa);
    const qint64 facial = service("Facial", massage, spa);
    SaveProviderServices(*env.ctx, ann, false, {swedish, facial});
    SaveProviderServices(*env.ctx, bob, false, {swedish, facial});
    PutECT(*env.ctx, ann, TextKind::BookingInstructions, "another kind under the same key");
    exception(ann, "03/02/2026", "", officeWeek());
    master(ann, "Summer", officeWeek());
    bookingRow(bob, swedish, TsMonday, "10:00 AM", 60);
    bookingRow(bob, swedish, TsMonday, "02:00 PM", 60);

    EXPECT_EQ(DeleteProvider(*env.ctx, 0), MsgProviderDeleteNone);
    EXPECT_EQ(DeleteProvider(*env.ctx, bob),
              "This provider has 2 Timed Services in the Database.  We will not be able to delete "
              "this provider until all Timed Services have been deleted.");
    EXPECT_EQ(DeleteService(*env.ctx, swedish),
              "This Service has 2 Timed Services in the Database.  We will not be able to delete "
              "this Service until all Timed Services have been deleted.");
    EXPECT_TRUE(GetProviderData(*env.ctx, bob));

    ASSERT_EQ(DeleteProvider(*env.ctx, ann), "");
    EXPECT_FALSE(GetProviderData(*env.ctx, ann));
    EXPECT_EQ(links(ann), 0);
    EXPECT_TRUE(GetProviderSchedules(*env.ctx, ann).empty());
    EXPECT_EQ(GetECT(*env.ctx, ann, TextKind::BookingInstructions),
              "another kind under the same key");

    ASSERT_EQ(DeleteService(*env.ctx, facial), "");
    EXPECT_FALSE(GetService(*env.ctx, facial));
    EXPECT_EQ(GetServicesByP(*env.ctx, bob), (QList<qint64>{swedish}));
    EXPECT_EQ(DeleteService(*env.ctx, 0), MsgServiceDeleteNone);
}

TEST_F(TsSchedCatalogue, LogbookLinkNeedsBothCategoriesAndIsKeptPerWorkingLanguage) {
    const qint64 spaLog = category("Spa Bookings");
    TsLogLink link;
    EXPECT_EQ(SaveTsLogLink(*env.ctx, link), MsgLinkCategory);
    link.categoryId = massage;
    EXPECT_EQ(SaveTsLogLink(*env.ctx, link), MsgLinkLogType);
    link.logTypeId = 424242; // no such logbook category
    EXPECT_EQ(SaveTsLogLink(*env.ctx, link), MsgLinkLogType);

    link.logTypeId = spaLog;
    link.valueName[0] = "Service";
    link.designLabel[0] = "Treatment:";
    link.valueName[14] = "Gratuity";
    link.designLabel[14] = "Tip & Extras:";
    env.ctx->session.language = 2;
    ASSERT_EQ(SaveTsLogLink(*env.ctx, link), "");
    const auto row =
        env.db().queryOne("SELECT * FROM [IFTranslate] WHERE [IFTranslateID] = ?", {link.id});
    ASSERT_TRUE(row);
    QStringList stored;
    for (const char* column :
         {"TypeOfInterface", "TypeOfRequest", "LogType", "LanguageCode", "IFDE15", "DEElement15"})
        stored << row->text(column);
    EXPECT_EQ(stored, (QStringList{"TimedService", "Massage", "Spa Bookings", "2", "Gratuity",
                                   "Tip & Extras:"}));

    // The booking reads the link of the working language only.
    env.ctx->session.language = 0;
    EXPECT_FALSE(GetTsLogLink(*env.ctx, massage));
    env.ctx->session.language = 2;
    auto read = GetTsLogLink(*env.ctx, massage);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->designLabel[0], "Treatment:");

    // A second link for the same category and language would never be read.
    TsLogLink twin = link;
    twin.id = 0;
    EXPECT_EQ(SaveTsLogLink(*env.ctx, twin), MsgLinkExists);
    read->valueName[0] = "Provider";
    ASSERT_EQ(SaveTsLogLink(*env.ctx, *read), "");
    EXPECT_EQ(GetTsLogLinks(*env.ctx).size(), 1u);
    EXPECT_EQ(GetTsLogLink(*env.ctx, massage)->valueName[0], "Provider");
    DeleteTsLogLink(*env.ctx, link.id);
    EXPECT_TRUE(GetTsLogLinks(*env.ctx).empty());
}

} // namespace
