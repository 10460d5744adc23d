// The Administration sub-page "Profile Indicators", driven through its controls.

#include "guests/forms/ProfileIndicatorsPage.h"
#include "app/forms/frmSearch.h"
#include "core/Settings.h"
#include "guests/ProfileFixture.h"
#include "guests/forms/ProfileIndicatorsModule.h"
#include "support/ScreenDriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {

class IndicatorsPage : public ProfileFixture {
protected:
    void SetUp() override {
        ProfileFixture::SetUp();
        EnsureApplication();
        grant(Rights::ProfilesIndicators);
        page = std::make_unique<ProfileIndicatorsPage>(*env.ctx);
        page->show();
    }

    template <class T = QWidget> T* find(const QString& name) {
        return screen::control<T>(*page, name);
    }
    void typeInto(const QString& box, const QString& text) { screen::type(*page, box, text); }
    void click(const QString& button) { screen::click(*page, button); }
    QStringList listed() {
        QStringList out;
        auto* list = find<QListWidget>("lstIndicators");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    void select(const QString& label) {
        auto* list = find<QListWidget>("lstIndicators");
        const auto items = list->findItems(label, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << label.toStdString();
        list->setCurrentItem(items[0]);
    }
    void add(const QString& name, const QString& sequence = {}) {
        typeInto("txtIndicator", name);
        typeInto("txtSequence", sequence);
        click("cmdAddIndicator");
    }
    bool inUseShown() { return !find<QLabel>("lblIndicatorInUse")->isHidden(); }
    Row indicator(qint64 id) {
        return *db().queryOne("SELECT * FROM [ProfilePI] WHERE [ProfilePIID] = ?", {id});
    }

    std::unique_ptr<ProfileIndicatorsPage> page;
};

} // namespace

TEST_F(IndicatorsPage, AddsTypesWithTheirPlaceAndRefusesBlankAndKnownNames) {
    QSignalSpy changed(page.get(), &ProfileIndicatorsPage::typesChanged);
    add("Pillow", "5");
    typeInto("txtEntryHint", "Morning paper");
    add("Newspaper");
    EXPECT_EQ(listed(), (QStringList{"0005 - Pillow", "1000 - Newspaper"}));
    EXPECT_EQ(GetPreferenceType(ctx(), "Newspaper")->hint, "Morning paper");
    EXPECT_EQ(changed.count(), 2);
    // The boxes are emptied for the next one.
    EXPECT_EQ(find<QLineEdit>("txtIndicator")->text(), "");
    EXPECT_EQ(find<QLineEdit>("txtEntryHint")->text(), "");

    add("   ");
    add("pillow", "9");
    EXPECT_EQ(env.prompt.texts(),
              (QStringList{"Cannot Add a Blank Indicator.",
                           "The Indicator already exists in the list of available indicators."}));
    EXPECT_EQ(listed(), (QStringList{"0005 - Pillow", "1000 - Newspaper"}));
    EXPECT_EQ(changed.count(), 2);
}

// What a replacement and an update write is the store's test; here the page
// switches its button, fills its boxes from the choice and shows the result.
TEST_F(IndicatorsPage, ReplaceAndUpdateWorkOnTheChosenType) {
    addType("Pilow", 5);
    page->refresh();
    select("0005 - Pilow");
    EXPECT_EQ(find<QLineEdit>("txtIndicator")->text(), "Pilow");
    EXPECT_EQ(find<QLineEdit>("txtSequence")->text(), "5");
    typeInto("txtReplaceWith", "Pillow");
    EXPECT_EQ(find<QPushButton>("cmdAddIndicator")->text(), "Replace");
    typeInto("txtSequence", "7");
    click("cmdAddIndicator");
    EXPECT_EQ(listed(), (QStringList{"0007 - Pillow"}));
    EXPECT_EQ(find<QPushButton>("cmdAddIndicator")->text(), "Add Indicator");

    select("0007 - Pillow");
    typeInto("txtIndicatorEmail", "housekeeping@example.com");
    find<QCheckBox>("chkIndicatorPrivate")->click();
    click("cmdUpdateSequence");
    EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("|").toStdString();
    select("0007 - Pillow");
    EXPECT_EQ(find<QLineEdit>("txtIndicatorEmail")->text(), "housekeeping@example.com");
    EXPECT_TRUE(find<QCheckBox>("chkIndicatorPrivate")->isChecked());
}

TEST_F(IndicatorsPage, DeleteShowsTheUsesOfATypeInUseAndAsksBeforeDeletingAnUnusedOne) {
    addType("Pillow", 5);
    addType("Newspaper", 6);
    const qint64 profile = insert(sample());
    InsertProfilePI(ctx(), profile, "Pillow", "Foam");
    InsertProfilePI(ctx(), insert(sample("Bob")), "Pillow", "Down");
    page->refresh();
    EXPECT_FALSE(inUseShown());

    click("cmdDeleteIndicator");
    EXPECT_EQ(env.prompt.texts(), QStringList{"Please select the Indicator you wish to delete."});

    select("0005 - Pillow");
    click("cmdDeleteIndicator");
    ASSERT_TRUE(inUseShown());
    EXPECT_EQ(find<QLabel>("lblIndicatorInUse")->text(),
              "We found 2 Profile entries using this Indicator.\nWe will Not Delete this "
              "Indicator. You may wish to Replace these entries with another Indicator.");
    EXPECT_EQ(env.prompt.texts().size(), 1); // no question asked
    select("0006 - Newspaper");
    EXPECT_FALSE(inUseShown());

    env.prompt.clear();
    env.prompt.answer(Answer::No);
    click("cmdDeleteIndicator");
    EXPECT_EQ(env.prompt.texts(), QStringList{"Press <Yes> to DELETE this Preference Type.\r\n"
                                              "Press <No> if you DO NOT wish to delete."});
    EXPECT_EQ(listed(), (QStringList{"0005 - Pillow", "0006 - Newspaper"}));
    select("0006 - Newspaper");
    env.prompt.answer(Answer::Yes);
    click("cmdDeleteIndicator");
    EXPECT_EQ(listed(), (QStringList{"0005 - Pillow"}));
    EXPECT_EQ(env.prompt.unusedAnswers(), 0);
}

TEST_F(IndicatorsPage, AMemberWithoutTheRightChangesNothing) {
    addType("Pillow", 5);
    page->refresh();
    grant(Rights::ProfilesIndicators, false);
    select("0005 - Pillow");
    typeInto("txtIndicator", "Duvet");
    for (const char* button : {"cmdAddIndicator", "cmdDeleteIndicator", "cmdUpdateSequence"})
        click(button);
    EXPECT_EQ(env.prompt.texts(), QStringList(3, "You are not authorized to Maintain Indicators."));
    EXPECT_EQ(listed(), (QStringList{"0005 - Pillow"}));
}

TEST_F(IndicatorsPage, TheSubPageIsOnTheAdministrationTab) {
    frmSearch window(*env.ctx);
    InstallProfileIndicators(*env.ctx, window);
    addType("Pillow", 5);
    Q_EMIT window.loggedOn();
    auto* pages = window.findChild<QTabWidget*>("tabAdministration");
    ASSERT_TRUE(pages);
    int at = -1;
    for (int i = 0; i < pages->count(); ++i)
        if (pages->tabText(i) == "Profile Indicators") at = i;
    ASSERT_GE(at, 0);
    auto* list = pages->widget(at)->findChild<QListWidget*>("lstIndicators");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "0005 - Pillow");
}
