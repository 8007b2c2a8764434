#include "keys/KeyPositions.h"

#include <algorithm>
#include <array>

namespace orbic::keys {
namespace {

struct Position {
  int evdevCode;
  std::uint16_t virtualKey;
};

// Linux input event codes (linux/input-event-codes.h) of the keys of a PC
// keyboard, with the virtual key of the same place on a US keyboard.
constexpr auto kPositions = std::to_array<Position>({
    {1, 0x1B},                                                       // Esc
    {2, 0x31},   {3, 0x32},   {4, 0x33},   {5, 0x34},   {6, 0x35},   // 1 .. 5
    {7, 0x36},   {8, 0x37},   {9, 0x38},   {10, 0x39},  {11, 0x30},  // 6 .. 0
    {12, 0xBD},                                                      // minus
    {13, 0xBB},                                                      // equal
    {14, 0x08},                                                      // backspace
    {15, 0x09},                                                      // tab
    {16, 0x51},  {17, 0x57},  {18, 0x45},  {19, 0x52},  {20, 0x54},  // Q W E R T
    {21, 0x59},  {22, 0x55},  {23, 0x49},  {24, 0x4F},  {25, 0x50},  // Y U I O P
    {26, 0xDB},                                                      // left brace
    {27, 0xDD},                                                      // right brace
    {28, 0x0D},                                                      // enter
    {29, 0xA2},                                                      // left ctrl
    {30, 0x41},  {31, 0x53},  {32, 0x44},  {33, 0x46},  {34, 0x47},  // A S D F G
    {35, 0x48},  {36, 0x4A},  {37, 0x4B},  {38, 0x4C},               // H J K L
    {39, 0xBA},                                                      // semicolon
    {40, 0xDE},                                                      // apostrophe
    {41, 0xC0},                                                      // grave
    {42, 0xA0},                                                      // left shift
    {43, 0xDC},  // backslash (the key beside Enter on ISO keyboards)
    {44, 0x5A},  {45, 0x58},  {46, 0x43},  {47, 0x56},  {48, 0x42},  // Z X C V B
    {49, 0x4E},  {50, 0x4D},                                         // N M
    {51, 0xBC},                                                      // comma
    {52, 0xBE},                                                      // dot
    {53, 0xBF},                                                      // slash
    {54, 0xA1},                                                      // right shift
    {55, 0x6A},                                                      // keypad *
    {56, 0xA4},                                                      // left alt
    {57, 0x20},                                                      // space
    {58, 0x14},                                                      // caps lock
    {59, 0x70},  {60, 0x71},  {61, 0x72},  {62, 0x73},  {63, 0x74},  // F1 .. F5
    {64, 0x75},  {65, 0x76},  {66, 0x77},  {67, 0x78},  {68, 0x79},  // F6 .. F10
    {69, 0x90},                                                      // num lock
    {70, 0x91},                                                      // scroll lock
    {71, 0x67},  {72, 0x68},  {73, 0x69},                            // keypad 7 8 9
    {74, 0x6D},                                                      // keypad -
    {75, 0x64},  {76, 0x65},  {77, 0x66},                            // keypad 4 5 6
    {78, 0x6B},                                                      // keypad +
    {79, 0x61},  {80, 0x62},  {81, 0x63},                            // keypad 1 2 3
    {82, 0x60},                                                      // keypad 0
    {83, 0x6E},                                                      // keypad .
    {86, 0xE2},                                          // the extra key left of Z on ISO keyboards
    {87, 0x7A},  {88, 0x7B},                             // F11, F12
    {96, 0x0D},                                          // keypad enter
    {97, 0xA3},                                          // right ctrl
    {98, 0x6F},                                          // keypad /
    {99, 0x2C},                                          // print screen
    {100, 0xA5},                                         // right alt (AltGr)
    {102, 0x24}, {103, 0x26}, {104, 0x21},               // home, up, page up
    {105, 0x25}, {106, 0x27}, {107, 0x23},               // left, right, end
    {108, 0x28}, {109, 0x22}, {110, 0x2D}, {111, 0x2E},  // down, page down, insert, delete
    {119, 0x13},                                         // pause
    {121, 0x6C},                                         // keypad separator
    {125, 0x5B},                                         // left meta
    {126, 0x5C},                                         // right meta
    {127, 0x5D},                                         // compose (menu)
});

}  // namespace

std::optional<std::uint16_t> VirtualKeyAtEvdevCode(int evdevCode) {
  const auto found = std::find_if(kPositions.begin(), kPositions.end(),
                                  [&](const Position& p) { return p.evdevCode == evdevCode; });
  if (found == kPositions.end()) {
    return std::nullopt;
  }
  return found->virtualKey;
}

}  // namespace orbic::keys
