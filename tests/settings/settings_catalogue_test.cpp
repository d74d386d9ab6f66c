// SPDX-License-Identifier: MIT
// The catalogue read on a real store: names, per-reader defaults, and how
// read results are taken as flags and texts.
#include "settings/settings_catalogue.h"

#include <gtest/gtest.h>

#include "settings/setting_values.h"
#include "tests/settings/store_fixture.h"

namespace vorlix {
namespace {

class CatalogueTest : public test::StoreTest {
 protected:
  CatalogueTest() { BindSettingsStore(main_, "TForm1", "RegFile1"); }
  TRegFile main_;
};

const FolderSlot& Slot(std::string_view prefix) {
  for (const FolderSlot& slot : kFolderSlots) {
    if (slot.prefix == prefix) return slot;
  }
  throw std::invalid_argument(std::string(prefix));
}

TEST_F(CatalogueTest, AnEmptyStoreReadsAsTheFirstStartSees) {
  for (const FolderSlot& slot : kFolderSlots) {
    EXPECT_FALSE(ReadFlag(main_, std::string(slot.use_recycle_value))) << slot.prefix;
    EXPECT_FALSE(ReadFlag(main_, std::string(slot.kill_all_value))) << slot.prefix;
    EXPECT_EQ(ReadText(main_, slot.DriveValue(), kDriveDefault), "c");
    if (slot.kind == SlotKind::kUser) {
      EXPECT_EQ(ReadText(main_, slot.HintValue(), kUnsetText),
                "Not setup yet, select folder and\n\rright click this button to setup.");
    }
  }
  EXPECT_EQ(ReadText(main_, Slot("IE Button 1").FolderValue(), kStartFolderDefault),
            "c:\\windows\\Temporary Internet Files\\Content.IE5\\cache1");
  EXPECT_TRUE(main_.KeyExists(""));  // reading made the program's key
}

TEST_F(CatalogueTest, EachReaderKeepsItsOwnFolderDefault) {
  const auto defaults = [](std::string_view prefix) {
    const FolderSlot& slot = Slot(prefix);
    return std::string(slot.DefaultFolder(FolderReader::kSlotLoad)) + "|" +
           std::string(slot.DefaultFolder(FolderReader::kKillAll));
  };
  const std::string cache = "\\windows\\Temporary Internet Files\\cache";
  EXPECT_EQ(defaults("IE Button 1"), cache + "1|" + cache + "1");
  EXPECT_EQ(defaults("IE Button 4"), cache + "4|" + cache + "4");
  EXPECT_EQ(defaults("IE Button 5"), cache + "4|" + cache + "5");
  EXPECT_EQ(defaults("IE Button 6"), cache + "4|" + cache + "6");
  EXPECT_EQ(defaults("IE Button 7"), cache + "4|" + cache + "7");
  EXPECT_EQ(defaults("IE Button 8"), cache + "4|" + cache + "4");
  EXPECT_EQ(defaults("User Button 3"), "\\windows\\temp|\\windows\\temp");

  const FolderSlot& ie6 = Slot("IE Button 6");
  EXPECT_EQ(ReadText(main_, ie6.FolderValue(), ie6.DefaultFolder(FolderReader::kKillAll)), cache + "6");
  main_.WriteValue(ie6.FolderValue(), "d:\\cache");
  EXPECT_EQ(ReadText(main_, ie6.FolderValue(), ie6.DefaultFolder(FolderReader::kSlotLoad)), "d:\\cache");
}

TEST_F(CatalogueTest, SlotsNameTheirValuesAndControlsExactly) {
  ASSERT_EQ(kFolderSlots.size(), 14u);
  EXPECT_EQ(kFolderSlots[4].prefix, "IE Button 5");  // flag order: IE 1..8, then U1..U6
  EXPECT_EQ(kFolderSlots[8].prefix, "User Button 1");
  const FolderSlot& ie5 = Slot("IE Button 5");
  EXPECT_EQ(ie5.DriveValue(), "IE Button 5 Default Drive");
  EXPECT_EQ(ie5.FolderValue(), "IE Button 5 Default Folder");
  EXPECT_EQ(ie5.HintValue(), "IE Button 5 Hint");
  EXPECT_EQ(ie5.use_recycle_value, "IE 5 Use Recycle");
  EXPECT_EQ(ie5.kill_all_value, "Delete all 5 selected");
  EXPECT_EQ(ie5.button, "SpeedButton05");
  EXPECT_EQ(ie5.delete_method_check_box, "CheckBox11");
  EXPECT_EQ(ie5.kill_all_check_box, "cb05");
  EXPECT_EQ(ie5.hint_after_clear, kSaveOrSelectHint);
  const FolderSlot& u1 = Slot("User Button 1");
  EXPECT_EQ(u1.use_recycle_value, "User 1 Use Recycle");
  EXPECT_EQ(u1.kill_all_value, "Delete all U1 selected");
  EXPECT_EQ(u1.delete_method_check_box, "CheckBox5");
  EXPECT_EQ(u1.kill_all_check_box, "cb5");
  EXPECT_EQ(u1.hint_after_clear, kUnsetText);
  EXPECT_EQ(Slot("IE Button 1").design_hint, "Internet Explorer cache folder 1");
  EXPECT_EQ(Slot("IE Button 2").design_hint, "Internet Explorer Cache folder 2");
}

TEST_F(CatalogueTest, ValuesOutsideTheProgramKeyLandWhereOthersLookForThem) {
  TRegFile copy_dest;
  BindSettingsStore(copy_dest, "TCopyDest", "RegFile1");
  EXPECT_EQ(ReadText(copy_dest, std::string(kLastCopyToFolderValue), kLastCopyToFolderDefault),
            "c:\\windows\\Temp");
  copy_dest.WriteValue(std::string(kLastCopyToFolderValue), "C:\\HOME\\ANN");
  EXPECT_FALSE(main_.ValueExists("", std::string(kLastCopyToFolderValue)));
  EXPECT_EQ(Raw(platform::RegistryRoot::kCurrentUser, "Software\\Tolvex\\Vorlix", "Last Copy To Folder").data,
            std::string("C:\\HOME\\ANN\0", 12));

  TRegFile history;
  BindSettingsStore(history, "TForm1", "RegFile6");
  const std::string directory(kHistoryFolderValue);
  EXPECT_EQ(ReadText(history, directory, kHistoryFolderDefault), "c:\\windows\\History");
  Plant(platform::RegistryRoot::kLocalMachine, std::string(kUrlHistoryKey), directory,
        platform::kRegExpandSz, std::string("%USERPROFILE%\\History\0", 23));
  EXPECT_EQ(ReadText(history, directory, kHistoryFolderDefault), "");

  EXPECT_THROW(BindSettingsStore(history, "TForm2", "RegFile1"), std::invalid_argument);
}

TEST(SettingValuesTest, ReadResultsAreTakenAsFlags) {
  EXPECT_TRUE(VariantToFlag(Variant(true)));
  EXPECT_TRUE(VariantToFlag(Variant(-1)));
  EXPECT_TRUE(VariantToFlag(Variant(1)));
  EXPECT_TRUE(VariantToFlag(Variant::Double(0.5)));
  EXPECT_FALSE(VariantToFlag(Variant(0)));
  EXPECT_FALSE(VariantToFlag(Variant(false)));
  EXPECT_FALSE(VariantToFlag(Variant()));
  EXPECT_FALSE(VariantToFlag(Variant::Null()));
  EXPECT_TRUE(VariantToFlag(Variant(" TRUE ")));
  EXPECT_TRUE(VariantToFlag(Variant("-1")));
  EXPECT_FALSE(VariantToFlag(Variant("false")));
  EXPECT_FALSE(VariantToFlag(Variant("0")));
  EXPECT_THROW(VariantToFlag(Variant("yes please")), EVariantConversionError);
  EXPECT_THROW(VariantToFlag(Variant("")), EVariantConversionError);
}

TEST(SettingValuesTest, ReadResultsAreTakenAsTexts) {
  EXPECT_EQ(VariantToText(Variant("c:\\x")), "c:\\x");
  EXPECT_EQ(VariantToText(Variant()), "");
  EXPECT_EQ(VariantToText(Variant::Null()), "");
  EXPECT_EQ(VariantToText(Variant(-1)), "-1");
  EXPECT_EQ(VariantToText(Variant(true)), "True");
  EXPECT_EQ(VariantToText(Variant::Double(2.5)), "2.5");
  EXPECT_EQ(VariantToText(Variant::Currency(12345)), "1.2345");
}

}  // namespace
}  // namespace vorlix
