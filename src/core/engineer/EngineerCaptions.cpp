#include "engineer/EngineerCaptions.h"

namespace orbic::engineer {

namespace {

struct Row {
  std::string_view control;
  int termId;
};

constexpr Row kSingles[] = {
    {"gbKeyMode1", 88},
    {"gbKeyMode2", 89},
    {"lbl_KeyMode", 87},
    {"gbSaveKeyMode", 61},
    {"rb_Save", 62},
    {"rb_NoSave", 63},
    {"gbSwitchFn", 57},
    {"cb_MidPress", 58},
    {"cb_CPIPress", 59},
    {"cb_GunPress", 60},
    {"gbFireFn", 24},
    {"rb_FireFnOn", 25},
    {"rb_FireFnOff", 26},
    {"gbFireMode", 27},
    {"lbl_FireCount", 28},
    {"lbl_FireTime", 29},
    {"gbCPI", 76},
    {"lbl_CPIStep", 77},
    {"lbl_CurrentCPI", 78},
    {"lbl_TLAIMKey", 86},
    {"gbMCULEDCPIColor", 34},
    {"gbLEDType", 15},
    {"rb_MCULED", 16},
    {"rb_RBLED", 17},
    {"rb_SyncLED", 18},
    {"rb_BreLED", 19},
    {"gbLEDStatus", 20},
    {"rb_LEDOn", 21},
    {"rb_LEDOff", 22},
    {"gbB4CPI", 23},
    {"rb_B4CPIOn", 21},
    {"rb_B4CPIOff", 22},
    {"gbLCPI", 30},
    {"rb_LCPIOn", 21},
    {"rb_LCPIOff", 22},
    {"gbMCULEDControlMode", 31},
    {"rb_MCULED3Control", 32},
    {"rb_MCULED6Control", 33},
    {"gbMCULEDCurrent", 37},
    {"lbl_MCULEDNum", 38},
    {"lbl_MCULEDCrtMode", 39},
    {"lbl_MCULEDCrtStep", 47},
    {"gbRBLEDMode", 48},
    {"lbl_RBLEDCrtMode", 49},
    {"lbl_SensorOri", 64},
    {"lbl_VendorID", 35},
    {"lbl_ProductID", 36},
    {"gbKeys", 73},
    {"rb_6Keys", 74},
    {"rb_9Keys", 75},
    {"lbl_VendorID_Rd", 35},
    {"lbl_ProductID_Rd", 36},
    {"gbGunParam", 90},
    {"lbl_SOSStartIndex", 91},
    {"lbl_SOSNumber", 92},
    {"btn_AddScript", 93},
    {"btn_DelScript", 94},
    {"gbMCULEDMode", 95},
    {"cb_Mode7", 56},
    {"gbFireMacroColor", 96},
    {"gbFireMacroYOffset", 127},
    {"lbl_Notes", 138},
};

// prefix + n (+ suffix), n = 1..count, taking consecutive terms from `firstTerm`.
struct Family {
  std::string_view prefix;
  int count;
  int firstTerm;
  std::string_view suffixes;  // one character per term of each n, or empty
};

constexpr Family kFamilies[] = {
    {"lbl_CPI", 7, 79, ""},
    {"cb_Mode", 6, 40, ""},
    {"lbl_FireMacroColor", 10, 97, "RGB"},
    {"lbl_YOffset", 10, 128, ""},
};

std::vector<CaptionTerm> Build() {
  std::vector<CaptionTerm> terms;
  for (const Row& row : kSingles) {
    terms.push_back({std::string(row.control), row.termId});
  }
  for (const Family& family : kFamilies) {
    int term = family.firstTerm;
    for (int n = 1; n <= family.count; ++n) {
      const std::string name = std::string(family.prefix) + std::to_string(n);
      if (family.suffixes.empty()) {
        terms.push_back({name, term++});
      }
      for (const char suffix : family.suffixes) {
        terms.push_back({name + suffix, term++});
      }
    }
  }
  return terms;
}

}  // namespace

const std::vector<CaptionTerm>& EngineerCaptionTerms() {
  static const std::vector<CaptionTerm> terms = Build();
  return terms;
}

}  // namespace orbic::engineer
