// apply, load, preset and save: the "Apply", "Load Profile", preset and
// "Save Profile" paths of the desktop program, on a connected mouse.
#include <iostream>

#include "app/SettingsTransfer.h"
#include "base/AtomicFile.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/ImageFile.h"

namespace orbic::cli {

namespace {

// What a write that was not verified did, for the line after "Fail".
std::string WriteDetail(app::TransferOutcome outcome, const app::SettingsTransfer& transfer) {
  if (outcome != app::TransferOutcome::kWriteFailed) {
    return {};
  }
  return device::DescribeVerifiedWrite(transfer.LastWrite(), params::kImageSize);
}

int Report(CliSession& cli, app::TransferOutcome outcome, const std::string& error,
           const std::string& detail = {}) {
  const bool saved = cli.Finish();
  if (outcome == app::TransferOutcome::kWritten || outcome == app::TransferOutcome::kSaved) {
    return saved ? kExitOk : kExitBadInput;
  }
  std::string text = error;
  if (outcome == app::TransferOutcome::kMissingFile) {
    text = "The preset file is missing from " + cli.Session().ConfiguredFolder() +
           "; nothing was changed.";
  }
  if (text.empty()) {
    text = cli.LastMessage();
  }
  std::cerr << (text.empty() ? std::string("The mouse was not written.") : text) << '\n';
  if (!detail.empty()) {
    std::cerr << detail << '\n';
  }
  const bool badInput =
      outcome == app::TransferOutcome::kBadFile || outcome == app::TransferOutcome::kMissingFile;
  return badInput ? kExitBadInput : kExitDeviceFailure;
}

}  // namespace

int RunApply(const GlobalOptions& options, const std::string& inPath) {
  params::Image image;
  std::string error;
  if (!LoadImageFile(inPath, image, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  CliSession cli;
  if (const auto failed = cli.Connect(options)) {
    return *failed;
  }
  // The file's settings reach the pages, and "Apply" writes what the pages hold.
  app::Session& session = cli.Session();
  session.Image().raw = image;
  session.SplitAndShow();
  app::SettingsTransfer transfer(session);
  const app::TransferOutcome outcome = transfer.Apply();
  return Report(cli, outcome, "", WriteDetail(outcome, transfer));
}

int RunLoad(const GlobalOptions& options, const std::string& inPath) {
  // The file first: a missing or short profile must not cost a read of the mouse.
  std::vector<std::uint8_t> bytes;
  std::string fileError;
  if (!orbic::ReadWholeFile(inPath, bytes, fileError)) {
    std::cerr << fileError << '\n';
    return kExitBadInput;
  }
  if (bytes.size() < params::kImageSize) {
    std::cerr << inPath << " holds " << bytes.size()
              << " bytes; a profile holds 2048, so it was not loaded\n";
    return kExitBadInput;
  }
  CliSession cli;
  if (const auto failed = cli.Connect(options)) {
    return *failed;
  }
  app::SettingsTransfer transfer(cli.Session());
  std::string error;
  const app::TransferOutcome outcome = transfer.LoadProfile(inPath, error);
  return Report(cli, outcome, error, WriteDetail(outcome, transfer));
}

int RunPreset(const GlobalOptions& options, int number) {
  CliSession cli;
  if (const auto failed = cli.Connect(options)) {
    return *failed;
  }
  app::SettingsTransfer transfer(cli.Session());
  const app::TransferOutcome outcome = transfer.Preset(number);
  const std::string detail = outcome == app::TransferOutcome::kBadFile
                                 ? transfer.LastFileError()
                                 : WriteDetail(outcome, transfer);
  return Report(cli, outcome, "", detail);
}

int RunSave(const GlobalOptions& options, const std::string& outPath) {
  CliSession cli;
  if (const auto failed = cli.Connect(options)) {
    return *failed;
  }
  app::SettingsTransfer transfer(cli.Session());
  std::string error;
  const app::TransferOutcome outcome = transfer.SaveProfile(outPath, error);
  return Report(cli, outcome, error);
}

}  // namespace orbic::cli
