#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace orbic::gui {

// One window per user: the first start holds a lock file and listens on a
// local socket; a later start finds the lock taken, asks the first one to
// come forward through the socket, and ends.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `key` names the lock and the socket; tests pass their own.
  explicit SingleInstance(const QString& key, QObject* parent = nullptr);

  // True when this process is the first; otherwise the first one has been
  // asked to come forward (when it answers within `waitMs`).
  bool Claim(int waitMs = 1000);

 signals:
  // A later start asked this window to come forward.
  void raiseRequested();

 private:
  QString key_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
};

}  // namespace orbic::gui
