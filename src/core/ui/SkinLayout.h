#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbic::ui {

class IniFile;

// A colour as the layouts write it: red in the low byte, R + 256 G + 65536 B.
using LayoutColour = std::uint32_t;

constexpr LayoutColour MakeLayoutColour(int red, int green, int blue) {
  return static_cast<LayoutColour>(red) | static_cast<LayoutColour>(green) << 8 |
         static_cast<LayoutColour>(blue) << 16;
}

// What a skin layout says about one control, found by its objectName. An empty
// optional means the layout has not set it, so the control keeps what it had.
struct ControlLayout {
  std::optional<int> x;
  std::optional<int> y;
  std::optional<int> width;
  std::optional<int> height;
  std::optional<bool> visible;
  std::optional<int> fontSize;
  std::optional<LayoutColour> fontColour;
  std::optional<int> itemHeight;  // list boxes only
  char group = 0;                 // style group letter, 0 for none
};

// Font size and colours of one style group (`Size_<G>`, `Color_<G>_*`).
struct GroupStyle {
  std::optional<int> fontSize;
  // Keyed by part ("" is the font colour, then "Back", "Border", "Selected", ...).
  std::map<std::string, LayoutColour, std::less<>> colours;
};

struct PictureSize {
  int width = 0;
  int height = 0;
};

// The skin layout `[org<n>]`: which controls exist, where they sit, their
// fonts and colours. Reading again over an existing layout changes only what
// the text carries; a missing key or a value that is not an integer leaves the
// previous value and is reported.
class SkinLayout {
 public:
  // The size of a named skin picture, so labels can cover their pictures.
  using PictureSizeLookup = std::function<std::optional<PictureSize>(std::string_view)>;

  static constexpr int kCopies = 4;  // header controls exist once per page group 1 to 4

  // Reads section `section` of `ini`. Problems are added to `problems` unless
  // the same line is already there, so repeated applications report once.
  void Read(const IniFile& ini, std::string_view section, const PictureSizeLookup& pictureSize,
            std::vector<std::string>& problems);

  const ControlLayout* Control(std::string_view objectName) const;
  const std::map<std::string, ControlLayout, std::less<>>& Controls() const { return controls_; }
  const GroupStyle* Group(char letter) const;
  // Every integer key read, for the dialogs that lay themselves out.
  std::optional<int> Value(std::string_view key) const;
  std::optional<int> MacroNameHeight() const { return Value("MacroNameHeight"); }

  // Every key the reader looks up, in reading order.
  static std::vector<std::string> Keys();

 private:
  friend class SkinLayoutReader;

  std::map<std::string, ControlLayout, std::less<>> controls_;
  std::map<char, GroupStyle> groups_;
  std::map<std::string, int, std::less<>> values_;
};

// The resource and section name of skin `skin` (1 to 3): "org1" .. "org3".
std::string SkinLayoutName(int skin);

// Reads the embedded layout of skin `skin` over `layout`.
void ReadEmbeddedSkinLayout(int skin, const SkinLayout::PictureSizeLookup& pictureSize,
                            SkinLayout& layout, std::vector<std::string>& problems);

}  // namespace orbic::ui
