#include "Sorato.h"

#include "Startup.h"

namespace sorato {

Sorato::Sorato(RandomSource* fallback)
    : random(fallback != nullptr ? *fallback : generator_), game(ui, state, random) {
  ui.setHandler(ui.Form1, Event::Load, [this](const MouseArgs&) { Form1_Load(ui, state); });
  ui.setHandler(ui.btnEND, Event::Click, [this](const MouseArgs&) { btnEND_Click(ui); });
  ui.raise(ui.Form1, Event::Load);
}

}  // namespace sorato
