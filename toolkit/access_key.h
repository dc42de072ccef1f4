// Access keys in captions, as the window system marks them: "&Bold" underlines the B, and "&&"
// shows one ampersand. A control's access key is Alt and the letter; a menu item's, the letter
// alone while its menu is open.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vfx::toolkit {

// The caption as it reads aloud: the marks taken out, each "&&" one ampersand.
std::string WithoutAccessKeys(std::string_view caption);

// The characters marked as access keys, in order, each as its UTF-8 bytes with ASCII letters in
// lower case (the window system takes the key in either case). A caption marks one at most; more
// is a fault of the caption. A mark at the very end marks nothing.
std::vector<std::string> AccessKeysOf(std::string_view caption);

}  // namespace vfx::toolkit
