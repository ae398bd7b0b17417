#include "platform/DirectoryWatch.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <iterator>

#ifdef __linux__
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>
#endif

namespace {

#ifdef __linux__
// File-system types (as statfs gives them) whose every change passes through
// this machine's kernel. Shares (NFS, SMB, FUSE, 9p and the like) are left
// out: what another machine writes there reaches no watch here. An unknown
// type is not trusted either.
constexpr unsigned long LocalFileSystems[] = {
    0xEF53,      // ext2, ext3, ext4
    0x58465342,  // xfs
    0x9123683E,  // btrfs
    0x01021994,  // tmpfs
    0x858458F6,  // ramfs
    0xF2F52010,  // f2fs
    0x794C7630,  // overlay
    0x2FC12FC1,  // zfs
    0xCA451A4E,  // bcachefs
    0x3153464A,  // jfs
    0x52654973,  // reiserfs
    0x4D44,      // vfat, msdos
    0x2011BAB0,  // exfat
    0x5346544E,  // ntfs
    0x7366746E,  // ntfs3
    0x482B,      // hfsplus
    0x3434,      // nilfs2
};

constexpr uint32_t WatchedEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                   IN_ONLYDIR;
// The directory itself is gone, moved or no longer watched: the path may
// now name another directory, or none.
constexpr uint32_t WatchEnded = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;
#endif

}  // namespace

DirectoryWatch::~DirectoryWatch() {
  Stop();
}

bool DirectoryWatch::ReportsEveryChange(const QString& Directory) {
#ifdef __linux__
  struct statfs status {};
  if (::statfs(QFile::encodeName(Directory).constData(), &status) != 0) return false;
  const auto type = static_cast<unsigned long>(status.f_type);
  return std::find(std::begin(LocalFileSystems), std::end(LocalFileSystems), type) !=
         std::end(LocalFileSystems);
#else
  (void)Directory;
  return false;
#endif
}

bool DirectoryWatch::Start(const QString& Directory) {
  Stop();
  FDirectory = Directory;
  FLocal = ReportsEveryChange(Directory);
  FError = 0;
#ifdef __linux__
  if (FLocal) {
    FDescriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (FDescriptor < 0) FError = errno;
  }
#endif
  if (FDescriptor < 0) return false;
  if (AddWatch()) return true;
  FError = errno;
  return false;
}

void DirectoryWatch::Stop() {
#ifdef __linux__
  if (FDescriptor >= 0) ::close(FDescriptor);
#endif
  FDescriptor = -1;
  FWatch = -1;
  FLocal = false;
}

bool DirectoryWatch::AddWatch() {
#ifdef __linux__
  if (FWatch >= 0) ::inotify_rm_watch(FDescriptor, FWatch);
  FWatch =
      ::inotify_add_watch(FDescriptor, QFile::encodeName(FDirectory).constData(), WatchedEvents);
#endif
  return FWatch >= 0;
}

DirectoryWatch::TChanges DirectoryWatch::TakeChanges() {
  TChanges changes;
  if (FDescriptor < 0) return changes;
  const bool complete = ReadEvents(changes);
  // Whatever happened before a watch that ended is set again stays unknown
  // to it: the caller looks at everything this once.
  if (FWatch < 0) {
    AddWatch();
    return {};
  }
  if (!complete) return {};
  changes.Trusted = true;
  return changes;
}

bool DirectoryWatch::ReadEvents(TChanges& Changes) {
#ifdef __linux__
  alignas(inotify_event) char buffer[16384];
  QSet<QString> touched;
  bool complete = true;
  for (;;) {
    const ssize_t got = ::read(FDescriptor, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    if (got <= 0) return false;
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) complete = false;
      if (event->wd != FWatch) continue;  // a watch set before, already ended
      if (event->mask & WatchEnded) {
        complete = false;
        if (event->mask & IN_IGNORED) FWatch = -1;
        continue;
      }
      if (event->len == 0) continue;
      const QString name = QFile::decodeName(event->name);
      if (!touched.contains(name)) {
        touched.insert(name);
        Changes.Touched.push_back(name);
      }
      if (event->mask & (IN_CREATE | IN_MOVED_TO)) Changes.Entries.push_back({name, true});
      if (event->mask & (IN_DELETE | IN_MOVED_FROM)) Changes.Entries.push_back({name, false});
    }
  }
  // A directory moved away keeps its watch, which then reports on another
  // path: set it again on the path.
  if (!complete && FWatch >= 0) {
    ::inotify_rm_watch(FDescriptor, FWatch);
    FWatch = -1;
  }
  return complete;
#else
  (void)Changes;
  return false;
#endif
}
