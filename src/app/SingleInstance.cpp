#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {
const QByteArray ShowRequest = QByteArrayLiteral("SHOW\n");
constexpr int TimeoutMs = 2000;
}

SingleInstance::SingleInstance(const QString &serverName, QObject *parent)
    : QObject(parent), m_name(serverName)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverNameFor(const QString &workstationDirectory)
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty())
        user = QDir::home().dirName();
    const QByteArray hash = QCryptographicHash::hash(
        QDir::cleanPath(workstationDirectory).toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("Tessaro-%1-%2").arg(user, QString::fromLatin1(hash.toHex().left(12)));
}

bool SingleInstance::isPrimary() const
{
    return m_server && m_server->isListening();
}

bool SingleInstance::askRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(TimeoutMs))
        return false;
    socket.write(ShowRequest);
    const bool sent = socket.waitForBytesWritten(TimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(TimeoutMs);
    return sent;
}

bool SingleInstance::start()
{
    if (isPrimary())
        return true;
    if (askRunningCopy())
        return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // Nobody answered, so the socket file is left over from a copy that crashed.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name)) {
            // Run anyway: refusing to start because of a socket is worse than two copies.
            qWarning("single-instance channel unavailable: %s",
                     qPrintable(m_server->errorString()));
            return true;
        }
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto handle = [this, socket] {
                if (socket->canReadLine() && socket->readLine() == ShowRequest)
                    emit showRequested();
            };
            connect(socket, &QLocalSocket::readyRead, this, handle);
            handle();
        }
    });
    return true;
}
