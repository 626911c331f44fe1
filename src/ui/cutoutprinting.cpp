#include "cutoutprinting.h"

#include "cutoutsheet.h"
#include "dialogs.h"
#include "faceset.h"
#include "vystrihovanka.h"

#include <QDir>

CutoutPrinting::CutoutPrinting(AppContext &context) : m_context(context) { }

CutoutPrinting::~CutoutPrinting() = default;

QPrinter *CutoutPrinting::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

TVystrihovanka *CutoutPrinting::dialog()
{
    if (!m_dialog)
        m_dialog = std::make_unique<TVystrihovanka>(m_context, m_context.mainWindow);
    return m_dialog.get();
}

void CutoutPrinting::run(const QStringList &labels, const QStringList &edits)
{
    QWidget *window = m_context.mainWindow;
    if (labels.contains(QString())) {
        m_context.dialogs->message(window, text(Text::ChoosePictures));
        return;
    }
    TVystrihovanka &d = *dialog();
    if (!m_context.dialogs->runModal(&d))
        return;

    // Full-size pictures; one that cannot be read leaves its face white,
    // when the teacher agrees.
    const faceset::Snapshot faces = faceset::takeSnapshot(labels, edits);
    QStringList unreadable;
    const auto pictures = cutout::readPictures(faces.pictures, unreadable);
    if (!unreadable.isEmpty()
        && !m_context.dialogs->question(window, text(Text::CutoutUnreadable)
                                                        .arg(unreadable.join(QLatin1String(", ")))))
        return;

    QPrinter &p = *printer();
    p.setPageSize(QPageSize(d.paper()));
    p.setPageOrientation(QPageLayout::Portrait);
    p.setPageMargins(QMarginsF(cutout::pageMargin, cutout::pageMargin, cutout::pageMargin,
                               cutout::pageMargin),
                     QPageLayout::Millimeter);
    // Qt's PDF printer is offered a file in the start folder named after the sheet.
    const PrintRequest request{QString(), QDir(m_context.startFolder).filePath(QStringLiteral("vystrihovanka.pdf"))};
    if (!m_context.dialogs->print(window, &p, request, nullptr))
        return;
    // The print dialog may have changed the paper or its margins.
    const auto sheet = cutout::fitSheet(d.net(), faces.rotations, d.edge(), cutout::printableArea(p));
    if (!sheet) {
        m_context.dialogs->message(window, text(Text::CutoutDoesNotFit)
                                                   .arg(d.edge()));
        return;
    }
    // Failures while printing are dropped without a message, as for sheets.
    if (!cutout::print(p, *sheet, pictures) || p.printerState() == QPrinter::Error)
        p.abort();
}
