#include "file_moves.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/file_system.h"

namespace scenario::tool {

namespace {

FileFault read_fault(const std::filesystem::path& path) {
  const int reason = errno != 0 ? errno : EIO;
  return FileFault{path, std::generic_category().message(reason)};
}

// Copies `from` into a replacement of `to`, a buffer's worth at a time, so even a long line's
// profile is never held whole. A read that fails leaves `to` as it was.
FileResult<> copy_into_replacement(const std::filesystem::path& from,
                                   const std::filesystem::path& to) {
  errno = 0;
  std::ifstream in(from, std::ios::binary);
  if (!in) return read_fault(from);
  return replace_file(to, [&](ByteWriter& out) {
    char chunk[16 * 1024];
    while (in) {
      in.read(chunk, sizeof chunk);
      out.text(std::string_view(chunk, static_cast<std::size_t>(in.gcount())));
    }
    if (!in.eof()) out.fail(read_fault(from));
  });
}

}  // namespace

FileResult<std::string> read_whole_file(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return FileFault{path, "is a folder"};
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) return read_fault(path);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return read_fault(path);
  return bytes;
}

FileResult<> move_file(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  if (!error) return {};
  if (error != std::errc::cross_device_link) return FileFault{to, error.message()};

  if (auto copied = copy_into_replacement(from, to); !copied) return copied;
  std::filesystem::remove(from, error);
  if (error) return FileFault{from, error.message()};
  return {};
}

FileResult<> move_outputs(const std::filesystem::path& working,
                          const std::vector<std::string>& names, const std::filesystem::path& out,
                          std::vector<std::string>& moved) {
  for (const std::string& name : names) {
    const std::filesystem::path produced = path_in(working, name);
    std::error_code error;
    if (!std::filesystem::exists(produced, error)) {
      return FileFault{produced, error ? error.message() : "was not written by the compile"};
    }
    if (auto done = move_file(produced, path_in(out, name)); !done) return done;
    moved.push_back(name);
  }
  return {};
}

}  // namespace scenario::tool
