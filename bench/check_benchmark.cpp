// Measures what `scenario check` adds to `scenario compile` on a long scenario: the generated
// 1,000,000 m scenario of the benchmark, with gradient, speed-limit and adhesion stretches
// added so that it holds thousands of records. Runs the two commands in turn, several times
// each, and prints the median wall and processor times and their ratios. It measures; it is no
// test.
//
//   bench_check TOOL GENERATOR WORK_FOLDER [RUNS]

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
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kLength = 1000000;
constexpr std::int64_t kGradientEvery = 500;
constexpr std::int64_t kSpeedEvery = 1000;
constexpr std::int64_t kAdhesionEvery = 2000;

struct Run {
  double seconds = 0;
  double cpu_seconds = 0;
};

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "bench_check: %s\n", what.c_str());
  std::exit(1);
}

double seconds_of(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

// Starts the program with its output thrown away and takes its wall and processor time; it
// must end with status 0.
Run run(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
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
    std::string line = "this run did not end with status 0:";
    for (const std::string& a : command) line += " '" + a + "'";
    fail(line);
  }
  return {std::chrono::duration<double>(end - start).count(),
          seconds_of(usage.ru_utime) + seconds_of(usage.ru_stime)};
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void write(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) fail("cannot write " + file.string());
}

// Puts `lines` right after the line `head` of `text`.
std::string inserted_after(const std::string& text, const std::string& head,
                           const std::string& lines) {
  const std::size_t at = text.find(head + "\n");
  if (at == std::string::npos) fail("the generated file has no line " + head);
  std::string result = text;
  result.insert(at + head.size() + 1, lines);
  return result;
}

// Stretches in ascending order from the first step on, so that the check finds nothing to say
// about them; speeds are multiples of 5.
std::string stretches(const char* keyword, std::int64_t every, std::int64_t first_value,
                      std::int64_t spread, std::int64_t step) {
  std::string lines;
  for (std::int64_t p = every, k = 0; p < kLength; p += every, ++k) {
    lines += std::string(keyword) + ",   " + std::to_string(p) + ",    " +
             std::to_string(first_value + step * (k % spread)) + "\n";
  }
  return lines;
}

// Records of a text file: its lines that are not section heads.
std::int64_t records_in(const std::string& text) {
  std::int64_t records = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    if (text[at] != '[') ++records;
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return records;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr, "usage: bench_check TOOL GENERATOR WORK_FOLDER [RUNS]\n");
    return 64;
  }
  const std::string tool = fs::absolute(argv[1]).string();
  const std::string generator = fs::absolute(argv[2]).string();
  const fs::path work = fs::absolute(argv[3]);
  const int runs = argc == 5 ? std::atoi(argv[4]) : 5;
  if (runs < 1) fail("RUNS is at least 1");

  fs::remove_all(work);
  fs::create_directories(work / "out");
  run({generator, std::to_string(kLength), work.string()});
  const fs::path route = work / "route.txt";
  const fs::path train = work / "train.txt";
  write(route, inserted_after(read(route), "[pendenze]",
                              stretches("pendenza", kGradientEvery, -5, 11, 1)));
  std::string train_text = inserted_after(read(train), "[vel_limite]\nvelocita,   0,    140",
                                          stretches("velocita", kSpeedEvery, 100, 5, 10));
  train_text = inserted_after(train_text, "[aderenze]\naderenza,   0,    100",
                              stretches("aderenza", kAdhesionEvery, 80, 3, 10));
  write(train, train_text);
  const std::int64_t records = records_in(read(route)) + records_in(read(train));

  const std::vector<std::string> compile = {tool,       "compile",
                                            "--route",  route.string(),
                                            "--train",  train.string(),
                                            "--line",   "Lunga",
                                            "--number", "1",
                                            "--out",    (work / "out").string()};
  const std::vector<std::string> check = {
      tool,           "check",  "--route", route.string(), "--train",
      train.string(), "--line", "Lunga",   "--number",     "1"};
  std::vector<double> compile_wall, compile_cpu, check_wall, check_cpu;
  run(compile);  // once to warm the caches, not counted
  for (int i = 0; i < runs; ++i) {
    const Run c = run(compile);
    compile_wall.push_back(c.seconds);
    compile_cpu.push_back(c.cpu_seconds);
    const Run k = run(check);
    check_wall.push_back(k.seconds);
    check_cpu.push_back(k.cpu_seconds);
  }
  const double cw = median(compile_wall);
  const double cc = median(compile_cpu);
  const double kw = median(check_wall);
  const double kc = median(check_cpu);
  std::printf("route of %lld m, %lld records, median of %d runs\n", static_cast<long long>(kLength),
              static_cast<long long>(records), runs);
  std::printf("%-18s %10s %10s\n", "", "wall", "processor");
  std::printf("%-18s %8.4f s %8.4f s\n", "scenario compile", cw, cc);
  std::printf("%-18s %8.4f s %8.4f s\n", "scenario check", kw, kc);
  std::printf("%-18s %9.2fx %9.2fx\n", "check / compile", kw / cw, kc / cc);
  return 0;
}
