// The Administration sub-page "Profile Indicators", driven through its controls.

#include "guests/forms/ProfileIndicatorsPage.h"
#include "app/forms/frmSearch.h"
#include "core/Settings.h"
#include "guests/ProfileFixture.h"
#include "guests/forms/ProfileIndicatorsModule.h"

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
        T* w = page->findChild<T*>(name);
        if (!w) throw std::runtime_error("no control named " + name.toStdString());
        return w;
    }
    void typeInto(const QString& box, const QString& text) {
        find<QLineEdit>(box)->clear();
        QTest::keyClicks(find<QLineEdit>(box), text);
    }
    void click(const QString& button) {
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    }
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
    EXPECT_EQ(find<QPushButton>("cmdAddIndicator")->text(), "Add Indicator");
    EXPECT_EQ(find<QPushButton>("cmdDeleteIndicator")->text(), "Delete");
    EXPECT_EQ(find<QPushButton>("cmdUpdateSequence")->text(),
              "Update Entry Hint, Email Address, Sequence and Private Flag");
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

TEST_F(IndicatorsPage, ReplaceMovesTheProfilesIndicatorsOntoTheNewType) {
    addType("Pilow", 5);
    const qint64 profile = insert(sample());
    const qint64 a = InsertProfilePI(ctx(), profile, "Pilow", "Foam");
    page->refresh();
    select("0005 - Pilow");
    EXPECT_EQ(find<QLineEdit>("txtIndicator")->text(), "Pilow");
    EXPECT_EQ(find<QLineEdit>("txtSequence")->text(), "5");
    typeInto("txtReplaceWith", "Pillow");
    EXPECT_EQ(find<QPushButton>("cmdAddIndicator")->text(), "Replace");
    typeInto("txtSequence", "7");
    find<QCheckBox>("chkIndicatorPrivate")->click();
    click("cmdAddIndicator");
    EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(listed(), (QStringList{"0007 - Pillow"}));
    EXPECT_EQ(indicator(a).text("PreferenceType"), "Pillow");
    EXPECT_TRUE(indicator(a).flag("PublicPrivate"));
    EXPECT_EQ(find<QPushButton>("cmdAddIndicator")->text(), "Add Indicator");

    typeInto("txtReplaceWith", " x");
    typeInto("txtIndicator", "Duvet");
    click("cmdAddIndicator");
    EXPECT_EQ(env.prompt.last(),
              "The Indicator to replace does not exist\r\nin the list of available Indicators.");
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

TEST_F(IndicatorsPage, UpdateChangesHintEmailSequenceAndFlagOfTheTypeAndItsIndicators) {
    addType("Pillow", 5);
    const qint64 a = InsertProfilePI(ctx(), insert(sample()), "Pillow", "Foam");
    page->refresh();
    select("0005 - Pillow");
    typeInto("txtEntryHint", "Foam or down");
    typeInto("txtIndicatorEmail", "housekeeping@example.com");
    typeInto("txtSequence", "");
    find<QCheckBox>("chkIndicatorPrivate")->click();
    click("cmdUpdateSequence");
    EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(listed(), (QStringList{"1000 - Pillow"}));
    const IndicatorType t = *GetPreferenceType(ctx(), "Pillow");
    EXPECT_EQ(t.hint, "Foam or down");
    EXPECT_EQ(t.email, "housekeeping@example.com");
    EXPECT_TRUE(t.isPrivate);
    EXPECT_EQ(indicator(a).number("SequenceNo"), 1000);
    EXPECT_TRUE(indicator(a).flag("PublicPrivate"));
    // Selecting it again shows what was stored.
    select("1000 - Pillow");
    EXPECT_EQ(find<QLineEdit>("txtIndicatorEmail")->text(), "housekeeping@example.com");
    EXPECT_TRUE(find<QCheckBox>("chkIndicatorPrivate")->isChecked());
}

TEST_F(IndicatorsPage, TheMandatoryGuestIdStaysAndAMemberWithoutTheRightChangesNothing) {
    addType("GuestID", 1);
    ASSERT_TRUE(SetBooleanSetting(db(), "UseGuestID", true));
    page->refresh();
    select("0001 - GuestID");
    click("cmdDeleteIndicator");
    typeInto("txtReplaceWith", "Guest Number");
    click("cmdAddIndicator");
    EXPECT_EQ(env.prompt.texts(), (QStringList{MsgGuestIdNoDelete, MsgGuestIdNoReplace}));
    EXPECT_EQ(listed(), (QStringList{"0001 - GuestID"}));

    grant(Rights::ProfilesIndicators, false);
    env.prompt.clear();
    typeInto("txtReplaceWith", "");
    typeInto("txtIndicator", "Pillow");
    for (const char* button : {"cmdAddIndicator", "cmdDeleteIndicator", "cmdUpdateSequence"})
        click(button);
    EXPECT_EQ(env.prompt.texts(), QStringList(3, "You are not authorized to Maintain Indicators."));
    EXPECT_EQ(listed(), (QStringList{"0001 - GuestID"}));
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
