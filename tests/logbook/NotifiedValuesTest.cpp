#include "LogbookFixture.h"

#include "logbook/NotifiedValues.h"

using namespace vm;
using namespace vm::test;

class NotifiedValuesTest : public LogbookFixture {
protected:
    QStringList values() {
        QStringList out;
        for (const NotifiedValue& v : GetNotifiedValues(env.db()))
            out << v.value;
        return out;
    }
    qint64 idOf(const QString& value) {
        for (const NotifiedValue& v : GetNotifiedValues(env.db()))
            if (v.value == value) return v.id;
        return 0;
    }
    qint64 entryNotified(const QString& last, const QString& notified) {
        LogEntry e = entry(last, "Dining", "2026/03/14");
        e.notified = notified;
        return add(e);
    }
};

TEST_F(NotifiedValuesTest, AddRefusesBlanksAndDuplicatesOfAnyCase) {
    struct Case {
        QString typed, refusal;
    };
    const Case cases[] = {{"Phone", ""},
                          {"  ", MsgBlankValue},
                          {"PHONE", MsgValueExists},
                          {" phone ", MsgValueExists},
                          {"Front desk \"note\"", ""},
                          {QString(60, 'x'), ""}};
    for (const Case& c : cases)
        EXPECT_EQ(InsertNotifiedValue(env.db(), c.typed), c.refusal) << c.typed.toStdString();
    // Stored as entries store text, and no longer than the entry's column.
    EXPECT_EQ(values(), QStringList({"Front desk 'note'", "Phone", QString(50, 'x')}));
    // Rows of other lists are neither listed nor taken for duplicates.
    env.db().exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('CCType', 'Visa')");
    EXPECT_EQ(InsertNotifiedValue(env.db(), "Visa"), "");
    EXPECT_EQ(values().size(), 4);
}

TEST_F(NotifiedValuesTest, ReplaceRenamesTheEntriesThatHoldTheValue) {
    category("Dining");
    InsertNotifiedValue(env.db(), "Phone");
    InsertNotifiedValue(env.db(), "Email");
    const qint64 a = entryNotified("Ames", "Phone");
    const qint64 b = entryNotified("Bell", "Email");

    EXPECT_EQ(ReplaceNotifiedValue(env.db(), idOf("Phone"), "email"), MsgValueExists);
    EXPECT_EQ(ReplaceNotifiedValue(env.db(), idOf("Phone"), " "), MsgBlankChange);
    EXPECT_EQ(store().GetTheLogEntry(a)->notified, "Phone");               // refusals write nothing
    EXPECT_EQ(ReplaceNotifiedValue(env.db(), idOf("Phone"), "PHONE"), ""); // its own row
    EXPECT_EQ(ReplaceNotifiedValue(env.db(), idOf("PHONE"), "Telephone"), "");
    EXPECT_EQ(values(), QStringList({"Email", "Telephone"}));
    EXPECT_EQ(store().GetTheLogEntry(a)->notified, "Telephone");
    EXPECT_EQ(store().GetTheLogEntry(b)->notified, "Email");
    EXPECT_EQ(ReplaceNotifiedValue(env.db(), 999999, "Fax"), MsgSelectValueToChange);
}

TEST_F(NotifiedValuesTest, AValueInUseIsNeverDeleted) {
    category("Dining");
    InsertNotifiedValue(env.db(), "Phone");
    InsertNotifiedValue(env.db(), "Fax");
    entryNotified("Ames", "Phone");
    EXPECT_EQ(DeleteNotifiedValue(env.db(), idOf("Phone")), 1);
    entryNotified("Bell", "phone");
    EXPECT_EQ(DeleteNotifiedValue(env.db(), idOf("Phone")), 2);
    EXPECT_EQ(DeleteNotifiedValue(env.db(), idOf("Fax")), 0);
    EXPECT_EQ(values(), QStringList({"Phone"}));
    EXPECT_EQ(NotifiedInUseMessage(1), "This value is being used in 1 entry.\r\nWe cannot delete "
                                       "it.  Thank you");
    EXPECT_EQ(NotifiedInUseMessage(2), "This value is being used in 2 entries.\r\nWe cannot "
                                       "delete it.  Thank you");
}
