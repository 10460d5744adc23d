// The news board: the items a new property starts with, rewriting one in
// place, and the boards of the main window driven by their controls.

#include "desk/NewsBoard.h"
#include "app/forms/Modules.h"
#include "app/forms/frmSearch.h"
#include "desk/forms/NewsBoardView.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QDockWidget>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <memory>

using namespace vm;
using namespace vm::test;

namespace {

class NewsBoard : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        member = env.addStaff("Zoe Zeal", "ZOE", "ZZ");
    }
    void TearDown() override { window.reset(); }

    std::vector<NewsItem> news() { return GetTheNews(env.db()); }

    // The main window with every module, `member` logged on.
    void startDesk() {
        EnsureApplication();
        InstallModuleHooks(*env.ctx);
        window = std::make_unique<frmSearch>(*env.ctx);
        InstallModules(*env.ctx, *window);
        window->setLogonHandler([this] {
            env.logOn(member);
            return true;
        });
        window->resize(1200, 800);
        window->Logon();
        ASSERT_TRUE(env.ctx->session.loggedOn());
    }
    NewsBoardView* dockedBoard() {
        auto* dock = window->findChild<QDockWidget*>("dockNews");
        return dock ? qobject_cast<NewsBoardView*>(dock->widget()) : nullptr;
    }
    // The editor a double-click on row `row` of `board` opens.
    frmNewsItem* doubleClick(NewsBoardView* board, int row) {
        QListWidgetItem* item = board->item(row);
        if (!item) return nullptr;
        const QRect r = board->visualItemRect(item);
        QTest::mouseClick(board->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(board->viewport(), Qt::LeftButton, {}, r.center());
        // A closed editor may still wait for its deletion: only an open one counts.
        for (frmNewsItem* editor : board->findChildren<frmNewsItem*>("frmNewsItem"))
            if (editor->isVisible()) return editor;
        return nullptr;
    }
    void clickCommand(const QString& objectName) {
        QAction* action = window->commandAction(objectName);
        ASSERT_TRUE(action) << objectName.toStdString();
        auto* bar = window->findChild<QToolBar*>("tbCommands");
        if (auto* button = qobject_cast<QAbstractButton*>(bar->widgetForAction(action)))
            button->click();
        else
            action->trigger();
    }

    TestEnv env;
    qint64 member = 0;
    std::unique_ptr<frmSearch> window;
};

TEST_F(NewsBoard, NewPropertyStartsWithFiveEmptyItemsThatAreRewrittenInPlace) {
    const auto start = news();
    ASSERT_EQ(start.size(), 5u);
    for (size_t i = 0; i < start.size(); ++i) {
        EXPECT_TRUE(start[i].text.isEmpty());
        EXPECT_FALSE(start[i].bold);
        if (i > 0) EXPECT_LT(start[i - 1].id, start[i].id) << "in id order";
    }

    NewsItem item{start[2].id, "Pool \"closed\" | Bar & Grill open", "#FF0000", true};
    ASSERT_TRUE(UpdateNewsBook(env.db(), item));
    const auto stored = GetNewsItem(env.db(), item.id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->text, "Pool 'closed' ! Bar & Grill open");
    EXPECT_EQ(stored->color, "#FF0000");
    EXPECT_TRUE(stored->bold);
    const auto after = news();
    ASSERT_EQ(after.size(), 5u);
    EXPECT_TRUE(after[1].text.isEmpty()) << "its neighbours stay as they were";
    EXPECT_TRUE(after[3].text.isEmpty());

    item.bold = false;
    item.text.clear();
    ASSERT_TRUE(UpdateNewsBook(env.db(), item));
    EXPECT_FALSE(GetNewsItem(env.db(), item.id)->bold);
    EXPECT_TRUE(GetNewsItem(env.db(), item.id)->text.isEmpty());

    item.id = after.back().id + 100;
    EXPECT_FALSE(UpdateNewsBook(env.db(), item));
    EXPECT_FALSE(GetNewsItem(env.db(), item.id));
    EXPECT_EQ(news().size(), 5u);
}

TEST_F(NewsBoard, MainWindowShowsTheItemsInTheirColoursAndADoubleClickEditsOne) {
    const auto items = news();
    // A colour kept as a decimal value (red in the low byte) reads as well.
    ASSERT_TRUE(UpdateNewsBook(env.db(), {items[1].id, "Pool closed", "255", true}));
    startDesk();
    window->show();
    NewsBoardView* board = dockedBoard();
    ASSERT_TRUE(board);
    ASSERT_EQ(board->count(), 5);
    EXPECT_EQ(board->item(1)->text(), "Pool closed");
    EXPECT_EQ(board->item(1)->foreground().color(), QColor(Qt::red));
    EXPECT_TRUE(board->item(1)->font().bold());
    EXPECT_FALSE(board->item(0)->font().bold());

    frmNewsItem* editor = doubleClick(board, 0);
    ASSERT_TRUE(editor);
    auto* text = editor->findChild<QLineEdit*>("txtNewsItem");
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->text().isEmpty());
    QTest::keyClicks(text, "Chef's special: bouillabaisse");
    editor->findChild<QAbstractButton*>("cmdColor")->click();
    auto* chooser = editor->findChild<QColorDialog*>("dlgNewsColor");
    ASSERT_TRUE(chooser);
    chooser->setCurrentColor(QColor(0, 0, 255));
    chooser->accept();
    EXPECT_EQ(editor->color(), QColor(0, 0, 255));
    editor->findChild<QCheckBox*>("chkBold")->click();
    editor->findChild<QAbstractButton*>("cmdOK")->click();

    const auto saved = GetNewsItem(env.db(), items[0].id);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->text, "Chef's special: bouillabaisse");
    EXPECT_EQ(saved->color, "#0000FF");
    EXPECT_TRUE(saved->bold);
    ASSERT_EQ(board->count(), 5);
    EXPECT_EQ(board->item(0)->text(), "Chef's special: bouillabaisse");
    EXPECT_EQ(board->item(0)->foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(board->item(0)->font().bold());

    // Cancel keeps the item as it was.
    editor = doubleClick(board, 1);
    ASSERT_TRUE(editor);
    editor->findChild<QLineEdit*>("txtNewsItem")->setText("Never saved");
    editor->findChild<QAbstractButton*>("cmdCancel")->click();
    EXPECT_EQ(GetNewsItem(env.db(), items[1].id)->text, "Pool closed");
    EXPECT_EQ(board->item(1)->text(), "Pool closed");
}

TEST_F(NewsBoard, CommandOpensTheBoardInAWindowOfItsOwnAndBothBoardsAgree) {
    startDesk();
    window->show();
    clickCommand("cmdNews");
    auto* note = window->findChild<frmNewsNote*>("frmNewsNote");
    ASSERT_TRUE(note);
    EXPECT_TRUE(note->isVisible());
    ASSERT_EQ(note->board()->count(), 5);
    clickCommand("cmdNews");
    EXPECT_EQ(window->findChildren<frmNewsNote*>().size(), 1) << "the open one comes forward";

    frmNewsItem* editor = doubleClick(note->board(), 4);
    ASSERT_TRUE(editor);
    editor->findChild<QLineEdit*>("txtNewsItem")->setText("Staff meeting at 3");
    editor->findChild<QAbstractButton*>("cmdOK")->click();
    EXPECT_EQ(note->board()->item(4)->text(), "Staff meeting at 3");
    EXPECT_EQ(dockedBoard()->item(4)->text(), "Staff meeting at 3");

    // The guest viewer reads the board but cannot rewrite it.
    env.ctx->session.guest = true;
    EXPECT_EQ(doubleClick(dockedBoard(), 4), nullptr);
}

} // namespace
