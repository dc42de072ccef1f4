// Every class, caption and keyword of the host client that the add-on relies on, and the fixed
// z-order hops to its controls. Nothing else of the host is assumed anywhere.
#pragma once

#include <string_view>

namespace vfx::host::table {

inline constexpr std::string_view kMainFrameClass = "AOL Frame25";
inline constexpr std::string_view kMainFrameCaption = "America  Online";  // two blanks
inline constexpr std::string_view kDocumentAreaClass = "MDIClient";
inline constexpr std::string_view kDocumentWindowClass = "AOL Child";
inline constexpr std::string_view kMemberListClass = "_AOL_Listbox";
inline constexpr std::string_view kRichTextClass = "RICHCNTL";
inline constexpr std::string_view kOuterToolbarClass = "AOL Toolbar";
inline constexpr std::string_view kInnerToolbarClass = "_AOL_Toolbar";
inline constexpr std::string_view kPushButtonClass = "_AOL_Icon";
inline constexpr std::string_view kKeywordWindowCaption = "Keyword";
inline constexpr std::string_view kEditClass = "_AOL_Edit";
inline constexpr std::string_view kBuddyListCaption = "Buddy List Window";
inline constexpr std::string_view kBuddyListKeyword = "BuddyView";
inline constexpr std::string_view kInstantMessageCaption = "Send Instant Message";
inline constexpr std::string_view kNoticeClass = "#32770";
inline constexpr std::string_view kNoticeCaption = "America Online";  // one blank
inline constexpr std::string_view kWelcomeCaption = "Welcome, ";

// Siblings to step over (of every class) from the first child named, to reach the control. The
// Keyword window's button that runs the keyword is its first push button itself.
inline constexpr int kChatInputHops = 6;             // from the room's first rich-text box
inline constexpr int kKeywordButtonHops = 20;        // from the inner toolbar's first push button
inline constexpr int kInstantMessageButtonHops = 2;  // from the buddy list's first push button
inline constexpr int kSendButtonHops = 9;            // from the instant message window's first

}  // namespace vfx::host::table
