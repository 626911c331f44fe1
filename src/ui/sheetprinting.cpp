#include "sheetprinting.h"

#include "filedialogstate.h"
#include "imagecontrol.h"
#include "nastaveni.h"
#include "sheet.h"
#include "textfile.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QPainter>

namespace {

constexpr int panelWidthDefault = 442;

// The named image controls of a sheet window as the composition rules see
// them. Thumbnails may sit in `Panel`; their place counts only on the sheet.
QList<sheet::Control> controlsOf(QWidget *window, const QStringList &names)
{
    QList<sheet::Control> controls;
    for (const QString &name : names) {
        QWidget *w = window->findChild<QWidget *>(name);
        if (!w)
            continue;
        sheet::Control c;
        c.name = name;
        c.visible = !w->isHidden();
        c.onSheet = w->parentWidget() == window;
        if (auto *image = qobject_cast<ImageControl *>(w))
            c.image = image->image();
        else
            c.image = w->grab().toImage();
        c.topLeft = w->mapTo(window, QPoint(0, 0));
        controls << c;
    }
    return controls;
}

int panelWidth(QWidget *window)
{
    const QWidget *panel = window->findChild<QWidget *>(QStringLiteral("Panel"),
                                                        Qt::FindDirectChildrenOnly);
    return panel && panel->width() > 0 ? panel->width() : panelWidthDefault;
}

// The print dialog's own print-to-file box and the title of the save dialog
// it leads to: the sheet is saved as a BMP picture, not printed.
QString bitmapText(const LanguageTexts &language)
{
    return language.text(128, QStringLiteral("Uložit list jako obrázek BMP"));
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

QPrinter *SheetPrinting::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

QImage SheetPrinting::quizSheet(QWidget *quizWindow, bool withTexts)
{
    return sheet::composeSheet(
            sheet::quizItems(controlsOf(quizWindow, sheet::quizControlNames()), withTexts));
}

QImage SheetPrinting::traceSheet(QWidget *traceWindow, bool withTexts)
{
    return sheet::composeSheet(
            sheet::traceItems(controlsOf(traceWindow, sheet::traceControlNames()), withTexts));
}

void SheetPrinting::printQuiz(QWidget *quizWindow, QAction *kvizMenu)
{
    run(quizWindow, kvizMenu, Kind::Quiz);
}

void SheetPrinting::printTrace(QWidget *traceWindow, QAction *kvizMenu)
{
    run(traceWindow, kvizMenu, Kind::Trace);
}

void SheetPrinting::run(QWidget *window, QAction *kvizMenu, Kind kind)
{
    QPrinter &printer = *this->printer();
    bool toFile = false;
    // Qt's PDF printer offers the start folder and the sheet's name.
    const QString pdfName = kind == Kind::Quiz ? QStringLiteral("kviz.pdf")
                                               : QStringLiteral("stopa.pdf");
    const PrintRequest request{bitmapText(m_context.language),
                               QDir(m_context.startFolder).filePath(pdfName)};
    if (!m_context.dialogs->print(m_context.mainWindow, &printer, request, &toFile)) {
        setEnabled(kvizMenu, true);
        return;
    }
    // The printable area in device pixels, in the orientation the print
    // dialog left; the placement below uses it even when the orientation changes.
    const QSize page(printer.width(), printer.height());
    m_stranka.setPageRatio(double(page.width()) / panelWidth(window));
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

    const bool withTexts = m_stranka.withTexts();
    const QImage sheet = kind == Kind::Quiz ? quizSheet(window, withTexts)
                                            : traceSheet(window, withTexts);
    if (toFile)
        saveBitmap(sheet);
    else
        printSheet(sheet, kvizMenu);
    setEnabled(kvizMenu, true);
}

void SheetPrinting::saveBitmap(const QImage &sheet)
{
    m_spd.request.title = bitmapText(m_context.language);
    const QStringList files = m_spd.execute(*m_context.dialogs, m_context.mainWindow);
    if (files.isEmpty())
        return;
    // Not a print: a file that cannot be written is reported.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    QString error;
    if (!writer.write(sheet))
        error = writer.errorString();
    else if (textfile::writeFile(files.first(), bytes, error))
        return;
    m_context.dialogs->error(m_context.mainWindow,
                             QDir::toNativeSeparators(files.first()) + QLatin1Char('\n') + error);
}

void SheetPrinting::printSheet(const QImage &sheet, QAction *kvizMenu)
{
    setEnabled(kvizMenu, false);
    // Failures while printing are dropped without a message; a job that
    // has begun and fails is aborted.
    QPainter painter;
    QPrinter &printer = *this->printer();
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
