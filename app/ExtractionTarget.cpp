#include "app/ExtractionTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int Fd = -1) : FFd(Fd) {}
  ~Descriptor() {
    if (FFd >= 0) ::close(FFd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return FFd; }
  void Reset(int Fd) {
    if (FFd >= 0) ::close(FFd);
    FFd = Fd;
  }
  int Release() {
    const int fd = FFd;
    FFd = -1;
    return fd;
  }

 private:
  int FFd;
};

std::string SystemError() {
  return std::strerror(errno);
}

// Opens folder Name in the folder At, creating it when missing; never goes
// through a link.
int OpenChildFolder(int At, const std::string& Name) {
  if (::mkdirat(At, Name.c_str(), 0777) != 0 && errno != EEXIST) return -1;
  return ::openat(At, Name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

bool WriteAll(int Fd, const std::string& Bytes) {
  size_t done = 0;
  while (done < Bytes.size()) {
    const ssize_t n = ::write(Fd, Bytes.data() + done, Bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

ExtractionTarget::ExtractionTarget(const std::string& Parent, const std::string& RootName)
    : FParent(Parent),
      FRootName(RootName),
      FRoot(RootName.empty() ? Parent : Parent + "/" + RootName) {}

int ExtractionTarget::OpenFolder(const std::string& Subdir, std::string& Error) const {
  Descriptor folder(::open(FParent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0 && !FRootName.empty())
    folder.Reset(OpenChildFolder(folder.Get(), FRootName));
  std::istringstream parts(Subdir);
  std::string name;
  while (folder.Get() >= 0 && std::getline(parts, name, '/'))
    if (!name.empty()) folder.Reset(OpenChildFolder(folder.Get(), name));
  if (folder.Get() < 0) Error = SystemError();
  return folder.Release();
}

ExtractionTarget::TWrite ExtractionTarget::WriteNewFile(const std::string& Subdir,
                                                        const std::string& Name,
                                                        const std::string& Bytes,
                                                        std::string& Error) const {
  const Descriptor folder(OpenFolder(Subdir, Error));
  if (folder.Get() < 0) return TWrite::twFolderFailed;
  const int fd = ::openat(folder.Get(), Name.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0 && errno == EEXIST) return TWrite::twExisted;
  if (fd < 0) {
    Error = SystemError();
    return TWrite::twWriteFailed;
  }
  const bool written = WriteAll(fd, Bytes);
  if (!written) Error = SystemError();
  const bool closed = ::close(fd) == 0;
  if (written && !closed) Error = SystemError();
  if (written && closed) return TWrite::twWritten;
  ::unlinkat(folder.Get(), Name.c_str(), 0);
  return TWrite::twWriteFailed;
}
