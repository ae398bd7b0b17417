#pragma once

class QWidget;
class TPrinter;

// The dialogs that choose where a print goes (interaction role). Both go
// through the modal hooks (ShowModal, the file dialog), so headless runs
// answer them.

// The print dialog on Printer: printer (with printing into a PDF file
// always among the choices), copies and, when MaxPage >= MinPage >= 1, the
// page range, preset to all of them. On OK Printer holds the choice and the
// result is true.
bool ExecutePrintDialog(TPrinter& Printer, int MinPage, int MaxPage, QWidget* Parent = nullptr);

// For Printer's PDF file choice: asks for the file to print into (".pdf"
// added to a name without extension) and names it; false when the user
// cancelled. Any other choice needs no name: true at once.
bool AskPdfFileName(TPrinter& Printer, QWidget* Parent = nullptr);
