#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <memory>

class QSystemTrayIcon;

namespace orbic::gui {

// The program's icon in the notification area while it runs, where the
// desktop has one. It offers no menu and ignores clicks.
class TrayIcon : public QObject {
  Q_OBJECT

 public:
  explicit TrayIcon(QObject* parent = nullptr);
  ~TrayIcon() override;

  // Whether an icon is shown (false when the desktop has no tray).
  bool Shown() const;
  void SetToolTip(const QString& text);

  // The program's icon, drawn so no file is needed beside the program.
  static QIcon ApplicationIcon();

 private:
  std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace orbic::gui
