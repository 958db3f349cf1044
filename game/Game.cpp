#include "Game.h"

namespace sorato {

Game::Game(ControlModel& ui, GameState& g, RandomSource& random)
    : draw(ui, g, random), study(ui, g, draw), questions(ui, g), scoring(ui, g), peek(ui, g) {
  auto on = [&ui](Control& c, Event e, auto handler) {
    ui.setHandler(c, e, [handler](const MouseArgs&) { handler(); });
  };
  on(ui.btn1Jun, Event::Click, [this] { study.btn1Jun_Click(); });
  on(ui.btn2Jun, Event::Click, [this] { study.btn2Jun_Click(); });
  on(ui.btnST, Event::Click, [this] { study.btnST_Click(); });
  on(ui.Timer1, Event::Timer, [this] { study.Timer1_Timer(); });
  on(ui.Timer2, Event::Timer, [this] { study.Timer2_Timer(); });
  on(ui.btnQ, Event::Click, [this] { questions.btnQ_Click(); });
  on(ui.btnY, Event::Click, [this] { questions.btnY_Click(); });
  on(ui.btnN, Event::Click, [this] { questions.btnN_Click(); });
  on(ui.btnA, Event::Click, [this] { scoring.btnA_Click(); });
  ui.setHandler(ui.lblKng, Event::MouseDown,
                [this](const MouseArgs& a) { peek.lblKng_MouseDown(a.button, a.shift, a.x, a.y); });
}

}  // namespace sorato
