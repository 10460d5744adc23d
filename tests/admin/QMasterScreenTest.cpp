// The Query Master window driven by its controls' names.

#include "admin/QMasterFixture.h"
#include "admin/forms/QueryMasterModule.h"
#include "admin/forms/frmQMaster.h"
#include "app/forms/frmSearch.h"
#include "support/ScreenDriver.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace vm::test {
namespace {

class QMasterScreen : public QMasterFixture {
protected:
    void SetUp() override {
        EnsureApplication();
        QMasterFixture::SetUp();
    }
    static void pick(QListWidget* list, const QString& text) {
        ASSERT_TRUE(list);
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.first());
    }
    static QStringList results(const frmQMaster& form) {
        QStringList out;
        auto* list = screen::control<QListWidget>(form, "lstResults");
        for (int i = 0; list && i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    // An option takes clicks on its circle and caption only: clicked as a whole.
    static void option(const frmQMaster& form, QueryKind kind) {
        for (int i = 0; i < QueryKinds().size(); ++i)
            if (QueryKinds()[i].first == kind)
                if (auto* b =
                        screen::control<QRadioButton>(form, "optQueryType" + QString::number(i)))
                    b->click();
    }
};

TEST_F(QMasterScreen, RunsQueriesChosenOnScreenAndRemovesOrphans) {
    entry(env.db(), 1, "2026/03/01", "AB");
    entry(env.db(), 2, "2026/03/01", "AB");
    text(env.db(), 1);
    text(env.db(), 9);
    frmQMaster form(*env.ctx);

    option(form, QueryKind::Duplicates);
    pick(screen::control<QListWidget>(form, "lstTables"), "LogBook");
    pick(screen::control<QListWidget>(form, "lstFields"), "EnteredBy");
    screen::click(form, "cmdRunQuery");
    EXPECT_EQ(results(form), QStringList({"AB, 2", QueryMaster::Footer(1)}));

    option(form, QueryKind::OrphanLogText);
    screen::click(form, "cmdRunQuery");
    EXPECT_EQ(results(form), QStringList({"9", QueryMaster::Footer(2)}));
    env.prompt.answer(Answer::Yes);
    screen::click(form, "cmdDelete");
    EXPECT_EQ(results(form).last(), "Log Text for Key: 9 deleted.");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText]"), 1);

    // The update query takes the value box's text, typed.
    EXPECT_EQ(screen::text(form, "txtValue"), ValuePlaceholder);
    option(form, QueryKind::Update);
    pick(screen::control<QListWidget>(form, "lstTables"), "LogBook");
    pick(screen::control<QListWidget>(form, "lstFields"), "EnteredBy");
    screen::type(form, "txtValue", "'; DROP TABLE [LogText]; --");
    env.prompt.answer(Answer::Yes);
    screen::click(form, "cmdRunQuery");
    EXPECT_EQ(results(form).first(), "Update Query Completed Successfully");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE [EnteredBy] = ?",
                    {"'; DROP TABLE [LogText]; --"}),
              2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText]"), 1);
}

TEST_F(QMasterScreen, SwitchesToTheArchiveAndComparesTheLogbooks) {
    entry(env.db(), 4);
    entry(archive(), 4);
    frmQMaster form(*env.ctx);
    screen::click(form, "cmdSelectDB");
    EXPECT_EQ(screen::control<QPushButton>(form, "cmdSelectDB")->text(), "Archive");
    auto* tables = screen::control<QListWidget>(form, "lstTables");
    ASSERT_TRUE(tables);
    EXPECT_TRUE(tables->findItems("MsgTimer", Qt::MatchExactly).isEmpty());
    EXPECT_FALSE(tables->findItems("LogBook", Qt::MatchExactly).isEmpty());

    env.prompt.answer(Answer::Yes);
    screen::click(form, "cmdTestArchive");
    EXPECT_EQ(results(form),
              QStringList({"4", "1 Found", "Logbook Entries for Key: 4 were deleted."}));
    EXPECT_EQ(count(archive(), "SELECT COUNT(*) FROM [LogBook]"), 0);

    screen::click(form, "cmdShowTest");
    EXPECT_TRUE(results(form).last().startsWith("ImportResortClubName: "));
}

TEST_F(QMasterScreen, AdministrationButtonOpensTheWindowForAuthorizedMembersOnly) {
    frmSearch window(*env.ctx);
    InstallQueryMaster(*env.ctx, window);
    screen::click(window, "cmdDatabaseMaintenance");
    EXPECT_TRUE(window.findChild<frmQMaster*>("frmQMaster"));

    env.logOn(env.addStaff("Ned Desk", "ned", "ND"));
    screen::click(window, "cmdDatabaseMaintenance");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to use the Database Maintenance Queries.");
}

} // namespace
} // namespace vm::test
