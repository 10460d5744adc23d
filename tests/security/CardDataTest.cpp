#include "security/CardData.h"
#include "SecurityFixture.h"
#include "core/CardKey.h"
#include "core/Settings.h"

#include <functional>

using namespace vm;
using namespace vm::test;

TEST(CardData, CardTypesByLengthAndPrefix) {
    struct Case {
        const char* number;
        const char* type;
    } cases[] = {
        {"5555555555554444", "MasterCard"},
        {"5105 1051 0510 5100", "MasterCard"},
        {"4111111111111111", "Visa"},
        {"4222222222222", "Visa"},
        {"378282246310005", "American Express"},
        {"341111111111111", "American Express"},
        {"36227206271667", "Diners Club"},
        {"30569309025904", "Diners Club"},
        {"38520000023237", "Diners Club"},
        {"6011111111111117", "Discover"},
        {"5655555555554444", ""},
        {"1234567890123456", ""},
        {"371449635398431 0", ""},
        {"30669309025904", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CardType(c.number), QString(c.type)) << c.number;
}

TEST(CardData, LuhnAcceptsValidNumbersOnly) {
    struct Case {
        const char* number;
        bool valid;
    } cases[] = {
        {"4111111111111111", true},     {"4111111111111112", false},
        {"378282246310005", true},      {"6011111111111117", true},
        {"4222222222222", true},        {"30569309025904", true},
        {"4111-1111-1111-1111", false}, {"411111111111", false},
        {"41111111111111111", false},   {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LuhnCheck(c.number), c.valid) << c.number;
}

TEST(CardData, StripNonDigitsKeepsDigitsOnly) {
    EXPECT_EQ(StripNonDigits("4111-1111 1111.1111x"), "4111111111111111");
    EXPECT_EQ(StripNonDigits("no digits"), "");
}

namespace {
// The digits a masked text still shows.
QString shownDigits(const QString& text) {
    return StripNonDigits(text);
}

// Every grouping a desk types: the mask keeps the shape and the last four digits only.
struct Grouping {
    const char* name;
    const char* typed;
    const char* masked;
};
const Grouping kGroupings[] = {
    {"4-4-4-4", "4111 1111 1111 1111", "xxxx xxxx xxxx 1111"},
    {"4-6-5 (Amex)", "3782 822463 10005", "xxxx xxxxxx x0005"},
    {"4-12", "4111 111111111111", "xxxx xxxxxxxx1111"},
    {"12-4", "411111111111 1111", "xxxxxxxxxxxx 1111"},
    {"no blanks", "4111111111111111", "xxxxxxxxxxxx1111"},
    {"dashes", "5555-5555-5555-4444", "xxxx-xxxx-xxxx-4444"},
    {"dots", "6011.1111.1111.1117", "xxxx.xxxx.xxxx.1117"},
    {"mixed", "4111 1111-1111.1111", "xxxx xxxx-xxxx.1111"},
    {"last group short", "4111 1111 1111 111 1", "xxxx xxxx xxxx 111 1"},
    {"14 digits (Diners)", "3056 930902 5904", "xxxx xxxxxx 5904"},
};
} // namespace

TEST(CardData, MaskShowsAtMostTheLastFourDigitsWhateverTheGrouping) {
    for (const Grouping& g : kGroupings) {
        const QString typed = g.typed;
        const QString masked = MaskCard(typed);
        EXPECT_EQ(masked, QString(g.masked)) << g.name;
        EXPECT_EQ(shownDigits(masked), StripNonDigits(typed).right(4)) << g.name;
        EXPECT_EQ(masked.size(), typed.size()) << g.name;
    }
    EXPECT_EQ(MaskCard("123"), "123"); // nothing beyond the last four
    EXPECT_EQ(MaskCard(""), "");
}

TEST(CardData, DisplayModeMasksEveryGroupingInsideText) {
    for (const Grouping& g : kGroupings) {
        const QString note = QString("Card %1 on file").arg(g.typed);
        ASSERT_TRUE(CheckForCCNumber(note)) << g.name;
        const QString shown = CreditCardISM(note, false);
        EXPECT_EQ(shown, QString("Card %1 on file").arg(g.masked)) << g.name;
        EXPECT_LE(shownDigits(shown).size(), 4) << g.name;
        EXPECT_EQ(CreditCardISM(note, true), "Card DELETED CC# on file") << g.name;
    }
}

TEST(CardData, DetectorFindsNumbersInFreeText) {
    struct Case {
        const char* text;
        const char* found; // "" = nothing
    } cases[] = {
        {"Guaranteed with 4111 1111 1111 1111 exp 12/27", "4111111111111111"},
        {"amex 3782-822463-10005 ok", "378282246310005"},
        {"call 00 4111111111111111 99", "4111111111111111"},
        {"41111111a11111111", ""}, // a letter ends a run
        {"Room 1204 call 555-123-4567 on 2026/03/14 at 10:30", ""},
        {"1234 5678 9012 3456", ""}, // no card type
        {"4222222222222", ""},       // 13 digits are not looked for
    };
    for (const Case& c : cases) {
        const auto found = FindCardNumber(c.text);
        EXPECT_EQ(found.value_or(QString()), QString(c.found)) << c.text;
        EXPECT_EQ(CheckForCCNumber(c.text), QString(c.found) != "") << c.text;
    }
    EXPECT_FALSE(CheckForCCNumber("4111111111111112", true)); // strict: Luhn too
    EXPECT_TRUE(CheckForCCNumber("4111111111111112", false));
}

TEST(CardData, CreditCardIsmReplacesOrMasksEveryNumber) {
    const QString note = "Spa deposit 4111 1111 1111 1111, then 5555-5555-5555-4444 for dinner";
    EXPECT_EQ(CreditCardISM(note, true), "Spa deposit DELETED CC#, then DELETED CC# for dinner");
    EXPECT_EQ(CreditCardISM(note, false),
              "Spa deposit xxxx xxxx xxxx 1111, then xxxx-xxxx-xxxx-4444 for dinner");
    EXPECT_EQ(CreditCardISM("card 4111.1111.1111.1111.", true), "card DELETED CC#.");
    const QString parcel = "Tracking Number 4111111111111111 for the parcel";
    EXPECT_EQ(CreditCardISM(parcel, true), parcel);
    EXPECT_EQ(CreditCardISM(parcel, false), parcel);
}

TEST_F(SecurityTest, CardCipherEnhancedUsesTheRecordValue) {
    ASSERT_TRUE(GetBooleanSetting(db(), "EnhancedEncryption"));
    const QString a = EncryptCC(ctx(), "4111111111111111", "17");
    ASSERT_FALSE(a.isEmpty());
    EXPECT_FALSE(a.contains("4111111111111111"));
    EXPECT_EQ(EncryptCC(ctx(), "4111111111111111", "17"), a); // stored forms compare
    EXPECT_NE(EncryptCC(ctx(), "4111111111111111", "18"), a);
    EXPECT_EQ(DecryptCC(ctx(), a, "17"), "4111111111111111");
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    // Under another record value the stored text does not decrypt.
    EXPECT_EQ(DecryptCC(ctx(), a, "18"), "");
    EXPECT_TRUE(env.prompt.saw("Decryption Failed"));
}

// No path encrypts a card under a key of the program: with the setting off
// or unreadable, or without the template, nothing is stored or shown.
TEST_F(SecurityTest, CardsAreRefusedWithoutEnhancedEncryptionOrTemplate) {
    const QString stored = EncryptCC(ctx(), "378282246310005", "7");
    ASSERT_FALSE(stored.isEmpty());
    const QString keyTemplate = ctx().start.keyTemplate;
    struct Case {
        const char* name;
        std::function<void()> breakIt;
        CardKeyState state;
    } cases[] = {
        {"switched off", [&] { SetBooleanSetting(db(), "EnhancedEncryption", false); },
         CardKeyState::EncryptionOff},
        {"template missing", [&] { ctx().start.keyTemplate.clear(); },
         CardKeyState::TemplateMissing},
        {"settings row unreadable",
         [&] { db().exec("ALTER TABLE [Authorization] RENAME TO [AuthorizationGone]"); },
         CardKeyState::SettingUnreadable},
    };
    for (const Case& c : cases) {
        c.breakIt();
        env.prompt.clear();
        EXPECT_EQ(CardNumbersState(ctx()), c.state) << c.name;
        EXPECT_EQ(EncryptCC(ctx(), "378282246310005", "7"), "") << c.name;
        EXPECT_EQ(DecryptCC(ctx(), stored, "7"), "") << c.name;
        EXPECT_EQ(env.prompt.texts(), QStringList(2, CardsRefusedText(c.state))) << c.name;
        EXPECT_FALSE(env.prompt.sawPart("Encryption Failed")) << c.name;

        // Put right again for the next case.
        if (db().tableExists("AuthorizationGone"))
            db().exec("ALTER TABLE [AuthorizationGone] RENAME TO [Authorization]");
        SetBooleanSetting(db(), "EnhancedEncryption", true);
        ctx().start.keyTemplate = keyTemplate;
        ASSERT_EQ(DecryptCC(ctx(), stored, "7"), "378282246310005") << c.name;
    }
}
