#pragma once
// A small HTTP/1.1 server on 127.0.0.1 (a free port) for tests of web
// clients: it records every request (request line, headers, body) and answers
// from scripted replies, by path or in order.  It runs in the test's own
// event loop, so the client must wait with a local event loop (as the
// program's clients do).

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace vm::test {

struct RecordedRequest {
    QByteArray method, target, version; // "GET", "/cs_single.asp?rid=1", "HTTP/1.1"
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    // The path of the target (before "?") and the query (after it).
    QByteArray path() const;
    QByteArray query() const;
    // "GET /x?y HTTP/1.1"
    QByteArray line() const;
    // A header's value by name (any case); empty when absent.
    QByteArray header(const QByteArray& name) const;
};

struct ScriptedReply {
    enum class Kind {
        Page,      // status + headers + body (Content-Length)
        Chunked,   // status 200, the body in chunked transfer encoding
        Close,     // the connection closed without an answer
        Malformed, // bytes that are no HTTP response
        Silent,    // never answers (for time-outs)
    };
    Kind kind = Kind::Page;
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/html; charset=utf-8";
    int delayMs = 0; // wait before answering

    static ScriptedReply page(const QByteArray& html, int status = 200);
    static ScriptedReply chunked(const QByteArray& html);
    static ScriptedReply closed();
    static ScriptedReply malformed();
    static ScriptedReply silent();
    static ScriptedReply slow(const QByteArray& html, int delayMs);
};

class FakeHttpServer : public QObject {
public:
    FakeHttpServer();
    ~FakeHttpServer() override;

    // Starts listening on 127.0.0.1 at a free port; false when it cannot.
    bool listen();
    // Stops listening (later connections are refused); the port stays known.
    void close();
    quint16 port() const { return m_port; }
    // "127.0.0.1:<port>" and "http://127.0.0.1:<port>".
    QString hostPort() const;
    QString baseUrl() const;

    // Replies: a queued one first (in order), else the one scripted for the
    // request's path, else 404.
    void setReply(const QByteArray& path, const ScriptedReply& reply);
    void queueReply(const ScriptedReply& reply);

    const std::vector<RecordedRequest>& requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }

    // Canned pages of the reservation service.
    // One radio button per offered time, values "rid,date time,n".
    static QByteArray timesPage(const QStringList& reserveDetails);
    // No offered times: the message inside the page's first form.
    static QByteArray noTimesPage(const QString& message);
    static QByteArray bookedPage(const QString& confirmation);
    static QByteArray cancelledPage(const QString& reservationId);
    // A page marked as an error by its description, `message` in its body.
    static QByteArray servicePageError(const QString& message);

private:
    void onConnection();
    void onReadable(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const RecordedRequest& request);
    void send(QTcpSocket* socket, const ScriptedReply& reply);

    QTcpServer* m_server = nullptr;
    quint16 m_port = 0;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QHash<QByteArray, ScriptedReply> m_byPath;
    std::deque<ScriptedReply> m_queue;
    std::vector<RecordedRequest> m_requests;
};

} // namespace vm::test
