// The native control IDs of the main window, stable across runs, for tests and for outside
// automation: GetDlgItem(main window, CommandId(1)) is "Send to Chat". The controls of Frame1
// are children of the frame: GetDlgItem(GetDlgItem(main window, kFrame1), TextId(3)).
#pragma once

namespace vfx::ui::ids {

// The main window's class name, for FindWindow: "VontraFX." and the form's name.
inline constexpr char kMainWindowClass[] = "VontraFX.ZiruZezuzo";

constexpr int CommandId(int n) { return 1000 + n; }  // Command1 .. Command13
constexpr int CheckId(int n) { return 1100 + n; }    // Check1 .. Check9
constexpr int HScrollId(int n) { return 1200 + n; }  // HScroll1 .. HScroll30
constexpr int LabelId(int n) { return 1300 + n; }    // Label1 .. Label30
constexpr int OptionId(int n) { return 1400 + n; }   // Option1 .. Option12
constexpr int PictureId(int n) { return 1500 + n; }  // the swatches Picture1, 2, 6 .. 13
// The marker squares Picture3 (red), Picture4 (green), Picture5 (blue), index 0 .. 9 by colour.
constexpr int MarkerId(int array, int index) { return 1600 + 10 * (array - 3) + index; }
constexpr int TextId(int n) { return 1700 + n; }  // Text1 .. Text3
inline constexpr int kFrame1 = 1801;
inline constexpr int kImage1 = 1901;

// A control of one kind by the number in its name (Command<n>, Check<n>, ...): the roles below,
// so that code says what a control is rather than its number. A role is no number: its native ID
// is asked for by name, and a check box's role cannot be handed where a button's is wanted.
template <int kFirstId>
struct Numbered {
  int number;
  constexpr int id() const { return kFirstId + number; }  // the native ID
  friend constexpr bool operator==(Numbered, Numbered) = default;
};
using CommandRole = Numbered<1000>;
using CheckRole = Numbered<1100>;
using OptionRole = Numbered<1400>;
using TextRole = Numbered<1700>;

inline constexpr CommandRole kSend{1}, kMinimize{2}, kAdvertise{3}, kSelfTest{4}, kRandomize{5},
    kExit{6}, kDown{7}, kRight{8}, kViewHtml{9}, kHelp{10}, kFrameSend{11}, kLeft{12}, kUp{13};
inline constexpr CheckRole kBold{1}, kItalics{2}, kUnderline{3}, kStrike{4}, kWavy{5},
    kClearText{6}, kOnTop{7}, kRandom{8}, kAttention{9};
inline constexpr OptionRole kSendToRoom{11}, kImSend{12};
inline constexpr TextRole kMessageBox{1}, kHtmlWriter{2}, kRecipient{3};

// The splash window Form1 and its picture, which is clicked to start.
inline constexpr char kSplashWindowClass[] = "VontraFX.Form1";
inline constexpr int kSplashImage1 = 2001;

}  // namespace vfx::ui::ids
