#include "soak/scenario_generator.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace scenario::testing {

namespace {

// A small generator of its own, so that a seed gives the same scenario with every library.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  std::uint64_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  // From `low` to `high`, both included.
  std::int64_t between(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(high - low + 1));
  }
  bool one_in(int n) { return between(1, n) == 1; }
  std::int64_t metres(std::int64_t low, std::int64_t high) {
    return between(low / 50, high / 50) * 50;
  }

 private:
  std::uint64_t state_;
};

std::string n(std::int64_t value) { return std::to_string(value); }

std::string join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

const char* const kCurveSides[] = {"curvas", "curvad"};
// Names are single-byte text as the files hold them: some with the code page's letters and
// signs above 7F, one with a byte it leaves undefined.
const char* const kBoards[] = {"(P.L.)",  "(  KM. )(1.200)", "(BIVIO)",
                               "<Ponte>", "\"citato\"",      "(CITT\xC0 \x80 \x8D)"};
const char* const kStations[] = {"ALTA",           "BASSA", "PONTE",
                                 "SELVA di MONTE", "PORTO", "SANT\222ANNA \xC8 \x9F"};

// A record's text put together field by field, the dice drawn in the order of the calls: the
// operands of one + are evaluated in whichever order the compiler picks, so a line built with +
// from several draws would differ between compilers for the same seed.
class Record {
 public:
  explicit Record(std::string keyword) : text_(std::move(keyword)) {}
  Record& field(std::int64_t value, const char* before = ",  ") {
    text_ += before;
    text_ += n(value);
    return *this;
  }
  Record& text(std::string_view more) {
    text_ += more;
    return *this;
  }
  std::string done() const { return text_; }

 private:
  std::string text_;
};

std::vector<std::string> route_lines(Dice& dice, std::int64_t length) {
  std::vector<std::string> lines = {"[generale]", "lunghezza percorso,    " + n(length)};
  for (const char* which : {"uno", "due", "tre"}) {
    lines.push_back(Record(std::string("progressiva chilometrica ") + which)
                        .field(dice.metres(0, 2000), ",    ")
                        .field(dice.metres(0, 5000), ",    ")
                        .field(dice.between(0, 1), ",    ")
                        .done());
  }
  for (const char* which : {"uno", "due", "tre"}) {
    lines.push_back(std::string("sfondo ") + which + ",    " + n(dice.between(0, 3)));
  }
  const std::int64_t coded_end = dice.one_in(4) ? 0 : dice.metres(0, length);
  const char* codes = dice.one_in(2) ? "9" : "4";
  lines.push_back(std::string("ripetizione segnali ") + codes + " codici,    0,    " +
                  n(coded_end));

  lines.push_back("[curve]");
  for (std::int64_t at = dice.metres(0, 2000); at + 200 < length; at += dice.metres(200, 4000)) {
    const std::int64_t span = std::min<std::int64_t>(dice.metres(100, 1500), length - at);
    lines.push_back(Record(kCurveSides[dice.between(0, 1)])
                        .field(dice.between(1, 6), "")
                        .field(at)
                        .field(span)
                        .done());
    at += span;
  }
  lines.push_back("[pendenze]");
  for (std::int64_t at = dice.metres(0, 3000); at < length; at += dice.metres(300, 5000)) {
    lines.push_back("pendenza,  " + n(at) + ",  " + n(dice.between(-30, 30)));
  }
  lines.push_back("[montagne]");
  for (std::int64_t at = dice.metres(500, 8000); at + 400 < length; at += dice.metres(500, 9000)) {
    const std::int64_t end = at + dice.metres(100, 800);
    lines.push_back(
        Record("montagna").field(at, ",   ").field(end).field(dice.between(1, 14)).done());
    at = end;
  }
  lines.push_back("[cartelli]");
  for (std::int64_t at = dice.between(1, 4) * 1000; at < length / 2;
       at += dice.between(1, 9) * 1000) {
    std::string record = "indicatori_vmax,  " + n(at);
    for (int board = 0; board < 2; ++board) {
      for (int speed = 0; speed < 3; ++speed) record += ",  " + n(dice.metres(0, 150) / 5 * 5);
      record += ",  " + n(dice.between(0, 9));
    }
    lines.push_back(record);
  }
  lines.push_back("[indicazioni]");
  for (std::int64_t at = dice.between(1, 5) * 1000 + 500; at < length / 2;
       at += dice.between(1, 7) * 1000) {
    lines.push_back("cartello_indicatore,  " + n(at) + ",   " + kBoards[dice.between(0, 5)]);
  }
  lines.push_back("[fine]");
  return lines;
}

std::vector<std::string> train_lines(Dice& dice, std::int64_t length) {
  // The clauses of a braced list are evaluated in order.
  std::vector<std::string> lines = {"[generale]",
                                    "numero vetture,    " + n(dice.between(1, 12)),
                                    "percentuale massa frenata,    " + n(dice.between(50, 150)),
                                    "sabbia,    " + n(dice.between(0, 1)),
                                    Record("orologio")
                                        .field(dice.between(0, 23), ",    ")
                                        .field(dice.between(0, 59), "   ")
                                        .field(dice.between(0, 59), "   ")
                                        .done(),
                                    "[aderenze]"};
  for (std::int64_t at = 0; at < length; at += dice.metres(1000, 20000)) {
    lines.push_back("aderenza,   " + n(at) + ",    " + n(dice.between(40, 100)));
  }
  lines.push_back("[vel_limite]");
  for (std::int64_t at = 0; at < length; at += dice.metres(1000, 15000)) {
    lines.push_back("velocita,   " + n(at) + ",    " + n(dice.metres(20, 150) / 10 * 10));
  }
  lines.push_back("[stazioni]");
  std::int64_t hour = dice.between(5, 20);
  std::int64_t minute = 0;
  for (std::int64_t at = 0;; at += dice.between(2, 12) * 1000) {
    const bool last = at + 2000 >= length;
    if (last) at = length;
    minute += dice.between(2, 15);
    hour += minute / 60;
    minute %= 60;
    lines.push_back(Record("stazione")
                        .field(at, ",   ")
                        .field(dice.between(1, 30), ", ")
                        .field(dice.metres(200, 700) / 100 * 100)
                        .field(at == 0 ? 1 : dice.between(0, 1))
                        .text(", 0")
                        .field(dice.between(0, 1), ", ")
                        .field(dice.between(0, 4))
                        .text(",1,0")
                        .field(dice.between(0, 4))
                        .text(",1,1")
                        .field(dice.between(0, 60), ",    ")
                        .field(hour % 24, ",   ")
                        .field(minute, ", ")
                        .field(dice.between(0, 59), ",")
                        .text(", ")
                        .text(kStations[dice.between(0, 5)])
                        .done());
    if (last) break;
  }
  // Slowdowns and signals in the second half, away from the boards of the first half, the
  // stations on whole kilometres and each other; the rest of a valid scenario's failures come
  // from what the dice put together.
  std::vector<std::string> slowdowns, signals;
  for (std::int64_t at = (length / 2000) * 1000 + 2250; at + 1500 < length;
       at += dice.between(4, 10) * 1000) {
    if (dice.one_in(2)) {
      slowdowns.push_back(Record("rallentamento")
                              .field(at)
                              .field(dice.between(1, 6) * 10)
                              .field(dice.between(1, 4) * 100)
                              .text(",  1,  1,  0")
                              .done());
    } else {
      signals.push_back(Record("segnale")
                            .field(at + 500, ",   ")
                            .field(dice.between(1, 3), ",   ")
                            .field(dice.between(1, 6), ", ")
                            .field(dice.between(1, 6), ", ")
                            .text(",  0")
                            .field(dice.between(0, 1), ", ")
                            .text(",    0,  0,0,0, 0")
                            .done());
    }
  }
  lines.push_back("[rallentamenti]");
  lines.insert(lines.end(), slowdowns.begin(), slowdowns.end());
  lines.push_back("[segnali]");
  lines.insert(lines.end(), signals.begin(), signals.end());
  lines.push_back("[codici]");
  if (dice.one_in(3)) {
    lines.push_back(Record("abbattimento")
                        .field(dice.metres(500, length))
                        .field(dice.metres(0, 150) / 10 * 10)
                        .done());
  }
  lines.push_back("[fine]");
  return lines;
}

// Damages one of the two files; says how.
std::string damage(Dice& dice, std::vector<std::string>& lines, const char* which) {
  const std::size_t at =
      static_cast<std::size_t>(dice.between(1, static_cast<std::int64_t>(lines.size()) - 1));
  std::string& line = lines[at];
  switch (dice.between(0, 8)) {
    case 0:
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
      return std::string(which) + ": line " + n(at + 1) + " dropped";
    case 1:
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
      return std::string(which) + ": line " + n(at + 1) + " repeated";
    case 2: {
      const std::size_t digit = line.find_first_of("0123456789");
      if (digit == std::string::npos) return damage(dice, lines, which);
      line.insert(digit, "x");
      return std::string(which) + ": a number of line " + n(at + 1) + " spelt wrong";
    }
    case 3: {
      const std::size_t comma = line.find(',');
      if (comma == std::string::npos) return damage(dice, lines, which);
      const char* const kHuge[] = {"2147483648",  "-2147483649", "2147483647",
                                   "-2147483648", "1000001",     "99999999999999999999"};
      line.insert(comma + 1, std::string(kHuge[dice.between(0, 5)]) + ",");
      return std::string(which) + ": a boundary number put into line " + n(at + 1);
    }
    case 4: {
      const std::size_t digit = line.find_last_of("0123456789");
      if (digit == std::string::npos) return damage(dice, lines, which);
      line.insert(digit + 1, "7");
      return std::string(which) + ": a number of line " + n(at + 1) + " off the grid";
    }
    case 5:
      lines.resize(at);
      return std::string(which) + ": cut short at line " + n(at + 1);
    case 6:
      line = line.substr(0, line.size() / 2);
      return std::string(which) + ": line " + n(at + 1) + " cut in half";
    case 7: {
      // A board or a signal at the line's start lands on cell 1, which holds the markers.
      const std::size_t comma = line.find(',');
      if (comma == std::string::npos) return damage(dice, lines, which);
      const std::size_t end = line.find(',', comma + 1);
      line.replace(comma + 1, end == std::string::npos ? std::string::npos : end - comma - 1, " 0");
      return std::string(which) + ": the first number of line " + n(at + 1) + " made 0";
    }
    default:
      std::swap(lines[at], lines[at - 1]);
      return std::string(which) + ": lines " + n(at) + " and " + n(at + 1) + " swapped";
  }
}

}  // namespace

GeneratedScenario generate_scenario(std::uint64_t seed) {
  Dice dice(seed);
  // Mostly short lines, sometimes a long one.
  const std::int64_t length =
      dice.one_in(50) ? dice.metres(50000, 150000) : dice.metres(3000, 40000);
  std::vector<std::string> route = route_lines(dice, length);
  std::vector<std::string> train = train_lines(dice, length);
  GeneratedScenario made;
  if (dice.one_in(3)) {
    made.damage = dice.one_in(2) ? damage(dice, route, "route") : damage(dice, train, "train");
  }
  made.route = join(route);
  made.train = join(train);
  return made;
}

}  // namespace scenario::testing
