#include "LogbookFixture.h"

#include "core/Settings.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/EntryOutput.h"

#include <QFile>
#include <QMenu>
#include <QUrlQuery>
#include <QWidget>

using namespace vm;
using namespace vm::test;

class EntryOutput : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        category("Dining");
        Category c = *GetLogTypeByName(env.db(), "Dining");
        UpdateConfText(*env.ctx, c, "We look forward to your visit.", "Please hold a table.");
        LogEntry e =
            entry("Smith", "Dining", "2026/03/15", "Table & candles (AD 2026/03/14 10:05)");
        e.logId = add(e);
        saved = e;
    }
    QString sentBody() const { return env.mailer.sent.value(0).body; }

    LogEntry saved;
    LogbookScreenHooks hooks;
    const QList<QUrl>& opened = env.desktop.opened;
    QWidget screen;
};

TEST_F(EntryOutput, PrintGoesToTheOutputHookWithTheEntrysDatabase) {
    // A screen built without the output hooks prints nothing and says nothing.
    EXPECT_FALSE(PerformEntryOutput(*env.ctx, hooks, saved, LogSource::Current, OutputAction::Print,
                                    EntryDocument::VendorRequest, &screen));
    EXPECT_TRUE(env.prompt.texts().isEmpty());

    QStringList printed;
    hooks.printEntry = [&](qint64 id, const QString& doc, LogSource source, QWidget* parent) {
        EXPECT_EQ(parent, &screen);
        printed << QString::number(id) + " " + doc +
                       (source == LogSource::Archive ? " archive" : "");
    };
    EXPECT_TRUE(PerformEntryOutput(*env.ctx, hooks, saved, LogSource::Current, OutputAction::Print,
                                   EntryDocument::VendorRequest, &screen));
    EXPECT_TRUE(PerformEntryOutput(*env.ctx, hooks, saved, LogSource::Archive, OutputAction::Print,
                                   EntryDocument::CustomForm, &screen));
    const QString id = QString::number(saved.logId);
    EXPECT_EQ(printed, QStringList({id + " VendorRequest", id + " CustomForm archive"}));
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(EntryOutput, EmailOpensTheMailProgramWithTheVendorLetter) {
    ASSERT_TRUE(SetTextSetting(env.db(), "ConfirmationText1", "Hotel Aster"));
    EXPECT_TRUE(PerformEntryOutput(*env.ctx, hooks, saved, LogSource::Current, OutputAction::Email,
                                   EntryDocument::VendorRequest, &screen));
    ASSERT_EQ(env.mailer.sent.size(), 1);
    EXPECT_EQ(env.mailer.sent[0].subject, "A Request from Hotel Aster");
    EXPECT_TRUE(env.mailer.sent[0].to.isEmpty());
    EXPECT_TRUE(sentBody().contains("Your Request: Table & candles\r\n\r\nPlease hold a table."));
    EXPECT_TRUE(
        sentBody().endsWith("Thank you, \r\n\r\n\r\n" + QString(40, '_') + "\r\nAnn Desk\r\n"));
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    // The custom form is no letter: it goes through the output's e-mail hook.
    EXPECT_FALSE(PerformEntryOutput(*env.ctx, hooks, saved, LogSource::Current, OutputAction::Email,
                                    EntryDocument::CustomForm, &screen));
    QString mailed;
    hooks.emailEntry = [&](qint64 id, const QString& doc, LogSource, QWidget*) {
        mailed = QString::number(id) + " " + doc;
        return true;
    };
    EXPECT_TRUE(PerformEntryOutput(*env.ctx, hooks, saved, LogSource::Current, OutputAction::Email,
                                   EntryDocument::CustomForm, &screen));
    EXPECT_EQ(mailed, QString::number(saved.logId) + " CustomForm");
    EXPECT_EQ(env.mailer.sent.size(), 1);
}

TEST_F(EntryOutput, WithoutAMailProgramTheLetterGoesToTempMail) {
    env.mailer.takes = false;
    EXPECT_TRUE(PerformEntryOutput(*env.ctx, hooks, saved, LogSource::Current, OutputAction::Email,
                                   EntryDocument::Confirmation, &screen));
    ASSERT_EQ(opened.size(), 1);
    const QString path = env.ctx->workstation.outputFolder() + "TempMail.txt";
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(
        text.startsWith(TempMailHint + "\r\n\r\nSubject: Your Request\r\n\r\nDear Pat Smith,"));
    EXPECT_TRUE(text.contains("\r\nWe look forward to your visit.\r\n"));
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(EntryOutput, MenuOffersEveryDocumentAndTheChoiceRunsItsChecks) {
    std::unique_ptr<QMenu> menu(BuildEntryOutputMenu(&screen));
    EXPECT_EQ(menu->objectName(), "mnuEntryOutput");
    QStringList names, texts;
    for (QAction* a : menu->actions())
        names << a->objectName(), texts << a->text();
    EXPECT_EQ(names, QStringList({"mnuDetails", "mnuConfirmation", "mnuGuestRequest",
                                  "mnuVendorRequest", "mnuCorrespondence", "mnuCustomForm"}));
    EXPECT_EQ(texts, QStringList({"Logbook Details", "Guest Confirmation", "Guest Service Request",
                                  "Vendor Service Request", "Correspondence", "Custom Form"}));

    QString pick = "mnuCorrespondence";
    int menus = 0;
    const EntryMenuRunner execMenu = [&](QMenu& m, const QPoint&) {
        ++menus;
        return m.findChild<QAction*>(pick);
    };
    ChooseEntryOutput(*env.ctx, hooks, saved, LogSource::Current, OutputAction::Print, &screen, {},
                      execMenu);
    EXPECT_EQ(env.prompt.last(), MsgNoCorrespondence);

    pick = "mnuGuestRequest";
    ChooseEntryOutput(*env.ctx, hooks, saved, LogSource::Current, OutputAction::Email, &screen, {},
                      execMenu);
    EXPECT_TRUE(sentBody().startsWith("Dear Pat Smith,\r\n"));

    // A button for one document and an unsaved entry open no menu.
    env.prompt.clear();
    QStringList printed;
    hooks.printEntry = [&](qint64, const QString& doc, LogSource, QWidget*) { printed << doc; };
    ChooseEntryOutput(*env.ctx, hooks, saved, LogSource::Current, OutputAction::Print, &screen,
                      EntryDocument::Details, execMenu);
    EXPECT_EQ(printed, QStringList{"Details"});
    EXPECT_TRUE(env.prompt.texts().isEmpty());
    LogEntry unsaved = saved;
    unsaved.logId = 0;
    ChooseEntryOutput(*env.ctx, hooks, unsaved, LogSource::Current, OutputAction::Email, &screen,
                      {}, execMenu);
    EXPECT_EQ(env.prompt.last(), MsgSaveBeforeEmail);
    EXPECT_EQ(menus, 2);
}
