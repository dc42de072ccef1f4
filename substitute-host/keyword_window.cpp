#include "substitute-host/controls.h"
#include "substitute-host/documents.h"
#include "substitute-host/host_app.h"

namespace vfx::subhost {
namespace {

enum : int { kEditId = 1, kGoId, kListId, kHelpId };
constexpr UINT kLingerMs = 400;

}  // namespace

KeywordWindow::KeywordWindow(HostApp& app) : Document(app, "Keyword", {420, 140}) {}

void KeywordWindow::CreateControls() {
  CreateControl(window_, {.text = "Type a keyword or Web address here, and click Go:",
                          .x = 10,
                          .y = 10,
                          .width = 390,
                          .height = 16});
  edit_ = CreateControl(window_, {.className = kEditClass,
                                  .x = 10,
                                  .y = 32,
                                  .width = 310,
                                  .height = 24,
                                  .id = kEditId,
                                  .style = ES_AUTOHSCROLL | WS_TABSTOP,
                                  .exStyle = WS_EX_CLIENTEDGE});
  // Go is the window's first push button.
  CreateControl(window_, {.className = kIconClass,
                          .text = "Go",
                          .x = 326,
                          .y = 32,
                          .width = 70,
                          .height = 24,
                          .id = kGoId});
  CreateControl(window_, {.className = kIconClass,
                          .text = "Keyword List",
                          .x = 10,
                          .y = 66,
                          .width = 100,
                          .height = 24,
                          .id = kListId});
  CreateControl(window_, {.className = kIconClass,
                          .text = "Help",
                          .x = 116,
                          .y = 66,
                          .width = 60,
                          .height = 24,
                          .id = kHelpId});
}

void KeywordWindow::OnCommand(int id, WORD code, HWND) {
  if ((id == kGoId && code == kIconClicked) || (id == kEditId && code == kEditEnter)) Run();
}

// The keyword runs once. The window lingers a moment, so that a second press of Go right after
// the first still lands on it (and does nothing) instead of racing its closing.
void KeywordWindow::Run() {
  const std::string keyword = WindowText(edit_);
  if (ran_ || keyword.empty()) return;
  ran_ = true;
  app_.RunKeyword(keyword);
  CloseAfter(kLingerMs);
}

}  // namespace vfx::subhost
