#include "tests/support/TestSupport.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStandardPaths>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>

#include <clocale>
#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/MessageBox.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string>& RecordedMessages() {
  static std::vector<std::string> messages;
  return messages;
}

void Record(const std::string& Text) {
  RecordedMessages().push_back(Text);
}

}  // namespace

fs::path RealDataDir(const std::string& Subfolder) {
  const fs::path dir = fs::path(KORVALE_REALDATA_DIR) / Subfolder;
  std::error_code ec;
  return fs::is_directory(dir, ec) ? dir : fs::path();
}

fs::path FreshTestDir(const std::string& Name) {
  // CTest runs every test in its own process, in parallel: the folder carries
  // the running test's name so that no two tests ever share one.
  std::string unique = Name;
  if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
    unique += std::string("@") + test->test_suite_name() + "." + test->name();
  const fs::path dir = fs::path(KORVALE_TEST_OUTPUT_DIR) / unique;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void AllowNoMoreFileDescriptors() {
  // Every descriptor below the first free one is in use.
  const int firstFree = ::dup(0);
  ::close(firstFree);
  rlimit limit{};
  ::getrlimit(RLIMIT_NOFILE, &limit);
  limit.rlim_cur = static_cast<rlim_t>(firstFree);
  ::setrlimit(RLIMIT_NOFILE, &limit);
}

void WriteTextFile(const fs::path& Path, const std::string& Text) {
  std::ofstream out(Path, std::ios::binary | std::ios::trunc);
  out << Text;
}

MessageRecorder::MessageRecorder() {
  RecordedMessages().clear();
  SetMessageBoxHook(&Record);
}

MessageRecorder::~MessageRecorder() {
  SetMessageBoxHook(nullptr);
}

const std::vector<std::string>& MessageRecorder::Messages() const {
  return RecordedMessages();
}

void MessageRecorder::Clear() {
  RecordedMessages().clear();
}

DecimalCommaLocale::DecimalCommaLocale() {
  const char* current = std::setlocale(LC_ALL, nullptr);
  FPrevious = current != nullptr ? current : "C";
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      const std::lconv* conv = std::localeconv();
      if (conv != nullptr && conv->decimal_point[0] == ',') {
        FAvailable = true;
        return;
      }
    }
  }
  std::setlocale(LC_ALL, FPrevious.c_str());
}

DecimalCommaLocale::~DecimalCommaLocale() {
  std::setlocale(LC_ALL, FPrevious.c_str());
}

void PrintTo(const QString& Text, std::ostream* Out) {
  *Out << '"' << Text.toStdString() << '"';
}

AsUnprivilegedUser::AsUnprivilegedUser() : FWasRoot(geteuid() == 0) {
  if (FWasRoot && (setegid(65534) != 0 || seteuid(65534) != 0)) ADD_FAILURE() << "seteuid";
}

AsUnprivilegedUser::~AsUnprivilegedUser() {
  if (FWasRoot && (seteuid(0) != 0 || setegid(0) != 0)) std::abort();
}

PrivateUserConfig::PrivateUserConfig()
    : FOldHome(qgetenv("HOME")), FHadHome(qEnvironmentVariableIsSet("HOME")) {
  // The font configuration is read under the real home folder first: read
  // later from an empty one, it caches afresh and leaks its own memory.
  if (QGuiApplication::instance() != nullptr) QFontDatabase::families();
  const std::filesystem::path Home = FreshTestDir("home");
  qputenv("HOME", QByteArray::fromStdString(Home.string()));
  QStandardPaths::setTestModeEnabled(true);
}

PrivateUserConfig::~PrivateUserConfig() {
  QStandardPaths::setTestModeEnabled(false);
  if (FHadHome)
    qputenv("HOME", FOldHome);
  else
    qunsetenv("HOME");
}
