#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbic::engineer {

// An engineer page control captioned by a term of the term table.
struct CaptionTerm {
  std::string control;
  int termId;
};

// Every group, label, radio, check box and button of the engineer page with
// its term, numbered families spelled out ("lbl_FireMacroColor10B" is 126).
// The page buttons and the two tabs are ui::kTermCaptions.
const std::vector<CaptionTerm>& EngineerCaptionTerms();

// A drop-down list whose items are consecutive terms, in order.
struct ItemTerms {
  std::string_view control;
  int firstTerm;
  int lastTerm;
};

inline constexpr ItemTerms kEngineerItemTerms[] = {
    {"cb_MCULEDCurrentMode", 40, 46},
    {"cb_RBLEDCurrentMode", 50, 56},
    {"cb_SensorOri", 65, 72},
    {"cb_KeyMode", 88, 89},
};

// Captions that are no terms: the units beside three edits.
struct FixedCaption {
  std::string_view control;
  std::string_view text;
};

inline constexpr FixedCaption kEngineerFixedCaptions[] = {
    {"lbl_FireTimeUnit", "(*8ms)"},
    {"lbl_MCULEDNumRange", "(4~13)"},
    {"lbl_MCULEDCrtStepRange", "(0~7)"},
    {"cb_Smooth", "平滑打开"},
};

}  // namespace orbic::engineer
