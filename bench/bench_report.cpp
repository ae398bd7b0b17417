// Time to open a report: a file of plain text (paragraphs, no formatting)
// read into a document as the editor opens it, in bytes per second; and a
// file of four pictures at the reader's caps, whose peak memory the
// program's maximum resident size shows when it runs alone
// (--benchmark_filter=Pictures).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTextDocument>

#include <cmath>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/report/ReportFile.h"
#include "app/report/RtfReader.h"

namespace {

namespace fs = std::filesystem;

// Removed again when the program exits.
struct TempFolder {
  TempFolder()
      : Path(fs::temp_directory_path() / ("korvale-bench-report-" + std::to_string(getpid()))) {
    fs::create_directories(Path);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(Path, ignored);
  }
  fs::path Path;
};

const TempFolder& Folder() {
  static const TempFolder folder;
  return folder;
}

void WriteFile(const fs::path& Path, const QByteArray& Bytes) {
  QFile file(QString::fromStdString(Path.string()));
  if (file.open(QIODevice::WriteOnly)) file.write(Bytes);
}

// Megabytes of 400-character paragraphs of words.
QByteArray PlainTextRtf(int Megabytes) {
  const QByteArray words = "sedimentation velocity of the sample at twenty degrees ";
  QByteArray paragraph;
  while (paragraph.size() < 400) paragraph += words;
  paragraph.truncate(400);
  paragraph += "\\par\n";
  QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20\n";
  while (rtf.size() < Megabytes * (1 << 20)) rtf += paragraph;
  return rtf + "}";
}

void BM_OpenPlainTextReport(benchmark::State& State) {
  const fs::path path = Folder().Path / "plain.rtf";
  const QByteArray rtf = PlainTextRtf(static_cast<int>(State.range(0)));
  WriteFile(path, rtf);
  for (auto _ : State) {
    QTextDocument document;
    ReportFile file;
    if (!file.Load(QString::fromStdString(path.string()), document))
      State.SkipWithError(file.ErrorText().toStdString().c_str());
    benchmark::DoNotOptimize(document.characterCount());
  }
  State.SetBytesProcessed(State.iterations() * rtf.size());
}
BENCHMARK(BM_OpenPlainTextReport)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);

// Four solid pictures of the largest size allowed, stored as PNG.
QByteArray PicturesAtTheCapsRtf() {
  const int side = static_cast<int>(std::sqrt(static_cast<double>(RtfReader::MaxPicturePixels)));
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  QByteArray rtf = "{\\rtf1\\ansi\n";
  const int pictures = static_cast<int>(RtfReader::MaxTotalPixels / RtfReader::MaxPicturePixels);
  for (int i = 0; i < pictures; ++i) rtf += "{\\pict\\pngblip\n" + png.toHex() + "}\\par\n";
  return rtf + "}";
}

void BM_OpenPicturesAtTheCaps(benchmark::State& State) {
  const fs::path path = Folder().Path / "pictures.rtf";
  const QByteArray rtf = PicturesAtTheCapsRtf();
  WriteFile(path, rtf);
  for (auto _ : State) {
    QTextDocument document;
    ReportFile file;
    if (!file.Load(QString::fromStdString(path.string()), document))
      State.SkipWithError(file.ErrorText().toStdString().c_str());
  }
  State.counters["file_MB"] = rtf.size() / 1e6;
}
BENCHMARK(BM_OpenPicturesAtTheCaps)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Fonts and images only: no window system is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
