#pragma once

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// Folder of real instrument files, or an empty path when it is not beside the
// project (as on a user's machine); tests then skip.
std::filesystem::path RealDataDir(const std::string& Subfolder);

// A fresh, empty folder for one test's files under the build tree; the name
// of the running test is added, so parallel tests never share it.
std::filesystem::path FreshTestDir(const std::string& Name);

// Lets this process open no more file descriptors than it holds now (for a
// child process that shows what running out of them does).
void AllowNoMoreFileDescriptors();

// Writes Text to Path byte for byte (no line-end translation).
void WriteTextFile(const std::filesystem::path& Path, const std::string& Text);

// Root ignores file permissions. While alive, the process acts as the
// unprivileged user "nobody", so read-only files and folders behave as they
// do for the program's users (nothing changes when not run as root).
class AsUnprivilegedUser {
 public:
  AsUnprivilegedUser();
  ~AsUnprivilegedUser();
  AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
  AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;

 private:
  bool FWasRoot;
};

// While alive: the standard paths' test mode, with a home folder of the
// running test's own, so that tests running at the same time in other
// processes never share the user's configuration files (the options store).
// Restores the home folder and the mode afterwards.
class PrivateUserConfig {
 public:
  PrivateUserConfig();
  ~PrivateUserConfig();
  PrivateUserConfig(const PrivateUserConfig&) = delete;
  PrivateUserConfig& operator=(const PrivateUserConfig&) = delete;

 private:
  QByteArray FOldHome;
  bool FHadHome;
};

// Records every text shown through the message-box hook while alive.
class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const std::vector<std::string>& Messages() const;
  void Clear();
};

// Sets LC_ALL to a decimal-comma locale while alive; Available() is false when
// the machine has none (scripts/install-deps generates de_DE.UTF-8).
class DecimalCommaLocale {
 public:
  DecimalCommaLocale();
  ~DecimalCommaLocale();
  DecimalCommaLocale(const DecimalCommaLocale&) = delete;
  DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

  bool Available() const { return FAvailable; }

 private:
  std::string FPrevious;
  bool FAvailable = false;
};

// GoogleTest prints failing QString comparisons as readable text.
void PrintTo(const QString& Text, std::ostream* Out);
