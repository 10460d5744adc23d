#include "platform/PasswordHash.h"

#include <QByteArray>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <openssl/evp.h>

using namespace vm;

TEST(PasswordHash, StoredFormDescribesItself) {
    const QString stored = HashPassword(QStringLiteral("Summer2024"));
    static const QRegularExpression re(
        QStringLiteral("^scrypt\\$16384\\$8\\$1\\$[0-9a-f]{32}\\$[0-9a-f]{64}$"));
    EXPECT_TRUE(re.match(stored).hasMatch()) << stored.toStdString();
    EXPECT_TRUE(LooksHashed(stored));
}

TEST(PasswordHash, ChecksTrimmedUpperCasedPassword) {
    const QString stored = HashPassword(QStringLiteral("  Summer2024 "));
    const struct {
        const char* typed;
        bool ok;
    } cases[] = {
        {"Summer2024", true},     {"SUMMER2024", true},  {"summer2024", true},
        {"  summer2024\t", true}, {"Summer2025", false}, {"Summer 2024", false},
        {"Summer202", false},     {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckPasswordHash(QString::fromLatin1(c.typed), stored), c.ok) << c.typed;
}

TEST(PasswordHash, AccentedPasswordIsCaseInsensitiveToo) {
    const QString stored = HashPassword(QStringLiteral("crème"));
    EXPECT_TRUE(CheckPasswordHash(QStringLiteral("CRÈME"), stored));
    EXPECT_FALSE(CheckPasswordHash(QStringLiteral("CREME"), stored));
}

TEST(PasswordHash, SamePasswordGetsDifferentSalt) {
    const QString a = HashPassword(QStringLiteral("desk"));
    const QString b = HashPassword(QStringLiteral("desk"));
    EXPECT_NE(a, b);
    EXPECT_TRUE(CheckPasswordHash(QStringLiteral("desk"), a));
    EXPECT_TRUE(CheckPasswordHash(QStringLiteral("desk"), b));
}

TEST(PasswordHash, UsesParametersReadFromStoredValue) {
    // A hash written with other cost parameters still verifies.
    const QByteArray salt = QByteArray::fromHex("00112233445566778899aabbccddeeff");
    QByteArray key(32, '\0');
    ASSERT_EQ(EVP_PBE_scrypt("NIGHT AUDIT", 11,
                             reinterpret_cast<const unsigned char*>(salt.constData()),
                             size_t(salt.size()), 1024, 4, 2, 0,
                             reinterpret_cast<unsigned char*>(key.data()), size_t(key.size())),
              1);
    const QString stored =
        QStringLiteral("scrypt$1024$4$2$%1$%2")
            .arg(QString::fromLatin1(salt.toHex()), QString::fromLatin1(key.toHex()));
    EXPECT_TRUE(CheckPasswordHash(QStringLiteral("night audit"), stored));
    EXPECT_FALSE(CheckPasswordHash(QStringLiteral("night audi"), stored));
}

TEST(PasswordHash, ValuesNotInHashFormNeverMatch) {
    const QString good = HashPassword(QStringLiteral("LOBBY"));
    const QStringList parts = good.split(QLatin1Char('$'));
    ASSERT_EQ(parts.size(), 6);
    auto with = [&](int index, const QString& value) {
        QStringList p = parts;
        p[index] = value;
        return p.join(QLatin1Char('$'));
    };
    const QString bad[] = {
        QString(),
        QStringLiteral("LOBBY"),                            // a clear password
        QStringLiteral("A1B2C3D4E5F60718293A4B5C6D7E8F90"), // an older cipher text
        QStringLiteral("bcrypt$16384$8$1$") + parts[4] + QLatin1Char('$') + parts[5],
        good + QStringLiteral("$00"),
        with(1, QStringLiteral("16383")), // not a power of two
        with(1, QStringLiteral("1")),
        with(1, QStringLiteral("1073741824")), // far beyond the bounds
        with(1, QStringLiteral("+16384")),
        with(2, QStringLiteral("0")),
        with(3, QStringLiteral("999")),
        with(4, QStringLiteral("zz") + parts[4].mid(2)),
        with(4, parts[4].left(31)),
        with(5, QString()),
        with(5, parts[5].left(20)),
    };
    for (const QString& stored : bad) {
        EXPECT_FALSE(LooksHashed(stored)) << stored.toStdString();
        EXPECT_FALSE(CheckPasswordHash(QStringLiteral("LOBBY"), stored)) << stored.toStdString();
    }
    // Well-formed but altered: still the hash form, but no match.
    const QString altered =
        with(5, (parts[5][0] == QLatin1Char('0') ? QStringLiteral("1") : QStringLiteral("0")) +
                    parts[5].mid(1));
    EXPECT_TRUE(LooksHashed(altered));
    EXPECT_FALSE(CheckPasswordHash(QStringLiteral("LOBBY"), altered));
    EXPECT_TRUE(CheckPasswordHash(QStringLiteral("LOBBY"), good));
}
