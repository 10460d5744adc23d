// Importing the employee and key lists: every line is checked first, a bad
// one is reported by its line number and nothing at all is written.

#include "guests/OtherLists.h"
#include "operations/KeyStoreFixture.h"

using namespace vm;
using namespace vm::test;

namespace {

class KeyStoreImport : public KeyStoreFixture {
protected:
    QString path(const QString& name) { return ctx().workstation.outputFolder() + name; }
};

TEST_F(KeyStoreImport, FieldCountStopsEverythingOnlyPastTheLimit) {
    // Six key fields and four employee fields pass; seven and five stop.
    writeFile(kKeyListFileName, "Key Number,Key Group,Description,Duration,Unit\r\n"
                                "101,Pool,Pool gate,2,H,extra\r\n"
                                "102,Pool,Pool shed,,D\r\n"
                                "103,Garage,Bay 3,1,D,x,y\r\n");
    KeyImportResult r = KeyImportKeys(ctx());
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.message, KeyImportCommaMessage(path(kKeyListFileName), 4));
    EXPECT_EQ(r.message, "The file " + path(kKeyListFileName) +
                             " contains at least one comma in row number 4.  This will cause the "
                             "import to fail.   Please repair the file and try again.");
    EXPECT_EQ(count("KeyMaster"), 0);

    writeFile(kKeyEmployeeFileName, "Employee Name,Employee Number,Job Title\r\n"
                                    "Ann Porter,17,Bell Captain,x\r\n"
                                    "Smith, Bob,18,Valet,x\r\n");
    r = KeyImportEmployees(ctx());
    EXPECT_EQ(r.message, KeyImportCommaMessage(path(kKeyEmployeeFileName), 3));
    EXPECT_EQ(count("KeyEmployee"), 0);

    writeFile(kKeyEmployeeFileName, "Employee Name,Employee Number,Job Title\r\n"
                                    "Ann Porter,17,Bell Captain,x\r\n\r\n"
                                    "Bob Valet,0018,Valet\n");
    SetKeyRemoveZeros(ctx(), true);
    r = KeyImportEmployees(ctx());
    EXPECT_TRUE(r.done) << r.message.toStdString();
    EXPECT_EQ(r.imported, 2);
    const auto bob = KeyCheckEmployeeNumber(ctx(), "18");
    ASSERT_TRUE(bob);
    EXPECT_EQ(bob->jobTitle, "Valet");
}

TEST_F(KeyStoreImport, KeysGetDefaultsUnitsAndNewGroups) {
    InsertOtherData(ctx(), "KeyGroup", "Pool");
    writeFile(kKeyListFileName, "Key Number,Key Group,Description,Duration,Unit\r\n"
                                ",,,,\r\n"
                                "101,Pool,Pool gate,2,H\r\n"
                                "102,Vehicles,Van,0,D\r\n"
                                "103,vehicles,Car,,\r\n");
    const KeyImportResult r = KeyImportKeys(ctx());
    ASSERT_TRUE(r.done) << r.message.toStdString();
    EXPECT_EQ(r.imported, 3);
    QStringList keys;
    for (const KeyRecord& k : KeyGetAllKeys(ctx()))
        keys << QStringList{k.groupName, k.keyNumber, QString::number(k.outDuration),
                            k.outHoursDays, k.status}
                    .join("/");
    EXPECT_EQ(keys, (QStringList{"Pool/101/2/Hours/I", "Vehicles/102/10/Days/I",
                                 "Vehicles/103/10/Days/I"}))
        << keys.join(" ").toStdString();
    EXPECT_EQ(GetOtherValues(ctx(), "KeyGroup"), (QStringList{"Pool", "Vehicles"}));
}

TEST_F(KeyStoreImport, ABadLineIsReportedAndNothingIsWritten) {
    key("900");
    const struct {
        QByteArray file;
        int line;
        QString reason;
    } cases[] = {
        {"101,Pool,Gate,two,H\r\n", 1,
         "has a number of Hours or Days that is not a whole number of 0 or more"},
        {"101,Pool,Gate,-1,H\r\n", 1,
         "has a number of Hours or Days that is not a whole number of 0 or more"},
        {"Key Number\r\n101,Pool,Gate,1,W\r\n", 2, "has a unit other than D (Days) or H (Hours)"},
        {"101,Pool,Gate,1,H\r\n\r\n101,Pool,Again,1,H\r\n", 3,
         "repeats a Key Number of an earlier row"},
        {"101,Pool,Gate,1,H\r\n900,Pool,Old,1,H\r\n", 2,
         "has a Key Number that already exists in your Key List"},
        {"101,,Gate,1,H\r\n", 1, "has no Key Group"},
    };
    for (const auto& c : cases) {
        writeFile(kKeyListFileName, c.file);
        const KeyImportResult r = KeyImportKeys(ctx());
        EXPECT_FALSE(r.done);
        EXPECT_EQ(r.message, KeyImportLineMessage(path(kKeyListFileName), c.line, c.reason))
            << c.file.toStdString();
    }
    EXPECT_EQ(count("KeyMaster"), 1);
    EXPECT_TRUE(GetOtherValues(ctx(), "KeyGroup").isEmpty());

    writeFile(kKeyEmployeeFileName, "Ann Porter,17,Bell Captain\r\nBob Valet,,Valet\r\n");
    EXPECT_EQ(KeyImportEmployees(ctx()).message,
              KeyImportLineMessage(path(kKeyEmployeeFileName), 2, "has no Employee Number"));
    EXPECT_EQ(count("KeyEmployee"), 0);

    QFile::remove(path(kKeyEmployeeFileName));
    EXPECT_EQ(KeyImportEmployees(ctx()).message,
              kKeyImportMissingFile + path(kKeyEmployeeFileName));
}

} // namespace
