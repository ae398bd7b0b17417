// Time to open a report: a file of plain text (paragraphs, no formatting)
// opened in the report's editor until its first page is painted, the time
// the user waits, in bytes per second; and a file of four pictures at the
// reader's caps, whose peak memory the program's maximum resident size
// shows when it runs alone (--benchmark_filter=Pictures).
#include <QBuffer>
#include <QFile>
#include <QImage>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "app/report/ReportFile.h"
#include "app/report/ReportTextEdit.h"
#include "app/report/RtfReader.h"
#include "bench/BenchSupport.h"

namespace {

namespace fs = std::filesystem;

const ScratchFolder& Folder() {
  static const ScratchFolder folder("bench-report");
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

// Opens Rtf, written to a file, in a shown editor as the report's editor
// does, and paints what the editor shows, once per iteration.
void OpenReport(benchmark::State& State, const QByteArray& Rtf) {
  const fs::path path = Folder().Path() / "report.rtf";
  WriteFile(path, Rtf);
  std::unique_ptr<ReportTextEdit> editor;
  for (auto _ : State) {
    State.PauseTiming();
    // The previous editor goes while the clock stands.
    editor = std::make_unique<ReportTextEdit>();
    editor->resize(900, 700);
    editor->show();
    editor->viewport()->repaint();
    State.ResumeTiming();
    ReportFile file;
    if (!file.Load(QString::fromStdString(path.string()), *editor->document()))
      State.SkipWithError(file.ErrorText().toStdString().c_str());
    editor->viewport()->repaint();
  }
}

void BM_OpenPlainTextReport(benchmark::State& State) {
  const QByteArray rtf = PlainTextRtf(static_cast<int>(State.range(0)));
  OpenReport(State, rtf);
  State.SetBytesProcessed(State.iterations() * rtf.size());
}
BENCHMARK(BM_OpenPlainTextReport)
    ->Arg(50)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

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
  const QByteArray rtf = PicturesAtTheCapsRtf();
  OpenReport(State, rtf);
  State.counters["file_MB"] = rtf.size() / 1e6;
}
BENCHMARK(BM_OpenPicturesAtTheCaps)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksWithApplication(argc, argv, false);
}
