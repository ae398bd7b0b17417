#pragma once

#include <QTextEdit>

#include <functional>

class QMimeData;
class RichEditOleCallback;

// The report's rich-text control (interaction role). Pasted data becomes a
// picture (an image), rich text (read as RTF) or plain text; HTML is never
// taken, so pasted mark-up cannot make the document fetch files. With an
// OLE callback attached, the callback decides what may be pasted or
// dropped; without one, pictures are not accepted.
class ReportTextEdit : public QTextEdit {
 public:
  explicit ReportTextEdit(QWidget* Parent = nullptr);

  // Not owned; nullptr detaches.
  void SetOleCallback(RichEditOleCallback* Callback) { FCallback = Callback; }
  RichEditOleCallback* GetOleCallback() const { return FCallback; }

  // The rich-text data of Source, or an empty array.
  static QByteArray RtfData(const QMimeData& Source);
  // Inserts RTF at the cursor; false (nothing inserted) for unreadable data.
  bool InsertRtf(const QByteArray& Data);

  std::function<void(QMouseEvent&)> OnMouseDown;

 protected:
  bool canInsertFromMimeData(const QMimeData* Source) const override;
  void insertFromMimeData(const QMimeData* Source) override;
  void dragEnterEvent(QDragEnterEvent* Event) override;
  void dragMoveEvent(QDragMoveEvent* Event) override;
  void dropEvent(QDropEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;

 private:
  bool AcceptsPaste() const;
  bool AcceptsDrop() const;

  RichEditOleCallback* FCallback = nullptr;
};
