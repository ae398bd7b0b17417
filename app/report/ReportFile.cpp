#include "app/report/ReportFile.h"

#include "app/report/ReportPage.h"
#include "app/report/RtfReader.h"
#include "app/report/RtfWriter.h"

#include <QFile>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>

bool ReportFile::Load(const QString& FileName, QTextDocument& Document) {
  FErrorText.clear();
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly)) {
    FErrorText = file.errorString();
    return false;
  }
  if (file.size() > RtfReader::MaxInputSize) {
    FErrorText = QStringLiteral("The file is too large");
    return false;
  }
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    FErrorText = file.errorString();
    return false;
  }
  // Read into a scratch document first, so a damaged file leaves the
  // report shown as it was. The pictures are fitted to the page the file
  // states.
  const ReportPage page = ReportPage::FromRtf(data);
  QTextDocument scratch;
  page.SetOn(scratch);
  QTextCursor scratchCursor(&scratch);
  RtfReader reader;
  if (!reader.Read(data, scratchCursor)) {
    FErrorText = reader.ErrorText();
    return false;
  }
  Document.clear();
  page.SetOn(Document);
  QTextCursor cursor(&Document);
  reader.Read(data, cursor);
  Document.setModified(false);
  return true;
}

bool ReportFile::Save(const QString& FileName, const QTextDocument& Document) {
  FErrorText.clear();
  QSaveFile file(FileName);
  if (!file.open(QIODevice::WriteOnly)) {
    FErrorText = file.errorString();
    return false;
  }
  const QByteArray data = RtfWriter(Document).Write();
  if (file.write(data) != data.size() || !file.commit()) {
    FErrorText = file.errorString();
    file.cancelWriting();
    return false;
  }
  return true;
}
