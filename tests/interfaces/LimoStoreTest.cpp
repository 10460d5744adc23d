#include "LimoFixture.h"

using namespace vm;
using namespace vm::test;

namespace {
class LimoStore : public LimoFixture {};
} // namespace

TEST_F(LimoStore, BillingCodesTakeTheNextIdAndChangeInPlace) {
    Database& db = env.db();
    EXPECT_EQ(GetNextOdsBillingID(db), 2);
    SaveOdsBilling(db, {7, "VIP", "Guest's account"}, true);
    EXPECT_EQ(GetNextOdsBillingID(db), 8);
    SaveOdsBilling(db, {1, "CORP2", "Corporate & partners"}, false);

    const auto codes = GetOdsBillingCodes(db);
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0].code, "CORP2");
    EXPECT_EQ(codes[0].description, "Corporate & partners");
    EXPECT_EQ(codes[1].id, 7);

    EXPECT_TRUE(DeleteOdsBillingCode(db, 7));
    EXPECT_FALSE(DeleteOdsBillingCode(db, 7));
    EXPECT_EQ(GetOdsBillingCodes(db).size(), 1u);
}

TEST_F(LimoStore, TheMappingIsSeededOnceAndRefusedWhenIncompleteOrDoubled) {
    Database& db = env.db();
    std::vector<OdsMapping> rows = LoadOdsLabels(db);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(LoadOdsLabels(db).size(), 11u);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [OdsLimoMapping]").toInt(), 11);
    EXPECT_EQ(OdsLimoCategoryID(db), limoId);
    EXPECT_EQ(rows[0].vmElementId, lineId("putime"));

    // One design line for two dispatch fields.
    std::vector<OdsMapping> doubled = rows;
    doubled[1].vmElementId = doubled[0].vmElementId;
    EXPECT_EQ(SaveOdsMappings(db, limoId, doubled), OdsInvalidMatchupMessage());
    // A required field left unmatched; an optional one may be.
    std::vector<OdsMapping> open = rows;
    open[0].vmElementId = 0;
    EXPECT_EQ(SaveOdsMappings(db, limoId, open), OdsInvalidMatchupMessage());
    EXPECT_EQ(LoadOdsLabels(db)[1].vmElementId, lineId("puloc")); // nothing written
    open = rows;
    open[9].vmElementId = 0; // instructions
    EXPECT_EQ(SaveOdsMappings(db, limoId, open), "");
    EXPECT_EQ(LoadOdsLabels(db)[9].vmElementId, 0);

    EXPECT_TRUE(OdsInvalidMatchupMessage().startsWith(
        "There is a problem with the way the ODS Required Field matches up\r\n"
        "with the matching Velmora Logbook Fields."));
}

TEST_F(LimoStore, ValidationCollectsEveryMissingItemInOrder) {
    Database& db = env.db();
    SetValueFromKey(db, "PropertyID", "0"); // what start-up stores for none
    LogEntry e = limoEntry({{"putime", ""}, {"bcode", "NOPE"}});
    e.firstName.clear();
    e.roomNumber = " ";
    e.referDate = "2026/03/13";
    // A design line removed after the mapping was saved.
    db.exec("DELETE FROM [DEDesign] WHERE [DesignID] = ?", {lineId("npass")});

    const OdsRequest r = ValidateODS(*env.ctx, e, OdsAction::Send);
    EXPECT_FALSE(r.ready());
    EXPECT_EQ(r.missing,
              QStringList({"First Name is required.", "Room Number is required.",
                           "Reference Date must be a valid date\r\nAND must not be a prior date.",
                           "You must first SAVE the logbook entry prior\r\n"
                           "to submitting an ODS reservation.",
                           "You must have a Property ID setup prior\r\n"
                           "Please call Orvanta for your Property ID.",
                           "Pick-up Time is required.",
                           "Number of Passengers is matched to a Logbook Field that no longer "
                           "exists.\r\nPlease verify all fields.",
                           "ODS Billing Code (NOPE) was not found."}));
    EXPECT_TRUE(OdsIncompleteMessage(r.missing)
                    .startsWith("One or more required ODS fields are incomplete.\r\n\r\n"
                                "First Name is required.\r\n"));

    const OdsRequest cancel = ValidateODS(*env.ctx, e, OdsAction::Cancel);
    EXPECT_TRUE(cancel.missing.contains("Reference Date must be a valid date AND\r\n"
                                        "must not be a prior date as you can not\r\n"
                                        "cancel a reservation that has already taken place."));

    // Without billing codes nothing else is looked at, and the desk is told.
    DeleteOdsBillingCode(db, 1);
    const qint64 id = addEntry();
    EXPECT_TRUE(ValidateODS(*env.ctx, stored(id), OdsAction::Send).noBillingCodes);
    EXPECT_FALSE(DispatchLimoEntry(*env.ctx, id, false));
    EXPECT_EQ(env.prompt.last(), OdsNoBillingCodesMessage());
    EXPECT_TRUE(env.desktop.started.isEmpty());
}

TEST_F(LimoStore, CardNumbersAreSentAsTheirLastFourDigits) {
    EXPECT_EQ(MaskOdsCard("4111-1111-1111-1234"), "xxxxxxxxxxxx1234");
    EXPECT_EQ(MaskOdsCard("x 9876"), "xxxx9876");
    EXPECT_EQ(MaskOdsCard("none"), "");
}
