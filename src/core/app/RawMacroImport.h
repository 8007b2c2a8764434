#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "app/SettingsTransfer.h"

namespace orbic::app {

class Session;

// The two raw imports of the macro page: a file's bytes go straight into one
// macro area of the image and, when the mouse allows it, into its memory.
class RawMacroImport {
 public:
  explicit RawMacroImport(Session& session) : session_(session) {}

  // The first 1024 bytes of `path` become slots 1..4 (image 0x100..0x4FF),
  // the slots are refreshed and the bytes written to the mouse at 256.
  TransferOutcome Btn_ImportBaseMacroClick(const std::string& path, std::string& error);
  // The first 256 bytes of `path` become the fire macro area (image
  // 0x500..0x5FF) and are written to the mouse at 1280.
  TransferOutcome Btn_ImportGunMacroClick(const std::string& path, std::string& error);

 private:
  TransferOutcome Import(const std::string& path, bool baseMacros, std::string& error);
  TransferOutcome WriteArea(std::uint16_t address, std::span<const std::uint8_t> bytes);
  bool WrittenAndReadBack(std::uint16_t address, std::span<const std::uint8_t> bytes);

  Session& session_;
};

}  // namespace orbic::app
