// The chat room's transcript: the room's read-only "RICHCNTL". It draws each posted line the
// way a member sees it, with the markup applied, wrapping long lines under the text column.
//
// A "RICHCNTL" created with ES_READONLY is a transcript; any other is the rich edit control
// (the instant message box). The transcript draws its runs itself: the rich edit available
// here draws runs of single characters in the wrong weight and ignores raised or lowered text,
// which is exactly what a faded line is made of.
#pragma once

#include <windows.h>

#include <string_view>

namespace vfx::subhost {

// Called by the "RICHCNTL" window procedure: makes the window a transcript when it is created
// read-only, and answers its messages. False when the window is not a transcript.
bool HandleTranscriptMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT* result);

// "speaker:" in bold, then the line's markup rendered, at the text column.
void AppendChatLine(HWND transcript, std::string_view speaker, std::string_view markup);
// A line from the service itself, in grey italics.
void AppendServiceLine(HWND transcript, std::string_view text);

}  // namespace vfx::subhost
