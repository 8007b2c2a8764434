// Keys typed on US, French and German layouts are captured by their place, so
// the mouse, which plays places, replays the key the user pressed. The layouts
// are compiled with libxkbcommon, without a display.
#include <xkbcommon/xkbcommon.h>

#include <QtTest>
#include <memory>
#include <optional>

#include "gui/input/VirtualKeys.h"
#include "keys/KeyNames.h"
#include "keys/LayoutKeyNames.h"
#include "keys/VirtualKeys.h"

namespace orbic::gui::test {

namespace {

struct KeymapDeleter {
  void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};
struct StateDeleter {
  void operator()(xkb_state* state) const { xkb_state_unref(state); }
};
struct ContextDeleter {
  void operator()(xkb_context* context) const { xkb_context_unref(context); }
};

// One layout: the key code that types a character without modifiers, as the
// platform would report it with the key event.
class Layout {
 public:
  explicit Layout(const char* name) {
    context_.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    const xkb_rule_names names{"evdev", "pc105", name, "", ""};
    if (context_) {
      keymap_.reset(xkb_keymap_new_from_names(context_.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    }
    if (keymap_) {
      state_.reset(xkb_state_new(keymap_.get()));
    }
  }
  bool Valid() const { return state_ != nullptr; }

  std::optional<xkb_keycode_t> KeyCodeOf(xkb_keysym_t wanted) const {
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap_.get());
         code <= xkb_keymap_max_keycode(keymap_.get()); ++code) {
      if (xkb_state_key_get_one_sym(state_.get(), code) == wanted) {
        return code;
      }
    }
    return std::nullopt;
  }

 private:
  std::unique_ptr<xkb_context, ContextDeleter> context_;
  std::unique_ptr<xkb_keymap, KeymapDeleter> keymap_;
  std::unique_ptr<xkb_state, StateDeleter> state_;
};

// The event Qt hands over for `keysym` at `code`: its key is the character's
// upper case, as Qt reports it, and the native scan code the key code.
QKeyEvent EventFor(xkb_keysym_t keysym, xkb_keycode_t code,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const char32_t character = xkb_keysym_to_utf32(keysym);
  const QString text = QString::fromUcs4(&character, 1);
  const int key = static_cast<int>(text.toUpper().at(0).unicode());
  return QKeyEvent(QEvent::KeyPress, key, modifiers, code, keysym, 0, text);
}

}  // namespace

class KeyLayoutsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { keys::ForgetLayoutKeyNames(); }

  void KeysAreCapturedByTheirPlaceOnEveryLayout() {
    const struct {
      const char* layout;
      xkb_keysym_t typed;
      const char* typedName;
      std::uint16_t virtualKey;  // of the same place on a US keyboard
      std::uint8_t usage;        // what the mouse then plays
    } cases[] = {
        {"us", XKB_KEY_a, "a", 0x41, 0x04},
        {"us", XKB_KEY_1, "1", 0x31, 0x1E},
        {"us", XKB_KEY_numbersign, "# needs shift on us", 0, 0},
        {"us", XKB_KEY_semicolon, ";", 0xBA, 0x33},
        {"fr", XKB_KEY_ampersand, "& (the 1 key)", 0x31, 0x1E},
        {"fr", XKB_KEY_a, "a (the Q place)", 0x51, 0x14},
        {"fr", XKB_KEY_m, "m (the ; place)", 0xBA, 0x33},
        {"fr", XKB_KEY_eacute, "é (the 2 key)", 0x32, 0x1F},
        {"fr", XKB_KEY_less, "< (the ISO key)", 0xE2, 0x64},
        {"de", XKB_KEY_numbersign, "# (the ISO key beside Enter)", 0xDC, 0x31},
        {"de", XKB_KEY_adiaeresis, "ä (the ' place)", 0xDE, 0x34},
        {"de", XKB_KEY_z, "z (the Y place)", 0x59, 0x1C},
        {"de", XKB_KEY_ssharp, "ß (the - place)", 0xBD, 0x2D},
        {"de", XKB_KEY_less, "< (the ISO key)", 0xE2, 0x64},
    };
    for (const auto& c : cases) {
      Layout layout(c.layout);
      QVERIFY2(layout.Valid(), c.layout);
      const std::optional<xkb_keycode_t> code = layout.KeyCodeOf(c.typed);
      if (c.virtualKey == 0) {
        QVERIFY2(!code, c.typedName);
        continue;
      }
      QVERIFY2(code.has_value(), c.typedName);
      const QKeyEvent event = EventFor(c.typed, *code);
      const std::optional<std::uint16_t> captured = VirtualKeyFromQt(event);
      QVERIFY2(captured.has_value(), c.typedName);
      QCOMPARE(*captured, c.virtualKey);
      QCOMPARE(keys::UsageForVirtualKey(*captured), c.usage);
    }
  }

  // A key pressed in a capture or recording path names its place as the
  // layout's keycap does; the place, not the name, is what the mouse plays.
  void PressedKeysNameTheirPlaceAsTheLayoutDoes() {
    const struct {
      const char* layout;
      xkb_keysym_t typed;
      Qt::KeyboardModifiers modifiers;
      std::uint16_t virtualKey;
      const char* name;  // as the dialogs and lines then show it
    } cases[] = {
        {"us", XKB_KEY_1, Qt::NoModifier, 0x31, "1"},
        {"us", XKB_KEY_exclam, Qt::ShiftModifier, 0x31, "1"},  // Shift: not the keycap's first
        {"fr", XKB_KEY_ampersand, Qt::NoModifier, 0x31, "&"},
        {"fr", XKB_KEY_ampersand, Qt::ControlModifier, 0x31, "&"},  // Ctrl keeps the character
        {"fr", XKB_KEY_a, Qt::NoModifier, 0x51, "A"},
        {"fr", XKB_KEY_eacute, Qt::NoModifier, 0x32, "\xC3\x89"},
        {"de", XKB_KEY_adiaeresis, Qt::NoModifier, 0xDE, "\xC3\x84"},
        {"de", XKB_KEY_numbersign, Qt::NoModifier, 0xDC, "#"},
        {"de", XKB_KEY_z, Qt::NoModifier, 0x59, "Z"},
    };
    for (const auto& c : cases) {
      Layout layout(c.layout);
      QVERIFY2(layout.Valid(), c.layout);
      const std::optional<xkb_keycode_t> code = layout.KeyCodeOf(c.typed);
      // A shifted character is found at its key's code, typed with Shift.
      const std::optional<xkb_keycode_t> place = code ? code : layout.KeyCodeOf(XKB_KEY_1);
      QVERIFY2(place.has_value(), c.name);
      const QKeyEvent event = EventFor(c.typed, *place, c.modifiers);
      const std::optional<std::uint16_t> captured = PressedVirtualKey(event);
      QVERIFY2(captured.has_value(), c.name);
      QCOMPARE(*captured, c.virtualKey);
      QCOMPARE(keys::KeyNameForVirtualKey(*captured), std::string(c.name));
      QCOMPARE(keys::KeyNameForUsage(keys::UsageForVirtualKey(*captured)), std::string(c.name));
      keys::ForgetLayoutKeyNames();
    }
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::KeyLayoutsTest)
#include "KeyLayoutsTest.moc"
