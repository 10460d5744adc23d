#include "LogbookFixture.h"

#include "core/Settings.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "security/Logon.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrlQuery>

using namespace vm;
using namespace vm::test;

namespace {

LogEntry Booking() {
    LogEntry e;
    e.logId = 42;
    e.firstName = "Pat";
    e.lastName = "Smith";
    e.roomNumber = "401";
    e.entryType = "Dining";
    e.arrivalDate = "2026/03/14";
    e.referDate = "2026/03/15";
    e.referTime = "19:30";
    e.text = "Table for two (AD 2026/03/14 10:05) ~~~ Window seat (AD 2026/03/14 10:20)";
    return e;
}

} // namespace

class EntryLetter : public LogbookFixture {
protected:
    void correspondence(qint64 logTypeId, const QString& text) {
        env.db().exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                      "VALUES (?, 'LC', 1, ?)",
                      {logTypeId, text});
    }
};

TEST_F(EntryLetter, ConfirmationLayoutFollowsPrintLogIdAndPrintRoom) {
    LetterSettings s;
    const QString off = ComposeEntryLetter(EntryDocument::Confirmation, Booking(),
                                           "We look forward to your visit.", s, "Ann Desk");
    EXPECT_EQ(off, "Dear Pat Smith,\r\n\r\nArriving: Saturday, March 14, 2026\r\n"
                   "Date: Sunday, March 15, 2026 at 07:30 PM\r\n\r\n"
                   "We look forward to your visit.\r\n\r\nSincerely, \r\n\r\n\r\n" +
                       QString(40, '_') + "\r\nAnn Desk\r\n");

    s.printLogId = s.printRoom = true;
    const QString on =
        ComposeEntryLetter(EntryDocument::Confirmation, Booking(), "See you.", s, "Ann Desk");
    EXPECT_TRUE(on.contains("\r\nLogbook ID: 42\r\nRoom Number: 401\r\nArriving: "));
    EXPECT_FALSE(off.contains("Logbook ID") || off.contains("Room Number"));
}

TEST_F(EntryLetter, ValedictionSettingReplacesTheDocumentDefaults) {
    EXPECT_TRUE(LoadLetterSettings(env.db()).valediction.isEmpty());
    LetterSettings s = LoadLetterSettings(env.db());
    EXPECT_TRUE(ComposeEntryLetter(EntryDocument::VendorRequest, Booking(), {}, s, "Ann")
                    .contains("\r\nThank you, \r\n"));
    EXPECT_TRUE(ComposeEntryLetter(EntryDocument::GuestRequest, Booking(), {}, s, "Ann")
                    .contains("\r\nSincerely, \r\n"));

    ASSERT_TRUE(SetTextSetting(env.db(), "Valediction", "Warm regards,"));
    ASSERT_TRUE(SetBooleanSetting(env.db(), "PrintLogID", true));
    s = LoadLetterSettings(env.db());
    EXPECT_TRUE(s.printLogId);
    EXPECT_FALSE(s.printRoom);
    for (EntryDocument d : {EntryDocument::VendorRequest, EntryDocument::Correspondence}) {
        const QString letter = ComposeEntryLetter(d, Booking(), "Text", s, "Ann");
        EXPECT_TRUE(letter.contains("\r\nWarm regards,\r\n"));
        EXPECT_FALSE(letter.contains("Thank you") || letter.contains("Sincerely"));
    }
}

TEST_F(EntryLetter, RequestsShowOneNotePerLineWithoutSignatures) {
    const QString vendor = ComposeEntryLetter(EntryDocument::VendorRequest, Booking(),
                                              "Please confirm.", {}, "Ann Desk");
    EXPECT_TRUE(vendor.startsWith("Guest: Pat Smith\r\n"));
    EXPECT_TRUE(vendor.contains("\r\nYour Request: Table for two\r\nWindow seat\r\n\r\n"
                                "Please confirm.\r\n"));
    EXPECT_FALSE(vendor.contains("~~~") || vendor.contains("(AD "));

    // The record keeps who wrote each note and when.
    const QString details = ComposeEntryLetter(EntryDocument::Details, Booking(), {}, {}, "Ann");
    EXPECT_TRUE(details.contains("\r\nNotes:\r\nTable for two (AD 2026/03/14 10:05)\r\n"
                                 "Window seat (AD 2026/03/14 10:20)\r\n"));

    const struct {
        QString text;
        QStringList notes;
    } cases[] = {
        {" (AD 2026/03/14 10:05)", {}},
        {"Party: 4\nTime: 8pm (AD 2026/03/14 10:05)", {"Party: 4\r\nTime: 8pm"}},
        {"Late check-out ~~~Post-Archive Note~~~ Paid (JB 2027/01/02 09:00)",
         {"Late check-out", "Paid"}},
        {" ~~Post-Archive Note~~ Found keys (JB 2027/01/02 09:00)", {"Found keys"}},
        {"Sign (for us) here", {"Sign (for us) here"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EntryNotes(c.text, false), c.notes) << c.text.toStdString();
}

TEST(EntryLetterMail, SubjectPerDocument) {
    EXPECT_EQ(MailSubject(EntryDocument::VendorRequest, "Hotel Aster"),
              "A Request from Hotel Aster");
    for (EntryDocument d : {EntryDocument::Confirmation, EntryDocument::GuestRequest,
                            EntryDocument::Correspondence, EntryDocument::Details})
        EXPECT_EQ(MailSubject(d, " Hotel Aster "), "Your Request - Hotel Aster");
    EXPECT_EQ(MailSubject(EntryDocument::Confirmation, ""), "Your Request");
}

TEST(EntryLetterMail, TempMailIsWrittenWholeOrNotAtAll) {
    QTemporaryDir dir;
    const QString path = WriteTempMail(dir.path(), "Dear Pat,\nSee you.");
    ASSERT_EQ(path, dir.filePath("TempMail.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              "As a TEMPORARY Solution --- CUT and PASTE the Text from this file.\r\n\r\n"
              "Dear Pat,\r\nSee you.");
    f.close();

    EXPECT_EQ(WriteTempMail(dir.filePath("missing/folder"), "x"), "");
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/folder/TempMail.txt")));
}

TEST_F(EntryLetter, UnsavedEntriesAndRightsAreRefusedWithTheirMessages) {
    LogEntry e = Booking();
    e.logId = 0;
    EXPECT_EQ(CheckEntryOutput(*env.ctx, e, EntryDocument::Details, OutputAction::Print),
              "You must <Save> this Logbook Entry before\r\nthe Logbook ID can be printed.");
    EXPECT_EQ(CheckEntryOutput(*env.ctx, e, EntryDocument::Details, OutputAction::Email),
              "You must <Save> this Logbook Entry before\r\nthe Logbook ID can be emailed.");

    correspondence(category("Dining"), "Thank you for dining with us.");
    const struct {
        EntryDocument d;
        int position;
        QString refusal;
    } cases[] = {
        {EntryDocument::Details, 13, "You are not authorized to print Logbook Details."},
        {EntryDocument::Correspondence, 13,
         "You are not authorized to print Logbook (Correspondence) Details."},
        {EntryDocument::VendorRequest, 14,
         "You are not authorized to Print/Email the Vendor Service Request."},
        {EntryDocument::GuestRequest, 15,
         "You are not authorized to Print/Email the Guest Service Request."},
        {EntryDocument::Confirmation, 16,
         "You are not authorized to Print/Email the Guest Confirmation."},
        {EntryDocument::CustomForm, 16, "You are not authorized to Print/Email the Custom Form."},
    };
    for (const auto& c : cases) {
        const auto check = [&](OutputAction a) {
            return CheckEntryOutput(*env.ctx, Booking(), c.d, a);
        };
        grant(c.position, false);
        EXPECT_EQ(check(OutputAction::Print), c.refusal);
        EXPECT_EQ(check(OutputAction::Email), c.refusal);
        grant(c.position, true);
        EXPECT_EQ(check(OutputAction::Print), "") << c.position;
    }
}

TEST_F(EntryLetter, CorrespondenceNeedsTheCategorysText) {
    const qint64 dining = category("Dining");
    category("Spa");
    correspondence(dining, "Thank you for dining with us.");
    LogEntry spa = Booking();
    spa.entryType = "Spa";
    EXPECT_EQ(CheckEntryOutput(*env.ctx, spa, EntryDocument::Correspondence, OutputAction::Email),
              "There is no Correspondence definition for this Logbook Entry Type.");
    EXPECT_EQ(
        CheckEntryOutput(*env.ctx, Booking(), EntryDocument::Correspondence, OutputAction::Print),
        "");
}

TEST_F(EntryLetter, GuestViewerPrintsOnlyTheConfirmationWhenAllowed) {
    StartGuestSession(env.ctx->session);
    const auto check = [&](EntryDocument d, OutputAction a) {
        return CheckEntryOutput(*env.ctx, Booking(), d, a);
    };
    EXPECT_EQ(check(EntryDocument::Confirmation, OutputAction::Print), MsgGuestViewerNoPrint);

    ASSERT_TRUE(SetBooleanSetting(env.db(), "GuestPrintAbility", true));
    EXPECT_EQ(check(EntryDocument::Confirmation, OutputAction::Print), "");
    EXPECT_EQ(check(EntryDocument::Details, OutputAction::Print), MsgGuestViewerConfirmationOnly);
    EXPECT_EQ(check(EntryDocument::Confirmation, OutputAction::Email), MsgGuestViewerNoEmail);

    // A staff account named like the guest session is treated the same way.
    env.logOn(staffId);
    env.ctx->session.name = "guest viewer";
    EXPECT_EQ(check(EntryDocument::GuestRequest, OutputAction::Print),
              MsgGuestViewerConfirmationOnly);
}
