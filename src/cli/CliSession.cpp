#include "cli/CliSession.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "cli/Commands.h"
#include "ui/BehaviourConfig.h"

namespace orbic::cli {

namespace {

// Message boxes separate paragraphs with carriage returns; a terminal wants newlines.
std::string ForTerminal(std::string text) {
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
}

// What to say when the connection start did not read the image.
std::string FailureText(app::ConnectionOutcome outcome, const std::string& lastMessage) {
  switch (outcome) {
    case app::ConnectionOutcome::kNoAnswer:
      return "The mouse did not answer.";
    case app::ConnectionOutcome::kNotReady:
      return "The mouse is not ready.";
    case app::ConnectionOutcome::kReadIncomplete:
      return "The mouse stopped answering during the read; its settings were not read.";
    case app::ConnectionOutcome::kDriverMode:
      return "The configuration selects driver mode; reading the mouse's memory is not used "
             "there.";
    default:
      break;
  }
  return lastMessage.empty() ? "The mouse could not be read." : lastMessage;
}

}  // namespace

std::string ExecutableFolder() {
  std::error_code code;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", code);
  if (code) {
    return "./";
  }
  return exe.parent_path().string() + "/";
}

std::string CliSession::LastMessage() const {
  return host_.messages.empty() ? std::string() : ForTerminal(host_.messages.back());
}

std::optional<int> CliSession::Connect(const GlobalOptions& options) {
  std::string error;
  access_ = DeviceAccess::Open(options, error);
  if (!access_) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  std::vector<std::string> problems;
  const ui::BehaviourConfig config = ui::LoadEmbeddedBehaviourConfiguration(problems);
  for (const std::string& problem : problems) {
    std::cerr << "configuration: " << problem << '\n';
  }
  session_ = std::make_unique<app::Session>(access_->Backend(), access_->Clock(), host_, config);
  session_->SetProgramFolder(ExecutableFolder());
  session_->RefreshErrorAP();
  const app::ConnectionOutcome outcome = session_->ConnectNow();
  if (outcome != app::ConnectionOutcome::kRead) {
    std::cerr << FailureText(outcome, LastMessage()) << '\n';
    Finish();
    return kExitDeviceFailure;
  }
  host_.messages.clear();
  return std::nullopt;
}

bool CliSession::Finish() {
  std::string error;
  if (access_ && !access_->SaveSimulatedState(error)) {
    std::cerr << error << '\n';
    return false;
  }
  return true;
}

}  // namespace orbic::cli
