#pragma once

#include "chart/editor/TKorExportFormat.h"

#include <QPointer>

class TEMFOptions;
class TMetafile;

// Render role: the metafile picture format. It takes two places in a save
// dialog's file-type list, enhanced and placeable; the options form's
// "&Enhanced" box chooses between them.
class TEMFExportFormat : public TKorExportFormat {
 public:
  TEMFExportFormat();
  ~TEMFExportFormat() override;

  // True while no options form exists; setting it makes the form.
  bool GetEnhanced() const;
  void SetEnhanced(bool Value);

  void DoCopyToClipboard() override;
  int FileFilterIndex() const override;
  void IncFileFilterIndex(int& Index) override;
  // Choosing the second place switches the enhanced form off, the first on.
  bool WantsFilterIndex(int Index) override;
  QString Description() const override;
  QString FileExtension() const override;
  QString FileFilter() const override;
  TKorGraphicClass GraphicClass() const override;
  void SaveToStream(QIODevice& Stream) override;
  QWidget* Options(bool Create = true) override;

  static std::unique_ptr<TKorExportFormat> Create();

 private:
  // The panel's metafile at the format's size.
  std::unique_ptr<TMetafile> Metafile();

  QPointer<TEMFOptions> FOptions;  // owned; QPointer: a dialog may dock it
};

// Adds the format to the export registry, and removes it.
void RegisterEMFExportFormat();
void UnRegisterEMFExportFormat();
