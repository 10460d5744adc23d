#pragma once
// One running program per user: a second start asks the first to raise its
// window and ends.

#include <QLockFile>
#include <QObject>
#include <functional>
#include <memory>

class QLocalServer;

namespace vm {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;
    // True when this is the first instance (it then listens for later starts).
    bool claim();
    // Asks the running instance to raise its window; answers true when it answered.
    bool raiseOther();
    void onRaiseRequest(std::function<void()> fn) { m_raise = std::move(fn); }

private:
    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    std::function<void()> m_raise;
};

} // namespace vm
