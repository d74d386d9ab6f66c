// SPDX-License-Identifier: MIT
// TRegFile over a real store: what each operation creates, stores, reads back
// and reports.
#include "settings/reg_files.h"

#include <gtest/gtest.h>

#include "settings/setting_values.h"
#include "tests/settings/store_fixture.h"

namespace vorlix {
namespace {

using platform::RegistryRoot;
using test::RawValue;

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;
constexpr const char* kKey = "Software\\Tolvex\\Vorlix 5.0";

class RegFileTest : public test::StoreTest {
 protected:
  RegFileTest() { reg_.Key = kKey; }

  // The message of the ERegFileError that `call` throws.
  template <class Call>
  static std::string ErrorOf(Call call) {
    try {
      call();
    } catch (const ERegFileError& error) {
      return error.what();
    }
    return "no error";
  }

  TRegFile reg_;
};

TEST_F(RegFileTest, ReadingAMissingValueCreatesItsKeyAndGivesTheDefault) {
  EXPECT_EQ(reg_.ReadValue("IE 1 Use Recycle"), Variant::Null());
  EXPECT_EQ(reg_.ReadValueDef("Sub\\Name", "fallback"), Variant("fallback"));
  EXPECT_TRUE(reg_.KeyExists(""));
  EXPECT_TRUE(reg_.KeyExists("Sub"));
  EXPECT_FALSE(reg_.ValueExists("", "IE 1 Use Recycle"));
}

TEST_F(RegFileTest, FlagsAreStoredAsDwordsAndReadBackAsIntegers) {
  reg_.WriteValue("On", true);
  reg_.WriteValue("Off", false);
  EXPECT_EQ(Raw(kUser, kKey, "On"), (RawValue{platform::kRegDword, "\xFF\xFF\xFF\xFF"}));
  EXPECT_EQ(Raw(kUser, kKey, "Off"), (RawValue{platform::kRegDword, std::string(4, '\0')}));
  EXPECT_EQ(reg_.ReadValueDef("On", false), Variant(-1));
  EXPECT_EQ(reg_.ReadValueDef("Off", true), Variant(0));

  Plant(kUser, kKey, "ByHand", platform::kRegDword, std::string("\x01\0\0\0", 4));
  EXPECT_TRUE(VariantToFlag(reg_.ReadValueDef("ByHand", false)));
  reg_.WriteValue("Small", Variant::SmallInt(-2));
  EXPECT_EQ(reg_.ReadValueDef("Small", 0), Variant(-2));
}

TEST_F(RegFileTest, TextsKeepTheirNulAndAnEmptyTextIsNotTheDefault) {
  reg_.WriteValue("Folder", "c:\\windows\\temp");
  reg_.WriteValue("Blank", "");
  EXPECT_EQ(Raw(kUser, kKey, "Folder"), (RawValue{platform::kRegSz, std::string("c:\\windows\\temp\0", 16)}));
  EXPECT_EQ(Raw(kUser, kKey, "Blank"), (RawValue{platform::kRegSz, std::string(1, '\0')}));
  EXPECT_EQ(reg_.ReadValueDef("Blank", "default"), Variant(""));

  // Data without data: absent for reading, present for ValueExists.
  Plant(kUser, kKey, "NoData", platform::kRegSz, "");
  EXPECT_EQ(reg_.ReadValueDef("NoData", "default"), Variant("default"));
  EXPECT_TRUE(reg_.ValueExists("", "NoData"));
  // A text without a NUL is taken whole; one with a NUL inside ends there.
  Plant(kUser, kKey, "Unended", platform::kRegSz, "abc");
  Plant(kUser, kKey, "Cut", platform::kRegSz, std::string("ab\0cd", 5));
  EXPECT_EQ(reg_.ReadValue("Unended"), Variant("abc"));
  EXPECT_EQ(reg_.ReadValue("Cut"), Variant("ab"));
}

TEST_F(RegFileTest, DataOfUnmappedTypesOrSizesReadsAsEmptyNotAsTheDefault) {
  Plant(kUser, kKey, "Expand", platform::kRegExpandSz, std::string("%TEMP%\0", 7));
  Plant(kUser, kKey, "Multi", platform::kRegMultiSz, std::string("a\0b\0\0", 5));
  Plant(kUser, kKey, "Binary5", platform::kRegBinary, "12345");
  Plant(kUser, kKey, "ShortDword", platform::kRegDword, "\x01\x02");
  Plant(kUser, kKey, "LongDword", platform::kRegDword, "12345678");
  for (const char* name : {"Expand", "Multi", "Binary5", "ShortDword", "LongDword"}) {
    EXPECT_EQ(reg_.ReadValueDef(name, "default"), Variant()) << name;
  }
}

TEST_F(RegFileTest, FloatingKindsTravelAsA16ByteRecord) {
  reg_.WriteValue("Double", Variant::Double(2.5));
  const std::string expected("\x05\0\0\0\0\0\0\0\0\0\0\0\0\0\x04\x40", 16);
  EXPECT_EQ(Raw(kUser, kKey, "Double"), (RawValue{platform::kRegBinary, expected}));
  for (const Variant& value : {Variant::Double(2.5), Variant::Single(-1.25f),
                               Variant::Currency(123456), Variant::Date(36526.5)}) {
    reg_.WriteValue("Number", value);
    EXPECT_EQ(reg_.ReadValue("Number"), value);
  }
  EXPECT_DOUBLE_EQ(reg_.ReadValue("Number").FloatValue(), 36526.5);
}

TEST_F(RegFileTest, ARecordClaimingATextOrReferenceReadsAsEmpty) {
  // Kind String (256) and kind 8, a text by reference: the payload is no value.
  Plant(kUser, kKey, "Text", platform::kRegBinary, std::string("\x00\x01", 2) + std::string(14, '\x7F'));
  Plant(kUser, kKey, "Ref", platform::kRegBinary, std::string("\x08\x00", 2) + std::string(14, '\x7F'));
  EXPECT_EQ(reg_.ReadValueDef("Text", "default"), Variant());
  EXPECT_EQ(reg_.ReadValueDef("Ref", "default"), Variant());
}

TEST_F(RegFileTest, KindsThatCannotBeStoredWriteNothing) {
  EXPECT_EQ(ErrorOf([&] { reg_.WriteValue("Nothing", Variant()); }), "Invalid variant type");
  EXPECT_EQ(ErrorOf([&] { reg_.WriteValue("Nothing", Variant::Null()); }), "Invalid variant type");
  EXPECT_FALSE(reg_.ValueExists("", "Nothing"));
  // The failed write closed its key: the store goes on working.
  reg_.WriteValue("After", 7);
  EXPECT_EQ(reg_.ReadValue("After"), Variant(7));
}

TEST_F(RegFileTest, SplitValuePathTakesTheLastSingleBackslash) {
  const auto split = [](std::string name) {
    std::string key = TRegFile::SplitValuePath(name);
    return key + "|" + name;
  };
  EXPECT_EQ(split("Name"), "|Name");
  EXPECT_EQ(split("Sub\\Name"), "\\Sub|Name");
  EXPECT_EQ(split("A\\B\\Name"), "\\A\\B|Name");
  EXPECT_EQ(split("A\\\\B"), "|A\\\\B");
  EXPECT_EQ(split("A\\\\\\B"), "\\A|\\\\B");
  EXPECT_EQ(split("\\Name"), "\\|Name");
  EXPECT_EQ(split(""), "|");
}

TEST_F(RegFileTest, ValueNamesWithAPathReachSubkeys) {
  reg_.WriteValue("Sub\\Name", "below");
  EXPECT_EQ(Raw(kUser, std::string(kKey) + "\\Sub", "Name").data, std::string("below\0", 6));
  EXPECT_EQ(reg_.ReadValueDef("Sub\\Name", ""), Variant("below"));
  // A doubled backslash is part of the name; ValueExists never splits.
  reg_.WriteValue("A\\\\B", "one name");
  EXPECT_TRUE(reg_.ValueExists("", "A\\\\B"));
  EXPECT_FALSE(reg_.KeyExists("A"));
  EXPECT_FALSE(reg_.ValueExists("", "Sub\\Name"));
  EXPECT_TRUE(reg_.ValueExists("Sub", "Name"));
  // A leading backslash alone names the key itself.
  reg_.WriteValue("\\Top", 1);
  EXPECT_EQ(reg_.ReadValue("Top"), Variant(1));
  reg_.DeleteValue("", "Sub\\Name");
  EXPECT_FALSE(reg_.ValueExists("Sub", "Name"));
}

TEST_F(RegFileTest, NamesMatchWithoutRegardToCaseAndKeepTheirCase) {
  reg_.WriteValue("Last Copy To Folder", "x");
  EXPECT_EQ(reg_.ReadValue("LAST COPY TO FOLDER"), Variant("x"));
  TRegFile shouting;
  shouting.Key = "SOFTWARE\\TOLVEX\\VORLIX 5.0";
  shouting.WriteValue("last copy to folder", "y");
  EXPECT_EQ(reg_.ReadValue("Last Copy To Folder"), Variant("y"));

  platform::RegistryStore& store = platform::UserRegistry();
  platform::RegistryKey key;
  ASSERT_EQ(store.OpenKey(kUser, "software\\tolvex\\vorlix 5.0", key), platform::kOk);
  EXPECT_EQ(store.KeyPath(key), kKey);
  EXPECT_EQ(store.Values(key).at(0).name, "Last Copy To Folder");
}

TEST_F(RegFileTest, DeletingValuesReportsAMissingValueButNotAMissingKey) {
  reg_.WriteValue("Gone", "x");
  reg_.DeleteValue("", "Gone");
  EXPECT_FALSE(reg_.ValueExists("", "Gone"));
  EXPECT_EQ(ErrorOf([&] { reg_.DeleteValue("", "Gone"); }), "Reg Error: 00000002");
  EXPECT_EQ(ErrorOf([&] { reg_.DeleteValue("Missing", "Gone"); }), "no error");
  EXPECT_FALSE(reg_.KeyExists("Missing"));
}

TEST_F(RegFileTest, DeletingKeysFollowsTheRegistryRules) {
  TRegFile ie;
  ie.Key = "Software\\Microsoft\\Internet Explorer";
  EXPECT_FALSE(ie.KeyExists("TypedURLs"));
  EXPECT_EQ(ErrorOf([&] { ie.DeleteKey("TypedURLs"); }), "no error");  // Key itself missing
  EXPECT_FALSE(ie.KeyExists(""));

  ie.WriteValue("TypedURLs\\url1", "http://example.org/");
  ie.WriteValue("TypedURLs\\url2", "http://example.net/");
  ie.DeleteKey("typedurls");
  EXPECT_FALSE(ie.KeyExists("TypedURLs"));
  EXPECT_EQ(ErrorOf([&] { ie.DeleteKey("TypedURLs"); }), "Reg Error: 00000002");

  ie.WriteValue("Parent\\Child\\Value", 1);
  EXPECT_EQ(ErrorOf([&] { ie.DeleteKey("Parent"); }), "Reg Error: 00000005");
  EXPECT_EQ(ie.ReadValue("Parent\\Child\\Value"), Variant(1));
}

TEST_F(RegFileTest, RootsAreSeparateAndDynDataIsNeverCreated) {
  TRegFile machine;
  machine.RootKey = TRootKey::hkLocalMachine;
  machine.Key = kKey;
  reg_.WriteValue("Where", "user");
  EXPECT_EQ(machine.ReadValueDef("Where", "none"), Variant("none"));

  TRegFile dyn;
  dyn.RootKey = TRootKey::hkDynData;
  dyn.Key = "Config Manager";
  EXPECT_EQ(ErrorOf([&] { dyn.WriteValue("Value", 1); }), "Can't open a Key");
  EXPECT_EQ(ErrorOf([&] { dyn.ReadValue("Value"); }), "Can't open a Key");
  Plant(RegistryRoot::kDynData, "Config Manager", "Value", platform::kRegDword, std::string(4, '\0'));
  EXPECT_EQ(dyn.ReadValue("Value"), Variant(0));
}

TEST_F(RegFileTest, StatusMessagesShowEightHexDigits) {
  EXPECT_EQ(ErrorOf([] { TRegFile::CheckResult(2); }), "Reg Error: 00000002");
  EXPECT_EQ(ErrorOf([] { TRegFile::CheckResult(0x3F7); }), "Reg Error: 000003F7");
  EXPECT_EQ(ErrorOf([] { TRegFile::CheckResult(0); }), "no error");
}

}  // namespace
}  // namespace vorlix
