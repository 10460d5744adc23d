#pragma once
// Support access by challenge and response.  The workstation shows a random
// one-time challenge; the support desk signs it with a private key it keeps
// off the property (tools/velmora-support); the workstation verifies the
// answer (Ed25519) against the public key in the machine-wide location file.
// Nothing on the property can produce an answer, and an answer is good for
// one challenge, once.
//
// Challenges and answers are written in Crockford's base32 (digits and
// capitals without I, L, O, U; typed in any case, with or without the
// dashes).  A challenge is 80 random bits (16 characters); an answer is the
// whole 64-byte signature (103 characters).

#include "platform/Workstation.h"

#include <QByteArray>
#include <QString>

namespace vm {

class SupportChallenge {
public:
    // A fresh random challenge.
    SupportChallenge();

    // As shown: "ABCD-EFGH-JKMN-PQRS"; "" once it is spent or discarded.
    QString code() const;
    bool isOpen() const { return !m_code.isEmpty(); }

    // Verifies a typed answer against `publicKey` (SupportPublicKey text).  A
    // right answer spends the challenge: it never verifies again, in this
    // object or any other.  A wrong one leaves the challenge open.
    bool redeem(const QString& publicKey, const QString& response);

    // The dialog that showed it has closed: the challenge can no longer be answered.
    void discard();
    // A new random challenge in place of this one.
    void renew();

private:
    QString m_code; // canonical: 16 characters, no dashes
};

// The support desk's public key from the machine-wide location file
// (`SupportPublicKey=`, base64 of the 32-byte key); "" when there is none.
// A per-user file is never read: a user must not be able to plant a key.
QString SupportPublicKey(const Workstation& ws);

// The base64 text of a raw public key, as the location file holds it.
QString SupportPublicKeyText(const QByteArray& rawPublicKey);

// True when `response` is the desk's signature of `challenge` under `publicKey`.
bool VerifySupportResponse(const QString& publicKey, const QString& challenge,
                           const QString& response);

// The support desk's side: the answer to a challenge, grouped in fives; ""
// when the key cannot be read or the challenge is not a challenge.
QString SignSupportChallenge(const QByteArray& privatePem, const QString& challenge);

} // namespace vm
