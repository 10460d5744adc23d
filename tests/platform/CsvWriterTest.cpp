#include "platform/CsvWriter.h"
#include "support/CsvReader.h"
#include "support/TestEnv.h"

#include <QFile>

using namespace vm;

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(CsvWriter, QuotesAndDefusesCells) {
    const struct {
        QString value, written;
    } cases[] = {
        {"plain", "plain"},
        {"", ""},
        {"Smith, Jr", "\"Smith, Jr\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"a\nb", "\"a\nb\""},
        {"a=b", "a=b"}, // only the first character counts
        {"=1+1", "'=1+1"},
        {"+SUM(A1:A9)", "'+SUM(A1:A9)"},
        {"-2+3", "'-2+3"},
        {"@cmd", "'@cmd"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
        {"-15.00", "-15.00"}, // a signed number stays a number
        {"+44", "+44"},
        {"+44 20 7946", "'+44 20 7946"},
        {"-", "'-"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvWriter::cell(c.value), c.written) << c.value.toStdString();
    EXPECT_EQ(CsvWriter::row({"a", "b,c", "=x"}), "a,\"b,c\",'=x");
}

TEST(CsvWriter, AStrictReaderGetsEveryCellBack) {
    test::TestEnv env;
    const QString path = env.root() + "/out.csv";
    const QList<QStringList> rows{
        {"Name", "Note", "Amount"},
        {"Zoë Ångström", "line one\r\nline two", "-15.00"},
        {"O\"Neil, Pat", "", "=1+1"},
        {"", "\"", "@SUM(A1)"},
    };
    CsvWriter w(path);
    ASSERT_TRUE(w.open());
    for (const QStringList& r : rows)
        ASSERT_TRUE(w.writeRow(r));
    ASSERT_TRUE(w.commit());

    const QByteArray bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), rows.size() + 1); // one line end in the quoted cell
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.contains("Zo\xC3\xAB")); // UTF-8

    QList<QStringList> expected = rows;
    expected[2][2] = "'=1+1";
    expected[3][2] = "'@SUM(A1)";
    EXPECT_EQ(test::ReadCsv(path), expected);
}

TEST(CsvWriter, CellsGivenInUtf8AreWrittenAsTheSameCellsGivenAsText) {
    test::TestEnv env;
    const QList<QStringList> rows{
        {"Zoë Ångström", "line one\r\nline two", "-15.00", "=1+1"},
        {"O\"Neil, Pat", "", "\"", "@SUM(A1)", "-", "+44 20", "\t"},
        {"日本語, テキスト", "-15\n", "a=b", "'quoted'"},
    };
    for (const CsvQuoting quoting : {CsvQuoting::AsNeeded, CsvQuoting::Always}) {
        const QString asText = env.root() + "/text.csv", asUtf8 = env.root() + "/utf8.csv";
        CsvWriter text(asText, quoting), utf8(asUtf8, quoting);
        ASSERT_TRUE(text.open());
        ASSERT_TRUE(utf8.open());
        for (const QStringList& r : rows) {
            ASSERT_TRUE(text.writeRow(r));
            std::vector<QByteArray> bytes;
            for (const QString& c : r)
                bytes.push_back(c.toUtf8());
            const std::vector<QByteArrayView> cells(bytes.begin(), bytes.end());
            ASSERT_TRUE(utf8.writeRow(cells));
        }
        ASSERT_TRUE(text.commit());
        ASSERT_TRUE(utf8.commit());
        EXPECT_EQ(ReadBytes(asUtf8), ReadBytes(asText));
        if (quoting == CsvQuoting::AsNeeded) {
            QList<QStringList> expected = rows;
            expected[0][3] = "'=1+1";
            expected[1][3] = "'@SUM(A1)";
            expected[1][4] = "'-";
            expected[1][5] = "'+44 20";
            expected[1][6] = "'\t";
            expected[2][1] = "'-15\n"; // a line break after the number: not a plain number
            EXPECT_EQ(test::ReadCsv(asUtf8), expected);
        }
    }
}

TEST(CsvWriter, LeavesTheOldFileAloneUnlessCommitted) {
    test::TestEnv env;
    const QString path = env.root() + "/keep.csv";
    WriteBytes(path, "old\r\n");
    {
        CsvWriter w(path);
        ASSERT_TRUE(w.open());
        ASSERT_TRUE(w.writeRow({"new"}));
    } // gone without commit
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    {
        CsvWriter w(path);
        ASSERT_TRUE(w.open());
        ASSERT_TRUE(w.writeRow({"new"}));
        w.cancel();
        EXPECT_FALSE(w.writeRow({"more"}));
        EXPECT_FALSE(w.commit());
    }
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    CsvWriter w(path);
    ASSERT_TRUE(w.open());
    ASSERT_TRUE(w.writeRow({"new"}));
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(ReadBytes(path), "new\r\n");

    CsvWriter nowhere(env.root() + "/no/such/folder/x.csv");
    EXPECT_FALSE(nowhere.open());
    EXPECT_FALSE(nowhere.writeRow({"x"}));
    EXPECT_FALSE(nowhere.commit());
}
