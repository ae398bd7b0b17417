#pragma once

#include <QWidget>

class QCheckBox;

// Interaction: the metafile format's options, docked into the export
// dialog: whether the enhanced form is written.
class TEMFOptions : public QWidget {
 public:
  explicit TEMFOptions(QWidget* Parent = nullptr);

  QCheckBox* CBEnhanced = nullptr;
};
