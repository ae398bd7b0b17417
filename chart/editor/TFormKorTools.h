#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QShowEvent;
class TCustomChart;
class TKorCustomTool;

// Registers the series-tool, drag-point and selector tool editor forms.
void RegisterToolEditorForms();

// Registers the editor dialog's "TabTitle", "TabWalls" and "TabTools"
// pages (and the tool editor forms the tools page embeds).
void RegisterTitlesWallsToolsEditorPages();

// Interaction: the chart editor's tools page: lists the chart's tools,
// adds them from the tools gallery, deletes and reorders them, switches
// them on and off, and embeds the selected tool's own editor form.
class TFormKorTools : public QWidget {
 public:
  TFormKorTools(QWidget* Parent, TCustomChart* Chart);

  TCustomChart* GetChart() const { return FChart; }
  // The tool of the selected row; nullptr without one.
  TKorCustomTool* SelectedTool() const;
  // The tool of row Index; nullptr outside the list.
  TKorCustomTool* ToolAt(int Index) const;
  // The selected tool's embedded editor form; nullptr without one.
  QWidget* GetEditorForm() const { return FEditorForm; }

  // Shows the bottom panel while designing, fills the list and selects
  // the first tool (or Tool when it is listed).
  void FormShow(TKorCustomTool* Tool = nullptr);
  // Lists the tools the editor shows, by description.
  void FillTools();
  void LBToolsClick();
  void CBActiveClick();
  void CBShowEditorClick();
  void BAddClick();
  void BDeleteClick();
  void BMoveUpClick();
  void BMoveDownClick();

  // Run after a tool was added, and before a tool is deleted.
  std::function<void(TKorCustomTool* Tool)> OnAdded;
  std::function<void(TKorCustomTool* Tool)> OnDeleting;

  QListWidget* LBTools = nullptr;
  QCheckBox* CBActive = nullptr;
  QCheckBox* CBShowEditor = nullptr;
  QPushButton* BAdd = nullptr;
  QPushButton* BDelete = nullptr;
  QPushButton* BMoveUp = nullptr;
  QPushButton* BMoveDown = nullptr;
  QWidget* PanelEditor = nullptr;
  QWidget* PanelBottom = nullptr;
  QLabel* LDescription = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  void LoadToolControls();
  void ShowEditorForm(TKorCustomTool* Tool);
  void FreeEditorForm();
  void SelectRow(int Row);
  void ExchangeRows(int Row, int Other);
  bool Designing() const;
  // A refused edit is reported and the controls show the tool again.
  void Guarded(const std::function<void()>& Body);

  TCustomChart* FChart;  // not owned
  // The tool of each row, in row order.
  std::vector<TKorCustomTool*> FRowTools;
  QWidget* FEditorForm = nullptr;         // a Qt child of PanelEditor
  TKorCustomTool* FEditorTool = nullptr;  // the tool FEditorForm edits
  bool FUpdating = false;
};
