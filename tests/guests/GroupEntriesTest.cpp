#include "guests/Groups.h"
#include "logbook/DesignText.h"
#include "logbook/EntryRules.h"
#include "logbook/LogbookStore.h"
#include "support/TestEnv.h"

using namespace vm;
using namespace vm::test;

namespace {

class GroupEntries : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        env.logOn(env.addStaff("Dana Quill", "dquill", "DQ"));
    }

    // A category with a design of `labels`; answers its design.
    std::vector<DesignItem> category(const QString& name, bool restricted,
                                     const QStringList& labels, int numberLine = -1) {
        const qint64 id =
            env.db().insert("INSERT INTO [LogType]([LogType], [Restricted]) VALUES(?, ?)",
                            {name, restricted}, "LogTypeID");
        for (int i = 0; i < labels.size(); ++i)
            env.db().exec("INSERT INTO [DEDesign]([LogTypeID], [SequenceNo], [LabelText], "
                          "[EncryptThis]) VALUES(?, ?, ?, ?)",
                          {id, i + 1, labels[i], i == numberLine});
        return GetLogbookBackPanelItems(env.db(), id);
    }
    qint64 group() {
        Group g;
        g.name = "Medica";
        g.attendees = 20;
        g.arrivalDate = "2026/03/14";
        g.departureDate = "2026/03/18";
        return InsertGroup(*env.ctx, g);
    }
    // Saves a template as the template screen would: checked, then stored.
    qint64 save(qint64 groupId, const QString& name, const QString& category,
                const std::vector<DesignItem>& design, const QStringList& values,
                const QString& referTime) {
        TemplateInput in{name,
                         category,
                         "03/15/2026",
                         referTime,
                         design,
                         values,
                         DesignLinesOnly(design, values)};
        GroupTemplate t;
        const TemplateCheck check = CheckGroupLog(in, "$", t);
        EXPECT_EQ(check.refusal, "") << name.toStdString();
        t.groupId = groupId;
        return InsertGroupLog(*env.ctx, t);
    }
    std::vector<LogEntry> entriesOf(qint64 groupId) {
        std::vector<LogEntry> out;
        LogbookStore store(*env.ctx);
        for (const Row& r : env.db().query(
                 "SELECT [LogID] FROM [LogBook] WHERE [GroupID] = ? ORDER BY [LogID]", {groupId}))
            out.push_back(*store.GetTheLogEntry(r.number("LogID")));
        return out;
    }

    TestEnv env;
};

} // namespace

TEST_F(GroupEntries, ReferenceTimesInStandardOrMilitaryForm) {
    const std::vector<std::pair<QString, QString>> accepted = {
        {"1:10am", "01:10"},  {"3:00pm", "15:00"}, {"11:30pm", "23:30"}, {"1:10", "01:10"},
        {"14:00pm", "14:00"}, {"23:30", "23:30"},  {"12:00am", "00:00"}, {"", ""}};
    const auto design = category("Dining", false, {"Party Size:"});
    for (const auto& [typed, storedTime] : accepted) {
        GroupTemplate t;
        const TemplateCheck c = CheckGroupLog(
            {"Dinner", "Dining", "03/15/2026", typed, design, {"4"}, "Party Size: 4\r\n"}, "$", t);
        EXPECT_EQ(c.refusal, "") << typed.toStdString();
        EXPECT_EQ(t.referTime, storedTime) << typed.toStdString();
    }
    for (const QString typed : {"25:00", "9:75pm", "noon", "0:30pm"}) {
        GroupTemplate t;
        const TemplateCheck c = CheckGroupLog(
            {"Dinner", "Dining", "03/15/2026", typed, design, {"4"}, "Party Size: 4\r\n"}, "$", t);
        EXPECT_EQ(c.title, InvalidReferTimeTitle) << typed.toStdString();
        EXPECT_TRUE(c.refusal.startsWith("The time you entered '" + typed + "' is not valid."));
        EXPECT_TRUE(c.refusal.contains("Standard:  1:10am, 3:00pm,  11:30pm"));
        EXPECT_TRUE(c.refusal.contains("Military:  1:10,   14:00pm, 23:30"));
    }
}

TEST_F(GroupEntries, TemplateChecksRefuseInOrder) {
    const auto design = category("Tickets", false, {"Show:", "Seats:"}, 1);
    const QString numbers = NumberFieldMessage("$");
    struct Case {
        TemplateInput in;
        QString refusal;
    };
    const std::vector<Case> cases = {
        {{"", "Tickets", "03/15/2026", "", design, {"Opera", "2"}, "x"}, MsgTemplateName},
        {{"Gala", "", "03/15/2026", "", design, {"Opera", "2"}, "x"}, MsgNoType},
        {{"Gala", "Tickets", "", "", design, {"Opera", "2"}, "x"}, MsgTemplateDate},
        {{"Gala", "Tickets", "02/30/2026", "", design, {"Opera", "2"}, "x"}, MsgTemplateDate},
        {{"Gala", "Tickets", "03/15/2026", "", design, {"Opera", "two"}, "x"}, numbers},
        {{"Gala", "Tickets", "03/15/2026", "", design, {"", ""}, " "}, MsgTemplatePanel},
        {{"Gala", "Tickets", "03/15/2026", "", design, {"Opera", "$1,2.5-"}, "x"}, ""},
        // Text typed after the designed lines counts as content too.
        {{"Gala", "Tickets", "03/15/2026", "", design, {"", ""}, "Aisle please"}, ""},
    };
    for (const Case& c : cases) {
        GroupTemplate t;
        EXPECT_EQ(CheckGroupLog(c.in, "$", t).refusal, c.refusal) << c.in.logName.toStdString();
    }
}

TEST_F(GroupEntries, TemplatesKeepTheirValuesAndWholeText) {
    const auto design =
        category("Tours", false, {"Tour:", "Pick-up:", "Guide:", "Lang:", "Pax:", "Bus:", "Tip:"});
    const qint64 g = group();
    const QStringList values = {"Harbour", "Lobby", "Eli", "EN", "12", "B7", "Included"};
    const qint64 id = save(g, "City Tour", "Tours", design, values, "9:00am");
    auto t = GetGroupLog(*env.ctx, id);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->logData, values.mid(0, 6)); // six columns
    EXPECT_EQ(t->referDate, "2026/03/15");
    EXPECT_EQ(t->referTime, "09:00");
    // The seventh line lives in the whole text only, and reaches the entry.
    EXPECT_EQ(ReadDesignValue(TemplateEntryText(*t, design), "Tip:"), "Included");
    // A template of an older release has the six values alone.
    t->text.clear();
    EXPECT_EQ(TemplateEntryText(*t, design),
              "Tour: Harbour\r\nPick-up: Lobby\r\nGuide: Eli\r\nLang: EN\r\nPax: 12\r\nBus: "
              "B7\r\nTip: \r\n");
    t->logName = "Harbour Tour";
    EXPECT_TRUE(UpdateGroupLog(*env.ctx, *t));
    EXPECT_EQ(CountGroupLogs(*env.ctx, g), 1);
    EXPECT_EQ(GetGroupLogs(*env.ctx, g).front().second, "Harbour Tour");
    EXPECT_TRUE(DeleteGroupLog(*env.ctx, id));
    EXPECT_EQ(CountGroupLogs(*env.ctx, g), 0);
}

TEST_F(GroupEntries, EachTemplateGivesTheMemberAnEntryWithItsDesignValues) {
    const auto dining = category("Dining", false, {"Restaurant:", "Party Size:"}, 1);
    const auto spa = category("Spa", true, {"Treatment:", "Therapist:"});
    const qint64 g = group();
    save(g, "Welcome Dinner", "Dining", dining, {"Le Quai", "2"}, "7:30pm");
    save(g, "Arrival Massage", "Spa", spa, {"Deep Tissue", "Rhea"}, "");
    GroupGuest guest{0, "G-77", "Mira", "Olsen", "2026/03/14"};
    guest.profileId = env.db().insert(
        "INSERT INTO [Profile]([FirstName], [LastName], [GroupID]) VALUES('Mira', 'Olsen', ?)", {g},
        "ProfileID");
    env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(11, 5)));

    EXPECT_EQ(CreateGroupLogEntries(*env.ctx, g, guest), 2);
    const auto entries = entriesOf(g);
    ASSERT_EQ(entries.size(), 2u);
    // Made in LogName order.
    const LogEntry& massage = entries[0];
    const LogEntry& dinner = entries[1];
    EXPECT_EQ(massage.entryType, "Spa");
    EXPECT_TRUE(massage.restricted); // the category's flag, not a blanket false
    EXPECT_EQ(ReadDesignValue(massage.text, "Treatment:"), "Deep Tissue");
    EXPECT_EQ(ReadDesignValue(massage.text, "Therapist:"), "Rhea");
    EXPECT_EQ(dinner.entryType, "Dining");
    EXPECT_FALSE(dinner.restricted);
    EXPECT_EQ(ReadDesignValues(dinner.text, dining), QStringList({"Le Quai", "2"}));
    EXPECT_EQ(dinner.referDate, "2026/03/15");
    EXPECT_EQ(dinner.referTime, "19:30");
    for (const LogEntry& e : entries) {
        EXPECT_EQ(e.firstName, "Mira");
        EXPECT_EQ(e.lastName, "Olsen");
        EXPECT_EQ(e.guestId, "G-77");
        EXPECT_EQ(e.profileId, guest.profileId);
        EXPECT_EQ(e.arrivalDate, "2026/03/14");
        EXPECT_EQ(e.enteredBy, "Dana Quill");
        EXPECT_EQ(e.initials, "DQ");
        EXPECT_EQ(e.entryDate, "2026/03/14");
        EXPECT_EQ(e.entryTime, "11:05");
        EXPECT_FALSE(e.complete || e.cancelled || e.pending || e.onHold);
    }
    const auto links = env.db().query(
        "SELECT [CreationDate] FROM [ProfileGL] WHERE [ProfileID] = ? AND [GroupID] = ?",
        {guest.profileId, g});
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].text("CreationDate"), "2026/03/14");
    EXPECT_EQ(GroupLinkCaption(links[0].text("CreationDate")), "<-  Created 03/14/2026");

    // A walk-in without a profile gets the entries but no profile link; a
    // group without templates gives nothing.
    EXPECT_EQ(CreateGroupLogEntries(*env.ctx, g, {0, "", "Ari", "Vance", "2026/03/14"}), 2);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [ProfileGL]").toInt(), 1);
    EXPECT_EQ(CreateGroupLogEntries(*env.ctx, group(), guest), 0);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [ProfileGL]").toInt(), 1);
}
