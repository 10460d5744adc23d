#include "guests/ContactTypes.h"
#include "core/Databases.h"
#include "guests/OtherLists.h"
#include "guests/forms/frmContactType.h"
#include "platform/forms/DataGrid.h"
#include "support/ScreenDriver.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace vm;
using namespace vm::test;

namespace {

class ContactTypes : public ::testing::Test {
protected:
    void SetUp() override { env.openOrFail(); }

    qint64 type(const QString& name, const QString& kind, int sequence) {
        return InsertType(*env.ctx, {0, name, kind, sequence});
    }
    void entry(qint64 contactId, qint64 typeId, const QString& data) {
        env.ctx->contactsDb().exec("INSERT INTO [ContactData] ([ContactID], [TypeID], "
                                   "[ContactData], [PublicPrivate]) VALUES (?, ?, ?, ?)",
                                   {contactId, typeId, data, false});
    }
    QStringList listed() {
        QStringList out;
        for (const ContactTypeRow& t : GetContactTypes(*env.ctx))
            out << QString::number(t.sequence) + " " + t.name + " " + t.kind;
        return out;
    }
    int entries(qint64 typeId) {
        return env.ctx->contactsDb()
            .scalar("SELECT COUNT(*) FROM [ContactData] WHERE [TypeID] = ?", {typeId})
            .toInt();
    }
    void openShared() { env.openShared(); }

    TestEnv env;
};

// The editor on screen, driven by its controls' names.
struct TypeEditor {
    explicit TypeEditor(AppContext& ctx) : form(ctx) {
        form.show();
        grid = form.findChild<DataGrid*>("grdTypes");
        description = form.findChild<QLineEdit*>("txtDescription");
        sequence = form.findChild<QLineEdit*>("txtSequence");
    }
    QPushButton* button(const char* name) { return screen::control<QPushButton>(form, name); }
    void click(const char* name) { screen::click(form, name); }
    // A click in the middle of a wide option misses its text: click() as the keyboard would.
    void option(const char* name) { form.findChild<QRadioButton*>(name)->click(); }
    void select(qint64 key) { grid->selectKey(key); }
    void type(const QString& name, const QString& seq) {
        description->clear();
        sequence->clear();
        QTest::keyClicks(description, name);
        QTest::keyClicks(sequence, seq);
    }
    frmContactType form;
    DataGrid* grid;
    QLineEdit *description, *sequence;
};

} // namespace

TEST_F(ContactTypes, TypesListBySequenceAndResequenceKeepsTheirOrder) {
    type("Fax", "T", 30);
    type("E-Mail", "E", 10);
    type("Web Site", "I", 20);
    type("Pager", "O", 20);
    EXPECT_EQ(listed(), QStringList({"10 E-Mail E", "20 Web Site I", "20 Pager O", "30 Fax T"}));
    ResequenceTypes(*env.ctx);
    EXPECT_EQ(listed(), QStringList({"1 E-Mail E", "2 Web Site I", "3 Pager O", "4 Fax T"}));
}

TEST_F(ContactTypes, ATypeNeedsADescriptionASequenceAndAKind) {
    struct Case {
        QString name, kind;
        int sequence;
        QString refusal;
    };
    const Case cases[] = {
        {"  ", "T", 1, MsgTypeDescription},
        {"Fax", "T", 0, MsgTypeSequence},
        {"Fax", "", 1, MsgTypeKind},
        {"Fax", "X", 1, MsgTypeKind},
        {" Fax ", "O", 1, ""},
    };
    for (const Case& c : cases) {
        ContactTypeRow t{0, c.name, c.kind, c.sequence};
        EXPECT_EQ(CheckContactType(t), c.refusal) << c.name.toStdString() << c.kind.toStdString();
    }
    EXPECT_EQ(ContactTypeKindName("E"), "E-Mail Address");
    EXPECT_EQ(ContactTypeKindName("TE"), "");
}

TEST_F(ContactTypes, DeletingATypeTakesItsEntriesAlongButSparesLobbyDisplayTypes) {
    const qint64 fax = type("Fax", "T", 1);
    const qint64 mail = type("Lobby Mail", "E", 2);
    entry(1, fax, "555-0100");
    entry(2, fax, "555-0101");
    entry(1, mail, "a@example.com");
    EXPECT_EQ(CountTypeUse(*env.ctx, fax), 2);
    ASSERT_EQ(InsertOtherData(*env.ctx, "VLContact", "lobby mail"), "");
    EXPECT_TRUE(IsProtectedContactType(*env.ctx, "Lobby Mail"));
    EXPECT_FALSE(DeleteType(*env.ctx, mail));
    EXPECT_EQ(entries(mail), 1);
    EXPECT_TRUE(DeleteType(*env.ctx, fax));
    EXPECT_EQ(entries(fax), 0);
    EXPECT_EQ(listed(), QStringList({"2 Lobby Mail E"}));
}

TEST_F(ContactTypes, SharedContactsKeepTheirTypesInTheCommonDatabase) {
    openShared();
    const qint64 fax = type("Fax", "T", 1);
    entry(5, fax, "555-0100");
    EXPECT_EQ(env.ctx->common->scalar("SELECT COUNT(*) FROM [ContactType]").toInt(), 1);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [ContactType]").toInt(), 0);
    EXPECT_TRUE(DeleteType(*env.ctx, fax));
    EXPECT_EQ(env.ctx->common->scalar("SELECT COUNT(*) FROM [ContactData]").toInt(), 0);
}

TEST_F(ContactTypes, EditorSavesChangesAndDeletesThroughItsControls) {
    const qint64 fax = type("Fax", "T", 2);
    entry(1, fax, "555-0100");
    entry(2, fax, "555-0101");
    TypeEditor e(*env.ctx);
    EXPECT_EQ(e.grid->rowCount(), 1);

    // The checks have their own test; one refusal shows the editor passes them on.
    e.click("cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgTypeDescription);
    e.type("E-Mail", "1");
    e.option("optEmail");
    e.click("cmdSave");
    EXPECT_EQ(listed(), QStringList({"1 E-Mail E", "2 Fax T"}));
    EXPECT_EQ(e.grid->cell(0, 2), "E-Mail Address");
    EXPECT_EQ(e.description->text(), ""); // cleared for the next one
    EXPECT_TRUE(e.form.typesChanged());

    // Choosing a row loads it; saving changes that row.
    e.select(fax);
    EXPECT_EQ(e.description->text(), "Fax");
    EXPECT_TRUE(e.form.findChild<QRadioButton*>("optTelephone")->isChecked());
    e.type("Fax Line", "5");
    e.option("optOther");
    e.click("cmdSave");
    EXPECT_EQ(listed(), QStringList({"1 E-Mail E", "5 Fax Line O"}));

    e.click("cmdResequence");
    EXPECT_EQ(listed(), QStringList({"1 E-Mail E", "2 Fax Line O"}));

    // A type in use asks the cascade question; No keeps it, Yes deletes it and its entries.
    e.select(fax);
    ASSERT_TRUE(e.button("cmdDelete")->isEnabled());
    env.prompt.answer(Answer::No);
    e.click("cmdDelete");
    EXPECT_EQ(env.prompt.last(),
              "There are 2 entries using this Contact Type.  To Delete this Contact Type and all "
              "Entries using this type select <Yes>.  To Retain this Type select <No>.");
    EXPECT_EQ(entries(fax), 2);
    env.prompt.answer(Answer::Yes);
    e.click("cmdDelete");
    EXPECT_EQ(entries(fax), 0);
    EXPECT_EQ(listed(), QStringList({"1 E-Mail E"}));
    // An unused type asks the plain question.
    e.select(GetContactTypes(*env.ctx).front().id);
    env.prompt.answer(Answer::Yes);
    e.click("cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgDeleteType);
    EXPECT_TRUE(listed().isEmpty());
}

TEST_F(ContactTypes, ALobbyDisplayTypeCannotBeDeletedFromTheEditor) {
    const qint64 phone = type("Lobby Phone", "T", 1);
    const qint64 fax = type("Fax", "T", 2);
    ASSERT_EQ(InsertOtherData(*env.ctx, "VLContact", "Lobby Phone"), "");
    TypeEditor e(*env.ctx);
    EXPECT_FALSE(e.button("cmdDelete")->isEnabled()); // nothing chosen yet
    e.select(phone);
    EXPECT_FALSE(e.button("cmdDelete")->isEnabled());
    e.select(fax);
    EXPECT_TRUE(e.button("cmdDelete")->isEnabled());
    e.click("cmdClear");
    EXPECT_FALSE(e.button("cmdDelete")->isEnabled());
    EXPECT_EQ(e.sequence->text(), "");
}

TEST_F(ContactTypes, MaintainContactTypesAnswersWhetherTypesChanged) {
    QWidget parent;
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<frmContactType*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        d->findChild<QPushButton*>("cmdClose")->click();
    });
    EXPECT_FALSE(MaintainContactTypes(*env.ctx, &parent));
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<frmContactType*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        d->findChild<QPushButton*>("cmdResequence")->click();
        d->findChild<QPushButton*>("cmdClose")->click();
    });
    EXPECT_TRUE(MaintainContactTypes(*env.ctx, &parent));
}
