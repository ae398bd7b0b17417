#pragma once

#include "chart/editor/TKorExportFormat.h"

#include <QString>

#include <memory>
#include <vector>

class TCustomKorPanel;
class TStream;
struct TFileDialogRequest;

// The free routines of the export machinery: the picture save dialog's
// file types, saving a panel in one format, and panels as plain component
// streams.

// The kind of the export dialogs' files: they start where the last export went.
inline const QString KorExportFolderKind = QStringLiteral("exports");

// Appends the file types of every registered format to Dialog's filter,
// numbering each format's entries from where the filter ends. With Formats
// the instances made (for Panel) are kept there in registration order.
void KorFillPictureDialog(TFileDialogRequest& Dialog, TCustomKorPanel* Panel,
                          std::vector<std::unique_ptr<TKorExportFormat>>* Formats);
// Asks for a file name and saves Panel there in the format; nothing on
// cancel.
void KorExportSavePanel(TKorExportFormatClass FormatClass, TCustomKorPanel& Panel);
void KorSavePanel(TKorExportFormatClass FormatClass, TCustomKorPanel& Panel);

// Panels as component streams (no chart-file header).
void SaveKorToStream(TCustomKorPanel& Panel, TStream& Stream);
// The panel counts as visible while written (its visibility is stored);
// an existing file is replaced only once the new one is complete.
void SaveKorToFile(TCustomKorPanel& Panel, const QString& FileName);
// Reads the stream's properties and children into Panel. Raises EReadError
// for a broken stream.
void LoadKorFromStream(TCustomKorPanel& Panel, TStream& Stream);
void LoadKorFromFile(TCustomKorPanel& Panel, const QString& FileName);

// The series data file types: space, tab, comma, colon and custom
// delimited text, XML, HTML and spreadsheet (entries 1 to 8).
QString KorDataFilter();
// The extension of data entry Index (1 to 8) without the dot: "csv" for
// comma delimited text.
QString KorDataFilterExtension(int Index);

// The folder of the help file FileName as the user's options record it,
// joined with the name; empty when the options have no help folders.
QString GetRegistryHelpPath(const QString& FileName);
