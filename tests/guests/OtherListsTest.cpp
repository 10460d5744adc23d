#include "guests/OtherLists.h"
#include "core/Databases.h"
#include "core/LongText.h"
#include "guests/forms/frmOtherData.h"
#include "support/ScreenDriver.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vm;
using namespace vm::test;

namespace {

class OtherLists : public ::testing::Test {
protected:
    void SetUp() override { env.openOrFail(); }

    qint64 addValue(const QString& type, const QString& value) {
        EXPECT_EQ(InsertOtherData(*env.ctx, type, value), "");
        for (const OtherValue& v : GetOtherData(*env.ctx, type))
            if (v.value == value) return v.id;
        return 0;
    }
    // A row of `table` holding `value` in each of `columns` (plus fixed extras).
    void use(Database& db, const QString& table, const QStringList& columns, const QString& value,
             const QString& extraColumn = {}, const QVariant& extraValue = {}) {
        QStringList names, marks;
        QVariantList values;
        for (const QString& c : columns) {
            names << "[" + c + "]";
            marks << "?";
            values << value;
        }
        if (!extraColumn.isEmpty()) {
            names << "[" + extraColumn + "]";
            marks << "?";
            values << extraValue;
        }
        db.exec("INSERT INTO [" + table + "] (" + names.join(", ") + ") VALUES (" +
                    marks.join(", ") + ")",
                values);
    }
    int holding(Database& db, const QString& table, const QString& column, const QString& value) {
        return db.scalar("SELECT COUNT(*) FROM [" + table + "] WHERE [" + column + "] = ?", {value})
            .toInt();
    }
    void openShared() { env.openShared(); }

    TestEnv env;
};

// The editor on screen, found and driven by its controls' names.
struct Editor {
    Editor(AppContext& ctx, const QString& type) : form(ctx, type) {
        form.show();
        list = form.findChild<QListWidget*>("lstValues");
        value = form.findChild<QLineEdit*>("txtValue");
        abbreviation = form.findChild<QLineEdit*>("txtAbbreviation");
    }
    void select(const QString& text) {
        const auto items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        list->setCurrentItem(items.first());
    }
    void click(const char* name) { screen::click(form, name); }
    QStringList values() const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    frmOtherData form;
    QListWidget* list = nullptr;
    QLineEdit* value = nullptr;
    QLineEdit* abbreviation = nullptr;
};

} // namespace

TEST_F(OtherLists, EveryListNamesAColumnThatExistsInItsDatabase) {
    const auto& lists = OtherListsWithEditor();
    ASSERT_EQ(lists.size(), 24u);
    QStringList types;
    for (const OtherListInfo& l : lists) {
        types << l.type;
        EXPECT_EQ(FindOtherList(l.type), &l);
        if (l.table.isEmpty()) continue;
        Database& db = OtherUseDb(*env.ctx, l);
        for (const QString& c : QStringList{l.column} + l.moreColumns)
            EXPECT_TRUE(db.columnExists(l.table, c))
                << (l.type + ": " + l.table + "." + c).toStdString();
    }
    EXPECT_EQ(types.join(","), "Area,Category,CCType,Contacted,Diary,Disposal,GroupMgr,KeyGroup,"
                               "Language,LFCategory,LFLocation,LFReturns,LFStorage,Notified,"
                               "ProType,Result,ResType,SalesMgr,Salutation,TaskType,TService,"
                               "TSVenue,Venue,Where");
    EXPECT_EQ(FindOtherList("VLKeyword"), nullptr);
    const OtherListInfo* venue = FindOtherList("TSVenue");
    EXPECT_EQ(venue->title, "Maintain Timed Services");
    EXPECT_EQ(venue->caption, "Timed Services Locations");
    EXPECT_EQ(FindOtherList("Disposal")->caption, "Lost/Found Dispositions");
    EXPECT_TRUE(FindOtherList("ProType")->abbreviation);
    EXPECT_FALSE(FindOtherList("Area")->abbreviation);
}

TEST_F(OtherLists, AddRefusesBlanksAndDuplicatesInAnyCaseAndStoresTheCleanedValue) {
    EXPECT_EQ(InsertOtherData(*env.ctx, "Area", "   "), MsgBlankValue);
    EXPECT_EQ(InsertOtherData(*env.ctx, "Area", "  Old \"Town\" | Port  "), "");
    EXPECT_EQ(InsertOtherData(*env.ctx, "Area", "old 'town' ! port"), MsgValueExists);
    // Another list may hold the same value.
    EXPECT_EQ(InsertOtherData(*env.ctx, "Venue", "Old 'Town' ! Port"), "");
    EXPECT_EQ(GetOtherValues(*env.ctx, "Area"), QStringList({"Old 'Town' ! Port"}));
    addValue("Area", "Beach");
    EXPECT_EQ(GetOtherValues(*env.ctx, "Area"), QStringList({"Beach", "Old 'Town' ! Port"}));

    const qint64 beach = GetOtherData(*env.ctx, "Area").front().id;
    EXPECT_EQ(UpdateOtherData(*env.ctx, "Area", beach, " "), MsgBlankChange);
    EXPECT_EQ(UpdateOtherData(*env.ctx, "Area", beach, "OLD 'TOWN' ! PORT"), MsgValueExists);
    EXPECT_EQ(UpdateOtherData(*env.ctx, "Venue", beach, "Dunes"), MsgSelectValueToChange);
    // A value may change its own case.
    EXPECT_EQ(UpdateOtherData(*env.ctx, "Area", beach, "BEACH"), "");
    EXPECT_EQ(GetOtherValues(*env.ctx, "Area"), QStringList({"BEACH", "Old 'Town' ! Port"}));
}

TEST_F(OtherLists, RenamingRewritesTheColumnTheListIsUsedInAndNothingElse) {
    Database& db = env.db();
    struct Case {
        QString type, table;
        QStringList columns; // columns holding the list's value
        QString lookAlike;   // a column of the same table that must keep the old text
    };
    const Case cases[] = {
        {"Disposal", "LostAndFound", {"Disposition"}, "Category"},
        {"LFCategory", "LostAndFound", {"Category"}, "Disposition"},
        {"LFLocation", "LostAndFound", {"LostLocation", "FoundLocation"}, "StoredLocation"},
        {"LFStorage", "LostAndFound", {"StoredLocation"}, "LostLocation"},
        {"KeyGroup", "KeyMaster", {"KeyGroupName"}, "Description"},
        {"Notified", "LogBook", {"Notified"}, "NoteField"},
        {"Salutation", "Profile", {"Salutation"}, "ProfileType"},
        {"Venue", "GroupSchedule", {"Venue"}, "Function"},
        {"Area", "Contact", {"DocumentLink"}, "City"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type.toStdString());
        const qint64 id = addValue(c.type, "Old " + c.type);
        use(db, c.table, c.columns, "Old " + c.type, c.lookAlike, "Old " + c.type);
        use(db, c.table, c.columns, "Other " + c.type);
        ASSERT_EQ(UpdateOtherData(*env.ctx, c.type, id, "New " + c.type), "");
        for (const QString& column : c.columns) {
            EXPECT_EQ(holding(db, c.table, column, "Old " + c.type), 0) << column.toStdString();
            EXPECT_EQ(holding(db, c.table, column, "New " + c.type), 1) << column.toStdString();
            EXPECT_EQ(holding(db, c.table, column, "Other " + c.type), 1);
        }
        EXPECT_EQ(holding(db, c.table, c.lookAlike, "Old " + c.type), 1);
        OtherValue renamed{id, "New " + c.type, {}};
        EXPECT_EQ(CountOtherUses(*env.ctx, c.type, renamed), int(c.columns.size()));
    }
}

TEST_F(OtherLists, LanguageRenamesOnlyLanguageSkillsNotOtherTexts) {
    Database& db = env.db();
    const qint64 id = addValue("Language", "French");
    auto piece = [&](qint64 key, const QString& kind, const QString& text) {
        db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                "VALUES (?, ?, 1, ?)",
                {key, kind, text});
    };
    piece(3, TextKind::StaffLanguage, "French");
    piece(4, TextKind::StaffLanguage, "French");
    piece(3, TextKind::ProfileNotes, "French");
    piece(9, TextKind::LetterTemplate, "French");
    EXPECT_EQ(CountOtherUses(*env.ctx, "Language", {id, "French", {}}), 2);
    ASSERT_EQ(UpdateOtherData(*env.ctx, "Language", id, "Francais"), "");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [EvConText] WHERE [EvConType] = 'L' AND "
                        "[NoteField] = 'Francais'")
                  .toInt(),
              2);
    EXPECT_EQ(GetECT(*env.ctx, 3, TextKind::ProfileNotes), "French");
    EXPECT_EQ(GetECT(*env.ctx, 9, TextKind::LetterTemplate), "French");
}

TEST_F(OtherLists, AreasAreCountedAndRenamedAmongTheSharedContacts) {
    openShared();
    Database& common = *env.ctx->common;
    ASSERT_EQ(&OtherUseDb(*env.ctx, *FindOtherList("Area")), &common);
    const qint64 id = addValue("Area", "Downtown");
    use(common, "Contact", {"DocumentLink"}, "Downtown", "ContactName", "Shared one");
    use(common, "Contact", {"DocumentLink"}, "Downtown", "ContactName", "Shared two");
    // The property's own (unused) contact table is not where areas are counted.
    use(env.db(), "Contact", {"DocumentLink"}, "Elsewhere");
    EXPECT_EQ(CountOtherUses(*env.ctx, "Area", {id, "Downtown", {}}), 2);
    EXPECT_EQ(DeleteOtherData(*env.ctx, "Area", id), 2);
    ASSERT_EQ(UpdateOtherData(*env.ctx, "Area", id, "City Centre"), "");
    EXPECT_EQ(holding(common, "Contact", "DocumentLink", "City Centre"), 2);
    EXPECT_EQ(holding(common, "Contact", "DocumentLink", "Downtown"), 0);
    // The list itself stays with the property.
    EXPECT_EQ(GetOtherValues(*env.ctx, "Area"), QStringList({"City Centre"}));
}

TEST_F(OtherLists, ServicesCountTheirCategoryAndLocationByKey) {
    const qint64 massage = addValue("TService", "Massage");
    const qint64 spa = addValue("TSVenue", "Spa");
    const qint64 unused = addValue("TService", "Yoga");
    env.db().exec("INSERT INTO [Services] ([ServiceName], [CategoryID], [LocationID]) VALUES "
                  "('Hot stones', ?, ?)",
                  {massage, spa});
    EXPECT_EQ(DeleteOtherData(*env.ctx, "TService", massage), 1);
    EXPECT_EQ(DeleteOtherData(*env.ctx, "TSVenue", spa), 1);
    // Renaming needs no rewrite: the service still names its category by key.
    ASSERT_EQ(UpdateOtherData(*env.ctx, "TService", massage, "Massages"), "");
    EXPECT_EQ(CountOtherUses(*env.ctx, "TService", {massage, "Massages", {}}), 1);
    EXPECT_EQ(DeleteOtherData(*env.ctx, "TService", unused), 0);
    EXPECT_EQ(GetOtherValues(*env.ctx, "TService"), QStringList({"Massages"}));
    // Lists used nowhere count nothing.
    const qint64 where = addValue("Where", "Lobby");
    EXPECT_EQ(CountOtherUses(*env.ctx, "Where", {where, "Lobby", {}}), 0);
}

TEST_F(OtherLists, EditorAddsChangesAndDeletesWithTheExactMessages) {
    Database& db = env.db();
    Editor e(*env.ctx, "Disposal");
    EXPECT_EQ(e.form.findChild<QLabel*>("lblCaption")->text(), "Lost/Found Dispositions");
    EXPECT_EQ(e.abbreviation, nullptr);

    e.click("cmdAdd");
    EXPECT_EQ(env.prompt.last(), MsgBlankValue);
    for (const char* v : {"Donated", "Discarded", "Returned"}) {
        QTest::keyClicks(e.value, v);
        e.click("cmdAdd");
        EXPECT_EQ(e.value->text(), "");
    }
    EXPECT_EQ(e.values(), QStringList({"Discarded", "Donated", "Returned"}));
    EXPECT_TRUE(e.form.listChanged());

    // Delete: nothing chosen, then used once, used twice, then unused (No, then Yes).
    e.list->setCurrentItem(nullptr);
    e.click("cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgSelectValueToDelete);
    use(db, "LostAndFound", {"Disposition"}, "Donated");
    e.select("Donated");
    e.click("cmdDelete");
    EXPECT_EQ(env.prompt.last(),
              "This value is being used in 1 entry.\r\nWe cannot delete it.  Thank you");
    use(db, "LostAndFound", {"Disposition"}, "Donated");
    e.click("cmdDelete");
    EXPECT_EQ(env.prompt.last(),
              "This value is being used in 2 entries.\r\nWe cannot delete it.  Thank you");
    // An item's category that happens to read like a disposition does not hold it.
    use(db, "LostAndFound", {"Category"}, "Discarded");
    e.select("Discarded");
    env.prompt.answer(Answer::No);
    e.click("cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgDeleteValue);
    env.prompt.answer(Answer::Yes);
    e.click("cmdDelete");
    EXPECT_EQ(e.values(), QStringList({"Donated", "Returned"}));

    // Change renames the records too.
    e.list->setCurrentItem(nullptr);
    e.click("cmdChange");
    EXPECT_EQ(env.prompt.last(), MsgSelectValueToChange);
    e.select("Donated");
    EXPECT_EQ(e.value->text(), "Donated");
    e.value->clear();
    QTest::keyClicks(e.value, "Returned");
    e.click("cmdChange");
    EXPECT_EQ(env.prompt.last(), MsgValueExists);
    e.value->clear();
    QTest::keyClicks(e.value, "Given to Charity");
    e.click("cmdChange");
    EXPECT_EQ(e.values(), QStringList({"Given to Charity", "Returned"}));
    EXPECT_EQ(e.list->currentItem()->text(), "Given to Charity");
    EXPECT_EQ(holding(db, "LostAndFound", "Disposition", "Given to Charity"), 2);
}

TEST_F(OtherLists, AFailedCountKeepsTheValueAndShowsTheError) {
    addValue("KeyGroup", "Front Desk");
    env.db().exec("DROP TABLE [KeyMaster]");
    Editor e(*env.ctx, "KeyGroup");
    e.select("Front Desk");
    e.click("cmdDelete"); // no question: the value counts as used
    ASSERT_FALSE(env.prompt.shown.isEmpty());
    EXPECT_TRUE(env.prompt.last().startsWith("Error: ")) << env.prompt.last().toStdString();
    EXPECT_EQ(env.prompt.shown.last().icon, Icon::Exclamation);
    EXPECT_EQ(GetOtherValues(*env.ctx, "KeyGroup"), QStringList({"Front Desk"}));
    EXPECT_FALSE(e.form.listChanged());
    // The store refuses the same way when called directly.
    const qint64 id = GetOtherData(*env.ctx, "KeyGroup").front().id;
    EXPECT_THROW(DeleteOtherData(*env.ctx, "KeyGroup", id), DbError);
    EXPECT_EQ(GetOtherValues(*env.ctx, "KeyGroup"), QStringList({"Front Desk"}));
    // A rename whose rewrite fails leaves the list as it was.
    EXPECT_THROW(UpdateOtherData(*env.ctx, "KeyGroup", id, "Back Office"), DbError);
    EXPECT_EQ(GetOtherValues(*env.ctx, "KeyGroup"), QStringList({"Front Desk"}));
}

TEST_F(OtherLists, ProfileTypesKeepAnAbbreviation) {
    Editor e(*env.ctx, "ProType");
    ASSERT_TRUE(e.abbreviation);
    EXPECT_EQ(e.abbreviation->placeholderText(), MsgNoAbbreviation);
    QTest::keyClicks(e.value, "Very Important");
    QTest::keyClicks(e.abbreviation, "VIP");
    e.click("cmdAdd");
    QTest::keyClicks(e.value, "Regular");
    e.click("cmdAdd");
    const auto rows = GetOtherData(*env.ctx, "ProType");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].value, "Regular");
    EXPECT_EQ(rows[0].abbreviation, "");
    EXPECT_EQ(rows[1].abbreviation, "VIP");

    e.select("Regular");
    EXPECT_EQ(e.abbreviation->text(), "");
    e.select("Very Important");
    EXPECT_EQ(e.abbreviation->text(), "VIP");
    e.abbreviation->clear();
    QTest::keyClicks(e.abbreviation, "V.I.P.");
    e.click("cmdChange");
    EXPECT_EQ(GetOtherData(*env.ctx, "ProType")[1].abbreviation, "V.I.P.");
    // Lists without an abbreviation never write one.
    addValue("Salutation", "Mr.");
    EXPECT_TRUE(env.db()
                    .scalar("SELECT [OtherValue1] FROM [Other] WHERE [OtherType] = 'Salutation'")
                    .isNull());
}

TEST_F(OtherLists, MaintainOtherListAnswersWhetherTheListChanged) {
    QWidget parent;
    auto driveEditor = [](const QString& add) {
        QTimer::singleShot(0, [add] {
            auto* dialog = qobject_cast<frmOtherData*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            if (!add.isEmpty()) {
                QTest::keyClicks(dialog->findChild<QLineEdit*>("txtValue"), add);
                dialog->findChild<QPushButton*>("cmdAdd")->click();
            }
            dialog->findChild<QPushButton*>("cmdClose")->click();
        });
    };
    driveEditor("");
    EXPECT_FALSE(MaintainOtherList(*env.ctx, "Venue", &parent));
    driveEditor("Ballroom");
    EXPECT_TRUE(MaintainOtherList(*env.ctx, "Venue", &parent));
    EXPECT_EQ(GetOtherValues(*env.ctx, "Venue"), QStringList({"Ballroom"}));
}
