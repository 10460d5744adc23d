#include "logbook/DesignText.h"

#include <gtest/gtest.h>

using namespace vm;

namespace {

std::vector<DesignItem> design(const QStringList& labels) {
    std::vector<DesignItem> out;
    int n = 0;
    for (const QString& l : labels) {
        DesignItem d;
        d.sequenceNo = ++n;
        d.labelText = l;
        out.push_back(d);
    }
    return out;
}

} // namespace

TEST(DesignText, ReadsValuesByLabelWhateverTheCase) {
    const QString text = "Restaurant: Harbour Grill\r\nParty Size: 4\r\nWindow table please";
    EXPECT_EQ(ReadDesignValue(text, "Restaurant:"), "Harbour Grill");
    EXPECT_EQ(ReadDesignValue(text, "party size:"), "4");
    EXPECT_EQ(ReadDesignValue(text, "Vendor:"), "");
    // The last line has no line end: its label reads as damaged.
    EXPECT_EQ(ReadDesignValue("Party Size: 4\r\nVendor: Ace", "Vendor:"), DamagedDesignValue);
    EXPECT_EQ(ReadDesignValue("Vendor:", "Vendor:"), DamagedDesignValue);
    // A label written straight before its line end is empty; the next line is not its value.
    EXPECT_EQ(ReadDesignValue("Vendor:\r\nParty Size: 4\r\n", "Vendor:"), "");

    // The prepared reader an export uses reads every case alike.
    const QStringList texts{text, "Party Size: 4\r\nVendor: Ace", "Vendor:",
                            "Vendor:\r\nParty Size: 4\r\n", "VENDOR: Ace\r\n"};
    for (const QString& label : {QString("Vendor:"), QString("party size:"), QString()})
        for (const QString& t : texts)
            EXPECT_EQ(DesignValueReader(label).read(t), ReadDesignValue(t, label))
                << label.toStdString() << " in " << t.toStdString();
}

TEST(DesignText, TheFreeTextStartsAfterTheDesignedLineFoundLast) {
    const QString text = "Party Size: 4\r\nRestaurant: Grill\r\nWindow table";
    struct Case {
        QStringList labels;
        qsizetype end;
    } cases[] = {
        {{"Party Size:"}, 15},
        {{"restaurant:", "Party Size:"}, 34}, // the later line wins, whatever the order
        {{"Vendor:"}, 0},
        {{}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesignLinesEnd(text, c.labels), c.end) << c.labels.join(",").toStdString();
    EXPECT_EQ(text.mid(DesignLinesEnd(text, {"Restaurant:"})), "Window table");
    // A line cut short takes the rest of the text.
    EXPECT_EQ(DesignLinesEnd("Party Size: 4\r\nRestaurant: Gr", {"Restaurant:"}), 29);
}

TEST(DesignText, WritingReplacesValuesInPlaceAndKeepsTheFreeText) {
    const auto d = design({"Restaurant:", "Party Size:"});
    const QString text = "Restaurant: Harbour Grill\r\nParty Size: 4\r\nWindow table ~~~ more";
    const QString out = WriteDesignValues(text, d, {"The Pier", "12"});
    EXPECT_EQ(out, "Restaurant: The Pier\r\nParty Size: 12\r\nWindow table ~~~ more");
    EXPECT_EQ(ReadDesignValues(out, d), (QStringList{"The Pier", "12"}));
    // Values cannot break their line.
    EXPECT_EQ(ReadDesignValue(WriteDesignValues(text, d, {"a\nb", "1\r\n2"}), "Party Size:"),
              "1 2");
}

TEST(DesignText, MissingLinesGoInDesignOrderAndUntouchedLinesStay) {
    const auto d = design({"Restaurant:", "Party Size:", "Confirmation:"});
    // Nothing typed into a text without designed lines: the text stays as it is.
    EXPECT_EQ(WriteDesignValues("Just a note", d, {"", "", ""}), "Just a note");
    // The first value typed puts the lines at the top, in design order.
    EXPECT_EQ(WriteDesignValues("Just a note", d, {"", "4", ""}),
              "Restaurant: \r\nParty Size: 4\r\nConfirmation: \r\nJust a note");
    // One line typed at a time (null = leave alone): later lines land after earlier ones.
    QString t = WriteDesignValues("", d, {QString(), QString(), "X12"});
    t = WriteDesignValues(t, d, {"Pier", QString(), QString()});
    t = WriteDesignValues(t, d, {QString(), "6", QString()});
    EXPECT_EQ(t, "Restaurant: Pier\r\nParty Size: 6\r\nConfirmation: X12\r\n");
    // A line cut short keeps its words while another line is written, and is
    // mended (given its line end) once its own value is written.
    const QString damaged = "Restaurant: Pier\r\nParty Size: 6 people";
    EXPECT_EQ(WriteDesignValues(damaged, d, {"Dock", QString(), QString()}),
              "Restaurant: Dock\r\nParty Size: 6 people");
    EXPECT_EQ(WriteDesignValues(damaged, d, {QString(), "7", QString()}),
              "Restaurant: Pier\r\nParty Size: 7\r\n");
}

TEST(DesignText, RoundTripsThroughEveryLine) {
    const auto d = design({"A:", "B:", "C:"});
    const QString t = DesignLinesOnly(d, {"1", "", "3"});
    EXPECT_EQ(t, "A: 1\r\nB: \r\nC: 3\r\n");
    EXPECT_EQ(ReadDesignValues(t, d), (QStringList{"1", "", "3"}));
}

TEST(DesignText, NumberFieldsAcceptDigitsAndNumberPunctuationOnly) {
    for (QChar c : QString("0123456789.-/:,$€"))
        EXPECT_TRUE(IsNumberFieldCharacter(c, "€")) << QString(c).toStdString();
    for (QChar c : QString("aZ #+٣"))
        EXPECT_FALSE(IsNumberFieldCharacter(c, "€")) << QString(c).toStdString();
    const QStringList lines = NumberFieldMessage("€").split("\r\n");
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.first(), "This field must contain ONLY NUMBERS (0-9) or");
    EXPECT_EQ(lines[6], "your Currency Sign (€) ,");
    EXPECT_EQ(lines.last(), "or a Dollar Sign ($).");
}
