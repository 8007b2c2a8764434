// udev-rule: the rule that lets the user at the seat open the mouse's hidraw
// nodes, ready for `sudo tee /etc/udev/rules.d/70-orbic40.rules`. The text is
// the installed rule file itself (packaging/linux/70-orbic40.rules).
#include <iostream>

#include "cli/Commands.h"
#include "orbic40/UdevRule.h"

namespace orbic::cli {

int RunUdevRule() {
  std::cout << kUdevRuleText;
  return kExitOk;
}

}  // namespace orbic::cli
