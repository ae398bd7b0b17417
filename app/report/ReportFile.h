#pragma once

#include <QString>

class QTextDocument;

// Reading and writing a report file (data role). Reading only needs read
// access, so a report the user may not change still opens, and reads the
// file once, into the document itself. Writing goes
// through a temporary file beside the target that replaces it only when
// complete: a failed write leaves the previous report as it was.
class ReportFile {
 public:
  // Replaces Document's content and page (ReportPage) by the file's; on
  // failure (ErrorText set) Document is unchanged. A document an editor
  // shows is laid out anew afterwards, a part at a time, so the editor
  // shows the first page at once however long the report is.
  bool Load(const QString& FileName, QTextDocument& Document);
  bool Save(const QString& FileName, const QTextDocument& Document);

  const QString& ErrorText() const { return FErrorText; }

 private:
  QString FErrorText;
};
