// A library put in front of the C library (LD_PRELOAD) by the file-fault tests only. It counts
// the file operations a process makes on paths under one folder and makes a chosen one fail
// with a chosen error, as a full disk, a failing disk or a refused permission would.
//
//   FAULT_UNDER    folder whose files are watched (operations elsewhere pass untouched)
//   FAULT_OP       open, write, fsync, rename, unlink or close: the kind of operation to fail
//   FAULT_AT       which call of that kind fails, counting from 1 (0 or unset: none)
//   FAULT_ERRNO    ENOSPC, EIO, EACCES, EROFS or a number
//   FAULT_PERSIST  1: every later call of that kind fails too (a disk that stays full)
//   FAULT_LOG      file to which one line "<kind> <path>" is added for every watched call
//
// fopen, creat and openat count as open; writev and pwrite as write; fdatasync as fsync;
// renameat as rename; remove and unlinkat (not of folders) as unlink. Reads are not watched:
// a read fault is an open fault here.
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace {

enum Kind { kOpen, kWrite, kFsync, kRename, kUnlink, kClose, kKinds };
constexpr const char* kKindNames[kKinds] = {"open", "write", "fsync", "rename", "unlink", "close"};
constexpr int kMaxFd = 65536;

// Descriptors opened on watched paths, so that writes, flushes and closes on them are watched.
std::atomic<bool> watched_fd[kMaxFd];
std::atomic<long> calls[kKinds];

template <class F>
F real(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

int real_open(const char* path, int flags, mode_t mode) {
  static auto fn = real<int (*)(const char*, int, ...)>("open");
  return fn(path, flags, mode);
}
ssize_t real_write(int fd, const void* data, size_t size) {
  static auto fn = real<ssize_t (*)(int, const void*, size_t)>("write");
  return fn(fd, data, size);
}

bool watched_path(const char* path) {
  const char* under = getenv("FAULT_UNDER");
  if (under == nullptr || *under == '\0' || path == nullptr) return false;
  char absolute[4096];
  if (path[0] != '/') {
    if (getcwd(absolute, sizeof absolute) == nullptr) return false;
    const size_t used = strlen(absolute);
    if (used + 1 + strlen(path) + 1 > sizeof absolute) return false;
    absolute[used] = '/';
    strcpy(absolute + used + 1, path);
    path = absolute;
  }
  const size_t length = strlen(under);
  return strncmp(path, under, length) == 0 && path[length] == '/';
}

void log_call(Kind kind, const char* path) {
  const char* log = getenv("FAULT_LOG");
  if (log == nullptr || *log == '\0') return;
  const int fd = real_open(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return;
  char line[4200];
  const int size = snprintf(line, sizeof line, "%s %s\n", kKindNames[kind], path ? path : "-");
  if (size > 0) real_write(fd, line, static_cast<size_t>(size) < sizeof line ? size : sizeof line);
  static auto real_close = real<int (*)(int)>("close");
  real_close(fd);
}

int chosen_errno() {
  const char* name = getenv("FAULT_ERRNO");
  if (name == nullptr) return EIO;
  if (strcmp(name, "ENOSPC") == 0) return ENOSPC;
  if (strcmp(name, "EIO") == 0) return EIO;
  if (strcmp(name, "EACCES") == 0) return EACCES;
  if (strcmp(name, "EROFS") == 0) return EROFS;
  const int number = atoi(name);
  return number > 0 ? number : EIO;
}

// Counts one watched call; true when it is the one to fail (errno is then set).
bool fails(Kind kind, const char* path) {
  log_call(kind, path);
  const long n = ++calls[kind];
  const char* op = getenv("FAULT_OP");
  const char* at = getenv("FAULT_AT");
  if (op == nullptr || at == nullptr || strcmp(op, kKindNames[kind]) != 0) return false;
  const long chosen = atol(at);
  const char* persist = getenv("FAULT_PERSIST");
  const bool hit = chosen > 0 && (n == chosen || (persist && *persist == '1' && n > chosen));
  if (hit) errno = chosen_errno();
  return hit;
}

bool watched(int fd) { return fd >= 0 && fd < kMaxFd && watched_fd[fd].load(); }
void watch(int fd, bool on) {
  if (fd >= 0 && fd < kMaxFd) watched_fd[fd].store(on);
}

char fd_path_buffer[4096];
const char* fd_path(int fd) {
  char link[64];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t size = readlink(link, fd_path_buffer, sizeof fd_path_buffer - 1);
  fd_path_buffer[size > 0 ? size : 0] = '\0';
  return fd_path_buffer;
}

bool takes_mode(int flags) { return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE; }

int opened(const char* path, int fd) {
  watch(fd, fd >= 0 && watched_path(path));
  return fd;
}

bool open_fails(const char* path) { return watched_path(path) && fails(kOpen, path); }

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if (takes_mode(flags)) {
    va_list args;
    va_start(args, flags);
    mode = va_arg(args, mode_t);
    va_end(args);
  }
  if (open_fails(path)) return -1;
  return opened(path, real_open(path, flags, mode));
}

int open64(const char* path, int flags, ...) {
  mode_t mode = 0;
  if (takes_mode(flags)) {
    va_list args;
    va_start(args, flags);
    mode = va_arg(args, mode_t);
    va_end(args);
  }
  if (open_fails(path)) return -1;
  static auto fn = real<int (*)(const char*, int, ...)>("open64");
  return opened(path, fn(path, flags, mode));
}

int openat(int dir, const char* path, int flags, ...) {
  mode_t mode = 0;
  if (takes_mode(flags)) {
    va_list args;
    va_start(args, flags);
    mode = va_arg(args, mode_t);
    va_end(args);
  }
  // Only paths the process names itself are watched: absolute ones, or relative to its folder.
  const bool named = dir == AT_FDCWD || (path[0] == '/');
  if (named && open_fails(path)) return -1;
  static auto fn = real<int (*)(int, const char*, int, ...)>("openat");
  const int fd = fn(dir, path, flags, mode);
  return named ? opened(path, fd) : fd;
}

int openat64(int dir, const char* path, int flags, ...) {
  mode_t mode = 0;
  if (takes_mode(flags)) {
    va_list args;
    va_start(args, flags);
    mode = va_arg(args, mode_t);
    va_end(args);
  }
  const bool named = dir == AT_FDCWD || (path[0] == '/');
  if (named && open_fails(path)) return -1;
  static auto fn = real<int (*)(int, const char*, int, ...)>("openat64");
  const int fd = fn(dir, path, flags, mode);
  return named ? opened(path, fd) : fd;
}

int creat(const char* path, mode_t mode) { return open(path, O_WRONLY | O_CREAT | O_TRUNC, mode); }

FILE* fopen(const char* path, const char* mode) {
  if (open_fails(path)) return nullptr;
  static auto fn = real<FILE* (*)(const char*, const char*)>("fopen");
  FILE* file = fn(path, mode);
  if (file) watch(fileno(file), watched_path(path));
  return file;
}

FILE* fopen64(const char* path, const char* mode) {
  if (open_fails(path)) return nullptr;
  static auto fn = real<FILE* (*)(const char*, const char*)>("fopen64");
  FILE* file = fn(path, mode);
  if (file) watch(fileno(file), watched_path(path));
  return file;
}

ssize_t write(int fd, const void* data, size_t size) {
  if (watched(fd) && fails(kWrite, fd_path(fd))) return -1;
  return real_write(fd, data, size);
}

ssize_t writev(int fd, const struct iovec* parts, int count) {
  if (watched(fd) && fails(kWrite, fd_path(fd))) return -1;
  static auto fn = real<ssize_t (*)(int, const struct iovec*, int)>("writev");
  return fn(fd, parts, count);
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t at) {
  if (watched(fd) && fails(kWrite, fd_path(fd))) return -1;
  static auto fn = real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
  return fn(fd, data, size, at);
}

int fsync(int fd) {
  if (watched(fd) && fails(kFsync, fd_path(fd))) return -1;
  static auto fn = real<int (*)(int)>("fsync");
  return fn(fd);
}

int fdatasync(int fd) {
  if (watched(fd) && fails(kFsync, fd_path(fd))) return -1;
  static auto fn = real<int (*)(int)>("fdatasync");
  return fn(fd);
}

int close(int fd) {
  static auto fn = real<int (*)(int)>("close");
  if (!watched(fd)) return fn(fd);
  const bool fault = fails(kClose, fd_path(fd));
  watch(fd, false);
  // A close that reports a fault has still let go of the descriptor, as the system's does.
  const int saved = errno;
  const int status = fn(fd);
  if (!fault) return status;
  errno = saved;
  return -1;
}

int fclose(FILE* file) {
  static auto fn = real<int (*)(FILE*)>("fclose");
  const int fd = file ? fileno(file) : -1;
  if (!watched(fd)) return fn(file);
  const bool fault = fails(kClose, fd_path(fd));
  watch(fd, false);
  const int saved = errno;
  const int status = fn(file);
  if (!fault) return status;
  errno = saved;
  return EOF;
}

int rename(const char* from, const char* to) {
  if ((watched_path(from) || watched_path(to)) && fails(kRename, to)) return -1;
  static auto fn = real<int (*)(const char*, const char*)>("rename");
  return fn(from, to);
}

int renameat(int from_dir, const char* from, int to_dir, const char* to) {
  const bool named =
      (from_dir == AT_FDCWD || from[0] == '/') && (to_dir == AT_FDCWD || to[0] == '/');
  if (named && (watched_path(from) || watched_path(to)) && fails(kRename, to)) return -1;
  static auto fn = real<int (*)(int, const char*, int, const char*)>("renameat");
  return fn(from_dir, from, to_dir, to);
}

int unlink(const char* path) {
  if (watched_path(path) && fails(kUnlink, path)) return -1;
  static auto fn = real<int (*)(const char*)>("unlink");
  return fn(path);
}

int unlinkat(int dir, const char* path, int flags) {
  const bool named = dir == AT_FDCWD || (path[0] == '/');
  if (named && (flags & AT_REMOVEDIR) == 0 && watched_path(path) && fails(kUnlink, path)) return -1;
  static auto fn = real<int (*)(int, const char*, int)>("unlinkat");
  return fn(dir, path, flags);
}

int remove(const char* path) {
  struct stat info;
  const bool folder = lstat(path, &info) == 0 && S_ISDIR(info.st_mode);
  if (!folder && watched_path(path) && fails(kUnlink, path)) return -1;
  static auto fn = real<int (*)(const char*)>("remove");
  return fn(path);
}

}  // extern "C"
