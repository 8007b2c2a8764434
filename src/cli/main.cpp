// orbic40-cli: the mouse's configuration from the command line, for scripts,
// factory lines and automated checks.
#include <CLI/CLI.hpp>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "base/FileServices.h"
#include "cli/Commands.h"
#include "cli/SettingChanges.h"
#include "cli/TransferProgress.h"
#include "orbic40/Version.h"
#include "platform/NativeServices.h"

int main(int argc, char** argv) {
  using namespace orbic::cli;
#ifdef _WIN32
  // The same bytes as on other systems: text output gets no carriage returns added, so listings
  // and JSON compare equal and scripts need no second parser.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  const std::unique_ptr<orbic::FileServices> fileServices = orbic::platform::NativeFileServices();
  orbic::InstallFileServices(fileServices.get());
  CLI::App app{"orbic40-cli: configure the ORBIC40 gaming mouse"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("orbic40-cli ") + ORBIC40_VERSION,
                       "Print the version and end");

  GlobalOptions global;
  app.add_option("--simulated", global.simulatedState,
                 "Talk to the simulated mouse kept in this state file (see 'sim new')");
  app.add_option("--simulated-driver", global.simulatedDriver,
                 "Talk to the simulated filter driver kept in this state file (see 'sim "
                 "new-driver')");
  app.add_option("--config", global.configPath,
                 "Read the behaviour configuration's [org] section from this INI file instead of "
                 "the embedded one (Ap_Mode=1 selects driver mode)");
  app.add_flag("--trace", global.trace, "Print every feature report to stderr");
  app.add_flag("--no-backup", global.noBackup,
               "Write to the mouse without saving its current settings to the backup folder first");
  bool json = false;
  app.add_flag("--json", json, "Machine-readable output");
  // Global options may also follow the subcommand: `decode IMAGE --json`.
  app.fallthrough();

  auto* devices = app.add_subcommand("devices", "List every HID interface, the mouse marked");
  auto* driverInfo = app.add_subcommand(
      "driver-info", "Find the filter driver by the mouse's driver id and show its sections");

  auto* udevRule = app.add_subcommand(
      "udev-rule", "Print the udev rule that lets the user at the seat use the mouse");
  int watchTicks = 0;
  auto* watch = app.add_subcommand(
      "watch", "Look for the mouse as the desktop program does and print each event until stopped");
  watch
      ->add_option("--ticks", watchTicks,
                   "Stop after this many device-timer ticks (default: never)")
      ->check(CLI::NonNegativeNumber);
  bool watchPollOnly = false;
  watch->add_flag("--poll-only", watchPollOnly,
                  "Look only every 2.5 s, without udev's word that a device came or went");

  std::string outPath;
  auto* read = app.add_subcommand("read", "Read the mouse's 2048-byte parameter memory to a file");
  read->add_option("OUT", outPath, "File to write (2048 bytes, as read)")->required();

  auto* simCommand = app.add_subcommand("sim", "Simulated mouse and filter driver state files");
  simCommand->require_subcommand(1);
  SimNewOptions sim;
  auto* simNew = simCommand->add_subcommand("new", "Create a simulated mouse state file");
  simNew->add_option("STATE", sim.statePath, "State file to create")->required();
  simNew->add_option("--image", sim.imagePath,
                     "2048-byte memory image (default: built-in image 1)");
  simNew->add_option("--chip-byte", sim.chipByte, "Command-3 chip byte, HEX (default FD)");
  simNew->add_option("--ident", sim.ident,
                     "HID vendor and product id, HEX,HEX (default 1BCF,08A0)");
  simNew->add_option("--version", sim.version, "HID version, HEX (default 0104)");
  simNew->add_option("--feature-length", sim.featureLength, "Feature report length (default 8)");
  simNew->add_option("--memory-ready", sim.memoryReady, "MemoryReady flag, 0 or 1 (default 1)");
  simNew->add_option("--cmd1-reply", sim.cmd1Reply, "Command-1 reply byte, HEX (default A5)");
  simNew->add_option("--ack-polls", sim.ackPolls, "Polls showing status 0 before 0xCC (default 0)");
  simNew->add_option("--drop-ack", sim.dropAck, "Percent of requests lost (default 0)");
  simNew->add_option("--lost-ack", sim.lostAck,
                     "Percent of requests carried out whose acknowledgement is lost (default 0)");
  simNew->add_option("--never-ack", sim.neverAck, "Command never acknowledged, HEX (repeatable)");
  simNew->add_option("--stuck", sim.stuck, "ADDR=VALUE: memory byte stuck at VALUE (HEX)");
  simNew->add_option("--flaky", sim.flaky, "ADDR=N: the first N writes of the byte are lost");
  simNew->add_option("--unplug-after", sim.unplugAfter, "The mouse vanishes after N packets");
  simNew->add_flag("--never-answer", sim.neverAnswer, "No request is ever acknowledged");
  simNew->add_flag("--unplugged", sim.unplugged, "The mouse starts unplugged");
  SimNewDriverOptions simDriver;
  auto* simNewDriver =
      simCommand->add_subcommand("new-driver", "Create a simulated filter driver state file");
  simNewDriver->add_option("DRVSTATE", simDriver.statePath, "State file to create")->required();
  simNewDriver->add_option("--id", simDriver.id,
                           "Driver id in the interface path, HEX (default 1234)");
  simNewDriver->add_option("--image", simDriver.imagePath,
                           "Driver memory from address 0, up to 102400 bytes, zero behind it "
                           "(default: built-in image 1)");
  simNewDriver->add_flag("--fail-default", simDriver.failDefault,
                         "A full 102400-byte load (default parameters, profile) reports failure");
  simNewDriver->add_flag("--absent", simDriver.absent, "The driver's interface is not listed");

  std::string imagePath;
  auto* decode = app.add_subcommand("decode", "Show the settings an image file holds");
  decode->add_option("IMAGE", imagePath, "2048-byte image file")->required();

  auto* image = app.add_subcommand("image", "Change image files offline");
  image->require_subcommand(1);
  std::string setIn;
  std::string setOut;
  std::vector<std::string> changes;
  auto* imageSet = image->add_subcommand("set", "Change settings of an image as the pages would");
  imageSet->add_option("IN", setIn, "2048-byte image file to start from")->required();
  imageSet->add_option("OUT", setOut, "File to write")->required();
  imageSet->add_option("CHANGES", changes,
                       std::string("NAME=VALUE... with NAME one of: ") + SettingNamesHelp());

  std::string fromJsonSettings;
  std::string fromJsonBase;
  std::string fromJsonOut;
  auto* imageFromJson = image->add_subcommand(
      "from-json", "Make the settings of a 'decode --json' text (all or some keys) in an image");
  imageFromJson->add_option("SETTINGS", fromJsonSettings, "JSON file as decode --json prints it")
      ->required();
  imageFromJson->add_option("BASE", fromJsonBase, "2048-byte image file to start from")->required();
  imageFromJson->add_option("OUT", fromJsonOut, "File to write")->required();

  std::string slotsPath;
  auto* imageSlots = image->add_subcommand("slots", "Show the six macro slots of an image");
  imageSlots->add_option("IMAGE", slotsPath, "2048-byte image file")->required();

  std::string fireImagePath;
  auto* imageFire =
      image->add_subcommand("fire", "Show the ten fire macros of an image as the fire page does");
  imageFire->add_option("IMAGE", fireImagePath, "2048-byte image file")->required();

  std::string applyPath;
  auto* apply = app.add_subcommand("apply", "Write the settings of an image file to the mouse");
  apply->add_option("IN", applyPath, "2048-byte image file")->required();
  std::string loadPath;
  auto* load = app.add_subcommand("load", "Load a profile file into the mouse");
  load->add_option("IN", loadPath, "Profile file (its first 2048 bytes)")->required();
  int presetNumber = 0;
  auto* preset = app.add_subcommand("preset", "Reset the mouse to preset 1, 2 or 3");
  preset->add_option("N", presetNumber, "Preset number")->required()->check(CLI::Range(1, 3));
  std::string savePath;
  auto* save = app.add_subcommand("save", "Save the mouse's settings to a profile file");
  save->add_option("OUT", savePath, "Profile file (.bin is appended when missing)")->required();

  auto* backups = app.add_subcommand(
      "backups", "List the backups of the mouse's settings made before each write, oldest first");
  std::string restorePath;
  auto* restore =
      app.add_subcommand("restore", "Write a backup back to the mouse (default: the newest)");
  restore->add_option("FILE", restorePath, "Backup file (see 'backups')");

  auto* macro = app.add_subcommand("macro", "Macro library files and single-macro records");
  macro->require_subcommand(1);
  std::string macroLibrary;
  std::string macroIndex;
  std::string macroRecord;
  std::string macroOut;
  auto* macroList = macro->add_subcommand("list", "Index and name of every macro of a library");
  macroList->add_option("LIBRARY", macroLibrary, "Macro.bin or Driver_Macro.bin-style file")
      ->required();
  auto* macroShow = macro->add_subcommand("show", "Name, stop mode and lines of one macro");
  macroShow->add_option("LIBRARY", macroLibrary, "Macro.bin or Driver_Macro.bin-style file")
      ->required();
  macroShow->add_option("INDEX", macroIndex, "Macro index, from 0")->required();
  MacroEncodeOptions encode;
  auto* macroEncode =
      macro->add_subcommand("encode", "Make a single-macro record from a text file of lines");
  macroEncode->add_option("LINES", encode.linesPath, "Text file: the header, then one event a line")
      ->required();
  macroEncode->add_option("OUT", encode.outPath, "Record file to write")->required();
  macroEncode->add_option("--form", encode.form, "224 (256-byte record, default) or 2016 (2048)")
      ->check(CLI::IsMember({224, 2016}));
  auto* nameOption =
      macroEncode->add_option("--name", encode.name, "Macro name (default: OUT without .bin)");
  macroEncode
      ->add_option("--stop-mode", encode.stopMode,
                   "0 stop after the macro is over (default), 1 stop at key release")
      ->check(CLI::IsMember({0, 1}));
  auto* macroDecode = macro->add_subcommand("decode", "Print the lines of a single-macro record");
  macroDecode->add_option("RECORD", macroRecord, "256- or 2048-byte record file")->required();
  auto* macroAdd = macro->add_subcommand("add", "Import a single-macro record into a library");
  macroAdd->add_option("LIBRARY", macroLibrary, "Macro.bin or Driver_Macro.bin-style file")
      ->required();
  macroAdd->add_option("RECORD", macroRecord, "Record of the library's form")->required();
  auto* macroExport = macro->add_subcommand("export", "Export one macro as a record file");
  macroExport->add_option("LIBRARY", macroLibrary, "Macro.bin or Driver_Macro.bin-style file")
      ->required();
  macroExport->add_option("INDEX", macroIndex, "Macro index, from 0")->required();
  macroExport->add_option("OUT", macroOut, "Record file (.bin is appended when missing)")
      ->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help ends with status 0; a malformed command line is bad input like any other.
    return app.exit(e) == 0 ? kExitOk : kExitBadInput;
  }

  // A bar for long transfers, only for a person watching a terminal.
  global.progress = !json && StderrIsTerminal();

  if (devices->parsed()) {
    return RunDevices(global, json);
  }
  if (read->parsed()) {
    return RunRead(global, outPath, json);
  }
  if (udevRule->parsed()) {
    return RunUdevRule();
  }
  if (watch->parsed()) {
    return RunWatch(global, json, watchTicks, watchPollOnly);
  }
  if (simNew->parsed()) {
    return RunSimNew(sim);
  }
  if (simNewDriver->parsed()) {
    return RunSimNewDriver(simDriver);
  }
  if (driverInfo->parsed()) {
    return RunDriverInfo(global, json);
  }
  if (decode->parsed()) {
    return RunDecode(global, imagePath, json);
  }
  if (imageSet->parsed()) {
    return RunImageSet(global, setIn, setOut, changes);
  }
  if (imageFromJson->parsed()) {
    return RunImageFromJson(global, fromJsonSettings, fromJsonBase, fromJsonOut);
  }
  if (imageSlots->parsed()) {
    return RunImageSlots(global, slotsPath, json);
  }
  if (imageFire->parsed()) {
    return RunImageFire(global, fireImagePath, json);
  }
  if (apply->parsed()) {
    return RunApply(global, applyPath);
  }
  if (load->parsed()) {
    return RunLoad(global, loadPath);
  }
  if (preset->parsed()) {
    return RunPreset(global, presetNumber);
  }
  if (save->parsed()) {
    return RunSave(global, savePath);
  }
  if (backups->parsed()) {
    return RunBackups(json);
  }
  if (restore->parsed()) {
    return RunRestore(global, restorePath);
  }
  if (macroList->parsed()) {
    return RunMacroList(macroLibrary, json);
  }
  if (macroShow->parsed()) {
    return RunMacroShow(macroLibrary, macroIndex, json);
  }
  if (macroEncode->parsed()) {
    encode.nameGiven = nameOption->count() > 0;
    return RunMacroEncode(encode);
  }
  if (macroDecode->parsed()) {
    return RunMacroDecode(macroRecord, json);
  }
  if (macroAdd->parsed()) {
    return RunMacroAdd(macroLibrary, macroRecord);
  }
  if (macroExport->parsed()) {
    return RunMacroExport(macroLibrary, macroIndex, macroOut);
  }
  return kExitBadInput;
}
