#include "guests/reports/ProfileReports.h"
#include "../output/PdfReader.h"
#include "guests/Groups.h"
#include "guests/ProfileDesk.h"
#include "output/forms/DocumentOutput.h"

using namespace vm;
using namespace vm::test;

namespace {

class ProfileReports : public ProfileDesk {
protected:
    void SetUp() override {
        ProfileDesk::SetUp();
        RegisterProfileReports(env.ctx->reports);
    }
    qint64 full() {
        addIndicatorType("Pillow", false, 10);
        addIndicatorType("Spouse Name", true, 20);
        Group g;
        g.name = "Dental Congress";
        Profile p = sample("Ann", "Smith");
        p.salutation = "Dr.";
        p.groupId = InsertGroup(*env.ctx, g);
        p.profileType = "VIP";
        p.company = "Acme";
        p.business.line1 = "9 Office Park";
        p.business.city = "Chicago";
        p.primaryAddress = 1;
        p.cellPhone = "(312) 555-0199";
        p.asstName = "Bea Helper";
        p.notes = "Allergic to feathers\nLate checkout";
        const qint64 id = addProfile(p);
        InsertProfilePI(*env.ctx, id, "Pillow", "Feather-free");
        InsertProfilePI(*env.ctx, id, "Spouse Name", "Carl");
        InsertProfileCH(*env.ctx, id, QDate(2026, 3, 1), "Phone", "Booked");
        return id;
    }
    doc::Document build(qint64 id) {
        const ReportRoutine* r = env.ctx->reports.find(ProfileDetailsRoutine);
        EXPECT_TRUE(r);
        return r->build(*env.ctx, {ProfileDetailsRoutine, "Profile Details", {{"profileId", id}}});
    }
};

} // namespace

TEST_F(ProfileReports, DetailsPrintTheHeadAddressesPhonesIndicatorsHistoryAndNotes) {
    const qint64 id = full();
    const QString text = doc::PlainText(build(id));
    for (const char* part : {"Dr. Ann Smith", "Profile Type:\tVIP", "Company Name:\tAcme",
                             "Group Name:\tDental Congress", "Home Address:\t1 Elm St",
                             "Springfield, IL 62701", "Business Address (Primary):\t9 Office Park",
                             "Cell:\t(312) 555-0199", "Name:\tBea Helper", "Pillow\tFeather-free",
                             "03/01/2026\tPhone\tBooked", "Allergic to feathers", "Late checkout"})
        EXPECT_TRUE(text.contains(part)) << part << "\n" << text.toStdString();
    // The private indicator is for managers only.
    EXPECT_FALSE(text.contains("Carl")) << text.toStdString();
    env.ctx->session.manager = true;
    EXPECT_TRUE(doc::PlainText(build(id)).contains("Spouse Name\tCarl"));
}

TEST_F(ProfileReports, AMissingOrAPrivateProfileIsRefused) {
    EXPECT_THROW(build(999), ReportRefused);
    Profile p = sample("Gus", "Hidden");
    p.isPrivate = true;
    const qint64 id = addProfile(p);
    try {
        build(id);
        ADD_FAILURE() << "printed";
    } catch (const ReportRefused& e) {
        EXPECT_EQ(e.message(), MsgPrivateProfileNoPrint);
    }
    env.ctx->session.manager = true;
    EXPECT_TRUE(doc::PlainText(build(id)).contains("Gus Hidden"));
}

TEST_F(ProfileReports, ThePrintedPdfReadsBackWithTheGuestsDetails) {
    const doc::Document d = build(full());
    const QString path = env.root() + "/profile.pdf";
    QString error;
    ASSERT_TRUE(WritePdf(d, path, &error)) << error.toStdString();
    const QString text = PdfPages(path).join("\n");
    // (a reader sees "fi" as one ligature glyph, so no word with it is looked for)
    for (const char* part :
         {"Dr. Ann Smith", "Dental Congress", "Feather-free", "Booked", "Late checkout"})
        EXPECT_TRUE(text.contains(part)) << part << "\n" << text.toStdString();
}
