#include "fire/BurstFireSettings.h"

#include <algorithm>

#include "fire/FireParameterRules.h"

namespace orbic::fire {
namespace {

constexpr int kMaxRepeat = 255;
constexpr int kMaxFireTime = 255;
constexpr int kContinuousIndex = 255;  // "256" in cb_FireCount
constexpr std::string_view kEmptyRepeatText = "2";
constexpr std::string_view kEmptyFireTimeText = "100";
constexpr char kBackspace = '\b';

}  // namespace

void BurstFireSettings::RefreshFromOptions() {
  if (options_.continuousFire) {
    repeatText_ = std::to_string(params::kContinuousFireShownCount);
  } else {
    repeatText_ = std::to_string(options_.fireCountIndex + 1);
  }
  delayText_ = std::to_string(options_.fireTime);
}

bool BurstFireSettings::AcceptsRepeatKey(char key) {
  return (key >= '0' && key <= '9') || key == kBackspace;
}

void BurstFireSettings::Edt_Repeat1Change(std::string_view text) {
  const auto number = ParseEditNumber(text);
  int value = 0;
  if (!number) {
    value = std::stoi(std::string(kEmptyRepeatText));
  } else {
    value = static_cast<int>(std::clamp<long long>(*number, 1, kMaxRepeat));
  }
  repeatText_ = std::to_string(value);
  options_.fireCountIndex = value - 1;
}

void BurstFireSettings::Edt_Repeat1Exit() {
  if (repeatText_ == "0") {
    Edt_Repeat1Change(repeatText_);
  }
}

void BurstFireSettings::cb_FireCountChange(int index) {
  // Index 255 would be stored as 0xFF, which the mouse reads as continuous
  // fire, so the list ends at 255 shots.
  index = std::clamp(index, 0, kMaxRepeat - 1);
  options_.fireCountIndex = index;
  options_.continuousFire = false;
  repeatText_ = std::to_string(index + 1);
}

void BurstFireSettings::lbl_FireContinueClick() {
  options_.continuousFire = !options_.continuousFire;
  if (options_.continuousFire) {
    options_.fireCountIndex = kContinuousIndex;
    repeatText_ = std::to_string(params::kContinuousFireShownCount);
  } else {
    // Index 255 would be stored as continuous fire again: the count becomes
    // the one the re-enabled edit shows.
    Edt_Repeat1Change(repeatText_);
  }
}

std::string_view BurstFireSettings::ContinuousPicture() const {
  return options_.continuousFire ? "CbS_E" : "CbS_D";
}

void BurstFireSettings::Edt_DelayTime1Change(std::string_view text) {
  const long long value = std::clamp<long long>(ParseEditNumber(text).value_or(0), 0, kMaxFireTime);
  options_.fireTime = static_cast<int>(value);
  delayText_ = std::to_string(value);
}

void BurstFireSettings::edt_FireTimeChange(std::string_view text) {
  const auto number = ParseEditNumber(text);
  long long value = number ? std::clamp<long long>(*number, 0, kMaxFireTime)
                           : std::stoll(std::string(kEmptyFireTimeText));
  options_.fireTime = static_cast<int>(value);
  delayText_ = std::to_string(value);
}

}  // namespace orbic::fire
