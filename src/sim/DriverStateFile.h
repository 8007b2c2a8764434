#pragma once

#include <string>

#include "sim/SimulatedFilterDriver.h"

namespace orbic::sim {

// A simulated filter driver kept in a file (JSON): its memory, id, switches
// and further interfaces, so one driver can serve several runs of the
// command-line tool. Saving is atomic.
bool SaveDriverState(const std::string& path, const SimulatedFilterDriver& driver,
                     std::string& error);
// On failure `driver` is left unchanged and `error` says what was wrong.
bool LoadDriverState(const std::string& path, SimulatedFilterDriver& driver, std::string& error);

}  // namespace orbic::sim
