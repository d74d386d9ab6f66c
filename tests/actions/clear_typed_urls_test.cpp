// SPDX-License-Identifier: MIT

#include "actions/clear_typed_urls.h"

#include <gtest/gtest.h>

#include "settings/settings_catalogue.h"
#include "tests/actions/actions_fixture.h"
#include "tests/actions/fake_main_view.h"

namespace vorlix {
namespace {

const std::string kQuestion =
    "You are about to DELETE all of the Internet Explorer Typed URLs.\n\rIs this what you want to do? ";
const std::string kDeleted = "The Internet Explorer typed URL history list has been deleted.";
const std::string kMissing = "You must have emptied it as I can't find the TypedURLs setting in the registry.";

class TypedUrlsTest : public test::CleaningTest {
 protected:
  void SetUp() override {
    CleaningTest::SetUp();
    BindSettingsStore(reg_file2_, "TForm1", "RegFile2");
  }
  TRegFile reg_file2_;
  test::FakeMainView boxes_;
};

TEST_F(TypedUrlsTest, YesDeletesTheKeyWithItsAddressesAndThenFindsItMissing) {
  reg_file2_.WriteValue("TypedURLs\\url1", "http://example.org/");
  reg_file2_.WriteValue("TypedURLs\\url2", "http://example.net/");
  reg_file2_.WriteValue("Other Setting", "kept");
  ClearTypedUrls(boxes_, reg_file2_);
  EXPECT_FALSE(reg_file2_.KeyExists("TypedURLs"));
  EXPECT_EQ(reg_file2_.ReadValue("Other Setting"), Variant("kept"));
  ClearTypedUrls(boxes_, reg_file2_);
  EXPECT_EQ(boxes_.questions, (std::vector<std::string>{kQuestion, kQuestion}));
  EXPECT_EQ(boxes_.information, (std::vector<std::string>{kDeleted, kMissing}));
}

TEST_F(TypedUrlsTest, NoLeavesTheKeyAndAnEmptyKeyIsDeletedAllTheSame) {
  TRegFile typed_urls;
  typed_urls.Key = std::string(kInternetExplorerKey) + "\\TypedURLs";
  typed_urls.ReadValue("nothing");  // reading creates the key, empty
  boxes_.answer = false;
  ClearTypedUrls(boxes_, reg_file2_);
  EXPECT_TRUE(reg_file2_.KeyExists("TypedURLs"));
  EXPECT_TRUE(boxes_.information.empty());
  boxes_.answer = true;
  ClearTypedUrls(boxes_, reg_file2_);
  EXPECT_FALSE(reg_file2_.KeyExists("TypedURLs"));
  EXPECT_EQ(boxes_.information, std::vector<std::string>{kDeleted});
}

}  // namespace
}  // namespace vorlix
