#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orbic::app {

class Session;
enum class TransferOutcome;

// The driver-mode halves of "Apply", the presets, the engineer default and the
// profile files: the sections go to the filter driver, the live state to the
// mouse with command 9.
class DriverTransfer {
 public:
  explicit DriverTransfer(Session& session) : session_(session) {}

  // The write-back: live state, then Parameter B, Parameter A, the fire-key
  // block, the Profile section and the whole driver macro list.
  TransferOutcome DownloadDriverParameter();
  // A default file from the configured folder into the driver's memory; the
  // mouse gets the file's live state and the connection starts again. A
  // missing file changes nothing.
  TransferOutcome TLDefaultDriverParameter(const std::string& fileName);
  // The mouse is read again, then the driver's first 40960 bytes with the
  // live state at 160..163 are written to `path` (".bin" appended when
  // missing), atomically.
  TransferOutcome SaveProfile(const std::string& path, std::string& error);
  // A driver profile file (2048 to 102400 bytes) into the driver's memory.
  TransferOutcome LoadProfile(const std::string& path, std::string& error);

 private:
  // Fails with `error` set when `path` cannot be read or cannot be a profile.
  bool ReadLoadFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);
  // The command-9 follow-up of a full load the driver took, and the new
  // connection start (after a refused load only when asked).
  TransferOutcome AfterLoad(const std::vector<std::uint8_t>& bytes, bool loaded,
                            bool reconnectAfterFailure);

  Session& session_;
};

}  // namespace orbic::app
