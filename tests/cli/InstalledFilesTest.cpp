// The files installed beside the tool (udev rule, man page, shell completion)
// and the conventions a Linux user expects of it: --version, --help in step
// with the man page.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>

#include "CliRunner.h"
#include "orbic40/Version.h"

namespace orbic::cli::test {
namespace {

const fs::path kSource = ORBIC40_SOURCE_DIR;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

// The command names a CLI11 help text lists under "Subcommands:".
std::vector<std::string> SubcommandsOf(const std::string& help) {
  std::vector<std::string> names;
  bool inList = false;
  for (const std::string& line : Lines(help)) {
    if (line.rfind("Subcommands:", 0) == 0 || line.rfind("SUBCOMMANDS:", 0) == 0) {
      inList = true;
      continue;
    }
    if (inList && line.rfind("  ", 0) == 0 && line.size() > 2 && line[2] != ' ') {
      names.push_back(line.substr(2, line.find(' ', 2) - 2));
    } else if (inList && !line.empty() && line[0] != ' ') {
      inList = false;
    }
  }
  return names;
}

// Every long option a help text lists.
std::set<std::string> LongOptionsOf(const std::string& help) {
  std::set<std::string> options;
  const std::regex option("--[a-z][a-z0-9-]*");
  for (const std::string& line : Lines(help)) {
    if (line.rfind("  -", 0) != 0) {
      continue;
    }
    const std::string head = line.substr(0, line.find(' ', 2));
    for (std::sregex_iterator it(head.begin(), head.end(), option), end; it != end; ++it) {
      options.insert(it->str());
    }
  }
  return options;
}

// roff with its font changes and escaped hyphens taken out.
std::string PlainRoff(std::string text) {
  text = std::regex_replace(text, std::regex(R"(\\f[BIRP])"), "");
  return std::regex_replace(text, std::regex(R"(\\-)"), "-");
}

// The first words of every tagged paragraph's tag (the line after .TP), without
// the font macro: "image set IN OUT [NAME=VALUE...]" and the like.
std::vector<std::string> ManPageTags(const std::string& page) {
  std::vector<std::string> tags;
  const std::vector<std::string> lines = Lines(PlainRoff(page));
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] == ".TP") {
      std::string tag = lines[i + 1];
      if (tag.rfind(".B", 0) == 0) {
        tag = tag.substr(tag.find(' ') + 1);
      }
      tag.erase(std::remove(tag.begin(), tag.end(), '"'), tag.end());
      tags.push_back(tag);
    }
  }
  return tags;
}

// An option may share its tag with its short form: "-h ,  --help".
bool HasOptionTag(const std::vector<std::string>& tags, const std::string& option) {
  const std::regex word("(^|[ ,])" + option + "($|[ ,])");
  return std::any_of(tags.begin(), tags.end(),
                     [&](const std::string& tag) { return std::regex_search(tag, word); });
}

bool HasTagFor(const std::vector<std::string>& tags, const std::string& command) {
  return std::any_of(tags.begin(), tags.end(), [&](const std::string& tag) {
    return tag == command || tag.rfind(command + " ", 0) == 0;
  });
}

TEST_F(CliTest, VersionIsTheProjectVersion) {
  const RunResult result = Run({"--version"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, std::string("orbic40-cli ") + ORBIC40_VERSION + "\n");
}

// The mouse's own HID version option of `sim new` is not taken for the tool's.
TEST_F(CliTest, SimNewVersionStaysTheMouseVersion) {
  NewMouse("mouse.json", {"--version", "0105"});
  const auto state = nlohmann::json::parse(ReadText(Path("mouse.json")));
  EXPECT_EQ(state.at("identity").at("version"), 0x0105);
}

TEST_F(CliTest, UdevRuleIsTheInstalledFile) {
  const RunResult result = Run({"udev-rule"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, ReadText(kSource / "packaging/linux/70-orbic40.rules"));
}

// systemd's 73-seat-late.rules turns the uaccess tag into an ACL; a rule
// sorting after it would tag the node too late.
TEST(UdevRuleFile, SortsBeforeTheSeatRuleAndMatchesOnlyThisMousesHidrawNodes) {
  const std::string name = "70-orbic40.rules";
  EXPECT_LT(name, std::string("73-seat-late.rules"));
  const std::string text = ReadText(kSource / "packaging/linux" / name);
  int rules = 0;
  for (const std::string& line : Lines(text)) {
    if (line.empty() || line.front() == '#') {
      continue;
    }
    ++rules;
    // Every match key, and the one assignment; nothing else (no MODE, no GROUP, no RUN).
    std::set<std::string> keys;
    const std::regex pair(R"re(([A-Za-z]+(\{[A-Za-z]+\})?)(==|\+=|=)"([^"]*)")re");
    for (std::sregex_iterator it(line.begin(), line.end(), pair), end; it != end; ++it) {
      keys.insert((*it)[1].str() + (*it)[3].str() + (*it)[4].str());
    }
    EXPECT_EQ(keys, (std::set<std::string>{"SUBSYSTEM==hidraw", "KERNEL==hidraw*",
                                           "ATTRS{idVendor}==1bcf", "ATTRS{idProduct}==08a0",
                                           "TAG+=uaccess"}))
        << line;
  }
  EXPECT_EQ(rules, 1);
}

// The word stands in the completion script between blanks or quotes. (std::regex: GoogleTest's
// own regular expressions on Windows have no bracket expressions.)
bool CompletionOffers(const std::string& completion, const std::string& word) {
  return std::regex_search(completion, std::regex("[[:space:]\"]" + word + "[[:space:]\"]"));
}

// Every command of --help has its entry in the man page and in the bash
// completion, and every global option is described.
TEST_F(CliTest, ManPageAndCompletionKnowEveryCommandAndOption) {
  const std::string page = ReadText(kSource / "docs/man/orbic40-cli.1");
  const std::string completion = ReadText(kSource / "packaging/linux/orbic40-cli.bash-completion");
  const std::vector<std::string> tags = ManPageTags(page);
  ASSERT_FALSE(tags.empty());

  const RunResult help = Run({"--help"});
  ASSERT_EQ(help.exitCode, 0) << help.err;
  const std::vector<std::string> commands = SubcommandsOf(help.out);
  ASSERT_GE(commands.size(), 10U) << help.out;
  for (const std::string& command : commands) {
    const RunResult sub = Run({command, "--help"});
    const std::vector<std::string> children = SubcommandsOf(sub.out);
    if (children.empty()) {
      EXPECT_TRUE(HasTagFor(tags, command)) << command << " has no man page entry";
    }
    for (const std::string& child : children) {
      EXPECT_TRUE(HasTagFor(tags, command + " " + child))
          << command << " " << child << " has no man page entry";
      EXPECT_TRUE(CompletionOffers(completion, child)) << command << " " << child;
    }
    EXPECT_TRUE(CompletionOffers(completion, command)) << command;
  }
  for (const std::string& option : LongOptionsOf(help.out)) {
    EXPECT_TRUE(HasOptionTag(tags, option)) << option << " is not described in the man page";
    EXPECT_THAT(completion, ::testing::HasSubstr(option)) << option;
  }
}

TEST_F(CliTest, ManPagesCarryTheProjectVersion) {
  for (const char* page : {"docs/man/orbic40-cli.1", "docs/man/orbic40.1"}) {
    const std::string header = Lines(ReadText(kSource / page)).at(0);
    EXPECT_THAT(header, ::testing::HasSubstr(std::string("\"orbic40 ") + ORBIC40_VERSION + "\""))
        << page;
  }
}

}  // namespace
}  // namespace orbic::cli::test
