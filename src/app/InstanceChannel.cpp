#include "app/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>

namespace lw {

namespace {
// A request is its files, one per line, closed by an empty line; the answer is "ok".
constexpr int kMaxRequestBytes = 1 << 20;

QString displayKey() {
    QByteArray display = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qgetenv("DISPLAY");
    return QString::fromLatin1(QCryptographicHash::hash(display, QCryptographicHash::Sha1).toHex().left(12));
}
} // namespace

CInstanceChannel::CInstanceChannel() = default;

CInstanceChannel::~CInstanceChannel() {
    if (m_server)
        m_server->close();
}

QString CInstanceChannel::SocketPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("Tarn.Loomwrite-%1.socket").arg(displayKey()));
}

bool CInstanceChannel::IsWanted() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("wayland");
}

bool CInstanceChannel::HandOver(const QStringList& files, int timeoutMs) {
    // Two starts at once must not both decide they are the first.
    m_lock = std::make_unique<QLockFile>(SocketPath() + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(timeoutMs))
        m_lock.reset();
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(timeoutMs / 2))
        return false;
    QByteArray request;
    for (const QString& f : files)
        request += QFileInfo(f).absoluteFilePath().toUtf8() + '\n';
    request += '\n';
    socket.write(request);
    if (!socket.waitForBytesWritten(timeoutMs / 2))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.readLine().trimmed() == "ok";
}

bool CInstanceChannel::Listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered there: whatever socket file is left is a crashed editor's.
    QLocalServer::removeServer(SocketPath());
    const bool ok = m_server->listen(SocketPath());
    m_lock.reset();
    if (!ok) {
        qWarning("Other starts cannot reach this editor: %s", qPrintable(m_server->errorString()));
        return false;
    }
    QObject::connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            QObject::connect(client, &QLocalSocket::readyRead, client, [this, client] {
                const QByteArray data = client->peek(kMaxRequestBytes);
                if (!data.endsWith("\n\n") && data != "\n") {
                    if (data.size() >= kMaxRequestBytes)
                        client->abort();
                    return;
                }
                client->readAll();
                QStringList files;
                for (const QByteArray& line : data.split('\n'))
                    if (!line.isEmpty())
                        files << QString::fromUtf8(line);
                client->write("ok\n");
                client->flush();
                // The request is acted on once its answer is on its way.
                QMetaObject::invokeMethod(
                    this,
                    [this, files] {
                        if (onRequest)
                            onRequest(files);
                    },
                    Qt::QueuedConnection);
            });
        }
    });
    return true;
}

bool CInstanceChannel::IsListening() const { return m_server && m_server->isListening(); }

} // namespace lw
