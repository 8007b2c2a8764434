// `orbic40-cli macro ...`: library files and single-macro records, offline.
#include <gmock/gmock.h>

#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "macros/MacroCodec.h"
#include "macros/MacroLibrary.h"

namespace orbic::cli::test {
namespace {

using ::testing::HasSubstr;
using json = nlohmann::json;
using macros::MacroLines;

// Macros whose lines are in the form the decoder gives back (delays that are
// multiples of 8 and never two in a row), so their records survive the text
// form byte for byte.
const std::vector<MacroLines>& SampleMacros() {
  static const std::vector<MacroLines> samples{
      {"00"},
      {"00", "1 A CODE:8204", "2 A CODE:0204"},
      {"0140", "1 Ctrl CODE:8101", "0 40", "1 C CODE:8206", "0 40", "2 C CODE:0206", "0 40",
       "2 Ctrl CODE:0101", "0 40"},
      {"10", "7 FD09", "1 LeftKey CODE:00A1", "0 0", "2 LeftKey CODE:0021", "0 10200", "3 FB05",
       "4 FBF0", "5 FA7F", "6 FA80", "8 00FC", "0 2048", "1 Backward CODE:00B0"},
  };
  return samples;
}

std::string Join(const MacroLines& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\n";
  }
  return text;
}

class MacroCommandsTest : public CliTest {
 protected:
  std::string WriteText(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
    return Path(name).string();
  }
  std::string Write(const std::string& name, std::span<const std::uint8_t> bytes) const {
    WriteBytes(Path(name), bytes);
    return Path(name).string();
  }
  // `macro encode` of `lines`; the run must succeed.
  Bytes Encode(const MacroLines& lines, const std::string& out, std::vector<std::string> extra) {
    std::vector<std::string> args{"macro", "encode", WriteText("lines.txt", Join(lines)),
                                  Path(out).string()};
    args.insert(args.end(), extra.begin(), extra.end());
    const RunResult result = Run(args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return ReadBytes(Path(out));
  }
  json RunJson(const std::vector<std::string>& args) const {
    std::vector<std::string> withJson = args;
    withJson.push_back("--json");
    const RunResult result = Run(withJson);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.exitCode == 0 ? json::parse(result.out) : json();
  }
};

TEST_F(MacroCommandsTest, DecodedLinesEncodeBackToTheSameRecordByteForByte) {
  int n = 0;
  for (const MacroLines& lines : SampleMacros()) {
    for (const std::string form : {"224", "2016"}) {
      for (const std::string stop : {"0", "1"}) {
        SCOPED_TRACE(Join(lines) + form + " stop " + stop);
        const std::string name = "M" + std::to_string(n++);
        const Bytes record = Encode(lines, name + ".bin", {"--form", form, "--stop-mode", stop});
        ASSERT_EQ(record.size(), form == "224" ? 256u : 2048u);

        const RunResult text = Run({"macro", "decode", Path(name + ".bin").string()});
        ASSERT_EQ(text.exitCode, 0) << text.err;
        EXPECT_EQ(text.out, Join(lines));
        EXPECT_EQ(text.err, "");
        const json decoded = RunJson({"macro", "decode", Path(name + ".bin").string()});
        EXPECT_EQ(decoded["name"], name);  // taken from OUT when --name is not given
        // An empty macro stores no stop mode: bytes 0 .. 2 are all zero.
        EXPECT_EQ(decoded["stopMode"], lines.size() == 1 ? 0 : std::stoi(stop));
        EXPECT_EQ(decoded["form"], std::stoi(form));
        EXPECT_EQ(decoded["exact"], true);

        const Bytes again = Encode(
            decoded["lines"].get<MacroLines>(), "again.bin",
            {"--form", form, "--stop-mode", stop, "--name", decoded["name"].get<std::string>()});
        EXPECT_EQ(again, record);
      }
    }
  }
}

TEST_F(MacroCommandsTest, DecodeSaysWhenTheLinesCannotReproduceTheRecord) {
  // Two delay pairs in a row come back as one line, which encodes as one pair.
  const Bytes record = Encode({"00", "0 16", "0 24", "1 A CODE:8204"}, "m.bin", {});
  const RunResult result = Run({"macro", "decode", Path("m.bin").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "10\n0 40\n1 A CODE:8204\n");
  EXPECT_THAT(result.err, HasSubstr("different record"));
  EXPECT_EQ(RunJson({"macro", "decode", Path("m.bin").string()})["exact"], false);
}

TEST_F(MacroCommandsTest, ListShowAddAndExportOnBothLibraryForms) {
  const Bytes burst = Encode(SampleMacros()[2], "Burst.bin", {"--stop-mode", "1"});
  const Bytes spray = Encode(SampleMacros()[3], "Spray.bin", {});
  const Bytes longBurst = Encode(SampleMacros()[2], "Long.bin", {"--form", "2016"});

  const std::string library = Write("Macro.bin", macros::MacroLibrary{}.Bytes());
  for (const char* record : {"Burst.bin", "Spray.bin"}) {
    const RunResult added = Run({"macro", "add", library, Path(record).string()});
    ASSERT_EQ(added.exitCode, 0) << added.err;
  }
  EXPECT_EQ(ReadBytes(library).size(), macros::kLibraryFileSize);
  const RunResult list = Run({"macro", "list", library});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(list.out, "0\tBurst\n1\tSpray\n");
  EXPECT_EQ(RunJson({"macro", "list", library}),
            json::parse(R"({"form":224,"macros":[{"index":0,"name":"Burst"},)"
                        R"({"index":1,"name":"Spray"}]})"));

  const RunResult show = Run({"macro", "show", library, "0"});
  ASSERT_EQ(show.exitCode, 0) << show.err;
  EXPECT_THAT(show.out, HasSubstr("name: Burst\n"));
  EXPECT_THAT(show.out, HasSubstr("stop mode: 1 (Stop until the key release)\n"));
  EXPECT_THAT(show.out, HasSubstr("\n  0140\n  1 Ctrl CODE:8101\n"));
  const json shown = RunJson({"macro", "show", library, "1"});
  EXPECT_EQ(shown["lines"].get<MacroLines>(), SampleMacros()[3]);
  EXPECT_EQ(shown["index"], 1);

  const RunResult exported = Run({"macro", "export", library, "1", Path("out").string()});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_THAT(exported.out, HasSubstr("out.bin"));
  EXPECT_EQ(ReadBytes(Path("out.bin")), spray);

  // The driver form: any multiple of 2048 bytes, here starting empty.
  const std::string driver = Write("Driver_Macro.bin", Bytes{});
  ASSERT_EQ(Run({"macro", "add", driver, Path("Long.bin").string()}).exitCode, 0);
  EXPECT_EQ(ReadBytes(driver), longBurst);
  EXPECT_EQ(RunJson({"macro", "list", driver})["form"], 2016);
  EXPECT_EQ(RunJson({"macro", "show", driver, "0"})["lines"].get<MacroLines>(), SampleMacros()[2]);
  ASSERT_EQ(Run({"macro", "export", driver, "0", Path("long-out.bin").string()}).exitCode, 0);
  EXPECT_EQ(ReadBytes(Path("long-out.bin")), longBurst);
}

TEST_F(MacroCommandsTest, BadInputEndsWithStatusTwoAndChangesNoFile) {
  const Bytes record = Encode(SampleMacros()[1], "Tap.bin", {});
  Encode(SampleMacros()[1], "TapLong.bin", {"--form", "2016"});
  macros::MacroLibrary withTap;
  withTap.Add(macros::MacroRecord::FromBytes(record));
  const auto tapLibrary = withTap.Bytes();
  const Bytes libraryBytes(tapLibrary.begin(), tapLibrary.end());
  const std::string library = Write("Macro.bin", libraryBytes);
  Write("odd.bin", Bytes(1000, 0));
  WriteText("noheader.txt", "1 A CODE:8204\n");
  WriteText("badline.txt", "00\n1 A CODE:82ZZ\n");
  MacroLines tooLong{"00"};
  for (int i = 0; i < 111; ++i) {
    tooLong.push_back("1 A CODE:8204");
  }
  WriteText("long.txt", Join(tooLong));
  WriteText("ok.txt", "00\n1 A CODE:8204\n");
  const std::string out = Path("new.bin").string();

  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases{
      {{"macro"}, ""},
      {{"macro", "list", Path("absent.bin").string()}, "absent.bin"},
      {{"macro", "list", Path("odd.bin").string()}, "holds 1000 bytes"},
      {{"macro", "show", library, "1"}, "numbered 0 to 0"},
      {{"macro", "show", library, "first"}, "INDEX 'first'"},
      {{"macro", "encode", Path("noheader.txt").string(), out}, "header"},
      {{"macro", "encode", Path("badline.txt").string(), out}, "line 1"},
      {{"macro", "encode", Path("long.txt").string(), out}, "222 event bytes"},
      {{"macro", "encode", Path("ok.txt").string(), out, "--form", "256"}, "--form"},
      {{"macro", "encode", Path("ok.txt").string(), out, "--stop-mode", "2"}, "--stop-mode"},
      {{"macro", "encode", Path("ok.txt").string(), out, "--name", "seventeen chars!!"}, "16"},
      {{"macro", "encode", Path("ok.txt").string(), out, "--name", ""}, "--name"},
      {{"macro", "encode", Path("absent.txt").string(), out}, "absent.txt"},
      {{"macro", "decode", Path("odd.bin").string()}, "256 or 2048"},
      {{"macro", "add", library, Path("Tap.bin").string()}, "This macro already exists"},
      {{"macro", "add", library, Path("TapLong.bin").string()}, "Macro bin length out of range"},
      {{"macro", "add", library, Path("absent.bin").string()}, "absent.bin"},
      {{"macro", "export", library, "3", out}, "numbered 0 to 0"},
      {{"macro", "export", library, "0", Path("nowhere/x.bin").string()}, "nowhere"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const RunResult result = Run(c.args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_FALSE(result.err.empty());
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(ReadBytes(library), libraryBytes);
    EXPECT_FALSE(fs::exists(out));
  }
}

}  // namespace
}  // namespace orbic::cli::test
