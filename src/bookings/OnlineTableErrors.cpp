// Form encoding and the names of transport failures.

#include "bookings/OnlineTables.h"

#include <QHash>
#include <QStringList>

namespace vm {

namespace {

bool isPlain(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The published constant names of the transport failures 12001..12160.
const QHash<int, const char*>& constantNames() {
    static const QHash<int, const char*> names = {
        {12001, "ERROR_INTERNET_OUT_OF_HANDLES"},
        {12002, "ERROR_INTERNET_TIMEOUT"},
        {12003, "ERROR_INTERNET_EXTENDED_ERROR"},
        {12004, "ERROR_INTERNET_INTERNAL_ERROR"},
        {12005, "ERROR_INTERNET_INVALID_URL"},
        {12006, "ERROR_INTERNET_UNRECOGNIZED_SCHEME"},
        {12007, "ERROR_INTERNET_NAME_NOT_RESOLVED"},
        {12008, "ERROR_INTERNET_PROTOCOL_NOT_FOUND"},
        {12009, "ERROR_INTERNET_INVALID_OPTION"},
        {12010, "ERROR_INTERNET_BAD_OPTION_LENGTH"},
        {12011, "ERROR_INTERNET_OPTION_NOT_SETTABLE"},
        {12012, "ERROR_INTERNET_SHUTDOWN"},
        {12013, "ERROR_INTERNET_INCORRECT_USER_NAME"},
        {12014, "ERROR_INTERNET_INCORRECT_PASSWORD"},
        {12015, "ERROR_INTERNET_LOGIN_FAILURE"},
        {12016, "ERROR_INTERNET_INVALID_OPERATION"},
        {12017, "ERROR_INTERNET_OPERATION_CANCELLED"},
        {12018, "ERROR_INTERNET_INCORRECT_HANDLE_TYPE"},
        {12019, "ERROR_INTERNET_INCORRECT_HANDLE_STATE"},
        {12020, "ERROR_INTERNET_NOT_PROXY_REQUEST"},
        {12021, "ERROR_INTERNET_REGISTRY_VALUE_NOT_FOUND"},
        {12022, "ERROR_INTERNET_BAD_REGISTRY_PARAMETER"},
        {12023, "ERROR_INTERNET_NO_DIRECT_ACCESS"},
        {12024, "ERROR_INTERNET_NO_CONTEXT"},
        {12025, "ERROR_INTERNET_NO_CALLBACK"},
        {12026, "ERROR_INTERNET_REQUEST_PENDING"},
        {12027, "ERROR_INTERNET_INCORRECT_FORMAT"},
        {12028, "ERROR_INTERNET_ITEM_NOT_FOUND"},
        {12029, "ERROR_INTERNET_CANNOT_CONNECT"},
        {12030, "ERROR_INTERNET_CONNECTION_ABORTED"},
        {12031, "ERROR_INTERNET_CONNECTION_RESET"},
        {12032, "ERROR_INTERNET_FORCE_RETRY"},
        {12033, "ERROR_INTERNET_INVALID_PROXY_REQUEST"},
        {12034, "ERROR_INTERNET_NEED_UI"},
        {12036, "ERROR_INTERNET_HANDLE_EXISTS"},
        {12037, "ERROR_INTERNET_SEC_CERT_DATE_INVALID"},
        {12038, "ERROR_INTERNET_SEC_CERT_CN_INVALID"},
        {12039, "ERROR_INTERNET_HTTP_TO_HTTPS_ON_REDIR"},
        {12040, "ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR"},
        {12041, "ERROR_INTERNET_MIXED_SECURITY"},
        {12042, "ERROR_INTERNET_CHG_POST_IS_NON_SECURE"},
        {12043, "ERROR_INTERNET_POST_IS_NON_SECURE"},
        {12044, "ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED"},
        {12045, "ERROR_INTERNET_INVALID_CA"},
        {12046, "ERROR_INTERNET_CLIENT_AUTH_NOT_SETUP"},
        {12047, "ERROR_INTERNET_ASYNC_THREAD_FAILED"},
        {12048, "ERROR_INTERNET_REDIRECT_SCHEME_CHANGE"},
        {12049, "ERROR_INTERNET_DIALOG_PENDING"},
        {12050, "ERROR_INTERNET_RETRY_DIALOG"},
        {12051, "ERROR_INTERNET_NO_NEW_CONTAINERS"},
        {12052, "ERROR_INTERNET_HTTPS_HTTP_SUBMIT_REDIR"},
        {12053, "ERROR_INTERNET_INSERT_CDROM"},
        {12054, "ERROR_INTERNET_FORTEZZA_LOGIN_NEEDED"},
        {12055, "ERROR_INTERNET_SEC_CERT_ERRORS"},
        {12056, "ERROR_INTERNET_SEC_CERT_NO_REV"},
        {12057, "ERROR_INTERNET_SEC_CERT_REV_FAILED"},
        {12110, "ERROR_FTP_TRANSFER_IN_PROGRESS"},
        {12111, "ERROR_FTP_DROPPED"},
        {12112, "ERROR_FTP_NO_PASSIVE_MODE"},
        {12130, "ERROR_GOPHER_PROTOCOL_ERROR"},
        {12131, "ERROR_GOPHER_NOT_FILE"},
        {12132, "ERROR_GOPHER_DATA_ERROR"},
        {12133, "ERROR_GOPHER_END_OF_DATA"},
        {12134, "ERROR_GOPHER_INVALID_LOCATOR"},
        {12135, "ERROR_GOPHER_INCORRECT_LOCATOR_TYPE"},
        {12136, "ERROR_GOPHER_NOT_GOPHER_PLUS"},
        {12137, "ERROR_GOPHER_ATTRIBUTE_NOT_FOUND"},
        {12138, "ERROR_GOPHER_UNKNOWN_LOCATOR"},
        {12150, "ERROR_HTTP_HEADER_NOT_FOUND"},
        {12151, "ERROR_HTTP_DOWNLEVEL_SERVER"},
        {12152, "ERROR_HTTP_INVALID_SERVER_RESPONSE"},
        {12153, "ERROR_HTTP_INVALID_HEADER"},
        {12154, "ERROR_HTTP_INVALID_QUERY_REQUEST"},
        {12155, "ERROR_HTTP_HEADER_ALREADY_EXISTS"},
        {12156, "ERROR_HTTP_REDIRECT_FAILED"},
        {12157, "ERROR_INTERNET_SECURITY_CHANNEL_ERROR"},
        {12158, "ERROR_INTERNET_UNABLE_TO_CACHE_FILE"},
        {12159, "ERROR_INTERNET_TCPIP_NOT_INSTALLED"},
        {12160, "ERROR_HTTP_NOT_REDIRECTED"},
    };
    return names;
}

// "ERROR_INTERNET_NAME_NOT_RESOLVED" -> "Name Not Resolved";
// "ERROR_HTTP_NOT_REDIRECTED" -> "Error Http Not Redirected".
QString readable(QString constant) {
    const QString prefix = QStringLiteral("ERROR_INTERNET_");
    if (constant.startsWith(prefix))
        constant = constant.mid(prefix.size());
    QStringList words = constant.split('_', Qt::SkipEmptyParts);
    for (QString& w : words)
        w = w.left(1).toUpper() + w.mid(1).toLower();
    return words.join(' ');
}

} // namespace

QByteArray OTFormEncode(const QString& text) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (char c : text.toUtf8()) {
        if (isPlain(c)) {
            out += c;
        } else if (c == ' ') {
            out += '+';
        } else {
            const auto b = static_cast<unsigned char>(c);
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0x0F];
        }
    }
    return out;
}

QByteArray OTFormPairs(const OTPairs& pairs) {
    QByteArray out;
    for (const auto& [name, value] : pairs) {
        if (!out.isEmpty())
            out += '&';
        out += OTFormEncode(name) + '=' + OTFormEncode(value);
    }
    return out;
}

QString OTErrorName(int code) {
    const auto it = constantNames().constFind(code);
    return it == constantNames().constEnd() ? QString() : readable(QString::fromLatin1(*it));
}

QString OTErrorText(int code) {
    return QStringLiteral("Error %1: %2").arg(code).arg(OTErrorName(code));
}

} // namespace vm
