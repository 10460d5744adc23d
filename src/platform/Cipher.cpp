#include "platform/Cipher.h"

#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/kdf.h>
#include <openssl/params.h>
#include <openssl/rand.h>

#include <memory>

namespace vm {

namespace {

// AES-256-SIV takes two 256-bit keys (MAC key, CTR key); its tag is the SIV.
constexpr int kSivKeyBytes = 64;
constexpr int kSivTagBytes = 16;

constexpr const char* kTextCipherInfo = "velmora/text-cipher/v1";
constexpr const char* kCardCipherInfo = "velmora/card-cipher/v1:";

using CipherPtr = std::unique_ptr<EVP_CIPHER, decltype(&EVP_CIPHER_free)>;
using CipherCtxPtr = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;
using KdfPtr = std::unique_ptr<EVP_KDF, decltype(&EVP_KDF_free)>;
using KdfCtxPtr = std::unique_ptr<EVP_KDF_CTX, decltype(&EVP_KDF_CTX_free)>;

const EVP_CIPHER* sivCipher() {
    static const CipherPtr cipher(EVP_CIPHER_fetch(nullptr, "AES-256-SIV", nullptr),
                                  &EVP_CIPHER_free);
    return cipher.get();
}

// Key material that is wiped when it goes out of scope.
struct SecretBytes {
    QByteArray bytes;
    ~SecretBytes() {
        if (!bytes.isEmpty()) OPENSSL_cleanse(bytes.data(), size_t(bytes.size()));
    }
};

// HKDF-SHA256(secret, info) -> 64-byte SIV key; empty on failure.
QByteArray deriveSivKey(const QByteArray& secret, const QByteArray& info) {
    if (secret.isEmpty()) return {};
    KdfPtr kdf(EVP_KDF_fetch(nullptr, "HKDF", nullptr), &EVP_KDF_free);
    if (!kdf) return {};
    KdfCtxPtr ctx(EVP_KDF_CTX_new(kdf.get()), &EVP_KDF_CTX_free);
    if (!ctx) return {};
    char digest[] = "SHA256";
    OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_KDF_PARAM_DIGEST, digest, 0),
        OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_KEY, const_cast<char*>(secret.constData()),
                                          size_t(secret.size())),
        OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_INFO, const_cast<char*>(info.constData()),
                                          size_t(info.size())),
        OSSL_PARAM_construct_end(),
    };
    QByteArray key(kSivKeyBytes, '\0');
    if (EVP_KDF_derive(ctx.get(), reinterpret_cast<unsigned char*>(key.data()), size_t(key.size()),
                       params) != 1) {
        OPENSSL_cleanse(key.data(), size_t(key.size()));
        return {};
    }
    return key;
}

// tag || cipher text; empty on failure (clear is never empty here).
QByteArray sivEncrypt(const QByteArray& key, const QByteArray& clear) {
    const EVP_CIPHER* cipher = sivCipher();
    CipherCtxPtr ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!cipher || !ctx || key.size() != kSivKeyBytes) return {};
    const auto* k = reinterpret_cast<const unsigned char*>(key.constData());
    if (EVP_EncryptInit_ex2(ctx.get(), cipher, k, nullptr, nullptr) != 1) return {};
    QByteArray out(kSivTagBytes + clear.size(), '\0');
    auto* body = reinterpret_cast<unsigned char*>(out.data()) + kSivTagBytes;
    int len = 0;
    int finalLen = 0;
    if (EVP_EncryptUpdate(ctx.get(), body, &len,
                          reinterpret_cast<const unsigned char*>(clear.constData()),
                          int(clear.size())) != 1 ||
        len != clear.size() || EVP_EncryptFinal_ex(ctx.get(), body + len, &finalLen) != 1 ||
        finalLen != 0 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_AEAD_GET_TAG, kSivTagBytes, out.data()) != 1)
        return {};
    return out;
}

// Clear bytes, or nullopt when the value was not made under this key (tag check).
std::optional<QByteArray> sivDecrypt(const QByteArray& key, const QByteArray& sealed) {
    const EVP_CIPHER* cipher = sivCipher();
    CipherCtxPtr ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!cipher || !ctx || key.size() != kSivKeyBytes || sealed.size() <= kSivTagBytes)
        return std::nullopt;
    const auto* k = reinterpret_cast<const unsigned char*>(key.constData());
    QByteArray tag = sealed.left(kSivTagBytes);
    if (EVP_DecryptInit_ex2(ctx.get(), cipher, k, nullptr, nullptr) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_AEAD_SET_TAG, kSivTagBytes, tag.data()) != 1)
        return std::nullopt;
    const int bodySize = int(sealed.size()) - kSivTagBytes;
    QByteArray clear(bodySize, '\0');
    auto* out = reinterpret_cast<unsigned char*>(clear.data());
    int len = 0;
    int finalLen = 0;
    if (EVP_DecryptUpdate(ctx.get(), out, &len,
                          reinterpret_cast<const unsigned char*>(sealed.constData()) + kSivTagBytes,
                          bodySize) != 1 ||
        len != bodySize || EVP_DecryptFinal_ex(ctx.get(), out + len, &finalLen) != 1) {
        OPENSSL_cleanse(clear.data(), size_t(clear.size()));
        return std::nullopt;
    }
    return clear;
}

CipherResult failure(const char* message, const char* title = "") {
    return CipherResult{QString(), QString::fromLatin1(message), QString::fromLatin1(title)};
}

CipherResult encryptUnder(const QByteArray& secret, const QByteArray& info, const QString& clear) {
    if (clear.isEmpty()) return {};
    SecretBytes key{deriveSivKey(secret, info)};
    if (key.bytes.isEmpty()) return failure(kMsgEncryptionFailed);
    const QByteArray sealed = sivEncrypt(key.bytes, clear.toUtf8());
    if (sealed.isEmpty()) return failure(kMsgEncryptionFailed);
    return CipherResult{TextToHex(sealed), {}, {}};
}

CipherResult decryptUnder(const QByteArray& secret, const QByteArray& info, const QString& stored) {
    // Stored empty texts may come back as the one-space form " ".
    const QString hex = stored.trimmed();
    if (hex.isEmpty()) return {};
    const std::optional<QByteArray> sealed = HexToText(hex);
    if (!sealed) return failure(kMsgDataCorrupted, kTitleDataCorrupted);
    SecretBytes key{deriveSivKey(secret, info)};
    if (key.bytes.isEmpty()) return failure(kMsgDecryptionFailed);
    const std::optional<QByteArray> clear = sivDecrypt(key.bytes, *sealed);
    if (!clear) return failure(kMsgDecryptionFailed);
    return CipherResult{QString::fromUtf8(*clear), {}, {}};
}

QByteArray cardInfo(const QString& recordValue) {
    return QByteArray(kCardCipherInfo) + NormalizeRecordValue(recordValue).toUtf8();
}

} // namespace

CipherKeys CipherKeys::builtIn(bool maskedMode) {
    return CipherKeys{QByteArrayLiteral("E8gNLFaSkRHMEQau"), QByteArrayLiteral("5DVywkVCfXKFhVma"),
                      maskedMode};
}

const QByteArray& CipherKeys::keyFor(bool masked) const {
    return (maskedMode && !masked) ? maskedKey : normalKey;
}

std::optional<QByteArray> HexToText(const QString& hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    for (QChar c : hex) {
        const char16_t u = c.unicode();
        const bool isHex =
            (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
        if (!isHex) return std::nullopt;
    }
    return QByteArray::fromHex(hex.toLatin1());
}

QString TextToHex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

CipherResult TryEncryptOriginal(const QString& text, bool masked, const CipherKeys& keys) {
    return encryptUnder(keys.keyFor(masked), kTextCipherInfo, text);
}

CipherResult TryDecryptOriginal(const QString& stored, bool masked, const CipherKeys& keys) {
    return decryptUnder(keys.keyFor(masked), kTextCipherInfo, stored);
}

QString EncryptOriginal(const QString& text, bool masked, const CipherKeys& keys) {
    return TryEncryptOriginal(text, masked, keys).text;
}

QString DecryptOriginal(const QString& stored, bool masked, const CipherKeys& keys) {
    return TryDecryptOriginal(stored, masked, keys).text;
}

QString NormalizeRecordValue(const QString& recordValue) {
    const QString value = recordValue.trimmed();
    if (value.size() >= 4) return value.right(4);
    return QString(4 - value.size(), QLatin1Char('0')) + value;
}

CipherResult TryEncryptWithTemplate(const QString& clear, const QString& keyTemplate,
                                    const QString& recordValue) {
    return encryptUnder(keyTemplate.trimmed().toUtf8(), cardInfo(recordValue), clear);
}

CipherResult TryDecryptWithTemplate(const QString& stored, const QString& keyTemplate,
                                    const QString& recordValue) {
    return decryptUnder(keyTemplate.trimmed().toUtf8(), cardInfo(recordValue), stored);
}

QString EncryptWithTemplate(const QString& clear, const QString& keyTemplate,
                            const QString& recordValue) {
    return TryEncryptWithTemplate(clear, keyTemplate, recordValue).text;
}

QString DecryptWithTemplate(const QString& stored, const QString& keyTemplate,
                            const QString& recordValue) {
    return TryDecryptWithTemplate(stored, keyTemplate, recordValue).text;
}

QString NewKeyTemplate() {
    QByteArray bytes(32, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), int(bytes.size())) != 1)
        return {};
    return TextToHex(bytes);
}

} // namespace vm
