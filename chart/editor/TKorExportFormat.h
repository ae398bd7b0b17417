#pragma once

#include <QString>

#include <memory>
#include <vector>

class QIODevice;
class QWidget;
class TCustomKorPanel;
class TGraphic;
class TKorExportFormat;

// The class reference of a picture format: its virtual constructor, making
// a new instance the caller owns.
using TKorExportFormatClass = std::unique_ptr<TKorExportFormat> (*)();
// The class reference of a picture kind: a new, empty picture.
using TKorGraphicClass = std::unique_ptr<TGraphic> (*)();

// Render role: one picture file format a chart panel can be exported in
// (copied to the clipboard or saved to a file), with its place in a save
// dialog's file-type list and an optional options form.
class TKorExportFormat {
 public:
  TKorExportFormat();
  virtual ~TKorExportFormat();
  TKorExportFormat(const TKorExportFormat&) = delete;
  TKorExportFormat& operator=(const TKorExportFormat&) = delete;

  // The panel exported; not owned.
  TCustomKorPanel* GetPanel() const { return FPanel; }
  void SetPanel(TCustomKorPanel* Value) { FPanel = Value; }
  // Picture size in pixels; 0 takes the panel's size when exporting.
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }

  // Both raise ChartException without a panel; a failed file write raises
  // EFileError and leaves an existing file as it was.
  void CopyToClipboard();
  void SaveToFile(const QString& FileName);
  // Saves Panel through a temporary instance of FormatClass.
  static void SaveToFile(TKorExportFormatClass FormatClass, TCustomKorPanel* Panel,
                         const QString& FileName);

  virtual void DoCopyToClipboard() = 0;
  // 1-based position in a save dialog's file-type list.
  virtual int FileFilterIndex() const;
  // Takes the next position(s) of the running Index, which it advances.
  virtual void IncFileFilterIndex(int& Index);
  // Whether the file type at Index is this format's (a format with several
  // entries follows the choice).
  virtual bool WantsFilterIndex(int Index);
  // Caption for menus and lists, may hold a "&" accelerator.
  virtual QString Description() const = 0;
  // Without the dot.
  virtual QString FileExtension() const = 0;
  // "description|pattern" pairs for a save dialog.
  virtual QString FileFilter() const = 0;
  virtual TKorGraphicClass GraphicClass() const { return nullptr; }
  virtual void SaveToStream(QIODevice& Stream) = 0;
  // The options form, made on first call when Create; nullptr when the
  // format has none. The format deletes it.
  virtual QWidget* Options(bool Create = true);

 protected:
  // Raises ChartException without a panel.
  void CheckPanel() const;
  // Fills a zero width or height from the panel's current size.
  void CheckSize();

  int FFilterIndex = 0;

 private:
  TCustomKorPanel* FPanel = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};

// The registered picture formats, in registration order.
class TKorExportFormats {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TKorExportFormatClass Get(int Index) const;
  int IndexOf(TKorExportFormatClass FormatClass) const;
  void Add(TKorExportFormatClass FormatClass);
  void Remove(TKorExportFormatClass FormatClass);

 private:
  std::vector<TKorExportFormatClass> FItems;
};

TKorExportFormats& KorExportFormats();
void RegisterKorExportFormat(TKorExportFormatClass FormatClass);
void UnRegisterKorExportFormat(TKorExportFormatClass FormatClass);

// A new, empty picture of the first registered format whose extension is
// Extension (with its dot, any case), or nullptr. Installed as the chart
// texts' picture hook by the first registration.
std::unique_ptr<TGraphic> WithFileExtension(const QString& Extension);
