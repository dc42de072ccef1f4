// The host's own control classes: "_AOL_Icon" push buttons, and the standard controls
// superclassed under the host's class names ("_AOL_Edit", "_AOL_Listbox", "_AOL_Static",
// "_AOL_Tree", and "RICHCNTL" over the rich edit control).
#pragma once

#include <windows.h>

#include <string>

namespace vfx::subhost {

// WM_COMMAND notification an "_AOL_Edit" sends its parent when Enter is pressed in it
// (WM_CHAR 13, typed or sent): the parent acts on the box's text at once.
inline constexpr WORD kEditEnter = 0x7E01;
// WM_COMMAND notification of an "_AOL_Icon" click (the same code as a standard button's).
inline constexpr WORD kIconClicked = BN_CLICKED;

inline constexpr char kIconClass[] = "_AOL_Icon";
inline constexpr char kEditClass[] = "_AOL_Edit";
inline constexpr char kListClass[] = "_AOL_Listbox";
inline constexpr char kStaticClass[] = "_AOL_Static";
inline constexpr char kTreeClass[] = "_AOL_Tree";
inline constexpr char kRichTextClass[] = "RICHCNTL";

// False when a class could not be registered (the rich edit library is missing, say).
bool RegisterControlClasses(HINSTANCE instance);
// A slow host: every text another program sets takes this long before the control answers.
void SetOutsideTextDelay(int milliseconds);
// How long the window thread takes over an Enter that another program presses in a box.
void SetOutsideEnterDelay(int milliseconds);

struct ControlArgs {
  const char* className = kStaticClass;
  const char* text = "";
  int x = 0, y = 0, width = 0, height = 0;
  int id = 0;
  DWORD style = 0;  // added to WS_CHILD | WS_VISIBLE
  DWORD exStyle = 0;
  HFONT font = nullptr;  // the interface font when empty
};

// A child at the bottom of the parent's z-order: controls are created in the order the add-on
// counts them.
HWND CreateControl(HWND parent, const ControlArgs& args);

HFONT InterfaceFont();
HFONT InterfaceBoldFont();
HFONT SmallFont();

// Sets a control's text from the host's own code: not recorded as text received from outside.
void SetOwnText(HWND control, const char* text);

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// The caption of the document window (or frame) a control lives in.
std::string OwningCaption(HWND control);
// Its place among its siblings in z-order, counted from 0 at the parent's first child.
int SiblingIndex(HWND window);

}  // namespace vfx::subhost
