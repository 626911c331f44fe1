// The trace window's part of a lesson: the sheet as a lesson keeps it, a
// lesson's sheet shown again, and the sheet as the program started it.
#include "cesta.h"

#include <QCheckBox>
#include <QPlainTextEdit>

std::optional<lesson::Trace> TForm4::lessonTrace() const
{
    std::optional<lesson::Trace> kept = lesson::traceOf(m_sheet);
    if (!kept)
        return kept;
    for (int n = 1; n <= 2; ++n)
        kept->netImages[n - 1] = netImage(n)->image();
    kept->modelName = shownModelName();
    return kept;
}

void TForm4::keepFresh()
{
    if (!m_fresh)
        m_fresh = m_sheet;
}

void TForm4::reset()
{
    keepFresh();
    m_sheet = *m_fresh;
    hide();
    FormCreate();
    for (int n = 1; n <= 2; ++n) {
        showNet(n, m_sheet.view().netShown[n - 1]);
        netImage(n)->update();
    }
    placeThumbnail();
    sipky->setChecked(m_sheet.view().arrows);
    using Image = TraceSheet::TextImage;
    showPlaced(popis, m_sheet.textImage(Image::Popis));
    showPlaced(nazev, m_sheet.textImage(Image::Nazev));
    setMemoLines(vstup, m_sheet.memo());
    setModelName(QString(), 578);
    netSelected();
    showState();
    emit withdrawn();
}

void TForm4::applyLesson(const lesson::Trace &t)
{
    keepFresh();
    lesson::restoreTrace(t, m_sheet);
    showPlaced(popis, t.texts[0]);
    showPlaced(nazev, t.texts[1]);
    setMemoLines(vstup, t.memo);
    sipky->setChecked(t.view.arrows);
    placeThumbnail();
    if (isVisible())
        FormShow();
    else
        show();   // takes the nets read, in picture mode
    if (!t.pictureMode)
        m_sheet.leavePictureMode();
    m_sheet.selectNet(t.activeNet);
    netSelected();
    for (int n = 1; n <= 2; ++n) {
        netImage(n)->setImage(t.netImages[n - 1]);   // as the teacher saw it
        showNet(n, t.view.netShown[n - 1]);
        netImage(n)->update();
        drawCopy(n, !t.pictureMode);
    }
    setModelName(t.modelName, 578);
    showState();
    if (!t.confirmed) {
        hide();
        return;
    }
    raise();
    emit confirmed();
    m_sheet.confirm();
}
