// The store over the file: an unreadable file is never written, a save made meanwhile by another
// copy of the add-on survives, and a failed write leaves the file as it was.
#include "settings/store.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/support/fake_settings_file.h"

namespace vfx::settings {
namespace {

using testing::FakeSettingsFile;

const Scheme kSunset{"Sunset", {{255, 128, 0}, {192, 64, 128}, {32, 64, 192}}, SchemeBlend::kEven};
const Scheme kSea{"Sea", {{0, 0, 255}}};

TEST(Store, ASavedSchemeIsFoundAgainAndTheSameSaveWritesNothing) {
  FakeSettingsFile file;
  Store store(file);
  store.Load();
  EXPECT_TRUE(store.readable() && store.schemes().empty());
  EXPECT_TRUE(store.Save(kSunset).done());
  Store later(file);
  later.Load();
  EXPECT_EQ(later.Find("Sunset"), kSunset);
  EXPECT_TRUE(later.Save(kSunset).done());
  EXPECT_EQ(file.replaces, 1);
}

TEST(Store, AFileItCannotReadIsReportedAndNeverWritten) {
  struct Case {
    std::string bytes;
    bool isFolder, denied;
    Problem problem;
  };
  const std::string valid = "[Saved Colours]\r\nName=A\r\nCount=1\r\nColours=000000\r\n";
  const Case cases[] = {
      {std::string("\xFF\xFE[\0S\0a\0", 8), false, false, Problem::kNotText},
      {"Name=M\xFC"
       "ller\r\n",
       false, false, Problem::kNotText},
      {valid + "; cut inside \xE2\x82", false, false, Problem::kNotText},
      {valid + std::string(platform::kSettingsFileMaxBytes, ';'), false, false, Problem::kTooLarge},
      {"", true, false, Problem::kFolder},
      {valid, false, true, Problem::kDenied},
  };
  for (const Case& c : cases) {
    FakeSettingsFile file;
    file.bytes = c.bytes;
    file.isFolder = c.isFolder;
    file.denied = c.denied;
    Store store(file);
    store.Load();
    EXPECT_FALSE(store.readable());
    EXPECT_EQ(store.problem().problem, c.problem);
    EXPECT_TRUE(store.schemes().empty());
    EXPECT_EQ(store.Save(kSea).problem, c.problem);
    EXPECT_FALSE(store.Delete("A").done());
    EXPECT_FALSE(store.SetSetting("Vontra FX", "FadeKey", "F8").done());
    EXPECT_EQ(file.replaces, 0);
    EXPECT_EQ(*file.bytes, c.bytes);
  }
}

TEST(Store, ASchemeSavedMeanwhileByAnotherCopyIsKept) {
  FakeSettingsFile file;
  file.bytes = "; shared\n";
  Store first(file), second(file);
  first.Load();
  second.Load();
  EXPECT_TRUE(first.Save(kSunset).done());
  // The second copy still shows what it loaded, but saves into what is there now.
  EXPECT_TRUE(second.schemes().empty());
  EXPECT_TRUE(second.Save(kSea).done());

  // Another copy cannot save inside this one's save: it finds the lock held.
  Store third(file);
  const Scheme dusk{"Dusk", {{9, 9, 9}}};
  const int start = file.reads;
  file.onRead = [&](int read) {
    if (read != start + 2) return;  // the third store's read just before its write
    file.onRead = nullptr;
    EXPECT_EQ(first.Save(dusk).problem, Problem::kBusy);
    // An editor, which knows no lock, may: its text is kept.
    *file.bytes += "\n[Saved Colours]\nName=Dusk\nCount=1\nColours=090909\n";
  };
  EXPECT_TRUE(third.Save(Scheme{"Sunset", {{1, 2, 3}}}).done());
  Store check(file);
  check.Load();
  const std::vector<Scheme> all = check.schemes();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0], (Scheme{"Sunset", {{1, 2, 3}}}));
  EXPECT_EQ(all[1], kSea);
  EXPECT_EQ(all[2], dusk);
  EXPECT_TRUE(file.bytes->starts_with("; shared\n"));
}

TEST(Store, AFileThatKeepsChangingIsLeftToWhoeverChangesIt) {
  FakeSettingsFile file;
  file.bytes = "";
  file.onRead = [&](int read) { *file.bytes += "; " + std::to_string(read) + "\n"; };
  Store store(file);
  const Outcome outcome = store.Save(kSea);
  EXPECT_FALSE(outcome.done());
  EXPECT_EQ(outcome.problem, Problem::kKeptChanging);
  EXPECT_EQ(file.replaces, 0);
}

TEST(Store, AWriteThatFailsLeavesTheFileAsItWas) {
  FakeSettingsFile file;
  file.bytes = "[Saved Colours]\nName=Sea\nCount=1\nColours=0000FF\n";
  const std::string before = *file.bytes;
  file.diskFullAfter = 20;
  Store store(file);
  const Outcome outcome = store.Save(kSunset);
  EXPECT_FALSE(outcome.done());
  EXPECT_EQ(outcome, (Outcome{Problem::kNotSaved, "the disk is full"}));
  EXPECT_EQ(*file.bytes, before);
  EXPECT_FALSE(store.Find("Sunset").has_value());
  EXPECT_EQ(store.Find("Sea"), kSea);
}

TEST(Store, EveryChangeHoldsTheLockAndNeitherABusyLockNorAReadOnlyFileIsWrittenOver) {
  FakeSettingsFile file;
  file.bytes = "; mine\n";
  Store store(file);
  EXPECT_TRUE(store.Save(kSea).done());
  EXPECT_TRUE(store.Delete("Sea").done());
  EXPECT_TRUE(store.SetSetting("Vontra FX", "FadeKey", "F8").done());
  EXPECT_EQ(file.replaces, 3);
  EXPECT_EQ(file.replacesUnlocked, 0);
  EXPECT_FALSE(file.locked);

  const std::string before = *file.bytes;
  file.heldElsewhere = true;
  EXPECT_EQ(store.Save(kSunset).problem, Problem::kBusy);
  file.heldElsewhere = false;
  file.readOnly = true;
  EXPECT_EQ(store.Save(kSunset).problem, Problem::kReadOnly);
  EXPECT_EQ(*file.bytes, before);
  EXPECT_FALSE(file.locked);
}

TEST(Store, AFileIsNeverMadeLargerThanItWouldReadBack) {
  FakeSettingsFile file;
  file.bytes = std::string(platform::kSettingsFileMaxBytes - 40, ';');
  Store store(file);
  const Outcome outcome = store.Save(kSunset);
  EXPECT_EQ(outcome.problem, Problem::kWouldGrowTooLarge);
  EXPECT_EQ(file.replaces, 0);
}

TEST(Store, SettingsAreReadAndChangedByTheirSectionAndKey) {
  FakeSettingsFile file;
  file.bytes = "; keys\r\n[vontra fx]\r\nfadekey = F8 ; not a comment\r\nOther=1\r\n; end\r\n";
  Store store(file);
  store.Load();
  EXPECT_EQ(store.Setting("Vontra FX", "FadeKey"), "F8 ; not a comment");
  EXPECT_FALSE(store.Setting("Vontra FX", "Missing").has_value());
  EXPECT_FALSE(store.Setting("Elsewhere", "FadeKey").has_value());

  EXPECT_TRUE(store.SetSetting("Vontra FX", "FadeKey", "F9").done());
  EXPECT_TRUE(store.SetSetting("Vontra FX", "Sound", "off").done());
  EXPECT_TRUE(store.SetSetting("Window", "Left", "120").done());
  EXPECT_EQ(*file.bytes,
            "; keys\r\n[vontra fx]\r\nfadekey = F9\r\nOther=1\r\nSound=off\r\n; end\r\n\r\n"
            "[Window]\r\nLeft=120\r\n");
  EXPECT_EQ(store.Setting("window", "left"), "120");

  for (auto [section, key, value] : {std::array<std::string_view, 3>{"Vontra FX", "a=b", "v"},
                                     {"Vontra FX", "k", "two\nlines"},
                                     {"Saved Colours", "Name", "v"}})
    EXPECT_FALSE(store.SetSetting(section, key, value).done()) << section << "|" << key;
  EXPECT_EQ(file.replaces, 3);
}

}  // namespace
}  // namespace vfx::settings
