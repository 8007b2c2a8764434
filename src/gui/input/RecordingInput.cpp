#include "gui/input/RecordingInput.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <array>

#include "fire/FireContentEditor.h"
#include "gui/input/VirtualKeys.h"

namespace orbic::gui {
namespace {

using macros::ButtonEdge;

struct ButtonEdges {
  Qt::MouseButton button;
  ButtonEdge down;
  ButtonEdge up;
};

// XButton1 is the back button, XButton2 the forward one.
constexpr std::array kButtonEdges = {
    ButtonEdges{Qt::LeftButton, ButtonEdge::kLeftDown, ButtonEdge::kLeftUp},
    ButtonEdges{Qt::RightButton, ButtonEdge::kRightDown, ButtonEdge::kRightUp},
    ButtonEdges{Qt::MiddleButton, ButtonEdge::kMiddleDown, ButtonEdge::kMiddleUp},
    ButtonEdges{Qt::ForwardButton, ButtonEdge::kForwardDown, ButtonEdge::kForwardUp},
    ButtonEdges{Qt::BackButton, ButtonEdge::kBackwardDown, ButtonEdge::kBackwardUp},
};

}  // namespace

RecordingInput::RecordingInput(QObject* parent) : QObject(parent) {
  if (QCoreApplication* application = QCoreApplication::instance()) {
    application->installEventFilter(this);
  }
}

RecordingInput::~RecordingInput() {
  if (QCoreApplication* application = QCoreApplication::instance()) {
    application->removeEventFilter(this);
  }
}

void RecordingInput::SetRecorder(macros::MacroRecorder* recorder) {
  recorder_ = recorder;
  heldKeys_.clear();
  if (recorder_ != nullptr) {
    recorder_->SetPointerOverButton(buttonUnderPointer_ != nullptr);
  }
  if (fireEditor_ != nullptr) {
    fireEditor_->SetPointerOverRecordButton(buttonUnderPointer_ != nullptr);
  }
}

void RecordingInput::SetFireEditor(fire::FireContentEditor* editor) {
  fireEditor_ = editor;
  if (fireEditor_ != nullptr) {
    fireEditor_->SetPointerOverRecordButton(buttonUnderPointer_ != nullptr);
  }
}

bool RecordingInput::Recording() const {
  return recorder_ != nullptr && recorder_->Recording();
}

bool RecordingInput::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
      HandlePointerOver(*watched, event->type() == QEvent::Enter);
      break;
    case QEvent::ApplicationDeactivate:
      // Releases made elsewhere never arrive; the next press starts afresh.
      heldKeys_.clear();
      break;
    case QEvent::ShortcutOverride:
      // Claimed for the macro, so no shortcut of the window fires.
      if (Recording()) {
        event->accept();
        return true;
      }
      break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (watched->isWindowType()) {
        return HandleKey(*event);
      }
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
      if (watched->isWindowType()) {
        HandleButton(*event);
      }
      break;
    default:
      break;
  }
  return false;
}

bool RecordingInput::HandleKey(const QEvent& event) {
  const auto& key = static_cast<const QKeyEvent&>(event);
  const bool press = event.type() == QEvent::KeyPress;
  const std::optional<std::uint16_t> virtualKey = PressedVirtualKey(key);
  if (!virtualKey) {
    return Recording();  // a key without a code: not recorded, but still not the window's
  }
  // A held key is one press: its auto-repeats (on X11 release-and-press
  // pairs) never reach the recorder, which would otherwise take the repeat of
  // a key held under a later one as a new press.
  const bool held = heldKeys_.contains(*virtualKey);
  if (key.isAutoRepeat() || (press && held)) {
    return Recording();
  }
  if (press) {
    heldKeys_.insert(*virtualKey);
  } else {
    heldKeys_.erase(*virtualKey);
  }
  if (!Recording()) {
    return false;
  }
  // Every real press is a first press: a second press of the last key while
  // another is held is a new event, not a repeat.
  const macros::KeyEventResult result = recorder_->KeyboardHook1Receive(
      *virtualKey, press ? macros::KeyHookKind::kFirstDown : macros::KeyHookKind::kUp);
  if (result.outcome == macros::EventOutcome::kRecorded) {
    emit recorded();
  } else if (result.outcome == macros::EventOutcome::kStopped) {
    emit recordingStopped(result.stop);
  }
  return true;
}

void RecordingInput::HandleButton(const QEvent& event) {
  const auto& mouse = static_cast<const QMouseEvent&>(event);
  HandleFireButton(mouse);
  if (!Recording()) {
    return;
  }
  const auto edges =
      std::find_if(kButtonEdges.begin(), kButtonEdges.end(),
                   [&](const ButtonEdges& entry) { return entry.button == mouse.button(); });
  if (edges == kButtonEdges.end()) {
    return;
  }
  const bool press = event.type() == QEvent::MouseButtonPress;
  if (recorder_->MouseButtonEdge(press ? edges->down : edges->up) ==
      macros::EventOutcome::kRecorded) {
    emit recorded();
  }
}

void RecordingInput::HandleFireButton(const QMouseEvent& event) {
  if (fireEditor_ == nullptr || !fireEditor_->Recording() || event.button() != Qt::LeftButton) {
    return;
  }
  fireEditor_->LeftButtonEdge(event.type() == QEvent::MouseButtonPress);
  // A full record ends the recording; the page shows either change.
  emit recorded();
}

void RecordingInput::HandlePointerOver(QObject& watched, bool entered) {
  if (!recordButtons_.contains(watched.objectName())) {
    return;
  }
  if (entered) {
    buttonUnderPointer_ = &watched;
  } else if (buttonUnderPointer_ == &watched) {
    buttonUnderPointer_ = nullptr;
  }
  if (recorder_ != nullptr) {
    recorder_->SetPointerOverButton(buttonUnderPointer_ != nullptr);
  }
  if (fireEditor_ != nullptr) {
    fireEditor_->SetPointerOverRecordButton(buttonUnderPointer_ != nullptr);
  }
}

}  // namespace orbic::gui
