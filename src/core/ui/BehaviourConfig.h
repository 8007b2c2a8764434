#pragma once

#include <string>
#include <vector>

namespace orbic::ui {

class IniFile;

// The behaviour switches of the embedded configuration "org".
// Member defaults are the shipped values.
struct BehaviourConfig {
  bool webEnable = true;
  std::string web;
  int webX = 420;
  int webY = 5;
  int revManuId = 0;
  int revProId = 0;
  std::string path;  // macro file folder prefix; empty = the program folder
  bool trEnable = false;
  bool gdEnable = false;
  bool dpiLedStatus = true;
  int gun6Num = 2;
  int gun7Num = 3;
  int numOrder = 0;
  int apMode = 0;
  bool eepromMode = true;
  int dpiCount = 11;
};

// Reads the `[org]` section. A key that is missing or not an integer keeps its
// shipped value and adds a line to `problems`, so a developer sees it.
BehaviourConfig ReadBehaviourConfiguration(const IniFile& ini, std::vector<std::string>& problems);

// The embedded resource "org", parsed and read.
BehaviourConfig LoadEmbeddedBehaviourConfiguration(std::vector<std::string>& problems);

}  // namespace orbic::ui
