#pragma once
// One running editor per user and display: the first start listens on a local socket in
// the user's runtime folder; a later start hands its files to it there and ends.

#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class QLocalServer;

namespace lw {

class CInstanceChannel : public QObject {
public:
    CInstanceChannel();
    ~CInstanceChannel() override;

    // The socket's path: per user (the runtime folder) and per display.
    static QString SocketPath();
    // Whether this process runs on a display where one editor should serve all starts
    // (not on the offscreen platform tests use).
    static bool IsWanted();

    // Hands the files (none: a new document) to a running editor; true when one took them.
    bool HandOver(const QStringList& files, int timeoutMs = 5000);
    // Becomes the running editor, replacing a socket a crashed editor left behind.
    bool Listen();
    bool IsListening() const;

    // Called in the running editor for every later start, with that start's files.
    std::function<void(const QStringList& files)> onRequest;

private:
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace lw
