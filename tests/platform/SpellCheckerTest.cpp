#include "platform/SpellChecker.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace vm;

namespace {

const QByteArray kWords[] = {"guest/S", "room/S", "the", "late", "arrived", "at",
                             "check",   "in",     "out", "card", "don't",   "luggage",
                             "mail",    "or",     "see", "and",  "call",    "for"};

// Writes base.aff/base.dic; `accented` are extra entries already in `charset`.
QString WriteDictionary(const QString& folder, const QString& name, const QByteArray& charset,
                        const QList<QByteArray>& accented) {
    QDir().mkpath(folder);
    const QString base = QDir(folder).filePath(name);
    QFile aff(base + ".aff");
    if (!aff.open(QIODevice::WriteOnly)) return {};
    aff.write("SET " + charset + "\nTRY esianrtolcdugmfphbyvkwzqjx'\nSFX S Y 1\nSFX S 0 s .\n");
    QByteArray dic;
    for (const QByteArray& w : kWords)
        dic += w + "\n";
    for (const QByteArray& w : accented)
        dic += w + "\n";
    QFile out(base + ".dic");
    if (!out.open(QIODevice::WriteOnly)) return {};
    out.write(QByteArray::number(std::size(kWords) + accented.size()) + "\n" + dic);
    return base;
}

QStringList Words(const QList<TextWord>& list) {
    QStringList out;
    for (const TextWord& w : list)
        out << w.word;
    return out;
}

class SpellCheckerTest : public ::testing::Test {
protected:
    QString personal() const { return dir.filePath("user/UserDictionary.txt"); }
    QString utf8Dictionary() {
        return WriteDictionary(dir.filePath("dicts"), "en_XX", "UTF-8", {});
    }
    QString readPersonal() const {
        QFile f(personal());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString("<none>");
    }
    QTemporaryDir dir{test::TestFolderTemplate()};
};

} // namespace

TEST(CheckableWords, KeepsWordsAndSkipsNumbersAddressesAndCapitals) {
    struct Case {
        const char* text;
        QStringList words;
    } cases[] = {
        {"Room 1204 at 7:30pm, card 4111-1111-1111-1111 B12 2nd", {"Room", "at", "card"}},
        {"Mail john.smith@example.com or see https://example.com/menu, www.hotel.org and "
         "(booking.com) call hotel.example/spa",
         {"Mail", "or", "see", "and", "call"}},
        {"don't check-in guests' 'quoted' -dash well- o'clock -- end",
         {"don't", "check-in", "guests", "quoted", "dash", "well", "o'clock", "end"}},
        {"don\u2019t \u2018fine\u2019", {"don\u2019t", "fine"}},
        {"VIP guest NYC I A late \u05e9\u05dc\u05d5\u05dd \u00bd",
         {"guest", "late", "\u05e9\u05dc\u05d5\u05dd"}},
        {"caf\u00e9 cafe\u0301 na\u00efve room_key", {"caf\u00e9", "cafe\u0301", "na\u00efve"}},
        {"end.Next word,word", {"end", "Next", "word", "word"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Words(CheckableWords(QString::fromUtf8(c.text))), c.words) << c.text;
}

TEST(CheckableWords, PositionsAreThoseOfTheText) {
    const QString text = "  'Guest's\ncheck-in,  cafe\u0301!";
    const QList<TextWord> words = CheckableWords(text);
    ASSERT_EQ(words.size(), 3);
    EXPECT_EQ(words[0], (TextWord{3, 7, "Guest's"}));
    EXPECT_EQ(words[1], (TextWord{11, 8, "check-in"}));
    EXPECT_EQ(words[2], (TextWord{22, 5, "cafe\u0301"}));
    for (const TextWord& w : words)
        EXPECT_EQ(text.mid(w.position, w.length), w.word);
}

TEST_F(SpellCheckerTest, FindsTheWrongWordsWithTheirPositions) {
    SpellChecker checker(utf8Dictionary(), personal());
    ASSERT_TRUE(checker.isAvailable());
    EXPECT_EQ(checker.encoding(), "UTF-8");
    const QString text = "The gest arrived late; chek-in at 3pm for Room 1204, VIP guests' "
                         "luggage. Don't call john@example.com";
    const QList<Misspelling> wrong = checker.misspellings(text);
    ASSERT_EQ(wrong.size(), 2);
    EXPECT_EQ(wrong[0], (Misspelling{4, 4, "gest"}));
    EXPECT_EQ(wrong[1], (Misspelling{23, 7, "chek-in"}));
    EXPECT_EQ(checker.nextMisspelling(text, 5), wrong[1]);
    EXPECT_EQ(checker.nextMisspelling(text, 24), std::nullopt);
    EXPECT_TRUE(checker.isCorrect("check-in"));
    EXPECT_TRUE(checker.isCorrect("Guests"));
    EXPECT_TRUE(checker.suggestions("gest").contains("guest"));
    EXPECT_TRUE(checker.suggestions("luggag").contains("luggage"));

    checker.ignoreAll("gest"); // this checker only, and nothing written
    EXPECT_EQ(checker.misspellings(text), QList<Misspelling>{wrong[1]});
    EXPECT_FALSE(checker.isCorrect("Gest"));
    EXPECT_FALSE(SpellChecker(utf8Dictionary(), personal()).isCorrect("gest"));
    EXPECT_EQ(readPersonal(), "<none>");
}

TEST_F(SpellCheckerTest, AccentsAndApostrophesInTheDictionarysCharacterSet) {
    const struct {
        QByteArray charset, cafe, naive;
    } sets[] = {{"UTF-8", "caf\xc3\xa9/S", "na\xc3\xafve"}, {"ISO8859-1", "caf\xe9/S", "na\xefve"}};
    for (const auto& set : sets) {
        SCOPED_TRACE(set.charset.toStdString());
        const QString base =
            WriteDictionary(dir.filePath(set.charset), "xx_XX", set.charset, {set.cafe, set.naive});
        SpellChecker checker(base, personal());
        ASSERT_TRUE(checker.isAvailable());
        EXPECT_EQ(checker.encoding(), set.charset);
        EXPECT_TRUE(checker.isCorrect("Caf\u00e9s"));
        EXPECT_TRUE(checker.isCorrect("cafe\u0301")); // typed with a combining accent
        EXPECT_TRUE(checker.isCorrect("na\u00efve"));
        EXPECT_FALSE(checker.isCorrect("cafe"));
        EXPECT_FALSE(checker.isCorrect("caf\u00e8"));
        EXPECT_TRUE(checker.suggestions("cafe").contains("caf\u00e9"));
        EXPECT_TRUE(checker.isCorrect("don\u2019t")); // listed as "don't"
        // The writer's typographic apostrophe is kept in the suggestions.
        EXPECT_TRUE(checker.suggestions("doon\u2019t").contains("don\u2019t"));
        // Letters outside the character set: the dictionary cannot judge the word.
        EXPECT_EQ(checker.misspellings("\u0141\u00f3d\u017a gest").size(),
                  set.charset == "UTF-8" ? 2 : 1);

        ASSERT_TRUE(checker.addToPersonal("cr\u00eape"));
        EXPECT_TRUE(SpellChecker(base, personal()).isCorrect("cr\u00eape"));
        EXPECT_EQ(readPersonal(), "cr\u00eape\n"); // the list itself is always UTF-8
        QFile::remove(personal());
    }
}

TEST_F(SpellCheckerTest, PersonalWordsPersistAndMergeWithOtherWriters) {
    const QString base = utf8Dictionary();
    {
        SpellChecker checker(base, personal());
        EXPECT_FALSE(checker.isCorrect("Velmora"));
        ASSERT_TRUE(checker.addToPersonal("Velmora"));
        EXPECT_TRUE(checker.isCorrect("Velmora"));
        EXPECT_TRUE(checker.isCorrect("VELMORA"));
        ASSERT_TRUE(checker.addToPersonal("Velmora"));
        EXPECT_EQ(readPersonal(), "Velmora\n");

        // Another window of this user adds a word meanwhile: it is kept.
        QFile f(personal());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("concierge\n");
        f.close();
        ASSERT_TRUE(checker.addToPersonal("Orvanta"));
        EXPECT_EQ(readPersonal(), "Velmora\nconcierge\nOrvanta\n");
        EXPECT_FALSE(checker.addToPersonal("  "));
    }
    SpellChecker later(base, personal());
    EXPECT_TRUE(later.isCorrect("Velmora"));
    EXPECT_TRUE(later.isCorrect("Orvanta"));
    EXPECT_TRUE(later.isCorrect("concierge"));
    EXPECT_EQ(later.personalWords(), QStringList({"Velmora", "concierge", "Orvanta"}));
    EXPECT_EQ(QDir(dir.filePath("user")).entryList(QDir::Files), QStringList("UserDictionary.txt"));
}

TEST_F(SpellCheckerTest, PersonalFileIsWrittenWholeOrNotAtAll) {
    const QString base = utf8Dictionary();
    SpellChecker checker(base, personal());
    ASSERT_TRUE(checker.addToPersonal("Velmora"));
    const QString before = readPersonal();

    // The disk refuses the bytes (a file-size limit stands in for a full disk).
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 12;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = checker.addToPersonal("Orvantaresidence");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(readPersonal(), before);
    EXPECT_EQ(QDir(dir.filePath("user")).entryList(QDir::Files), QStringList("UserDictionary.txt"));
    EXPECT_TRUE(checker.isCorrect("Orvantaresidence")); // accepted while this checker lives
    EXPECT_FALSE(SpellChecker(base, personal()).isCorrect("Orvantaresidence"));

    // A list that cannot be read is not replaced by one holding the new word only.
    QDir().mkpath(dir.filePath("odd/UserDictionary.txt"));
    SpellChecker odd(base, dir.filePath("odd/UserDictionary.txt"));
    EXPECT_FALSE(odd.addToPersonal("Velmora"));
    EXPECT_TRUE(QFileInfo(dir.filePath("odd/UserDictionary.txt")).isDir());
    EXPECT_TRUE(odd.isCorrect("Velmora"));
}

TEST_F(SpellCheckerTest, FindsTheWantedDictionaryElseEnglishElseAny) {
    const QString a = dir.filePath("a"), b = dir.filePath("b"), empty = dir.filePath("empty");
    QDir().mkpath(empty);
    const QString de = WriteDictionary(a, "de_XX", "UTF-8", {});
    WriteDictionary(a, "zz_XX", "UTF-8", {});
    const QString en = WriteDictionary(b, "en_US", "UTF-8", {});
    QFile::remove(a + "/zz_XX.dic"); // half a pair is no dictionary
    QFile(a + "/hyph_xx.dic").open(QIODevice::WriteOnly);

    EXPECT_EQ(SpellChecker::FindDictionary({}, {a, b}), en);
    EXPECT_EQ(SpellChecker::FindDictionary({}, {empty, a}), de);
    EXPECT_EQ(SpellChecker::FindDictionary("de_XX", {a, b}), de);
    EXPECT_EQ(SpellChecker::FindDictionary(de + ".aff", {b}), de);
    EXPECT_EQ(SpellChecker::FindDictionary(a, {b}), de);
    EXPECT_EQ(SpellChecker::FindDictionary("zz_XX", {a, b}), en); // not installed: the usual search
    EXPECT_EQ(SpellChecker::FindDictionary({}, {empty, dir.filePath("missing")}), QString());

    const QByteArray saved = qgetenv("VELMORA_DICTIONARY");
    qputenv("VELMORA_DICTIONARY", de.toUtf8());
    EXPECT_EQ(SpellChecker::FindDictionary(), de);
    qunsetenv("VELMORA_DICTIONARY");
    if (!saved.isEmpty()) qputenv("VELMORA_DICTIONARY", saved);
}

TEST_F(SpellCheckerTest, TheInstalledEnglishDictionaryIsFoundAndUsed) {
    const QString base = SpellChecker::FindDictionary({}, SpellChecker::StandardFolders());
    ASSERT_EQ(base, "/usr/share/hunspell/en_US");
    SpellChecker checker(base, personal());
    ASSERT_TRUE(checker.isAvailable());
    EXPECT_TRUE(checker
                    .misspellings("The guest's luggage went to Room 1204 at 7:30pm; "
                                  "don't forget the late check-in.")
                    .isEmpty());
    const QList<Misspelling> wrong = checker.misspellings("We recieved the keys.");
    ASSERT_EQ(wrong.size(), 1);
    EXPECT_EQ(wrong[0], (Misspelling{3, 8, "recieved"}));
    EXPECT_TRUE(checker.suggestions("recieved").contains("received"));
}

TEST_F(SpellCheckerTest, WithoutADictionaryNothingIsJudged) {
    SpellChecker checker(dir.filePath("nowhere/en_US"), personal());
    EXPECT_FALSE(checker.isAvailable());
    EXPECT_TRUE(checker.isCorrect("gest"));
    EXPECT_TRUE(checker.misspellings("gest xyzzy").isEmpty());
    EXPECT_TRUE(checker.suggestions("gest").isEmpty());
    EXPECT_EQ(checker.nextMisspelling("gest", 0), std::nullopt);
}
