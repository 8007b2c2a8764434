// `macro list|show|encode|decode|add|export`: the macro library files and
// single-macro records, offline.
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/AtomicFile.h"
#include "base/FileServices.h"
#include "cli/Commands.h"
#include "cli/NumberParsing.h"
#include "macros/MacroCodec.h"
#include "macros/MacroFileTransfer.h"
#include "macros/MacroLibrary.h"
#include "ui/MessageStrings.h"

namespace orbic::cli {

namespace {

using macros::DriverMacroLibrary;
using macros::MacroLibrary;

// The texts of the two stop modes, as the macro page shows them.
std::string StopModeText(std::uint8_t value) {
  switch (value) {
    case 0:
      return "Stop after the macro is over";
    case 1:
      return "Stop until the key release";
    default:
      return "unknown";
  }
}

// A library file of either form; the form follows from the size. 25600 is
// also 12.5 x 2048, so it can only be the 100-record form.
struct LibraryFile {
  bool eeprom = true;
  MacroLibrary library;
  DriverMacroLibrary driver;

  std::size_t Count() const { return eeprom ? library.Count() : driver.Count(); }
  std::vector<std::string> Names() const { return eeprom ? library.Names() : driver.Names(); }
  int ContentSize() const {
    return static_cast<int>(eeprom ? macros::kContentSize : macros::kDriverContentSize);
  }
};

bool LoadLibrary(const std::string& path, LibraryFile& file, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!orbic::ReadWholeFile(path, bytes, error)) {
    return false;
  }
  if (bytes.size() == macros::kLibraryFileSize) {
    file.eeprom = true;
    file.library = MacroLibrary::FromBytes(bytes);
    return true;
  }
  if (bytes.size() % macros::kDriverRecordSize == 0) {
    file.eeprom = false;
    file.driver = DriverMacroLibrary::FromBytes(bytes);
    return true;
  }
  error = path + " holds " + std::to_string(bytes.size()) +
          " bytes; a macro library holds 25600 (Macro.bin) or a multiple of 2048 "
          "(Driver_Macro.bin)";
  return false;
}

bool SaveLibrary(const std::string& path, const LibraryFile& file, std::string& error) {
  if (file.eeprom) {
    const auto bytes = file.library.Bytes();
    return orbic::WriteFileAtomically(path, bytes, error);
  }
  return orbic::WriteFileAtomically(path, file.driver.Bytes(), error);
}

std::optional<std::size_t> ParseIndex(const std::string& text, const std::string& libraryPath,
                                      std::size_t count) {
  const auto index = ParseNumber(text, 1'000'000);
  if (index && *index < count) {
    return *index;
  }
  if (count == 0) {
    std::cerr << libraryPath << " holds no macros\n";
  } else {
    std::cerr << "INDEX '" << text << "' is not a macro of " << libraryPath << ": it holds "
              << count << ", numbered 0 to " << count - 1 << '\n';
  }
  return std::nullopt;
}

// One stored macro: the name field and the content of either form.
struct RecordView {
  std::string name;
  std::uint8_t stopByte = 0;
  int form = 224;
  macros::DecodedMacro decoded;
  bool exact = true;  // the lines encode back to these very bytes
};

template <typename Content>
RecordView View(const macros::NameField& name, const Content& content) {
  RecordView view;
  view.name = macros::DecodeName(name);
  view.stopByte = content[0];
  view.form = static_cast<int>(content.size());
  view.decoded = macros::DecodeMacroContent(content);
  // Merged delay runs, bytes after the last known event and a stop byte
  // other than 0 or 1 do not survive the text form; say so rather than let a
  // re-encoded record differ unnoticed.
  Content again{};
  const auto stop = static_cast<macros::StopMode>(view.stopByte);
  view.exact = view.stopByte <= 1 && macros::EncodeMacroLines(view.decoded.lines, stop, again).ok &&
               again == content;
  return view;
}

nlohmann::json Json(const RecordView& view) {
  nlohmann::json out;
  out["name"] = view.name;
  out["stopMode"] = view.stopByte <= 1 ? nlohmann::json(view.stopByte) : nlohmann::json(nullptr);
  out["form"] = view.form;
  out["lines"] = view.decoded.lines;
  out["exact"] = view.exact;
  return out;
}

void PrintLines(const macros::MacroLines& lines, const std::string& indent) {
  for (const std::string& line : lines) {
    std::cout << indent << line << '\n';
  }
}

void ReportRefusal(const macros::MacroFileOutcome& outcome) {
  const std::string message = outcome.Message(ui::MessageStrings{});
  std::cerr << message << '\n';
  if (!outcome.detail.empty() && outcome.detail != message) {
    std::cerr << outcome.detail << '\n';
  }
}

// The lines of a text file; CR LF and a missing last line end are both fine.
bool ReadLines(const std::string& path, macros::MacroLines& lines, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!orbic::ReadWholeFile(path, bytes, error)) {
    return false;
  }
  const std::string text(bytes.begin(), bytes.end());
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return true;
}

// Line 0 names the delay mode: "00", "10", or "01" and a number. The encoder
// skips it, so a file that starts with an event would silently lose it.
bool IsHeader(const std::string& line) {
  if (line == "00" || line == "10") {
    return true;
  }
  return line.size() > 2 && line.compare(0, 2, "01") == 0 &&
         line.find_first_not_of("0123456789", 2) == std::string::npos;
}

}  // namespace

int RunMacroList(const std::string& libraryPath, bool json) {
  LibraryFile file;
  std::string error;
  if (!LoadLibrary(libraryPath, file, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  const std::vector<std::string> names = file.Names();
  if (json) {
    nlohmann::json out;
    out["form"] = file.ContentSize();
    out["macros"] = nlohmann::json::array();
    for (std::size_t i = 0; i < names.size(); ++i) {
      out["macros"].push_back({{"index", i}, {"name", names[i]}});
    }
    std::cout << out.dump(2) << '\n';
    return kExitOk;
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::cout << i << '\t' << names[i] << '\n';
  }
  return kExitOk;
}

int RunMacroShow(const std::string& libraryPath, const std::string& indexText, bool json) {
  LibraryFile file;
  std::string error;
  if (!LoadLibrary(libraryPath, file, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  const auto index = ParseIndex(indexText, libraryPath, file.Count());
  if (!index) {
    return kExitBadInput;
  }
  const RecordView view =
      file.eeprom ? View(file.library.Record(*index).name, file.library.Record(*index).content)
                  : View(file.driver.Record(*index).name, file.driver.Record(*index).content);
  if (json) {
    nlohmann::json out = Json(view);
    out["index"] = *index;
    std::cout << out.dump(2) << '\n';
    return kExitOk;
  }
  std::cout << "index: " << *index << '\n'
            << "name: " << view.name << '\n'
            << "stop mode: " << int(view.stopByte) << " (" << StopModeText(view.stopByte) << ")\n"
            << "lines:\n";
  PrintLines(view.decoded.lines, "  ");
  return kExitOk;
}

int RunMacroEncode(const MacroEncodeOptions& options) {
  macros::MacroLines lines;
  std::string error;
  if (!ReadLines(options.linesPath, lines, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  if (lines.empty() || !IsHeader(lines.front())) {
    std::cerr << options.linesPath
              << ": the first line must be the delay-mode header (\"00\", \"10\" or \"01\" and "
                 "a number of milliseconds), found \""
              << (lines.empty() ? std::string() : lines.front()) << "\"\n";
    return kExitBadInput;
  }
  std::string name = options.name;
  if (!options.nameGiven) {
    name = std::filesystem::path(options.outPath).filename().string();
    if (macros::ExportFileName(name) == name) {
      name.resize(name.size() - 4);
    }
  }
  const auto nameField = macros::EncodeName(name);
  if (name.empty() || !nameField) {
    std::cerr << "the macro name \"" << name
              << "\" must be 1 to 16 characters of UTF-8 text; choose one with --name\n";
    return kExitBadInput;
  }
  const auto stop = static_cast<macros::StopMode>(options.stopMode);
  macros::EncodeResult encoded;
  std::vector<std::uint8_t> record;
  if (options.form == static_cast<int>(macros::kContentSize)) {
    macros::MacroRecord macro;
    macro.name = *nameField;
    encoded = macros::EncodeMacroLines(lines, stop, macro.content);
    const auto bytes = macro.Bytes();
    record.assign(bytes.begin(), bytes.end());
  } else {
    macros::DriverMacroRecord macro;
    macro.name = *nameField;
    encoded = macros::EncodeMacroLines(lines, stop, macro.content);
    const auto bytes = macro.Bytes();
    record.assign(bytes.begin(), bytes.end());
  }
  if (!encoded.ok) {
    std::cerr << options.linesPath << ": " << encoded.error << '\n';
    return kExitBadInput;
  }
  if (!orbic::WriteFileAtomically(options.outPath, record, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  return kExitOk;
}

int RunMacroDecode(const std::string& recordPath, bool json) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!orbic::ReadWholeFile(recordPath, bytes, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  RecordView view;
  if (bytes.size() == macros::kRecordSize) {
    const auto record = macros::MacroRecord::FromBytes(bytes);
    view = View(record.name, record.content);
  } else if (bytes.size() == macros::kDriverRecordSize) {
    const auto record = macros::DriverMacroRecord::FromBytes(bytes);
    view = View(record.name, record.content);
  } else {
    std::cerr << recordPath << " holds " << bytes.size()
              << " bytes; a macro record holds 256 or 2048\n";
    return kExitBadInput;
  }
  if (json) {
    std::cout << Json(view).dump(2) << '\n';
  } else {
    PrintLines(view.decoded.lines, "");
  }
  if (!view.exact) {
    std::cerr << "note: encoding these lines gives a different record (merged delays, a stop "
                 "byte other than 0 or 1, or bytes the text form cannot hold)\n";
  }
  return kExitOk;
}

int RunMacroAdd(const std::string& libraryPath, const std::string& recordPath) {
  LibraryFile file;
  std::string error;
  // From the read to the write: another program adding at the same time waits.
  const orbic::FileUpdateLock lock(libraryPath);
  if (!LoadLibrary(libraryPath, file, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  const macros::MacroFileOutcome outcome = file.eeprom
                                               ? macros::ImportOneFile(file.library, recordPath)
                                               : macros::ImportOneFile(file.driver, recordPath);
  if (!outcome.Ok()) {
    ReportRefusal(outcome);
    return kExitBadInput;
  }
  if (!SaveLibrary(libraryPath, file, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  std::cout << "added \"" << file.Names()[outcome.index] << "\" as macro " << outcome.index << '\n';
  return kExitOk;
}

int RunMacroExport(const std::string& libraryPath, const std::string& indexText,
                   const std::string& outPath) {
  LibraryFile file;
  std::string error;
  if (!LoadLibrary(libraryPath, file, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  const auto index = ParseIndex(indexText, libraryPath, file.Count());
  if (!index) {
    return kExitBadInput;
  }
  const macros::MacroFileOutcome outcome =
      file.eeprom ? macros::ExportOneFile(file.library, *index, outPath)
                  : macros::ExportOneFile(file.driver, *index, outPath);
  if (!outcome.Ok()) {
    ReportRefusal(outcome);
    return kExitBadInput;
  }
  std::cout << "wrote " << outcome.path << '\n';
  return kExitOk;
}

}  // namespace orbic::cli
