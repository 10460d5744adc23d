#include "platform/forms/SpellCheckDialog.h"
#include "support/RecordingPrompt.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;

namespace {

class SpellCheckDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString base = dir.filePath("en_XX");
        QFile aff(base + ".aff"), dic(base + ".dic");
        ASSERT_TRUE(aff.open(QIODevice::WriteOnly) && dic.open(QIODevice::WriteOnly));
        aff.write("SET UTF-8\nTRY esianrtolcdugmfphbyvkwzqjx\nSFX S Y 1\nSFX S 0 s .\n");
        dic.write("16\nthe\nguest/S\nsaid\nroom/S\nwas\ncold\nleft\nkey/S\nend\nand\nfirst\n"
                  "line\nlast\nlate\nat\n");
        aff.close();
        dic.close();
        checker = std::make_unique<SpellChecker>(base, personal());
        ASSERT_TRUE(checker->isAvailable());
    }
    QString personal() const { return dir.filePath("UserDictionary.txt"); }

    // Runs `drive` on the spelling dialog once RunSpellCheck has opened it.
    void onDialog(std::function<void(SpellCheckDialog&)> drive) {
        QTimer::singleShot(0, &parent, [this, drive] {
            auto* d = parent.findChild<SpellCheckDialog*>();
            EXPECT_NE(d, nullptr);
            if (!d) return;
            opened = true;
            drive(*d);
            if (d->isVisible()) d->reject(); // never leave the test waiting on it
        });
    }
    // Closes (and notes) a dialog that should not have opened.
    void refuseDialog() {
        QTimer::singleShot(0, &parent, [this] {
            if (auto* d = parent.findChild<SpellCheckDialog*>()) {
                opened = true;
                d->reject();
            }
        });
    }
    static void changeTo(SpellCheckDialog& d, const QString& word) {
        d.txtChangeTo->clear();
        QTest::keyClicks(d.txtChangeTo, word);
    }
    static void click(SpellCheckDialog& d, const char* name) {
        auto* b = d.findChild<QPushButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    QTemporaryDir dir{TestFolderTemplate()};
    std::unique_ptr<SpellChecker> checker;
    RecordingPrompt prompt;
    QWidget parent;
    bool opened = false;
};

} // namespace

TEST_F(SpellCheckDialogTest, ChangesKeepTheLaterWordsInPlace) {
    const QString text = "Teh gest sayyyyd the rom was cold.";
    SpellCheckDialog d(*checker, prompt, text);
    EXPECT_EQ(d.objectName(), "frmSpellCheck");
    EXPECT_EQ(d.windowTitle(), "Spell Check");
    ASSERT_TRUE(d.current());
    EXPECT_EQ(d.current()->word, "Teh");
    EXPECT_EQ(d.txtNotInDictionary->toPlainText(), text);
    EXPECT_TRUE(d.txtNotInDictionary->isReadOnly());
    EXPECT_TRUE(d.lstSuggestions->count() > 0);
    EXPECT_EQ(d.txtChangeTo->text(), d.lstSuggestions->item(0)->text());

    changeTo(d, "The"); // same length
    click(d, "cmdChange");
    EXPECT_EQ(*d.current(), (Misspelling{4, 4, "gest"}));
    changeTo(d, "guests"); // longer: the later words move right
    click(d, "cmdChange");
    EXPECT_EQ(*d.current(), (Misspelling{11, 7, "sayyyyd"}));
    changeTo(d, ""); // deleted with its space: the later words move left
    click(d, "cmdChange");
    EXPECT_EQ(*d.current(), (Misspelling{15, 3, "rom"}));
    EXPECT_EQ(d.text(), "The guests the rom was cold.");
    changeTo(d, "room");
    click(d, "cmdChange");
    EXPECT_TRUE(d.isComplete());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.text(), "The guests the room was cold.");

    // Replaying the edits in order on the original gives the same text.
    QString replayed = text;
    for (const SpellingEdit& e : d.edits())
        replayed.replace(e.position, e.length, e.replacement);
    EXPECT_EQ(replayed, d.text());
    EXPECT_EQ(d.edits().size(), 4);
}

TEST_F(SpellCheckDialogTest, ChangeAllReplacesThisAndTheLaterOnes) {
    SpellCheckDialog d(*checker, prompt, "thhe gest, thhe keys; Thhe thhe-end thhe");
    click(d, "cmdIgnore");
    EXPECT_EQ(*d.current(), (Misspelling{5, 4, "gest"}));
    click(d, "cmdIgnore");
    EXPECT_EQ(*d.current(), (Misspelling{11, 4, "thhe"}));
    changeTo(d, "the");
    click(d, "cmdChangeAll");
    // The first "thhe" was passed over and stays; "Thhe" and "thhe-end" are other words.
    EXPECT_EQ(d.text(), "thhe gest, the keys; Thhe thhe-end the");
    EXPECT_EQ(*d.current(), (Misspelling{21, 4, "Thhe"}));
    click(d, "cmdIgnore");
    EXPECT_EQ(*d.current(), (Misspelling{26, 8, "thhe-end"}));
    click(d, "cmdIgnore");
    EXPECT_TRUE(d.isComplete());
}

TEST_F(SpellCheckDialogTest, IgnoreAllLastsForTheChecker) {
    SpellCheckDialog d(*checker, prompt, "gest and gest, and gest");
    click(d, "cmdIgnore");
    EXPECT_EQ(d.current()->position, 9);
    click(d, "cmdIgnoreAll");
    EXPECT_TRUE(d.isComplete()); // the third one too
    EXPECT_EQ(d.text(), "gest and gest, and gest");
    EXPECT_TRUE(d.edits().isEmpty());

    EXPECT_EQ(SpellCheckText("the gest", *checker, prompt, &parent), "the gest");
    EXPECT_EQ(prompt.texts(), QStringList({MsgSpellCheckComplete}));
}

TEST_F(SpellCheckDialogTest, AddToDictionaryKeepsTheWordForLaterChecks) {
    SpellCheckDialog d(*checker, prompt, "Velmora left the keys");
    click(d, "cmdAddToDictionary");
    EXPECT_TRUE(d.isComplete());
    QFile f(personal());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "Velmora\n");
    SpellChecker later(checker->dictionaryBase(), personal());
    EXPECT_TRUE(later.misspellings("Velmora left").isEmpty());
    EXPECT_TRUE(prompt.shown.isEmpty());

    // A list that cannot be written: said, and the word still passes for now.
    QDir().mkpath(dir.filePath("blocked/UserDictionary.txt"));
    SpellChecker blocked(checker->dictionaryBase(), dir.filePath("blocked/UserDictionary.txt"));
    SpellCheckDialog d2(blocked, prompt, "Orvanta and gest");
    click(d2, "cmdAddToDictionary");
    EXPECT_EQ(prompt.last(), MsgPersonalWordNotSaved);
    EXPECT_EQ(d2.current()->word, "gest");
}

TEST_F(SpellCheckDialogTest, ShowsTheSentenceAroundTheWord) {
    SpellCheckDialog d(*checker, prompt, "Frist line.\nThe room was cold. The gest left! Lastt.");
    EXPECT_EQ(d.txtNotInDictionary->toPlainText(), "Frist line.");
    click(d, "cmdIgnore");
    EXPECT_EQ(d.txtNotInDictionary->toPlainText(), "The gest left!");
    click(d, "cmdIgnore");
    EXPECT_EQ(d.txtNotInDictionary->toPlainText(), "Lastt.");

    int at = -1;
    const QString longLine =
        QString("word ").repeated(50) + "gest " + QString("word ").repeated(50);
    const QString around = SentenceAround(longLine, 250, 4, &at, 20);
    EXPECT_EQ(around.mid(at, 4), "gest");
    EXPECT_TRUE(around.startsWith(u'\u2026'));
    EXPECT_TRUE(around.endsWith(u'\u2026'));
    EXPECT_LE(around.size(), 4 + 2 * 20 + 2);
}

TEST_F(SpellCheckDialogTest, EnterChangesAndEscapeCancels) {
    SpellCheckDialog d(*checker, prompt, "the gest and the rom");
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    changeTo(d, "guest");
    QTest::keyClick(d.txtChangeTo, Qt::Key_Return);
    EXPECT_EQ(d.text(), "the guest and the rom");
    EXPECT_EQ(d.current()->word, "rom");
    d.lstSuggestions->setFocus();
    QTest::keyClick(d.lstSuggestions, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isComplete());
}

TEST_F(SpellCheckDialogTest, TextBoxGetsTheChangesAsOneUndoStep) {
    QPlainTextEdit box(&parent);
    box.setPlainText("the gest\nleft the kees");
    onDialog([&](SpellCheckDialog& d) {
        EXPECT_EQ(d.current()->word, "gest");
        changeTo(d, "guests");
        click(d, "cmdChange");
        changeTo(d, "keys");
        click(d, "cmdChange");
    });
    EXPECT_TRUE(RunSpellCheck(&box, *checker, prompt, &parent));
    EXPECT_TRUE(opened);
    EXPECT_EQ(box.toPlainText(), "the guests\nleft the keys");
    EXPECT_EQ(prompt.texts(), QStringList({MsgSpellCheckComplete}));
    box.undo();
    EXPECT_EQ(box.toPlainText(), "the gest\nleft the kees");
}

TEST_F(SpellCheckDialogTest, CancelKeepsTheChangesMadeBefore) {
    QPlainTextEdit box(&parent);
    box.setPlainText("the gest left the kees");
    onDialog([&](SpellCheckDialog& d) {
        changeTo(d, "guest");
        click(d, "cmdChange");
        click(d, "cmdCancel");
    });
    EXPECT_TRUE(RunSpellCheck(&box, *checker, prompt, &parent));
    EXPECT_EQ(box.toPlainText(), "the guest left the kees");
    EXPECT_TRUE(prompt.shown.isEmpty()); // cancelled: no "complete"

    QLineEdit line(&parent);
    line.setText("the gest");
    onDialog([&](SpellCheckDialog& d) {
        changeTo(d, "guest");
        click(d, "cmdChange");
    });
    EXPECT_TRUE(RunSpellCheck(&line, *checker, prompt, &parent));
    EXPECT_EQ(line.text(), "the guest");
}

TEST_F(SpellCheckDialogTest, NothingWrongOrNoDictionaryOnlySays) {
    QPlainTextEdit box(&parent);
    box.setPlainText("The guests left the room at 7:30pm, VIP mail@example.com");
    refuseDialog();
    EXPECT_FALSE(RunSpellCheck(&box, *checker, prompt, &parent));
    EXPECT_EQ(prompt.texts(), QStringList({MsgSpellCheckComplete}));
    EXPECT_EQ(MsgSpellCheckComplete, "The spelling check is complete.");

    prompt.clear();
    SpellChecker none(dir.filePath("missing/en_US"), personal());
    box.setPlainText("the gest");
    refuseDialog();
    EXPECT_FALSE(RunSpellCheck(&box, none, prompt, &parent));
    EXPECT_EQ(prompt.texts(),
              QStringList({"Spell checking is not available: no dictionary is installed on "
                           "this computer."}));
    EXPECT_EQ(box.toPlainText(), "the gest");
    QApplication::processEvents();
    EXPECT_FALSE(opened);
}
