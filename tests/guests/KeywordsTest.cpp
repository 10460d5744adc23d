#include "guests/Keywords.h"
#include "app/forms/frmSearch.h"
#include "core/Databases.h"
#include "guests/forms/KeywordsPage.h"
#include "guests/forms/ListsModule.h"
#include "support/ScreenDriver.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {

class Keywords : public ::testing::Test {
protected:
    void SetUp() override { env.openOrFail(); }

    qint64 contact(const QString& name, const QString& keywordSet) {
        return env.ctx->contactsDb().insert(
            "INSERT INTO [Contact] ([ContactName], [KeywordSet], [CommissionType]) "
            "VALUES (?, ?, '0')",
            {name, keywordSet}, "ContactID");
    }
    QString setOf(qint64 id) {
        return env.ctx->contactsDb()
            .scalar("SELECT [KeywordSet] FROM [Contact] WHERE [ContactID] = ?", {id})
            .toString();
    }
    void add(const QStringList& keywords) {
        for (const QString& k : keywords)
            ASSERT_EQ(InsertKeyword(*env.ctx, k), "") << k.toStdString();
    }
    qint64 idOf(const QString& keyword) {
        for (const KeywordRow& k : GetMntKeywords(*env.ctx))
            if (k.keyword == keyword) return k.id;
        return 0;
    }
    void openShared() { env.openShared(); }

    TestEnv env;
};

// The sub-page on screen, driven by its controls' names.
struct Page {
    explicit Page(AppContext& ctx) : page(ctx) {
        page.show();
        list = page.findChild<QListWidget*>("lstKeywords");
        keyword = page.findChild<QLineEdit*>("txtKeyword");
        replaceWith = page.findChild<QLineEdit*>("txtReplaceWith");
        addButton = page.findChild<QPushButton*>("cmdAddKeyword");
    }
    QStringList listed() const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    void select(const QString& k) {
        const auto items = list->findItems(k, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << k.toStdString();
        list->setCurrentItem(items.first());
    }
    void type(QLineEdit* box, const QString& text) {
        box->clear();
        QTest::keyClicks(box, text);
    }
    bool inUseShown() const {
        for (const char* n : {"lblFound", "lblCount", "lblUsing", "lblWillNot"})
            if (!page.findChild<QLabel*>(n)->isVisible()) return false;
        return true;
    }
    QString count() const { return page.findChild<QLabel*>("lblCount")->text(); }
    void click(const char* name) { screen::click(page, name); }
    KeywordsPage page;
    QListWidget* list;
    QLineEdit *keyword, *replaceWith;
    QPushButton* addButton;
};

} // namespace

TEST(KeywordSets, RewriteSwapsWholeItemsOnlyAndNeverListsAnItemTwice) {
    struct Case {
        const char *set, *from, *to, *expected;
    };
    const Case cases[] = {
        {"Dinner,Italian", "Italian", "Pasta", "Dinner, Pasta"},
        {" Bar ,  Barbecue, Wine Bar", "Bar", "Pub", "Pub, Barbecue, Wine Bar"},
        {"bar, Dinner", "Bar", "Pub", "Pub, Dinner"},
        {"Bar, Pub, Dinner", "Bar", "Pub", "Pub, Dinner"},
        {"Pub, Dinner, Bar", "Bar", "Pub", "Pub, Dinner"},
        {"Dinner,, Bar,", "Bar", "Pub", "Dinner, Pub"},
        {"Dinner", "Bar", "Pub", "Dinner"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RewriteKeywordSet(c.set, c.from, c.to), c.expected) << c.set;
    EXPECT_EQ(KeywordItems(" a, ,b ,"), QStringList({"a", "b"}));
}

TEST_F(Keywords, AddRefusesBlanksAndKeywordsAlreadyListedInAnyCase) {
    EXPECT_EQ(InsertKeyword(*env.ctx, "  "), MsgBlankKeyword);
    add({"Italian", "Dinner"});
    EXPECT_EQ(InsertKeyword(*env.ctx, " ITALIAN "), MsgKeywordExists);
    EXPECT_EQ(GetAllKeywords(*env.ctx), QStringList({"Dinner", "Italian"}));
}

TEST_F(Keywords, ReplaceRenamesTheKeywordAndRewritesTheSetsThatHoldIt) {
    add({"Bar", "Dinner"});
    const qint64 a = contact("A", "Bar, Dinner");
    const qint64 b = contact("B", "Barbecue, Wine Bar");
    const qint64 c = contact("C", "Dinner,bar");
    EXPECT_EQ(ReplaceKeyword(*env.ctx, " ", "Pub"), MsgBlankReplaceKeyword);
    EXPECT_EQ(ReplaceKeyword(*env.ctx, "Tavern", "Pub"), MsgKeywordUnknown);
    int rewritten = -1;
    ASSERT_EQ(ReplaceKeyword(*env.ctx, "Bar", "Pub", &rewritten), "");
    EXPECT_EQ(rewritten, 2);
    EXPECT_EQ(setOf(a), "Pub, Dinner");
    EXPECT_EQ(setOf(b), "Barbecue, Wine Bar");
    EXPECT_EQ(setOf(c), "Dinner, Pub");
    EXPECT_EQ(GetAllKeywords(*env.ctx), QStringList({"Dinner", "Pub"}));
}

TEST_F(Keywords, ReplacingWithAKeywordAlreadyListedMergesTheTwo) {
    add({"Bar", "Pub", "Dinner"});
    const qint64 pubId = idOf("Pub");
    const qint64 both = contact("Both", "Bar, Pub, Dinner");
    const qint64 one = contact("One", "Bar");
    ASSERT_EQ(ReplaceKeyword(*env.ctx, "Bar", "PUB"), "");
    EXPECT_EQ(GetAllKeywords(*env.ctx), QStringList({"Dinner", "Pub"}));
    EXPECT_EQ(idOf("Pub"), pubId);
    EXPECT_EQ(setOf(both), "Pub, Dinner");
    EXPECT_EQ(setOf(one), "Pub"); // the listed spelling
    // A keyword may change its own case.
    ASSERT_EQ(ReplaceKeyword(*env.ctx, "dinner", "DINNER"), "");
    EXPECT_EQ(GetAllKeywords(*env.ctx), QStringList({"DINNER", "Pub"}));
    EXPECT_EQ(setOf(both), "Pub, DINNER");
}

TEST_F(Keywords, DeleteIsRefusedWhileAContactHoldsTheKeywordAsAWholeItem) {
    add({"Bar", "Spa"});
    contact("A", "Barbecue, Wine Bar");
    EXPECT_EQ(CountKeywordUse(*env.ctx, "Bar"), 0);
    const qint64 holder = contact("B", "Dinner, bar");
    EXPECT_EQ(CountKeywordUse(*env.ctx, "Bar"), 1);
    EXPECT_EQ(DeleteKeyword(*env.ctx, idOf("Bar")), 1);
    EXPECT_EQ(GetAllKeywords(*env.ctx), QStringList({"Bar", "Spa"}));
    env.ctx->contactsDb().exec("DELETE FROM [Contact] WHERE [ContactID] = ?", {holder});
    EXPECT_EQ(DeleteKeyword(*env.ctx, idOf("Bar")), 0);
    EXPECT_EQ(GetAllKeywords(*env.ctx), QStringList({"Spa"}));
}

TEST_F(Keywords, SharedContactsAreRewrittenInTheCommonDatabase) {
    openShared();
    add({"Dinner"});
    const qint64 shared = contact("Shared", "Dinner, Italian");
    // The property's own contact table is not the directory now.
    env.db().exec("INSERT INTO [Contact] ([ContactName], [KeywordSet]) VALUES ('Local', 'Dinner')");
    ASSERT_EQ(ReplaceKeyword(*env.ctx, "Dinner", "Supper"), "");
    EXPECT_EQ(setOf(shared), "Supper, Italian");
    EXPECT_EQ(env.db().scalar("SELECT [KeywordSet] FROM [Contact]").toString(), "Dinner");
    EXPECT_EQ(env.ctx->common->scalar("SELECT [Keyword] FROM [Keyword]").toString(), "Supper");
    EXPECT_EQ(CountKeywordUse(*env.ctx, "Supper"), 1);
}

TEST_F(Keywords, PageAddsReplacesAndShowsWhyAKeywordInUseStays) {
    Page p(*env.ctx);
    EXPECT_FALSE(p.inUseShown());
    p.click("cmdAddKeyword");
    EXPECT_EQ(env.prompt.last(), MsgBlankKeyword);
    p.type(p.keyword, "Bar");
    p.click("cmdAddKeyword");
    p.type(p.keyword, "Spa");
    p.click("cmdAddKeyword");
    EXPECT_EQ(p.listed(), QStringList({"Bar", "Spa"}));
    EXPECT_EQ(p.keyword->text(), "");

    // Typing a replacement turns the button into "Replace".
    EXPECT_EQ(p.addButton->text(), "Add Keyword");
    const qint64 a = contact("A", "Bar, Dinner");
    const qint64 b = contact("B", "Bar");
    p.select("Bar");
    EXPECT_EQ(p.keyword->text(), "Bar");
    p.type(p.replaceWith, "Pub");
    EXPECT_EQ(p.addButton->text(), "Replace");
    p.click("cmdAddKeyword");
    EXPECT_EQ(p.listed(), QStringList({"Pub", "Spa"}));
    EXPECT_EQ(setOf(a), "Pub, Dinner");
    EXPECT_EQ(setOf(b), "Pub");
    EXPECT_EQ(p.addButton->text(), "Add Keyword");

    // In use: the page says so and nothing is deleted.
    p.select("Pub");
    p.click("cmdDelete");
    EXPECT_TRUE(p.inUseShown());
    EXPECT_EQ(p.count(), "2");
    EXPECT_EQ(p.listed(), QStringList({"Pub", "Spa"}));
    // Unused: asked first; No keeps it, Yes deletes it.
    p.select("Spa");
    EXPECT_FALSE(p.inUseShown());
    env.prompt.answer(Answer::No);
    p.click("cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgDeleteKeyword);
    EXPECT_EQ(p.listed(), QStringList({"Pub", "Spa"}));
    env.prompt.answer(Answer::Yes);
    p.click("cmdDelete");
    EXPECT_EQ(p.listed(), QStringList({"Pub"}));
    p.list->setCurrentItem(nullptr);
    p.click("cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgSelectKeywordToDelete);
    // An unknown keyword cannot be replaced.
    p.type(p.keyword, "Tavern");
    p.type(p.replaceWith, "Inn");
    p.click("cmdAddKeyword");
    EXPECT_EQ(env.prompt.last(), MsgKeywordUnknown);
    // Keywords added elsewhere are there when the page shows again.
    p.page.hide();
    add({"Museum"});
    p.page.show();
    EXPECT_EQ(p.listed(), QStringList({"Museum", "Pub"}));
}

TEST_F(Keywords, TheSubPageIsOnTheAdministrationTab) {
    frmSearch window(*env.ctx);
    InstallContactLists(*env.ctx, window);
    auto* pages = window.findChild<QTabWidget*>("tabAdministration");
    ASSERT_TRUE(pages);
    int at = -1;
    for (int i = 0; i < pages->count(); ++i)
        if (pages->tabText(i) == "Contact List Keywords") at = i;
    ASSERT_GE(at, 0);
    EXPECT_TRUE(pages->widget(at)->findChild<QListWidget*>("lstKeywords"));
}
