#include "app/Navigation.h"

#include <array>

#include "app/Session.h"
#include "base/Hook.h"
#include "base/UiHost.h"

namespace orbic::app {

namespace {

struct PageRow {
  PageButton button;
  int group;
  const char* radio;
  const char* pictureFamily;  // the four copies Img_<family>_1.._4
};

constexpr std::array<PageRow, 6> kPages{{
    {PageButton::kMain, 1, "rb_1", "Img_Main_"},
    {PageButton::kSecond, 1, "rb_2", "Img_Second_"},
    {PageButton::kAdvanced, 2, "rb_4", "Img_Adv_"},
    {PageButton::kBreath, 3, "rb_5", "Img_Breath_"},
    {PageButton::kMacro, 4, "rb_6", "Img_Macro_"},
    {PageButton::kEngineer, kEngineerGroup, "rb_7", "Img_Engineer_"},
}};

constexpr const char* kIdlePicture = "SetS_01";
constexpr const char* kSelectedPicture = "SetS_03";
constexpr int kHeaderCopies = 4;

const PageRow& RowFor(PageButton button) {
  for (const PageRow& row : kPages) {
    if (row.button == button) {
      return row;
    }
  }
  return kPages[0];
}

}  // namespace

void SelectPageButton(PageState& pages, PageButton button) {
  for (const PageRow& row : kPages) {
    const char* picture = row.button == button ? kSelectedPicture : kIdlePicture;
    for (int copy = 1; copy <= kHeaderCopies; ++copy) {
      pages.buttonPictures[row.pictureFamily + std::to_string(copy)] = picture;
    }
  }
}

Navigation::Navigation(Session& session) : session_(session) {
  session_.Settings().storedKeyModeShown = [this](int keyMode) { ShowStoredKeyMode(keyMode); };
}

Navigation::~Navigation() {
  session_.Settings().storedKeyModeShown = nullptr;
}

Navigation::Result Navigation::Click(PageButton button) {
  if (!session_.Channel().IsOpen()) {
    session_.Ui().ShowMessage(session_.Messages().str020, MessageStyle::kDialog);
    return Result::kNoMouse;
  }
  if (session_.NoDeviceState()) {
    return Result::kIgnored;
  }
  CallHook(session_.Hooks().hideAllMenu);
  Select(button);
  return Result::kShown;
}

void Navigation::ShowStoredKeyMode(int keyMode) {
  const bool buttonPageInView = session_.Pages().visibleGroup == 1 ||
                                state_.checkedRadio == "rb_1" || state_.checkedRadio == "rb_2";
  if (buttonPageInView) {
    Select(keyMode == 2 ? PageButton::kSecond : PageButton::kMain);
  }
}

void Navigation::Select(PageButton button) {
  PageState& pages = session_.Pages();
  const PageRow& row = RowFor(button);
  state_.checkedRadio = row.radio;

  SettingsModel& settings = session_.Settings();
  switch (button) {
    case PageButton::kMain:
      settings.OpenKeyModePage(1);
      state_.menuHeight = kMenuHeight;
      state_.comboKey3Shown = false;
      break;
    case PageButton::kSecond:
      settings.OpenKeyModePage(2);
      state_.menuHeight = session_.Config().gdEnable ? kMenuHeightWithComboKey3 : kMenuHeight;
      state_.comboKey3Shown = settings.assignment.ComboKey3Visible(2);
      break;
    case PageButton::kEngineer:
      UnlockFireRecording();
      UnlockEngineer();
      state_.menuHeight = kMenuHeightWithComboKey3;
      break;
    default:
      break;
  }
  pages.visibleGroup = row.group;
  SelectPageButton(pages, button);
  session_.Ui().ModelsChanged();
}

void Navigation::RefreshAPPage() {
  PageState& pages = session_.Pages();
  if (session_.NoDeviceState()) {
    pages.visibleGroup = 1;
  } else if (state_.checkedRadio != "rb_2") {
    for (const PageRow& row : kPages) {
      if (state_.checkedRadio == row.radio) {
        pages.visibleGroup = row.group;
      }
    }
  }
  session_.Ui().ModelsChanged();
}

std::string Navigation::PagePicture(int group, int skin) {
  const int page = group == kEngineerGroup ? 4 : group;
  return "L" + std::to_string(skin) + "_Back" + std::to_string(page);
}

std::pair<int, int> Navigation::WindowSize(int group, std::pair<int, int> background) {
  if (group == kEngineerGroup) {
    return {kEngineerWidth, kEngineerHeight};
  }
  return background;
}

}  // namespace orbic::app
