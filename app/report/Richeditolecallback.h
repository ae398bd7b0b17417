#pragma once

class ReportTextEdit;

// What the report's text control may accept (interaction role): the
// control asks it before inserting data or objects. Pasted data is
// accepted; data dropped onto the control is refused unless the
// accept-dropped-data flag is set, which nothing in the program does, so a
// file dragged onto the report inserts nothing.
class RichEditOleCallback {
 public:
  enum class TDataOrigin { doPaste, doDrop };

  explicit RichEditOleCallback(ReportTextEdit& ARichEdit) : FRichEdit(ARichEdit) {}
  RichEditOleCallback(const RichEditOleCallback&) = delete;
  RichEditOleCallback& operator=(const RichEditOleCallback&) = delete;

  ReportTextEdit& RichEdit() const { return FRichEdit; }
  bool GetAcceptDroppedData() const { return FAcceptDroppedData; }

  bool QueryAcceptData(TDataOrigin Origin) const;
  bool QueryInsertObject() const { return true; }
  bool DeleteObject() const { return true; }
  // No drag-and-drop effect is ever allowed.
  bool DragDropAllowed() const { return false; }

 private:
  ReportTextEdit& FRichEdit;
  bool FAcceptDroppedData = false;
};
