#pragma once

#include "faceset.h"
#include "trace.h"
#include "tracedrawing.h"

#include <QByteArray>
#include <QWidget>
#include <array>

struct AppContext;
class ImageControl;
class RadioGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The trace preparation window: two nets on which the die is rolled (the
// upper Image5 and the lower Image4), the task text, file name and label
// boxes of the sheet area, and the control panel. Nets are numbered 1
// (upper) and 2 (lower).
class TForm4 : public QWidget
{
    Q_OBJECT
public:
    TForm4(AppContext &context, QWidget *helpWindow, QWidget *parent = nullptr);
    // The help window is created after this window at start-up.
    void setHelpWindow(QWidget *helpWindow) { m_helpWindow = helpWindow; }

    // The trace file of net 1 or 2 (its picture grid, count and history).
    QByteArray traceFileBytes(int net) const;
    // Parses a whole trace file; on success keeps it as that net's picture
    // grid, history and count, to be rebuilt at the next showing. On failure
    // nothing changes.
    bool loadTraceFile(int net, const QByteArray &bytes);
    // After a load: picture mode, show, press OK.
    void showAfterLoad();

    int activeNet() const { return m_active; }
    int mode() const { return m_mode; }
    const trace::Trace &net(int n) const { return m_nets[n - 1]; }

signals:
    // OK pressed: the sheet may be printed and saved.
    void confirmed();

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void obnov();
    void vykresli(int square);
    void drawThumbnail();

    void Image1MouseDown(Qt::MouseButton button, int x, int y);
    void Image5MouseDown(ImageControl *image, Qt::MouseButton button,
                         Qt::KeyboardModifiers modifiers, int x, int y);
    void Image5MouseUp();
    void Image4MouseUp();
    void Image5MouseMove(ImageControl *image, int x, int y);
    void popisMouseDown(int x, int y);
    void popisMouseMove(ImageControl *control, Qt::MouseButtons buttons, int x, int y);
    void FormDblClick();
    void FormMouseDown(Qt::MouseButton button);
    void Image3Click(ImageControl *copy);
    void Image2MouseDown();
    void Image3MouseDown();
    void rgsitClick();
    void rgrezimClick();
    void undoClick();
    void novaClick();
    void opravClick();
    void opravvzor();
    void OBNOVITClick();
    void OKClick();
    void BitBtn1Click();
    void vstupDblClick();
    void popisDblClick();
    void Label1DblClick();

    // Selecting a radio item from code runs its click handler, as a click does.
    void selectRezim(int index);
    void selectSit(int index);

    void netReleased(int net);
    void showReferenceCopies();
    void setModelFileName();
    // Moves a control by the mouse offset when it stays within the sheet limits.
    void dragBy(QWidget *control, int x, int y);

    ImageControl *netImage(int net) const;
    ImageControl *referenceCopy(int net) const;
    trace::Trace &traceOf(int net) { return m_nets[net - 1]; }
    int netOf(const ImageControl *image) const;
    void setCaptionTexts();
    QString captionText(int net) const;
    die::DieState initialState() const;

    AppContext &m_context;
    QWidget *m_helpWindow;

    ImageControl *popis;
    ImageControl *nazev;
    ImageControl *logo;
    ImageControl *Image5;
    ImageControl *Image4;
    QFrame *Panel;
    ImageControl *Image1;
    QLabel *Label1;
    ImageControl *Image2;
    ImageControl *Image3;
    ImageControl *ImP;
    QLabel *varovani;
    QPushButton *OBNOVIT;
    QPushButton *OK;
    QPlainTextEdit *vstup;
    RadioGroup *rgrezim;
    QPushButton *undo;
    QPushButton *oprav;
    QPushButton *nova;
    RadioGroup *rgsit;
    QCheckBox *sipky;
    QPushButton *BitBtn1;

    std::array<trace::Trace, 2> m_nets;
    faceset::Snapshot m_applied;
    std::array<QImage, 6> m_tiles;
    tracedraw::Tiles m_mirrored;
    std::array<QString, 2> m_captions;
    std::array<bool, 2> m_netRead{};

    int m_active = 1;
    int m_mode = 1;
    bool m_needsRefresh = false;
    bool m_suppress = false;
    bool m_drag = false;
    bool m_fileLoaded = false;
    QPoint m_down;
};
