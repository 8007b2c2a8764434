#include "ui/TermTable.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace orbic::ui {
namespace {

constexpr std::string_view kWesternFont = "MS Sans Serif";
constexpr std::string_view kTraditionalChineseFont = "Microsoft JhengHei";

// Stored order matters to LookupTerm (first row wins), so 35 and 36 stay after 56.
constexpr std::array<TermRow, kTermCount> kRows = {{
    {0, "Office Mode", "", "办公模式"},
    {1, "Gaming Mode", "", "游戏模式"},
    {2, "Advanced", "", "高级设置"},
    {3, "Breathing Light", "", "呼吸灯"},
    {4, "Macro", "", "宏"},
    {5, "Engineer Mode", "", "工程模式"},
    {6, "Load", "", "载入"},
    {7, "Save", "", "保存"},
    {8, "Test Keys Position", "", "测试按键位置"},
    {9, "Default", "", "默认"},
    {10, "Apply", "", "应用"},
    {11, "Import Base Macro", "", "导入基础宏"},
    {12, "Import Fire Macro", "", "导入连发宏"},
    {13, "Operation", "", "操作人员界面"},
    {14, "Engineer", "", "工程人员界面"},
    {15, "LED Type", "", "灯光类型"},
    {16, "MCU LED", "", "MCU灯"},
    {17, "RB LED", "", "RB灯"},
    {18, "Sync LED", "", "同步灯"},
    {19, "Breath LED", "", "呼吸灯"},
    {20, "LED Status", "", "灯光状态"},
    {21, "On", "", "开"},
    {22, "Off", "", "关"},
    {23, "LED Switch(M+CPI)", "", "灯光开关(中键+CPI)"},
    {24, "Fire Function", "", "连发功能"},
    {25, "Fn+Left Key", "", "Fn+左键"},
    {26, "Left Key", "", "左键"},
    {27, "Fire Mode", "", "连发模式"},
    {28, "Fire Count:", "", "连发次数:"},
    {29, "Fire Time:", "", "连发时间:"},
    {30, "LED Mode(L+CPI)", "", "灯光模式(左键+CPI)"},
    {31, "MCU LED Ligth Mode", "", "MCU灯亮度模式"},
    {32, "All Ligth", "", "全亮"},
    {33, "Half Ligth", "", "半亮"},
    {34, "MCU LED CPI Color Setting", "", "MCU灯CPI颜色设置"},
    {37, "MCU LED Setting", "", "MCU灯设置"},
    {38, "LED Number:", "", "灯数量:"},
    {39, "Current Mode:", "", "当前模式:"},
    {40, "Mode 1", "", "模式1"},
    {41, "Mode 2", "", "模式2"},
    {42, "Mode 3", "", "模式3"},
    {43, "Mode 4", "", "模式4"},
    {44, "Mode 5", "", "模式5"},
    {45, "Mode 6", "", "模式6"},
    {46, "Mode 7", "", "模式7"},
    {47, "LED Step:", "", "灯光步进:"},
    {48, "RB LED Mode", "", "RB灯模式"},
    {49, "Current Mode:", "", "当前模式:"},
    {50, "Colors Breath Fast", "", "彩色呼吸 快"},
    {51, "Colors Breath Middle", "", "彩色呼吸 中"},
    {52, "Colors Breath Slow", "", "彩色呼吸 慢"},
    {53, "CPI Breath Fast", "", "CPI呼吸 快"},
    {54, "CPI Breath Middle", "", "CPI呼吸 中"},
    {55, "CPI Breath Slow", "", "CPI呼吸 慢"},
    {56, "OFF", "", "关闭"},
    {35, "Vendor ID:", "", "厂商编码:"},
    {36, "Product ID:", "", "产品编码:"},
    {57, "Switch Key Mode", "", "切换按键模式"},
    {58, "Press Middle Key", "", "按中键"},
    {59, "Press CPI Key", "", "按CPI键"},
    {60, "Press Gun Key", "", "按枪械键"},
    {61, "Is Save Key Mode", "", "是否保存按键模式"},
    {62, "Save", "", "保存"},
    {63, "No Save", "", "不保存"},
    {64, "Sensor Ori:", "", "传感器方向:"},
    {65, "0°", "", "0°"},
    {66, "90°", "", "90°"},
    {67, "180°", "", "180°"},
    {68, "270°", "", "270°"},
    {69, "X Reverse", "", "X轴反向"},
    {70, "Y Reverse", "", "Y轴反向"},
    {71, "XY Swap XY Reverse", "", "XY互换 XY反向"},
    {72, "XY Swap XY NoReverse", "", "XY互换 XY不反向"},
    {73, "Keys Number", "", "按键数量"},
    {74, "6-Keys", "", "6键"},
    {75, "9-Keys", "", "9键"},
    {76, "CPI", "", "CPI"},
    {77, "CPI Steps:", "", "CPI档位数:"},
    {78, "Current CPI:", "", "当前CPI:"},
    {79, "CPI 1:", "", "CPI 1:"},
    {80, "CPI 2:", "", "CPI 2:"},
    {81, "CPI 3:", "", "CPI 3:"},
    {82, "CPI 4:", "", "CPI 4:"},
    {83, "CPI 5:", "", "CPI 5:"},
    {84, "CPI 6:", "", "CPI 6:"},
    {85, "CPI 7:", "", "CPI 7:"},
    {86, "AIM Key:", "", "瞄准键:"},
    {87, "Key Mode:", "", "按键模式:"},
    {88, "Key Mode1", "", "按键模式1"},
    {89, "Key Mode2", "", "按键模式2"},
    {90, "Gun Parameter Setting", "", "枪械参数设置"},
    {91, "Gun Start Index:", "", "枪械起始序号:"},
    {92, "Gun Stop Index:", "", "枪械结束序号:"},
    {93, "Add Gun", "", "添加枪械"},
    {94, "Delect Gun", "", "删除枪械"},
    {95, "MCU LED Mode Select", "", "MCU灯模式选择"},
    {96, "Fire Macro Color Setting", "", "连发宏颜色设置"},
    {97, "Macro1 R:", "", "宏1 红:"},
    {98, "Macro1 G:", "", "宏1 绿:"},
    {99, "Macro1 B:", "", "宏1 蓝:"},
    {100, "Macro2 R:", "", "宏2 红:"},
    {101, "Macro2 G:", "", "宏2 绿:"},
    {102, "Macro2 B:", "", "宏2 蓝:"},
    {103, "Macro3 R:", "", "宏3 红:"},
    {104, "Macro3 G:", "", "宏3 绿:"},
    {105, "Macro3 B:", "", "宏3 蓝:"},
    {106, "Macro4 R:", "", "宏4 红:"},
    {107, "Macro4 G:", "", "宏4 绿:"},
    {108, "Macro4 B:", "", "宏4 蓝:"},
    {109, "Macro5 R:", "", "宏5 红:"},
    {110, "Macro5 G:", "", "宏5 绿:"},
    {111, "Macro5 B:", "", "宏5 蓝:"},
    {112, "Macro6 R:", "", "宏6 红:"},
    {113, "Macro6 G:", "", "宏6 绿:"},
    {114, "Macro6 B:", "", "宏6 蓝:"},
    {115, "Macro7 R:", "", "宏7 红:"},
    {116, "Macro7 G:", "", "宏7 绿:"},
    {117, "Macro7 B:", "", "宏7 蓝:"},
    {118, "Macro8 R:", "", "宏8 红:"},
    {119, "Macro8 G:", "", "宏8 绿:"},
    {120, "Macro8 B:", "", "宏8 蓝:"},
    {121, "Macro9 R:", "", "宏9 红:"},
    {122, "Macro9 G:", "", "宏9 绿:"},
    {123, "Macro9 B:", "", "宏9 蓝:"},
    {124, "Macro10 R:", "", "宏10 红:"},
    {125, "Macro10 G:", "", "宏10 绿:"},
    {126, "Macro10 B:", "", "宏10 蓝:"},
    {127, "Fire Macro Y Offset", "", "连发宏Y轴偏移"},
    {128, "Macro1 Y Offset:", "", "宏1 Y轴偏移:"},
    {129, "Macro2 Y Offset:", "", "宏2 Y轴偏移:"},
    {130, "Macro3 Y Offset:", "", "宏3 Y轴偏移:"},
    {131, "Macro4 Y Offset:", "", "宏4 Y轴偏移:"},
    {132, "Macro5 Y Offset:", "", "宏5 Y轴偏移:"},
    {133, "Macro6 Y Offset:", "", "宏6 Y轴偏移:"},
    {134, "Macro7 Y Offset:", "", "宏7 Y轴偏移:"},
    {135, "Macro8 Y Offset:", "", "宏8 Y轴偏移:"},
    {136, "Macro9 Y Offset:", "", "宏9 Y轴偏移:"},
    {137, "Macro10 Y Offset:", "", "宏10 Y轴偏移:"},
    {138, "Notes: ", "", "注释: "},
}};

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lowered;
}

// "zh_Hans_CN.UTF-8@pinyin" -> {"zh", "hans", "cn"}.
std::vector<std::string> LocaleParts(std::string_view localeName) {
  localeName = localeName.substr(0, localeName.find_first_of(".@"));
  std::vector<std::string> parts;
  while (!localeName.empty()) {
    const std::size_t end = localeName.find_first_of("_-");
    parts.push_back(Lowered(localeName.substr(0, end)));
    localeName = end == std::string_view::npos ? std::string_view{} : localeName.substr(end + 1);
  }
  return parts;
}

}  // namespace

std::string_view TermRow::Text(TermLanguage language) const {
  switch (language) {
    case TermLanguage::kTraditionalChinese:
      return traditionalChinese;
    case TermLanguage::kSimplifiedChinese:
      return simplifiedChinese;
    case TermLanguage::kEnglish:
      break;
  }
  return english;
}

std::span<const TermRow, kTermCount> TermTable() {
  return kRows;
}

std::optional<std::string_view> LookupTerm(int id, TermLanguage language) {
  const auto row =
      std::find_if(kRows.begin(), kRows.end(), [id](const TermRow& r) { return r.id == id; });
  if (row == kRows.end()) {
    return std::nullopt;
  }
  return row->Text(language);
}

TermLanguage FixedTextLanguage(std::string_view localeName) {
  const std::vector<std::string> parts = LocaleParts(localeName);
  // Language, optional script (Simplified only), territory.
  const bool chinese = parts.size() >= 2 && parts.front() == "zh";
  const bool mainland = chinese && parts.back() == "cn";
  const bool simplifiedScript = parts.size() == 2 || (parts.size() == 3 && parts[1] == "hans");
  return mainland && simplifiedScript ? TermLanguage::kSimplifiedChinese : TermLanguage::kEnglish;
}

std::string_view FixedTextFont(TermLanguage language) {
  return language == TermLanguage::kTraditionalChinese ? kTraditionalChineseFont : kWesternFont;
}

}  // namespace orbic::ui
