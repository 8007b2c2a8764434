#pragma once

#include <cstddef>
#include <string>

#include "macros/MacroLines.h"

// The macro a recording writes into: the selected library macro, seen through
// its lines. The macro page implements it; it owns the lines, the encoding
// and the library file, the recorder only says which lines go where.
namespace orbic::macros {

class RecordingTarget {
 public:
  virtual ~RecordingTarget() = default;

  // Recording needs a selected library macro.
  virtual bool HasSelectedMacro() const = 0;
  // The selected macro's lines (header first), as the event list shows them.
  virtual const MacroLines& Lines() const = 0;
  // A fresh recording begins: the target empties the lines (and drops the
  // stored content where the mode asks for it). False: it cannot start now.
  virtual bool RecordingStarted() = 0;
  // Puts `line` at `index` of the lines: the end while recording, the place
  // next to the chosen event while recording into the middle.
  virtual void AddLine(std::size_t index, std::string line) = 0;
  // A fresh recording ended: encode the lines into the selected macro and save
  // the library. False when the library could not be written (the target has
  // told the user).
  virtual bool Commit() = 0;
  // Recording into the middle of the macro starts and stops; its lines stay
  // uncommitted until the insert panel's OK. False: it cannot start now.
  virtual bool InsertRecordingStarted() = 0;
  virtual void InsertRecordingStopped() = 0;
};

}  // namespace orbic::macros
