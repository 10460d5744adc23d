#include "platform/Signature.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>

#include <memory>

namespace vm {

namespace {

constexpr int kPublicKeyBytes = 32;
constexpr int kSignatureBytes = 64;

using PKey = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using MdCtx = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;
using Bio = std::unique_ptr<BIO, decltype(&BIO_free)>;

const unsigned char* bytes(const QByteArray& b) {
    return reinterpret_cast<const unsigned char*>(b.constData());
}

PKey readPrivate(const QByteArray& pem) {
    Bio in(BIO_new_mem_buf(pem.constData(), int(pem.size())), BIO_free);
    PKey key(in ? PEM_read_bio_PrivateKey(in.get(), nullptr, nullptr, nullptr) : nullptr,
             EVP_PKEY_free);
    if (key && EVP_PKEY_get_id(key.get()) != EVP_PKEY_ED25519) key.reset();
    return key;
}

QByteArray rawPublic(EVP_PKEY* key) {
    QByteArray out(kPublicKeyBytes, '\0');
    size_t length = size_t(out.size());
    if (EVP_PKEY_get_raw_public_key(key, reinterpret_cast<unsigned char*>(out.data()), &length) !=
            1 ||
        length != size_t(kPublicKeyBytes))
        return {};
    return out;
}

} // namespace

std::optional<Ed25519Keys> GenerateEd25519() {
    PKey key(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"), EVP_PKEY_free);
    if (!key) return std::nullopt;
    Bio out(BIO_new(BIO_s_mem()), BIO_free);
    if (!out ||
        PEM_write_bio_PrivateKey(out.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) != 1)
        return std::nullopt;
    char* data = nullptr;
    const long length = BIO_get_mem_data(out.get(), &data);
    Ed25519Keys keys{QByteArray(data, int(length)), rawPublic(key.get())};
    if (keys.publicKey.isEmpty()) return std::nullopt;
    return keys;
}

QByteArray Ed25519PublicKeyOf(const QByteArray& privatePem) {
    const PKey key = readPrivate(privatePem);
    return key ? rawPublic(key.get()) : QByteArray();
}

QByteArray SignEd25519(const QByteArray& privatePem, const QByteArray& message) {
    const PKey key = readPrivate(privatePem);
    MdCtx md(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!key || !md) return {};
    QByteArray signature(kSignatureBytes, '\0');
    size_t length = size_t(signature.size());
    if (EVP_DigestSignInit(md.get(), nullptr, nullptr, nullptr, key.get()) != 1 ||
        EVP_DigestSign(md.get(), reinterpret_cast<unsigned char*>(signature.data()), &length,
                       bytes(message), size_t(message.size())) != 1 ||
        length != size_t(kSignatureBytes))
        return {};
    return signature;
}

bool VerifyEd25519(const QByteArray& publicKey, const QByteArray& message,
                   const QByteArray& signature) {
    if (publicKey.size() != kPublicKeyBytes || signature.size() != kSignatureBytes) return false;
    PKey key(EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, bytes(publicKey),
                                         size_t(publicKey.size())),
             EVP_PKEY_free);
    MdCtx md(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!key || !md) return false;
    return EVP_DigestVerifyInit(md.get(), nullptr, nullptr, nullptr, key.get()) == 1 &&
           EVP_DigestVerify(md.get(), bytes(signature), size_t(signature.size()), bytes(message),
                            size_t(message.size())) == 1;
}

QByteArray SecureRandomBytes(int count) {
    QByteArray out(count, '\0');
    if (count <= 0 || RAND_bytes(reinterpret_cast<unsigned char*>(out.data()), count) != 1)
        return {};
    return out;
}

} // namespace vm
