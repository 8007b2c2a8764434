#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliRunner.h"

namespace orbic::cli::test {
namespace {

using nlohmann::json;

class ImageFromJsonTest : public CliTest {
 protected:
  json Decode(const std::string& image) const {
    const RunResult result = Run({"decode", Path(image).string(), "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.exitCode == 0 ? json::parse(result.out) : json();
  }

  void WriteJson(const std::string& name, const json& settings) const {
    const std::string text = settings.dump(2);
    WriteBytes(Path(name), Bytes(text.begin(), text.end()));
  }

  void WriteResource(const std::string& name, const char* resource) const {
    const auto bytes = orbic::FindResource(resource);
    ASSERT_TRUE(bytes);
    WriteBytes(Path(name), Bytes(bytes->begin(), bytes->end()));
  }

  // An image far from the built-in ones, made through `image set`.
  void WriteEdited(const std::string& name) const {
    WriteResource("edited-base.bin", "ORBIC5xData_Cfg1");
    const RunResult result = Run({"image",
                                  "set",
                                  Path("edited-base.bin").string(),
                                  Path(name).string(),
                                  "dpi.count=4",
                                  "dpi.2.step=9",
                                  "dpi.3.color=10,20,30",
                                  "dpi.current=3",
                                  "led.on=0",
                                  "led.mode.3=0",
                                  "led.brightness=Half Ligth",
                                  "led.switchMCpi=1",
                                  "sensor=90°",
                                  "smoothing=0",
                                  "keyModeSwitch.cpi=1",
                                  "fireFunction=Fn+Left Key",
                                  "vendorCode=17",
                                  "productCode=34",
                                  "keyMode=2",
                                  "button.1.4=070000",
                                  "button.2.6=0A0000",
                                  "fireKey.count=5",
                                  "fireKey.interval=12",
                                  "saveKeyMode=No Save"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
  }
};

// Everything decode shows but the repairs it found in the image it read.
json Settings(json decoded) {
  decoded.erase("repaired");
  return decoded;
}

struct RoundTrip {
  const char* name;
  const char* source;  // resource, or "edited"
  const char* base;
};

class ImageFromJsonRoundTrip : public ImageFromJsonTest,
                               public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(ImageFromJsonRoundTrip, DecodeOfTheResultShowsEverySettingGiven) {
  const RoundTrip& c = GetParam();
  if (std::string(c.source) == "edited") {
    WriteEdited("source.bin");
  } else {
    WriteResource("source.bin", c.source);
  }
  WriteResource("base.bin", c.base);
  const json source = Decode("source.bin");
  WriteJson("settings.json", source);

  const RunResult result = Run({"image", "from-json", Path("settings.json").string(),
                                Path("base.bin").string(), Path("out.bin").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Settings(Decode("out.bin")), Settings(source));
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, ImageFromJsonRoundTrip,
    ::testing::Values(RoundTrip{"Image1OntoImage2", "ORBIC5xData_Cfg1", "ORBIC5xData_Cfg2"},
                      RoundTrip{"Image2OntoImage1", "ORBIC5xData_Cfg2", "ORBIC5xData_Cfg1"},
                      RoundTrip{"Image3OntoItself", "ORBIC5xData_Cfg3", "ORBIC5xData_Cfg3"},
                      RoundTrip{"EditedOntoImage1", "edited", "ORBIC5xData_Cfg1"},
                      RoundTrip{"EditedOntoImage2", "edited", "ORBIC5xData_Cfg2"}),
    [](const auto& info) { return std::string(info.param.name); });

// A few keys change those settings and nothing else.
TEST_F(ImageFromJsonTest, ASubsetChangesOnlyItsKeys) {
  WriteResource("base.bin", "ORBIC5xData_Cfg1");
  WriteJson("settings.json", json{{"dpi", {{"count", 3}, {"levels", {{{"step", 4}}}}}},
                                  {"smoothing", false},
                                  {"buttons", {{"2", {json::object(), {{"code", "070000"}}}}}}});
  const RunResult result = Run({"image", "from-json", Path("settings.json").string(),
                                Path("base.bin").string(), Path("out.bin").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;

  json expected = Settings(Decode("base.bin"));
  const json out = Settings(Decode("out.bin"));
  EXPECT_EQ(out["dpi"]["count"], 3);
  EXPECT_EQ(out["dpi"]["levels"][0]["step"], 4);
  EXPECT_EQ(out["smoothing"], false);
  EXPECT_EQ(out["buttons"]["2"][1]["code"], "070000");
  // The rest is the base's (the current level and the labels follow the changes).
  expected["dpi"] = out["dpi"];
  expected["smoothing"] = false;
  expected["buttons"]["2"][1] = out["buttons"]["2"][1];
  EXPECT_EQ(out, expected);
}

struct BadSettings {
  const char* name;
  std::string text;
  std::vector<std::string> named;  // what the message must name
};

class ImageFromJsonRefusal : public ImageFromJsonTest,
                             public ::testing::WithParamInterface<BadSettings> {};

TEST_P(ImageFromJsonRefusal, NamesTheKeyAndValueAndWritesNothing) {
  const BadSettings& c = GetParam();
  WriteResource("base.bin", "ORBIC5xData_Cfg1");
  WriteBytes(Path("settings.json"), Bytes(c.text.begin(), c.text.end()));
  const RunResult result = Run({"image", "from-json", Path("settings.json").string(),
                                Path("base.bin").string(), Path("out.bin").string()});
  EXPECT_EQ(result.exitCode, 2) << result.err;
  for (const std::string& part : c.named) {
    EXPECT_THAT(result.err, ::testing::HasSubstr(part));
  }
  EXPECT_FALSE(fs::exists(Path("out.bin")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageFromJsonRefusal,
    ::testing::Values(
        BadSettings{"NotJson", "{\"dpi\": ", {"not JSON"}},
        BadSettings{"NotAnObject", "[1, 2]", {"JSON object"}},
        BadSettings{"UnknownKey", R"({"turbo": true})", {"/turbo", "unknown key", "true"}},
        BadSettings{"UnknownNestedKey", R"({"dpi": {"speed": 5}})", {"/dpi/speed", "5"}},
        BadSettings{"WrongType", R"({"smoothing": 1})", {"/smoothing", "1", "true or false"}},
        BadSettings{"OutOfRange", R"({"dpi": {"count": 9}})", {"/dpi/count", "9", "2 to 7"}},
        BadSettings{"UnknownText", R"({"ledType": "Disco LED"})", {"/ledType", "Disco LED"}},
        BadSettings{"ButtonOutOfRange",
                    R"({"buttons": {"3": [{"code": "070000"}]}})",
                    {"/buttons/3/0/code", "070000"}},
        BadSettings{"BadColour",
                    R"({"dpi": {"levels": [{"color": [1, 2]}]}})",
                    {"/dpi/levels/0/color", "[1,2]"}},
        BadSettings{
            "NullForANumber", R"({"fireKey": {"interval": null}})", {"/fireKey/interval", "null"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orbic::cli::test
