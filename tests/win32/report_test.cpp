// The reports of failed Win32 calls: a success passes untouched and unreported, a failure comes
// back as it was with one line that names its place, its call and its error in the system's
// words.
#include "platform/win32/report.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace vfx::platform::win32 {
namespace {

std::vector<std::wstring> lines;

void Keep(const wchar_t* line) { lines.emplace_back(line); }

class ReportTest : public testing::Test {
 protected:
  void SetUp() override {
    lines.clear();
    previous_ = SetReportSink(Keep);
  }
  void TearDown() override { SetReportSink(previous_); }

 private:
  ReportSink previous_ = nullptr;
};

// The system's own words for an error, as FormatMessageW gives them, without the line break.
std::wstring SystemWords(DWORD error) {
  wchar_t buffer[512] = {};
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, buffer, 512, nullptr);
  while (length > 0 &&
         (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' '))
    --length;
  return std::wstring(buffer, length);
}

std::wstring Expected(int line, const wchar_t* call, const std::wstring& error,
                      const std::wstring& words) {
  return L"report_test.cpp(" + std::to_wstring(line) + L"): " + call + L" failed: " + error +
         (words.empty() ? L"" : L": " + words) + L"\n";
}

TEST_F(ReportTest, ASuccessComesBackUntouchedEvaluatedOnceAndUnreported) {
  int calls = 0;
  auto succeed = [&calls] {
    ++calls;
    return 42;
  };
  EXPECT_EQ(VFX_FAULT_IF_FALSE(succeed()), 42);
  EXPECT_EQ(VFX_REPORT_IF_FALSE(succeed()), 42);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(VFX_FAULT_IF_FALSE(GetDesktopWindow()), GetDesktopWindow());
  // S_FALSE is nonzero and still a success.
  EXPECT_EQ(VFX_FAULT_IF_FAILED(S_FALSE), S_FALSE);
  EXPECT_EQ(VFX_FAULT_IF_FAILED(S_OK), S_OK);
  EXPECT_TRUE(lines.empty());
}

TEST_F(ReportTest, AFalseResultIsReportedWithPlaceCallAndErrorAndComesBackAsItWas) {
  int calls = 0;
  auto refuse = [&calls] {
    ++calls;
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  };
  const int line = __LINE__ + 1;
  const BOOL result = VFX_FAULT_IF_FALSE(refuse());
  EXPECT_EQ(result, FALSE);
  EXPECT_EQ(calls, 1);
  // Code after the call may read the error, as it would without the report.
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], Expected(line, L"refuse()", L"error 5", SystemWords(ERROR_ACCESS_DENIED)));
  EXPECT_FALSE(SystemWords(ERROR_ACCESS_DENIED).empty());
}

TEST_F(ReportTest, ANullHandleFromTheSystemIsReportedWithTheSystemsError) {
  const int line = __LINE__ + 1;
  HWND window = VFX_FAULT_IF_FALSE(CreateWindowExW(0, L"NoSuchClass.ReportTest", L"", WS_POPUP, 0,
                                                   0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(window, nullptr);
  // Windows says ERROR_CANNOT_FIND_WND_CLASS, Wine ERROR_CLASS_DOES_NOT_EXIST: the line says
  // what the system set.
  const DWORD error = GetLastError();
  EXPECT_TRUE(error == ERROR_CANNOT_FIND_WND_CLASS || error == ERROR_CLASS_DOES_NOT_EXIST) << error;
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            Expected(line,
                     L"CreateWindowExW(0, L\"NoSuchClass.ReportTest\", L\"\", WS_POPUP, 0, 0, 10, "
                     L"10, nullptr, nullptr, nullptr, nullptr)",
                     L"error " + std::to_wstring(error), SystemWords(error)));
}

TEST_F(ReportTest, AFailedHresultIsReportedInHexAndComesBackAsItWas) {
  auto noInterface = [] { return static_cast<HRESULT>(0x80004002L); };  // E_NOINTERFACE
  SetLastError(ERROR_INVALID_DATA);
  const int line = __LINE__ + 1;
  EXPECT_EQ(VFX_FAULT_IF_FAILED(noInterface()), static_cast<HRESULT>(0x80004002L));
  // An HRESULT is no last error: the last error stays as it was.
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            Expected(line, L"noInterface()", L"HRESULT 0x80004002", SystemWords(0x80004002L)));
}

TEST_F(ReportTest, AnExpectedFailureIsReportedAlikeAndOneWithoutAnErrorSaysSo) {
  auto taken = [] {
    SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
    return 0;
  };
  auto silent = [] {
    SetLastError(ERROR_SUCCESS);
    return static_cast<void*>(nullptr);
  };
  const int line = __LINE__ + 1;
  EXPECT_EQ(VFX_REPORT_IF_FALSE(taken()), 0);
  EXPECT_EQ(VFX_REPORT_IF_FALSE(silent()), nullptr);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], Expected(line, L"taken()", L"error 1409",
                               SystemWords(ERROR_HOTKEY_ALREADY_REGISTERED)));
  EXPECT_EQ(lines[1], Expected(line + 1, L"silent()", L"no error code", L""));
}

TEST_F(ReportTest, TheSinkGoesBackToTheOneItReplaced) {
  const ReportSink mine = SetReportSink(nullptr);
  EXPECT_EQ(mine, &Keep);
  EXPECT_EQ(SetReportSink(mine), nullptr);
}

}  // namespace
}  // namespace vfx::platform::win32
