#pragma once

#include "lesson.h"
#include "imagecontrol.h"
#include "sheetwindow.h"
#include "tracesheet.h"

#include <QByteArray>
#include <array>

class QButtonGroup;
class QCheckBox;

// The trace preparation window: two nets on which the die is rolled (the
// upper Image5 and the lower Image4), the task text, file name and label
// boxes of the sheet area, and the control panel. Nets are numbered 1
// (upper) and 2 (lower).
class TForm4 : public SheetWindow
{
    Q_OBJECT
public:
    TForm4(AppContext &context, QWidget *helpWindow);

    // The trace file of net 1 or 2 (its picture grid, count and history).
    QByteArray traceFileBytes(int net) const { return m_sheet.fileBytes(net); }
    // Parses a whole trace file; on success keeps it as that net's picture
    // grid, history and count, to be rebuilt at the next showing. On failure
    // nothing changes.
    bool loadTraceFile(int net, const QByteArray &bytes);
    // After "Načíst zadání", whatever it read: show, press OK. The next
    // showing enters picture mode with the nets read.
    void showAfterLoad();

    int activeNet() const { return m_sheet.activeNet(); }
    int mode() const { return int(m_sheet.mode()); }
    const trace::Trace &net(int n) const { return m_sheet.net(n); }
    const TraceSheet &sheet() const { return m_sheet; }
    // The nets as the printed sheet shows them (upper, lower); a null image
    // for a hidden net.
    std::array<QImage, 2> sheetNetImages() const;
    // With texts popis, nazev and the logo, then the visible nets, then the
    // thumbnail when it is on the sheet.
    PrintedSheet printedSheet() const override { return sheetFor(false); }
    // The nets with their whole traces, the imprints they show hidden or
    // turned marked (TraceSheet::answerNet), in their place.
    PrintedSheet answerSheet() const override { return sheetFor(true); }
    // The sheet as a lesson keeps it; none when it was never prepared.
    std::optional<lesson::Trace> lessonTrace() const;
    // A saved lesson's sheet: its nets read as "Načíst zadání" reads them,
    // its mode, active net, texts and nets as they were shown. Shown with
    // OK pressed when it was confirmed, hidden otherwise. The face set
    // snapshot is the lesson's already.
    void applyLesson(const lesson::Trace &trace);
    // Back to the sheet as the program started it: nothing prepared, hidden.
    void reset();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *) override { FormDblClick(); }

private:
    void FormCreate();
    void FormShow() override;
    void obnov();
    void vykresli(int square);
    void drawThumbnail();

    using Mouse = ImageControl::Mouse;
    void Image1MouseDown(const Mouse &mouse);
    void Image5MouseDown(ImageControl *image, const Mouse &mouse);
    void Image5MouseUp() { netReleased(1); }
    void Image4MouseUp() { netReleased(2); }
    void netReleased(int net);
    void Image5MouseMove(ImageControl *image, const Mouse &mouse);
    void popisMouseDown(const Mouse &mouse) { m_down = mouse.pos; }
    void popisMouseMove(ImageControl *control, const Mouse &mouse);
    void FormDblClick();
    void FormMouseDown(Qt::MouseButton button);
    // A click or press on a reference copy shows its net.
    void Image3Click(ImageControl *copy);
    void Image2MouseDown() { Image3Click(Image2); }
    void Image3MouseDown() { Image3Click(Image3); }
    void rgsitClick();
    void rgrezimClick();
    void undoClick();
    void novaClick();
    void opravClick() { drawNet(m_sheet.activeNet()); }
    void opravvzor() { drawCopy(m_sheet.activeNet(), true); }
    void OBNOVITClick();
    void OKClick();

    // The buttons, reference copies and radio groups as the sheet's state gives them.
    void showState();
    // The active net's caption, and its image shown.
    void netSelected();
    bool askNewTrace(int net);
    // Net n by replay (trace mode) or plainly from its picture grid.
    void drawNet(int net);
    // The new-trace drawing: a white grid, the start field framed red.
    void drawNewTrace(int net);
    // Net n's reference copy from its trace grid, by replay or plainly.
    void drawCopy(int net, bool replay);

    PrintedSheet sheetFor(bool answers) const;
    // The nets and the thumbnail as the window draws them and where they lie.
    TraceSheet::Drawn drawn() const;
    void textImageChanged(ImageControl *image) override;
    void controlMoved(ImageControl *image) override;
    // The sheet's view: a net shown or hidden; the thumbnail in its place.
    void showNet(int net, bool shown);
    void placeThumbnail();
    ImageControl *netImage(int net) const { return net == 2 ? Image4 : Image5; }
    ImageControl *referenceCopy(int net) const { return net == 2 ? Image2 : Image3; }
    void setCaptionTexts();
    void keepFresh();

    ImageControl *Image5;
    ImageControl *Image4;
    ImageControl *Image1;
    ImageControl *Image2;
    ImageControl *Image3;
    ImageControl *ImP;
    QLabel *varovani;
    QPushButton *OBNOVIT;
    QPushButton *OK;
    QButtonGroup *rgrezim;
    QPushButton *undo;
    QPushButton *oprav;
    QPushButton *nova;
    QButtonGroup *rgsit;
    QCheckBox *sipky;

    TraceSheet m_sheet;
    std::optional<TraceSheet> m_fresh;   // the sheet before it was first prepared
    std::array<QString, 2> m_captions;
    bool m_drag = false;
};
