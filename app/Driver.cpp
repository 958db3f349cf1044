#include "Driver.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <vector>

#include "Expression.h"
#include "Format.h"

namespace sorato {

namespace {

// Far beyond any game (three thousand years), and far from overflowing the clock.
constexpr std::int64_t kMaxAdvance = 100'000'000'000'000;

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    const std::size_t end = line.find(' ', i);
    const std::size_t stop = end == std::string_view::npos ? line.size() : end;
    out.push_back(line.substr(i, stop - i));
    i = stop;
  }
  return out;
}

bool parseMask(std::string_view s, std::int16_t& out) {
  std::int64_t v = 0;
  if (!parseInteger(s, -32768, 32767, v)) return false;
  out = static_cast<std::int16_t>(v);
  return true;
}

// A decimal number such as 12, -3.5 or .25, read as the nearest float.
bool parseDecimal(std::string_view s, bool allowSign, float& out) {
  std::string_view body = s;
  if (allowSign && body.starts_with('-')) body = body.substr(1);
  bool digit = false;
  int points = 0;
  for (char c : body) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.') {
      ++points;
    } else {
      return false;
    }
  }
  if (!digit || points > 1) return false;
  // strtof, not from_chars: the WebAssembly build's library reads no float with it.
  const std::string text(s);
  char* end = nullptr;
  errno = 0;
  out = std::strtof(text.c_str(), &end);
  return errno == 0 && end == text.c_str() + text.size();
}

}  // namespace

Driver::Driver(std::ostream& out, std::ostream& err, RandomSource* fallback)
    : out_(out), err_(err), game_(fallback) {
  game_.ui.addObserver(this);
}

Driver::~Driver() {
  game_.ui.removeObserver(this);
}

int Driver::run(std::istream& in) {
  std::string line;
  for (long number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // CR LF line ends
    // The byte-order mark some editors put at the start of a UTF-8 file.
    if (number == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    try {
      execute(line);
    } catch (const Failure& f) {
      out_.flush();
      err_ << "error: line " << number << ": " << f.reason << '\n';
      err_.flush();
      return kFailed;
    }
    if (!out_) return outputLost();
    if (game_.ui.unloaded()) break;
  }
  out_.flush();
  return out_ ? kEnded : outputLost();
}

int Driver::outputLost() {
  err_ << "error: the output could not be written (a full disk, or a closed pipe?)\n";
  err_.flush();
  return kOutputLost;
}

void Driver::execute(std::string_view line) {
  const std::vector<std::string_view> w = words(line);
  if (w.empty() || w[0].starts_with('#')) return;
  const std::string_view command = w[0];
  const std::size_t args = w.size() - 1;
  auto expect = [&](std::size_t n, std::string_view usage) {
    if (args < n) throw Failure{"missing argument: " + std::string(usage)};
    if (args > n) throw Failure{"extra argument " + quoted(w[n + 1]) + ": " + std::string(usage)};
  };
  if (command == "click") {
    expect(1, "click NAME");
    click(w[1]);
  } else if (command == "mousedown") {
    expect(5, "mousedown NAME BUTTON SHIFT X Y");
    mousedown(w[1], w[2], w[3], w[4], w[5]);
  } else if (command == "raise") {
    if (args < 2) throw Failure{"missing argument: raise NAME EVENT"};
    raise(w[1], w[2], w.data() + 3, args - 2);
  } else if (command == "advance") {
    expect(1, "advance MS");
    advance(w[1]);
  } else if (command == "random") {
    if (args == 0) throw Failure{"missing argument: random R1 R2 ..."};
    random(w.data() + 1, args);
  } else if (command == "get") {
    expect(1, "get EXPR");
    get(w[1]);
  } else if (command == "trace") {
    expect(1, "trace on|off");
    trace(w[1]);
  } else {
    throw Failure{"unknown command " + quoted(command)};
  }
}

Control& Driver::control(std::string_view name) const {
  Control* c = game_.ui.find(name);
  if (c == nullptr) throw Failure{"unknown control " + quoted(name)};
  return *c;
}

void Driver::click(std::string_view name) {
  Control& c = control(name);
  if (c.kind() != Kind::CommandButton && c.kind() != Kind::OptionButton) {
    throw Failure{quoted(name) + " is not a command button or an option button"};
  }
  game_.ui.click(c);
}

void Driver::mousedown(std::string_view name, std::string_view button, std::string_view shift,
                       std::string_view x, std::string_view y) {
  Control& c = control(name);
  if (c.kind() != Kind::Label) throw Failure{quoted(name) + " is not a label"};
  MouseArgs a;
  if (!parseMask(button, a.button)) {
    throw Failure{"BUTTON must be a 16-bit integer, not " + quoted(button)};
  }
  if (!parseMask(shift, a.shift)) {
    throw Failure{"SHIFT must be a 16-bit integer, not " + quoted(shift)};
  }
  if (!parseDecimal(x, true, a.x)) throw Failure{"X must be a number of twips, not " + quoted(x)};
  if (!parseDecimal(y, true, a.y)) throw Failure{"Y must be a number of twips, not " + quoted(y)};
  game_.ui.mouseDown(c, a);
}

void Driver::raise(std::string_view name, std::string_view event, const std::string_view* args,
                   std::size_t count) {
  Control& c = control(name);
  Event e{};
  if (!kEventNames.find(event, e) || !game_.ui.hasHandler(c, e)) {
    throw Failure{quoted(name) + " has no handler for the event " + quoted(event)};
  }
  MouseArgs a;
  if (e == Event::MouseDown) {
    if (count < 4) throw Failure{"missing argument: raise NAME MouseDown BUTTON SHIFT X Y"};
    if (count > 4) throw Failure{"extra argument " + quoted(args[4])};
    if (!parseMask(args[0], a.button) || !parseMask(args[1], a.shift)) {
      throw Failure{"BUTTON and SHIFT must be 16-bit integers"};
    }
    if (!parseDecimal(args[2], true, a.x) || !parseDecimal(args[3], true, a.y)) {
      throw Failure{"X and Y must be numbers of twips"};
    }
  } else if (count > 0) {
    throw Failure{"extra argument " + quoted(args[0]) + ": " + std::string(event) +
                  " takes no arguments"};
  }
  game_.ui.raise(c, e, a);
}

void Driver::advance(std::string_view ms) {
  std::int64_t v = 0;
  if (!allDigits(ms) || !parseInteger(ms, 0, kMaxAdvance, v)) {
    throw Failure{"MS must be a whole number from 0 to " + std::to_string(kMaxAdvance) + ", not " +
                  quoted(ms)};
  }
  if (!game_.clock.canAdvance(v)) {
    throw Failure{"advance " + std::string(ms) + " would carry the clock past its end at " +
                  std::to_string(VirtualClock::kLatest) + " ms (now " +
                  std::to_string(game_.clock.now()) + ")"};
  }
  game_.clock.advance(v);
}

void Driver::random(const std::string_view* values, std::size_t count) {
  std::vector<float> parsed;
  for (std::size_t i = 0; i < count; ++i) {
    float r = 0;
    if (!parseDecimal(values[i], false, r)) {
      throw Failure{"not a decimal number: " + quoted(values[i])};
    }
    // Checked after rounding: a value just below 1 can round to 1, which is no index.
    if (!(r >= 0.0f && r < 1.0f)) {
      throw Failure{"random value " + quoted(values[i]) + " is not below 1 as a float"};
    }
    parsed.push_back(r);
  }
  for (float r : parsed) game_.random.push(r);
}

void Driver::get(std::string_view expr) {
  out_ << value(expr) << '\n';
}

std::string Driver::value(std::string_view expr) {
  if (expr == "time") return std::to_string(game_.clock.now());
  if (expr == "randomCalls") return std::to_string(game_.random.calls());
  if (expr == "reseeds") return std::to_string(game_.random.reseeds());
  try {
    return expressionValue(game_, expr);
  } catch (const UnknownExpression& e) {
    throw Failure{e.reason};
  }
}

void Driver::trace(std::string_view onOff) {
  if (onOff == "on") {
    tracing_ = true;
  } else if (onOff == "off") {
    tracing_ = false;
  } else {
    throw Failure{"trace takes on or off, not " + quoted(onOff)};
  }
}

void Driver::propertyWritten(Control& c, Prop p) {
  if (tracing_) out_ << c.name() << '.' << kPropNames[p] << " = " << propertyText(c.get(p)) << '\n';
}

void Driver::eventRaised(Control& c, Event e) {
  if (tracing_)
    out_ << '@' << game_.clock.now() << ' ' << c.name() << '.' << kEventNames[e] << '\n';
}

}  // namespace sorato
