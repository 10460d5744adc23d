#include "DirectoryFixture.h"

#include "core/Settings.h"
#include "guests/forms/frmGetContact.h"
#include "platform/forms/DataGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace vm;
using namespace vm::test;
using namespace vm::test::dir;

namespace {

class ContactPicker : public DirectoryFixture {
protected:
    void SetUp() override {
        DirectoryFixture::SetUp();
        EnsureApplication();
    }
    // Opens the picker, lets `drive` work it (it must close it) and answers the choice.
    std::optional<qint64> pick(const std::function<void(QWidget&)>& drive) {
        bool shown = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == "frmGetContact" && w->isVisible()) {
                    poll.stop();
                    shown = true;
                    drive(*w);
                    return;
                }
        });
        poll.start();
        const std::optional<qint64> chosen = PickContact(*env.ctx, nullptr);
        EXPECT_TRUE(shown);
        return chosen;
    }
    static QStringList rows(QWidget& picker) {
        auto* grid = Named<DataGrid>(picker, "grdContacts");
        QStringList out;
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                cells << grid->cell(r, c);
            out << cells.join("|");
        }
        return out;
    }
};

} // namespace

TEST_F(ContactPicker, ByNameListsRankedRowsAndAnswersTheChosenOne) {
    add({.name = "Harbour Grill",
         .nick = "555-1234",
         .address = "1 Pier Rd",
         .city = "Boston",
         .keywords = "Dinner",
         .restaurantId = 12,
         .crossStreets = "Pier and Main"});
    const qint64 top =
        add({.name = "Harbour Top", .city = "Boston", .keywords = "Lunch", .ranking = 0});
    add({.name = "Elsewhere"});
    QStringList seen;
    QString title;
    const std::optional<qint64> chosen = pick([&](QWidget& p) {
        title = p.windowTitle();
        EXPECT_TRUE(Named<QRadioButton>(p, "optName")->isChecked());
        EXPECT_EQ(Named<QLabel>(p, "lblPrompt")->text(), "Enter Primary Name:");
        Named<QLineEdit>(p, "txtSearch")->setText("harbour");
        Press(p, "cmdSearch");
        seen = rows(p);
        Named<DataGrid>(p, "grdContacts")->selectKey(top);
        Press(p, "cmdSelect");
    });
    EXPECT_EQ(title, "Select Contact to Display");
    EXPECT_EQ(seen, QStringList({"Harbour Top|||Boston|Lunch",
                                 "Harbour Grill (OT)|555-1234|1 Pier Rd|Boston|Dinner"}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, top);
}

TEST_F(ContactPicker, CrossStreetsColumnFollowsTheSetting) {
    SetBooleanSetting(env.db(), "CrossStreets", true);
    const qint64 id = add({.name = "Harbour Grill",
                           .address = "1 Pier Rd",
                           .city = "Boston",
                           .crossStreets = "Pier and Main"});
    QStringList seen;
    const std::optional<qint64> chosen = pick([&](QWidget& p) {
        Named<QRadioButton>(p, "optAddress")->click();
        EXPECT_EQ(Named<QLabel>(p, "lblPrompt")->text(), "Enter Address Data:");
        auto* box = Named<QLineEdit>(p, "txtSearch");
        box->setText("pier");
        QTest::keyClick(box, Qt::Key_Return);
        seen = rows(p);
        // Enter on the grid chooses too.
        auto* grid = Named<DataGrid>(p, "grdContacts");
        grid->selectKey(id);
        QTest::keyClick(grid, Qt::Key_Return);
    });
    EXPECT_EQ(seen, QStringList({"Harbour Grill||1 Pier Rd|Pier and Main|Boston|"}));
    EXPECT_EQ(chosen, std::optional<qint64>(id));
}

TEST_F(ContactPicker, MissingInputIsSaidAndCancelChoosesNothing) {
    add({.name = "Alto", .keywords = "Dinner, Italian"});
    env.ctx->contactsDb().exec("INSERT INTO [Keyword] ([Keyword]) VALUES (?), (?)",
                               {"Italian", "Spa"});
    QStringList afterKeyword;
    const std::optional<qint64> chosen = pick([&](QWidget& p) {
        Press(p, "cmdSearch");
        Named<QRadioButton>(p, "optKeyword")->click();
        EXPECT_TRUE(Named<QLineEdit>(p, "txtSearch")->isHidden());
        auto* keywords = Named<QComboBox>(p, "cboKeyword");
        EXPECT_EQ(keywords->count(), 3); // blank, Italian, Spa
        Press(p, "cmdSearch");
        keywords->setCurrentText("Italian");
        Press(p, "cmdSearch");
        afterKeyword = rows(p);
        Press(p, "cmdCancel");
    });
    EXPECT_FALSE(chosen);
    EXPECT_EQ(env.prompt.texts().join("|").toStdString(),
              "Please enter the information you wish to use to filter your selections.|Please "
              "select the keyword you wish to use to filter your selections.");
    EXPECT_EQ(afterKeyword, QStringList({"Alto||||Dinner, Italian"}));
}

TEST_F(ContactPicker, TheGuestViewerAndMembersWithoutTheRightAreRefused) {
    add({.name = "Alto"});
    env.logOn(deskId); // without the search right
    EXPECT_FALSE(PickContact(*env.ctx, nullptr));
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Search for Contacts.");

    const qint64 viewer = env.addStaff("Guest Viewer", "guestviewer", "GV");
    setRights(viewer, "111111111111111");
    env.logOn(viewer);
    env.prompt.clear();
    EXPECT_FALSE(PickContact(*env.ctx, nullptr));
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Search for Contacts.");

    setRights(deskId, "111111111111110");
    env.logOn(deskId);
    env.prompt.clear();
    const std::optional<qint64> chosen = pick([&](QWidget& p) { Press(p, "cmdCancel"); });
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}
