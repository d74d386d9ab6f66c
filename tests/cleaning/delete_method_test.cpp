#include "cleaning/delete_method.h"

#include <gtest/gtest.h>

#include "tests/cleaning/cleaning_fixture.h"

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

TEST_F(DeleteMethodTest, RowsRunInSlotOrderWithTheirOwnCheckBoxNumbers) {
  std::vector<std::string> rows;
  for (const FolderSlot& slot : kFolderSlots) {
    rows.push_back(std::string(slot.prefix) + " " + std::string(slot.delete_method_check_box) + " " +
                   std::string(slot.use_recycle_value));
  }
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "IE Button 1 CheckBox1 IE 1 Use Recycle", "IE Button 2 CheckBox2 IE 2 Use Recycle",
                      "IE Button 3 CheckBox3 IE 3 Use Recycle", "IE Button 4 CheckBox4 IE 4 Use Recycle",
                      "IE Button 5 CheckBox11 IE 5 Use Recycle", "IE Button 6 CheckBox12 IE 6 Use Recycle",
                      "IE Button 7 CheckBox13 IE 7 Use Recycle", "IE Button 8 CheckBox14 IE 8 Use Recycle",
                      "User Button 1 CheckBox5 User 1 Use Recycle", "User Button 2 CheckBox6 User 2 Use Recycle",
                      "User Button 3 CheckBox7 User 3 Use Recycle", "User Button 4 CheckBox8 User 4 Use Recycle",
                      "User Button 5 CheckBox9 User 5 Use Recycle", "User Button 6 CheckBox10 User 6 Use Recycle"}));
}

TEST_F(DeleteMethodTest, LoadingTakesEveryNonZeroNumberAsTickedAndAMissingValueAsClear) {
  state_.use_recycle.fill(true);
  reg_file_.WriteValue("IE 2 Use Recycle", std::int32_t{1});
  reg_file_.WriteValue("IE 5 Use Recycle", std::int32_t{7});
  reg_file_.WriteValue("User 1 Use Recycle", true);
  reg_file_.WriteValue("User 6 Use Recycle", std::int32_t{0});
  const DeleteMethodTicks ticks = LoadDeleteMethod(state_, reg_file_);
  const DeleteMethodTicks expected = {false, true, false, false, true, false, false,
                                      false, true, false, false, false, false, false};
  EXPECT_EQ(ticks, expected);
  EXPECT_EQ(state_.use_recycle, expected);
}

TEST_F(DeleteMethodTest, OkWritesAllFourteenValuesAndFlags) {
  DeleteMethodTicks ticks{};
  ticks[4] = true;  // the fifth row: IE button 5
  ticks[8] = true;  // User Button 1
  SaveDeleteMethod(ticks, state_, reg_file_);
  EXPECT_EQ(state_.use_recycle, ticks);
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    EXPECT_EQ(reg_file_.ReadValue(std::string(kFolderSlots[i].use_recycle_value)),
              Variant(std::int32_t{ticks[i] ? -1 : 0}))
        << kFolderSlots[i].use_recycle_value;
  }
}

}  // namespace
}  // namespace vorlix
