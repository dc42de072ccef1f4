// The chat room's transcript: a read-only "RICHCNTL" that shows each posted line the way a
// member sees it, the markup applied.
#pragma once

#include <windows.h>

#include <string_view>

namespace vfx::subhost {

// The transcript's look: white page, the room's default font, read-only.
void PrepareTranscript(HWND transcript);
// "speaker:" in bold, then the line's markup rendered, on a line of its own.
void AppendChatLine(HWND transcript, std::string_view speaker, std::string_view markup);
// A line from the service itself, in its grey italics.
void AppendServiceLine(HWND transcript, std::string_view text);

}  // namespace vfx::subhost
