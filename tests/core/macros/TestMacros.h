#pragma once

#include <gtest/gtest.h>

#include <string>

#include "macros/MacroCodec.h"
#include "macros/MacroRecord.h"

namespace orbic::test {

// A macro of either form named `name` that types the letter A `presses` times.
template <typename Record>
Record TypingMacroOf(const std::string& name, int presses, macros::StopMode stop) {
  Record record;
  record.name = *macros::EncodeName(name);
  macros::MacroLines lines = {"00"};
  for (int i = 0; i < presses; ++i) {
    lines.push_back("1 A CODE:8204");
    lines.push_back("0 16");
    lines.push_back("2 A CODE:0204");
  }
  EXPECT_TRUE(macros::EncodeMacroLines(lines, stop, record.content).ok);
  return record;
}

// A library macro (256-byte record).
inline macros::MacroRecord TypingMacro(
    const std::string& name, int presses = 1,
    macros::StopMode stop = macros::StopMode::kAfterMacroIsOver) {
  return TypingMacroOf<macros::MacroRecord>(name, presses, stop);
}

// A driver-form macro (2048-byte record).
inline macros::DriverMacroRecord DriverTypingMacro(
    const std::string& name, int presses = 1,
    macros::StopMode stop = macros::StopMode::kAfterMacroIsOver) {
  return TypingMacroOf<macros::DriverMacroRecord>(name, presses, stop);
}

}  // namespace orbic::test
