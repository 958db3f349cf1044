#pragma once

#include <string_view>

#include "game/GameState.h"
#include "ui/ControlModel.h"

namespace sorato {

// The instructions shown in lblRM until the first game is prepared: ten lines joined by
// CR LF, the sixth empty.  Mind the halfwidth "､" in line 3, the leader "‥" that opens
// line 5 and the katakana middle dots "・" in the bracketed directions.
extern const std::string_view kInstructions;

// Sets the window's size and the controls into the state every game starts from.
void Form1_Load(ControlModel& ui, GameState& g);

// Unloads the window, which ends the system.
void btnEND_Click(ControlModel& ui);

}  // namespace sorato
