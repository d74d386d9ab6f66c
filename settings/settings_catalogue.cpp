// SPDX-License-Identifier: MIT
// Every setting the program keeps.

#include "settings/settings_catalogue.h"

#include <algorithm>
#include <stdexcept>

namespace vorlix {
namespace {

constexpr std::string_view kCache1 = "\\windows\\Temporary Internet Files\\cache1";
constexpr std::string_view kCache2 = "\\windows\\Temporary Internet Files\\cache2";
constexpr std::string_view kCache3 = "\\windows\\Temporary Internet Files\\cache3";
constexpr std::string_view kCache4 = "\\windows\\Temporary Internet Files\\cache4";
constexpr std::string_view kCache5 = "\\windows\\Temporary Internet Files\\cache5";
constexpr std::string_view kCache6 = "\\windows\\Temporary Internet Files\\cache6";
constexpr std::string_view kCache7 = "\\windows\\Temporary Internet Files\\cache7";
constexpr std::string_view kTemp = "\\windows\\temp";

constexpr auto kIE = SlotKind::kInternetExplorer;
constexpr auto kUser = SlotKind::kUser;

}  // namespace

const std::array<SettingsStore, 6> kSettingsStores = {{
    {"TForm1", "RegFile1", TRootKey::hkCurrentUser, kProgramKey},
    {"TForm1", "RegFile2", TRootKey::hkCurrentUser, kInternetExplorerKey},
    {"TForm1", "RegFile6", TRootKey::hkLocalMachine, kUrlHistoryKey},
    {"TForm4", "RegFile1", TRootKey::hkCurrentUser, kProgramKey},
    {"TForm5", "RegFile1", TRootKey::hkCurrentUser, kProgramKey},
    {"TCopyDest", "RegFile1", TRootKey::hkCurrentUser, kCopyDestKey},
}};

void BindSettingsStore(TRegFile& reg_file, std::string_view window, std::string_view instance) {
  const auto* store = std::find_if(kSettingsStores.begin(), kSettingsStores.end(), [&](const auto& s) {
    return s.window == window && s.instance == instance;
  });
  if (store == kSettingsStores.end()) {
    throw std::invalid_argument("no settings component " + std::string(instance) + " on " +
                                std::string(window));
  }
  reg_file.RootKey = store->root;
  reg_file.Key = store->key;
}

// Folder defaults by reader: slot load, and Kill All (its run and its dialog alike).
const std::array<FolderSlot, 14> kFolderSlots = {{
    {kIE, 1, "IE Button 1", "SpeedButton1", "1", "Internet Explorer cache folder 1",
     "IE 1 Use Recycle", "Delete all 1 selected", "CheckBox1", "cb1", {kCache1, kCache1},
     kSaveOrSelectHint},
    {kIE, 2, "IE Button 2", "SpeedButton2", "2", "Internet Explorer Cache folder 2",
     "IE 2 Use Recycle", "Delete all 2 selected", "CheckBox2", "cb2", {kCache2, kCache2},
     kSaveOrSelectHint},
    {kIE, 3, "IE Button 3", "SpeedButton3", "3", "Internet Explorer Cache folder 3",
     "IE 3 Use Recycle", "Delete all 3 selected", "CheckBox3", "cb3", {kCache3, kCache3},
     kSaveOrSelectHint},
    {kIE, 4, "IE Button 4", "SpeedButton4", "4", "Internet Explorer Cache folder 4",
     "IE 4 Use Recycle", "Delete all 4 selected", "CheckBox4", "cb4", {kCache4, kCache4},
     kSaveOrSelectHint},
    {kIE, 5, "IE Button 5", "SpeedButton05", "5", "Internet Explorer Cache folder 5",
     "IE 5 Use Recycle", "Delete all 5 selected", "CheckBox11", "cb05", {kCache4, kCache5},
     kSaveOrSelectHint},
    {kIE, 6, "IE Button 6", "SpeedButton06", "6", "Internet Explorer Cache folder 6",
     "IE 6 Use Recycle", "Delete all 6 selected", "CheckBox12", "cb06", {kCache4, kCache6},
     kSaveOrSelectHint},
    {kIE, 7, "IE Button 7", "SpeedButton07", "7", "Internet Explorer Cache folder 7",
     "IE 7 Use Recycle", "Delete all 7 selected", "CheckBox13", "cb07", {kCache4, kCache7},
     kSaveOrSelectHint},
    {kIE, 8, "IE Button 8", "SpeedButton08", "8", "Internet Explorer Cache folder 8",
     "IE 8 Use Recycle", "Delete all 8 selected", "CheckBox14", "cb08", {kCache4, kCache4},
     kSaveOrSelectHint},
    {kUser, 1, "User Button 1", "btnU1", "U1", kSaveOrSelectHint, "User 1 Use Recycle",
     "Delete all U1 selected", "CheckBox5", "cb5", {kTemp, kTemp}, kUnsetText},
    {kUser, 2, "User Button 2", "btnU2", "U2", kSaveOrSelectHint, "User 2 Use Recycle",
     "Delete all U2 selected", "CheckBox6", "cb6", {kTemp, kTemp}, kUnsetText},
    {kUser, 3, "User Button 3", "btnU3", "U3", kSaveOrSelectHint, "User 3 Use Recycle",
     "Delete all U3 selected", "CheckBox7", "cb7", {kTemp, kTemp}, kUnsetText},
    {kUser, 4, "User Button 4", "btnU4", "U4", kSaveOrSelectHint, "User 4 Use Recycle",
     "Delete all U4 selected", "CheckBox8", "cb8", {kTemp, kTemp}, kUnsetText},
    {kUser, 5, "User Button 5", "btnU5", "U5", kSaveOrSelectHint, "User 5 Use Recycle",
     "Delete all U5 selected", "CheckBox9", "cb9", {kTemp, kTemp}, kUnsetText},
    {kUser, 6, "User Button 6", "btnU6", "U6", kSaveOrSelectHint, "User 6 Use Recycle",
     "Delete all U6 selected", "CheckBox10", "cb10", {kTemp, kTemp}, kUnsetText},
}};

}  // namespace vorlix
