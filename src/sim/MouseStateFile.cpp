#include "sim/MouseStateFile.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "app/AtomicFile.h"

namespace orbic::sim {

namespace {

using nlohmann::json;

constexpr const char* kFormat = "orbic40-simulated-mouse";
constexpr int kFormatVersion = 1;

std::string ToHex(const std::uint8_t* bytes, std::size_t size) {
  static const char* digits = "0123456789ABCDEF";
  std::string text;
  text.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    text.push_back(digits[bytes[i] >> 4]);
    text.push_back(digits[bytes[i] & 15]);
  }
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool FromHex(const std::string& text, std::uint8_t* bytes, std::size_t size) {
  if (text.size() != size * 2) {
    return false;
  }
  for (std::size_t i = 0; i < size; ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) {
      return false;
    }
    bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return true;
}

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
       {{"memory", ToHex(fw.memory.data(), fw.memory.size())},
        {"cmd1Reply", fw.cmd1Reply},
        {"readyByte", fw.readyByte},
        {"memoryReady", fw.memoryReady},
        {"chipByte", fw.chipByte},
        {"acceptsDriver", fw.acceptsDriver},
        {"ledTypeByte", fw.ledTypeByte},
        {"driverId", fw.driverId},
        {"buttonState", fw.buttonState},
        {"liveState", ToHex(fw.liveState.data(), fw.liveState.size())},
        {"systemReloads", fw.systemReloads}}},
      {"faults",
       {{"ackPolls", faults.ackPolls},
        {"dropAckPercent", faults.dropAckPercent},
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
  std::size_t used = 0;
  const unsigned long value = std::stoul(key, &used, 10);
  if (used != key.size() || value > 0xFFFF) {
    throw std::out_of_range("address " + key);
  }
  return static_cast<std::uint16_t>(value);
}

// Throws nlohmann::json exceptions or std::exception on any malformed field.
SimulatedMouse FromJson(const json& doc) {
  if (!doc.is_object() || doc.value("format", "") != kFormat) {
    throw std::runtime_error("not a simulated mouse state file");
  }
  if (doc.at("version").get<int>() != kFormatVersion) {
    throw std::runtime_error("unsupported state file version");
  }
  SimulatedMouse mouse;
  const json& id = doc.at("identity");
  mouse.identity.vendorId = id.at("vendorId").get<std::uint16_t>();
  mouse.identity.productId = id.at("productId").get<std::uint16_t>();
  mouse.identity.version = id.at("version").get<std::uint16_t>();
  mouse.identity.featureLength = id.at("featureLength").get<std::size_t>();

  const json& fw = doc.at("firmware");
  if (!FromHex(fw.at("memory").get<std::string>(), mouse.firmware.memory.data(),
               mouse.firmware.memory.size())) {
    throw std::runtime_error("memory must be 2048 bytes in hexadecimal");
  }
  mouse.firmware.cmd1Reply = fw.at("cmd1Reply").get<std::uint8_t>();
  mouse.firmware.readyByte = fw.at("readyByte").get<std::uint8_t>();
  mouse.firmware.memoryReady = fw.at("memoryReady").get<bool>();
  mouse.firmware.chipByte = fw.at("chipByte").get<std::uint8_t>();
  mouse.firmware.acceptsDriver = fw.at("acceptsDriver").get<bool>();
  mouse.firmware.ledTypeByte = fw.at("ledTypeByte").get<std::uint8_t>();
  mouse.firmware.driverId = fw.at("driverId").get<std::uint16_t>();
  mouse.firmware.buttonState = fw.at("buttonState").get<std::uint16_t>();
  if (!FromHex(fw.at("liveState").get<std::string>(), mouse.firmware.liveState.data(),
               mouse.firmware.liveState.size())) {
    throw std::runtime_error("liveState must be 4 bytes in hexadecimal");
  }
  mouse.firmware.systemReloads = fw.at("systemReloads").get<int>();

  const json& faults = doc.at("faults");
  mouse.faults.ackPolls = faults.at("ackPolls").get<int>();
  mouse.faults.dropAckPercent = faults.at("dropAckPercent").get<int>();
  mouse.faults.neverAck = faults.at("neverAck").get<std::set<std::uint8_t>>();
  mouse.faults.neverAnswer = faults.at("neverAnswer").get<bool>();
  for (const auto& [key, value] : faults.at("stuck").items()) {
    mouse.faults.stuck[ParseAddress(key)] = value.get<std::uint8_t>();
  }
  for (const auto& [key, value] : faults.at("flaky").items()) {
    mouse.faults.flaky[ParseAddress(key)] = value.get<int>();
  }
  mouse.faults.seed = faults.at("seed").get<std::uint32_t>();
  if (faults.contains("unplugAfterPackets")) {
    mouse.faults.unplugAfterPackets = faults.at("unplugAfterPackets").get<std::uint64_t>();
  }
  mouse.unplugged = doc.at("unplugged").get<bool>();
  return mouse;
}

}  // namespace

bool SaveMouseState(const std::string& path, const SimulatedMouse& mouse, std::string& error) {
  const std::string text = ToJson(mouse).dump(2) + "\n";
  return app::WriteFileAtomically(
      path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, error);
}

bool LoadMouseState(const std::string& path, SimulatedMouse& mouse, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!app::ReadWholeFile(path, bytes, error)) {
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
