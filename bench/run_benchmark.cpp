// Runs `scenario compile` on generated routes and the shipped pack, each several times and in
// turn with a floor program that only writes the same files, and prints the median wall times,
// their ratio and the peak resident memory of both. Nothing here is a test: it measures.
//
//   bench_run TOOL PACK FLOOR GENERATOR SCENARIO_FOLDER WORK_FOLDER [RUNS]
//
// SCENARIO_FOLDER holds the shipped scenario's five text files (route.txt, train.txt,
// notes.txt, slowdowns.txt, sheet.txt); WORK_FOLDER is created and reused.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct Run {
  double seconds = 0;      // wall time
  double cpu_seconds = 0;  // user and system time of the child
  double peak_mib = 0;
};

double seconds_of(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "bench_run: %s\n", what.c_str());
  std::exit(1);
}

// Starts the program with its output thrown away, waits for it and takes its wall time, its
// processor time and its peak resident set (the kernel's figures for that child alone).
Run run(const std::vector<std::string>& command, const fs::path& folder) {
  std::vector<char*> argv;
  for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());

  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    fail("cannot start " + command[0]);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) fail("lost " + command[0]);
  const auto end = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::string line = "this run did not exit with 0:";
    for (const std::string& a : command) line += " '" + a + "'";
    fail(line);
  }
  return {std::chrono::duration<double>(end - start).count(),
          seconds_of(usage.ru_utime) + seconds_of(usage.ru_stime),
          static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Series {
  std::vector<double> seconds;
  std::vector<double> cpu_seconds;
  double peak_mib = 0;
  void add(const Run& r) {
    seconds.push_back(r.seconds);
    cpu_seconds.push_back(r.cpu_seconds);
    peak_mib = std::max(peak_mib, r.peak_mib);
  }
};

// The regular files in `folder` with their sizes, by name.
std::vector<std::pair<std::string, std::uintmax_t>> listing(const fs::path& folder) {
  std::vector<std::pair<std::string, std::uintmax_t>> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file())
      files.emplace_back(entry.path().filename().string(), entry.file_size());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Names and sizes of the files in `folder`, as arguments for the floor (name, then size).
std::vector<std::string> floor_arguments(const fs::path& folder) {
  std::vector<std::string> args;
  for (const auto& [name, size] : listing(folder)) {
    args.push_back(name);
    args.push_back(std::to_string(size));
  }
  return args;
}

// Size of a scenario text file as the pack writes it: every line before the end sentinel,
// each ended by CR LF.
std::uint64_t written_text_size(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::uint64_t size = 0;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line == "riferimento fine del file") break;
    size += line.size() + 2;
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return size;
}

void fresh(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
}

void print(const char* what, const Series& compile, const Series& floor) {
  const double c = median(compile.seconds);
  const double f = median(floor.seconds);
  const double cc = median(compile.cpu_seconds);
  const double fc = median(floor.cpu_seconds);
  std::printf("%-30s %8.4f s %8.4f s %6.2fx %8.4f s %8.4f s %6.2fx %7.1f MiB %7.1f MiB\n", what, c,
              f, c / f, cc, fc, cc / fc, compile.peak_mib, floor.peak_mib);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7 || argc > 8) {
    std::fprintf(stderr,
                 "usage: bench_run TOOL PACK FLOOR GENERATOR SCENARIO_FOLDER WORK_FOLDER [RUNS]\n");
    return 64;
  }
  const std::string tool = fs::absolute(argv[1]).string();
  const fs::path pack = fs::absolute(argv[2]);
  const std::string floor = fs::absolute(argv[3]).string();
  const std::string generator = fs::absolute(argv[4]).string();
  const fs::path shipped = fs::absolute(argv[5]);
  const fs::path work = fs::absolute(argv[6]);
  const int runs = argc == 8 ? std::atoi(argv[7]) : 9;
  if (runs < 1) fail("RUNS must be at least 1");
  fs::create_directories(work);

  std::printf(
      "median of %d runs each, compile and floor in turn; cpu = user + system time; "
      "peak = largest ru_maxrss\n\n",
      runs);
  std::printf("%-30s %10s %10s %7s %10s %10s %7s %11s %11s\n", "", "wall", "floor", "ratio", "cpu",
              "floor cpu", "ratio", "peak", "floor peak");

  struct Length {
    std::int64_t metres;
    double compile_median;
    double floor_median;
    double compile_cpu;
  };
  std::vector<Length> lengths;
  for (const std::int64_t metres : {10000, 100000, 1000000}) {
    const fs::path folder = work / ("route_" + std::to_string(metres));
    fresh(folder);
    run({generator, std::to_string(metres), folder.string()}, folder);
    const fs::path out = folder / "out";
    const fs::path floor_out = folder / "floor";
    fs::create_directories(floor_out);
    const std::vector<std::string> compile = {tool,       "compile",
                                              "--route",  (folder / "route.txt").string(),
                                              "--train",  (folder / "train.txt").string(),
                                              "--line",   "Bench Line",
                                              "--number", "1",
                                              "--out",    out.string()};
    run(compile, folder);  // first run: creates the outputs whose sizes the floor writes
    std::vector<std::string> floor_command = {floor, floor_out.string()};
    for (std::string& a : floor_arguments(out)) floor_command.push_back(std::move(a));

    // A floor that wrote other files than the compile would measure nothing worth comparing.
    run(floor_command, folder);
    if (listing(floor_out) != listing(out)) fail("the floor did not write the compile's files");

    Series c;
    Series f;
    for (int i = 0; i < runs; ++i) {
      c.add(run(compile, folder));
      f.add(run(floor_command, folder));
    }
    const std::string label = "compile, " + std::to_string(metres) + " m";
    print(label.c_str(), c, f);
    lengths.push_back({metres, median(c.seconds), median(f.seconds), median(c.cpu_seconds)});
  }

  // The shipped pack writes beside itself, so it runs from a copy in its own folder.
  const fs::path pack_folder = work / "pack";
  const fs::path pack_floor = work / "pack_floor";
  fresh(pack_folder);
  fresh(pack_floor);
  const fs::path pack_copy = pack_folder / pack.filename();
  fs::copy_file(pack, pack_copy);
  run({pack_copy.string()}, pack_folder);
  std::vector<std::string> floor_command = {floor, pack_floor.string()};
  for (const auto& entry : fs::directory_iterator(pack_folder)) {
    if (entry.path() == pack_copy) continue;
    floor_command.push_back(entry.path().filename().string());
    floor_command.push_back(std::to_string(entry.file_size()));
  }
  // The route and train text files are written too, then read and deleted by the compile.
  const std::string identity = pack.filename().string();
  const std::string line = identity.substr(0, identity.rfind('_'));
  floor_command.push_back(line + "_linea.txt");
  floor_command.push_back(std::to_string(written_text_size(shipped / "route.txt")));
  floor_command.push_back(identity + "-.txt");
  floor_command.push_back(std::to_string(written_text_size(shipped / "train.txt")));
  if (floor_command.size() != 2 + 2 * 8) fail("the shipped pack did not leave its six files");

  Series p;
  Series f;
  for (int i = 0; i < runs; ++i) {
    p.add(run({pack_copy.string()}, pack_folder));
    f.add(run(floor_command, pack_folder));
  }
  print("shipped pack, eight files", p, f);

  // A cost that grows faster than the route shows as a larger cost per added metre.
  std::printf(
      "\ntime per metre of route (median / length), and per metre added since the "
      "shorter route\n");
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    const Length& l = lengths[i];
    std::printf("%9lld m   wall %8.1f ns/m   cpu %8.1f ns/m   floor %8.1f ns/m",
                static_cast<long long>(l.metres), 1e9 * l.compile_median / l.metres,
                1e9 * l.compile_cpu / l.metres, 1e9 * l.floor_median / l.metres);
    if (i > 0) {
      const Length& p = lengths[i - 1];
      const double added = static_cast<double>(l.metres - p.metres);
      std::printf("   added: wall %6.1f ns/m   cpu %6.1f ns/m",
                  1e9 * (l.compile_median - p.compile_median) / added,
                  1e9 * (l.compile_cpu - p.compile_cpu) / added);
    }
    std::printf("\n");
  }
  return 0;
}
