// udev-rule: the rule that lets the user at the seat open the mouse's hidraw
// nodes, ready for `sudo tee /etc/udev/rules.d/70-orbic40.rules`. The number
// sorts it before the rule that turns the uaccess tag into access.
#include <iostream>

#include "cli/Commands.h"

namespace orbic::cli {

namespace {

constexpr const char* kUdevRule =
    "# orbic40: read and write access to the ORBIC40 mouse (USB 1bcf:08a0) for the user at\n"
    "# the seat; no other device is touched.\n"
    "SUBSYSTEM==\"hidraw\", KERNEL==\"hidraw*\", ATTRS{idVendor}==\"1bcf\", "
    "ATTRS{idProduct}==\"08a0\", TAG+=\"uaccess\"\n";

}  // namespace

int RunUdevRule() {
  std::cout << kUdevRule;
  return kExitOk;
}

}  // namespace orbic::cli
