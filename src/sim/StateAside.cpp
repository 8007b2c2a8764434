#include "sim/StateAside.h"

#include <chrono>
#include <ctime>
#include <filesystem>

namespace orbic::sim {

std::string SetStateAside(const std::string& path, std::string& error) {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
  std::string aside = path + ".damaged-" + stamp;
  std::error_code code;
  for (int n = 2; std::filesystem::exists(aside, code); ++n) {
    aside = path + ".damaged-" + stamp + "-" + std::to_string(n);
  }
  std::filesystem::rename(path, aside, code);
  if (code) {
    error = "cannot set " + path + " aside: " + code.message();
    return {};
  }
  return aside;
}

}  // namespace orbic::sim
