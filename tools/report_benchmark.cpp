// Times `scenario report` on a generated line of 1,000,000 m with a curve every 2 km, a gradient
// every kilometre, mountains, boards, 50 stations, signals and slowdowns, and prints how long it
// took and how large the page and the pictures are. Not a test: run it by hand on a release
// build (see tools/CMakeLists.txt). Given a folder, it leaves the files there to look at.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "report_command.h"

namespace {

constexpr int kLength = 1000000;

std::string long_route() {
  std::string route = "[generale]\nlunghezza percorso, " + std::to_string(kLength) +
                      "\nripetizione segnali 9 codici, 0, 500000\n[curve]\n";
  const char* classes = "123456";
  for (int k = 0; k < kLength / 2000 - 1; ++k) {
    const int start = 2000 * k + 500;
    route += std::string("curva") + (k % 2 == 0 ? "s" : "d") + classes[k % 6] + ", " +
             std::to_string(start) + ", " + std::to_string(300 + 100 * (k % 8)) + "\n";
  }
  route += "[pendenze]\n";
  for (int m = 1000; m < kLength; m += 1000) {
    route += "pendenza, " + std::to_string(m) + ", " + std::to_string((m / 1000) % 31 - 15) + "\n";
  }
  route += "[montagne]\n";
  for (int m = 10000; m < kLength; m += 50000) {
    route += "montagna, " + std::to_string(m) + ", " + std::to_string(m + 3000) + ", 12\n";
  }
  route += "[cartelli]\n";
  for (int m = 20025; m < kLength; m += 40000) {
    route += "indicatori_vmax, " + std::to_string(m - 25) + ", 100, 110, 110, 0, 90, 95, 95, 1\n";
  }
  route += "[indicazioni]\n";
  for (int m = 30000; m < kLength; m += 40000) {
    route +=
        "cartello_indicatore, " + std::to_string(m) + ", (KM " + std::to_string(m / 1000) + ")\n";
  }
  return route + "[fine]\n";
}

std::string long_train() {
  std::string train =
      "[generale]\nnumero vetture, 8\naderenza, 0, 100\nvelocita, 0, 120\n[stazioni]\n";
  for (int k = 0; k < 50; ++k) {
    train += "stazione, " + std::to_string(19000 * k + 1000) +
             ", 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 9,0,0, STAZIONE " + std::to_string(k + 1) + "\n";
  }
  train += "[rallentamenti]\n";
  for (int m = 5000; m < kLength - 10000; m += 50000) {
    train += "rallentamento, " + std::to_string(m) + ", 60, 400, 1, 1, 0\n";
  }
  train += "[segnali]\n";
  for (int m = 8200; m < kLength - 10000; m += 14000) {
    train += "segnale, " + std::to_string(m) + ", 2, 5, 6, 0, 0, 0, 0, 0, 0, 0\n";
  }
  return train + "[fine]\n";
}

void write(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

int main(int argc, char** argv) {
  const bool keep = argc > 1;
  const std::filesystem::path folder =
      keep ? std::filesystem::path(argv[1])
           : std::filesystem::temp_directory_path() /
                 ("report-benchmark-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(folder);
  scenario::tool::ReportRequest request;
  request.route = folder / "route.txt";
  request.train = folder / "train.txt";
  request.line_name = "Linea Lunga";
  request.train_number = "1";
  request.html = folder / "report.html";
  request.map_svg = folder / "map.svg";
  request.profile_svg = folder / "profile.svg";
  write(request.route, long_route());
  write(request.train, long_train());

  const auto start = std::chrono::steady_clock::now();
  const int status = scenario::tool::write_report(request, std::cerr);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

  std::cout << "status " << status << ", " << took.count() << " s; page "
            << std::filesystem::file_size(request.html) << " bytes, map "
            << std::filesystem::file_size(request.map_svg) << " bytes, profile "
            << std::filesystem::file_size(request.profile_svg) << " bytes\n";
  if (!keep) std::filesystem::remove_all(folder);
  return status;
}
