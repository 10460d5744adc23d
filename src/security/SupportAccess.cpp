#include "security/SupportAccess.h"

#include "platform/Signature.h"

#include <QMutex>
#include <QSet>
#include <QSettings>

#include <optional>

namespace vm {

namespace {

constexpr int kChallengeBytes = 10;
constexpr int kSignatureBytes = 64;
const char kAlphabet[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
// Keeps the key from ever signing, for this purpose, something that means anything else.
const QByteArray kDomain = QByteArrayLiteral("velmora-support-v1:");

QString encode(const QByteArray& data) {
    QString out;
    quint32 buffer = 0;
    int bits = 0;
    for (const char c : data) {
        buffer = (buffer << 8) | quint8(c);
        bits += 8;
        while (bits >= 5) {
            out += QLatin1Char(kAlphabet[(buffer >> (bits - 5)) & 31]);
            bits -= 5;
        }
        buffer &= (1u << bits) - 1;
    }
    if (bits > 0) out += QLatin1Char(kAlphabet[(buffer << (5 - bits)) & 31]);
    return out;
}

// The value of a typed symbol; -1 for a character that is not one.
int symbol(QChar c) {
    const QChar u = c.toUpper();
    if (u == 'O') return 0;
    if (u == 'I' || u == 'L') return 1;
    return int(QLatin1StringView(kAlphabet).indexOf(u));
}

// The bytes a typed text stands for; nullopt unless it is exactly `length`
// bytes in canonical form (no stray trailing bits, so one value has one spelling).
std::optional<QByteArray> decode(const QString& text, int length) {
    QByteArray out;
    quint32 buffer = 0;
    int bits = 0;
    int symbols = 0;
    for (const QChar c : text) {
        if (c == '-' || c.isSpace()) continue;
        const int v = symbol(c);
        if (v < 0) return std::nullopt;
        ++symbols;
        buffer = (buffer << 5) | quint32(v);
        bits += 5;
        if (bits >= 8) {
            out += char((buffer >> (bits - 8)) & 0xFF);
            bits -= 8;
        }
        buffer &= (1u << bits) - 1;
    }
    if (symbols != (length * 8 + 4) / 5 || out.size() != length || buffer != 0) return std::nullopt;
    return out;
}

QString grouped(const QString& text, int size) {
    QStringList parts;
    for (int i = 0; i < text.size(); i += size)
        parts << text.mid(i, size);
    return parts.join('-');
}

// The canonical form of a typed challenge; "" when it is not one.
QString canonicalChallenge(const QString& typed) {
    const auto raw = decode(typed, kChallengeBytes);
    return raw ? encode(*raw) : QString();
}

QByteArray message(const QString& canonical) {
    return kDomain + canonical.toLatin1();
}

// Challenges answered in this process.  Codes are random, so a repeat is not
// expected; this makes "never again" hold even then.
QMutex spentLock;
QSet<QString>& spentCodes() {
    static QSet<QString> codes;
    return codes;
}

} // namespace

SupportChallenge::SupportChallenge() {
    renew();
}

QString SupportChallenge::code() const {
    return grouped(m_code, 4);
}

void SupportChallenge::renew() {
    const QByteArray random = SecureRandomBytes(kChallengeBytes);
    m_code = random.size() == kChallengeBytes ? encode(random) : QString();
}

void SupportChallenge::discard() {
    m_code.clear();
}

bool SupportChallenge::redeem(const QString& publicKey, const QString& response) {
    if (!isOpen()) return false;
    QMutexLocker lock(&spentLock);
    if (spentCodes().contains(m_code)) return false;
    if (!VerifySupportResponse(publicKey, m_code, response)) return false;
    spentCodes().insert(m_code);
    m_code.clear();
    return true;
}

QString SupportPublicKey(const Workstation& ws) {
    const QSettings file(ws.systemConfigFolder + "location", QSettings::IniFormat);
    return file.value("SupportPublicKey").toString().trimmed();
}

QString SupportPublicKeyText(const QByteArray& rawPublicKey) {
    return QString::fromLatin1(rawPublicKey.toBase64());
}

bool VerifySupportResponse(const QString& publicKey, const QString& challenge,
                           const QString& response) {
    const auto key = QByteArray::fromBase64Encoding(publicKey.trimmed().toLatin1(),
                                                    QByteArray::AbortOnBase64DecodingErrors);
    const QString canonical = canonicalChallenge(challenge);
    const auto signature = decode(response, kSignatureBytes);
    if (!key || canonical.isEmpty() || !signature) return false;
    return VerifyEd25519(*key, message(canonical), *signature);
}

QString SignSupportChallenge(const QByteArray& privatePem, const QString& challenge) {
    const QString canonical = canonicalChallenge(challenge);
    if (canonical.isEmpty()) return {};
    const QByteArray signature = SignEd25519(privatePem, message(canonical));
    return signature.isEmpty() ? QString() : grouped(encode(signature), 5);
}

} // namespace vm
