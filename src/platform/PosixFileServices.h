#pragma once

#include "base/FileServices.h"

namespace orbic::platform {

// fsync and flock for the core's file writes and updates. Install once at start.
class PosixFileServices final : public FileServices {
 public:
  bool SyncFile(const std::string& path) override;
  bool SyncFolder(const std::string& folder) override;
  std::unique_ptr<FileLockHold> Lock(const std::string& lockPath) override;
};

}  // namespace orbic::platform
