// The test doubles are strict: what a test did not expect fails it.
#include "support/RecordingDesktop.h"
#include "support/RecordingPrompt.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;

TEST(RecordingPrompt, AnUnscriptedQuestionFailsAndTakesTheWayOut) {
    RecordingPrompt prompt;
    const struct {
        Buttons buttons;
        Answer cautious;
    } cases[] = {{Buttons::YesNo, Answer::No},
                 {Buttons::YesNoCancel, Answer::Cancel},
                 {Buttons::OkCancel, Answer::Cancel},
                 {Buttons::RetryCancel, Answer::Cancel},
                 {Buttons::Ok, Answer::Ok}};
    for (const auto& c : cases) {
        Answer a = Answer::Retry;
        EXPECT_NONFATAL_FAILURE(
            a = prompt.ask("Delete it?", "Title", c.buttons, Icon::Question, Answer::Yes),
            "Unscripted question [Title] \"Delete it?\"");
        EXPECT_EQ(a, c.cautious);
    }
    bool optOut = true;
    EXPECT_NONFATAL_FAILURE(
        prompt.askWithOptOut("Again?", {}, Buttons::YesNo, Icon::Question, Answer::Yes, optOut),
        "Unscripted question");
    EXPECT_FALSE(optOut);
    std::optional<QString> typed = QString("x");
    EXPECT_NONFATAL_FAILURE(typed = prompt.input("Name?", {}, "preset", false),
                            "Unscripted input [] \"Name?\"");
    EXPECT_FALSE(typed.has_value());
    EXPECT_EQ(prompt.shown.size(), 7);
}

TEST(RecordingPrompt, ScriptedAnswersAreUsedInOrderAndLeftOversFail) {
    {
        RecordingPrompt prompt;
        prompt.answer(Answer::Yes);
        prompt.answer(Answer::No);
        prompt.type(QString("Ann"));
        prompt.type(std::nullopt);
        EXPECT_EQ(prompt.ask("1", {}, Buttons::YesNo, Icon::Question, Answer::No), Answer::Yes);
        EXPECT_EQ(prompt.ask("2", {}, Buttons::YesNo, Icon::Question, Answer::Yes), Answer::No);
        EXPECT_EQ(prompt.input("3", {}, {}, false), QString("Ann"));
        EXPECT_EQ(prompt.input("4", {}, "x", false), std::nullopt);
        EXPECT_EQ(prompt.unusedAnswers(), 0);
    }
    EXPECT_NONFATAL_FAILURE(
        {
            RecordingPrompt prompt;
            prompt.answer(Answer::Yes);
        },
        "1 scripted answer(s) were never asked for");
    EXPECT_NONFATAL_FAILURE(
        {
            RecordingPrompt prompt;
            prompt.type(QString("unused"));
        },
        "1 scripted input(s) were never asked for");
}

TEST(RecordingDesktop, RecordsWithoutOpeningAndAnswersDialogsFromTheScript) {
    RecordingDesktop desktop;
    EXPECT_TRUE(desktop.openFile("/tmp/a b.txt"));
    EXPECT_TRUE(desktop.startDetached("/opt/x", {"/MSG"}));
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened[0].toLocalFile(), "/tmp/a b.txt");
    ASSERT_EQ(desktop.started.size(), 1);
    EXPECT_EQ(desktop.started[0].arguments, QStringList{"/MSG"});

    desktop.choose("/tmp/chosen.csv");
    EXPECT_EQ(desktop.chooseSaveFile("Export File", "/tmp", "CSV (*.csv)"), "/tmp/chosen.csv");
    QString chosen = "x";
    EXPECT_NONFATAL_FAILURE(chosen = desktop.chooseOpenFile("Pick", "/tmp", {}),
                            "Unscripted file dialog \"Pick\"");
    EXPECT_EQ(chosen, "");
    ASSERT_EQ(desktop.dialogs.size(), 2);
    EXPECT_TRUE(desktop.dialogs[0].save);
    EXPECT_FALSE(desktop.dialogs[1].save);
    EXPECT_NONFATAL_FAILURE(
        {
            RecordingDesktop d;
            d.choose("/tmp/never.csv");
        },
        "1 scripted file choice(s) were never asked for");
}
