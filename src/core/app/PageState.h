#pragma once

#include <map>
#include <string>

namespace orbic::app {

// Which page group is shown and which picture each page button shows.
struct PageState {
  int visibleGroup = 1;  // gbPage1..gbPage6
  std::map<std::string, std::string> buttonPictures;
};

}  // namespace orbic::app
