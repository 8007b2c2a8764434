#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "params/ParameterImage.h"

namespace orbic::keys {

inline constexpr int kKeyModes = 2;
inline constexpr int kButtons = 9;

// The nine code strings of each key mode and the labels derived from them.
// Every assignment writes the code string and at once its three bytes into
// the Profile working copy, so the two always agree.
class KeyAssignments {
 public:
  using Labeler = std::function<std::string(std::string_view code)>;

  explicit KeyAssignments(Labeler labeler) : labeler_(std::move(labeler)) {}

  // Key mode 1..2, button 1..9.
  const std::string& Code(int keyMode, int button) const { return codes_[Index(keyMode, button)]; }
  const std::string& Label(int keyMode, int button) const {
    return labels_[Index(keyMode, button)];
  }

  // The 18 code strings from the Profile copy (cleared first), with their labels.
  void DataBufToCodes(const params::DataBuf& data);
  void Clear();
  // A new code for one button: code string, Profile bytes and label.
  // False (and nothing changed) when `code` is not six hexadecimal digits.
  bool Assign(int keyMode, int button, std::string_view code, params::DataBuf& data);
  // The same, for a choice whose own caption says more than its code can (two
  // gun-key entries may hold one code): the button keeps `label` until it is
  // given another code.
  bool Assign(int keyMode, int button, std::string_view code, params::DataBuf& data,
              std::string label);
  // Recomputes every label (after the macro names or the language changed).
  void RefreshLabels();
  // Whether any button of the key mode shows `label`.
  bool AnyLabelEquals(int keyMode, std::string_view label) const;

 private:
  static std::size_t Index(int keyMode, int button) {
    return static_cast<std::size_t>((keyMode - 1) * kButtons + (button - 1));
  }

  Labeler labeler_;
  std::array<std::string, kKeyModes * kButtons> codes_{};
  std::array<std::string, kKeyModes * kButtons> labels_{};
  std::array<std::string, kKeyModes * kButtons> chosenLabels_{};  // empty: from the code
};

}  // namespace orbic::keys
