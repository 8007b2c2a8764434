#include "gui/SkinResources.h"

#include <QResource>
#include <QString>
#include <array>
#include <cstdint>
#include <span>

#include "gui/PngPicture.h"

namespace orbic::gui {
namespace {

// Resource prefix of the pictures compiled in from resources/skin.
constexpr std::string_view kPrefix = ":/skin/";

constexpr int kSkins = 3;
constexpr int kPagePictures = 5;

// A family of numbered pictures: `<stem><first..last><tail>`, two digits when `padded`.
struct PictureFamily {
  std::string_view stem;
  int first;
  int last;
  std::string_view tail;
  bool padded;
};

const auto kSharedFamilies = std::to_array<PictureFamily>({
    {"BtnS_", 1, 3, "", true},
    {"SetS_", 1, 3, "", true},
    {"ExitS_", 1, 3, "", true},
    {"MiniS_", 1, 2, "", true},
    {"WebS_", 1, 3, "", true},
    {"KeyS_", 1, 2, "", true},
    {"MacroBtnS_", 1, 3, "", true},
    {"MacroS_", 1, 4, "", true},
    {"Gun", 1, 7, "_01", false},
    {"Gun", 1, 7, "_02", false},
    {"GunMode", 1, 5, "", false},
});

const auto kSharedPictures = std::to_array<std::string_view>({
    "CbS_D",
    "CbS_E",
    "RdS_D",
    "RdS_E",
    "Col_F",
    "Bar1_D",
    "Bar1_E",
    "InsertDelayBase",
    "InsertKeyBase",
    "Slider_Ruler",
    "Slider_Thumb",
    "Msg",
});

QString ResourcePath(std::string_view name) {
  return QString::fromUtf8(kPrefix.data(), static_cast<qsizetype>(kPrefix.size())) +
         QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

QByteArray SkinResource(std::string_view name) {
  const QResource resource(ResourcePath(name));
  if (!resource.isValid()) {
    return {};
  }
  return resource.uncompressedData();
}

QImage LoadSkinPicture(std::string_view name, std::string* error) {
  const QByteArray bytes = SkinResource(name);
  if (bytes.isEmpty()) {
    if (error != nullptr) {
      *error = "no skin picture \"" + std::string(name) + "\"";
    }
    return {};
  }
  const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                           static_cast<std::size_t>(bytes.size()));
  return DecodePng(data, error);
}

std::vector<std::string> SkinPictureNames() {
  std::vector<std::string> names;
  for (int skin = 1; skin <= kSkins; ++skin) {
    const std::string prefix = "L" + std::to_string(skin) + "_";
    names.push_back(prefix + "BackGround");
    for (int page = 1; page <= kPagePictures; ++page) {
      names.push_back(prefix + "Back" + std::to_string(page));
    }
  }
  for (const PictureFamily& family : kSharedFamilies) {
    for (int index = family.first; index <= family.last; ++index) {
      const std::string number = std::to_string(index);
      names.push_back(std::string(family.stem) + (family.padded && index < 10 ? "0" : "") + number +
                      std::string(family.tail));
    }
  }
  for (const std::string_view name : kSharedPictures) {
    names.emplace_back(name);
  }
  return names;
}

std::optional<ui::PictureSize> SkinPictureSize(std::string_view name) {
  const QImage picture = LoadSkinPicture(name);
  if (picture.isNull()) {
    return std::nullopt;
  }
  return ui::PictureSize{picture.width(), picture.height()};
}

}  // namespace orbic::gui
