#pragma once

#include <gtest/gtest.h>

#include <string>

#include "macros/MacroCodec.h"
#include "macros/MacroRecord.h"

namespace orbic::test {

// A driver-form macro named `name` that types the letter A `presses` times.
inline macros::DriverMacroRecord DriverTypingMacro(
    const std::string& name, int presses = 1,
    macros::StopMode stop = macros::StopMode::kAfterMacroIsOver) {
  macros::DriverMacroRecord record;
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

}  // namespace orbic::test
