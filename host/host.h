// Driving the host client through its windows. Every routine searches the host's windows afresh
// and keeps nothing between calls; a window that is not found is handle 0, and the steps after
// it act on nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace vfx::host {

using platform::WindowHandle;

// How long the add-on waits for the host to open a window or answer a send, in seconds of host
// silence. The host normally answers within a fraction of a second.
inline constexpr double kHostWaitBound = 10.0;
// Between two looks at the host's windows the add-on sleeps this long unless an event arrives.
inline constexpr double kPollInterval = 0.01;

// Searches and reads.
WindowHandle FindChildByClass(platform::Desktop& desktop, WindowHandle parent,
                              std::string_view className);
WindowHandle FindChildByTitle(platform::Desktop& desktop, WindowHandle parent,
                              std::string_view title);
std::string GetWindowClass(platform::Desktop& desktop, WindowHandle window);
std::string GetWindowCaption(platform::Desktop& desktop, WindowHandle window);
// The window `hops` siblings after `window` in z-order (0 when the siblings run out).
WindowHandle NextSibling(platform::Desktop& desktop, WindowHandle window, int hops);

// Actions on a host window.
void ClickWindow(platform::Desktop& desktop, WindowHandle window);
void FocusWindow(platform::Desktop& desktop, WindowHandle window);

// Waits that keep the add-on's window working. Pause lasts at least `seconds` (none for 0 or
// less) and returns at once when the program is ending; FlushEvents handles pending events 50
// times without waiting.
void Pause(platform::EventPump& events, double seconds);
void FlushEvents(platform::EventPump& events);

// The frontmost host document window when it is a chat room (it has a member list and a
// rich-text box), else 0.
WindowHandle FindChatRoom(platform::Desktop& desktop);

enum class ChatOutcome {
  kPosted,             // the line went into the room's input box and Enter was pressed
  kNoChatRoom,         // no chat room, or no input box where the room keeps it
  kHostNotResponding,  // the host did not take the line within the send bound: nothing sent
  kMayHavePosted,      // the host took the line, then did not answer its Enter: it may be out
  kCancelled,          // the program is ending: nothing more goes to the host
};
// One line at a time: the events it lets run between the text and the Enter must not put
// another line into the same box (the composer's delivery queue sees to that).
[[nodiscard]] ChatOutcome SendChat(const platform::Platform& platform, std::string_view line);
// The same into one chat room, whether or not it is in front (0: no room).
[[nodiscard]] ChatOutcome SendChatInto(const platform::Platform& platform, WindowHandle room,
                                       std::string_view line);
// The room's input box: the window six after its first rich-text box; 0 when there is none.
WindowHandle ChatInputBox(platform::Desktop& desktop, WindowHandle room);

// The name in the host's welcome window caption ("Welcome, " name "!"), or empty text.
std::string GetSignedOnName(platform::Desktop& desktop);

// Opens the host's Keyword window, types the keyword and runs it. False when the Keyword window
// did not open within the bound, or the program is ending.
[[nodiscard]] bool RunKeyword(const platform::Platform& platform, std::string_view keyword);

enum class InstantMessageOutcome {
  kSent,       // the instant message window closed by itself: the host sent it
  kRefused,    // the host showed its notice; the notice and the message window were closed
  kNoAnswer,   // a window never opened, or the host neither sent nor refused within the bound
  kCancelled,  // the program is ending
};
[[nodiscard]] InstantMessageOutcome SendInstantMessage(const platform::Platform& platform,
                                                       std::string_view recipient,
                                                       std::string_view text);
// An instant message window the user has open: `text` into its message box, then its Send, then
// the wait for the window to close or the host's notice. A refusal closes the notice and leaves
// the window as the user had it, to be put right; kNoAnswer when the window lacks its controls.
[[nodiscard]] InstantMessageOutcome SendFromInstantMessageWindow(const platform::Platform& platform,
                                                                 WindowHandle window,
                                                                 std::string_view text);

// Where the user types in the host: the active document window (the document area's active
// child), when the host is the window the user works in.
struct TypingPlace {
  enum class Kind {
    kChatRoom,           // a chat room: its input box
    kInstantMessage,     // a "Send Instant Message" window: its message box
    kHostNotInFront,     // the host is not running, or not the window the user works in
    kNoTypingWindow,     // the active document window is neither
    kHostNotResponding,  // the host did not say which window is active
  };
  Kind kind = Kind::kHostNotInFront;
  WindowHandle window = 0;  // the chat room or the instant message window
  WindowHandle box = 0;     // where the user's line is
};
TypingPlace FindTypingPlace(platform::Desktop& desktop);

// The most of a box's text the add-on reads: past it a line could not be sent anyway.
inline constexpr int kLongestTypedText = 1'000'000;
// The user's own text in a box of the host, character for character; nothing when the box did
// not answer or is gone.
std::optional<std::string> ReadTypedText(platform::Desktop& desktop, WindowHandle box);
// Empties the box, as the fade key takes the line out of it. False when the host did not answer:
// it may still empty the box later, so whatever was taken must be given back after it.
bool EmptyTypedText(platform::Desktop& desktop, WindowHandle box);
// The user's own text back into a box of the host, character for character. A host that does
// not answer now may answer soon: then the text goes back once it does (within the host wait
// bound). False when it could not be put back.
bool GiveBackText(const platform::Platform& platform, WindowHandle box, std::string_view text);

// The add-on's own windows.
void StayOnTop(platform::Desktop& desktop, WindowHandle form);
void NotOnTop(platform::Desktop& desktop, WindowHandle form);
void PlaySoundFile(platform::Desktop& desktop, std::string_view fileName);

}  // namespace vfx::host
