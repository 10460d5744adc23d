#pragma once
// Deterministic text ciphers (AES-SIV, no nonce): equal clear texts under equal
// keys give equal stored texts, which lets callers compare stored forms.
// Stored form: upper-case hexadecimal, two digits per byte (SIV tag, then the
// cipher text). The empty text is stored as the empty text.
//
// Nothing here shows a message: the Try… functions return the system's message
// and title in CipherResult for the caller to show through Prompt; the plain
// functions give "" on failure.

#include <QByteArray>
#include <QString>
#include <optional>

namespace vm {

inline constexpr const char* kMsgDataCorrupted = "Data string is corrupted.  Cannot be Decrypted.";
inline constexpr const char* kTitleDataCorrupted = "Data corrupted";
inline constexpr const char* kMsgEncryptionFailed = "Encryption Failed";
inline constexpr const char* kMsgDecryptionFailed = "Decryption Failed";

struct CipherResult {
    QString text;
    QString error;      // empty on success
    QString errorTitle; // empty = the application's own title
    bool ok() const { return error.isEmpty(); }
};

// The two 16-character key texts of the first-generation cipher and whether the
// installation runs in masked mode.
struct CipherKeys {
    QByteArray normalKey;
    QByteArray maskedKey;
    bool maskedMode = false;

    static CipherKeys builtIn(bool maskedMode);

    // The masked-mode key is used only when masked mode is on and the caller did
    // not ask for the masked form; every other combination uses the normal key.
    const QByteArray& keyFor(bool masked) const;
};

// Stored text form <-> bytes. HexToText refuses anything that is not an even
// number of hexadecimal digits (either case); the caller then shows
// kMsgDataCorrupted with kTitleDataCorrupted.
std::optional<QByteArray> HexToText(const QString& hex);
QString TextToHex(const QByteArray& bytes);

CipherResult TryEncryptOriginal(const QString& text, bool masked, const CipherKeys& keys);
CipherResult TryDecryptOriginal(const QString& stored, bool masked, const CipherKeys& keys);
QString EncryptOriginal(const QString& text, bool masked, const CipherKeys& keys);
QString DecryptOriginal(const QString& stored, bool masked, const CipherKeys& keys);

// Card cipher of the enhanced mode: the key comes from the secret key template
// and the record value (see NormalizeRecordValue). An empty template is refused.
CipherResult TryEncryptWithTemplate(const QString& clear, const QString& keyTemplate,
                                    const QString& recordValue);
CipherResult TryDecryptWithTemplate(const QString& stored, const QString& keyTemplate,
                                    const QString& recordValue);
QString EncryptWithTemplate(const QString& clear, const QString& keyTemplate,
                            const QString& recordValue);
QString DecryptWithTemplate(const QString& stored, const QString& keyTemplate,
                            const QString& recordValue);

// The four characters of a record value that take part in the card key: left-padded
// with zeros to four characters, or its last four characters when longer.
QString NormalizeRecordValue(const QString& recordValue);

// A fresh key template: 32 random bytes as upper-case hex; "" if the random
// generator fails.
QString NewKeyTemplate();

} // namespace vm
