#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace scenario::testing {

TempFolder::TempFolder() {
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = base / ("scenario-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // A test may have made the folder read-only; give the owner its rights back to clean up.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string crlf_lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read " << path;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::vector<std::string> file_names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void FakePlatform::show_waiting_window(std::string_view caption) {
  events.emplace_back("window");
  captions.emplace_back(caption);
  if (folder_) files_when_shown = file_names(folder_.value());
}

namespace {

// Collects what a writer drains; fails every drain when `refuse` says so.
class StringDrain final : public ByteDrain {
 public:
  explicit StringDrain(std::string name, bool refuse) : name_(std::move(name)), refuse_(refuse) {}
  FileResult<> drain(std::string_view bytes) override {
    if (refuse_) return FileFault{name_, "refused by the test"};
    text.append(bytes);
    return {};
  }
  std::string text;

 private:
  std::string name_;
  bool refuse_;
};

}  // namespace

std::string bytes_written(const FileSink::Fill& fill, std::size_t buffer_bytes) {
  std::vector<char> buffer(buffer_bytes);
  StringDrain drain("memory", false);
  ByteWriter out(buffer, drain);
  fill(out);
  if (!out.finish()) ADD_FAILURE() << "a write into memory failed";
  return drain.text;
}

FileResult<> MemorySink::replace(std::string_view name, const Fill& fill) {
  const std::string key(name);
  replaced.push_back(key);
  std::vector<char> buffer(kSmallBuffer);
  StringDrain drain(key, refused.count(key) != 0);
  ByteWriter out(buffer, drain);
  fill(out);
  FileResult<> written = out.finish();
  if (written) files[key] = std::move(drain.text);
  return written;
}

void FakePlatform::show_error_box(std::string_view text) {
  events.emplace_back("error box");
  error_boxes.emplace_back(text);
}

bool FakePlatform::hold_folder(const std::filesystem::path& folder,
                               std::chrono::milliseconds wait) {
  events.emplace_back("hold");
  held_folder = folder;
  patience = wait;
  if (real_hold) {
    hold_ = FolderHold::take(folder, wait);
    holding_ = hold_.state() != FolderHold::State::busy;
  } else {
    holding_ = !folder_busy;
  }
  if (holding_) files_when_held = file_names(folder);
  return holding_;
}

void FakePlatform::release_folder() {
  if (!holding_) return;
  events.emplace_back("release");
  files_when_released = file_names(held_folder);
  hold_ = FolderHold();
  holding_ = false;
}

void FakePlatform::report(std::string_view line) {
  events.emplace_back("report");
  reports.emplace_back(line);
}

void FakePlatform::note(std::string_view line) {
  events.emplace_back("note");
  notes.emplace_back(line);
}

}  // namespace scenario::testing
