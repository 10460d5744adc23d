#include "platform/PasswordHash.h"

#include <QByteArray>
#include <QStringList>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <atomic>
#include <optional>

namespace vm {

namespace {

// N = 2^14, r = 8, p = 1: about 16 MiB and a few tens of milliseconds per hash.
constexpr quint64 kCostN = 16384;
constexpr quint64 kBlockR = 8;
constexpr quint64 kParallelP = 1;
constexpr int kSaltBytes = 16;
constexpr int kHashBytes = 32;

// Bounds for parameters read back from storage, so a damaged or hostile value
// cannot make a logon take minutes or gigabytes.
constexpr quint64 kMaxN = quint64(1) << 20;
constexpr quint64 kMaxR = 32;
constexpr quint64 kMaxP = 16;
constexpr quint64 kMaxWork = quint64(1) << 21; // N * r * p
constexpr quint64 kMaxMem = quint64(256) << 20;

const QString kPrefix = QStringLiteral("scrypt");

std::atomic<quint64> checksRun{0};

struct Stored {
    quint64 n = 0;
    quint64 r = 0;
    quint64 p = 0;
    QByteArray salt;
    QByteArray hash;
};

QByteArray normalized(const QString& password) {
    return password.trimmed().toUpper().toUtf8();
}

std::optional<quint64> parseNumber(const QString& text) {
    if (text.isEmpty() || text.size() > 9) return std::nullopt;
    quint64 value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        value = value * 10 + quint64(c.unicode() - '0');
    }
    return value;
}

std::optional<QByteArray> parseHex(const QString& text, int minBytes, int maxBytes) {
    if (text.size() % 2 != 0 || text.size() < 2 * minBytes || text.size() > 2 * maxBytes)
        return std::nullopt;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            return std::nullopt;
    }
    return QByteArray::fromHex(text.toLatin1());
}

std::optional<Stored> parse(const QString& stored) {
    const QStringList parts = stored.trimmed().split(QLatin1Char('$'));
    if (parts.size() != 6 || parts[0] != kPrefix) return std::nullopt;
    const auto n = parseNumber(parts[1]);
    const auto r = parseNumber(parts[2]);
    const auto p = parseNumber(parts[3]);
    const auto salt = parseHex(parts[4], 8, 64);
    const auto hash = parseHex(parts[5], 16, 64);
    if (!n || !r || !p || !salt || !hash) return std::nullopt;
    const bool powerOfTwo = *n >= 2 && (*n & (*n - 1)) == 0;
    if (!powerOfTwo || *n > kMaxN || *r < 1 || *r > kMaxR || *p < 1 || *p > kMaxP ||
        *n * *r * *p > kMaxWork)
        return std::nullopt;
    return Stored{*n, *r, *p, *salt, *hash};
}

QByteArray scrypt(const QByteArray& password, const QByteArray& salt, quint64 n, quint64 r,
                  quint64 p, int length) {
    ++checksRun;
    QByteArray out(length, '\0');
    const int ok = EVP_PBE_scrypt(password.constData(), size_t(password.size()),
                                  reinterpret_cast<const unsigned char*>(salt.constData()),
                                  size_t(salt.size()), n, r, p, kMaxMem,
                                  reinterpret_cast<unsigned char*>(out.data()), size_t(length));
    if (ok != 1) return {};
    return out;
}

} // namespace

QString HashPassword(const QString& password) {
    QByteArray salt(kSaltBytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(salt.data()), kSaltBytes) != 1) return {};
    QByteArray clear = normalized(password);
    const QByteArray hash = scrypt(clear, salt, kCostN, kBlockR, kParallelP, kHashBytes);
    OPENSSL_cleanse(clear.data(), size_t(clear.size()));
    if (hash.isEmpty()) return {};
    return QStringLiteral("%1$%2$%3$%4$%5$%6")
        .arg(kPrefix)
        .arg(kCostN)
        .arg(kBlockR)
        .arg(kParallelP)
        .arg(QString::fromLatin1(salt.toHex()), QString::fromLatin1(hash.toHex()));
}

bool CheckPasswordHash(const QString& password, const QString& stored) {
    const std::optional<Stored> s = parse(stored);
    if (!s) return false;
    QByteArray clear = normalized(password);
    const QByteArray hash = scrypt(clear, s->salt, s->n, s->r, s->p, int(s->hash.size()));
    OPENSSL_cleanse(clear.data(), size_t(clear.size()));
    return !hash.isEmpty() && hash.size() == s->hash.size() &&
           CRYPTO_memcmp(hash.constData(), s->hash.constData(), size_t(hash.size())) == 0;
}

bool LooksHashed(const QString& stored) {
    return parse(stored).has_value();
}

bool CheckPasswordHashDecoy(const QString& password) {
    static const QByteArray salt(kSaltBytes, '\x5a');
    QByteArray clear = normalized(password);
    scrypt(clear, salt, kCostN, kBlockR, kParallelP, kHashBytes);
    OPENSSL_cleanse(clear.data(), size_t(clear.size()));
    return false;
}

quint64 PasswordChecksRun() {
    return checksRun.load();
}

} // namespace vm
