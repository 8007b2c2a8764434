#pragma once

#include "macros/MacroLines.h"

// The macro a recording writes into: the selected library macro, seen through
// its lines. The macro page implements it; it owns the encoding and the
// library file, the recorder only fills the lines.
namespace orbic::macros {

class RecordingTarget {
 public:
  virtual ~RecordingTarget() = default;

  // Recording needs a selected library macro.
  virtual bool HasSelectedMacro() const = 0;
  // The selected macro's lines (header first), which the event list shows.
  virtual MacroLines& Lines() = 0;
  // A fresh recording begins: the lines were cleared; the stored content of
  // the selected macro is dropped where the mode asks for it.
  virtual void RecordingStarted() = 0;
  // A fresh recording ended: encode the lines into the selected macro and save
  // the library. False when the library could not be written; the caller
  // tells the user.
  virtual bool Commit() = 0;
};

}  // namespace orbic::macros
