#include "sim/MouseStateFile.h"

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <utility>

#include "base/AtomicFile.h"
#include "sim/StateJson.h"

namespace orbic::sim {

namespace {

using namespace state_json;

constexpr const char* kFormat = "orbic40-simulated-mouse";
constexpr int kFormatVersion = 1;

json ToJson(const SimulatedMouse& mouse) {
  const MouseFirmware& fw = mouse.firmware;
  const MouseFaults& faults = mouse.faults;
  json stuck = json::object();
  for (const auto& [address, value] : faults.stuck) {
    stuck[std::to_string(address)] = value;
  }
  json flaky = json::object();
  for (const auto& [address, count] : faults.flaky) {
    flaky[std::to_string(address)] = count;
  }
  json result = {
      {"format", kFormat},
      {"version", kFormatVersion},
      {"identity",
       {{"vendorId", mouse.identity.vendorId},
        {"productId", mouse.identity.productId},
        {"version", mouse.identity.version},
        {"featureLength", mouse.identity.featureLength}}},
      {"firmware",
       {{"memory", ToHex(fw.memory)},
        {"cmd1Reply", fw.cmd1Reply},
        {"readyByte", fw.readyByte},
        {"memoryReady", fw.memoryReady},
        {"chipByte", fw.chipByte},
        {"acceptsDriver", fw.acceptsDriver},
        {"ledTypeByte", fw.ledTypeByte},
        {"driverId", fw.driverId},
        {"buttonState", fw.buttonState},
        {"liveState", ToHex(fw.liveState)},
        {"systemReloads", fw.systemReloads}}},
      {"faults",
       {{"ackPolls", faults.ackPolls},
        {"dropAckPercent", faults.dropAckPercent},
        {"lostAckPercent", faults.lostAckPercent},
        {"neverAck", faults.neverAck},
        {"neverAnswer", faults.neverAnswer},
        {"stuck", stuck},
        {"flaky", flaky},
        {"seed", faults.seed}}},
      {"unplugged", mouse.unplugged},
  };
  if (faults.unplugAfterPackets) {
    result["faults"]["unplugAfterPackets"] = *faults.unplugAfterPackets;
  }
  return result;
}

std::uint16_t ParseAddress(const std::string& key) {
  const bool digits =
      !key.empty() && key.size() <= 5 && key.find_first_not_of("0123456789") == std::string::npos;
  if (!digits || std::stoul(key) > 0xFFFF) {
    throw std::runtime_error("'" + key + "' is not a memory address");
  }
  return static_cast<std::uint16_t>(std::stoul(key));
}

// Throws nlohmann::json exceptions or std::exception on any malformed field.
SimulatedMouse FromJson(const json& doc) {
  if (!doc.is_object() || doc.value("format", "") != kFormat) {
    throw std::runtime_error("not a simulated mouse state file");
  }
  if (Whole<int>(doc, "version") != kFormatVersion) {
    throw std::runtime_error("unsupported state file version");
  }
  SimulatedMouse mouse;
  const json& id = doc.at("identity");
  mouse.identity.vendorId = Whole<std::uint16_t>(id, "vendorId");
  mouse.identity.productId = Whole<std::uint16_t>(id, "productId");
  mouse.identity.version = Whole<std::uint16_t>(id, "version");
  mouse.identity.featureLength = Whole<std::size_t>(id, "featureLength");

  const json& fw = doc.at("firmware");
  if (!FromHex(Text(fw, "memory"), mouse.firmware.memory)) {
    throw std::runtime_error("memory must be 2048 bytes in hexadecimal");
  }
  mouse.firmware.cmd1Reply = Whole<std::uint8_t>(fw, "cmd1Reply");
  mouse.firmware.readyByte = Whole<std::uint8_t>(fw, "readyByte");
  mouse.firmware.memoryReady = Flag(fw, "memoryReady");
  mouse.firmware.chipByte = Whole<std::uint8_t>(fw, "chipByte");
  mouse.firmware.acceptsDriver = Flag(fw, "acceptsDriver");
  mouse.firmware.ledTypeByte = Whole<std::uint8_t>(fw, "ledTypeByte");
  mouse.firmware.driverId = Whole<std::uint16_t>(fw, "driverId");
  mouse.firmware.buttonState = Whole<std::uint16_t>(fw, "buttonState");
  if (!FromHex(Text(fw, "liveState"), mouse.firmware.liveState)) {
    throw std::runtime_error("liveState must be 4 bytes in hexadecimal");
  }
  mouse.firmware.systemReloads = Whole<int>(fw, "systemReloads");

  const json& faults = doc.at("faults");
  mouse.faults.ackPolls = Whole<int>(faults, "ackPolls");
  mouse.faults.dropAckPercent = Whole<int>(faults, "dropAckPercent");
  // Absent from state files written before the fault existed.
  if (faults.contains("lostAckPercent")) {
    mouse.faults.lostAckPercent = Whole<int>(faults, "lostAckPercent");
  }
  const json& neverAck = faults.at("neverAck");
  if (!neverAck.is_array()) {
    throw std::runtime_error("neverAck must be a list of commands");
  }
  for (const json& command : neverAck) {
    mouse.faults.neverAck.insert(WholeValue<std::uint8_t>(command, "neverAck"));
  }
  mouse.faults.neverAnswer = Flag(faults, "neverAnswer");
  for (const auto& [key, value] : faults.at("stuck").items()) {
    mouse.faults.stuck[ParseAddress(key)] = WholeValue<std::uint8_t>(value, "stuck " + key);
  }
  for (const auto& [key, value] : faults.at("flaky").items()) {
    mouse.faults.flaky[ParseAddress(key)] = WholeValue<int>(value, "flaky " + key);
  }
  mouse.faults.seed = Whole<std::uint32_t>(faults, "seed");
  if (faults.contains("unplugAfterPackets")) {
    mouse.faults.unplugAfterPackets = Whole<std::uint64_t>(faults, "unplugAfterPackets");
  }
  mouse.unplugged = Flag(doc, "unplugged");
  return mouse;
}

}  // namespace

bool SaveMouseState(const std::string& path, const SimulatedMouse& mouse, std::string& error) {
  return WriteJsonFile(path, ToJson(mouse), error);
}

bool LoadMouseState(const std::string& path, SimulatedMouse& mouse, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!orbic::ReadWholeFile(path, bytes, error)) {
    error = "simulated mouse state: " + error;
    return false;
  }
  try {
    const json doc = json::parse(bytes.begin(), bytes.end());
    SimulatedMouse loaded = FromJson(doc);
    mouse.identity = loaded.identity;
    mouse.firmware = loaded.firmware;
    mouse.faults = loaded.faults;
    mouse.unplugged = loaded.unplugged;
  } catch (const std::exception& e) {
    error = "simulated mouse state " + path + " is corrupt: " + e.what();
    return false;
  }
  return true;
}

}  // namespace orbic::sim
