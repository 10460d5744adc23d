// Cut-off, binary and oversized files fed to the reader and the import in a
// seeded random loop: each gives a message, none crashes, none writes a row.

#include "ImpFixture.h"

#include <QElapsedTimer>
#include <random>

using namespace vm;
using namespace vm::test;

namespace {

// Every cell quoted and the last one required: a file cut anywhere inside a
// line is then always detectably incomplete.
QByteArray SampleFile() {
    QByteArray text = "\"First Name\",\"Notes\",\"Last Name\"\r\n";
    for (int i = 0; i < 12; ++i)
        text += "\"Guest " + QByteArray::number(i) + "\",\"Likes \"\"quiet\"\"\r\nrooms\",\"Caf" +
                "\xC3\xA9 " + QByteArray::number(i) + "\"\r\n";
    return text;
}

// A cut strictly inside a line (not next to a line break, not the whole file).
qsizetype MidLineCut(const QByteArray& text, std::mt19937& rng) {
    for (;;) {
        const qsizetype at = std::uniform_int_distribution<qsizetype>(1, text.size() - 1)(rng);
        const auto isBreak = [](char c) { return c == '\n' || c == '\r'; };
        if (!isBreak(text[at - 1]) && !isBreak(text[at])) return at;
    }
}

} // namespace

TEST_F(ImpFixture, ImpFuzzDamagedFilesGiveAMessageAndWriteNothing) {
    const QByteArray sample = SampleFile();
    {
        CsvImport whole(ImportKind::Profiles);
        ASSERT_TRUE(whole.loadData(sample));
        whole.validate(ctx());
        ASSERT_TRUE(whole.ready()) << texts(whole.problems()); // the undamaged file is good
    }
    CsvLimits limits;
    limits.maxFileBytes = sample.size() + 64;
    limits.maxCellChars = 40;
    std::mt19937 rng(20261208);
    QElapsedTimer clock;
    clock.start();
    int rounds = 0;
    for (; rounds < 400 && clock.elapsed() < 2000; ++rounds) {
        QByteArray damaged = sample;
        const int how = rounds % 4;
        switch (how) {
        case 0: // cut off
            damaged.truncate(MidLineCut(sample, rng));
            break;
        case 1: { // binary bytes let in somewhere
            const qsizetype at = std::uniform_int_distribution<qsizetype>(0, sample.size())(rng);
            QByteArray noise(std::uniform_int_distribution<int>(1, 8)(rng), '\0');
            for (char& b : noise)
                b = char(std::uniform_int_distribution<int>(0, 255)(rng));
            noise[0] = rounds % 8 == 1 ? '\0' : '\xFF'; // never text
            damaged.insert(at, noise);
            break;
        }
        case 2: // over the size limit
            damaged += QByteArray(std::uniform_int_distribution<int>(65, 4000)(rng), 'x');
            break;
        case 3: { // one cell over the length limit
            const qsizetype at = sample.indexOf("Likes") + 1;
            damaged.insert(at, QByteArray(std::uniform_int_distribution<int>(30, 60)(rng), 'z'));
            break;
        }
        }
        CsvImport import(ImportKind::Profiles);
        const bool loaded = import.loadData(damaged, limits);
        if (loaded) import.validate(ctx());
        EXPECT_TRUE(!loaded ? !import.error().isEmpty() : !import.problems().empty())
            << "round " << rounds << " (" << how << "): " << damaged.toStdString();
        EXPECT_EQ(import.write(ctx()).imported, 0) << "round " << rounds;
        if (how == 3) // the cell is named by its column's heading
            EXPECT_TRUE(import.error().startsWith("Line 2, Notes: The cell is longer than 40"))
                << import.error().toStdString();
    }
    EXPECT_GE(rounds, 40);
    EXPECT_EQ(count(ctx().db(), "Profile"), 0);
    EXPECT_EQ(count(ctx().db(), "EvConText"), 0);

    // Pure noise never crashes the reader, whatever it makes of it.
    for (int i = 0; i < 200 && clock.elapsed() < 2500; ++i) {
        QByteArray noise(std::uniform_int_distribution<int>(0, 2000)(rng), '\0');
        for (char& b : noise)
            b = "a,\"\r\n \xC3\xA9\x00\xFF"[std::uniform_int_distribution<int>(0, 10)(rng)];
        const CsvContent read = CsvReader::parse(noise, limits);
        EXPECT_TRUE(read.ok() || !read.fault.text.isEmpty());
    }
}
