#pragma once

#include <string>
#include <vector>

#include "cli/DeviceAccess.h"

namespace orbic::cli {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitDeviceFailure = 1;  // the mouse could not be read or written
inline constexpr int kExitBadInput = 2;       // a file or value given on the command line

int RunDevices(const GlobalOptions& options, bool json);
int RunRead(const GlobalOptions& options, const std::string& outPath, bool json);
// Prints the udev rule that grants the user at the seat access to the mouse.
int RunUdevRule();
// Runs the device timer until interrupted (or for `ticks` ticks when above 0),
// printing found, read, lost, absent, denied and failed events.
int RunWatch(const GlobalOptions& options, bool json, int ticks, bool pollOnly);
int RunDecode(const GlobalOptions& options, const std::string& imagePath, bool json);
int RunImageFire(const GlobalOptions& options, const std::string& imagePath, bool json);
int RunImageSet(const GlobalOptions& options, const std::string& inPath, const std::string& outPath,
                const std::vector<std::string>& changes);
int RunImageSlots(const GlobalOptions& options, const std::string& imagePath, bool json);
// Makes the settings of a `decode --json` text (any subset of its keys) in a
// copy of BASE and writes it to OUT; nothing is written when one cannot be made.
int RunImageFromJson(const GlobalOptions& options, const std::string& settingsPath,
                     const std::string& basePath, const std::string& outPath);
int RunApply(const GlobalOptions& options, const std::string& inPath);
int RunLoad(const GlobalOptions& options, const std::string& inPath);
int RunPreset(const GlobalOptions& options, int number);
int RunSave(const GlobalOptions& options, const std::string& outPath);
// Lists the backups made before writes to the mouse, oldest first.
int RunBackups(bool json);
// Writes a backup (the newest when `file` is empty) back to the mouse, verified.
int RunRestore(const GlobalOptions& options, const std::string& file);

struct SimNewOptions {
  std::string statePath;
  std::string imagePath;
  std::string chipByte;
  std::string ident;
  std::string version;
  std::string featureLength;
  std::string memoryReady;
  std::string cmd1Reply;
  std::string ackPolls;
  std::string dropAck;
  std::string lostAck;
  std::vector<std::string> neverAck;
  std::vector<std::string> stuck;
  std::vector<std::string> flaky;
  std::string unplugAfter;
  bool neverAnswer = false;
  bool unplugged = false;
};
int RunSimNew(const SimNewOptions& options);

struct SimNewDriverOptions {
  std::string statePath;
  std::string id;
  std::string imagePath;
  bool failDefault = false;
  bool absent = false;
};
int RunSimNewDriver(const SimNewDriverOptions& options);
// Finds the filter driver through the mouse's driver id and shows its live
// state and parameter sections.
int RunDriverInfo(const GlobalOptions& options, bool json);

// The macro commands work on files only: libraries ("Macro.bin"-style, 25600
// bytes, or "Driver_Macro.bin"-style, a multiple of 2048 bytes) and
// single-macro records (256 or 2048 bytes).
struct MacroEncodeOptions {
  std::string linesPath;
  std::string outPath;
  int form = 224;  // content size: 224 (256-byte record) or 2016 (2048-byte record)
  std::string name;
  bool nameGiven = false;  // else the name is OUT's file name without ".bin"
  int stopMode = 0;
};
int RunMacroList(const std::string& libraryPath, bool json);
int RunMacroShow(const std::string& libraryPath, const std::string& index, bool json);
int RunMacroEncode(const MacroEncodeOptions& options);
int RunMacroDecode(const std::string& recordPath, bool json);
int RunMacroAdd(const std::string& libraryPath, const std::string& recordPath);
int RunMacroExport(const std::string& libraryPath, const std::string& index,
                   const std::string& outPath);

}  // namespace orbic::cli
