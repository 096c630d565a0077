// Writes a long, valid scenario for the benchmark: a route of the given length with curves,
// mountains and a cab-signal stretch over the whole line, and a train with stations, slowdowns
// and signals, spread evenly so that no two features compete for a cell. The same length always
// gives the same files.
//
//   bench_generate_scenario LENGTH FOLDER   (writes FOLDER/route.txt and FOLDER/train.txt)

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kCell = 50;
constexpr std::int64_t kLongestRoute = 1000000;

// Feature counts of the 1,000,000 m route; shorter routes keep the same density.
constexpr std::int64_t kCurves = 350;
constexpr std::int64_t kMountains = 80;
constexpr std::int64_t kStations = 30;
constexpr std::int64_t kSlowdowns = 50;
constexpr std::int64_t kLoneSignals = 50;  // besides the two that go with each slowdown

std::int64_t scaled(std::int64_t count, std::int64_t length) {
  const std::int64_t n = (count * length + kLongestRoute / 2) / kLongestRoute;
  return n < 1 ? 1 : n;
}

std::int64_t down_to_cell(std::int64_t metres) { return metres / kCell * kCell; }

// Cells already promised to a feature, so that the next one looks for room elsewhere.
class CellPlan {
 public:
  explicit CellPlan(std::int64_t last_cell) : taken_(static_cast<std::size_t>(last_cell) + 1) {}

  bool free(std::int64_t first, std::int64_t last) const {
    if (first < 0 || last >= static_cast<std::int64_t>(taken_.size())) return false;
    for (std::int64_t c = first; c <= last; ++c) {
      if (taken_[static_cast<std::size_t>(c)]) return false;
    }
    return true;
  }
  void take(std::int64_t first, std::int64_t last) {
    for (std::int64_t c = first; c <= last; ++c) taken_[static_cast<std::size_t>(c)] = true;
  }

 private:
  std::vector<bool> taken_;
};

struct Footprint {
  std::int64_t first;  // cell offsets from the feature's own position / 50
  std::int64_t last;
};

// The first position at or after `wanted` (a multiple of 50, below `limit`) whose footprint is
// still free; it is then taken. Stops the generator when the line has no room left.
std::int64_t place(CellPlan& plan, std::int64_t wanted, std::int64_t limit, Footprint f) {
  for (std::int64_t p = down_to_cell(wanted); p < limit; p += kCell) {
    const std::int64_t cell = p / kCell;
    if (plan.free(cell + f.first, cell + f.last)) {
      plan.take(cell + f.first, cell + f.last);
      return p;
    }
  }
  std::cerr << "bench_generate_scenario: no room for a feature near " << wanted << " m\n";
  std::exit(1);
}

void write_route(std::ostream& out, std::int64_t length) {
  out << "[generale]\n";
  out << "lunghezza percorso,    " << length << "\n";
  out << "progressiva chilometrica uno,    0,    0,    0\n";
  out << "progressiva chilometrica due,    0,    0,    0\n";
  out << "progressiva chilometrica tre,    0,    0,    0\n";
  out << "sfondo uno,    1\n";
  out << "sfondo due,    0\n";
  out << "sfondo tre,    0\n";
  out << "ripetizione segnali 9 codici,    0,    " << down_to_cell(length) << "\n";

  // Curves in ascending order, each well inside its own stretch, every class and both sides.
  out << "[curve]\n";
  const std::int64_t curves = scaled(kCurves, length);
  const std::int64_t curve_spacing = length / curves;
  for (std::int64_t i = 0; i < curves; ++i) {
    const std::int64_t start = i * curve_spacing + curve_spacing / 4;
    const std::int64_t span = curve_spacing / 2 < 1000 ? curve_spacing / 2 : 1000;
    const std::int64_t curve_length = span / 2 + (i * 137) % (span / 2 + 1);
    const char side = i % 2 == 0 ? 's' : 'd';
    out << "curva" << side << (1 + i % 6) << ",  " << start << ",  " << curve_length << "\n";
  }
  out << "[pendenze]\n";

  // Mountains of 400 m, every other one with its marks.
  out << "[montagne]\n";
  const std::int64_t mountains = scaled(kMountains, length);
  const std::int64_t mountain_spacing = length / mountains;
  for (std::int64_t i = 0; i < mountains; ++i) {
    const std::int64_t start = down_to_cell(i * mountain_spacing + mountain_spacing / 3);
    out << "montagna,   " << start << ",  " << start + 400 << ",  " << (i % 2 == 0 ? 12 : 2)
        << "\n";
  }
  out << "[cartelli]\n";
  out << "[indicazioni]\n";
  out << "[fine]\n";
}

void write_train(std::ostream& out, std::int64_t length) {
  CellPlan plan((length + 7000) / kCell);
  const std::int64_t limit = length - 1000;

  out << "[generale]\n";
  out << "numero vetture,    6\n";
  out << "percentuale massa frenata,    100\n";
  out << "sabbia,    0\n";
  out << "orologio,    10              10            40 \n";
  out << "[aderenze]\n";
  out << "aderenza,   0,    100\n";
  out << "[vel_limite]\n";
  out << "velocita,   0,    140\n";

  // Type 12, 300 m long: zone 150 m either side, its stop cell at position / 50 + 2 and the
  // approach marks on the four cells before it.
  out << "[stazioni]\n";
  const std::int64_t stations = scaled(kStations, length);
  const std::int64_t station_spacing = length / stations;
  for (std::int64_t i = 0; i < stations; ++i) {
    const std::int64_t p =
        place(plan, i * station_spacing + station_spacing / 8 + 400, limit, {-10, 10});
    char name[32];
    std::snprintf(name, sizeof name, "POSTO %02d", static_cast<int>(i + 1));
    out << "stazione,   " << p << ", 12,  300,  0, 0, 0,  1,1,0,  2,1,1,    0,   " << 9 + i / 4
        << ", " << (i % 4) * 15 << ", 0, " << name << "\n";
  }

  // Each slowdown below 110 km/h, with one signal ten cells before its warning point and one
  // five cells after its end, so that every rule of the code-change pass has work to do. The
  // footprint runs from the first signal's approach marks to the signal after the end.
  out << "[rallentamenti]\n";
  const std::int64_t slowdowns = scaled(kSlowdowns, length);
  const std::int64_t slowdown_spacing = length / slowdowns;
  constexpr std::int64_t speeds[] = {30, 60, 80, 100};
  std::vector<std::int64_t> signals;
  for (std::int64_t i = 0; i < slowdowns; ++i) {
    const std::int64_t l = 400 + (i % 4) * 200;
    const std::int64_t start_cell = 1;              // x / 50 + 1
    const std::int64_t end_cell = (l / kCell) + 1;  // (x + l) / 50 + 1
    const std::int64_t warning_cell = start_cell - 24;
    const Footprint around{warning_cell - 10 - 12, end_cell + 5 + 2};
    const std::int64_t x = place(plan, i * slowdown_spacing + slowdown_spacing / 2, limit, around);
    out << "rallentamento,  " << x << ",  " << speeds[i % 4] << ",  " << l << ",  1,  1,  0\n";
    signals.push_back(x + (warning_cell - 10 - 1) * kCell);
    signals.push_back(x + (end_cell + 5 - 1) * kCell);
  }

  const std::int64_t lone = scaled(kLoneSignals, length);
  const std::int64_t signal_spacing = length / lone;
  for (std::int64_t i = 0; i < lone; ++i) {
    // Cell position / 50 + 1 and its approach marks two to eight cells before it.
    signals.push_back(place(plan, i * signal_spacing + signal_spacing / 3 + 400, limit, {-7, 2}));
  }

  out << "[segnali]\n";
  for (std::size_t i = 0; i < signals.size(); ++i) {
    out << "segnale,   " << signals[i] << ",   2, 5, 6,  0, " << i % 2 << ",    0,  0,0,0, 0\n";
  }
  out << "[codici]\n";
  out << "[fine]\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: bench_generate_scenario LENGTH FOLDER\n";
    return 64;
  }
  const std::int64_t length = std::atoll(argv[1]);
  if (length < 10000 || length > kLongestRoute || length % kCell != 0) {
    std::cerr << "bench_generate_scenario: LENGTH is a multiple of 50 from 10000 to 1000000\n";
    return 64;
  }
  const std::string folder = argv[2];
  std::ofstream route(folder + "/route.txt", std::ios::binary);
  std::ofstream train(folder + "/train.txt", std::ios::binary);
  write_route(route, length);
  write_train(train, length);
  route.close();
  train.close();
  if (!route || !train) {
    std::cerr << "bench_generate_scenario: cannot write into " << folder << "\n";
    return 74;
  }
  return 0;
}
