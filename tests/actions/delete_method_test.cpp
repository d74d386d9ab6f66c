// SPDX-License-Identifier: MIT

#include "actions/delete_method.h"

#include <gtest/gtest.h>

#include "tests/actions/actions_fixture.h"

namespace vorlix {
namespace {

class DeleteMethodTest : public test::CleaningTest {
 protected:
  void SetUp() override {
    CleaningTest::SetUp();
    BindSettingsStore(reg_file_, "TForm4", "RegFile1");
  }
  TRegFile reg_file_;
  ProgramState state_;
};

TEST_F(DeleteMethodTest, LoadingTakesEveryNonZeroNumberAsTickedAndAMissingValueAsClear) {
  state_.use_recycle.fill(true);
  reg_file_.WriteValue("IE 2 Use Recycle", std::int32_t{1});
  reg_file_.WriteValue("IE 5 Use Recycle", std::int32_t{7});
  reg_file_.WriteValue("User 1 Use Recycle", true);
  reg_file_.WriteValue("User 6 Use Recycle", std::int32_t{0});
  const DeleteMethodTicks ticks = LoadDeleteMethods(state_, reg_file_);
  const DeleteMethodTicks expected = {false, true, false, false, true, false, false,
                                      false, true, false, false, false, false, false};
  EXPECT_EQ(ticks, expected);
  EXPECT_EQ(state_.use_recycle, expected);
}

TEST_F(DeleteMethodTest, OkWritesAllFourteenValuesAndFlags) {
  DeleteMethodTicks ticks{};
  ticks[4] = true;  // the fifth row: IE button 5
  ticks[8] = true;  // User Button 1
  SaveDeleteMethods(ticks, state_, reg_file_);
  EXPECT_EQ(state_.use_recycle, ticks);
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    EXPECT_EQ(reg_file_.ReadValue(std::string(kFolderSlots[i].use_recycle_value)),
              Variant(std::int32_t{ticks[i] ? -1 : 0}))
        << kFolderSlots[i].use_recycle_value;
  }
}

}  // namespace
}  // namespace vorlix
