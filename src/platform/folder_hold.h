#pragma once

#include <chrono>
#include <filesystem>
#include <memory>

namespace scenario {

// Keeps every other holder out of one folder for as long as the object lives, so that runs
// sharing a folder go one at a time. Nothing is written into the folder, and the system itself
// lets go when the holding process ends, however it ends: on POSIX systems the folder itself is
// locked (flock), on Windows a mutex named after the folder's full path stands for it, and a
// mutex left by a process that died counts as let go.
class FolderHold {
 public:
  enum class State {
    held,         // this object holds the folder
    busy,         // another holder kept it for the whole wait
    unavailable,  // the system cannot hold it: missing, unreadable, or no locks on its disk
  };

  // Takes `folder`, waiting at most `patience` for another holder to let it go; a patience of
  // zero tries once. Two spellings of one folder are one folder. On Windows a thread that holds
  // the folder already takes it again (its mutex counts the takes).
  static FolderHold take(const std::filesystem::path& folder, std::chrono::milliseconds patience);

  // Holds nothing.
  FolderHold();
  FolderHold(FolderHold&& other) noexcept;
  FolderHold& operator=(FolderHold&& other) noexcept;
  FolderHold(const FolderHold&) = delete;
  FolderHold& operator=(const FolderHold&) = delete;
  ~FolderHold();

  State state() const { return state_; }

 private:
  struct Lock;  // what the system holds: the locked folder or the owned mutex
  FolderHold(State state, std::unique_ptr<Lock> lock);

  State state_ = State::unavailable;
  std::unique_ptr<Lock> lock_;
};

}  // namespace scenario
