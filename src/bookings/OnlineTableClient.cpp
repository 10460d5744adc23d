// The service's web pages over HTTP(S): one request at a time, waited for in
// a local event loop so the window keeps painting.

#include "bookings/OnlineTables.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimer>

namespace vm {

namespace {

// The transport failure code of a reply's error.
int transportCode(QNetworkReply::NetworkError e) {
    switch (e) {
    case QNetworkReply::HostNotFoundError:
        return OTErrNameNotResolved;
    case QNetworkReply::TimeoutError:
        return OTErrTimeout;
    case QNetworkReply::RemoteHostClosedError:
        return OTErrConnectionAborted;
    case QNetworkReply::ProtocolFailure:
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
        return OTErrHttpInvalidServerResponse;
    case QNetworkReply::SslHandshakeFailedError:
        return OTErrSecurityChannel;
    case QNetworkReply::InsecureRedirectError:
        return OTErrHttpsToHttpOnRedir;
    case QNetworkReply::TooManyRedirectsError:
        return OTErrHttpRedirectFailed;
    case QNetworkReply::OperationCanceledError:
        return OTErrOperationCancelled;
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return OTErrConnectionReset;
    default:
        return OTErrCannotConnect; // refused, unreachable, proxy, unknown
    }
}

QString decodeBody(const QByteArray& body, const QByteArray& contentType) {
    const bool latin1 = contentType.toLower().contains("charset=iso-8859-1") ||
                        contentType.toLower().contains("charset=windows-1252");
    if (!latin1) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(body);
        if (!utf8.hasError())
            return text;
    }
    return QString::fromLatin1(body);
}

bool isLoopback(const QUrl& url) {
    const QHostAddress address(url.host());
    return url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
           (!address.isNull() && address.isLoopback());
}

// False only when the system says for sure that no network is up.
bool networkAvailable() {
    static const bool loaded =
        QNetworkInformation::load(QNetworkInformation::Feature::Reachability);
    if (!loaded || !QNetworkInformation::instance())
        return true;
    return QNetworkInformation::instance()->reachability() !=
           QNetworkInformation::Reachability::Disconnected;
}

} // namespace

std::optional<QUrl> ParseOTHost(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^(?:(https?)://)?"
                       "([A-Za-z0-9](?:[A-Za-z0-9.-]*[A-Za-z0-9])?|\\[[0-9A-Fa-f:.]+\\])"
                       "(?::(\\d{1,5}))?/?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    QUrl url;
    url.setScheme(m.capturedLength(1) ? m.captured(1).toLower() : QStringLiteral("http"));
    QString host = m.captured(2);
    if (host.startsWith('['))
        host = host.mid(1, host.size() - 2);
    url.setHost(host);
    if (m.capturedLength(3)) {
        const int port = m.captured(3).toInt();
        if (port < 1 || port > 65535)
            return std::nullopt;
        url.setPort(port);
    }
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    return url;
}

OTService::OTService(Prompt& prompt, const OTConfig& config)
    : ConciergeID(config.conciergeId.trimmed()),
      AgentName(QCoreApplication::applicationName()),
      HotelID(config.hotelId),
      PartnerID(config.partnerId),
      AreaID(config.areaId),
      m_prompt(prompt),
      m_net(std::make_unique<QNetworkAccessManager>()) {
    m_net->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

OTService::~OTService() = default;

void OTService::setTimeouts(int connectMs, int totalMs) {
    m_connectMs = connectMs;
    m_totalMs = totalMs;
}

void OTService::status(const QString& text) {
    if (statusChanged)
        statusChanged(text);
}

void OTService::fail(const QString& text, const QString& title, Icon icon) {
    m_lastError = text;
    m_prompt.message(text, title, icon);
}

bool OTService::Connect(const QString& host) {
    status(QStringLiteral("Initializing connection ..."));
    m_base = QUrl();
    const auto url = ParseOTHost(host);
    if (!url) {
        fail(OTErrorText(OTErrInvalidUrl), kOTTitleCommFailure, Icon::Exclamation);
        return false;
    }
    if (!isLoopback(*url) && !networkAvailable()) {
        fail(kOTNoConnection, kOTTitleNoConnection, Icon::Exclamation);
        return false;
    }
    status("Connecting to " + host.trimmed() + " ...");
    m_base = *url;
    const quint16 port = quint16(url->port(url->scheme() == "https" ? 443 : 80));
    if (url->scheme() == QLatin1String("https"))
        m_net->connectToHostEncrypted(url->host(), port);
    else
        m_net->connectToHost(url->host(), port);
    status(QStringLiteral("Connected"));
    return true;
}

void OTService::Disconnect() {
    status(QStringLiteral("Disconnecting ..."));
    m_net->clearConnectionCache();
    m_base = QUrl();
}

std::optional<QString> OTService::Request(const QString& method, const QString& page,
                                          const OTPairs& pairs) {
    if (m_busy)
        return std::nullopt; // a second click while the first request runs
    m_lastResponse.clear();
    m_lastError.clear();
    m_lastStatus = 0;
    if (!connected()) {
        fail(OTErrorText(OTErrInvalidUrl), kOTTitleCommFailure, Icon::Exclamation);
        return std::nullopt;
    }

    const bool post = method.compare(QLatin1String("POST"), Qt::CaseInsensitive) == 0;
    const QByteArray form = OTFormPairs(pairs);
    QByteArray target = m_base.toEncoded(QUrl::RemovePath | QUrl::RemoveQuery) +
                        (page.startsWith('/') ? page : '/' + page).toUtf8();
    if (!post && !form.isEmpty())
        target += '?' + form;
    QNetworkRequest request(QUrl::fromEncoded(target, QUrl::StrictMode));
    request.setHeader(QNetworkRequest::UserAgentHeader, AgentName);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    if (post)
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArray("application/x-www-form-urlencoded"));

    m_busy = true;
    if (busyChanged)
        busyChanged(true);
    struct Done {
        OTService* s;
        ~Done() {
            s->m_busy = false;
            if (s->busyChanged)
                s->busyChanged(false);
        }
    } done{this};

    status(QStringLiteral("Sending request ..."));
    QNetworkReply* reply = post ? m_net->post(request, form) : m_net->get(request);
    QByteArray body;
    bool timedOut = false;
    QEventLoop loop;
    QTimer total, connecting;
    total.setSingleShot(true);
    connecting.setSingleShot(true);
    const auto giveUp = [&] {
        timedOut = true;
        reply->abort();
    };
    QObject::connect(&total, &QTimer::timeout, &loop, giveUp);
    QObject::connect(&connecting, &QTimer::timeout, &loop, giveUp);
    QObject::connect(reply, &QNetworkReply::requestSent, &loop, [&] {
        connecting.stop();
        status(QStringLiteral("Request sent, waiting for reply..."));
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        connecting.stop();
        if (!reply->isOpen())
            return;
        body += reply->readAll();
        status(QStringLiteral("Receiving response (%1 bytes)...").arg(body.size()));
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    total.start(m_totalMs);
    connecting.start(m_connectMs);
    if (!reply->isFinished())
        loop.exec();
    if (reply->isOpen())
        body += reply->readAll();

    const QVariant statusAttr = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    m_lastStatus = statusAttr.isValid() ? statusAttr.toInt() : 0;
    const QNetworkReply::NetworkError error = reply->error();
    const QByteArray contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    reply->deleteLater();

    if (timedOut) {
        fail(OTErrorText(OTErrTimeout), kOTTitleCommFailure, Icon::Exclamation);
        return std::nullopt;
    }
    const bool redirectFault = error == QNetworkReply::InsecureRedirectError ||
                               error == QNetworkReply::TooManyRedirectsError;
    if (!redirectFault && m_lastStatus != 0 && m_lastStatus != 200) {
        fail(QStringLiteral("Server returned error response %1.").arg(m_lastStatus), {},
             Icon::Exclamation);
        return std::nullopt;
    }
    if (error != QNetworkReply::NoError || m_lastStatus == 0) {
        const int code = error == QNetworkReply::NoError ? OTErrHttpInvalidServerResponse
                                                         : transportCode(error);
        fail(OTErrorText(code), kOTTitleCommFailure, Icon::Exclamation);
        return std::nullopt;
    }

    m_lastResponse = decodeBody(body, contentType);
    if (const auto message = OTErrorPageMessage(m_lastResponse)) {
        fail(*message, kOTTitleError, Icon::Critical);
        return std::nullopt;
    }
    return m_lastResponse;
}

OTSearch OTService::readSearch(const QString& page, const QString& date, const QString& time,
                               int partySize) {
    OTSearch search;
    const QStringList values = OTElementValues(page, QStringLiteral("ReserveDetails"));
    for (const QString& value : values) {
        const QStringList fields = value.split(',');
        if (fields.size() < 2)
            continue;
        bool ok = false;
        const qint64 rid = fields[0].trimmed().toLongLong(&ok);
        if (!ok)
            continue;
        const QString when = fields[1].trimmed();
        const qsizetype blank = when.indexOf(' ');
        const QString slotTime = blank < 0 ? QString() : when.mid(blank + 1);
        const QString number = fields.size() > 2 ? fields[2].trimmed() : QString();
        if (search.results.empty() || search.results.back().restaurantId != rid)
            search.results.emplace_back(this, rid, date, time, partySize);
        search.results.back().AddTime(slotTime, number, value);
    }
    // Restaurants whose every time was unreadable offer nothing.
    std::erase_if(search.results, [](const OTSearchResult& r) {
        return r.earlier.isEmpty() && r.exact.isEmpty() && r.later.isEmpty();
    });
    if (!search.results.empty()) {
        search.outcome = OTSearchOutcome::Found;
        return search;
    }
    search.outcome = OTSearchOutcome::NoTimes;
    search.serviceMessage = OTServiceMessage(page);
    m_prompt.message(OTNoTimesText(search.serviceMessage), kOTTitleNoTimes, Icon::Exclamation);
    return search;
}

void OTService::addIds(OTPairs& pairs, const char* hotelName, const char* partnerName) const {
    if (HotelID != 0)
        pairs.append({hotelName, QString::number(HotelID)});
    if (PartnerID != 0)
        pairs.append({partnerName, QString::number(PartnerID)});
}

OTSearch OTService::SearchArea(const QString& date, const QString& time, int partySize) {
    OTPairs pairs{{"cid", ConciergeID},
                  {"d", date + " " + time},
                  {"s", QString::number(partySize)},
                  {"g", QString::number(AreaID)}};
    addIds(pairs, "hid", "pid");
    const auto page = Request(QStringLiteral("GET"), QStringLiteral("/cs_multi.asp"), pairs);
    return page ? readSearch(*page, date, time, partySize) : OTSearch{};
}

OTSearch OTService::SearchRestaurant(qint64 restaurantId, const QString& date,
                                     const QString& time, int partySize) {
    OTPairs pairs{{"rid", QString::number(restaurantId)},
                  {"cid", ConciergeID},
                  {"d", date + " " + time},
                  {"s", QString::number(partySize)}};
    addIds(pairs, "h", "p");
    const auto page = Request(QStringLiteral("GET"), QStringLiteral("/cs_single.asp"), pairs);
    return page ? readSearch(*page, date, time, partySize) : OTSearch{};
}

bool OTService::Cancel(qint64 restaurantId, const QString& reservationId) {
    OTPairs pairs{{"cid", ConciergeID}, {"rid", QString::number(restaurantId)}};
    addIds(pairs, "hid", "pid");
    pairs.append({"reservationID", reservationId.trimmed()});
    const auto page = Request(QStringLiteral("GET"), QStringLiteral("/cs_cancel.asp"), pairs);
    if (!page)
        return false;
    // A page that merely is no error page ("reservation not found") is no
    // cancellation: the service has to echo the number or say it is done.
    if (!reservationId.trimmed().isEmpty() && ReservationID().trimmed() == reservationId.trimmed())
        return true;
    static const QRegularExpression done(
        QStringLiteral("\\b(has|have|was|were)\\s+(been\\s+)?cancell?ed\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return OTPageText(*page).contains(done);
}

QString OTService::ReservationID() const {
    return OTElementValue(m_lastResponse, QStringLiteral("reservationID")).trimmed();
}

// ---------------------------------------------------------------------------

OTSearchResult::OTSearchResult(OTService* service, qint64 rid, const QString& d,
                               const QString& time, int size)
    : restaurantId(rid), date(d), requestedTime(time), partySize(size), m_service(service) {}

bool OTSearchResult::AddTime(const QString& time, const QString& number, const QString& token) {
    const auto offered = ParseOTTime(time);
    const auto requested = ParseOTTime(requestedTime);
    if (!offered || !requested)
        return false;
    const int minutes = (offered->msecsSinceStartOfDay() / 60000) -
                        (requested->msecsSinceStartOfDay() / 60000);
    OTSlot& slot = minutes == 0 ? exact : minutes > 0 ? later : earlier;
    slot = OTSlot{OTTimeText(*offered), number, token};
    return true;
}

const OTSlot* OTSearchResult::slot(int slotNo) const {
    switch (slotNo) {
    case OTEarlier:
        return &earlier;
    case OTExact:
        return &exact;
    case OTLater:
        return &later;
    default:
        return nullptr;
    }
}

QString OTSearchResult::Reserve(int slotNo, const QString& firstName, const QString& lastName,
                                const QString& phone, const QString& notes, bool business,
                                bool firstTime) {
    const OTSlot* chosen = slot(slotNo);
    if (!chosen || chosen->isEmpty() || !m_service) {
        if (m_service)
            m_service->fail(kOTInvalidSlot, {}, Icon::Critical);
        return {};
    }
    OTPairs pairs{{"ReserveDetails", chosen->token},
                  {"FirstName", firstName},
                  {"LastName", lastName},
                  {"Phone", phone},
                  {"Notes", notes}};
    if (m_service->PartnerID != 0)
        pairs.append({"PartnerID", QString::number(m_service->PartnerID)});
    pairs.append({"ConciergeID", m_service->ConciergeID});
    pairs.append({"RestaurantID", QString::number(restaurantId)});
    pairs.append({"PartySize", QString::number(partySize)});
    pairs.append({"Business", QString(business ? "1" : "0")});
    pairs.append({"FirstTime", QString(firstTime ? "1" : "0")});
    pairs.append({"process", QString("process")});
    pairs.append({"submit2", QString("Reserve")});
    if (!m_service->Request(QStringLiteral("POST"), QStringLiteral("/cs_confirm.asp"), pairs))
        return {};
    return m_service->ReservationID();
}

} // namespace vm
