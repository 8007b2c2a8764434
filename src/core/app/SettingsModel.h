#pragma once

#include <functional>

#include "base/UiHost.h"
#include "drivermacros/DriverMacroAssignment.h"
#include "drivermacros/DriverSlotList.h"
#include "fire/BurstFireSettings.h"
#include "fire/FireMacroTable.h"
#include "fire/GunKeyList.h"
#include "keys/ButtonAssignment.h"
#include "keys/CodeLabels.h"
#include "keys/KeyAssignments.h"
#include "macros/MacroAssignment.h"
#include "macros/MacroSlots.h"
#include "params/DeviceOptions.h"
#include "params/ParameterImage.h"
#include "perf/DpiPage.h"
#include "perf/LightingPage.h"
#include "ui/BehaviourConfig.h"
#include "ui/MessageStrings.h"

namespace orbic::app {

// The settings the pages edit, held as the pages' own state, and the three
// conversions between them and the image's working copies.
class SettingsModel {
 public:
  // `data` is the working copy the button assignments edit in place; the
  // configuration, messages and host must outlive the model.
  SettingsModel(const ui::BehaviourConfig& config, params::DataBuf& data, UiHost& ui,
                const ui::MessageStrings& messages);

  // Lets `image` split into this model's macro slots and fire macros and
  // assemble from this model: the settings, the fire macros' working copy,
  // then the aim value. The macro areas need nothing at assembly: every slot
  // change puts the slots back into them at once.
  void BindTo(params::ParameterImage& image);

  params::DeviceOptions options;
  keys::KeyAssignments keys;
  perf::DpiPage dpi;
  perf::LightingPage lighting;
  keys::ButtonAssignment assignment;
  // The six base macro slots; in memory mode they name the macros of the labels.
  macros::MacroSlots macroSlots;
  macros::MacroAssignment macroAssignment;
  // In driver mode the copies of the macros that buttons use, which name the
  // macros of the labels, and the assignment that fills them.
  drivermacros::DriverSlotList driverSlots;
  drivermacros::DriverMacroAssignment driverMacroAssignment;
  // The working copy of the ten fire macros, refilled by every split.
  fire::FireMacroTable fireMacros;
  // The burst-fire edits of the Advanced and engineer pages over `options`.
  fire::BurstFireSettings burstFire;
  // The engineer's gun-key list; its file is loaded by the owner of the model.
  fire::GunKeyList gunKeys;
  // Where the labels of macro and gun-key codes come from; the macro store
  // and the engineer page fill it.
  keys::LabelContext labelContext;

  // The language table changed: labels take their texts from `text`, and
  // every button label is made again in the new language.
  void SetLabelTexts(keys::TextLookup text);

  // The key mode whose page ("Office Mode" 1, "Game Mode" 2) shows the buttons.
  int ShownKeyMode() const { return shownKeyMode_; }
  // Opening a key-mode page: the key-mode setting follows it.
  void OpenKeyModePage(int keyMode);
  // Told the stored key mode (1, 2) at the end of every refresh, so the page
  // navigation can show that key mode's page as if its button were pressed.
  std::function<void(int)> storedKeyModeShown;

  // The 18 code strings from the Profile copy, then every control.
  void DataBufToUI(const params::DataBuf& data);
  // Every control from the working copies, in the fixed order.
  void RefreshUI(const params::DataBuf& data);
  // Every control back into the working copies (the Profile copy is kept
  // current by the assignments and is not touched here).
  void UIToDataBuf(params::DataBuf& data) const;

 private:
  int shownKeyMode_ = 1;
};

}  // namespace orbic::app
