#include "cli/CliSession.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "base/AtomicFile.h"
#include "cli/Commands.h"
#include "platform/UserFolders.h"
#include "ui/BehaviourConfig.h"
#include "ui/IniFile.h"

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
    case app::ConnectionOutcome::kMemoryNotReady:
      // The window's text, and what it means.
      return lastMessage +
             "\nThe mouse answered, but reports that its parameter memory is not "
             "ready, so it was not read.";
    case app::ConnectionOutcome::kUnplugged:
      return "The mouse was pulled out while it was being read; its settings were not read.";
    case app::ConnectionOutcome::kDriverMode:
      return "The configuration selects driver mode; reading the mouse's memory is not used "
             "there.";
    case app::ConnectionOutcome::kDriverRefused:
      return "The mouse refused the driver connection (" + lastMessage + ").";
    case app::ConnectionOutcome::kDriverNotFound:
      return "No filter driver with the mouse's driver id was found (" + lastMessage + ").";
    default:
      break;
  }
  return lastMessage.empty() ? "The mouse could not be read." : lastMessage;
}

// A missing key keeps its shipped value, which is what a short factory file
// means; every other problem makes the file unusable.
constexpr std::string_view kMissingKeyProblem = ": key is missing;";

}  // namespace

bool LoadConfiguration(const GlobalOptions& options, ui::BehaviourConfig& config,
                       std::string& error) {
  std::vector<std::string> problems;
  if (options.configPath.empty()) {
    config = ui::LoadEmbeddedBehaviourConfiguration(problems);
    for (const std::string& problem : problems) {
      std::cerr << "configuration: " << problem << '\n';
    }
    return true;
  }
  std::vector<std::uint8_t> bytes;
  if (!orbic::ReadWholeFile(options.configPath, bytes, error)) {
    return false;
  }
  const ui::IniFile ini = ui::IniFile::Parse(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (!ini.HasSection("org")) {
    error = options.configPath + ": no [org] section, so it is no behaviour configuration";
    return false;
  }
  config = ui::ReadBehaviourConfiguration(ini, problems);
  std::string unusable;
  for (const std::string& problem : problems) {
    if (problem.find(kMissingKeyProblem) == std::string::npos) {
      unusable += "\n  " + problem;
    }
  }
  if (!unusable.empty()) {
    error = options.configPath + " cannot be used:" + unusable;
    return false;
  }
  return true;
}

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
  if (const auto failed = Prepare(options)) {
    return failed;
  }
  const app::ConnectionOutcome outcome = session_->ConnectNow();
  if (outcome != app::ConnectionOutcome::kRead &&
      outcome != app::ConnectionOutcome::kDriverConnected) {
    std::cerr << FailureText(outcome, LastMessage()) << '\n';
    Finish();
    return kExitDeviceFailure;
  }
  host_.messages.clear();
  return std::nullopt;
}

std::optional<int> CliSession::Prepare(const GlobalOptions& options) {
  std::string error;
  ui::BehaviourConfig config;
  if (!LoadConfiguration(options, config, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  access_ = DeviceAccess::Open(options, error);
  if (!access_) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  session_ = std::make_unique<app::Session>(access_->Backend(), access_->Clock(), host_, config);
  session_->SetProgramFolder(ExecutableFolder());
  if (options.progress) {
    host_.EnableProgress();
  }
  if (!options.noBackup) {
    session_->SetBackupFolder(app::BackupFolder(platform::BackupFolderPath()));
  }
  if (device::DriverPort* port = access_->Driver()) {
    session_->SetDriverPort(*port);
  }
  session_->RefreshErrorAP();
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
