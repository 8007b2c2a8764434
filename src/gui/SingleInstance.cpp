#include "gui/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace orbic::gui {

namespace {

constexpr char kRaise[] = "raise\n";

QString LockFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) {
    folder = QDir::tempPath();
  }
  return folder;
}

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), key_(key) {
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->readAll().startsWith("raise")) {
          emit raiseRequested();
        }
        socket->disconnectFromServer();
      });
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
}

bool SingleInstance::Claim(int waitMs) {
  lock_ = std::make_unique<QLockFile>(LockFolder() + "/" + key_ + ".lock");
  // A lock left by a crashed process is taken over (QLockFile checks its PID).
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) {
    QLocalServer::removeServer(key_);  // a socket file left by a crash
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(key_);
    return true;
  }
  QLocalSocket socket;
  socket.connectToServer(key_);
  if (socket.waitForConnected(waitMs)) {
    socket.write(kRaise);
    socket.waitForBytesWritten(waitMs);
    socket.disconnectFromServer();
  }
  return false;
}

}  // namespace orbic::gui
