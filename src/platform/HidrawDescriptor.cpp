#include "platform/HidrawDescriptor.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "platform/HidrawNode.h"

namespace orbic::platform {
namespace {

constexpr std::string_view kNodePrefix = "hidraw";
constexpr std::string_view kSysfsClassDir = "/sys/class/hidraw/";
constexpr std::string_view kSysfsDescriptorFile = "/device/report_descriptor";
// The kernel never hands out a longer descriptor.
constexpr std::size_t kMaxDescriptorSize = HID_MAX_DESCRIPTOR_SIZE;

std::vector<std::uint8_t> ReadSysfs(const std::string& sysfsPath) {
  std::ifstream file(sysfsPath, std::ios::binary);
  if (!file) {
    return {};
  }
  std::vector<std::uint8_t> bytes(kMaxDescriptorSize);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) {
    return {};
  }
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

std::vector<std::uint8_t> ReadIoctl(const std::string& devicePath) {
  // The hidraw ioctl numbers may mean something else to another driver.
  if (!IsHidrawNode(devicePath)) {
    return {};
  }
  // The ioctls work on a descriptor of either direction; try both so that a node
  // readable or writable by us is enough. Non-blocking so an odd node cannot hang enumeration.
  const int flags = O_CLOEXEC | O_NONBLOCK;
  int fd = ::open(devicePath.c_str(), O_RDONLY | flags);
  if (fd < 0) {
    fd = ::open(devicePath.c_str(), O_WRONLY | flags);
  }
  const FileDescriptor node(fd);
  if (node.Get() < 0) {
    return {};
  }

  int size = 0;
  if (::ioctl(node.Get(), HIDIOCGRDESCSIZE, &size) < 0 || size <= 0) {
    return {};
  }
  auto descriptor = std::make_unique<hidraw_report_descriptor>();
  descriptor->size =
      static_cast<std::uint32_t>(std::min(static_cast<std::size_t>(size), kMaxDescriptorSize));
  if (::ioctl(node.Get(), HIDIOCGRDESC, descriptor.get()) < 0) {
    return {};
  }
  return {descriptor->value, descriptor->value + descriptor->size};
}

}  // namespace

std::optional<std::string> SysfsDescriptorPath(std::string_view devicePath) {
  const std::size_t slash = devicePath.find_last_of('/');
  const std::string_view node =
      slash == std::string_view::npos ? devicePath : devicePath.substr(slash + 1);
  if (!node.starts_with(kNodePrefix) || node.size() == kNodePrefix.size()) {
    return std::nullopt;
  }
  const std::string_view number = node.substr(kNodePrefix.size());
  if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  std::string path(kSysfsClassDir);
  path.append(node);
  path.append(kSysfsDescriptorFile);
  return path;
}

std::vector<std::uint8_t> ReadHidrawDescriptor(const std::string& devicePath) {
  if (const auto sysfsPath = SysfsDescriptorPath(devicePath)) {
    std::vector<std::uint8_t> bytes = ReadSysfs(*sysfsPath);
    if (!bytes.empty()) {
      return bytes;
    }
  }
  return ReadIoctl(devicePath);
}

}  // namespace orbic::platform
