#pragma once

#include <string>
#include <utility>

// The page buttons of the header, the page radios and the two unlock
// gestures: which page group shows and how the window is sized for it.
namespace orbic::app {

class Session;
struct PageState;

enum class PageButton { kMain, kSecond, kAdvanced, kBreath, kMacro, kEngineer };

// Height of the key function menus Pnl_Main and Pnl_Special: 194 leaves room
// for the third key-mode switch option.
inline constexpr int kMenuHeight = 170;
inline constexpr int kMenuHeightWithComboKey3 = 194;
inline constexpr int kEngineerGroup = 6;
inline constexpr int kEngineerWidth = 1000;
inline constexpr int kEngineerHeight = 600;

struct NavigationState {
  std::string checkedRadio = "rb_1";  // the page radio that records the current page
  int menuHeight = kMenuHeight;
  bool comboKey3Shown = false;      // IB_ComboKey3 / Img_ComboKey3
  bool fireRecordingShown = false;  // Btn_FireStart, LB_FireMacro, ...
  bool engineerUnlocked = false;    // ts_Engineer, Btn_Default, gbLEDType, ...
};

// The four header copies' page-button pictures with `button`'s selected and
// every other page button idle.
void SelectPageButton(PageState& pages, PageButton button);

class Navigation {
 public:
  // Follows the stored key mode of every image the settings show.
  explicit Navigation(Session& session);
  ~Navigation();
  Navigation(const Navigation&) = delete;
  Navigation& operator=(const Navigation&) = delete;

  enum class Result {
    kShown,
    kNoMouse,  // "Finding the specified device" was shown
    kIgnored,  // no device state: the click does nothing
  };
  Result Click(PageButton button);
  // An image holding key mode 1 or 2 was shown: while the button page is the
  // page in view, its "Office Mode" or "Game Mode" page is selected by the
  // same rules as a click on that page button (radio, page-button pictures,
  // menu height, the third switch option). Another open page stays.
  void ShowStoredKeyMode(int keyMode);
  // After a skin change: the group of the checked radio, or group 1 while
  // no mouse is ready.
  void RefreshAPPage();
  // Double-click on the fire page background / the engineer logo strip.
  void UnlockFireRecording() { state_.fireRecordingShown = true; }
  void UnlockEngineer() { state_.engineerUnlocked = true; }

  const NavigationState& State() const { return state_; }
  // "L<skin>_Back<n>" for page group 1..6 (the engineer page uses the macro
  // page's picture).
  static std::string PagePicture(int group, int skin);
  // The window size for a group: the background's, or 1000 x 600 for the
  // engineer page.
  static std::pair<int, int> WindowSize(int group, std::pair<int, int> background);

 private:
  void Select(PageButton button);

  Session& session_;
  NavigationState state_;
};

}  // namespace orbic::app
