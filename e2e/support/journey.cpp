#include "e2e/support/journey.h"

#include <array>

#include "e2e/support/host_windows.h"
#include "e2e/support/unix_program.h"
#include "platform/win32/text.h"
#include "ui/control_ids.h"

namespace vfx::e2e {

namespace ids = ui::ids;

::testing::AssertionResult SameBytes(const std::string& received, const std::string& expected) {
  if (received == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < received.size() && at < expected.size() && received[at] == expected[at]) ++at;
  const auto around = [&](const std::string& text) {
    const std::size_t from = at < 40 ? 0 : at - 40;
    return ToHex(text.substr(from, 80));
  };
  return ::testing::AssertionFailure()
         << "sizes " << received.size() << " and " << expected.size() << ", first difference at "
         << at << "\n  received " << around(received) << "\n  expected " << around(expected);
}

std::string Ansi(std::string_view utf8) { return platform::win32::ToAnsi(utf8).value(); }

std::string Prose(std::size_t characters) {
  std::string line;
  const std::string_view pattern = "The quick brown fox jumps over the lazy dog. ";
  while (line.size() < characters) line += pattern.substr(0, characters - line.size());
  return line;
}

HWND ChatRoomWindow() {
  for (HWND document : Children(HostDocumentArea()))
    if (ChildOfClass(document, "_AOL_Listbox") && ChildOfClass(document, "RICHCNTL"))
      return document;
  return nullptr;
}

HWND ChatInputBox() { return Hop(ChildOfClass(ChatRoomWindow(), "RICHCNTL"), 6); }

void BringChatRoomToFront() {
  SendMessageA(HostDocumentArea(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(ChatRoomWindow()), 0);
}

void Journey::Start(std::vector<std::string> hostOptions) {
  ASSERT_NO_FATAL_FAILURE(StartHost(std::move(hostOptions)));
  ASSERT_NO_FATAL_FAILURE(StartAddOn());
  chatsBefore_ = host_->Events("chat").size();
}

void Journey::StartHost(std::vector<std::string> options) {
  host_.reset();
  ASSERT_TRUE(WaitUntil([] { return HostFrame() == nullptr; }, 10)) << "the old host stayed";
  host_ = std::make_unique<HostProcess>(std::move(options));
  ASSERT_TRUE(host_->ready()) << "the host did not start";
  chatsBefore_ = 0;
}

void Journey::StartAddOn() {
  addOn_ = std::make_unique<AddOnProcess>();
  ASSERT_NE(addOn_->window(), nullptr) << "the add-on's main window did not appear";
}

void Journey::Type(const std::string& line) {
  addOn().Type(line);
  ASSERT_EQ(addOn().Text(ids::kMessageBox), line);
}

void Journey::AwaitClicksHandled() {
  const HWND recipient = addOn().Control(ids::kRecipient);
  marker_ = marker_ % 7 + 1;  // within "To Whom?" or any recipient of eight characters
  PostMessageW(recipient, EM_SETSEL, static_cast<WPARAM>(marker_), marker_);
  ASSERT_TRUE(WaitUntil(
      [&] {
        DWORD start = 0, end = 0;
        SendMessageW(recipient, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return start == static_cast<DWORD>(marker_) && end == static_cast<DWORD>(marker_);
      },
      30))
      << "the window did not get to its posted clicks";
}

void Journey::Tick(ui::ids::CheckRole box, bool ticked) {
  ASSERT_TRUE(addOn().SetTicked(box, ticked)) << "Check" << box.number;
}

composer::Styles Journey::StylesOnTheWindow() const {
  return {.bold = addOn().IsTicked(ids::kBold),
          .italics = addOn().IsTicked(ids::kItalics),
          .underline = addOn().IsTicked(ids::kUnderline),
          .strike = addOn().IsTicked(ids::kStrike)};
}

std::string Journey::MessageFromTheWindow(const std::string& line) const {
  std::array<fade::Rgb, 10> colours;
  for (int k = 1; k <= 10; ++k) colours[k - 1] = addOn().Colour(k);
  return composer::StylePrefix(StylesOnTheWindow()) +
         composer::ComposeBody(line, addOn().SelectedColourCount(), colours,
                               addOn().IsTicked(ids::kWavy));
}

std::vector<LogEvent> Journey::NewChats() const {
  std::vector<LogEvent> chats = host_->Events("chat");
  chats.erase(chats.begin(), chats.begin() + static_cast<std::ptrdiff_t>(chatsBefore_));
  return chats;
}

bool Journey::WaitForNewChats(std::size_t count, double seconds) const {
  return host_->WaitForEvents("chat", chatsBefore_ + count, seconds);
}

std::string Journey::SendCaption() const { return ControlTextUtf8(addOn().Control(ids::kSend)); }

bool Journey::WaitForCaption(const std::string& caption, double seconds) const {
  return WaitUntil([&] { return addOn().Caption() == caption; }, seconds);
}

bool Journey::WaitForStatus(std::string_view status, double seconds) const {
  const std::string ending = " - " + std::string(status);
  return WaitUntil([&] { return addOn().Caption().ends_with(ending); }, seconds);
}

bool Journey::Answers() const {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(addOn().window(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer) != 0;
}

void Journey::Keys(const std::string& arguments) {
  KeysToTheFocus("search --sync --onlyvisible --name '^Vontra FX' windowfocus --sync " + arguments);
}

void Journey::KeysToTheFocus(const std::string& arguments) {
  const UnixRun run = RunUnixProgram("xdotool " + arguments, 20);
  EXPECT_TRUE(run.started) << "xdotool did not start";
  EXPECT_TRUE(run.ended && run.status == 0)
      << "xdotool " << arguments << ": " << (run.ended ? "exit status " : "still running")
      << (run.ended ? std::to_string(run.status) : std::string());
}

}  // namespace vfx::e2e
