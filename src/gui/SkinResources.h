#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/SkinLayout.h"

namespace orbic::gui {

// The bytes of the skin resource `name`: a picture ("BtnS_01", "L1_BackGround")
// or the loading animation "WaitGif". Empty when there is no such resource.
QByteArray SkinResource(std::string_view name);

// The skin picture `name`, decoded afresh (pictures are not cached). A null
// image, with `error` set, when it is missing or not a readable PNG.
QImage LoadSkinPicture(std::string_view name, std::string* error = nullptr);

// Every picture name the window loads, the three skins' own and the shared ones.
std::vector<std::string> SkinPictureNames();

// The size of a skin picture, for SkinLayout to fit labels over their pictures.
std::optional<ui::PictureSize> SkinPictureSize(std::string_view name);

}  // namespace orbic::gui
