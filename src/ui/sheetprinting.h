#pragma once

#include "appcontext.h"
#include "placement.h"
#include "sheet.h"

#include <memory>

class FileDialogState;
class QAction;
class QPrinter;
class TStranka;

using PrintedSheet = sheet::Printed;

// The print commands of the main window ("Tiskni", "Tisk stopy"): print
// dialog, placement dialog, the 440 x 600 sheet composed from what the sheet
// window hands over, then either the page on the printer or, with the print
// dialog's print-to-file box ticked, the unscaled sheet saved as a BMP.
class SheetPrinting
{
public:
    // `spd` is the main window's picture-save dialog (SPD).
    SheetPrinting(AppContext &context, TStranka &stranka, FileDialogState &spd);
    ~SheetPrinting();

    // The current printer; the orientation set by a print stays on it.
    // Created on first use: constructing it asks the print system (CUPS)
    // for the default printer, which start-up need not wait for.
    QPrinter *printer();
    // Where the last print went: zero until a placement is first used.
    placement::PrintPlacement printPlacement() const { return m_placement; }

    // Prints the sheet. `kvizMenu` (the action of the menu `tisk1`) is
    // disabled while the page is printed and enabled on every way out.
    void print(const PrintedSheet &sheet, QAction *kvizMenu);

private:
    void saveBitmap(const QImage &image, const QString &name);
    void printSheet(const QImage &sheet, const QString &name, QAction *kvizMenu);

    AppContext &m_context;
    TStranka &m_stranka;
    FileDialogState &m_spd;
    std::unique_ptr<QPrinter> m_printer;   // HighResolution, see printer()
    placement::PrintPlacement m_placement;
    bool m_confirmed = false;  // the placement dialog has closed with OK once
};
