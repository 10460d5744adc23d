// The CSV reader on the awkward files other programs write.

#include "platform/CsvReader.h"

#include <gtest/gtest.h>

using namespace vm;

namespace {

struct ReadCase {
    const char* what;
    QByteArray bytes;
    std::vector<std::pair<int, QStringList>> records; // line, cells
};

struct FaultCase {
    const char* what;
    QByteArray bytes;
    CsvLimits limits;
    int line;
    int column;
    const char* startsWith;
};

} // namespace

TEST(ImpCsvReader, ReadsQuotedCellsLineBreaksAndEncodingsAsSpreadsheetsWriteThem) {
    const std::vector<ReadCase> cases{
        {"LF lines, no final break", "a,b\n1,2", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        {"CRLF lines", "a,b\r\n1,2\r\n", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        {"lone CR lines", "a,b\r1,2\r", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        {"quoted comma and doubled quotes",
         "name,said\n\"Smith, Jo\",\"He said \"\"hi\"\"\"\n",
         {{1, {"name", "said"}}, {2, {"Smith, Jo", "He said \"hi\""}}}},
        {"line breaks inside quotes keep the next record's line",
         "n,notes\r\nA,\"one\r\ntwo\nthree\"\r\nB,x\r\n",
         {{1, {"n", "notes"}}, {2, {"A", "one\ntwo\nthree"}}, {5, {"B", "x"}}}},
        {"BOM, accents and blank lines",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9,x\n\n\r\nZ\xC3\xBCrich,\"\"\n",
         {{1, {QString::fromUtf8("caf\xC3\xA9"), "x"}},
          {4, {QString::fromUtf8("Z\xC3\xBCrich"), ""}}}},
        {"empty cells and blanks after a closing quote", ",\"a\"  ,\n", {{1, {"", "a", ""}}}},
        {"a quote inside a bare cell is kept", "5\" pipe,x\n", {{1, {"5\" pipe", "x"}}}},
    };
    for (const ReadCase& c : cases) {
        const CsvContent got = CsvReader::parse(c.bytes);
        ASSERT_TRUE(got.ok()) << c.what << ": " << got.fault.text.toStdString();
        ASSERT_EQ(got.records.size(), c.records.size()) << c.what;
        for (size_t i = 0; i < c.records.size(); ++i) {
            EXPECT_EQ(got.records[i].line, c.records[i].first) << c.what << " record " << i;
            EXPECT_EQ(got.records[i].cells, c.records[i].second) << c.what << " record " << i;
        }
    }
}

TEST(ImpCsvReader, RefusesWhatItCannotReadFaithfullyNamingTheLine) {
    CsvLimits small;
    small.maxFileBytes = 20;
    CsvLimits shortCells;
    shortCells.maxCellChars = 5;
    CsvLimits fewCells;
    fewCells.maxCells = 3;
    const std::vector<FaultCase> cases{
        {"cut off inside a quoted cell", "a,b\n1,\"two\nlines", {}, 2, 1, "The file ends inside"},
        {"text after a closing quote", "a,b\n\"x\"y,2\n", {}, 2, 0, "A quoted cell is followed"},
        {"binary data", QByteArray("a,b\n1,2\n3,\0", 11), {}, 3, -1, "The file holds binary"},
        {"not UTF-8 (Latin-1)", "a,b\ncaf\xE9,1\n", {}, 2, -1, "The file is not UTF-8"},
        {"a sequence cut short at the end", "a,b\n1,\xC3", {}, 2, -1, "The file is not UTF-8"},
        {"a file over the size limit", "a,b\n123456789,123456789\n", small, 0, -1,
         "The file is larger than"},
        {"a cell over the length limit", "a,b\n1,123456\n", shortCells, 2, 1,
         "The cell is longer than 5"},
        {"too many cells", "a,b\n1,2,3,4,5\n", fewCells, 2, -1, "The line has more than 3"},
    };
    for (const FaultCase& c : cases) {
        const CsvContent got = CsvReader::parse(c.bytes, c.limits);
        ASSERT_FALSE(got.ok()) << c.what;
        EXPECT_EQ(got.fault.line, c.line) << c.what;
        EXPECT_EQ(got.fault.column, c.column) << c.what;
        EXPECT_TRUE(got.fault.text.startsWith(c.startsWith))
            << c.what << ": " << got.fault.text.toStdString();
    }
}
