#include <iostream>

#include "base/AtomicFile.h"
#include "cli/Commands.h"
#include "cli/NumberParsing.h"
#include "params/DefaultImages.h"
#include "sim/MouseStateFile.h"

namespace orbic::cli {

namespace {

// Collects the first problem; every option is checked before anything is written.
struct OptionReader {
  std::string error;

  template <typename T>
  void Hex(const std::string& text, const char* option, std::uint32_t max, T& target) {
    if (text.empty() || !error.empty()) {
      return;
    }
    if (auto value = ParseHex(text, max)) {
      target = static_cast<T>(*value);
    } else {
      error = std::string(option) + ": '" + text + "' is not a hexadecimal value up to " +
              std::to_string(max);
    }
  }

  template <typename T>
  void Number(const std::string& text, const char* option, std::uint32_t max, T& target) {
    if (text.empty() || !error.empty()) {
      return;
    }
    if (auto value = ParseNumber(text, max)) {
      target = static_cast<T>(*value);
    } else {
      error =
          std::string(option) + ": '" + text + "' is not a number from 0 to " + std::to_string(max);
    }
  }

  // "ADDR=VALUE": the address decimal or 0x-hexadecimal, the value as `parse` reads it.
  template <typename Map, typename Parse>
  void Pairs(const std::vector<std::string>& items, const char* option, Parse parse, Map& target) {
    for (const std::string& item : items) {
      if (!error.empty()) {
        return;
      }
      const auto eq = item.find('=');
      const auto address =
          eq == std::string::npos ? std::nullopt : ParseNumber(item.substr(0, eq), 2047);
      const auto value = eq == std::string::npos ? std::nullopt : parse(item.substr(eq + 1));
      if (!address || !value) {
        error = std::string(option) + ": '" + item + "' is not ADDR=VALUE with ADDR 0..2047";
        return;
      }
      target[static_cast<std::uint16_t>(*address)] = static_cast<typename Map::mapped_type>(*value);
    }
  }
};

}  // namespace

int RunSimNew(const SimNewOptions& options) {
  sim::SimulatedMouse mouse;
  mouse.firmware.memory = params::LoadDefaultImages()[0];

  std::string error;
  if (!options.imagePath.empty()) {
    std::vector<std::uint8_t> image;
    if (!orbic::ReadWholeFile(options.imagePath, image, error)) {
      std::cerr << error << '\n';
      return kExitBadInput;
    }
    if (image.size() != mouse.firmware.memory.size()) {
      std::cerr << options.imagePath << ": an image must be exactly 2048 bytes, this one has "
                << image.size() << '\n';
      return kExitBadInput;
    }
    std::copy(image.begin(), image.end(), mouse.firmware.memory.begin());
  }

  OptionReader read;
  read.Hex(options.chipByte, "--chip-byte", 0xFF, mouse.firmware.chipByte);
  read.Hex(options.cmd1Reply, "--cmd1-reply", 0xFF, mouse.firmware.cmd1Reply);
  read.Hex(options.version, "--version", 0xFFFF, mouse.identity.version);
  read.Number(options.featureLength, "--feature-length", 64, mouse.identity.featureLength);
  read.Number(options.memoryReady, "--memory-ready", 1, mouse.firmware.memoryReady);
  read.Number(options.ackPolls, "--ack-polls", 1000, mouse.faults.ackPolls);
  read.Number(options.dropAck, "--drop-ack", 100, mouse.faults.dropAckPercent);
  read.Number(options.lostAck, "--lost-ack", 100, mouse.faults.lostAckPercent);
  if (!options.unplugAfter.empty()) {
    std::uint32_t packets = 0;
    read.Number(options.unplugAfter, "--unplug-after", 0xFFFFFFFF, packets);
    mouse.faults.unplugAfterPackets = packets;
  }
  if (!options.ident.empty() && read.error.empty()) {
    const auto comma = options.ident.find(',');
    if (comma == std::string::npos) {
      read.error = "--ident: '" + options.ident + "' is not VENDOR,PRODUCT";
    } else {
      read.Hex(options.ident.substr(0, comma), "--ident", 0xFFFF, mouse.identity.vendorId);
      read.Hex(options.ident.substr(comma + 1), "--ident", 0xFFFF, mouse.identity.productId);
    }
  }
  for (const std::string& command : options.neverAck) {
    std::uint8_t code = 0;
    read.Hex(command, "--never-ack", 0xFF, code);
    mouse.faults.neverAck.insert(code);
  }
  read.Pairs(
      options.stuck, "--stuck", [](const std::string& v) { return ParseHex(v, 0xFF); },
      mouse.faults.stuck);
  read.Pairs(
      options.flaky, "--flaky", [](const std::string& v) { return ParseNumber(v, 1000); },
      mouse.faults.flaky);
  if (!read.error.empty()) {
    std::cerr << read.error << '\n';
    return kExitBadInput;
  }
  mouse.faults.neverAnswer = options.neverAnswer;
  mouse.unplugged = options.unplugged;

  if (!sim::SaveMouseState(options.statePath, mouse, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace orbic::cli
