// The service's settings and the checks made before a search is opened.

#include "bookings/OnlineTables.h"
#include "core/Settings.h"
#include "guests/Contacts.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;

namespace {

class OtSvcChecks : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        // Initials with an apostrophe reach the statement as a bound value.
        staffId = env.addStaff("Pat O'Neil", "pat", "O'N");
        env.logOn(staffId);
    }
    Database& db() { return env.db(); }
    void configure(const QString& conciergeId = "C77", double hotel = 310, double area = 4,
                   const QString& partner = "") {
        db().exec("UPDATE [Concierge] SET [OTConciergeID] = ? WHERE [ConciergeID] = ?",
                  {conciergeId, staffId});
        db().exec("UPDATE [Authorization] SET [OTHotelID] = ?, [OTAreaID] = ?, [OTPartnerID] = ?",
                  {hotel, area, partner});
        SetTextSetting(db(), "OTName", "Restaurant");
        SetTextSetting(db(), "OTNumber", "Party");
        SetTextSetting(db(), "OTTime", "Time");
    }
    static LogEntry entry(const QString& name, const QString& party, const QString& time) {
        LogEntry e;
        e.text = "Restaurant: " + name + "\r\nParty: " + party + "\r\nTime: " + time +
                 "\r\nGuest wants a quiet table.";
        return e;
    }
    // The one refusal a check showed.
    QString refusal(const LogEntry& e) {
        env.prompt.clear();
        EXPECT_FALSE(CheckOpenTableEntry(*env.ctx, e));
        EXPECT_EQ(env.prompt.shown.size(), 1);
        return env.prompt.last();
    }

    TestEnv env;
    qint64 staffId = 0;
};

} // namespace

TEST_F(OtSvcChecks, EntryChecksComeInOrder) {
    LogEntry cancelled = entry("Chez Nous", "4", "7:30 pm");
    cancelled.cancelled = true;
    EXPECT_EQ(refusal(cancelled), "This Reservation has been cancelled.  Cannot go to Open Table.");
    EXPECT_EQ(refusal(entry("Chez Nous", "4", "7:30 pm")),
              "Your Open Table ID has not been recorded.   Please use the Administration/Concierge "
              "Staff feature to add your Open Table ID and try again.");
    configure("C77", 0, 4);
    EXPECT_EQ(refusal(entry("Chez Nous", "4", "7:30 pm")),
              "Your Property is not configured as a Open Table member.   Please use the "
              "Administration/Interface Options panel to add your Hotel Open Table ID and try "
              "again.");
    configure("C77", 310, 0);
    EXPECT_TRUE(refusal(entry("Chez Nous", "4", "7:30 pm"))
                    .endsWith("to add your Metropolitan Area Number and try again."));
    configure();
    SetTextSetting(db(), "OTName", "");
    EXPECT_EQ(refusal(entry("Chez Nous", "4", "7:30 pm")),
              "There is no data entry element defined for the Restaurant Name.  Please use the "
              "Configuration Options panel to define how we will interface with Open Table.");
    configure();
    EXPECT_EQ(refusal(entry("", "4", "7:30 pm")), "Please enter the name of the Restaurant.");
    EXPECT_EQ(refusal(entry("Chez Nous", "", "7:30 pm")),
              "Please enter the number of persons in the party.");
    EXPECT_EQ(refusal(entry("Chez Nous", "4a", "7:30 pm")),
              "The number of persons in the party must be Numbers ONLY.");
    for (const char* size : {"21", "0", "99999999999"})
        EXPECT_EQ(refusal(entry("Chez Nous", size, "7:30 pm")),
                  "The number of persons in the party must be in the range of from 1 through 20.");
    EXPECT_EQ(refusal(entry("Chez Nous", "20", "")),
              "Please enter the requested reservation time.");
    EXPECT_EQ(refusal(entry("Chez Nous", "20", "19:30 pm")),
              "Please enter a valid time for the reservation.  The preferred format is HH:MM "
              "am/pm.  Thank you.");
    EXPECT_EQ(env.prompt.shown.last().title, "Oops");

    env.prompt.clear();
    const auto ok = CheckOpenTableEntry(*env.ctx, entry("Chez Nous", "20", "7:30 pm"));
    ASSERT_TRUE(ok);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    EXPECT_EQ(ok->restaurant, "Chez Nous");
    EXPECT_EQ(ok->partySize, 20);
    EXPECT_EQ(ok->time, "07:30 PM");
}

TEST_F(OtSvcChecks, ServiceConfigurationNeedsMemberHotelAndArea) {
    EXPECT_FALSE(GetOpenTableService(*env.ctx));
    EXPECT_EQ(env.prompt.last(), "Missing Open Table ID for logged in user.  Please use the "
                                 "Concierge Staff panel to set the proper value.");
    configure("C77", 310, 0);
    EXPECT_FALSE(GetOpenTableService(*env.ctx));
    EXPECT_EQ(env.prompt.last(), "Missing one or more OpenTable configuration elements. Please "
                                 "use the Configuration Options panel and ensure all elements "
                                 "have a value.");
    // The partner id is optional: requests leave it out while it is not set.
    env.prompt.clear();
    configure("C77", 310, 4, "");
    SetValueFromKey(db(), kOTStandardHostKey, "https://concierge.example.net");
    auto config = GetOpenTableService(*env.ctx);
    ASSERT_TRUE(config);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    EXPECT_EQ(config->conciergeId, "C77");
    EXPECT_EQ(config->partnerId, 0);
    EXPECT_EQ(config->standardHost, "https://concierge.example.net");
    configure("C77", 310, 4, "55");
    EXPECT_EQ(GetOpenTableService(*env.ctx)->partnerId, 55);
    EXPECT_EQ(GetOpenTableConciergeID(db(), "O'N"), "C77");
    EXPECT_EQ(GetOpenTableConciergeID(db(), "' OR ''='"), "");
}

TEST_F(OtSvcChecks, RestaurantListHoldsBookableContactsByName) {
    const auto add = [&](const QString& name, qint64 rid, const QString& host = {}) {
        Contact c;
        c.name = name;
        c.otRestaurantId = rid;
        c.otCuisine = "French";
        c.otHost = host;
        InsertContact(*env.ctx, c);
        return c.id;
    };
    const qint64 zinc = add("Zinc", 12, "127.0.0.1:81");
    add("Plain Cafe", 0);
    const qint64 alba = add("Alba", 40);
    const auto list = GetOpenTables(env.ctx->contactsDb());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "Alba");
    EXPECT_EQ(list[0].contactId, alba);
    EXPECT_EQ(list[1].restaurantId, 12);
    EXPECT_EQ(list[1].host, "127.0.0.1:81");

    std::vector<OTSearchResult> results;
    results.emplace_back(nullptr, 12, "05/01/2024", "07:30 PM", 2);
    results.emplace_back(nullptr, 99, "05/01/2024", "07:30 PM", 2);
    FillFromContacts(results, list);
    EXPECT_EQ(results[0].contactId, zinc);
    EXPECT_EQ(results[0].name, "Zinc");
    EXPECT_EQ(results[0].cuisine, "French");
    EXPECT_EQ(results[1].contactId, 0);
    EXPECT_EQ(results[1].name, "");
}

TEST(OtSvcLines, BookingIsWrittenUnderTheMappedLabels) {
    std::vector<DesignItem> items(5);
    const QStringList labels = {"Restaurant", "Party", "Time", "Confirmation", "Other"};
    for (int i = 0; i < 5; ++i)
        items[i].labelText = labels[i];
    OTLabels map;
    map.name = "restaurant"; // labels match regardless of case
    map.number = "Party";
    map.time = "Time";
    map.confirmation = "Confirmation";
    map.notes = "Not In This Design";
    const QString text = "Restaurant: Chez\r\nParty: 4\r\nTime: 7:30 pm\r\nOther: keep\r\nfree text";
    const QString written = WriteOTBooking(
        text, items, map, {"98765", "07:45 PM", "Chez Nous", "4", "quiet table"});
    const OTEntryValues v = ReadOTEntryValues(written, map);
    EXPECT_EQ(v.name, "Chez Nous");
    EXPECT_EQ(v.time, "07:45 PM");
    EXPECT_EQ(v.confirmation, "98765");
    EXPECT_EQ(v.notes, "");
    EXPECT_TRUE(written.contains("Other: keep\r\n"));
    EXPECT_TRUE(written.endsWith("free text"));
    EXPECT_FALSE(written.contains("quiet table"));
}

TEST_F(OtSvcChecks, ConfirmedBookingIsSavedWithTheEntry) {
    std::vector<DesignItem> items(3);
    items[0].labelText = "Restaurant";
    items[1].labelText = "Time";
    items[2].labelText = "Confirmation";
    OTLabels map;
    map.name = "Restaurant";
    map.time = "Time";
    map.confirmation = "Confirmation";
    LogEntry e;
    e.lastName = "Guest";
    e.entryType = "Dining";
    e.referDate = "2024/05/01";
    e.referTime = "19:30";
    e.text = "Restaurant: Chez\r\nTime: 7:30 pm\r\nConfirmation: \r\n";
    LogbookStore store(*env.ctx);
    store.InsertLogBook(e);
    ASSERT_GT(e.logId, 0);

    EXPECT_EQ(RecordOTBooking(*env.ctx, e, false, items, map, {"98765", "07:45 PM", "Chez", "", ""}),
              SaveOutcome::Saved);
    auto saved = store.GetTheLogEntry(e.logId);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->openTableId, 98765);
    EXPECT_EQ(ReadOTEntryValues(saved->text, map).confirmation, "98765");
    EXPECT_EQ(ReadOTEntryValues(saved->text, map).time, "07:45 PM");

    // A confirmation that is no number stays in the text only.
    EXPECT_EQ(RecordOTBooking(*env.ctx, *saved, false, items, map, {"AB-12", "07:45 PM", "Chez", "", ""}),
              SaveOutcome::Saved);
    saved = store.GetTheLogEntry(e.logId);
    EXPECT_EQ(saved->openTableId, 0);
    EXPECT_EQ(ReadOTEntryValues(saved->text, map).confirmation, "AB-12");
}
