#include "app/TarExtractor.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/BeckmanFile.h"
#include "app/TarMemberWriter.h"
#include "tests/app/ArchiveBuilder.h"
#include "tests/support/TestSupport.h"
#include "tools/runsim/DemoRun.h"

namespace fs = std::filesystem;
using archive::Member;

namespace {

std::string ReadFile(const fs::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Resident memory of this process in KiB ("VmRSS" or the peak "VmHWM").
long MemoryKiB(const std::string& Field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(Field + ":", 0) == 0) return std::stol(line.substr(Field.size() + 1));
  return -1;
}

class TarExtractorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = FreshTestDir("tar");
    Outside = Dir / "outside";
    fs::create_directories(Outside);
  }

  bool Extract(const fs::path& Archive) {
    Log.clear();
    TarExtractor extractor([this](const QString& line) { Log.push_back(line.toStdString()); });
    return extractor.ExtractTarGz(QString::fromStdString(Archive.string()));
  }
  // Extracts with no file allowed to grow beyond Bytes (a full disk).
  bool ExtractWithFilesUpTo(rlim_t Bytes, const fs::path& Path) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = Bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool result = Extract(Path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    return result;
  }

  fs::path WriteArchive(const std::string& Name, const std::string& Tar) {
    const fs::path path = Dir / Name;
    WriteTextFile(path, archive::Gzip(Tar));
    return path;
  }
  bool Logged(const std::string& Start) const {
    for (const std::string& line : Log)
      if (line.rfind(Start, 0) == 0) return true;
    return false;
  }
  // Everything below Dir apart from the archives: the target's tree and the
  // (empty) folder outside it.
  std::vector<std::string> Written() const {
    std::vector<std::string> paths;
    for (const std::string& p : archive::Tree(Dir))
      if (p.find(".gz") == std::string::npos && p.find(".GZ") == std::string::npos)
        paths.push_back(p);
    return paths;
  }

  fs::path Dir;
  fs::path Outside;
  std::vector<std::string> Log;
};

TEST_F(TarExtractorTest, RunArchiveUnpacksIntoTheLayoutTheRunSimulatorWrites) {
  std::string error;
  const fs::path staging = Dir / "staging";
  ASSERT_FALSE(WriteDemoRun(staging, error).empty()) << error;
  const fs::path flat = Dir / "flat";
  fs::create_directories(flat);
  std::vector<std::string> expected;
  for (const auto& entry : fs::recursive_directory_iterator(staging / kDemoRunName)) {
    if (!entry.is_regular_file() || entry.path().filename() == "run-truth.txt") continue;
    fs::copy_file(entry.path(), flat / entry.path().filename());
    expected.push_back(fs::relative(entry.path(), staging / kDemoRunName).string());
  }
  const fs::path in = Dir / "in";
  fs::create_directories(in);
  ASSERT_TRUE(archive::Run("tar -czf '" + (in / "demo.tar.gz").string() + "' -C '" + flat.string() +
                           "' ."));

  ASSERT_TRUE(Extract(in / "demo.tar.gz"));
  EXPECT_EQ(Log.back(), "Expanded " + std::to_string(expected.size()) + " files from " +
                            (in / "demo.tar.gz").string());
  BeckmanFile reader(nullptr);
  for (const std::string& relative : expected) {
    const fs::path file = in / "demo" / relative;
    ASSERT_TRUE(fs::is_regular_file(file)) << relative;
    EXPECT_EQ(ReadFile(file), ReadFile(flat / file.filename())) << relative;
    const int mode = relative.find("Intensity") != std::string::npos ? 1 : 0;
    EXPECT_GT(reader.ReadScanFile(file.string(), mode, 0.0), 0) << relative;
    EXPECT_GT(reader.PointCount, 100) << relative;
  }
}

TEST_F(TarExtractorTest, MembersGoToTheirCellOpticsAndWavelengthFolders) {
  const fs::path path = WriteArchive(
      "run7.tar.gz", Member("run7/", "", '5') +
                         Member("run7/00001.RA2", archive::ScanText('R', 2, 280, 5)) +
                         Member("run7/00001.ri3", archive::ScanText('I', 3, 230, 5)) +
                         Member("00001.IP5", "Interference\nP 5 whatever follows\n1 2\n") +
                         Member("00001.FI4", archive::ScanText('F', 4, 488, 5)) +
                         Member("low.RA2", "t\nR 2 20.0 50000 600 1E9 100 1\n") +
                         Member("word.RA2", "t\nR 2 20.0 50000 600 1E9 nmx 1\n") +
                         Member("slash.RA2", "t\nR 2 20.0 50000 600 1E9 a/b 1\n") +
                         Member("nocell.RA2", "t\nR x 20.0 50000 600 1E9 280 1\n") +
                         Member("oneline.RA2", "R 2 20.0 50000 600 1E9 280 1") +
                         Member("empty.txt", "") + Member("notes.txt", "a\rb\nc") + archive::End());
  ASSERT_TRUE(Extract(path));
  EXPECT_EQ(Log, std::vector<std::string>{"Expanded 10 files from " + path.string()});
  EXPECT_EQ(Written(), (std::vector<std::string>{"outside",
                                                 "run7",
                                                 "run7/Cell2",
                                                 "run7/Cell2/Absorbance",
                                                 "run7/Cell2/Absorbance/280",
                                                 "run7/Cell2/Absorbance/280/00001.RA2",
                                                 "run7/Cell2/Absorbance/nmx",
                                                 "run7/Cell2/Absorbance/nmx/word.RA2",
                                                 "run7/Cell2/low.RA2",
                                                 "run7/Cell2/slash.RA2",
                                                 "run7/Cell3",
                                                 "run7/Cell3/Intensity",
                                                 "run7/Cell3/Intensity/230",
                                                 "run7/Cell3/Intensity/230/00001.ri3",
                                                 "run7/Cell4",
                                                 "run7/Cell4/Fluorescence",
                                                 "run7/Cell4/Fluorescence/00001.FI4",
                                                 "run7/Cell5",
                                                 "run7/Cell5/Interference",
                                                 "run7/Cell5/Interference/00001.IP5",
                                                 "run7/nocell.RA2",
                                                 "run7/notes.txt",
                                                 "run7/oneline.RA2"}));
  EXPECT_EQ(ReadFile(Dir / "run7/notes.txt"), "a\r\nb\r\nc\r\n");
}

TEST_F(TarExtractorTest, SecondExtractionReplacesTheFilesOfTheFirstAndCountsThem) {
  const std::string scan = archive::ScanText('R', 1, 280, 3);
  const fs::path path = WriteArchive("r.tar.gz", Member("a.RA1", scan) + archive::End());
  ASSERT_TRUE(Extract(path));
  const fs::path file = Dir / "r/Cell1/Absorbance/280/a.RA1";
  WriteTextFile(file, "an older scan");
  ASSERT_TRUE(Extract(path));
  EXPECT_EQ(Log, (std::vector<std::string>{
                     "Replaced 1 files that were already in " + (Dir / "r").string(),
                     "Expanded 1 files from " + path.string()}));
  EXPECT_EQ(ReadFile(file), scan);
  EXPECT_EQ(archive::Tree(Dir / "r").size(), 4u) << "no temporary file is left";
}

TEST_F(TarExtractorTest, AReplacementThatCannotBeWrittenLeavesTheOldFileAndTheNextMembersGoOn) {
  const fs::path path = WriteArchive("w.tar.gz", Member("big.txt", std::string(100000, 'b')) +
                                                     Member("small.txt", "s") + archive::End());
  fs::create_directories(Dir / "w");
  WriteTextFile(Dir / "w/big.txt", "old");
  const bool result = ExtractWithFilesUpTo(50000, path);
  EXPECT_FALSE(result);
  EXPECT_EQ(Log, (std::vector<std::string>{"Failed to write " + (Dir / "w/big.txt").string(),
                                           "    File too large; big.txt was not written",
                                           "Unpacked only 1 files from " + path.string()}));
  EXPECT_EQ(ReadFile(Dir / "w/big.txt"), "old");
  EXPECT_EQ(ReadFile(Dir / "w/small.txt"), "s\r\n");
  EXPECT_EQ(archive::Tree(Dir / "w"), (std::vector<std::string>{"big.txt", "small.txt"}));
}

TEST_F(TarExtractorTest, WhatIsNotAFileInAMembersPlaceIsNeitherOpenedNorReplaced) {
  const fs::path root = Dir / "r";
  const fs::path scanFolder = root / "Cell1/Absorbance/280";
  fs::create_directories(scanFolder);
  WriteTextFile(Outside / "planted.txt", "outside");
  fs::create_symlink(Outside / "planted.txt", root / "notes.txt");
  fs::create_symlink(Outside / "absent.txt", root / "n.RA3");
  fs::create_directory(root / "dir.txt");
  ASSERT_EQ(mkfifo((scanFolder / "00001.RA1").c_str(), 0666), 0);
  // Held open for reading and writing, so that opening the FIFO would not
  // block the test, and anything written into it stays to be found.
  const int fifo = open((scanFolder / "00001.RA1").c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(fifo, 0);
  // A socket's address is limited to 108 bytes: it is bound by a relative name.
  const fs::path cwd = fs::current_path();
  fs::current_path(root);
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, "sock.txt");
  const int bound = bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  fs::current_path(cwd);
  ASSERT_EQ(bound, 0);

  const std::string scan = archive::ScanText('R', 1, 280, 3);
  // n.RA3's second line is too long to know its folder before its end: its
  // place is looked at only once it is whole.
  const fs::path path = WriteArchive(
      "r.tar.gz", Member("notes.txt", "x") + Member("run/00001.RA1", scan) +
                      Member("dir.txt", "d") + Member("sock.txt", "s") +
                      Member("n.RA3", std::string(TarMemberWriter::HeadLimit + 10, 'z')) +
                      Member("ok.txt", "ok") + archive::End());
  EXPECT_FALSE(Extract(path));
  EXPECT_EQ(Log, (std::vector<std::string>{
                     root.string() + "/notes.txt is a symbolic link; notes.txt was not written",
                     scanFolder.string() + "/00001.RA1 is a FIFO; run/00001.RA1 was not written",
                     root.string() + "/dir.txt is a folder; dir.txt was not written",
                     root.string() + "/sock.txt is a socket; sock.txt was not written",
                     root.string() + "/n.RA3 is a symbolic link; n.RA3 was not written",
                     "Unpacked only 1 files from " + path.string()}));
  char byte = 0;
  EXPECT_EQ(read(fifo, &byte, 1), -1) << "nothing was written into the FIFO";
  close(fifo);
  close(sock);
  EXPECT_EQ(ReadFile(Outside / "planted.txt"), "outside");
  EXPECT_EQ(fs::read_symlink(root / "notes.txt"), Outside / "planted.txt");
  EXPECT_FALSE(fs::exists(Outside / "absent.txt"));
  EXPECT_TRUE(fs::is_fifo(scanFolder / "00001.RA1"));
  EXPECT_TRUE(fs::is_socket(root / "sock.txt"));
  EXPECT_TRUE(fs::is_empty(root / "dir.txt"));
  EXPECT_EQ(ReadFile(root / "ok.txt"), "ok\r\n");
  EXPECT_EQ(archive::Tree(root),
            (std::vector<std::string>{"Cell1", "Cell1/Absorbance", "Cell1/Absorbance/280",
                                      "Cell1/Absorbance/280/00001.RA1", "dir.txt", "n.RA3",
                                      "notes.txt", "ok.txt", "sock.txt"}));
}

TEST_F(TarExtractorTest, AHardLinkInAMembersPlaceIsReplacedAndItsOtherNameKeepsItsData) {
  // Writing into the file would change the other name's data too; the
  // member takes the name alone.
  WriteTextFile(Outside / "keep.txt", "old");
  fs::create_directories(Dir / "r");
  fs::create_hard_link(Outside / "keep.txt", Dir / "r/notes.txt");
  const fs::path path = WriteArchive("r.tar.gz", Member("notes.txt", "new") + archive::End());
  EXPECT_TRUE(Extract(path));
  EXPECT_EQ(Log, (std::vector<std::string>{
                     "Replaced " + (Dir / "r/notes.txt").string() +
                         "; its other hard links keep the earlier data",
                     "Replaced 1 files that were already in " + (Dir / "r").string(),
                     "Expanded 1 files from " + path.string()}));
  EXPECT_EQ(ReadFile(Dir / "r/notes.txt"), "new\r\n");
  EXPECT_EQ(ReadFile(Outside / "keep.txt"), "old");
  EXPECT_EQ(fs::hard_link_count(Outside / "keep.txt"), 1u);
}

TEST_F(TarExtractorTest, MembersThatLandOnTheSameFileLeaveTheLaterOneCountedOnce) {
  // Two names in the archive, one place in the target: the scan's folder
  // follows from its text, not from the folder it was archived in.
  const std::string first = archive::ScanText('R', 1, 280, 3);
  const std::string second = archive::ScanText('R', 1, 280, 5);
  const fs::path path = WriteArchive(
      "r.tar.gz", Member("a.txt", "first") + Member("x/00001.RA1", first) +
                      Member("a.txt", "second") + Member("y/00001.RA1", second) + archive::End());
  const std::string scanFile = (Dir / "r/Cell1/Absorbance/280/00001.RA1").string();
  const std::vector<std::string> repeats{
      "a.txt replaces the earlier member of this archive at " + (Dir / "r/a.txt").string(),
      "y/00001.RA1 replaces the earlier member of this archive at " + scanFile};
  EXPECT_TRUE(Extract(path));
  std::vector<std::string> expected = repeats;
  expected.push_back("Expanded 2 files from " + path.string());
  EXPECT_EQ(Log, expected);
  EXPECT_EQ(ReadFile(Dir / "r/a.txt"), "second\r\n");
  EXPECT_EQ(ReadFile(scanFile), second);

  // Again over the files of the first time: each counts as one replaced file.
  EXPECT_TRUE(Extract(path));
  expected = repeats;
  expected.push_back("Replaced 2 files that were already in " + (Dir / "r").string());
  expected.push_back("Expanded 2 files from " + path.string());
  EXPECT_EQ(Log, expected);
  EXPECT_EQ(ReadFile(Dir / "r/a.txt"), "second\r\n");
  EXPECT_EQ(archive::Tree(Dir / "r").size(), 5u);
}

TEST_F(TarExtractorTest, MembersThatCannotBeWrittenAreNamedAndTheOthersStillGo) {
  const std::string tooLong(300, 'n');
  const std::string scan = archive::ScanText('R', 1, 280, 3);
  const fs::path path =
      WriteArchive("r.tar.gz", Member("a.txt", "a") + Member("././@LongLink", tooLong + '\0', 'L') +
                                   Member("x", "x") + Member("b.RA1", scan) +
                                   Member("././@LongLink", "run/" + tooLong + ".RA1" + '\0', 'L') +
                                   Member("y", scan) + Member("c.txt", "c") + archive::End());
  EXPECT_FALSE(Extract(path));
  const fs::path root = Dir / "r";
  EXPECT_EQ(Log,
            (std::vector<std::string>{
                "Failed to write " + (root / tooLong).string(),
                "    File name too long; " + tooLong + " was not written",
                "Failed to write " + (root / "Cell1/Absorbance/280" / (tooLong + ".RA1")).string(),
                "    File name too long; run/" + tooLong + ".RA1 was not written",
                "Unpacked only 3 files from " + path.string()}));
  EXPECT_EQ(ReadFile(root / "c.txt"), "c\r\n");
  EXPECT_EQ(archive::Tree(root),
            (std::vector<std::string>{"Cell1", "Cell1/Absorbance", "Cell1/Absorbance/280",
                                      "Cell1/Absorbance/280/b.RA1", "a.txt", "c.txt"}));
}

TEST_F(TarExtractorTest, AnArchiveWithoutEndMarkerKeepsItsMembersButIsNoPlainSuccess) {
  // A copy cut short exactly after a whole member looks complete but for
  // the missing end marker: what is there is written, and the log says the
  // rest may be missing.
  const std::string two = Member("a.RA1", archive::ScanText('R', 1, 280, 3)) +
                          Member("b.RA1", archive::ScanText('R', 1, 280, 3));
  const fs::path cut = WriteArchive("cut.tar.gz", two);
  EXPECT_FALSE(Extract(cut));
  EXPECT_TRUE(Logged(cut.string() + " ends without its end marker and may be incomplete"));
  EXPECT_FALSE(Logged("Expanded"));
  EXPECT_EQ(Log.back(), "Unpacked only 2 files from " + cut.string());
  EXPECT_TRUE(fs::is_regular_file(Dir / "cut/Cell1/Absorbance/280/b.RA1"));

  // The last member's padding missing too.
  const std::string tar = Member("a.txt", std::string(1024, 'x')) + Member("b.txt", "last");
  const fs::path path = WriteArchive("r.tar.gz", tar.substr(0, tar.size() - 508));
  EXPECT_FALSE(Extract(path));
  EXPECT_TRUE(Logged(path.string() + " ends without its end marker"));
  EXPECT_EQ(ReadFile(Dir / "r/b.txt"), "last\r\n");

  // One zero block is end marker enough.
  EXPECT_TRUE(Extract(WriteArchive("one.tar.gz", two + std::string(512, '\0'))));
}

TEST_F(TarExtractorTest, ANameThatIsNotGzIsReportedAndNothingHappens) {
  WriteTextFile(Dir / "x.GZ", archive::Gzip(Member("a.txt", "a") + archive::End()));
  EXPECT_FALSE(Extract(Dir / "x.GZ"));
  EXPECT_EQ(Log, std::vector<std::string>{(Dir / "x.GZ").string() + " is not a .gz file"});
  EXPECT_EQ(Written(), std::vector<std::string>{"outside"});
}

TEST_F(TarExtractorTest, UnsafeNamesNeverReachOutsideTheTarget) {
  const fs::path path = WriteArchive(
      "r.tar.gz", Member("/tmp/abs.txt", "a") + Member("../../up.txt", "b") + Member("..", "c") +
                      Member("run/..", "d") + Member("run/.", "e") + Member("dir/", "f") +
                      Member("back\\slash.txt", "g") + Member("ctl\x01.txt", "h") +
                      Member("../outside/x.txt", "i") + archive::End());
  EXPECT_FALSE(Extract(path));
  EXPECT_EQ(Written(),
            (std::vector<std::string>{"outside", "r", "r/abs.txt", "r/up.txt", "r/x.txt"}));
  EXPECT_TRUE(Logged("Refused unsafe file name run/.."));
  EXPECT_TRUE(Logged("Refused unsafe file name back\\slash.txt"));
  EXPECT_TRUE(Logged("Refused unsafe file name ctl?.txt"));
  EXPECT_EQ(Log.back(), "Unpacked only 3 files from " + path.string());
}

TEST_F(TarExtractorTest, LinksInTheArchiveAreNeverCreated) {
  const fs::path staging = Dir / "staging";
  fs::create_directories(staging);
  WriteTextFile(staging / "a.txt", "a");
  fs::create_symlink("/etc/passwd", staging / "soft.RA1");
  fs::create_symlink("..", staging / "up");
  fs::create_hard_link(staging / "a.txt", staging / "hard.txt");
  ASSERT_TRUE(archive::Run("tar -czf '" + (Dir / "l.tar.gz").string() + "' -C '" +
                           staging.string() + "' a.txt soft.RA1 up hard.txt"));
  fs::remove_all(staging);
  EXPECT_FALSE(Extract(Dir / "l.tar.gz"));
  EXPECT_EQ(Written(), (std::vector<std::string>{"l", "l/a.txt", "outside"}));
  EXPECT_TRUE(Logged("Skipped link soft.RA1"));
  EXPECT_TRUE(Logged("Skipped link up"));
  EXPECT_TRUE(Logged("Skipped link hard.txt"));
}

TEST_F(TarExtractorTest, LinksAlreadyInTheTargetAreNeverFollowed) {
  fs::create_directories(Dir / "r");
  fs::create_directory_symlink(Outside, Dir / "r/Cell2");
  fs::create_symlink(Outside / "planted.txt", Dir / "r/notes.txt");
  const fs::path path = WriteArchive(
      "r.tar.gz", Member("notes.txt", "x") + Member("n.RA2", archive::ScanText('R', 2, 280, 3)));
  EXPECT_FALSE(Extract(path));
  EXPECT_TRUE(fs::is_empty(Outside));
  EXPECT_TRUE(Logged("Failed to create path: " + (Dir / "r/Cell2/Absorbance/280").string()));
  EXPECT_TRUE(
      Logged("    " + (Dir / "r/Cell2").string() + " is a symbolic link; n.RA2 was not written"));
  EXPECT_TRUE(
      Logged((Dir / "r/notes.txt").string() + " is a symbolic link; notes.txt was not written"));
}

TEST_F(TarExtractorTest, ThePartOfAMembersFolderThatIsNoFolderIsNamed) {
  const fs::path root = Dir / "r";
  fs::create_directories(root / "Cell2");
  fs::create_directory_symlink(Outside, root / "Cell2/Absorbance");
  WriteTextFile(root / "Cell3", "a file where a folder should be");
  ASSERT_EQ(mkfifo((root / "Cell4").c_str(), 0666), 0);
  // Held open both ways, so that opening the FIFO would not block the test.
  const int fifo = open((root / "Cell4").c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(fifo, 0);
  // l.RA2 is placed only once whole, from the holding file in the root.
  const std::string longSecondLine = "R 2" + std::string(TarMemberWriter::HeadLimit, ' ') + "280 1";
  const fs::path path = WriteArchive(
      "r.tar.gz", Member("run/n.RA2", archive::ScanText('R', 2, 280, 3)) +
                      Member("n.RA3", archive::ScanText('R', 3, 280, 3)) +
                      Member("n.RA4", archive::ScanText('R', 4, 280, 3)) +
                      Member("l.RA2", "t\n" + longSecondLine + "\n1 2\n") + archive::End());
  EXPECT_FALSE(Extract(path));
  const std::string link = (root / "Cell2/Absorbance").string();
  EXPECT_EQ(Log, (std::vector<std::string>{
                     "Failed to create path: " + link + "/280",
                     "    " + link + " is a symbolic link; run/n.RA2 was not written",
                     "Failed to create path: " + (root / "Cell3/Absorbance/280").string(),
                     "    " + (root / "Cell3").string() + " is a file; n.RA3 was not written",
                     "Failed to create path: " + (root / "Cell4/Absorbance/280").string(),
                     "    " + (root / "Cell4").string() + " is a FIFO; n.RA4 was not written",
                     "Failed to create path: " + link + "/280",
                     "    " + link + " is a symbolic link; l.RA2 was not written"}));
  char byte = 0;
  EXPECT_EQ(read(fifo, &byte, 1), -1) << "nothing was written into the FIFO";
  close(fifo);
  EXPECT_TRUE(fs::is_empty(Outside));
  EXPECT_EQ(archive::Tree(root),
            (std::vector<std::string>{"Cell2", "Cell2/Absorbance", "Cell3", "Cell4"}));
}

TEST_F(TarExtractorTest, LongNamesOfTarProgramsPlaceTheirMembersLikeShortOnes) {
  // Tar programs write names beyond 100 characters in a header of their
  // own; the member then belongs in its cell folder under its whole name.
  const std::string longName(150, 'n');
  const fs::path staging = Dir / "staging";
  fs::create_directories(staging / "run");
  WriteTextFile(staging / "run" / (longName + ".RA2"), archive::ScanText('R', 2, 280, 3));
  const std::vector<std::string> formats{"gnu", "pax"};
  for (const std::string& format : formats)
    ASSERT_TRUE(archive::Run("tar --format=" + format + " -czf '" + (Dir / format).string() +
                             ".tar.gz' -C '" + staging.string() + "' run/" + longName + ".RA2"));
  fs::remove_all(staging);
  for (const std::string& format : formats) {
    EXPECT_TRUE(Extract(Dir / (format + ".tar.gz"))) << format;
    EXPECT_EQ(Log.back(), "Expanded 1 files from " + (Dir / format).string() + ".tar.gz");
    std::vector<std::string> expected{format,
                                      format + "/Cell2",
                                      format + "/Cell2/Absorbance",
                                      format + "/Cell2/Absorbance/280",
                                      format + "/Cell2/Absorbance/280/" + longName + ".RA2",
                                      "outside"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Written(), expected) << format;
    fs::remove_all(Dir / format);
  }
}

TEST_F(TarExtractorTest, LongNamesMeetTheSameSafetyRulesAsShortOnes) {
  const std::string scan = archive::ScanText('R', 1, 280, 3);
  const fs::path path = WriteArchive(
      "h.tar.gz",
      Member("PaxHeaders/a", archive::PaxRecord("path", "../../up.RA1"), 'x') + Member("a", scan) +
          Member("././@LongLink", std::string("/etc/abs.txt") + '\0', 'L') + Member("b", "b") +
          Member("PaxHeaders/c", archive::PaxRecord("path", "run/.."), 'x') + Member("c", "c") +
          Member("././@LongLink", "ctl\x01.txt", 'L') + Member("d", "d") +
          Member("PaxHeaders/e", archive::PaxRecord("path", "soft.txt"), 'x') +
          archive::Header("e", 0, '2') + archive::End());
  EXPECT_FALSE(Extract(path));
  EXPECT_EQ(Written(), (std::vector<std::string>{
                           "h", "h/Cell1", "h/Cell1/Absorbance", "h/Cell1/Absorbance/280",
                           "h/Cell1/Absorbance/280/up.RA1", "h/abs.txt", "outside"}));
  EXPECT_TRUE(Logged("Refused unsafe file name run/.."));
  EXPECT_TRUE(Logged("Refused unsafe file name ctl?.txt"));
  EXPECT_TRUE(Logged("Skipped link soft.txt"));
  EXPECT_EQ(Log.back(), "Unpacked only 2 files from " + path.string());
}

TEST_F(TarExtractorTest, TruncatedArchivesFailAndKeepOnlyCompleteMembers) {
  const std::string tar = Member("a.txt", "complete") + Member("b.txt", std::string(2000, 'b'));
  const fs::path cutTar = WriteArchive("t1.tar.gz", tar.substr(0, 512 + 512 + 512 + 1000));
  EXPECT_FALSE(Extract(cutTar));
  EXPECT_TRUE(Logged("Truncated archive " + cutTar.string() + ": b.txt is incomplete"));
  EXPECT_FALSE(Logged("Expanded"));
  EXPECT_EQ(Written(), (std::vector<std::string>{"outside", "t1", "t1/a.txt"}));

  const std::string gz = archive::Gzip(tar + archive::End());
  WriteTextFile(Dir / "t2.tar.gz", gz.substr(0, gz.size() - 12));
  EXPECT_FALSE(Extract(Dir / "t2.tar.gz"));
  EXPECT_TRUE(Logged("Truncated archive " + (Dir / "t2.tar.gz").string()));
  EXPECT_FALSE(Logged("Expanded"));
}

TEST_F(TarExtractorTest, CorruptHeadersStopTheExtraction) {
  std::string badSum = archive::Header("b.txt", 1);
  badSum[0] = 'c';
  const std::string badSize = archive::Header("b.txt", 0, '0', "", "0000000001\x01");
  for (const std::string& bad : {badSum, badSize}) {
    const fs::path path = WriteArchive(
        "c.tar.gz", Member("a.txt", "a") + bad + std::string(512, 'x') + Member("z.txt", "z"));
    EXPECT_FALSE(Extract(path));
    EXPECT_TRUE(Logged("Corrupt tar header in " + path.string()));
    EXPECT_FALSE(Logged("Expanded"));
    EXPECT_EQ(Written(), (std::vector<std::string>{"c", "c/a.txt", "outside"}));
    fs::remove_all(Dir / "c");
  }
}

TEST_F(TarExtractorTest, FilesThatAreNotGzipDataFail) {
  WriteTextFile(Dir / "plain.tar.gz", Member("a.txt", "a") + archive::End());
  EXPECT_FALSE(Extract(Dir / "plain.tar.gz"));
  EXPECT_EQ(Log.front(), (Dir / "plain.tar.gz").string() + " is not a tar.gz file");
  std::string gz = archive::Gzip(Member("a.txt", std::string(5000, 'a')) + archive::End());
  gz[gz.size() - 6] ^= 0x55;  // the stored checksum no longer matches
  WriteTextFile(Dir / "bad.tar.gz", gz);
  EXPECT_FALSE(Extract(Dir / "bad.tar.gz"));
  EXPECT_TRUE(Logged("Damaged gzip data in "));
  EXPECT_FALSE(Extract(Dir / "absent.tar.gz"));
  EXPECT_TRUE(Logged("Cannot read "));
}

TEST_F(TarExtractorTest, GzipBombIsSkippedWithinAFixedMemoryBound) {
  const std::uint64_t gib = 1ull << 30;
  archive::WriteGzipOfZeros(Dir / "bomb.tar.gz", archive::Header("bomb.RA1", gib), gib);
  ASSERT_LT(fs::file_size(Dir / "bomb.tar.gz"), 2u << 20);
  std::ofstream("/proc/self/clear_refs") << "5";  // restarts the peak count where allowed
  const long before = MemoryKiB("VmRSS");
  EXPECT_FALSE(Extract(Dir / "bomb.tar.gz"));
  const long peak = MemoryKiB("VmHWM");
  EXPECT_LT(peak - before, 64 * 1024) << "KiB above the resident size before";
  EXPECT_TRUE(Logged("Skipped bomb.RA1: larger than 64 MiB"));
  EXPECT_EQ(Written(), std::vector<std::string>{"outside"});
}

TEST_F(TarExtractorTest, LargeMemberIsWrittenWithinAFixedMemoryBound) {
  // 63 MiB of data lines, just under the member cap, written as it comes.
  const std::string line = "6.0000 1.00E+00\n";
  std::string block;
  while (block.size() < (1u << 20)) block += line;
  const std::string head = "Test scan\nR 2 20.0 50000 0000600 1.0000E09 280 1\n";
  const long long size = static_cast<long long>(head.size()) + 63 * block.size();
  ASSERT_LT(size, TarExtractor::MaxMemberSize);
  const std::string padding((512 - size % 512) % 512, '\0');
  archive::WriteGzipOfRepeats(Dir / "big.tar.gz", archive::Header("big.RA2", size) + head, block,
                              63, padding + archive::End());
  std::ofstream("/proc/self/clear_refs") << "5";
  const long before = MemoryKiB("VmRSS");
  EXPECT_TRUE(Extract(Dir / "big.tar.gz"));
  const long peak = MemoryKiB("VmHWM");
  EXPECT_LT(peak - before, 16 * 1024) << "KiB above the resident size before";
  const fs::path file = Dir / "big/Cell2/Absorbance/280/big.RA2";
  // Every line end became CR LF.
  EXPECT_EQ(fs::file_size(file),
            static_cast<std::uintmax_t>(size + 2 + 63 * (block.size() / line.size())));
}

TEST_F(TarExtractorTest, MemberWithAnOverlongSecondLineIsPlacedOnceComplete) {
  // Its folder is known only at the end of its second line, beyond what is
  // held in memory.
  const std::string title = "Test scan\n";
  const std::string second = "R 3" + std::string(200000, ' ') + "230 1";
  const std::string rest = "\n6.0 1.0\n";
  const std::string noBreaks(300000, 'z');
  const fs::path path = WriteArchive("long.tar.gz", Member("l.RA3", title + second + rest) +
                                                        Member("n.RA3", noBreaks) + archive::End());
  ASSERT_TRUE(Extract(path));
  EXPECT_EQ(ReadFile(Dir / "long/Cell3/Absorbance/230/l.RA3"),
            "Test scan\r\n" + second + "\r\n6.0 1.0\r\n");
  EXPECT_EQ(ReadFile(Dir / "long/n.RA3"), noBreaks + "\r\n");
  EXPECT_EQ(Written(),
            (std::vector<std::string>{"long", "long/Cell3", "long/Cell3/Absorbance",
                                      "long/Cell3/Absorbance/230",
                                      "long/Cell3/Absorbance/230/l.RA3", "long/n.RA3", "outside"}));
  // Extracted again over a changed file, the member takes its place and
  // nothing is left over.
  WriteTextFile(Dir / "long/n.RA3", "changed");
  ASSERT_TRUE(Extract(path));
  EXPECT_EQ(ReadFile(Dir / "long/n.RA3"), noBreaks + "\r\n");
  EXPECT_TRUE(Logged("Replaced 2 files that were already in " + (Dir / "long").string()));
  EXPECT_EQ(archive::Tree(Dir / "long").size(), 5u);
}

TEST_F(TarExtractorTest, MembersNamedLikeHoldingFilesAreOrdinaryMembers) {
  // Found by fuzzing: such names are the archive's to choose.
  const std::string own = ".korvale-unpacking-" + std::to_string(getpid()) + "-1";
  const fs::path path = WriteArchive(
      "h.tar.gz", Member(".korvale-unpacking", "a") + Member(own, "b") +
                      Member("long.txt", std::string(TarMemberWriter::HeadLimit + 1, 'c')) +
                      archive::End());
  ASSERT_TRUE(Extract(path));
  EXPECT_EQ(Written(), (std::vector<std::string>{"h", "h/" + std::string(".korvale-unpacking"),
                                                 "h/" + own, "h/long.txt", "outside"}));
  EXPECT_EQ(ReadFile(Dir / "h" / own), "b\r\n");
}

TEST_F(TarExtractorTest, ALongNameThatClimbsToAHoldingNameIsAnOrdinaryMemberAtTheTop) {
  // Found by fuzzing: a long name with ".." parts that ends in a holding
  // name lands at the top of the target beside the other members.
  const std::string own =
      ".korvale-unpacking-" + std::to_string(getpid()) + "-" + std::string(120, 'm');
  const std::string scan = archive::ScanText('R', 2, 280, 3);
  const fs::path path =
      WriteArchive("h.tar.gz", Member("././@LongLink", "../../" + own + '\0', 'L') +
                                   Member("x", scan) + Member("00001.RA2", scan) + archive::End());
  ASSERT_TRUE(Extract(path));
  EXPECT_EQ(Written(), (std::vector<std::string>{"h", "h/" + own, "h/Cell2", "h/Cell2/Absorbance",
                                                 "h/Cell2/Absorbance/280",
                                                 "h/Cell2/Absorbance/280/00001.RA2", "outside"}));
  EXPECT_EQ(ReadFile(Dir / "h" / own), ReadFile(Dir / "h/Cell2/Absorbance/280/00001.RA2"));
}

TEST_F(TarExtractorTest, WriteFailuresAreReportedAndLeaveNoPartialFile) {
  const fs::path path = WriteArchive("w.tar.gz", Member("big.txt", std::string(100000, 'b')));
  const bool result = ExtractWithFilesUpTo(50000, path);
  EXPECT_FALSE(result);
  EXPECT_TRUE(Logged("Failed to write " + (Dir / "w/big.txt").string()));
  EXPECT_FALSE(fs::exists(Dir / "w/big.txt"));

  WriteTextFile(Dir / "f", "a file where the target folder should be");
  EXPECT_FALSE(Extract(WriteArchive("f.tar.gz", Member("a.txt", "a"))));
  EXPECT_TRUE(Logged("Failed to create path: " + (Dir / "f").string()));
  EXPECT_TRUE(Logged("    " + (Dir / "f").string() + " is a file; a.txt was not written"));
}

}  // namespace
