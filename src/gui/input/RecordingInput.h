#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <set>

class QMouseEvent;

#include "macros/MacroRecorder.h"

namespace orbic::fire {
class FireContentEditor;
}

namespace orbic::gui {

// Feeds a MacroRecorder from the application's own input: key presses and
// releases become keyboard events, mouse button presses and releases anywhere
// in the application's windows become button edges, and the pointer entering
// or leaving a record button ("Btn_Start", "Btn_InsertStart") tells the
// recorder to leave the click on "Stop" out of the macro. The fire page's
// content editor records left-button edges from the same input, with its own
// record button "Btn_FireStart".
//
// Qt only sees input aimed at this application's windows. Capturing keys and
// buttons while another program has the focus needs the platform's global
// hooks, which this program does not install on Linux; a recording there
// takes what happens inside the program.
//
// An application-wide event filter on the user-interface thread. Events are
// taken where the platform hands them to a window, so a key or click that
// travels on through several widgets counts once. While the recorder records,
// keys go to the macro and not to the window (a recorded Space must not press
// the focused button); mouse events pass on, so "Stop" can still be clicked.
class RecordingInput : public QObject {
  Q_OBJECT

 public:
  explicit RecordingInput(QObject* parent = nullptr);
  ~RecordingInput() override;
  RecordingInput(const RecordingInput&) = delete;
  RecordingInput& operator=(const RecordingInput&) = delete;

  // The recorder to feed, or null for none. The recorder decides whether it
  // records; with none, or one that is not recording, nothing is taken.
  void SetRecorder(macros::MacroRecorder* recorder);
  macros::MacroRecorder* Recorder() const { return recorder_; }
  // The fire content editor to feed, or null for none; it takes left-button
  // edges while it records.
  void SetFireEditor(fire::FireContentEditor* editor);

  // The objectNames of the record buttons the pointer is tracked over.
  void SetRecordButtonNames(QStringList names) { recordButtons_ = std::move(names); }
  const QStringList& RecordButtonNames() const { return recordButtons_; }

 signals:
  // An event put lines into the macro.
  void recorded();
  // A key found the macro full and ended the recording; the page shows `change`.
  void recordingStopped(const orbic::macros::RecordingChange& change);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Recording() const;
  bool HandleKey(const QEvent& event);
  void HandleButton(const QEvent& event);
  void HandleFireButton(const QMouseEvent& event);
  void HandlePointerOver(QObject& watched, bool entered);

  macros::MacroRecorder* recorder_ = nullptr;
  fire::FireContentEditor* fireEditor_ = nullptr;
  QStringList recordButtons_{QStringLiteral("Btn_Start"), QStringLiteral("Btn_InsertStart"),
                             QStringLiteral("Btn_FireStart")};
  // Virtual keys pressed and not yet released, to tell a held key's auto-repeat
  // from a new press.
  std::set<std::uint16_t> heldKeys_;
  QPointer<QObject> buttonUnderPointer_;
};

}  // namespace orbic::gui
