// Positions and sizes in twips: 1440 to the inch, 15 to the pixel at 96 dots per inch.
#pragma once

namespace vfx::toolkit {

// A control's place in its container's client area (a frame's children: in the frame).
struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

// A form's outer size. Single precision, as the resizing loops compute it.
struct Size {
  float width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace vfx::toolkit
