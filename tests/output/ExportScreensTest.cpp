#include "ExportFixture.h"

#include "guests/forms/frmGroupsD.h"
#include "output/AddressBookExport.h"
#include "output/forms/PrintOptionsPage.h"
#include "platform/CsvWriter.h"

#include <QAbstractButton>
#include <QFileInfo>

using namespace vm;
using namespace vm::test;

namespace {

class ExportScreens : public ExportFixture {
protected:
    void SetUp() override {
        ExportFixture::SetUp();
        EnsureApplication();
    }
    static void click(const QWidget& root, const QString& name) {
        auto* button = root.findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        button->click();
    }
    QString created(const QString& file) const { return FileWrittenMessage(path(file), true); }
};

} // namespace

TEST_F(ExportScreens, PrintOptionsButtonsWriteTheirFilesWithinTheMembersRights) {
    PrintOptionsPage page(*env.ctx);
    const QList<std::pair<QString, QString>> buttons{{"cmdAllContacts", AllContactsFile},
                                                     {"cmdAllProfiles", AllProfilesFile},
                                                     {"cmdAllEvents", AllEventsFile},
                                                     {"cmdAllStaff", AllStaffFile}};
    for (const auto& [button, file] : buttons) {
        click(page, button);
        EXPECT_EQ(env.prompt.last(), created(file)) << button.toStdString();
        EXPECT_TRUE(QFileInfo::exists(path(file)));
        QFile::remove(path(file));
    }

    env.logOn(clerkId);
    setRight(Rights::ContactsExtract, false);
    setRight(Rights::EventsGuestLists, false);
    env.prompt.clear();
    for (const auto& [button, file] : buttons)
        click(page, button);
    EXPECT_EQ(env.prompt.texts(),
              QStringList({"You are not authorized to Extract Contacts to CSV File.",
                           created(AllProfilesFile), "You are not authorized to Print Event Lists.",
                           MsgNotAuthorizedStaffExtract}));
    for (const QString& file : {AllContactsFile, AllEventsFile, AllStaffFile})
        EXPECT_FALSE(QFileInfo::exists(path(file))) << file.toStdString();
}

TEST_F(ExportScreens, GroupScreenExtractsItsLogbookEntries) {
    const qint64 group = this->group("Nordic Dental");
    insert(env.db(), "LogBook", {{"GroupID", group}, {"LastName", "Reed"}});

    frmGroupsD unsaved(*env.ctx, 0);
    click(unsaved, "imgExtract");
    EXPECT_EQ(env.prompt.last(),
              "Please <Save> this Group before extracting its Logbook Entries.  Thank you.");

    frmGroupsD details(*env.ctx, group);
    click(details, "imgExtract");
    EXPECT_EQ(env.prompt.last(), created(AllGroupLogsFile));
    EXPECT_EQ(read(AllGroupLogsFile).value(4).value(1), "Reed");

    QFile::remove(path(AllGroupLogsFile));
    env.logOn(clerkId);
    setRight(Rights::OthersGroupExtract, false);
    click(details, "imgExtract");
    EXPECT_EQ(env.prompt.last(), MsgNotAuthorizedGroupExtract);
    EXPECT_FALSE(QFileInfo::exists(path(AllGroupLogsFile)));
}
