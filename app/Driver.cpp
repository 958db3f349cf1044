#include "Driver.h"

#include <cmath>
#include <istream>
#include <new>
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

}  // namespace

float Driver::twips(std::string_view what, std::string_view s) {
  float v = 0;
  if (!parseDecimal(s, true, v)) {
    throw Failure{std::string(what) + " must be a number of twips, not " + quoted(s)};
  }
  if (!std::isfinite(v)) {
    throw Failure{std::string(what) + " " + quoted(s) + " is beyond the range of a float"};
  }
  return v;
}

Driver::Driver(std::ostream& out, std::ostream& err, RandomSource* fallback)
    : out_(out), err_(err), game_(fallback) {
  game_.ui.addObserver(this);
}

Driver::~Driver() {
  game_.ui.removeObserver(this);
}

int Driver::run(std::istream& in) {
  // One buffer for every line: room for kMaxLine bytes and a CR, and one more byte, which
  // tells a line that is too long.
  std::vector<char> buffer(kMaxLine + 2);
  for (std::int64_t number = 1;; ++number) {
    in.getline(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (in.bad()) {
      out_.flush();
      err_ << "error: the input could not be read (a folder, or a closed or write-only "
              "standard input?)\n";
      err_.flush();
      return kInputLost;
    }
    const auto got = static_cast<std::size_t>(in.gcount());
    if (in.fail() && in.eof()) break;  // the end of the script
    // (failed without the end: the buffer filled up before the line's LF)
    std::string_view line(buffer.data(), got - (in.eof() || in.fail() ? 0 : 1));  // no LF
    if (line.ends_with('\r')) line.remove_suffix(1);                              // CR LF line ends
    if (in.fail() || line.size() > kMaxLine) {
      return failed(number, "the line is longer than " + std::to_string(kMaxLine) + " bytes");
    }
    // The byte-order mark some editors put at the start of a UTF-8 file.
    if (number == 1 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
    try {
      execute(line);
    } catch (const Failure& f) {
      return failed(number, f.reason);
    } catch (const std::bad_alloc&) {
      return failed(number, "out of memory");
    }
    if (!out_) return outputLost();
    if (game_.ui.unloaded() || in.eof()) break;
  }
  out_.flush();
  return out_ ? kEnded : outputLost();
}

// A line that cannot be run: its error, and status 2; but when what came before it could
// not be written either, both errors and status 3, for then nothing printed arrived.
int Driver::failed(std::int64_t number, std::string_view reason) {
  out_.flush();
  err_ << "error: line " << number << ": " << reason << '\n';
  err_.flush();
  return out_ ? kFailed : outputLost();
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
  a.x = twips("X", x);
  a.y = twips("Y", y);
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
    a.x = twips("X", args[2]);
    a.y = twips("Y", args[3]);
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
    std::string why;
    if (!parseRandom(values[i], r, why)) throw Failure{why};
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
