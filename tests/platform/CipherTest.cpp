#include "platform/Cipher.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace vm;

namespace {

const CipherKeys kKeys = CipherKeys::builtIn(false);
const CipherKeys kMaskedKeys = CipherKeys::builtIn(true);

bool isUpperHex(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^([0-9A-F]{2})+$"));
    return re.match(s).hasMatch();
}

// Replaces the hex digit at pos by a different one.
QString flipDigit(QString hex, int pos) {
    hex[pos] = hex[pos] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    return hex;
}

const QString kLong = QString(QStringLiteral("Room 1204, late check-out; ")).repeated(400);

} // namespace

TEST(HexToText, DecodesPairsInEitherCase) {
    EXPECT_EQ(HexToText(QStringLiteral("0aFF41")), QByteArray("\x0a\xff\x41", 3));
    EXPECT_EQ(HexToText(QString()), QByteArray());
    EXPECT_EQ(TextToHex(QByteArray("\x0a\xff\x41", 3)), QStringLiteral("0AFF41"));
}

TEST(HexToText, RefusesAnythingButPairsOfHexDigits) {
    for (const char* bad : {"ABC", "XY12", "12 34", "0x12", "12G0", "-1"})
        EXPECT_FALSE(HexToText(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(TextCipher, RoundTripsAndStoresUpperCaseHex) {
    const QString samples[] = {
        QStringLiteral("PASSWORD1"),
        QStringLiteral("Crème brûlée für Zoë — 東京"),
        kLong,
        QStringLiteral("x"),
    };
    for (const CipherKeys& keys : {kKeys, kMaskedKeys}) {
        for (bool masked : {false, true}) {
            for (const QString& clear : samples) {
                const CipherResult enc = TryEncryptOriginal(clear, masked, keys);
                ASSERT_TRUE(enc.ok()) << enc.error.toStdString();
                EXPECT_TRUE(isUpperHex(enc.text));
                // 16-byte tag, then one cipher byte per UTF-8 byte.
                EXPECT_EQ(enc.text.size(), 2 * (16 + clear.toUtf8().size()));
                EXPECT_NE(enc.text, TextToHex(clear.toUtf8()));
                const CipherResult dec = TryDecryptOriginal(enc.text, masked, keys);
                ASSERT_TRUE(dec.ok()) << dec.error.toStdString();
                EXPECT_EQ(dec.text, clear);
            }
        }
    }
}

TEST(TextCipher, EmptyTextStaysEmpty) {
    const CipherResult enc = TryEncryptOriginal(QString(), false, kKeys);
    EXPECT_TRUE(enc.ok());
    EXPECT_EQ(enc.text, QString());
    for (const QString& stored : {QString(), QStringLiteral(" ")}) {
        const CipherResult dec = TryDecryptOriginal(stored, false, kKeys);
        EXPECT_TRUE(dec.ok());
        EXPECT_EQ(dec.text, QString());
    }
}

TEST(TextCipher, IsDeterministicPerKey) {
    const QString clear = QStringLiteral("MYPASSWORD");
    EXPECT_EQ(EncryptOriginal(clear, false, kKeys), EncryptOriginal(clear, false, kKeys));
    EXPECT_NE(EncryptOriginal(clear, false, kKeys),
              EncryptOriginal(QStringLiteral("MYPASSWORE"), false, kKeys));

    const CipherKeys other{"0123456789abcdef", "fedcba9876543210", false};
    EXPECT_NE(EncryptOriginal(clear, false, kKeys), EncryptOriginal(clear, false, other));
    // In masked mode the two key texts give different stored texts.
    EXPECT_NE(EncryptOriginal(clear, false, kMaskedKeys),
              EncryptOriginal(clear, true, kMaskedKeys));
}

TEST(TextCipher, StoredFormIsStableAcrossReleases) {
    // Stored passwords and masked answers must stay readable: a change of cipher,
    // key derivation or built-in keys breaks every existing database.
    const QString stored = EncryptOriginal(QStringLiteral("Velmora"), false, kKeys);
    EXPECT_EQ(stored, QStringLiteral("CE352FF8DDE8909EC5B29544F00EF39E494ABC2F827F8C"));
    EXPECT_EQ(EncryptWithTemplate(QStringLiteral("4111111111111111"),
                                  QStringLiteral("00112233445566778899AABBCCDDEEFF"),
                                  QStringLiteral("42")),
              QStringLiteral("F67AFA3CD4345265DEF58566C0BACBBB64DBA6F684135E9A3DB08CE68A264716"));
}

TEST(TextCipher, MaskedKeyOnlyInMaskedModeWithoutMaskedArgument) {
    const QByteArray normal = "N0rmalKeyText16c";
    const QByteArray masked = "M4skedKeyText16c";
    struct Case {
        bool maskedMode;
        bool maskedArg;
        QByteArray expectedKey;
    };
    const Case cases[] = {
        {false, false, normal},
        {false, true, normal},
        {true, false, masked},
        {true, true, normal},
    };
    const QString clear = QStringLiteral("secret");
    for (const Case& c : cases) {
        const CipherKeys keys{normal, masked, c.maskedMode};
        const CipherKeys only{c.expectedKey, c.expectedKey, false};
        EXPECT_EQ(EncryptOriginal(clear, c.maskedArg, keys), EncryptOriginal(clear, false, only))
            << "maskedMode=" << c.maskedMode << " masked=" << c.maskedArg;
        EXPECT_EQ(DecryptOriginal(EncryptOriginal(clear, false, only), c.maskedArg, keys), clear);
    }
}

TEST(TextCipher, TamperedValueFailsDecryption) {
    const QString stored = EncryptOriginal(QStringLiteral("GUEST PIN 4471"), false, kKeys);
    ASSERT_FALSE(stored.isEmpty());
    const QString tampered[] = {
        flipDigit(stored, 0),                      // in the tag
        flipDigit(stored, int(stored.size()) / 2), // in the body
        flipDigit(stored, int(stored.size()) - 1), // last digit
        stored.left(32),                           // tag only
        stored.left(stored.size() - 2),            // one byte cut
        stored + QStringLiteral("00"),             // one byte added
    };
    for (const QString& t : tampered) {
        const CipherResult r = TryDecryptOriginal(t, false, kKeys);
        EXPECT_EQ(r.error, QString::fromLatin1(kMsgDecryptionFailed)) << t.toStdString();
        EXPECT_EQ(r.text, QString());
        EXPECT_EQ(DecryptOriginal(t, false, kKeys), QString());
    }
    // Under the other key the value is not readable either.
    EXPECT_EQ(TryDecryptOriginal(stored, false, kMaskedKeys).error,
              QString::fromLatin1(kMsgDecryptionFailed));
    EXPECT_EQ(TryDecryptOriginal(stored, true, kMaskedKeys).text, QStringLiteral("GUEST PIN 4471"));
}

TEST(TextCipher, AcceptsLowerCaseStoredHex) {
    const QString stored = EncryptOriginal(QStringLiteral("abc"), false, kKeys);
    EXPECT_EQ(DecryptOriginal(stored.toLower(), false, kKeys), QStringLiteral("abc"));
}

TEST(TextCipher, CorruptedStoredTextReportsDataCorrupted) {
    for (const char* bad : {"NOTHEX", "ABC", "A1B2C3D4E5F6A7B8C9D0E1F2A3B4C5D6E7F8Z9"}) {
        const CipherResult r = TryDecryptOriginal(QString::fromLatin1(bad), false, kKeys);
        EXPECT_EQ(r.error, QStringLiteral("Data string is corrupted.  Cannot be Decrypted."))
            << bad;
        EXPECT_EQ(r.errorTitle, QStringLiteral("Data corrupted"));
        EXPECT_EQ(r.text, QString());
    }
}

TEST(TextCipher, EmptyKeyRefusesToEncrypt) {
    const CipherKeys none{QByteArray(), QByteArray(), false};
    const CipherResult r = TryEncryptOriginal(QStringLiteral("x"), false, none);
    EXPECT_EQ(r.error, QStringLiteral("Encryption Failed"));
    EXPECT_EQ(r.text, QString());
}

TEST(CardCipher, RecordValueUsesItsLastFourCharactersZeroPadded) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"", "0000"},     {"7", "0007"},     {"123", "0123"},
        {"1234", "1234"}, {"98765", "8765"}, {" 12 ", "0012"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeRecordValue(QString::fromLatin1(c.in)), QString::fromLatin1(c.out))
            << c.in;
}

TEST(CardCipher, RoundTripsUnderTemplateAndRecordValue) {
    const QString tmpl = NewKeyTemplate();
    const QString card = QStringLiteral("4111 1111 1111 1111");
    const CipherResult enc = TryEncryptWithTemplate(card, tmpl, QStringLiteral("1207"));
    ASSERT_TRUE(enc.ok());
    EXPECT_TRUE(isUpperHex(enc.text));
    EXPECT_EQ(enc.text, EncryptWithTemplate(card, tmpl, QStringLiteral("1207")));
    EXPECT_EQ(DecryptWithTemplate(enc.text, tmpl, QStringLiteral("1207")), card);
    // The same record in its padded or longer form gives the same key.
    const QString stored = EncryptWithTemplate(card, tmpl, QStringLiteral("12"));
    EXPECT_EQ(DecryptWithTemplate(stored, tmpl, QStringLiteral("0012")), card);
    EXPECT_EQ(DecryptWithTemplate(stored, tmpl, QStringLiteral("50012")), card);
    EXPECT_EQ(EncryptWithTemplate(QString(), tmpl, QStringLiteral("12")), QString());
}

TEST(CardCipher, OtherRecordValueOrTemplateCannotDecrypt) {
    const QString tmpl = NewKeyTemplate();
    const QString card = QStringLiteral("378282246310005");
    const QString stored = EncryptWithTemplate(card, tmpl, QStringLiteral("1207"));
    EXPECT_NE(stored, EncryptWithTemplate(card, tmpl, QStringLiteral("1208")));

    for (const QString& record : {QStringLiteral("1208"), QStringLiteral("2107"), QString()}) {
        const CipherResult r = TryDecryptWithTemplate(stored, tmpl, record);
        EXPECT_EQ(r.error, QStringLiteral("Decryption Failed"));
        EXPECT_EQ(r.text, QString());
    }
    const CipherResult r = TryDecryptWithTemplate(stored, NewKeyTemplate(), QStringLiteral("1207"));
    EXPECT_EQ(r.error, QStringLiteral("Decryption Failed"));
    // The text cipher under the same secret is a different key.
    EXPECT_EQ(DecryptOriginal(stored, false, CipherKeys{tmpl.toUtf8(), tmpl.toUtf8(), false}),
              QString());
}

TEST(CardCipher, EmptyTemplateIsRefused) {
    EXPECT_EQ(TryEncryptWithTemplate(QStringLiteral("4111111111111111"), QStringLiteral("  "),
                                     QStringLiteral("1"))
                  .error,
              QStringLiteral("Encryption Failed"));
    const QString stored = EncryptWithTemplate(QStringLiteral("4111111111111111"), NewKeyTemplate(),
                                               QStringLiteral("1"));
    EXPECT_EQ(TryDecryptWithTemplate(stored, QString(), QStringLiteral("1")).error,
              QStringLiteral("Decryption Failed"));
}

TEST(CardCipher, NewKeyTemplateIsRandom32Bytes) {
    const QString a = NewKeyTemplate();
    const QString b = NewKeyTemplate();
    EXPECT_EQ(a.size(), 64);
    EXPECT_TRUE(isUpperHex(a));
    EXPECT_NE(a, b);
}
