#pragma once
// Ed25519 signatures through OpenSSL, and random bytes from its generator.
// Keys travel as an unencrypted PKCS#8 PEM text (private) and the 32 raw
// bytes of the public key.

#include <QByteArray>
#include <optional>

namespace vm {

struct Ed25519Keys {
    QByteArray privatePem;
    QByteArray publicKey; // 32 bytes
};

// A new key pair; nullopt when OpenSSL cannot make one.
std::optional<Ed25519Keys> GenerateEd25519();

// The public key that belongs to a private key; empty when the PEM is not an Ed25519 key.
QByteArray Ed25519PublicKeyOf(const QByteArray& privatePem);

// The 64-byte signature of `message`; empty when the key cannot be read.
QByteArray SignEd25519(const QByteArray& privatePem, const QByteArray& message);

// A full Ed25519 verification; false for a malformed key or signature.
bool VerifyEd25519(const QByteArray& publicKey, const QByteArray& message,
                   const QByteArray& signature);

// `count` bytes from the operating system's secure generator; empty on failure.
QByteArray SecureRandomBytes(int count);

} // namespace vm
