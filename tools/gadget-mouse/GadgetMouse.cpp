// orbic40-gadget-mouse: the simulated mouse's firmware behind a real USB device.
//
// Through gadgetfs on a dummy USB controller it presents the mouse to the
// kernel exactly as the hardware does: vendor 0x1BCF, product 0x08A0, release
// 0x0104, a boot mouse interface, and a second HID interface whose report
// descriptor holds a keyboard, a consumer control and the vendor collection
// with the eight-byte command report (report id 4). Feature reports reach the
// same firmware model the tests use (sim::SimulatedMouse), so a scenario runs
// the real kernel, hidraw and hidapi against the real protocol.
//
// With --uhid-keyboard it is instead an unrelated HID keyboard made through
// uhid, for scenarios that need another device on the machine.
#include <fcntl.h>
#include <linux/uhid.h>
#include <linux/usb/ch9.h>
#include <linux/usb/gadgetfs.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "params/DefaultImages.h"
#include "sim/SimulatedMouse.h"

namespace {

namespace sim = orbic::sim;
using Bytes = std::vector<std::uint8_t>;

volatile std::sig_atomic_t stopRequested = 0;
extern "C" void RequestStop(int) {
  stopRequested = 1;
}

struct Options {
  std::string gadgetDir = "/dev/gadget";
  std::string imagePath;
  std::string dumpPath;
  std::uint16_t vendor = 0x1BCF;
  std::uint16_t product = 0x08A0;
  std::uint16_t version = 0x0104;
  std::size_t featureLength = 8;
  bool extraFeature = false;      // a 65-byte feature report in another collection
  std::uint8_t deviceClass = 0;   // per interface, as a mouse declares it
  std::uint64_t unplugAfter = 0;  // packets; 0: never
  int replugAfterMs = -1;         // after an unplug; -1: stay unplugged
  bool uhidKeyboard = false;
  sim::MouseFaults faults;
};

void Put16(Bytes& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

const Bytes kBootMouseReport = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05,
                                0x09, 0x19, 0x01, 0x29, 0x05, 0x15, 0x00, 0x25, 0x01, 0x95, 0x05,
                                0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x03, 0x81, 0x01, 0x05,
                                0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F,
                                0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0};

const Bytes kKeyboardCollection = {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01, 0x05, 0x07, 0x19,
                                   0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08,
                                   0x81, 0x02, 0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x26, 0xFF, 0x00,
                                   0x19, 0x00, 0x2A, 0xFF, 0x00, 0x81, 0x00, 0xC0};

const Bytes kConsumerCollection = {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x19,
                                   0x00, 0x2A, 0x3C, 0x02, 0x15, 0x00, 0x26, 0x3C, 0x02,
                                   0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0};

// A vendor collection with one feature report of `length` bytes, id included.
Bytes VendorCollection(std::uint8_t usagePage, std::uint8_t reportId, std::size_t length) {
  return {0x06, usagePage, 0xFF,     0x09, 0x01, 0xA1,
          0x01, 0x85,      reportId, 0x15, 0x00, 0x26,
          0xFF, 0x00,      0x75,     0x08, 0x95, static_cast<std::uint8_t>(length - 1),
          0x09, 0x02,      0xB1,     0x02, 0xC0};
}

constexpr std::uint8_t kCommandReportId = 4;
constexpr std::uint8_t kExtraReportId = 6;
constexpr std::size_t kExtraLength = 65;

Bytes CommandInterfaceReport(const Options& options) {
  Bytes report = kKeyboardCollection;
  report.insert(report.end(), kConsumerCollection.begin(), kConsumerCollection.end());
  const Bytes vendor = VendorCollection(0x00, kCommandReportId, options.featureLength);
  report.insert(report.end(), vendor.begin(), vendor.end());
  if (options.extraFeature) {
    const Bytes extra = VendorCollection(0x01, kExtraReportId, kExtraLength);
    report.insert(report.end(), extra.begin(), extra.end());
  }
  return report;
}

// The interrupt endpoints of dummy_udc that the two interfaces use.
constexpr std::uint8_t kMouseEndpoint = 0x85;    // ep5in-int
constexpr std::uint8_t kCommandEndpoint = 0x8A;  // ep10in-int

Bytes EndpointDescriptor(std::uint8_t address, std::uint16_t maxPacket, std::uint8_t interval) {
  Bytes d = {7, USB_DT_ENDPOINT, address, USB_ENDPOINT_XFER_INT};
  Put16(d, maxPacket);
  d.push_back(interval);
  return d;
}

Bytes ConfigDescriptor(const Options& options, bool highSpeed) {
  // Full speed counts the interval in frames, high speed as 2^(n-1) microframes.
  const std::uint8_t interval = highSpeed ? 4 : 1;
  const Bytes mouseReport = kBootMouseReport;
  const Bytes commandReport = CommandInterfaceReport(options);
  Bytes body;
  const auto addInterface = [&](std::uint8_t number, std::uint8_t subclass, std::uint8_t protocol,
                                const Bytes& report, std::uint8_t endpoint,
                                std::uint16_t maxPacket) {
    const Bytes interface = {9, USB_DT_INTERFACE, number, 0, 1, 3, subclass, protocol, 0};
    body.insert(body.end(), interface.begin(), interface.end());
    Bytes hid = {9, 0x21, 0x11, 0x01, 0, 1, 0x22};
    Put16(hid, static_cast<std::uint16_t>(report.size()));
    body.insert(body.end(), hid.begin(), hid.end());
    const Bytes ep = EndpointDescriptor(endpoint, maxPacket, interval);
    body.insert(body.end(), ep.begin(), ep.end());
  };
  addInterface(0, 1, 2, mouseReport, kMouseEndpoint, 8);
  addInterface(1, 0, 0, commandReport, kCommandEndpoint, 64);
  Bytes config = {9, USB_DT_CONFIG};
  Put16(config, static_cast<std::uint16_t>(9 + body.size()));
  // Bus powered; gadgetfs refuses remote wakeup.
  const Bytes rest = {2, 1, 0, 0x80, 50};
  config.insert(config.end(), rest.begin(), rest.end());
  config.insert(config.end(), body.begin(), body.end());
  return config;
}

Bytes DeviceDescriptor(const Options& options) {
  Bytes d = {18, USB_DT_DEVICE};
  Put16(d, 0x0200);
  // Class 0: each interface names its own (a vendor-specific device class would
  // keep usbhid from binding by interface class).
  const Bytes classes = {options.deviceClass, 0, 0, 64};
  d.insert(d.end(), classes.begin(), classes.end());
  Put16(d, options.vendor);
  Put16(d, options.product);
  Put16(d, options.version);
  const Bytes strings = {0, 0, 0, 1};
  d.insert(d.end(), strings.begin(), strings.end());
  return d;
}

bool WriteAll(int fd, const Bytes& bytes) {
  return ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

void SaveDump(const std::string& path, const sim::SimulatedMouse& mouse) {
  if (path.empty()) {
    return;
  }
  const std::string part = path + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(mouse.firmware.memory.data()),
              static_cast<std::streamsize>(mouse.firmware.memory.size()));
  }
  std::rename(part.c_str(), path.c_str());
}

class Gadget {
 public:
  Gadget(const Options& options, sim::SimulatedMouse& mouse) : options_(options), mouse_(mouse) {}

  // Runs until stopped; false when gadgetfs could not be set up.
  bool Run() {
    while (stopRequested == 0) {
      if (!Plug()) {
        return false;
      }
      const bool unplugged = Serve();
      Unplug();
      SaveDump(options_.dumpPath, mouse_);
      if (!unplugged || options_.replugAfterMs < 0) {
        // Stay away until stopped.
        while (stopRequested == 0 && unplugged) {
          ::usleep(100 * 1000);
        }
        return true;
      }
      std::cerr << "gadget-mouse: replugging in " << options_.replugAfterMs << " ms\n";
      std::this_thread::sleep_for(std::chrono::milliseconds(options_.replugAfterMs));
      replugged_ = true;  // the planned unplug happens once
    }
    return true;
  }

 private:
  std::string Path(const char* name) const { return options_.gadgetDir + "/" + name; }

  bool Plug() {
    ep0_ = ::open(Path("dummy_udc").c_str(), O_RDWR);
    if (ep0_ < 0) {
      std::cerr << "gadget-mouse: cannot open " << Path("dummy_udc") << ": " << std::strerror(errno)
                << '\n';
      return false;
    }
    Bytes setup = {0, 0, 0, 0};  // format tag
    const Bytes fs = ConfigDescriptor(options_, false);
    const Bytes hs = ConfigDescriptor(options_, true);
    const Bytes device = DeviceDescriptor(options_);
    setup.insert(setup.end(), fs.begin(), fs.end());
    setup.insert(setup.end(), hs.begin(), hs.end());
    setup.insert(setup.end(), device.begin(), device.end());
    if (!WriteAll(ep0_, setup)) {
      std::cerr << "gadget-mouse: gadgetfs refused the descriptors: " << std::strerror(errno)
                << '\n';
      return false;
    }
    std::cerr << "gadget-mouse: plugged in\n";
    return true;
  }

  void Unplug() {
    for (int& fd : endpoints_) {
      ::close(fd);
    }
    endpoints_.clear();
    if (ep0_ >= 0) {
      ::close(ep0_);
      ep0_ = -1;
    }
    std::cerr << "gadget-mouse: unplugged\n";
  }

  void EnableEndpoint(const char* name, std::uint8_t address, std::uint16_t maxPacket) {
    const int fd = ::open(Path(name).c_str(), O_RDWR);
    if (fd < 0) {
      std::cerr << "gadget-mouse: cannot open " << Path(name) << '\n';
      return;
    }
    Bytes config = {1, 0, 0, 0};  // format tag
    const Bytes fs = EndpointDescriptor(address, maxPacket, 1);
    const Bytes hs = EndpointDescriptor(address, maxPacket, 4);
    config.insert(config.end(), fs.begin(), fs.end());
    config.insert(config.end(), hs.begin(), hs.end());
    if (!WriteAll(fd, config)) {
      std::cerr << "gadget-mouse: cannot enable " << name << ": " << std::strerror(errno) << '\n';
      ::close(fd);
      return;
    }
    endpoints_.push_back(fd);
    std::cerr << "gadget-mouse: " << name << " enabled\n";
  }

  // Serves ep0 until stopped (false) or until the planned unplug (true).
  bool Serve() {
    while (stopRequested == 0) {
      pollfd wait{ep0_, POLLIN, 0};
      if (::poll(&wait, 1, 200) <= 0) {
        continue;
      }
      usb_gadgetfs_event events[5];
      const ssize_t got = ::read(ep0_, events, sizeof events);
      if (got < 0) {
        if (errno == EINTR || errno == EAGAIN) {
          continue;
        }
        std::cerr << "gadget-mouse: ep0 read: " << std::strerror(errno) << '\n';
        return false;
      }
      for (std::size_t i = 0; i < static_cast<std::size_t>(got) / sizeof events[0]; ++i) {
        if (events[i].type == GADGETFS_SETUP) {
          Setup(events[i].u.setup);
        }
      }
      if (options_.unplugAfter != 0 && !replugged_ && unplugAt_ == 0 &&
          mouse_.PacketCount() >= options_.unplugAfter) {
        unplugAt_ = mouse_.PacketCount();
        std::cerr << "gadget-mouse: pulled out after packet " << unplugAt_ << '\n';
        return true;
      }
    }
    return false;
  }

  void Ack() { (void)::read(ep0_, nullptr, 0); }
  // A stall is a transfer in the wrong direction.
  void Stall(bool in) {
    if (in) {
      (void)::read(ep0_, nullptr, 0);
    } else {
      (void)::write(ep0_, nullptr, 0);
    }
  }
  void Reply(const Bytes& data, std::uint16_t length) {
    Bytes out = data;
    if (out.size() > length) {
      out.resize(length);
    }
    (void)::write(ep0_, out.data(), out.size());
  }

  void Setup(const usb_ctrlrequest& request) {
    const bool in = (request.bRequestType & USB_DIR_IN) != 0;
    const std::uint16_t value = request.wValue;
    const std::uint16_t index = request.wIndex;
    const std::uint16_t length = request.wLength;
    const std::uint8_t type = request.bRequestType & USB_TYPE_MASK;
    const bool featureReport =
        type == USB_TYPE_CLASS && (request.bRequest == 0x01 || request.bRequest == 0x09);
    if (!featureReport) {
      std::fprintf(stderr, "gadget-mouse: request %02X %02X value %04X index %u length %u\n",
                   request.bRequestType, request.bRequest, value, index, length);
    }

    if (type == USB_TYPE_STANDARD && request.bRequest == USB_REQ_SET_CONFIGURATION) {
      if ((value & 0xFF) != 0 && endpoints_.empty()) {
        EnableEndpoint("ep5in-int", kMouseEndpoint, 8);
        EnableEndpoint("ep10in-int", kCommandEndpoint, 64);
      }
      Ack();
      return;
    }
    if (type == USB_TYPE_STANDARD && request.bRequest == USB_REQ_GET_DESCRIPTOR && in &&
        (value >> 8) == 0x22) {
      Reply(index == 0 ? kBootMouseReport : CommandInterfaceReport(options_), length);
      return;
    }
    if (type == USB_TYPE_CLASS && request.bRequest == 0x01 && in) {  // GET_REPORT
      const std::uint8_t reportType = value >> 8;
      const std::uint8_t reportId = value & 0xFF;
      if (index == 1 && reportType == 3 && reportId == kCommandReportId) {
        Bytes report(length, 0);
        report[0] = kCommandReportId;
        if (length == options_.featureLength && mouse_.GetFeature(report.data(), length)) {
          Reply(report, length);
        } else {
          Stall(true);
        }
        return;
      }
      Bytes empty(length, 0);
      if (length > 0) {
        empty[0] = reportId;
      }
      Reply(empty, length);
      return;
    }
    if (type == USB_TYPE_CLASS && request.bRequest == 0x09 && !in) {  // SET_REPORT
      Bytes data(length, 0);
      const ssize_t got = length == 0 ? 0 : ::read(ep0_, data.data(), data.size());
      if (length == 0) {
        Ack();
      }
      const std::uint8_t reportType = value >> 8;
      const std::uint8_t reportId = value & 0xFF;
      if (index == 1 && reportType == 3 && reportId == kCommandReportId &&
          got == static_cast<ssize_t>(options_.featureLength)) {
        mouse_.SetFeature(data.data(), data.size());
        // The exchange ended: what the mouse holds now is what a scenario checks.
        if (data.size() > 1 && (data[1] == 0x02 || data[1] == 0x08)) {
          SaveDump(options_.dumpPath, mouse_);
        }
      }
      return;
    }
    if (!in && length == 0) {
      Ack();  // SET_IDLE, SET_PROTOCOL, SET_INTERFACE and the like
      return;
    }
    Stall(in);
  }

  const Options& options_;
  sim::SimulatedMouse& mouse_;
  int ep0_ = -1;
  std::vector<int> endpoints_;
  std::uint64_t unplugAt_ = 0;
  bool replugged_ = false;
};

// An unrelated keyboard, through uhid.
int RunUhidKeyboard() {
  const int fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    std::cerr << "gadget-mouse: cannot open /dev/uhid: " << std::strerror(errno) << '\n';
    return 1;
  }
  uhid_event event{};
  event.type = UHID_CREATE2;
  std::snprintf(reinterpret_cast<char*>(event.u.create2.name), sizeof event.u.create2.name,
                "orbic40 bench keyboard");
  Bytes report = kKeyboardCollection;
  std::memcpy(event.u.create2.rd_data, report.data(), report.size());
  event.u.create2.rd_size = static_cast<std::uint16_t>(report.size());
  event.u.create2.bus = 0x03;  // BUS_USB
  event.u.create2.vendor = 0x046D;
  event.u.create2.product = 0xC31C;
  event.u.create2.version = 0x0110;
  if (::write(fd, &event, sizeof event) != static_cast<ssize_t>(sizeof event)) {
    std::cerr << "gadget-mouse: uhid refused the keyboard\n";
    return 1;
  }
  std::cerr << "gadget-mouse: uhid keyboard plugged in\n";
  while (stopRequested == 0) {
    pollfd wait{fd, POLLIN, 0};
    if (::poll(&wait, 1, 200) > 0) {
      uhid_event ignored{};
      (void)::read(fd, &ignored, sizeof ignored);
    }
  }
  uhid_event destroy{};
  destroy.type = UHID_DESTROY;
  (void)::write(fd, &destroy, sizeof destroy);
  ::close(fd);
  return 0;
}

std::optional<unsigned long> Number(const std::string& text) {
  char* end = nullptr;
  errno = 0;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0' || errno != 0) {
    return std::nullopt;
  }
  return value;
}

std::optional<unsigned long> Hex(const std::string& text) {
  return Number(text.rfind("0x", 0) == 0 ? text : "0x" + text);
}

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    std::optional<unsigned long> value;
    if (arg == "--uhid-keyboard") {
      options.uhidKeyboard = true;
    } else if (arg == "--extra-feature") {
      options.extraFeature = true;
    } else if (arg == "--gadget-dir") {
      options.gadgetDir = next();
    } else if (arg == "--image") {
      options.imagePath = next();
    } else if (arg == "--dump") {
      options.dumpPath = next();
    } else if (arg == "--version" && (value = Hex(next()))) {
      options.version = static_cast<std::uint16_t>(*value);
    } else if (arg == "--product" && (value = Hex(next()))) {
      options.product = static_cast<std::uint16_t>(*value);
    } else if (arg == "--device-class" && (value = Hex(next()))) {
      options.deviceClass = static_cast<std::uint8_t>(*value);
    } else if (arg == "--feature-length" && (value = Number(next())) && *value >= 2 &&
               *value <= 64) {
      options.featureLength = *value;
    } else if (arg == "--unplug-after" && (value = Number(next()))) {
      options.unplugAfter = *value;
    } else if (arg == "--replug-after-ms" && (value = Number(next()))) {
      options.replugAfterMs = static_cast<int>(*value);
    } else if (arg == "--never-ack" && (value = Hex(next()))) {
      options.faults.neverAck.insert(static_cast<std::uint8_t>(*value));
    } else if (arg == "--lost-ack" && (value = Number(next()))) {
      options.faults.lostAckPercent = static_cast<int>(*value);
    } else if (arg == "--stuck" || arg == "--flaky") {
      const std::string pair = next();
      const std::size_t eq = pair.find('=');
      const auto address = eq == std::string::npos ? std::nullopt : Number(pair.substr(0, eq));
      const auto amount =
          eq == std::string::npos
              ? std::nullopt
              : (arg == "--stuck" ? Hex(pair.substr(eq + 1)) : Number(pair.substr(eq + 1)));
      if (!address || !amount) {
        std::cerr << "gadget-mouse: " << arg << " takes ADDR=VALUE\n";
        return false;
      }
      if (arg == "--stuck") {
        options.faults.stuck[static_cast<std::uint16_t>(*address)] =
            static_cast<std::uint8_t>(*amount);
      } else {
        options.faults.flaky[static_cast<std::uint16_t>(*address)] = static_cast<int>(*amount);
      }
    } else {
      std::cerr << "gadget-mouse: bad argument " << arg << '\n';
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) {
    return 2;
  }
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  if (options.uhidKeyboard) {
    return RunUhidKeyboard();
  }

  sim::SimulatedMouse mouse;
  mouse.identity.featureLength = options.featureLength;
  mouse.faults = options.faults;
  mouse.firmware.memory = orbic::params::LoadDefaultImages()[0];
  if (!options.imagePath.empty()) {
    std::ifstream in(options.imagePath, std::ios::binary);
    Bytes image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (image.size() != mouse.firmware.memory.size()) {
      std::cerr << "gadget-mouse: " << options.imagePath << " is not a 2048-byte image\n";
      return 2;
    }
    std::copy(image.begin(), image.end(), mouse.firmware.memory.begin());
  }
  SaveDump(options.dumpPath, mouse);
  Gadget gadget(options, mouse);
  const bool ok = gadget.Run();
  SaveDump(options.dumpPath, mouse);
  return ok ? 0 : 1;
}
