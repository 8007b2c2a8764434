// Qt keys as the virtual keys the key dialogs and the recorder speak.
#include <QtTest>
#include <optional>

#include "gui/input/VirtualKeys.h"
#include "keys/VirtualKeys.h"

namespace orbic::gui::test {

namespace {

struct Case {
  const char* name;
  int key;
  Qt::KeyboardModifiers modifiers;
  quint32 scanCode;
  quint32 keysym;
  std::optional<std::uint16_t> expected;
  const char* expectedName;  // the core's name for it, a check on the code
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers kShifted = Qt::ShiftModifier;

const Case kCases[] = {
    {"letter", Qt::Key_A, kNone, 0, 0, 0x41, "A"},
    {"last letter", Qt::Key_Z, kNone, 0, 0, 0x5A, "Z"},
    {"letter with shift", Qt::Key_Q, kShifted, 0, 0, 0x51, "Q"},
    {"digit", Qt::Key_0, kNone, 0, 0, 0x30, "0"},
    {"digit 7", Qt::Key_7, kNone, 0, 0, 0x37, "7"},
    {"shifted digit", Qt::Key_Exclam, kShifted, 0, 0, 0x31, "1"},
    {"shifted nine", Qt::Key_ParenLeft, kShifted, 0, 0, 0x39, "9"},
    {"F1", Qt::Key_F1, kNone, 0, 0, 0x70, "F1"},
    {"F12", Qt::Key_F12, kNone, 0, 0, 0x7B, "F12"},
    {"F24", Qt::Key_F24, kNone, 0, 0, 0x87, "F24"},
    {"enter", Qt::Key_Return, kNone, 0, 0, 0x0D, "Enter"},
    {"pad enter", Qt::Key_Enter, kPad, 0, 0, 0x0D, "Enter"},
    {"tab", Qt::Key_Tab, kNone, 0, 0, 0x09, "Tab"},
    {"shift tab", Qt::Key_Backtab, kShifted, 0, 0, 0x09, "Tab"},
    {"escape", Qt::Key_Escape, kNone, 0, 0, 0x1B, "Esc"},
    {"space", Qt::Key_Space, kNone, 0, 0, 0x20, "Space bar"},
    {"page down", Qt::Key_PageDown, kNone, 0, 0, 0x22, "Page Down"},
    {"left arrow", Qt::Key_Left, kNone, 0, 0, 0x25, "Left Arrow"},
    {"pad arrow", Qt::Key_Up, kPad, 0, 0, 0x26, "Up Arrow"},
    {"print screen", Qt::Key_Print, kNone, 0, 0, 0x2C, "Print Screen"},
    {"delete", Qt::Key_Delete, kNone, 0, 0, 0x2E, "Delete"},
    {"pad 0", Qt::Key_0, kPad, 0, 0, 0x60, "0 (numeric pad)"},
    {"pad 9", Qt::Key_9, kPad, 0, 0, 0x69, "9 (numeric pad)"},
    {"pad multiply", Qt::Key_Asterisk, kPad, 0, 0, 0x6A, "Multiply (numeric pad)"},
    {"pad add", Qt::Key_Plus, kPad, 0, 0, 0x6B, "Add (numeric pad)"},
    {"pad subtract", Qt::Key_Minus, kPad, 0, 0, 0x6D, "Subtract (numeric pad)"},
    {"pad decimal", Qt::Key_Period, kPad, 0, 0, 0x6E, "Decimal (numeric pad)"},
    {"pad divide", Qt::Key_Slash, kPad, 0, 0, 0x6F, "Divide (numeric pad)"},
    {"pad 5 without num lock", Qt::Key_Clear, kPad, 0, 0, 0x0C, "Clear"},
    {"num lock", Qt::Key_NumLock, kNone, 0, 0, 0x90, "Num Lock"},
    {"main asterisk", Qt::Key_Asterisk, kShifted, 0, 0, 0x38, "8"},
    {"main minus", Qt::Key_Minus, kNone, 0, 0, 0xBD, "OEM_Minus"},
    {"semicolon", Qt::Key_Semicolon, kNone, 0, 0, 0xBA, "OEM_1"},
    {"colon", Qt::Key_Colon, kShifted, 0, 0, 0xBA, "OEM_1"},
    {"plus on equal key", Qt::Key_Plus, kShifted, 0, 0, 0xBB, "OEM_Plus"},
    {"comma", Qt::Key_Comma, kNone, 0, 0, 0xBC, "OEM_Comma"},
    {"question", Qt::Key_Question, kShifted, 0, 0, 0xBF, "OEM_2"},
    {"grave", Qt::Key_QuoteLeft, kNone, 0, 0, 0xC0, "OEM_3"},
    {"brace", Qt::Key_BraceLeft, kShifted, 0, 0, 0xDB, "OEM_4"},
    {"backslash", Qt::Key_Backslash, kNone, 0, 0, 0xDC, "OEM_5"},
    {"apostrophe", Qt::Key_Apostrophe, kNone, 0, 0, 0xDE, "OEM_7"},
    {"shift, side unknown", Qt::Key_Shift, kShifted, 0, 0, 0x10, "Shift"},
    {"ctrl, side unknown", Qt::Key_Control, kNone, 0, 0, 0x11, "Ctrl"},
    {"alt, side unknown", Qt::Key_Alt, kNone, 0, 0, 0x12, "Alt"},
    {"left shift by keysym", Qt::Key_Shift, kShifted, 0, 0xFFE1, 0xA0, "Left Shift"},
    {"right shift by keysym", Qt::Key_Shift, kShifted, 0, 0xFFE2, 0xA1, "Right Shift"},
    {"right ctrl by key code", Qt::Key_Control, kNone, 105, 0, 0xA3, "Right Ctrl"},
    {"left alt by key code", Qt::Key_Alt, kNone, 64, 0, 0xA4, "Left Alt"},
    {"alt gr", Qt::Key_AltGr, kNone, 108, 0xFE03, 0xA5, "Right Alt"},
    {"meta as left windows", Qt::Key_Meta, kNone, 0, 0, 0x5B, "Left Windows"},
    {"right super by keysym", Qt::Key_Super_L, kNone, 134, 0xFFEC, 0x5C, "Right Windows"},
    {"super right", Qt::Key_Super_R, kNone, 0, 0, 0x5C, "Right Windows"},
    {"menu", Qt::Key_Menu, kNone, 0, 0, 0x5D, "Applications"},
    // The key code names the key's place, which decides.
    {"letter by its place", Qt::Key_M, kNone, 58, 0, 0x4D, "M"},
    {"place over the character", Qt::Key_Ampersand, kNone, 10, 0, 0x31, "1"},
    {"browser back", Qt::Key_Back, kNone, 0, 0, 0xA6, "Browser_Back"},
    {"browser home", Qt::Key_HomePage, kNone, 0, 0, 0xAC, "Browser_Home"},
    {"volume up", Qt::Key_VolumeUp, kNone, 0, 0, 0xAF, "Volume_Up"},
    {"mute", Qt::Key_VolumeMute, kNone, 0, 0, 0xAD, "Volume_Mute"},
    {"next track", Qt::Key_MediaNext, kNone, 0, 0, 0xB0, "Media_Next_Track"},
    {"play pause", Qt::Key_MediaTogglePlayPause, kNone, 0, 0, 0xB3, "Media_Play_Pause"},
    {"play", Qt::Key_MediaPlay, kNone, 0, 0, 0xB3, "Media_Play_Pause"},
    {"mail", Qt::Key_LaunchMail, kNone, 0, 0, 0xB4, "Launch_Mail"},
    {"calculator", Qt::Key_Calculator, kNone, 0, 0, 0xB7, "Launch_App2"},
    {"unknown key", Qt::Key_unknown, kNone, 0, 0, std::nullopt, ""},
    {"dead key", Qt::Key_Dead_Grave, kNone, 0, 0, std::nullopt, ""},
    {"eject", Qt::Key_Eject, kNone, 0, 0, std::nullopt, ""},
};

}  // namespace

class VirtualKeyInputTest : public QObject {
  Q_OBJECT

 private slots:
  void MapsKeysByTable_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(kCases)); ++i) {
      QTest::newRow(kCases[i].name) << i;
    }
  }

  void MapsKeysByTable() {
    QFETCH(int, index);
    const Case& c = kCases[index];
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      const QKeyEvent event(type, c.key, c.modifiers, c.scanCode, c.keysym, 0);
      const std::optional<std::uint16_t> code = VirtualKeyFromQt(event);
      QCOMPARE(code.has_value(), c.expected.has_value());
      if (code) {
        QCOMPARE(*code, *c.expected);
        QCOMPARE(keys::KeyNameForVirtualKey(*code), std::string_view(c.expectedName));
      }
    }
  }

  void EveryLetterAndFunctionKeyHasItsCode() {
    for (int i = 0; i < 26; ++i) {
      const QKeyEvent event(QEvent::KeyPress, Qt::Key_A + i, Qt::NoModifier);
      QCOMPARE(VirtualKeyFromQt(event), std::optional<std::uint16_t>(0x41 + i));
    }
    for (int i = 0; i < 24; ++i) {
      const QKeyEvent event(QEvent::KeyPress, Qt::Key_F1 + i, Qt::NoModifier);
      const auto code = VirtualKeyFromQt(event);
      QVERIFY(code.has_value());
      QCOMPARE(keys::KeyNameForVirtualKey(*code), ("F" + std::to_string(i + 1)));
    }
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::VirtualKeyInputTest)
#include "VirtualKeyInputTest.moc"
