#include "tests/support/PascalStreamConverter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <atomic>
#include <memory>

namespace {

constexpr int TimeoutMs = 60000;

const char* const ProgramSource = R"(program convert;
{$mode objfpc}{$H+}
uses Classes, SysUtils;
var
  Input, Output: TFileStream;
begin
  Input := TFileStream.Create(ParamStr(2), fmOpenRead);
  try
    Output := TFileStream.Create(ParamStr(3), fmCreate);
    try
      if ParamStr(1) = 'b2t' then
        ObjectBinaryToText(Input, Output)
      else
        ObjectTextToBinary(Input, Output);
    finally
      Output.Free;
    end;
  finally
    Input.Free;
  end;
end.
)";

struct TConverter {
  std::unique_ptr<QTemporaryDir> Dir;
  QString Executable;
  QString Why;
};

bool WriteFile(const QString& Path, const QByteArray& Bytes) {
  QFile File(Path);
  return File.open(QIODevice::WriteOnly) && File.write(Bytes) == Bytes.size();
}

TConverter Build() {
  TConverter Result;
  const QString Compiler = QStandardPaths::findExecutable(QStringLiteral("fpc"));
  if (Compiler.isEmpty()) {
    Result.Why = QStringLiteral(
        "the Free Pascal compiler (fpc, Debian package fp-compiler) is not installed; "
        "scripts/install-deps --test installs it");
    return Result;
  }
  Result.Dir = std::make_unique<QTemporaryDir>();
  if (!Result.Dir->isValid()) {
    Result.Why = QStringLiteral("no temporary folder for the Pascal converter");
    return Result;
  }
  const QString Source = Result.Dir->filePath(QStringLiteral("convert.pas"));
  const QString Executable = Result.Dir->filePath(QStringLiteral("convert"));
  WriteFile(Source, ProgramSource);
  QProcess Process;
  Process.setProcessChannelMode(QProcess::MergedChannels);
  Process.setWorkingDirectory(Result.Dir->path());
  Process.start(Compiler, {QStringLiteral("-v0"), QStringLiteral("-FU") + Result.Dir->path(),
                           QStringLiteral("-o") + Executable, Source});
  if (!Process.waitForFinished(TimeoutMs) || Process.exitStatus() != QProcess::NormalExit ||
      Process.exitCode() != 0 || !QFile::exists(Executable)) {
    Result.Why = QStringLiteral("fpc (package fp-compiler) failed to build the converter: ") +
                 QString::fromLocal8Bit(Process.readAll());
    return Result;
  }
  Result.Executable = Executable;
  return Result;
}

const TConverter& Converter() {
  static const TConverter Instance = Build();
  return Instance;
}

std::optional<QByteArray> Run(const char* Mode, const QByteArray& Input) {
  const TConverter& C = Converter();
  if (C.Executable.isEmpty()) return std::nullopt;
  static std::atomic<int> Counter{0};
  const QString Stem = C.Dir->filePath(QStringLiteral("run%1").arg(Counter++));
  const QString In = Stem + QStringLiteral(".in");
  const QString Out = Stem + QStringLiteral(".out");
  if (!WriteFile(In, Input)) return std::nullopt;
  QProcess Process;
  Process.setProcessChannelMode(QProcess::MergedChannels);
  Process.start(C.Executable, {QString::fromLatin1(Mode), In, Out});
  const bool Ok = Process.waitForFinished(TimeoutMs) &&
                  Process.exitStatus() == QProcess::NormalExit && Process.exitCode() == 0;
  std::optional<QByteArray> Result;
  QFile File(Out);
  if (Ok && File.open(QIODevice::ReadOnly)) Result = File.readAll();
  File.close();
  QFile::remove(In);
  QFile::remove(Out);
  return Result;
}

}  // namespace

bool PascalAvailable(QString* Why) {
  const TConverter& C = Converter();
  if (Why) *Why = C.Why;
  return !C.Executable.isEmpty();
}

std::optional<QByteArray> PascalBinaryToText(const QByteArray& Binary) {
  return Run("b2t", Binary);
}

std::optional<QByteArray> PascalTextToBinary(const QByteArray& Text) {
  return Run("t2b", Text);
}

namespace {

bool ParseValue(const QByteArray& Text, double& Value) {
  const QByteArray T = Text.trimmed();
  if (T == "Nan") {
    Value = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  if (T == "+Inf" || T == "-Inf") {
    Value = T[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    return true;
  }
  char* EndPtr = nullptr;
  Value = std::strtod(T.constData(), &EndPtr);
  return !T.isEmpty() && EndPtr == T.constData() + T.size();
}

}  // namespace

void ExpectSamePascalText(const QByteArray& Ours, const QByteArray& Theirs) {
  const QList<QByteArray> A = Ours.split('\n');
  const QList<QByteArray> B = Theirs.split('\n');
  ASSERT_EQ(A.size(), B.size()) << Ours.toStdString() << "\n---\n" << Theirs.toStdString();
  for (qsizetype I = 0; I < A.size(); ++I) {
    QByteArray L = A[I], R = B[I];
    while (L.endsWith(' ')) L.chop(1);
    while (R.endsWith(' ')) R.chop(1);
    if (L == R) continue;
    const qsizetype Eq = L.indexOf(" = ");
    double X = 0, Y = 0;
    const bool Floats = Eq >= 0 && L.left(Eq) == R.left(Eq) && ParseValue(L.mid(Eq + 3), X) &&
                        ParseValue(R.mid(Eq + 3), Y);
    EXPECT_TRUE(Floats && (X == Y || (std::isnan(X) && std::isnan(Y))))
        << "line " << I + 1 << ": ours \"" << L.toStdString() << "\", theirs \"" << R.toStdString()
        << "\"";
  }
}
