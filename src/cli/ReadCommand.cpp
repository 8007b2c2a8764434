#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/AtomicFile.h"
#include "app/Session.h"
#include "cli/CliUiHost.h"
#include "cli/Commands.h"
#include "params/ImageSummary.h"
#include "ui/BehaviourConfig.h"

namespace orbic::cli {

namespace {

// Message boxes separate paragraphs with carriage returns; a terminal wants newlines.
std::string ForTerminal(std::string text) {
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
}

// What to tell the user when the connection start did not read the image.
std::string FailureText(app::ConnectionOutcome outcome, const CliUiHost& host) {
  switch (outcome) {
    case app::ConnectionOutcome::kNoAnswer:
      return "The mouse did not answer.";
    case app::ConnectionOutcome::kNotReady:
      return "The mouse is not ready.";
    case app::ConnectionOutcome::kReadIncomplete:
      return "The mouse stopped answering during the read; its settings were not read.";
    case app::ConnectionOutcome::kDriverMode:
      return "The configuration selects driver mode; reading the mouse's memory is not used there.";
    default:
      break;
  }
  if (!host.messages.empty()) {
    return ForTerminal(host.messages.back());
  }
  return "The mouse could not be read.";
}

const char* SectionState(bool repaired) {
  return repaired ? "repaired" : "ok";
}

void PrintSummary(const params::ImageSummary& s, const std::string& outPath) {
  std::cout << "Read 2048 bytes from the mouse into " << outPath << ".\n";
  std::cout << "Sections: Parameter A " << SectionState(s.repairs.parameterARepaired)
            << ", Parameter B " << SectionState(s.repairs.parameterBRepaired) << ", Profile "
            << SectionState(s.repairs.profileRepaired) << ", Fire Key "
            << SectionState(s.repairs.fireKeyRepaired) << "\n";
  std::cout << "DPI levels in use: " << s.dpiLevelCount << "; current level " << s.currentDpiLevel
            << "\n";
  for (std::size_t level = 0; level < s.dpiValues.size(); ++level) {
    std::cout << "  CPI " << level + 1 << ": " << s.dpiValues[level] << "  " << s.dpiColours[level]
              << "\n";
  }
  std::cout << "LED: " << s.ledType << ", " << (s.ledsOn ? "on" : "off") << ", mode " << s.ledMode
            << "\n";
  std::cout << "Key mode: " << s.keyMode << "\n";
  for (std::size_t mode = 0; mode < 2; ++mode) {
    std::cout << "Key mode " << mode + 1 << " buttons:";
    for (const std::string& code : s.buttonCodes[mode]) {
      std::cout << ' ' << code;
    }
    std::cout << "\n";
  }
  std::cout << "Fire key: " << s.fireShots << " shots, interval " << s.fireInterval << "\n";
  std::cout << "Vendor code " << s.vendorCode << ", product code " << s.productCode << "\n";
}

nlohmann::json SummaryJson(const params::ImageSummary& s, const std::string& outPath) {
  return {{"file", outPath},
          {"repaired",
           {{"parameterA", s.repairs.parameterARepaired},
            {"parameterB", s.repairs.parameterBRepaired},
            {"profile", s.repairs.profileRepaired},
            {"fireKey", s.repairs.fireKeyRepaired}}},
          {"dpiLevelCount", s.dpiLevelCount},
          {"dpiValues", s.dpiValues},
          {"dpiColours", s.dpiColours},
          {"currentDpiLevel", s.currentDpiLevel},
          {"ledType", s.ledType},
          {"ledsOn", s.ledsOn},
          {"ledMode", s.ledMode},
          {"keyMode", s.keyMode},
          {"buttons", s.buttonCodes},
          {"fireShots", s.fireShots},
          {"fireInterval", s.fireInterval},
          {"vendorCode", s.vendorCode},
          {"productCode", s.productCode}};
}

}  // namespace

int RunRead(const GlobalOptions& options, const std::string& outPath, bool json) {
  std::string error;
  auto access = DeviceAccess::Open(options, error);
  if (!access) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  std::vector<std::string> problems;
  ui::BehaviourConfig config = ui::LoadEmbeddedBehaviourConfiguration(problems);
  for (const std::string& problem : problems) {
    std::cerr << "configuration: " << problem << '\n';
  }

  CliUiHost host;
  app::Session session(access->Backend(), access->Clock(), host, config);
  session.RefreshErrorAP();
  const app::ConnectionOutcome outcome = session.ConnectNow();
  const bool saved = access->SaveSimulatedState(error);

  if (outcome != app::ConnectionOutcome::kRead) {
    std::cerr << FailureText(outcome, host) << '\n';
    return kExitDeviceFailure;
  }
  // The file holds the image as read, before any repair.
  if (!app::WriteFileAtomically(outPath, session.Image().raw, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  if (!saved) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  const params::ImageSummary summary = params::Summarise(session.Image().data, session.LastSplit());
  if (json) {
    std::cout << SummaryJson(summary, outPath).dump(2) << '\n';
  } else {
    PrintSummary(summary, outPath);
  }
  return kExitOk;
}

}  // namespace orbic::cli
