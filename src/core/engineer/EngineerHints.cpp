#include "engineer/EngineerHints.h"

#include <algorithm>
#include <array>

namespace orbic::engineer {

namespace {

// A row names its controls and groups separated by spaces; a name ending in
// "*" stands for every control whose name starts with what precedes it. The
// texts are the same in every language.
struct HintRow {
  std::string_view controls;
  std::string_view hint;
};

constexpr std::array<HintRow, 31> kHints = {{
    {"gbGunParam", "枪键参数配置页面，通过对10种枪宏定义的配置，生成新的枪键。"},
    {"gbFireMacroColor", "基本的10种枪键宏定义对应的颜色参数。"},
    {"edt_FireMacroColor*", "用户可以根据自己喜好设定每档CPI的颜色。"},
    {"gbFireMacroYOffset", "基本的10种枪键宏定义对应的Fn枪键调整后的Y轴参数。"},
    {"lbl_KeyMode cb_KeyMode",
     "本方案支援两组按键模式，在“是否保存按键模式”为保存时，鼠标会记忆当前按键模式；在“是否保存按键"
     "模式”为不保存时，鼠标一直为按键模式1 。"},
    {"lbl_SensorOri cb_SensorOri",
     "本方案支持Sensor方向选择，请根据鼠标硬件设计时的实际情况选取；鼠标光标才会正确移动。"},
    {"lbl_VendorID lbl_ProductID edt_VendorID edt_ProductID",
     "厂商编码为方案供应商分配给工厂的编号；产品编码是工厂为同一方案，不同硬件设计的鼠标自行分配编"
     "码。"
     "用于工厂在同款AP软件，可以分别识别不同的鼠标款式，避免用户在任意一款同方案的AP去设定不同硬件"
     "的鼠"
     "标出错。255为默认（通用）编号。"},
    {"lbl_TLAIMKey cb_AIMKeyValue", "本方案支持11档瞄准键键值选择。"},
    {"gbMCULEDControlMode",
     "流光灯有两种亮度模式，分别为：流光全亮和流光半亮，用户可根据实际使用状况进行选择。"},
    {"gbB4CPI",
     "通过参数的选择，控制LED灯开关切换模式功能是否打开，并通过‘B4键+CPI循环’ / ‘B4键+CPI+’ / "
     "‘B4键+CPI-’进行切换。"},
    {"gbLEDStatus", "通过参数的选择，控制按键闪灯亮灭的功能。"},
    {"gbSwitchFn",
     "按键模式切换方式包括：中键长按/CPI长按/枪键长按，用户可根据自己的需求进行选择。"},
    {"gbFireFn", "通过参数的选择，‘打开’时使能枪键，也可以调整Y轴参数；‘关闭’时只能调整Y轴参数。"},
    {"gbSaveKeyMode",
     "通过参数的选择，‘保存’时鼠标上电后使用记忆的按键模式；‘不保存’时鼠标上电后为按键模式1。"},
    {"gbMCULEDCPIColor",
     "流光灯各档CPI对应颜色参数设定，用户通过颜色R/G/B值参数设定，控制流光灯各档CPI颜色。"},
    {"gbFireMode",
     "本方案可设定1组连击键参数，分别设定连击键的连击次数和每次连击的间隔时间。设定完连击参数后，需"
     "在"
     "按键键值表具体按键位置中，选定连击键参数。"},
    {"gbCPI",
     "本方案支持2-"
     "7档变速，CPI值可选择任意一档CPI。当前CPI档位选定并写入设备后，则鼠标工作在当前设定"
     "档位的CPI。"},
    {"gbMCULEDCurrent", "流光灯工作模式参数的设定。"},
    {"gbLCPI",
     "通过‘打开’和‘关闭’选项的选择，控制LED灯切换模式功能是否打开，并通过‘左键+"
     "CPI键’进行快捷切换。"},
    {"gbKeyMode1", "按键模式1鼠标按键参数设定，用户可根据自己的使用情况，选择不同的按键参数。"},
    {"gbKeyMode2", "按键模式2鼠标按键参数设定，用户可根据自己的使用情况，选择不同的按键参数。"},
    {"gbLEDType",
     "本方案灯光控制支持流光灯、RB双色灯、七彩同步灯和七彩呼吸灯，请根据鼠标硬件设计时的实际情况，"
     "选取"
     "流光灯、RB双色灯、七彩同步灯和七彩呼吸灯，程序才会正确的控制。"},
    {"gbRBLEDMode",
     "RB双色灯有七种工作模式：变换颜色快速呼吸，变换颜色中速呼吸，变换颜色慢速呼吸，CPI颜色快速呼吸"
     "，"
     "CPI颜色中速呼吸，CPI颜色慢速呼吸，关灯。用户可根据自己的喜好进行设定。"},
    {"gbKeys", "用户根据实际电路，可分别选择6个按键和9个按键两种参数。"},
    {"Btn_Load_6", "把指定Bin档的参数导入到当前设定软件里，并显示出来。"},
    {"Btn_Save_6", "把当前设定软件显示的参数，保存为设定软件指定Bin档，存入到电脑指定路径。"},
    {"Btn_Default",
     "\"恢复默认值\"按钮，让工厂在设定软件正确识别鼠标后，重新吧鼠标内部的参数恢复到新IC的默认参数"
     "。"
     "请谨慎使用。"},
    {"Btn_ImportBaseMacro", "导入外部已存在的普通宏定义内容的Bin档。"},
    {"Btn_ImportGunMacro", "导入外部已存在的压枪宏定义内容的Bin档。"},
    {"btn_Write", "把当前设定软件显示的参数，保存到当前鼠标里。"},
    {"btn_TestKeys",
     "按此按钮5秒内，再按鼠标的任意按键，则软件上对应的鼠标真实硬件按键位置将会闪烁，让工厂容易知道"
     "鼠标"
     "的各个按键对应的硬件位置。"},
}};

bool Names(std::string_view controls, std::string_view name) {
  if (name.empty()) {
    return false;
  }
  while (!controls.empty()) {
    const std::size_t end = std::min(controls.find(' '), controls.size());
    const std::string_view entry = controls.substr(0, end);
    if (entry.ends_with('*') ? name.starts_with(entry.substr(0, entry.size() - 1))
                             : entry == name) {
      return true;
    }
    controls.remove_prefix(std::min(end + 1, controls.size()));
  }
  return false;
}

std::string_view HintOf(std::string_view name) {
  const auto* row = std::find_if(kHints.begin(), kHints.end(),
                                 [name](const HintRow& r) { return Names(r.controls, name); });
  return row == kHints.end() ? std::string_view{} : row->hint;
}

}  // namespace

std::string_view EngineerHint(std::string_view control, std::string_view group) {
  const std::string_view own = HintOf(control);
  return own.empty() ? HintOf(group) : own;
}

}  // namespace orbic::engineer
