#include "app/ExtractionTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

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

std::string SystemError(int Error = errno) {
  return std::strerror(Error);
}

// "a symbolic link", "a FIFO", ...: what an entry of the file system is.
std::string KindOf(mode_t Mode) {
  if (S_ISREG(Mode)) return "a file";
  if (S_ISDIR(Mode)) return "a folder";
  if (S_ISLNK(Mode)) return "a symbolic link";
  if (S_ISFIFO(Mode)) return "a FIFO";
  if (S_ISSOCK(Mode)) return "a socket";
  if (S_ISCHR(Mode) || S_ISBLK(Mode)) return "a device";
  return "neither a file nor a folder";
}

// Opens folder Name in the folder At, creating it when missing; never goes
// through a link.
int OpenChildFolder(int At, const std::string& Name) {
  if (::mkdirat(At, Name.c_str(), 0777) != 0 && errno != EEXIST) return -1;
  return ::openat(At, Name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Why folder Name in At (at Path) could not be opened: what stands in its
// place when something does, else the system's reason.
std::string FolderError(int At, const std::string& Name, const std::string& Path) {
  const int error = errno;
  struct stat found {};
  if (::fstatat(At, Name.c_str(), &found, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISDIR(found.st_mode))
    return Path + " is " + KindOf(found.st_mode);
  return Path + ": " + SystemError(error);
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
  if (FFolder >= 0 && !FName.empty()) ::unlinkat(FFolder, FName.c_str(), 0);
  if (FFolder >= 0) ::close(FFolder);
  FFolder = FFd = -1;
  FName.clear();
}

void ExtractionFile::Discard() {
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

bool ExtractionFile::Close(bool Durable, std::string& Error) {
  if (FFd < 0) return true;
  const bool synced = !Durable || ::fdatasync(FFd) == 0;
  if (!synced) Error = SystemError();
  const int fd = FFd;
  FFd = -1;
  if (::close(fd) != 0 && synced) {
    Error = SystemError();
    return false;
  }
  return synced;
}

bool ExtractionTarget::IsWritten(TWrite Result) {
  return Result == TWrite::twWritten || Result == TWrite::twReplaced ||
         Result == TWrite::twReplacedLinked;
}

ExtractionTarget::ExtractionTarget(const std::string& Parent, const std::string& RootName)
    : FParent(Parent),
      FRootName(RootName),
      FRoot(RootName.empty() ? Parent : Parent + "/" + RootName) {}

std::string ExtractionTarget::PathOf(const std::string& Subdir, const std::string& Name) const {
  return Subdir.empty() ? FRoot + "/" + Name : FRoot + "/" + Subdir + "/" + Name;
}

int ExtractionTarget::OpenFolder(const std::string& Subdir, std::string& Error) const {
  Descriptor folder(::open(FParent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() < 0) {
    Error = FParent + ": " + SystemError();
    return -1;
  }
  std::vector<std::string> parts;
  if (!FRootName.empty()) parts.push_back(FRootName);
  std::istringstream subdir(Subdir);
  for (std::string name; std::getline(subdir, name, '/');)
    if (!name.empty()) parts.push_back(name);
  std::string path = FParent;
  for (const std::string& name : parts) {
    path += "/" + name;
    const int child = OpenChildFolder(folder.Get(), name);
    if (child < 0) {
      Error = FolderError(folder.Get(), name, path);
      return -1;
    }
    folder.Reset(child);
  }
  return folder.Release();
}

ExtractionTarget::TWrite ExtractionTarget::Inspect(int Folder, const std::string& Name,
                                                   const std::string& Path, std::string& Error) {
  struct stat found {};
  if (::fstatat(Folder, Name.c_str(), &found, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno == ENOENT) return TWrite::twWritten;
    Error = SystemError();
    return TWrite::twWriteFailed;
  }
  if (S_ISREG(found.st_mode))
    return found.st_nlink > 1 ? TWrite::twReplacedLinked : TWrite::twReplaced;
  Error = Path + " is " + KindOf(found.st_mode);
  return TWrite::twObstructed;
}

bool ExtractionTarget::CreateTemporary(int Folder, const std::string& Avoid, ExtractionFile& File,
                                       std::string& Error) {
  static std::atomic<unsigned long> counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name =
        ".korvale-unpacking-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    // A member may be named like a temporary file; its own must differ.
    if (name == Avoid) continue;
    const int fd =
        ::openat(Folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) break;
    File.FFolder = Folder;
    File.FFd = fd;
    File.FName = name;
    return true;
  }
  Error = SystemError();
  return false;
}

ExtractionTarget::TWrite ExtractionTarget::CreateMemberFile(const std::string& Subdir,
                                                            const std::string& Name,
                                                            ExtractionFile& File,
                                                            std::string& Error) const {
  File.Reset();
  Descriptor folder(OpenFolder(Subdir, Error));
  if (folder.Get() < 0) return TWrite::twFolderFailed;
  // Looked at before the data is written, so that a member whose place is
  // taken is not written at all; PlaceFile looks again.
  const TWrite found = Inspect(folder.Get(), Name, PathOf(Subdir, Name), Error);
  if (!IsWritten(found)) return found;
  if (!CreateTemporary(folder.Get(), Name, File, Error)) return TWrite::twWriteFailed;
  folder.Release();
  return TWrite::twWritten;
}

ExtractionTarget::TWrite ExtractionTarget::CreateHoldingFile(ExtractionFile& File,
                                                             std::string& Error) const {
  File.Reset();
  Descriptor root(OpenFolder(std::string(), Error));
  if (root.Get() < 0) return TWrite::twFolderFailed;
  if (!CreateTemporary(root.Get(), std::string(), File, Error)) return TWrite::twWriteFailed;
  root.Release();
  return TWrite::twWritten;
}

ExtractionTarget::TWrite ExtractionTarget::PlaceFile(ExtractionFile& File,
                                                     const std::string& Subdir,
                                                     const std::string& Name,
                                                     std::string& Error) const {
  auto fail = [&](TWrite Result) {
    File.Discard();
    return Result;
  };
  const Descriptor folder(OpenFolder(Subdir, Error));
  if (folder.Get() < 0) return fail(TWrite::twFolderFailed);
  const std::string path = PathOf(Subdir, Name);
  // A second look only when the name was taken between the look and the link.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const TWrite found = Inspect(folder.Get(), Name, path, Error);
    if (!IsWritten(found)) return fail(found);
    // A file that is replaced goes only once the new data is on the disk,
    // so that a crash leaves the one or the other under the name.
    if (!File.Close(found != TWrite::twWritten, Error)) return fail(TWrite::twWriteFailed);
    if (found == TWrite::twWritten) {
      // A link fails where the name is taken, so nothing there is replaced;
      // the temporary name goes with Discard.
      if (::linkat(File.FFolder, File.FName.c_str(), folder.Get(), Name.c_str(), 0) == 0) {
        File.Discard();
        return TWrite::twWritten;
      }
      if (errno == EEXIST) continue;
      if (!CannotLink(errno)) {
        Error = SystemError();
        return fail(TWrite::twWriteFailed);
      }
    }
    // A rename replaces the entry itself and never writes through it, even
    // should a link or FIFO have taken the name since it was looked at.
    if (::renameat(File.FFolder, File.FName.c_str(), folder.Get(), Name.c_str()) != 0) {
      Error = SystemError();
      return fail(TWrite::twWriteFailed);
    }
    File.FName.clear();
    File.Discard();
    return found;
  }
  Error = path + " was taken while it was being written";
  return fail(TWrite::twObstructed);
}
