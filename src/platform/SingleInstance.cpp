#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace vm {

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), m_key(key) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim() {
    m_lock = std::make_unique<QLockFile>(QDir::tempPath() + "/" + m_key + ".lock");
    m_lock->setStaleLockTime(0); // a crashed instance's lock is recognised by its process id
    if (!m_lock->tryLock(100)) return false;
    QLocalServer::removeServer(m_key);
    m_server = new QLocalServer(this);
    m_server->listen(m_key);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server->nextPendingConnection()) {
            s->deleteLater();
            if (m_raise) m_raise();
        }
    });
    return true;
}

bool SingleInstance::raiseOther() {
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(1000)) return false;
    socket.write("raise");
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

} // namespace vm
