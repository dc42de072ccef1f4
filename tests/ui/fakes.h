// The message box, the questions and the font catalogue, in memory. The questions answer from
// scripts, first first; an empty script answers as Cancel (or No) would.
#pragma once

#include <deque>
#include <functional>
#include <optional>
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

  enum class Kind { kText, kYesNo, kHotKey };
  struct Asked {
    Kind kind;
    platform::WindowHandle owner;
    std::string caption, prompt;  // the prompt, or the question's text
    std::string initial;          // the text box's starting text
    platform::HotKey current;     // the hot key's
  };
  std::vector<Asked> asked;
  std::deque<std::optional<std::string>> textAnswers;
  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<platform::HotKey>> hotKeyAnswers;

  std::optional<std::string> AskText(platform::WindowHandle owner, std::string_view caption,
                                     std::string_view prompt, std::string_view initial) override {
    asked.push_back(
        {Kind::kText, owner, std::string(caption), std::string(prompt), std::string(initial), {}});
    if (whileShown) whileShown();
    return Next(textAnswers, std::optional<std::string>());
  }
  bool AskYesNo(platform::WindowHandle owner, std::string_view caption,
                std::string_view text) override {
    asked.push_back({Kind::kYesNo, owner, std::string(caption), std::string(text), {}, {}});
    if (whileShown) whileShown();
    return Next(yesNoAnswers, false);
  }
  std::optional<platform::HotKey> AskHotKey(platform::WindowHandle owner, std::string_view caption,
                                            std::string_view prompt,
                                            const platform::HotKey& current) override {
    asked.push_back({Kind::kHotKey, owner, std::string(caption), std::string(prompt), {}, current});
    if (whileShown) whileShown();
    return Next(hotKeyAnswers, std::optional<platform::HotKey>());
  }

 private:
  template <typename T>
  static T Next(std::deque<T>& script, T cancel) {
    if (script.empty()) return cancel;
    T answer = std::move(script.front());
    script.pop_front();
    return answer;
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
