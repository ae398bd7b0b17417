#pragma once

#include "platform/Exception.h"

#include <QPointer>

#include <memory>

class QImage;
class ReportTextEdit;
class RichEditOleCallback;

// A picture or pasted object the report's control refused, or a control
// that is gone.
class EOleError : public Exception {
 public:
  using Exception::Exception;
};

// Pasting pictures and choosing the form of pasted data for the report's
// control (interaction role). Creating it attaches its callback to the
// control, which from then on accepts pasted pictures and refuses drops.
// Pictures become images in the document; embedded and linked objects do
// not exist here, so there is never an object to close.
class RichEditOleSupport {
 public:
  explicit RichEditOleSupport(ReportTextEdit& ARichEdit);
  ~RichEditOleSupport();
  RichEditOleSupport(const RichEditOleSupport&) = delete;
  RichEditOleSupport& operator=(const RichEditOleSupport&) = delete;

  RichEditOleCallback& Callback() const { return *FCallback; }

  // The clipboard's picture at the control's cursor; EOleError "RichEdit
  // refused to paste object." when there is none or the control refuses.
  void PastePicture();
  // Image at the control's cursor, with the same refusal.
  void InsertPicture(const QImage& Image);
  // Asks in which form to paste the clipboard's data and pastes it; true
  // when the user confirmed. EOleError when the chosen form is refused.
  bool PasteSpecial();
  // EOleError "RichEdit OLE interface is not valid." once the control is
  // gone; otherwise true, as no object can be open.
  bool CloseObjects(bool PromptToSave);

 private:
  ReportTextEdit& Control() const;

  QPointer<ReportTextEdit> FRichEdit;
  std::unique_ptr<RichEditOleCallback> FCallback;
};
