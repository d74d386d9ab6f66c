// SPDX-License-Identifier: MIT
// The fourteen folder buttons: a left press loads the slot's folder into view,
// a right press stores the folder in view into the slot, and a release with
// Shift alone held clears the slot. One routine for all buttons, driven by the
// slot descriptors of the settings catalogue.
#pragma once

#include <cstddef>

#include "actions/main_view.h"
#include "actions/program_state.h"
#include "settings/reg_files.h"

namespace vorlix {

enum class SlotMouseButton { kLeft, kRight, kMiddle };

inline constexpr const char* kNotConfiguredText = "This button is not configured yet, please setup before use.";

// A press on the button of a slot (index into kFolderSlots).
void SlotButtonMouseDown(std::size_t slot, SlotMouseButton button, const ProgramState& state, MainView& view,
                         TRegFile& reg_file1);

// A release; `shift_alone` when Shift is held and no other modifier or mouse button.
void SlotButtonMouseUp(std::size_t slot, bool shift_alone, MainView& view, TRegFile& reg_file1);

}  // namespace vorlix
