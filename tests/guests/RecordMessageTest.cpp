#include "guests/RecordMessage.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "core/TextLog.h"
#include "guests/forms/frmEvtMessager.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vm;
using namespace vm::test;

namespace {

class RecordMessage : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        anna = env.addStaff("Anna Bell", "anna", "AB");
        carl = env.addStaff("Carl Dunn", "carl", "CD");
        env.logOn(anna);
    }

    qint64 contact() {
        Database& db = env.ctx->contactsDb();
        const qint64 id = db.insert(
            "INSERT INTO [Contact] ([ContactName], [NickName], [Address], [CrossStreets], [City], "
            "[State], [PostalCode], [Country], [KeywordSet], [CommissionType]) VALUES ('Luigi''s', "
            "'Ask for Mario', '12 Harbour St', 'at Pier 3', 'Portsmouth', 'NH', '03801', ' ', "
            "'Dinner', '0')",
            {}, "ContactID");
        const qint64 phone = db.insert("INSERT INTO [ContactType] ([ContactType], [TypeOfType], "
                                       "[Sequence]) VALUES ('Reservations', 'T', 2)",
                                       {}, "TypeID");
        const qint64 cell = db.insert("INSERT INTO [ContactType] ([ContactType], [TypeOfType], "
                                      "[Sequence]) VALUES ('Owner Cell', 'T', 1)",
                                      {}, "TypeID");
        db.exec("INSERT INTO [ContactData] ([ContactID], [TypeID], [ContactData], "
                "[PublicPrivate]) VALUES (?, ?, '(603) 555-0100', ?), (?, ?, '(603) 555-0199', ?)",
                {id, phone, false, id, cell, true});
        return id;
    }
    qint64 event(const QVariant& start) {
        return env.ctx->eventsDb().insert(
            "INSERT INTO [Event] ([EventName], [StartingDate], [ThroughDate], [EventTime], "
            "[Location], [LowPrice], [HighPrice], [EventType]) VALUES ('Jazz Night', ?, "
            "'2026/03/21', '8 PM', 'Music Hall', 25, 40, 'Concert')",
            {start}, "EventID");
    }

    TestEnv env;
    qint64 anna = 0, carl = 0;
};

// The dialog on screen, found and driven by its controls' names.
struct Messager {
    Messager(AppContext& ctx, RecordKind kind, qint64 id) : form(ctx, kind, id) {
        form.show();
        recipients = form.findChild<QListWidget*>("lstRecipients");
        text = form.findChild<QPlainTextEdit*>("txtMessage");
        date = form.findChild<QLineEdit*>("txtDeliverDate");
        time = form.findChild<QLineEdit*>("txtDeliverTime");
    }
    void pick(const QString& shown) {
        const auto items = recipients->findItems(shown, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << shown.toStdString();
        items.first()->setSelected(true);
    }
    void send() { QTest::mouseClick(form.findChild<QPushButton*>("cmdSend"), Qt::LeftButton); }
    frmEvtMessager form;
    QListWidget* recipients;
    QPlainTextEdit* text;
    QLineEdit *date, *time;
};

} // namespace

TEST_F(RecordMessage, ContactTextHasItsFieldsPublicExtrasAndNotesUnlessHidden) {
    const qint64 id = contact();
    PutECT(*env.ctx, id, TextKind::ContactNotes, "Closed Mondays\r\nCash only");
    const QString fields = "Please Note the following Contact information:\r\n"
                           "   Primary Name: Luigi's\r\n"
                           "   Contact Data: Ask for Mario\r\n"
                           "   Address: 12 Harbour St\r\n"
                           "   Cross Streets: at Pier 3\r\n"
                           "   Portsmouth, NH 03801\r\n"
                           "   Reservations: (603) 555-0100";
    EXPECT_EQ(BuildRecordMessageText(*env.ctx, RecordKind::Contact, id),
              fields + "\r\nNotes:\r\n   Closed Mondays\r\n   Cash only");
    SetBooleanSetting(env.db(), "HideCN", true);
    EXPECT_EQ(BuildRecordMessageText(*env.ctx, RecordKind::Contact, id), fields);
    // Hiding event notes does not hide contact notes, and the other way round.
    SetBooleanSetting(env.db(), "HideCN", false);
    SetBooleanSetting(env.db(), "HideEN", true);
    EXPECT_TRUE(BuildRecordMessageText(*env.ctx, RecordKind::Contact, id).endsWith("Cash only"));
    EXPECT_EQ(BuildRecordMessageText(*env.ctx, RecordKind::Contact, id + 100), "");
}

TEST_F(RecordMessage, EventTextShowsItsRunOrContinuousAndItsNotes) {
    const qint64 dated = event("2026/03/20");
    const qint64 continuous = event(QVariant(QMetaType::fromType<QString>()));
    PutECT(*env.ctx, dated, TextKind::EventNotes, "Bring ID");
    EXPECT_EQ(BuildRecordMessageText(*env.ctx, RecordKind::Event, dated),
              "Please Note the following Event information:\r\n"
              "   Event Name: Jazz Night\r\n"
              "   Starting Date: 03/20/2026\r\n"
              "   Through Date: 03/21/2026\r\n"
              "   Time: 8 PM\r\n"
              "   Location: Music Hall\r\n"
              "   Price: 25.00 - 40.00\r\n"
              "   Event Type: Concert\r\n"
              "Notes:\r\n"
              "   Bring ID");
    const QString c = BuildRecordMessageText(*env.ctx, RecordKind::Event, continuous);
    EXPECT_TRUE(c.contains("\r\n   Dates: Continuous\r\n")) << c.toStdString();
    EXPECT_FALSE(c.contains("Starting Date"));
    SetBooleanSetting(env.db(), "HideEN", true);
    EXPECT_FALSE(BuildRecordMessageText(*env.ctx, RecordKind::Event, dated).contains("Bring ID"));
}

TEST_F(RecordMessage, GroupAndProfileTextsLeaveOutWhatTheGuestDoesNotWantUsed) {
    const qint64 group = env.db().insert(
        "INSERT INTO [Group] ([GroupName], [Attendees], [ArrivalDate], [DepartureDate], "
        "[GroupMgr], [MeetingPlanner]) VALUES ('Dental Expo', 40, '2026/03/14', '2026/03/17', "
        "'Rita', 'Sam')",
        {}, "GroupID");
    EXPECT_EQ(BuildRecordMessageText(*env.ctx, RecordKind::Group, group),
              "Please Note the following Group information:\r\n"
              "   Group Name: Dental Expo\r\n"
              "   Attendees: 40\r\n"
              "   Arrival Date: 03/14/2026\r\n"
              "   Departure Date: 03/17/2026\r\n"
              "   Group Manager: Rita\r\n"
              "   Meeting Planner: Sam");
    const qint64 profile = env.db().insert(
        "INSERT INTO [Profile] ([Salutation], [FirstName], [LastName], [Address1S], [CityS], "
        "[HomePhone], [CellPhone], [DNUCellPhone], [EmailAddress]) VALUES ('Dr.', 'Ada', 'Stone', "
        "'1 Elm Rd', 'Dover', '555-0101', '555-0102', ?, 'ada@example.com')",
        {true}, "ProfileID");
    const QString p = BuildRecordMessageText(*env.ctx, RecordKind::Profile, profile);
    EXPECT_EQ(p, "Please Note the following Profile information:\r\n"
                 "   Name: Dr. Ada Stone\r\n"
                 "   Address: 1 Elm Rd\r\n"
                 "   Dover\r\n"
                 "   Home Phone: 555-0101\r\n"
                 "   E-Mail: ada@example.com");
    const std::pair<RecordKind, QString> kinds[] = {{RecordKind::Contact, "Contact Msg"},
                                                    {RecordKind::Profile, "Profile Msg"},
                                                    {RecordKind::Group, "Group Msg"},
                                                    {RecordKind::Event, "Event Msg"}};
    for (const auto& [kind, name] : kinds)
        EXPECT_EQ(RecordMessageKind(kind), name);
}

TEST_F(RecordMessage, GuestsRestrictedMembersAndNoMessagingAreRefusedBeforeTheDialog) {
    const qint64 id = contact();
    // A dialog that opened by mistake is closed and remembered.
    bool opened = false;
    auto watch = [&] {
        QTimer::singleShot(0, [&] {
            if (auto* d = QApplication::activeModalWidget()) {
                opened = true;
                d->close();
            }
        });
    };
    const QString refusal =
        "As a Guest or Restricted User you do not have the ability to use messaging.  Thank you.";
    env.ctx->session.guest = true;
    watch();
    SendRecordMessage(*env.ctx, RecordKind::Contact, id, nullptr);
    EXPECT_EQ(env.prompt.last(), refusal);
    env.ctx->session.guest = false;
    env.ctx->session.restricted = true;
    env.prompt.clear();
    SendRecordMessage(*env.ctx, RecordKind::Contact, id, nullptr);
    EXPECT_EQ(env.prompt.last(), refusal);
    env.ctx->session.restricted = false;
    SetBooleanSetting(env.db(), "NoMessaging", true);
    env.prompt.clear();
    SendRecordMessage(*env.ctx, RecordKind::Contact, id, nullptr);
    EXPECT_EQ(env.prompt.last(), refusal);
    QApplication::processEvents();
    EXPECT_FALSE(opened);

    // Allowed: the dialog opens with the record's text.
    SetBooleanSetting(env.db(), "NoMessaging", false);
    env.prompt.clear();
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmEvtMessager*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        shown = d->findChild<QPlainTextEdit*>("txtMessage")->toPlainText();
        d->findChild<QPushButton*>("cmdCancel")->click();
    });
    SendRecordMessage(*env.ctx, RecordKind::Contact, id, nullptr);
    EXPECT_TRUE(shown.startsWith("Please Note the following Contact information:\n   Primary "
                                 "Name: Luigi's\n"))
        << shown.toStdString();
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(RecordMessage, SendValidatesThenSaysPlainlyWhenMessagingIsNotInstalled) {
    Messager m(*env.ctx, RecordKind::Contact, contact());
    EXPECT_EQ(m.date->text(), "03/14/2026");
    EXPECT_EQ(m.time->text(), "09:30 AM");
    // Active members only, the service accounts left out.
    QStringList listed;
    for (int i = 0; i < m.recipients->count(); ++i)
        listed << m.recipients->item(i)->text();
    EXPECT_TRUE(listed.contains("Anna Bell (AB)"));
    EXPECT_TRUE(listed.contains("Carl Dunn (CD)"));

    m.send();
    EXPECT_EQ(env.prompt.last(), MsgSelectRecipients);
    m.pick("Carl Dunn (CD)");
    const QString prefilled = m.text->toPlainText();
    m.text->setPlainText("   ");
    m.send();
    EXPECT_EQ(env.prompt.last(), MsgEnterMessageText);
    m.text->setPlainText(prefilled);
    m.date->setText("02/30/2026");
    m.send();
    EXPECT_EQ(env.prompt.last(), MsgDeliverDate);
    m.date->setText("03/15/2026");
    m.time->setText("25:00");
    m.send();
    EXPECT_EQ(env.prompt.last(), MsgDeliverTime);
    m.time->setText("07:45 PM");
    m.send();
    EXPECT_EQ(env.prompt.last(), MsgMessagingNotInstalled);
    // Nothing typed is lost.
    EXPECT_TRUE(m.form.isVisible());
    EXPECT_EQ(m.text->toPlainText(), prefilled);
    EXPECT_FALSE(m.form.sent());
}

TEST_F(RecordMessage, AnInstalledSenderGetsExactlyWhatTheDialogHolds) {
    std::vector<StaffMessage> sent;
    bool accept = false;
    env.ctx->sendMessage = [&](AppContext&, const StaffMessage& m) {
        sent.push_back(m);
        return accept;
    };
    Messager m(*env.ctx, RecordKind::Event, event("2026/03/20"));
    m.pick("Carl Dunn (CD)");
    m.pick("Anna Bell (AB)");
    m.text->setPlainText("Two seats left\nfor tonight");
    m.date->setText("03/15/2026");
    m.time->setText("07:45 PM");
    // A store that could not send keeps the dialog open.
    m.send();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(m.form.isVisible());
    accept = true;
    m.send();
    ASSERT_EQ(sent.size(), 2u);
    const StaffMessage& s = sent.back();
    EXPECT_EQ(QSet<qint64>(s.recipients.begin(), s.recipients.end()), QSet<qint64>({anna, carl}));
    EXPECT_EQ(s.recipientNames.size(), 2);
    EXPECT_TRUE(s.recipientNames.contains("Anna Bell"));
    EXPECT_EQ(s.text, "Two seats left\r\nfor tonight");
    EXPECT_EQ(s.deliverAt, QDateTime(QDate(2026, 3, 15), QTime(19, 45)));
    EXPECT_EQ(s.kind, "Event Msg");
    EXPECT_TRUE(m.form.sent());
    EXPECT_FALSE(m.form.isVisible());
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(RecordMessage, ACardNumberIsAskedAboutAndLogged) {
    std::vector<StaffMessage> sent;
    env.ctx->sendMessage = [&](AppContext&, const StaffMessage& m) {
        sent.push_back(m);
        return true;
    };
    const QString log = env.databaseFolder() + SharedLogName;
    auto answerCard = [](const char* button) {
        QTimer::singleShot(0, [button] {
            QWidget* q = QApplication::activeModalWidget();
            ASSERT_TRUE(q && q->objectName() == "frmCCQuery");
            q->findChild<QPushButton*>(button)->click();
        });
    };
    for (const char* button : {"cmdYes", "cmdNo"}) {
        Messager m(*env.ctx, RecordKind::Contact, contact());
        m.pick("Carl Dunn (CD)");
        if (QString(button) == "cmdNo") m.pick("Anna Bell (AB)");
        m.text->setPlainText("Deposit on 4111 1111 1111 1111 please");
        answerCard(button);
        m.send();
    }
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].text, "Deposit on DELETED CC# please");
    EXPECT_EQ(sent[1].text, "Deposit on 4111 1111 1111 1111 please");
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(f.readAll());
    const QString tail =
        " on: Saturday, 03/14/2026 at 09:30 am at PC Named: " + env.ctx->workstation.computerName;
    EXPECT_TRUE(written.contains("User: Anna Bell Prevented a possible credit card number from "
                                 "being sent as a 'Message' to 'Carl Dunn'" +
                                 tail))
        << written.toStdString();
    EXPECT_TRUE(written.contains("User: Anna Bell Allowed a possible credit card number to be "
                                 "sent as a 'Message' for '"))
        << written.toStdString();
    EXPECT_TRUE(written.contains(" et. al.'" + tail)) << written.toStdString();
}
