#include "platform/WinPointerSystem.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <vector>

namespace orbic::platform {
namespace {

// An open key of the current user, closed when it goes.
class UserKey {
 public:
  UserKey(std::string_view key, REGSAM access) {
    const std::string name(key);
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, access, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~UserKey() {
    if (key_ != nullptr) {
      ::RegCloseKey(key_);
    }
  }
  UserKey(const UserKey&) = delete;
  UserKey& operator=(const UserKey&) = delete;

  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// Strings written by hand or by other programs may or may not carry their terminator.
std::string TextOf(const std::vector<char>& data, DWORD size) {
  std::string text(data.data(), size);
  const std::size_t end = text.find('\0');
  return end == std::string::npos ? text : text.substr(0, end);
}

}  // namespace

bool WinPointerSystem::KeyExists(std::string_view key) {
  return UserKey(key, KEY_QUERY_VALUE).Get() != nullptr;
}

std::optional<std::string> WinPointerSystem::ReadValue(std::string_view key,
                                                       std::string_view name) {
  const UserKey open(key, KEY_QUERY_VALUE);
  if (open.Get() == nullptr) {
    return std::nullopt;
  }
  const std::string valueName(name);
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExA(open.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  // The value may change between the two calls; a grown one is asked for again.
  std::vector<char> data;
  LONG result = ERROR_MORE_DATA;
  for (int attempt = 0; attempt < 4 && result == ERROR_MORE_DATA; ++attempt) {
    data.assign(size + 1, '\0');
    size = static_cast<DWORD>(data.size());
    result = ::RegQueryValueExA(open.Get(), valueName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size);
  }
  if (result != ERROR_SUCCESS) {
    return std::nullopt;
  }
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return TextOf(data, size);
    case REG_DWORD: {
      // Not how Windows keeps these, but a number is a number: its decimal digits.
      if (size < sizeof(DWORD)) {
        return std::nullopt;
      }
      DWORD number = 0;
      static_assert(sizeof number == 4);
      for (int i = 3; i >= 0; --i) {
        number = (number << 8) | static_cast<std::uint8_t>(data[static_cast<std::size_t>(i)]);
      }
      return std::to_string(static_cast<std::int32_t>(number));
    }
    default:
      // Binary data is no number; the page falls back to its defaults.
      return std::string();
  }
}

bool WinPointerSystem::WriteValue(std::string_view key, std::string_view name,
                                  std::string_view text) {
  const UserKey open(key, KEY_SET_VALUE);
  if (open.Get() == nullptr) {
    return false;
  }
  const std::string valueName(name);
  const std::string data(text);
  return ::RegSetValueExA(open.Get(), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

void WinPointerSystem::SetMouseSpeed(int speed) {
  // The speed itself travels in the pointer argument, not its address.
  ::SystemParametersInfoA(SPI_SETMOUSESPEED, 0,
                          reinterpret_cast<void*>(static_cast<std::intptr_t>(speed)),
                          SPIF_SENDCHANGE);
}

void WinPointerSystem::SetMouseAcceleration(int threshold1, int threshold2, int acceleration) {
  int values[3] = {threshold1, threshold2, acceleration};
  ::SystemParametersInfoA(SPI_SETMOUSE, 0, values, SPIF_SENDCHANGE);
}

void WinPointerSystem::SetDoubleClickTime(int milliseconds) {
  ::SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, static_cast<UINT>(milliseconds), nullptr,
                          SPIF_SENDCHANGE);
}

void WinPointerSystem::SetWheelScrollLines(int lines) {
  // -1 becomes the all-ones value, which Windows reads as one screen at a time.
  ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, static_cast<UINT>(lines), nullptr,
                          SPIF_UPDATEINIFILE);
}

}  // namespace orbic::platform
