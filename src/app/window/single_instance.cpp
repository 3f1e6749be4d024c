#include "app/window/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace kvat {
namespace {

// A start that cannot reach the window this soon finds none: a socket left by a crash refuses
// at once, so only a window too busy to answer makes it wait this long.
constexpr int kReachMs = 2000;

} // namespace

SingleInstance::SingleInstance(QObject* parent, QString name)
    : QObject(parent), name_(std::move(name)) {}

QString SingleInstance::DefaultName() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime + "/kvat-window";
    // Else in the temporary folder, named by the user's number and reachable by the user alone.
    return QString("kvat-window-%1").arg(getuid());
}

bool SingleInstance::HandOver(const QStringList& files) const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kReachMs)) return false;
    // One path a line; the end of the connection ends the list.
    socket.write((files.join('\n') + '\n').toUtf8());
    socket.waitForBytesWritten(kReachMs);
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(kReachMs);
}

bool SingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::Receive);
    if (server_->listen(name_)) return true;
    // Nobody answered HandOver, so the socket is one a crashed window left behind.
    QLocalServer::removeServer(name_);
    return server_->listen(name_);
}

void SingleInstance::Receive() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // The list is whole once the start has hung up.
        const auto take = [this, socket] {
            QStringList files;
            for (const QByteArray& line : socket->readAll().split('\n'))
                if (!line.isEmpty()) files << QString::fromUtf8(line);
            socket->deleteLater();
            emit started(files);
        };
        if (socket->state() == QLocalSocket::UnconnectedState)
            take();
        else
            connect(socket, &QLocalSocket::disconnected, this, take);
    }
}

} // namespace kvat
