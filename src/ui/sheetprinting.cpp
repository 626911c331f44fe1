#include "sheetprinting.h"

#include "fileaccess.h"
#include "filedialogstate.h"
#include "nastaveni.h"

#include <QAction>
#include <QDir>
#include <QPainter>
#include <QPrinter>

namespace {

// The print dialog's own print-to-file box and the title of the save dialog
// it leads to: the sheet is saved as a BMP picture, not printed.
QString bitmapText(const LanguageTexts &language)
{
    return language.text(Text::SaveSheetAsBmp);
}

void setEnabled(QAction *action, bool enabled)
{
    if (action)
        action->setEnabled(enabled);
}

} // namespace

SheetPrinting::SheetPrinting(AppContext &context, TStranka &stranka, FileDialogState &spd)
    : m_context(context), m_stranka(stranka), m_spd(spd)
{
}

SheetPrinting::~SheetPrinting() = default;

QPrinter *SheetPrinting::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

void SheetPrinting::print(const PrintedSheet &sheet, QAction *kvizMenu)
{
    QPrinter &printer = *this->printer();
    bool toFile = false;
    const PrintRequest request{bitmapText(m_context.language),
                               QDir(m_context.startFolder).filePath(sheet.pdfName)};
    if (!m_context.dialogs->print(m_context.mainWindow, &printer, request, &toFile)) {
        setEnabled(kvizMenu, true);
        return;
    }
    // The printable area in device pixels, in the orientation the print
    // dialog left; the placement below uses it even when the orientation changes.
    const QSize page(printer.width(), printer.height());
    m_stranka.setPageRatio(double(page.width()) / sheet.panelWidth);
    const bool confirmed = m_context.dialogs->runModal(&m_stranka);
    // Until the first OK the placement is all zero, which would print an
    // empty rectangle: the dialog's current values stand in for it.
    if (confirmed || !m_confirmed) {
        m_placement = placement::printPlacement(page, m_stranka.left(), m_stranka.top(),
                                                m_stranka.scale());
        printer.setPageOrientation(m_stranka.portrait() ? QPageLayout::Portrait
                                                          : QPageLayout::Landscape);
        m_confirmed = m_confirmed || confirmed;
    }

    const QImage image = sheet.compose(m_stranka.withTexts());
    if (toFile)
        saveBitmap(image, sheet.name());
    else
        printSheet(image, sheet.name(), kvizMenu);
    setEnabled(kvizMenu, true);
}

void SheetPrinting::saveBitmap(const QImage &image, const QString &name)
{
    m_spd.request.title = bitmapText(m_context.language);
    // The sheet's own name in the dialog's folder; a file of that name is
    // overwritten only when the teacher says so.
    m_spd.request.fileName = name + QLatin1String(".bmp");
    m_spd.request.confirmOverwrite = true;
    const QStringList files = m_spd.execute(*m_context.dialogs, m_context.mainWindow);
    if (files.isEmpty())
        return;
    // Not a print: a file that cannot be written is reported.
    QString error;
    const QByteArray bytes = sheet::bmpBytes(image, error);
    if (bytes.isEmpty()) {
        m_context.dialogs->error(m_context.mainWindow, fileaccess::named(files.first(), error));
        return;
    }
    m_context.dialogs->failed(m_context.mainWindow,
                              fileaccess::write(m_context.language, files.first(), bytes));
}

void SheetPrinting::printSheet(const QImage &sheet, const QString &name, QAction *kvizMenu)
{
    setEnabled(kvizMenu, false);
    // Failures while printing are dropped without a message; a job that
    // has begun and fails is aborted.
    QPainter painter;
    QPrinter &printer = *this->printer();
    printer.setDocName(name);
    if (!painter.begin(&printer))
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The sheet goes onto the page unchanged: a PDF gets it losslessly
    // compressed, not as a JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.drawImage(placement::destinationRect(m_placement), sheet);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        printer.abort();
}
