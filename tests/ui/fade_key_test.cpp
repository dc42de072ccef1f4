// The fade key on the in-memory desktop: the whole add-on, a host with a chat room, and the line
// the user typed in the host's own box, faded in its place in its turn among the Sends.
#include <string>
#include <vector>

#include "composer/compose.h"
#include "tests/ui/life_cycle_rig.h"

namespace vfx::ui {
namespace {

class FadeKeyTest : public LifeCycleTest {
 protected:
  FadeKeyTest() {
    Start();
    heardBefore = host.heard.size();
    desktop.foreground = host.frame;
  }

  void Press() { Main().form().native_hot_key(backend.hotKeys.begin()->first); }

  // What a Send composes of `line` now, by the composer's own hand.
  std::string Composed(const std::string& line) {
    ZiruZezuzo& window = Main();
    const auto ticked = [&](int n) { return window.Check(n).value() == 1; };
    return composer::StylePrefix({ticked(1), ticked(2), ticked(3), ticked(4)}) +
           composer::ComposeBody(line, window.SelectedColourCount(), window.Colours(), ticked(5),
                                 window.blend());
  }
  std::vector<std::string> Heard() const {
    return {host.heard.begin() + static_cast<std::ptrdiff_t>(heardBefore), host.heard.end()};
  }
  std::string Status() { return Main().form().caption(); }
  bool StatusSays(const std::string& words) { return Status().ends_with(" - " + words); }
  // The boxes of an instant message window, as the host made them: recipient, then message.
  std::pair<platform::WindowHandle, platform::WindowHandle> BoxesOf(platform::WindowHandle im) {
    const std::vector<platform::WindowHandle> children = desktop.Children(im);
    return {children.at(0), children.at(1)};
  }

  std::size_t heardBefore = 0;
};

TEST_F(FadeKeyTest, TheKeyIsCtrlShiftFAndFadesTheChatLineInItsPlaceAsASendWould) {
  ASSERT_EQ(backend.hotKeys.size(), 1u);
  EXPECT_EQ(platform::HotKeyName(backend.hotKeys.begin()->second), "Ctrl+Shift+F");
  Main().Text(ids::kMessageBox).set_text("the add-on's own line");
  desktop.Type(host.input, "typed in the room");
  const std::string expected = Composed("typed in the room");
  Press();
  EXPECT_EQ(Heard(), std::vector<std::string>{"chat|" + expected});
  EXPECT_EQ(Main().Text(ids::kMessageBox).text(), "the add-on's own line");

  // With Attention ticked the banners come round it, as for a Send.
  Main().Check(ids::kAttention).set_value(1);
  desktop.Type(host.input, "again");
  Press();
  const std::string banner = "chat|" + std::string(composer::AttentionBanner());
  EXPECT_EQ(Heard().size(), 4u);
  EXPECT_EQ(Heard().back(), banner);
  EXPECT_EQ(Heard()[2], "chat|" + Composed("again"));
}

TEST_F(FadeKeyTest, AnInstantMessageGoesFromItsWindowAndARefusalLeavesTheWindowWithTheLine) {
  const platform::WindowHandle im = host.OpenInstantMessageWindow();
  const auto [to, text] = BoxesOf(im);
  desktop.Type(to, "Ann");
  desktop.Type(text, "just for you");
  const std::string expected = Composed("just for you");
  Press();
  EXPECT_EQ(Heard(), std::vector<std::string>{"im|Ann|" + expected});
  EXPECT_FALSE(desktop.Exists(im));

  const platform::WindowHandle refused = host.OpenInstantMessageWindow();
  const auto [toNobody, words] = BoxesOf(refused);
  desktop.Type(toNobody, "Nobody Here");
  desktop.Type(words, "my own words");
  Press();
  EXPECT_EQ(host.Notice(), platform::kNoWindow);
  ASSERT_TRUE(desktop.Exists(refused));
  EXPECT_EQ(desktop.Text(words), "my own words");
  EXPECT_TRUE(StatusSays("The host refused the instant message")) << Status();
}

TEST_F(FadeKeyTest, NothingIsTouchedOutsideTheHostInAnEmptyBoxOrInALineFadedAlready) {
  const std::size_t sentBefore = desktop.sent.size();
  const auto nothingSetInTheRoom = [&] {
    for (std::size_t n = sentBefore; n < desktop.sent.size(); ++n)
      if (desktop.sent[n].window == host.input &&
          desktop.sent[n].message != 0x000D)  // WM_GETTEXT: reading it is all
        return false;
    return true;
  };
  desktop.Type(host.input, "typed");
  desktop.foreground = platform::kNoWindow;
  Press();
  EXPECT_TRUE(StatusSays("Not faded: the host is not in front")) << Status();

  desktop.foreground = host.frame;
  const platform::WindowHandle mail = host.OpenDocumentInFront();
  Press();
  EXPECT_TRUE(StatusSays("Not faded: no chat room or instant message is in front in the host"));
  desktop.Destroy(mail);

  desktop.Type(host.input, "  ");
  Press();
  EXPECT_TRUE(StatusSays("Not faded: nothing is typed there")) << Status();
  desktop.Type(host.input, "<font color=#FF0000>red already");
  Press();
  EXPECT_TRUE(StatusSays("Not faded: the line holds colour tags already")) << Status();
  EXPECT_EQ(desktop.Text(host.input), "<font color=#FF0000>red already");
  EXPECT_TRUE(nothingSetInTheRoom());
  EXPECT_TRUE(Heard().empty());
}

TEST_F(FadeKeyTest, AHostThatStopsAnsweringGetsTheUsersLineBackInTheBox) {
  desktop.Type(host.input, "keep my words");
  // The host takes the markup, then hangs on the Enter, and answers again later.
  desktop.onSend = [&](const testing::SentMessage& message) {
    if (message.window != host.input) return;
    if (message.message == platform::message::kChar) desktop.Hang(host.input);
    if (message.message == platform::message::kSetText && message.text == "keep my words")
      desktop.Hang(host.input, false);
  };
  Press();
  EXPECT_EQ(desktop.Text(host.input), "keep my words");
  EXPECT_TRUE(StatusSays("The host stopped answering: the line may have been sent")) << Status();
}

TEST_F(FadeKeyTest, ALineTheAddOnLeftInTheBoxIsNotTheUsersToTake) {
  // A Send of an empty line with Bold is its style tag alone, no colour tag; the host hangs on
  // its Enter and answers again later, the line still in its box.
  Main().Check(ids::kBold).set_value(1);
  desktop.onSend = [&](const testing::SentMessage& message) {
    if (message.window == host.input && message.message == platform::message::kChar)
      desktop.Hang(host.input);
  };
  Main().Command(ids::kSend).click();
  desktop.onSend = nullptr;
  desktop.Hang(host.input, false);
  ASSERT_EQ(desktop.Text(host.input), "<B>");
  const std::size_t heard = Heard().size();
  Press();
  EXPECT_EQ(Heard().size(), heard);
  EXPECT_EQ(desktop.Text(host.input), "<B>");
  EXPECT_TRUE(StatusSays("Not faded: nothing is typed there")) << Status();
}

TEST_F(FadeKeyTest, TheKeyTakesTheLineAndItTakesItsTurnBehindASend) {
  // An instant message under way: the key in the room meanwhile takes the line out of the box,
  // so that a second press and an Enter there meet an empty box.
  Main().Option(ids::kImSend).click();
  Main().Text(ids::kRecipient).set_text("Ann");
  Main().Text(ids::kMessageBox).set_text("to Ann");
  const std::string toAnn = Composed("to Ann");
  std::string first;
  events.After(0.01, [&] {
    desktop.Type(host.input, "first");
    first = Composed("first");
    Press();
    EXPECT_EQ(desktop.Text(host.input), "");
    Press();
    EXPECT_TRUE(StatusSays("Not faded: nothing is typed there")) << Status();
  });
  Main().Command(ids::kSend).click();
  EXPECT_EQ(Heard(), (std::vector<std::string>{"im|Ann|" + toAnn, "chat|" + first}));

  // Behind an attention Send to the room, whose own lines go out through the same box (which
  // the host empties after each): the line taken at the key goes after them.
  Main().Option(ids::kSendToRoom).click();
  desktop.BringToTop(host.chatRoom);
  Main().Check(ids::kAttention).set_value(1);
  Main().Text(ids::kMessageBox).set_text("outer");
  const std::string outer = Composed("outer");
  std::string second;
  events.After(0.1, [&] {
    desktop.Type(host.input, "second");
    second = Composed("second");
    Press();
  });
  Main().Command(ids::kSend).click();
  const std::string banner = "chat|" + std::string(composer::AttentionBanner());
  const std::vector<std::string> heard = Heard();
  EXPECT_EQ((std::vector<std::string>(heard.begin() + 2, heard.end())),
            (std::vector<std::string>{banner, "chat|" + outer, banner, banner, "chat|" + second,
                                      banner}));

  // Typed on in the box before their turn: the lines go back in front of the new words, in the
  // order they were typed.
  Main().Option(ids::kImSend).click();
  const std::size_t before = Heard().size();
  events.After(0.01, [&] {
    desktop.Type(host.input, "third");
    Press();
    desktop.Type(host.input, "fourth");
    Press();
    desktop.Type(host.input, "and more");
  });
  Main().Command(ids::kSend).click();
  EXPECT_EQ(Heard().size(), before + 1);  // the instant message alone
  EXPECT_EQ(desktop.Text(host.input), "third fourth and more");
  EXPECT_TRUE(
      StatusSays("Not faded: you typed in that box before its turn; the line is back there"))
      << Status();
}

TEST_F(FadeKeyTest, WordsTypedBetweenTheBannersAreNotWrittenOver) {
  Main().Check(ids::kAttention).set_value(1);
  const std::string banner = "chat|" + std::string(composer::AttentionBanner());
  // Begun in the pause after the first banner: the line goes back in front of them.
  desktop.Type(host.input, "faded");
  events.After(0.1, [&] { desktop.Type(host.input, "next"); });
  Press();
  EXPECT_EQ(Heard(), std::vector<std::string>{banner});
  EXPECT_EQ(desktop.Text(host.input), "faded next");

  // Begun after the message: the message stands and the closing banner is left out.
  desktop.Type(host.input, "once");
  const std::string once = Composed("once");
  events.After(0.4, [&] { desktop.Type(host.input, "later"); });
  Press();
  EXPECT_EQ(Heard(), (std::vector<std::string>{banner, banner, "chat|" + once}));
  EXPECT_EQ(desktop.Text(host.input), "later");
}

TEST_F(FadeKeyTest, ALineWhoseWindowClosedOrThatWaitsAtExitIsNeverLost) {
  Main().Text(ids::kMessageBox).set_text("mine");
  Main().Check(ids::kAttention).set_value(1);
  // The room closes while the line waits behind an attention Send: the line goes into the
  // add-on's box, after its own text.
  events.After(0.1, [&] {
    desktop.Type(host.input, "for a closed room");
    Press();
    desktop.Destroy(host.chatRoom);
  });
  Main().Command(ids::kSend).click();
  EXPECT_EQ(Main().Text(ids::kMessageBox).text(), "mine\r\nfor a closed room");
  EXPECT_TRUE(StatusSays("Not sent: the chat room was closed; the line is in the message box"))
      << Status();

  // So does an instant message window the user closed while its line waited.
  host.ReopenChatRoom();
  Main().Check(ids::kAttention).set_value(0);
  Main().Text(ids::kMessageBox).set_text("");
  const platform::WindowHandle im = host.OpenInstantMessageWindow();
  desktop.BringToTop(im);
  desktop.Type(BoxesOf(im).first, "Ann");
  desktop.Type(BoxesOf(im).second, "for a closed window");
  Main().Option(ids::kImSend).click();
  events.After(0.01, [&] {
    Press();
    desktop.Destroy(im);
  });
  Main().Command(ids::kSend).click();
  EXPECT_EQ(Main().Text(ids::kMessageBox).text(), "for a closed window");
  EXPECT_TRUE(
      StatusSays("Not sent: the instant message window was closed; the line is in the message box"))
      << Status();

  // Exit while a line waits: the closing lines go out, then the line is back in its box.
  Main().Option(ids::kSendToRoom).click();
  Main().Check(ids::kAttention).set_value(1);
  desktop.BringToTop(host.chatRoom);
  const std::size_t before = Heard().size();
  events.After(0.1, [&] {
    desktop.Type(host.input, "still mine");
    Press();
    desktop.Type(host.input, "in order");
    Press();
    Main().Command(ids::kExit).click();
  });
  Main().Command(ids::kSend).click();
  EXPECT_EQ(desktop.Text(host.input), "still mine in order");
  EXPECT_EQ(Heard().size(), before + 3);  // the banner, then the two closing lines
}

TEST_F(FadeKeyTest, TheSystemMenuTurnsTheKeyOffAndChangesItAndTheFileKeepsBoth) {
  toolkit::Menu& menu = Main().form().system_menu();
  ASSERT_EQ(menu.items().size(), 2u);
  EXPECT_EQ(menu.items()[0]->caption(), "Fade &Where You Type\tCtrl+Shift+F");
  EXPECT_TRUE(menu.items()[0]->is_checked());
  menu.choose(*menu.items()[0]);
  EXPECT_TRUE(backend.hotKeys.empty());
  ASSERT_TRUE(settingsFile.bytes);
  EXPECT_NE(settingsFile.bytes->find("FadeWhereYouType=off"), std::string::npos);

  dialogs.hotKeyAnswers.push_back(platform::HotKey{.key = 'G', .control = true, .alt = true});
  EXPECT_FALSE(menu.items()[0]->is_checked());
  menu.choose(*menu.items()[1]);
  EXPECT_NE(settingsFile.bytes->find("FadeKey=Ctrl+Alt+G"), std::string::npos);
  EXPECT_TRUE(backend.hotKeys.empty());  // still off

  // Taken by another program: the item says so, the caption once, and nothing else changes.
  backend.takenHotKeys.insert("Ctrl+Alt+G");
  menu.choose(*menu.items()[0]);
  EXPECT_TRUE(StatusSays("Ctrl+Alt+G is in use by another program: no fade key")) << Status();
  EXPECT_EQ(menu.items()[0]->caption(), "Fade &Where You Type\tCtrl+Alt+G (in use elsewhere)");
}

// What start-up makes of the file: the user's words in any case; a file it cannot read, or a key
// that would take a bare key from every program, leaves the key off and says why once.
class FadeKeyStartTest : public LifeCycleTest {
 protected:
  std::string StartWith(std::string file) {
    settingsFile.bytes = std::move(file);
    Start();
    return Main().form().caption();
  }
};

TEST_F(FadeKeyStartTest, TheUsersOffInAnyCaseKeepsTheKeyOff) {
  EXPECT_EQ(StartWith("[vontra fx]\r\nFadeWhereYouType = Off\r\nFadeKey=alt+f9\r\n"),
            "Vontra FX - 3 Colors");
  EXPECT_TRUE(backend.hotKeys.empty());
  toolkit::Menu& menu = Main().form().system_menu();
  EXPECT_EQ(menu.items()[0]->caption(), "Fade &Where You Type\tAlt+F9");
}

TEST_F(FadeKeyStartTest, AnUnreadableFileLeavesTheKeyOffAndSaysWhy) {
  EXPECT_EQ(StartWith("FadeWhereYouType=off\r\n\xFF"),
            "Vontra FX - 3 Colors - Fade key off: vontrafx.ini is not UTF-8 text");
  EXPECT_TRUE(backend.hotKeys.empty());
}

TEST_F(FadeKeyStartTest, AKeyWithoutCtrlAltOrWinIsRefused) {
  EXPECT_EQ(StartWith("[Vontra FX]\r\nFadeKey=F\r\n"),
            "Vontra FX - 3 Colors - Fade key off: F needs Ctrl, Alt or Win");
  EXPECT_TRUE(backend.hotKeys.empty());
  // Nor may the dialog choose one.
  dialogs.hotKeyAnswers.push_back(platform::HotKey{.key = 0x78, .shift = true});
  toolkit::Menu& menu = Main().form().system_menu();
  menu.choose(*menu.items()[1]);
  EXPECT_TRUE(
      Main().form().caption().ends_with("Fade key not changed: Shift+F9 needs Ctrl, Alt or Win"));
}

}  // namespace
}  // namespace vfx::ui
