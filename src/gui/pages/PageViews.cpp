#include "gui/pages/PageViews.h"

#include <string>
#include <vector>

#include "app/Session.h"
#include "gui/pages/AdvancedPageView.h"
#include "gui/pages/ButtonPageView.h"
#include "gui/pages/EngineerPageView.h"
#include "gui/pages/FirePageView.h"
#include "gui/pages/FunctionMenu.h"
#include "gui/pages/LightingPageView.h"
#include "gui/pages/MacroPageView.h"
#include "macros/MacroEditor.h"
#include "ui/LanguageTable.h"

namespace orbic::gui {

namespace {

// The language of the first skin until the skin engine applies captions.
ui::LanguageTable DefaultTexts() {
  std::vector<std::string> problems;
  return ui::LoadLanguageTable(1, problems);
}

class PageViewSet final : public PageViews {
 public:
  PageViewSet(const std::array<QWidget*, 6>& groups, app::Session& session)
      : session_(session), texts_(DefaultTexts()) {
    const auto refresh = [this] { Refresh(); };
    menu_ =
        std::make_unique<FunctionMenu>(groups[0], session.Settings().assignment, texts_, refresh);
    buttons_ = std::make_unique<ButtonPageView>(groups[0], session, texts_, refresh, *menu_);
    advanced_ = std::make_unique<AdvancedPageView>(groups[1], session, texts_, refresh);
    lighting_ = std::make_unique<LightingPageView>(groups[2], session, texts_, refresh);
    macro_ = std::make_unique<MacroPageView>(groups[3], session, texts_, refresh);
    fire_ = std::make_unique<FirePageView>(groups[4], session, texts_, refresh);
    engineer_ = std::make_unique<EngineerPageView>(groups[5], session, texts_, refresh, *menu_);
    menu_->openGunKeys = [this] { engineer_->OpenGunKeys(); };
    views_ = {buttons_.get(), advanced_.get(), lighting_.get(),
              macro_.get(),   fire_.get(),     engineer_.get()};
    // Clicks on the page background (and window drags) close the menus.
    session.Hooks().hideAllMenu = [this] {
      for (PageView* view : views_) {
        view->HideMenus();
      }
      Refresh();
    };
  }

  ~PageViewSet() override {
    session_.Hooks().hideAllMenu = nullptr;
    menu_->openGunKeys = nullptr;
  }
  PageViewSet(const PageViewSet&) = delete;
  PageViewSet& operator=(const PageViewSet&) = delete;

  void Refresh() override {
    // A refresh never starts another one: the views only show values.
    if (refreshing_) {
      return;
    }
    refreshing_ = true;
    for (PageView* view : views_) {
      view->Refresh();
    }
    // "Base Macro" lists the library the macro page shows.
    QStringList names;
    if (macros::MacroEditor* editor = macro_->Editor()) {
      for (const std::string& name : editor->Controls().LB_PCMacroName) {
        names << QString::fromStdString(name);
      }
    }
    menu_->SetMacroNames(names);
    menu_->Refresh();
    refreshing_ = false;
  }

  void SetPointerSettings(perf::PointerSettingsPage* page) override {
    advanced_->SetPointerSettings(page);
  }

  void SetMacroEditor(macros::MacroEditor* editor, macros::MacroRecorder* recorder) override {
    macro_->SetEditor(editor, recorder);
    Refresh();
  }

  void SetMacroFileCommand(std::function<void(MacroFileCommand)> command) override {
    macro_->fileCommand = std::move(command);
    Refresh();
  }

  FunctionMenu& Menu() override { return *menu_; }

  void SetMacroDialogs(std::function<void(macros::MacroEditor&)> show) override {
    macro_->showDialogs = std::move(show);
  }

  void SetFixedLanguage(ui::TermLanguage language) override { engineer_->SetLanguage(language); }

  void SetEngineerCommand(std::function<void(const QString&)> command) override {
    engineer_->command = std::move(command);
  }

  ButtonTestView& ButtonTest() override { return engineer_->ButtonTest(); }

  void SetFireEditDialog(
      std::function<bool(fire::FireContentEditor&, fire::FireEditDialog)> run) override {
    fire_->Content().editDialog = std::move(run);
  }

 private:
  app::Session& session_;
  ui::LanguageTable texts_;
  std::unique_ptr<FunctionMenu> menu_;
  std::unique_ptr<ButtonPageView> buttons_;
  std::unique_ptr<AdvancedPageView> advanced_;
  std::unique_ptr<LightingPageView> lighting_;
  std::unique_ptr<MacroPageView> macro_;
  std::unique_ptr<FirePageView> fire_;
  std::unique_ptr<EngineerPageView> engineer_;
  std::vector<PageView*> views_;
  bool refreshing_ = false;
};

}  // namespace

std::unique_ptr<PageViews> CreatePageViews(const std::array<QWidget*, 6>& groups,
                                           app::Session& session) {
  return std::make_unique<PageViewSet>(groups, session);
}

}  // namespace orbic::gui
