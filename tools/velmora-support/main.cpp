// The support desk's command: makes the desk's key pair and answers the
// challenges workstations show.  The private key never goes to a property;
// a property's location file holds only the public key.
//
//   velmora-support keygen KEYFILE                 new private key (owner-only file),
//                                                  prints the location file line
//   velmora-support public KEYFILE                 prints the line again
//   velmora-support sign KEYFILE CHALLENGE         prints the answer to read back
//   velmora-support verify PUBLICKEY CHALLENGE ANSWER   exit status 0 when it verifies

#include "platform/Signature.h"
#include "security/SupportAccess.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>

using namespace vm;

namespace {

int usage() {
    std::fputs("usage: velmora-support keygen KEYFILE\n"
               "       velmora-support public KEYFILE\n"
               "       velmora-support sign KEYFILE CHALLENGE\n"
               "       velmora-support verify PUBLICKEY CHALLENGE ANSWER\n",
               stderr);
    return 2;
}

int fail(const QString& text) {
    std::fprintf(stderr, "velmora-support: %s\n", qPrintable(text));
    return 1;
}

void print(const QString& line) {
    std::printf("%s\n", qPrintable(line));
}

QByteArray readKey(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int keygen(const QString& path) {
    const auto keys = GenerateEd25519();
    if (!keys) return fail("OpenSSL could not make a key pair");
    QFile f(path);
    // Never over an existing key: the properties that trust it would be locked out.
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(path + ": " + f.errorString());
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (f.write(keys->privatePem) != keys->privatePem.size() || !f.flush())
        return fail(path + ": " + f.errorString());
    print("SupportPublicKey=" + SupportPublicKeyText(keys->publicKey));
    return 0;
}

int publicLine(const QString& path) {
    const QByteArray key = Ed25519PublicKeyOf(readKey(path));
    if (key.isEmpty()) return fail(path + ": not a support key");
    print("SupportPublicKey=" + SupportPublicKeyText(key));
    return 0;
}

int sign(const QString& path, const QString& challenge) {
    const QByteArray pem = readKey(path);
    if (Ed25519PublicKeyOf(pem).isEmpty()) return fail(path + ": not a support key");
    const QString answer = SignSupportChallenge(pem, challenge);
    if (answer.isEmpty()) return fail("'" + challenge + "' is not a challenge");
    print(answer);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString command = args.value(0);
    if (command == "keygen" && args.size() == 2) return keygen(args[1]);
    if (command == "public" && args.size() == 2) return publicLine(args[1]);
    if (command == "sign" && args.size() == 3) return sign(args[1], args[2]);
    if (command == "verify" && args.size() == 4) {
        const QString key = QString(args[1]).remove("SupportPublicKey=");
        const bool ok = VerifySupportResponse(key, args[2], args[3]);
        print(ok ? "verified" : "NOT verified");
        return ok ? 0 : 1;
    }
    return usage();
}
