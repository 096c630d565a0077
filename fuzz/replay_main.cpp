// Runs a harness over saved inputs, outside the fuzzer: every file of the folders given, so
// that the seeds and every finding kept from earlier fuzzing go through the normal tests.
// Prints how many inputs ran; an input that faults stops the run under the sanitizers.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  long ran = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
      if (!entry.is_regular_file() || entry.path().filename() == ".gitkeep") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++ran;
    }
  }
  std::printf("%ld inputs replayed\n", ran);
  // A replay that found nothing to run proves nothing.
  return ran > 0 ? 0 : 1;
}
