// The logbook's letters: the guest confirmation, the correspondence letter and
// the bulk confirmations with their notify update.

#include "ReportFixture.h"

#include <functional>

using namespace vm;
using namespace vm::test;

class ReportLetters : public ReportFixture {};

TEST_F(ReportLetters, ConfirmationQuotesTheRequestAndTheCategoryWording) {
    const qint64 id = add(booking());
    const QString t = text("PrintGuestConfirmation", id);
    EXPECT_TRUE(t.contains("Tuesday, March 10, 2026")) << t.toStdString(); // printed today
    EXPECT_TRUE(t.contains("Dear Pat Smith,"));
    EXPECT_TRUE(t.contains("Arriving: Saturday, March 14, 2026"));
    EXPECT_TRUE(t.contains("Date: Sunday, March 15, 2026 at 07:30 PM"));
    EXPECT_TRUE(t.contains("Your Request:\nRestaurant: Chez Leon\nWindow table"));
    EXPECT_FALSE(t.contains("(AD 2026/03/10 09:00)")); // signatures stay on the desk
    EXPECT_TRUE(t.contains("We look forward to welcoming you."));
    EXPECT_TRUE(t.contains("Sincerely, \n" + QString(40, '_') + "\nAnn Desk"));
}

// Each switch adds (or takes away) exactly its own line.
TEST_F(ReportLetters, SettingsSwitchTheirLinesOnAndOff) {
    LogEntry e = booking();
    e.profileId = 5;
    const qint64 id = add(e);
    env.db().exec("INSERT INTO [ProfilePI] ([ProfileID], [SequenceNo], [PreferenceType], "
                  "[PreferenceSelection]) VALUES (5, 1, 'Spouse Name', 'Chris Smith')");
    struct Case {
        const char* name;
        std::function<void(bool)> set;
        QString line; // present when on
        bool presentWhenOn = true;
    };
    const std::vector<Case> cases{
        {"PrintLogID", [&](bool on) { flag("PrintLogID", on); },
         "Logbook ID: " + QString::number(id)},
        {"PrintRoom", [&](bool on) { flag("PrintRoom", on); }, "Room Number: 401"},
        {"PrintMasterID", [&](bool on) { flag("PrintMasterID", on); }, "Guest ID: G-77"},
        {"PrintTeam", [&](bool on) { flag("PrintTeam", on); }, "Completed by Concierge:  Ann Desk"},
        {"PrintSpouseName", [&](bool on) { vmSetting("PrintSpouseName", on ? "True" : "False"); },
         "Dear Pat Smith and Chris Smith,"},
        {"NoReferTime", [&](bool on) { vmSetting("NoReferTime", on ? "True" : "False"); },
         " at 07:30 PM", false},
        {"ArrivalDateFormat",
         [&](bool on) { vmSetting("ArrivalDateFormat", on ? "Short Date" : "Long Date"); },
         "Arriving: 03/14/2026"},
        {"ReferenceDateFormat",
         [&](bool on) { vmSetting("ReferenceDateFormat", on ? "Medium Date" : ""); },
         "Date: 15-Mar-26 at 07:30 PM"},
        {"Valediction", [&](bool on) { setText("Valediction", on ? "Warm regards," : ""); },
         "Warm regards,"},
        {"ConfirmationText1",
         [&](bool on) { setText("ConfirmationText1", on ? "The Grand Hôtel" : ""); },
         "Ann Desk\nThe Grand Hôtel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.set(false);
        const QString off = text("PrintGuestConfirmation", id);
        c.set(true);
        const QString on = text("PrintGuestConfirmation", id);
        c.set(false);
        EXPECT_EQ(on.contains(c.line), c.presentWhenOn) << on.toStdString();
        EXPECT_EQ(off.contains(c.line), !c.presentWhenOn) << off.toStdString();
    }
}

TEST_F(ReportLetters, LetterheadMarginsFontAndLogo) {
    const qint64 id = add(booking());
    flag("UseLHLogo", false);
    doc::Document d = build("PrintGuestConfirmation", {{ArgLogId, id}});
    EXPECT_DOUBLE_EQ(d.page.margins.left, 1.0);
    EXPECT_DOUBLE_EQ(d.page.margins.right, 1.0);
    EXPECT_DOUBLE_EQ(d.page.margins.top, 2.1);
    EXPECT_DOUBLE_EQ(d.page.margins.bottom, 1.5);
    EXPECT_TRUE(d.header.isEmpty());

    flag("UseLHLogo", true);
    d = build("PrintGuestConfirmation", {{ArgLogId, id}});
    ASSERT_EQ(d.header.size(), 1);
    const auto* logo = std::get_if<doc::Image>(&d.header.front());
    ASSERT_NE(logo, nullptr);
    EXPECT_TRUE(logo->path.endsWith("Images/picVmLogo.gif"));
}

TEST_F(ReportLetters, ThePropertysMarginsReplaceTheDefaultsSideBySide) {
    const qint64 id = add(booking());
    Category c = *GetLogTypeFlags(env.db(), diningId);
    UpdateConfText(*env.ctx, c, "W text", "V text", QString("A letter."));
    Globals& g = env.ctx->globals;
    g.cfTopMargin = 2.5; // set
    g.cfLeftMargin = 0;  // unset: the default side
    g.cfRightMargin = 9; // no sheet holds it: the default side
    g.cfBottomMargin = 0.75;
    g.lhLeftMargin = 1.25; // the letterhead's, for letters other than confirmations

    for (const char* routine : {"PrintGuestConfirmation", "PrintGuestArrivals"}) {
        SCOPED_TRACE(routine);
        const doc::Document d = build(routine, {{ArgLogId, id}, {ArgLogIds, QVariantList{id}}});
        EXPECT_DOUBLE_EQ(d.page.margins.top, 2.5);
        EXPECT_DOUBLE_EQ(d.page.margins.left, 1.0);
        EXPECT_DOUBLE_EQ(d.page.margins.right, 1.0);
        EXPECT_DOUBLE_EQ(d.page.margins.bottom, 0.75);
    }
    const doc::Document letter = build("PrintLogbookCorrespondence", {{ArgLogId, id}});
    EXPECT_DOUBLE_EQ(letter.page.margins.left, 1.25);
    EXPECT_DOUBLE_EQ(letter.page.margins.top, 2.1);
}

TEST_F(ReportLetters, CorrespondenceNeedsTheCategoryLetter) {
    const qint64 id = add(booking());
    EXPECT_EQ(refusal("PrintLogbookCorrespondence", {{ArgLogId, id}}), MsgNoCorrespondence);

    Category c = *GetLogTypeFlags(env.db(), diningId);
    UpdateConfText(*env.ctx, c, "W text", "V text",
                   QString("Thank you for staying with us, {señor}."));
    const QString t = text("PrintLogbookCorrespondence", id);
    EXPECT_TRUE(t.contains("Dear Pat Smith,\nThank you for staying with us, {señor}."))
        << t.toStdString();
    EXPECT_FALSE(t.contains("W text"));
    EXPECT_FALSE(t.contains("Your Request:"));
}

// Bulk confirmations --------------------------------------------------------

TEST_F(ReportLetters, ArrivalsPrintOneLetterPerEntryInTheGivenOrder) {
    const qint64 a = add(booking("Åberg"));
    const qint64 b = add(booking("Núñez"));
    const qint64 c = add(booking("Müller"));
    const doc::Document d = build("PrintGuestArrivals", {{ArgLogIds, ids({c, a, b})}});
    int breaks = 0;
    for (const doc::Block& block : d.body)
        breaks += std::holds_alternative<doc::PageBreak>(block) ? 1 : 0;
    EXPECT_EQ(breaks, 2);
    const QString t = doc::PlainText(d);
    const qsizetype posC = t.indexOf("Dear Pat Müller,"), posA = t.indexOf("Dear Pat Åberg,"),
                    posB = t.indexOf("Dear Pat Núñez,");
    ASSERT_GE(posC, 0);
    EXPECT_LT(posC, posA);
    EXPECT_LT(posA, posB);
}

TEST_F(ReportLetters, ArrivalsMarkOnlyThePrintedEntriesNotified) {
    setText("BulkPrintNotify", "Letter in room");
    const qint64 a = add(booking("Adams"));
    const qint64 b = add(booking("Brown"));
    const qint64 untouched = add(booking("Clark"));
    LogEntry called = booking("Davis");
    called.notified = "Telephone";
    const qint64 d = add(called);

    flag("UnNotifiedOnly", true);
    const QString t = text("PrintGuestArrivals", {{ArgLogIds, ids({a, d, b})}});
    EXPECT_FALSE(t.contains("Davis")); // notified already: left out
    EXPECT_EQ(notifiedOf(env.db(), a), "Letter in room");
    EXPECT_EQ(notifiedOf(env.db(), b), "Letter in room");
    EXPECT_EQ(notifiedOf(env.db(), d), "Telephone");
    EXPECT_EQ(notifiedOf(env.db(), untouched), "");

    // Without the switch every chosen entry is printed and marked.
    flag("UnNotifiedOnly", false);
    EXPECT_TRUE(text("PrintGuestArrivals", {{ArgLogIds, ids({d})}}).contains("Dear Pat Davis,"));
    EXPECT_EQ(notifiedOf(env.db(), d), "Letter in room");
}

TEST_F(ReportLetters, NothingIsMarkedWhenNoDocumentWasBuilt) {
    setText("BulkPrintNotify", "Letter in room");
    flag("UnNotifiedOnly", true);
    LogEntry called = booking("Davis");
    called.notified = "Telephone";
    const qint64 d = add(called);
    EXPECT_EQ(refusal("PrintGuestArrivals", {{ArgLogIds, ids({d})}}), MsgAllNotified);
    EXPECT_EQ(refusal("PrintGuestArrivals", {{ArgLogIds, ids({9901, 9902})}}),
              MsgEntryNotFound(9901, LogSource::Current));
    EXPECT_EQ(refusal("PrintGuestArrivals", {{ArgLogIds, QVariantList{}}}), MsgNoEntriesChosen);
    EXPECT_EQ(notifiedOf(env.db(), d), "Telephone");
}

TEST_F(ReportLetters, BlankNotifySettingLeavesWhatTheDeskWrote) {
    setText("BulkPrintNotify", "");
    LogEntry called = booking("Davis");
    called.notified = "Telephone";
    const qint64 d = add(called);
    EXPECT_TRUE(text("PrintGuestArrivals", {{ArgLogIds, ids({d})}}).contains("Dear Pat Davis,"));
    EXPECT_EQ(notifiedOf(env.db(), d), "Telephone");
}

TEST_F(ReportLetters, ArchivedArrivalsAreReadAndMarkedInTheArchive) {
    setText("BulkPrintNotify", "Letter in room");
    const qint64 current = add(booking("Current"));
    Database& archive = *env.ctx->archive;
    const qint64 old = archive.insert(
        "INSERT INTO [LogBook] ([FirstName], [LastName], [EntryType], [ReferDate], [ReferTime], "
        "[NoteField], [Notified], [Complete]) VALUES ('Zoë', 'Archer', 'Dining', '2025/12/31', "
        "'20:00', 'New year dinner', ' ', ?)",
        {true}, "LogID");
    const QString t = text("PrintGuestArrivals", {{ArgLogIds, ids({old})}, {ArgArchive, true}});
    EXPECT_TRUE(t.contains("Dear Zoë Archer,")) << t.toStdString();
    EXPECT_TRUE(t.contains("New year dinner"));
    EXPECT_FALSE(t.contains("Current"));
    EXPECT_EQ(notifiedOf(archive, old), "Letter in room");
    EXPECT_EQ(notifiedOf(env.db(), current), "");
}
