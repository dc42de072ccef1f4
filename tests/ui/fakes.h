// The message box and the font catalogue, in memory.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/fonts.h"

namespace vfx::testing {

class FakeDialogs : public platform::Dialogs {
 public:
  struct Shown {
    platform::WindowHandle owner;
    std::string caption, text;
  };
  std::vector<Shown> shown;
  // Runs while the box is up.
  std::function<void()> whileShown;

  void ShowMessage(platform::WindowHandle owner, std::string_view caption,
                   std::string_view text) override {
    shown.push_back({owner, std::string(caption), std::string(text)});
    if (whileShown) whileShown();
  }
};

class FakeFonts : public platform::Fonts {
 public:
  std::set<std::string> installed = {"Comic Sans MS", "Wingdings", "Arial"};
  // Faces that draw thin outlines where solid shapes are wanted.
  std::set<std::string> faint;
  bool CanDraw(std::string_view face, bool, std::string_view) override {
    return installed.count(std::string(face)) > 0;
  }
  bool DrawsSolid(std::string_view face, bool, std::string_view, double) override {
    return installed.count(std::string(face)) > 0 && faint.count(std::string(face)) == 0;
  }
};

}  // namespace vfx::testing
