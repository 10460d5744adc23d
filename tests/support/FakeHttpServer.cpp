#include "support/FakeHttpServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace vm::test {

QByteArray RecordedRequest::path() const {
    const qsizetype q = target.indexOf('?');
    return q < 0 ? target : target.left(q);
}

QByteArray RecordedRequest::query() const {
    const qsizetype q = target.indexOf('?');
    return q < 0 ? QByteArray() : target.mid(q + 1);
}

QByteArray RecordedRequest::line() const {
    return method + ' ' + target + ' ' + version;
}

QByteArray RecordedRequest::header(const QByteArray& name) const {
    for (const auto& [n, v] : headers)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

ScriptedReply ScriptedReply::page(const QByteArray& html, int status) {
    ScriptedReply r;
    r.status = status;
    r.body = html;
    return r;
}

ScriptedReply ScriptedReply::chunked(const QByteArray& html) {
    ScriptedReply r = page(html);
    r.kind = Kind::Chunked;
    return r;
}

ScriptedReply ScriptedReply::closed() {
    ScriptedReply r;
    r.kind = Kind::Close;
    return r;
}

ScriptedReply ScriptedReply::malformed() {
    ScriptedReply r;
    r.kind = Kind::Malformed;
    return r;
}

ScriptedReply ScriptedReply::silent() {
    ScriptedReply r;
    r.kind = Kind::Silent;
    return r;
}

ScriptedReply ScriptedReply::slow(const QByteArray& html, int delayMs) {
    ScriptedReply r = page(html);
    r.delayMs = delayMs;
    return r;
}

FakeHttpServer::FakeHttpServer() : m_server(new QTcpServer(this)) {
    QObject::connect(m_server, &QTcpServer::newConnection, this, [this] { onConnection(); });
}

FakeHttpServer::~FakeHttpServer() = default;

bool FakeHttpServer::listen() {
    if (!m_server->listen(QHostAddress::LocalHost, m_port))
        return false;
    m_port = m_server->serverPort();
    return true;
}

void FakeHttpServer::close() {
    m_server->close();
}

QString FakeHttpServer::hostPort() const {
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QString FakeHttpServer::baseUrl() const {
    return "http://" + hostPort();
}

void FakeHttpServer::setReply(const QByteArray& path, const ScriptedReply& reply) {
    m_byPath.insert(path, reply);
}

void FakeHttpServer::queueReply(const ScriptedReply& reply) {
    m_queue.push_back(reply);
}

void FakeHttpServer::onConnection() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        QObject::connect(socket, &QTcpSocket::readyRead, this,
                         [this, socket] { onReadable(socket); });
        QObject::connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_buffers.remove(socket);
            socket->deleteLater();
        });
    }
}

// Takes every complete request out of the socket's buffer.
void FakeHttpServer::onReadable(QTcpSocket* socket) {
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    for (;;) {
        const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
        RecordedRequest request;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.target = first.value(1);
        request.version = first.value(2);
        qsizetype length = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray l = lines[i].trimmed();
            const qsizetype colon = l.indexOf(':');
            if (colon <= 0)
                continue;
            request.headers.append({l.left(colon).trimmed(), l.mid(colon + 1).trimmed()});
        }
        length = request.header("Content-Length").toLongLong();
        if (buffer.size() < headEnd + 4 + length)
            return;
        request.body = buffer.mid(headEnd + 4, length);
        buffer.remove(0, headEnd + 4 + length);
        m_requests.push_back(request);
        answer(socket, request);
        if (!m_buffers.contains(socket))
            return; // closed by the answer
    }
}

void FakeHttpServer::answer(QTcpSocket* socket, const RecordedRequest& request) {
    ScriptedReply reply;
    if (!m_queue.empty()) {
        reply = m_queue.front();
        m_queue.pop_front();
    } else if (m_byPath.contains(request.path())) {
        reply = m_byPath.value(request.path());
    } else {
        reply = ScriptedReply::page("<html><body>Not Found</body></html>", 404);
    }
    if (reply.delayMs > 0) {
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(reply.delayMs, this, [this, guard, reply] {
            if (guard)
                send(guard, reply);
        });
        return;
    }
    send(socket, reply);
}

void FakeHttpServer::send(QTcpSocket* socket, const ScriptedReply& reply) {
    using Kind = ScriptedReply::Kind;
    switch (reply.kind) {
    case Kind::Silent:
        return;
    case Kind::Close:
        m_buffers.remove(socket);
        socket->disconnectFromHost();
        return;
    case Kind::Malformed:
        // Left open: the client has to give up on what it read.
        socket->write("this is no HTTP answer\r\n\r\n");
        return;
    case Kind::Page:
    case Kind::Chunked:
        break;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' +
                      (reply.status == 200 ? "OK" : "Scripted") + "\r\n";
    head += "Content-Type: " + reply.contentType + "\r\n";
    if (reply.kind == Kind::Chunked) {
        head += "Transfer-Encoding: chunked\r\n\r\n";
        socket->write(head);
        // A few pieces, so the client reads more than once.
        const qsizetype piece = qMax<qsizetype>(1, reply.body.size() / 3);
        for (qsizetype at = 0; at < reply.body.size(); at += piece) {
            const QByteArray part = reply.body.mid(at, piece);
            socket->write(QByteArray::number(part.size(), 16) + "\r\n" + part + "\r\n");
            socket->flush();
        }
        socket->write("0\r\n\r\n");
        return;
    }
    head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n\r\n";
    socket->write(head + reply.body);
}

namespace {
QByteArray escaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}
} // namespace

QByteArray FakeHttpServer::timesPage(const QStringList& reserveDetails) {
    QByteArray html = "<html><head><meta name=\"description\" content=\"Concierge times\">"
                      "<title>Times</title></head><body>\r\n<form action=\"cs_confirm.asp\" "
                      "method=\"post\">\r\n";
    for (const QString& v : reserveDetails)
        html += "  <!-- one time --><input type=\"radio\" name=\"ReserveDetails\" value=\"" +
                escaped(v) + "\"> " + escaped(v.section(',', 1, 1)) + "<br>\r\n";
    html += "</form></body></html>\r\n";
    return html;
}

QByteArray FakeHttpServer::noTimesPage(const QString& message) {
    return "<html><head><title>No times</title></head><body><h1>Search</h1>\r\n"
           "<form action=\"cs_single.asp\">\r\n\t<p>" +
           escaped(message) + "</p>\r\n</form>\r\n<form action=\"other\"><p>Other</p></form>" +
           "</body></html>";
}

QByteArray FakeHttpServer::bookedPage(const QString& confirmation) {
    return "<html><body><p>Your table is booked.</p><form>"
           "<input type=\"hidden\" name=\"reservationID\" value=\"" +
           escaped(confirmation) + "\"></form></body></html>";
}

QByteArray FakeHttpServer::cancelledPage(const QString& reservationId) {
    return "<html><body><p>Cancellation</p><form>"
           "<input type=\"hidden\" name=\"reservationID\" value=\"" +
           escaped(reservationId) + "\"></form></body></html>";
}

QByteArray FakeHttpServer::servicePageError(const QString& message) {
    return "<html><head><META NAME=\"Description\" content=\"Error\"><title>Service</title>"
           "</head><body><p>" +
           escaped(message) + "</p></body></html>";
}

} // namespace vm::test
