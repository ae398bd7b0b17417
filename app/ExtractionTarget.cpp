#include "app/ExtractionTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <string>

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

// Links that cannot be made (file systems without hard links) fall back on
// a rename once nothing of the name is found.
bool CannotLink(int Error) {
  return Error == EPERM || Error == ENOTSUP || Error == EOPNOTSUPP || Error == EMLINK;
}

}  // namespace

ExtractionFile::~ExtractionFile() {
  Reset();
}

void ExtractionFile::Reset() {
  if (FFd >= 0) ::close(FFd);
  if (!FKeep && FFolder >= 0 && !FName.empty()) ::unlinkat(FFolder, FName.c_str(), 0);
  if (FFolder >= 0) ::close(FFolder);
  FFolder = FFd = -1;
  FName.clear();
  FKeep = false;
}

void ExtractionFile::Discard() {
  FKeep = false;
  Reset();
}

bool ExtractionFile::Write(const char* Bytes, size_t Count, std::string& Error) {
  size_t done = 0;
  while (done < Count) {
    const ssize_t n = ::write(FFd, Bytes + done, Count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      Error = n < 0 ? SystemError() : "nothing could be written";
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool ExtractionFile::Close(std::string& Error) {
  const int fd = FFd;
  FFd = -1;
  if (fd >= 0 && ::close(fd) == 0) return true;
  Error = SystemError();
  return false;
}

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

ExtractionTarget::TWrite ExtractionTarget::CreateNewFile(const std::string& Subdir,
                                                         const std::string& Name,
                                                         ExtractionFile& File,
                                                         std::string& Error) const {
  File.Reset();
  Descriptor folder(OpenFolder(Subdir, Error));
  if (folder.Get() < 0) return TWrite::twFolderFailed;
  const int fd = ::openat(folder.Get(), Name.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0 && errno == EEXIST) return TWrite::twExisted;
  if (fd < 0) {
    Error = SystemError();
    return TWrite::twWriteFailed;
  }
  File.FFolder = folder.Release();
  File.FFd = fd;
  File.FName = Name;
  return TWrite::twWritten;
}

bool ExtractionTarget::CreateHoldingFile(ExtractionFile& File, std::string& Error) const {
  File.Reset();
  Descriptor root(OpenFolder(std::string(), Error));
  if (root.Get() < 0) return false;
  static unsigned long counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name =
        ".korvale-unpacking-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    const int fd = ::openat(root.Get(), name.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) break;
    File.FFolder = root.Release();
    File.FFd = fd;
    File.FName = name;
    return true;
  }
  Error = SystemError();
  return false;
}

ExtractionTarget::TWrite ExtractionTarget::PlaceFile(ExtractionFile& File,
                                                     const std::string& Subdir,
                                                     const std::string& Name,
                                                     std::string& Error) const {
  const Descriptor folder(OpenFolder(Subdir, Error));
  if (folder.Get() < 0) return TWrite::twFolderFailed;
  // A link fails where the name is taken, so nothing there is replaced; the
  // holding name goes when File does.
  if (::linkat(File.FFolder, File.FName.c_str(), folder.Get(), Name.c_str(), 0) == 0)
    return TWrite::twWritten;
  if (errno == EEXIST) return TWrite::twExisted;
  if (CannotLink(errno)) {
    struct stat existing {};
    if (::fstatat(folder.Get(), Name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0)
      return TWrite::twExisted;
    if (::renameat(File.FFolder, File.FName.c_str(), folder.Get(), Name.c_str()) == 0) {
      File.FName.clear();
      return TWrite::twWritten;
    }
  }
  Error = SystemError();
  return TWrite::twWriteFailed;
}
