// Interface categories kept through the store: the checks of a save, the
// mapping rules of the hotel-technology interface, what is written and read
// back, and the rows the timed services keep in the same table.

#include "bookings/TsSetup.h"
#include "guests/OtherLists.h"
#include "interfaces/IfCatFixture.h"

#include <functional>

using namespace vm;
using namespace vm::test;

namespace {

class IfCatStore : public IfCatFixture {};

TEST_F(IfCatStore, SaveChecksRunInOrderAndNothingIsWrittenWhileRefused) {
    IfCategory c;
    struct Step {
        std::function<void()> fix;
        QString refusal;
    };
    const std::vector<Step> steps{
        {[] {}, MsgIfSelectType},
        // A timed-service link is no category of this window.
        {[&] { c.typeOfInterface = TsLinkInterface; }, MsgIfSelectType},
        {[&] {
             c.typeOfInterface = IfHtngInterface;
             c.typeOfRequest = "   ";
         },
         MsgIfEnterCategory},
        {[&] { c.typeOfRequest = "SpaBooking"; }, MsgIfSelectLogType},
        {[&] { c.logTypeId = 424242; }, MsgIfSelectLogType}, // no such logbook category
        {[&] { c.logTypeId = spa; }, MsgIfSelectLanguage},
        {[&] {
             c.languageCode = "2";
             c.outsideField[3] = "Therapy";
         },
         IfUnmappedMessage(IfHtngInterface)},
    };
    for (const Step& s : steps) {
        s.fix();
        const IfRefusal r = SaveIFCategory(db(), c);
        EXPECT_EQ(r.text, s.refusal);
        EXPECT_EQ(c.id, 0);
    }
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM [IFTranslate]").toInt(), 0);

    c.designLabel[3] = "Treatment:";
    EXPECT_FALSE(SaveIFCategory(db(), c).refused());
    EXPECT_GT(c.id, 0);
}

TEST_F(IfCatStore, HtngNeedsOneDesignLinePerFieldWhileWebAcceptsAnyMapping) {
    IfCategory htng = valid(IfHtngInterface, "Spa");
    htng.outsideField[5] = "Guest";
    htng.designLabel[5] = "guest name:"; // labels are read regardless of case
    const IfRefusal twice = SaveIFCategory(db(), htng);
    EXPECT_EQ(twice.title, TitleIfIncompleteMapping);
    EXPECT_EQ(twice.text,
              "HTNG Interface: element MUST be mapped to a unique Logbook\r\nelement. You "
              "currently have the Logbook element 'guest name:'\r\nmapped to multiple HTNG "
              "Interface elements.\r\n\r\nPlease uniquely match up all the entries before saving.");
    htng.outsideField[5].clear();
    htng.designLabel[5].clear();
    htng.outsideField[4] = "Extra";
    const IfRefusal unmapped = SaveIFCategory(db(), htng);
    EXPECT_EQ(unmapped.title, TitleIfIncompleteMapping);
    EXPECT_EQ(unmapped.text,
              "Each HTNG Interface element MUST have a corresponding Logbook element.\r\n\r\n"
              "Please match up all the entries before saving.");
    EXPECT_EQ(rows(IfHtngInterface), 0);

    // A label on a row without an outside field carries nothing: no check counts it.
    htng.outsideField[4].clear();
    htng.designLabel[6] = "Room:";
    EXPECT_FALSE(SaveIFCategory(db(), htng).refused());

    for (const QString& type : {IfWebInterface, IfResortClubExport}) {
        IfCategory other = valid(type, "Spa");
        other.outsideField[5] = "Guest";
        other.designLabel[5] = "Guest Name:";
        other.outsideField[7] = "Unmapped";
        EXPECT_FALSE(SaveIFCategory(db(), other).refused()) << type.toStdString();
        EXPECT_EQ(rows(type), 1);
    }
}

TEST_F(IfCatStore, EveryPairAndApostropheRoundTripsAndASecondSaveUpdates) {
    IfCategory c = valid(IfWebInterface, "Guest's Request");
    c.languageCode = "5";
    for (int n = 0; n < IfPositions; ++n) {
        c.outsideField[n] = QString("Field's %1").arg(n + 1);
        c.designLabel[n] = QString("Line's %1:").arg(n + 1);
    }
    c.outsideField[14] = "Wine & \"Dine\" | Bar"; // kept in the stored form of texts
    ASSERT_FALSE(SaveIFCategory(db(), c).refused());
    const qint64 id = c.id;
    ASSERT_GT(id, 0);
    EXPECT_EQ(c.outsideField[14], "Wine & 'Dine' ! Bar");

    const auto read = GetIFCategory(db(), id);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->typeOfInterface, IfWebInterface);
    EXPECT_EQ(read->typeOfRequest, "Guest's Request");
    EXPECT_EQ(read->logTypeId, spa);
    EXPECT_EQ(read->logType, "Spa Requests");
    EXPECT_EQ(read->languageCode, "5");
    for (int n = 0; n < IfPositions; ++n) {
        EXPECT_EQ(read->outsideField[n], c.outsideField[n]) << n;
        EXPECT_EQ(read->designLabel[n], QString("Line's %1:").arg(n + 1)) << n;
    }

    // The second save of the same window changes the row it filed.
    c.logTypeId = dining;
    c.designLabel[0] = "Restaurant:";
    ASSERT_FALSE(SaveIFCategory(db(), c).refused());
    EXPECT_EQ(c.id, id);
    EXPECT_EQ(rows(IfWebInterface), 1);
    EXPECT_EQ(GetIFCategory(db(), id)->logType, "Dining");
    EXPECT_EQ(GetIFCategory(db(), id)->designLabel[0], "Restaurant:");

    // Deleted at another desk meanwhile: the save files it again.
    ASSERT_TRUE(DeleteIFCategory(db(), id));
    ASSERT_FALSE(SaveIFCategory(db(), c).refused());
    EXPECT_NE(c.id, id);
    EXPECT_EQ(rows(IfWebInterface), 1);
}

TEST_F(IfCatStore, ANameIsUsedOnceWithinAnInterfaceAndListedInNameOrder) {
    for (const QString name : {"Wake-up", "amenity", "Transport"}) {
        IfCategory c = valid(IfHtngInterface, name);
        ASSERT_FALSE(SaveIFCategory(db(), c).refused()) << name.toStdString();
    }
    IfCategory twin = valid(IfHtngInterface, "TRANSPORT ");
    const IfRefusal r = SaveIFCategory(db(), twin);
    EXPECT_EQ(r.title, TitleIfDuplicate);
    EXPECT_EQ(r.text, IfDuplicateMessage(IfHtngInterface, "TRANSPORT"));
    EXPECT_EQ(twin.id, 0);
    IfCategory web = valid(IfWebInterface, "Transport"); // another interface
    EXPECT_FALSE(SaveIFCategory(db(), web).refused());

    const auto list = GetIFCategorys(db(), IfHtngInterface);
    QStringList names;
    for (const auto& [id, name] : list) names << name;
    EXPECT_EQ(names, (QStringList{"amenity", "Transport", "Wake-up"}));
    // Saving a category again under its own name is no clash.
    IfCategory again = *GetIFCategory(db(), list[1].first);
    again.typeOfRequest = "transport";
    EXPECT_FALSE(SaveIFCategory(db(), again).refused());
    EXPECT_EQ(rows(IfHtngInterface), 3);
}

TEST_F(IfCatStore, RenamingALogbookCategoryFollowsAndTimedServiceLinksAreLeftAlone) {
    ASSERT_EQ(InsertOtherData(*env.ctx, "TService", "Massage"), "");
    TsLogLink link;
    link.categoryId = GetOtherData(*env.ctx, "TService").front().id;
    link.logTypeId = spa;
    link.valueName[0] = "Service";
    link.designLabel[0] = "Treatment:";
    ASSERT_EQ(SaveTsLogLink(*env.ctx, link), "");
    IfCategory web = valid(IfWebInterface, "Massage");
    ASSERT_FALSE(SaveIFCategory(db(), web).refused());

    RenameCategory(*env.ctx, "Spa Requests", "Spa & Wellness");
    EXPECT_EQ(GetIFCategory(db(), web.id)->logType, "Spa & Wellness");
    EXPECT_EQ(GetTsLogLinks(*env.ctx).front().logType, "Spa & Wellness");

    // The link is neither listed, nor overwritten, nor deleted from here.
    for (const QString& type : IfEditableInterfaces())
        for (const auto& [id, name] : GetIFCategorys(db(), type)) EXPECT_NE(id, link.id);
    EXPECT_FALSE(DeleteIFCategory(db(), link.id));
    IfCategory hijack = valid(IfWebInterface, "Facial");
    hijack.id = link.id;
    ASSERT_FALSE(SaveIFCategory(db(), hijack).refused());
    EXPECT_NE(hijack.id, link.id);
    const auto kept = GetTsLogLinks(*env.ctx);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept.front().id, link.id);
    EXPECT_EQ(kept.front().valueName[0], "Service");
    EXPECT_EQ(kept.front().designLabel[0], "Treatment:");
}

} // namespace
