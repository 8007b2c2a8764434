#include "ui/LanguageTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "Utf16TestBytes.h"
#include "base/Resources.h"

namespace orbic::ui {
namespace {

using testing::Utf16LeBytes;

LanguageTable ParseUtf16(std::u16string_view text, std::string_view section,
                         std::vector<std::string>& problems) {
  return LanguageTable::Parse(Utf16LeBytes(text), section, problems);
}

std::vector<LanguageTable> EmbeddedTables() {
  std::vector<std::string> problems;
  std::vector<LanguageTable> tables = LoadEmbeddedLanguageTables(problems);
  EXPECT_EQ(problems, std::vector<std::string>{});
  return tables;
}

// Every key a table can hold, so two tables can be compared key by key.
std::vector<std::string> AllPossibleKeys() {
  std::vector<std::string> keys = {std::string(LanguageTable::kFontNameKey),
                                   std::string(LanguageTable::kTitleKey)};
  for (int number = 0; number <= 999; ++number) {
    keys.push_back(TextKey(number));
  }
  return keys;
}

TEST(LanguageTable, SplitsAtBlanksExceptInsideQuotes) {
  struct Case {
    std::string text;
    std::vector<std::string> entries;
    std::size_t problems = 0;
  };
  const std::vector<Case> cases = {
      {"\"Str436=Stop until the key release\"", {"Str436=Stop until the key release"}},
      {"Str436=Stop until the key release", {"Str436=Stop", "until", "the", "key", "release"}},
      {"[lang1]\r\n\"Str1=a b\"\r\n \t Str2=c\r\n\r\n", {"[lang1]", "Str1=a b", "Str2=c"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"\"ab\"cd", {"ab", "cd"}},
      {"ab\"c d\"", {"ab\"c", "d\""}},
      {"\"\" x", {"", "x"}},
      {"\"Str1=open\r\n\"Str2=shut\"", {"Str1=open", "Str2=shut"}, 1},
      {"\"Str1=open at the end", {"Str1=open at the end"}, 1},
      {"\"\"\"", {"\""}, 1},
      {" \t\r\n\v", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> problems;
    EXPECT_EQ(SplitQuotedEntries(c.text, problems), c.entries) << c.text;
    EXPECT_EQ(problems.size(), c.problems) << c.text;
  }
}

TEST(LanguageTable, ReadsUtf16TextWithQuotedEntries) {
  std::vector<std::string> problems;
  const LanguageTable table = ParseUtf16(
      u"[lang9]\r\n"
      u"\"FontName=Arial Narrow\"\r\n"
      u"\"Title=Some Mouse\"\r\n"
      u"\"Str000=Confirm\"\r\n"
      u"Str020=Plain\r\n"
      u"\"Str436=Stop until the key release\"\r\n"
      u"Str437=Stop after the macro is over\r\n"
      u"\"Str800=\u8FDE\u53D1\u952E\u8BBE\u7F6E\"\r\n"
      u"\"Str801 = spaced around \"\r\n"
      u"\"Str802=a=b\"\r\n"
      u"\"Str100=first\"\r\n"
      u"\"Str100=second\"\r\n"
      u"\"Other=not a table key\"\r\n"
      u"\"; Str103=commented out\"\r\n",
      "lang9", problems);

  EXPECT_EQ(problems, std::vector<std::string>{});
  EXPECT_EQ(table.FontName(), "Arial Narrow");
  EXPECT_EQ(table.Title(), "Some Mouse");
  EXPECT_EQ(table.Text("Str000"), "Confirm");
  EXPECT_EQ(table.Text("Str020"), "Plain");
  EXPECT_EQ(table.Text("Str436"), "Stop until the key release");
  EXPECT_EQ(table.Text("Str437"), "Stop");  // unquoted: split at its first blank
  EXPECT_EQ(table.Text("Str800"), "\xE8\xBF\x9E\xE5\x8F\x91\xE9\x94\xAE\xE8\xAE\xBE\xE7\xBD\xAE");
  EXPECT_EQ(table.Text("Str801"), "spaced around");
  EXPECT_EQ(table.Text("Str802"), "a=b");
  EXPECT_EQ(table.Text("Str100"), "first");
  EXPECT_FALSE(table.Has("Str103"));
  EXPECT_EQ(table.Text("Str103"), "");
  EXPECT_EQ(table.Text("Other"), "");
  EXPECT_EQ(table.KeyCount(), 10u);
}

TEST(LanguageTable, OtherSectionOrNoMarkIsReported) {
  std::vector<std::string> problems;
  const LanguageTable wrongSection =
      ParseUtf16(u"[lang1]\r\n\"Str000=Confirm\"\r\n", "lang2", problems);
  EXPECT_EQ(wrongSection.KeyCount(), 0u);
  EXPECT_EQ(problems.size(), 1u);

  // Without the UTF-16 mark the text is taken as UTF-8 (a UTF-8 mark is skipped).
  problems.clear();
  const std::string utf8 = "\xEF\xBB\xBF[lang1]\r\n\"Str800=\xE8\xBF\x9E \xE5\x8F\x91\"\r\n";
  const LanguageTable fromUtf8 =
      LanguageTable::Parse(std::vector<std::uint8_t>(utf8.begin(), utf8.end()), "lang1", problems);
  EXPECT_EQ(fromUtf8.Text("Str800"), "\xE8\xBF\x9E \xE5\x8F\x91");
  EXPECT_EQ(problems.size(), 1u);
}

TEST(LanguageTable, DamagedResourcesNeverFailHard) {
  std::vector<std::string> problems;
  // Lone surrogate inside a text, unclosed quote, odd byte count.
  std::vector<std::uint8_t> bytes =
      Utf16LeBytes(u"[lang1]\r\n\"Str000=A\xD800Z\"\r\n\"Str001=open\r\n\"Str002=ok\"\r\n");
  bytes.push_back(0x41);
  const LanguageTable table = LanguageTable::Parse(bytes, "lang1", problems);
  EXPECT_EQ(table.Text("Str000"), "A\xEF\xBF\xBDZ");
  EXPECT_EQ(table.Text("Str001"), "open");
  EXPECT_EQ(table.Text("Str002"), "ok");
  EXPECT_EQ(problems.size(), 3u);

  // Every cut and some byte damage of a real table still parses (run under the
  // sanitizers this also proves the reader stays inside its input).
  const auto resource = FindResource("lang3");
  ASSERT_TRUE(resource);
  const std::vector<std::uint8_t> original(resource->begin(), resource->end());
  for (std::size_t length = 0; length <= original.size(); length += 97) {
    std::vector<std::string> ignored;
    LanguageTable::Parse(std::span(original).first(length), "lang3", ignored);
  }
  for (std::size_t position = 0; position < original.size(); position += 211) {
    std::vector<std::uint8_t> damaged = original;
    damaged[position] ^= 0xA5;
    std::vector<std::string> ignored;
    const LanguageTable parsed = LanguageTable::Parse(damaged, "lang3", ignored);
    EXPECT_LE(parsed.KeyCount(), 203u);
  }
}

TEST(LanguageTable, ResourcesAreUtf16WithMarkAndCrLf) {
  for (const char* name : {"lang1", "lang2", "lang3"}) {
    const auto resource = FindResource(name);
    ASSERT_TRUE(resource) << name;
    const std::span<const std::uint8_t> bytes = *resource;
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes.size() % 2, 0u) << name;
    std::size_t lineFeeds = 0;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      if (bytes[i] == '\n' && bytes[i + 1] == 0) {
        ++lineFeeds;
        EXPECT_TRUE(bytes[i - 2] == '\r' && bytes[i - 1] == 0) << name << " at " << i;
      }
    }
    EXPECT_GT(lineFeeds, 200u) << name;
  }
}

TEST(LanguageTable, Table1HoldsTheShippedTexts) {
  const std::vector<LanguageTable> tables = EmbeddedTables();
  ASSERT_EQ(tables.size(), 3u);
  const LanguageTable& table = tables[0];
  const std::vector<std::pair<std::string, std::string>> texts = {
      {"Str000", "Confirm"},
      {"Str001", "Apply"},
      {"Str017", "Read"},
      {"Str002", "Restore"},
      {"Str015", "Confirm 2"},
      {"Str016", "Confirm 3"},
      {"Str003", "Exit"},
      {"Str004", "Office Mode"},
      {"Str005", "Game Mode"},
      {"Str007", "Advanced"},
      {"Str008", "Light"},
      {"Str009", "Save Profile"},
      {"Str010", "Load Profile"},
      {"Str011", "Chinese"},
      {"Str012", "English"},
      {"Str013", "English"},
      {"Str014", "Macro"},
      {"Str020", "Finding the specified device"},
      {"Str100", "Please Connect the USB Device"},
      {"Str101", "Please check your device is attached to USB port"},
      {"Str102", "BIN file type error"},
      {"Str103", "Macro bin length out of range"},
      {"Str104", "storage space shortage"},
      {"Str106", "This macro already exists"},
      {"Str107", "The mouse manufacturer or product id error"},
      {"Str108", "Please keep a Left Key"},
      {"Str109", "Fail"},
      {"Str200", "*"},
      {"Str201", "Standard Mouse Keys"},
      {"Str202", "Special Keys"},
      {"Str203", "Media"},
      {"Str204", "Web"},
      {"Str205", "User-defined"},
      {"Str206", "Base Macro"},
      {"Str207", "Others"},
      {"Str208", "Fire Macro"},
      {"Str210", "Left Click"},
      {"Str211", "Right Click"},
      {"Str212", "Middle Click"},
      {"Str213", "Back"},
      {"Str214", "Forward"},
      {"Str220", "Fire Key"},
      {"Str221", "LED ON/OFF"},
      {"Str222", "AIM"},
      {"Str223", "Gun Key Fn"},
      {"Str224", "Key Off"},
      {"Str225", "Profile"},
      {"Str226", "LED Mode"},
      {"Str230", "DPI"},
      {"Str231", "DPI Loop"},
      {"Str232", "DPI +"},
      {"Str233", "DPI -"},
      {"Str240", "My Computer"},
      {"Str241", "Calculator"},
      {"Str242", "E-Mail"},
      {"Str243", "Desktop"},
      {"Str250", "Play/Pause"},
      {"Str251", "Stop"},
      {"Str252", "Previous Track"},
      {"Str253", "Next Track"},
      {"Str254", "Volume +"},
      {"Str255", "Volume -"},
      {"Str256", "Mute"},
      {"Str260", "Home"},
      {"Str261", "Search"},
      {"Str262", "Web Back"},
      {"Str263", "Web Forward"},
      {"Str264", "Stop"},
      {"Str265", "Refresh"},
      {"Str266", "Favorites"},
      {"Str300", "500"},
      {"Str301", "800"},
      {"Str302", "1000"},
      {"Str303", "1200"},
      {"Str304", "1600"},
      {"Str305", "2000"},
      {"Str306", "2400"},
      {"Str307", "3200"},
      {"Str308", "4000"},
      {"Str309", "4800"},
      {"Str310", "6400"},
      {"Str311", "8000"},
      {"Str400", "Record"},
      {"Str401", "Stop"},
      {"Str402", "Rename"},
      {"Str404", "Export One"},
      {"Str405", "Export All"},
      {"Str406", "Import One"},
      {"Str407", "Import All"},
      {"Str408", "Delete"},
      {"Str409", "Insert"},
      {"Str410", "Insert Delay Front"},
      {"Str411", "Insert Delay Back"},
      {"Str412", "Insert Key Front"},
      {"Str413", "Insert Key Back"},
      {"Str414", "Record Delay"},
      {"Str415", "Default Delay"},
      {"Str416", "No Delay"},
      {"Str417", "Delay Time"},
      {"Str418", "ms"},
      {"Str420", "OK"},
      {"Str421", "OK"},
      {"Str422", "Cancel"},
      {"Str430", "OK for clear macro?"},
      {"Str432", "New Macro"},
      {"Str433", "Delete"},
      {"Str435", "Edit"},
      {"Str436", "Stop until the key release"},
      {"Str437", "Stop after the macro is over"},
      {"Str440", "Insert X axis Front"},
      {"Str441", "Insert X axis Back"},
      {"Str442", "Insert Y axis Front"},
      {"Str443", "Insert Y axis Back"},
      {"Str444", "X axis value"},
      {"Str445", "Y axis value"},
      {"Str446", "Insert Start Repeat"},
      {"Str447", "Insert Stop Repeat"},
      {"Str448", "Repeat Number"},
      {"Str500", "Assembly Key"},
      {"Str501", "Confirm"},
      {"Str502", "Clear"},
      {"Str510", "Macro Name"},
      {"Str511", "OK"},
      {"Str512", "Clear"},
      {"Str520", "Input One Key"},
      {"Str521", "Input Delay Time"},
      {"Str522", "Please Select One Color"},
      {"Str523", "Input Value"},
      {"Str600", "AKM"},
      {"Str601", "M16"},
      {"Str602", "M4"},
      {"Str603", "UMP9"},
      {"Str604", "SCAR-L"},
      {"Str605", "5.56mm Fire"},
      {"Str606", "7.62mm Fire"},
      {"Str610", "Fire Count"},
      {"Str611", "Fire X-Axis"},
      {"Str612", "Fire Y-Axis"},
      {"Str613", "Fire Delay Time"},
      {"Str614", "Fire Color"},
      {"Str620", "Confirm"},
      {"Str621", "Cancel"},
      {"Str700", "Press 'Middle Click' 3sec to switch Office Mode/Game Mode"},
      {"Str701", "Press 'DPI' 3sec to switch Office Mode/Game Mode"},
      {"Str702", "Press Gun Key Switch Profile1/Profile2"},
      {"Str800", "Fire Key Setting"},
      {"Str801", "Repeat(1-255)"},
      {"Str802", "Firing Interval"},
      {"Str803", "Continusely"},
      {"Str804", "Moving Speed"},
      {"Str805", "Enhance pointer precision"},
      {"Str806", "Double Click Speed"},
      {"Str807", "Rolling Speed"},
      {"Str808", "Scroll one screen at a time"},
      {"Str809", "DPI Setting"},
      {"Str810", "DPI Count"},
      {"Str811", "Choose DPI Count Number"},
      {"Str812", "LED Status"},
      {"Str813", "ON"},
      {"Str814", "OFF"},
      {"Str815", "LED Mode Switch Enable（L+DPI)"},
      {"Str816", "LED ON/OFF Enable(M+DPI)"},
      {"Str817", "LED Brightness"},
      {"Str818", "ALL"},
      {"Str819", "HALF"},
      {"Str820", "LED Mode"},
      {"Str821", "Breathing"},
      {"Str822", "Multicolor"},
      {"Str823", "Neon"},
      {"Str824", "Floe Light"},
      {"Str825", "Waltz"},
      {"Str826", "Four Seasons"},
      {"Str827", "Disable"},
      {"Str828", "Random Color 1"},
      {"Str829", "Random Color 2"},
      {"Str830", "Random Color 3"},
      {"Str831", "DPI Color 1"},
      {"Str832", "DPI Color 2"},
      {"Str833", "DPI Color 3"},
      {"Str834", "Off"},
      {"Str835", "Macro List"},
      {"Str836", "Content"},
      {"Str837", "Record"},
      {"Str838", "Delay Setting"},
      {"Str839", "No Delay"},
      {"Str840", "ms"},
      {"Str841", "Stop until the key release"},
      {"Str842", "Stop after the macro is over"},
      {"Str843", "Stop Until the Press Release"},
      {"Str844", "Fire Counts"},
      {"Str845", "Fire Y-Axis"},
      {"Str846", "Y-Axis Offset"},
      {"Str847", "Fire Delay Time"},
      {"Str848", "Color"},
      {"Str849", "DPI1"},
      {"Str850", "DPI2"},
      {"Str851", "DPI3"},
      {"Str852", "DPI4"},
      {"Str853", "DPI5"},
      {"Str854", "DPI6"},
      {"Str855", "DPI7"},
      {"Str856", "Breathing Speed"},
      {"Str857", "Slow"},
      {"Str858", "Fast"},
  };
  for (const auto& [key, text] : texts) {
    EXPECT_EQ(table.Text(key), text) << key;
  }
  EXPECT_EQ(table.FontName(), "Arial");
  EXPECT_EQ(table.Title(), "Quorvex");
  EXPECT_EQ(table.KeyCount(), texts.size() + 2);
  EXPECT_EQ(table.KeyCount(), 206u);
}

TEST(LanguageTable, Table2DiffersFromTable1OnlyWhereItShould) {
  const std::vector<LanguageTable> tables = EmbeddedTables();
  const std::map<std::string, std::string> differences = {
      {"Title", "K510 USB Gaming Mouse"},
      {"Str002", "RESET"},
      {"Str004", "Profile1"},
      {"Str005", "Profile2"},
      {"Str700", "Press 'Middle Click' 3sec to switch Profile1/Profile2"},
      {"Str701", "Press 'DPI' 3sec to switch Profile1/Profile2"},
      {"Str821", "DPI"},
      {"Str823", "Rainbow"},
      {"Str838", "Delay Stting"},
  };
  EXPECT_EQ(tables[1].KeyCount(), 206u);
  for (const std::string& key : AllPossibleKeys()) {
    EXPECT_EQ(tables[1].Has(key), tables[0].Has(key)) << key;
    const auto difference = differences.find(key);
    if (difference != differences.end()) {
      EXPECT_EQ(tables[1].Text(key), difference->second) << key;
      EXPECT_NE(tables[0].Text(key), difference->second) << key;
    } else {
      EXPECT_EQ(tables[1].Text(key), tables[0].Text(key)) << key;
    }
  }
}

TEST(LanguageTable, Table3HasItsOwnWordingAndChinesePageLabels) {
  const std::vector<LanguageTable> tables = EmbeddedTables();
  const LanguageTable& table = tables[2];
  EXPECT_EQ(table.KeyCount(), 202u);
  const std::set<std::string> absent = {"Str311", "Str856", "Str857", "Str858"};
  for (const std::string& key : AllPossibleKeys()) {
    EXPECT_EQ(table.Has(key), tables[0].Has(key) && !absent.contains(key)) << key;
  }
  const std::vector<std::pair<std::string, std::string>> texts = {
      {"FontName", "Arial Narrow"},
      {"Title", "Trelmark Gaming Mouse"},
      {"Str100", "No Device Found"},
      {"Str102", "ORBIC40Data.bin file type error"},
      {"Str104", "EEPROM space shortage"},
      {"Str210", "Left Key"},
      {"Str600", "AKM Fire"},
      {"Str601", "M16 Fire"},
      {"Str602", "M4 Fire"},
      {"Str603", "UMP9 Fire"},
      {"Str604", "SCAR-L Fire"},
      {"Str800", "\xE8\xBF\x9E\xE5\x8F\x91\xE9\x94\xAE\xE8\xAE\xBE\xE7\xBD\xAE"},
  };
  for (const auto& [key, text] : texts) {
    EXPECT_EQ(table.Text(key), text) << key;
  }
  for (int number = 300; number <= 310; ++number) {
    EXPECT_EQ(table.Text(TextKey(number)), tables[0].Text(TextKey(number)));
  }
  // Str800..Str848 are Chinese: each holds a CJK character (UTF-8 lead byte E4..E9).
  for (int number = 800; number <= 848; ++number) {
    const std::string text = table.Text(TextKey(number));
    const bool hasCjk = std::any_of(text.begin(), text.end(), [](char c) {
      const auto byte = static_cast<unsigned char>(c);
      return byte >= 0xE4 && byte <= 0xE9;
    });
    EXPECT_TRUE(hasCjk) << TextKey(number) << " " << text;
  }
}

TEST(LanguageTable, LoadLanguageTableRejectsUnknownSkins) {
  for (const int skin : {0, 4, -1}) {
    std::vector<std::string> problems;
    EXPECT_EQ(LoadLanguageTable(skin, problems).KeyCount(), 0u);
    EXPECT_EQ(problems.size(), 1u);
  }
}

TEST(LanguageTable, FindTextKeySearchesStr100To700AndKeepsTheLastMatch) {
  const std::vector<LanguageTable> tables = EmbeddedTables();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Left Click", "Str210"},  // tables 1 and 2
      {"Left Key", "Str210"},    // table 3
      {"AKM", "Str600"},
      {"AKM Fire", "Str600"},
      {"Stop", "Str401"},     // also Str251, Str264: the highest number wins
      {"Confirm", "Str620"},  // Str000 and Str501 come earlier
      {"Office Mode", ""},    // only Str004, written with a leading zero
      {"DPI", "Str230"},      // table 2's Str821 lies beyond the searched numbers
      {"Fast", ""},           // Str858
      {"My own macro", ""},
      {"", ""},
  };
  for (const auto& [text, key] : cases) {
    EXPECT_EQ(FindTextKey(text, tables), key) << text;
  }

  std::vector<std::string> problems;
  std::vector<LanguageTable> custom;
  custom.push_back(ParseUtf16(u"[a]\r\n\"Str150=x\"\r\n\"Str140=x\"\r\n", "a", problems));
  custom.push_back(ParseUtf16(u"[b]\r\n\"Str120=x\"\r\n\"Str701=x\"\r\n", "b", problems));
  EXPECT_EQ(FindTextKey("x", custom), "Str120");  // the later table wins
  EXPECT_EQ(FindTextKey("x", std::span(custom).first(1)), "Str150");
  EXPECT_EQ(problems, std::vector<std::string>{});
}

TEST(LanguageTable, MessageStringsComeFromTheTable) {
  const std::vector<LanguageTable> tables = EmbeddedTables();
  const MessageStrings shipped;
  const MessageStrings fromTable1 = MessageStringsFrom(tables[0]);
  EXPECT_EQ(fromTable1.str020, shipped.str020);
  EXPECT_EQ(fromTable1.str100, shipped.str100);
  EXPECT_EQ(fromTable1.str101, shipped.str101);
  EXPECT_EQ(fromTable1.str102, shipped.str102);
  EXPECT_EQ(fromTable1.str103, shipped.str103);
  EXPECT_EQ(fromTable1.str104, shipped.str104);
  EXPECT_EQ(fromTable1.str106, shipped.str106);
  EXPECT_EQ(fromTable1.str107, shipped.str107);
  EXPECT_EQ(fromTable1.str108, shipped.str108);
  EXPECT_EQ(fromTable1.str109, shipped.str109);
  EXPECT_EQ(fromTable1.DeviceLostText(),
            "Please Connect the USB Device\r\rPlease check your device is attached to USB port");

  const MessageStrings fromTable3 = MessageStringsFrom(tables[2]);
  EXPECT_EQ(fromTable3.str100, "No Device Found");
  EXPECT_EQ(fromTable3.str020, tables[2].Text("Str020"));
  EXPECT_NE(fromTable3.str020, shipped.str020);

  std::vector<std::string> problems;
  const MessageStrings partial =
      MessageStringsFrom(ParseUtf16(u"[x]\r\n\"Str109=Nope\"\r\n", "x", problems));
  EXPECT_EQ(partial.str109, "Nope");
  EXPECT_EQ(partial.str020, "");  // a missing key gives the empty text
}

}  // namespace
}  // namespace orbic::ui
