#pragma once

#include "GameState.h"
#include "Peek.h"
#include "QuestionPhase.h"
#include "RandomSource.h"
#include "Scoring.h"
#include "StudyPhase.h"
#include "WordDraw.h"
#include "ui/ControlModel.h"

namespace sorato {

// The game's handlers over one window's controls and state, installed on the controls
// whose events they handle.
class Game {
 public:
  Game(ControlModel& ui, GameState& g, RandomSource& random);
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  WordDraw draw;
  StudyPhase study;
  QuestionPhase questions;
  Scoring scoring;
  Peek peek;
};

}  // namespace sorato
