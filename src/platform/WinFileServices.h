#pragma once

#include "base/FileServices.h"

namespace orbic::platform {

// FlushFileBuffers, a written-through MoveFileExA and LockFileEx for the core's file writes and
// updates. Install once at start.
class WinFileServices final : public FileServices {
 public:
  bool SyncFile(const std::string& path) override;
  // Windows cannot flush a folder; the rename that follows is written through instead.
  bool SyncFolder(const std::string& folder) override;
  bool MoveOver(const std::string& from, const std::string& to, std::string& cause) override;
  std::unique_ptr<FileLockHold> Lock(const std::string& lockPath) override;
};

}  // namespace orbic::platform
