#pragma once

#include "sheet.h"

#include "sheetprinting.h"
#include "tilecheck.h"

#include <QWidget>

struct AppContext;
class ImageControl;
class QButtonGroup;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// What the quiz and trace windows share: a white window whose left 440
// pixels are the sheet and whose right part is `Panel`; on the sheet the
// task text `popis`, the file-name box `nazev` and the copyright `logo`;
// in the panel the task memo `vstup` and the model's file name `Label1`;
// the Help button. Shown from the program, the window centres on the main
// window and runs FormShow.
class SheetWindow : public QWidget
{
    Q_OBJECT
public:
    // The help window is created after this window at start-up.
    void setHelpWindow(QWidget *helpWindow) { m_helpWindow = helpWindow; }
    // The sheet as the printer places it: what lies on it now.
    virtual PrintedSheet printedSheet() const = 0;
    // The same sheet, placed alike, with the task solved.
    virtual PrintedSheet answerSheet() const = 0;

    // The task text into `popis`; `popis` hidden again; the model's file
    // name into `nazev`.
    void vstupDblClick();
    void popisDblClick();
    void Label1DblClick();
    // What the model name label shows.
    QString shownModelName() const;

signals:
    // OK pressed: the sheet may be printed and saved.
    void confirmed();
    // The sheet was reset: nothing is prepared to print or save.
    void withdrawn();

protected:
    SheetWindow(AppContext &context, QWidget *helpWindow, const char *name, const QString &title,
                int height, tilecheck::Sheet kind);

    // An image control of the window or of the panel; its moves are reported
    // to controlMoved().
    ImageControl *addImage(QWidget *parent, const char *name, QRect bounds, int tag = 0);
    // `nazev`, hidden, an outlined white box; `logo` with the copyright.
    void addNameAndLogo(int nazevTop, int logoTop, int tag);
    // The panel, grey like a button.
    void addPanel();
    // `Label1` in the panel; its text and place come with setModelName().
    void addModelNameLabel();
    void addHelpButton(QRect geometry);
    // A captioned box of radio items in the panel, the first selected. Its
    // idClicked() reports the user's clicks; selecting from code reports nothing.
    QButtonGroup *addRadioGroup(const char *name, const QString &caption, const QStringList &items,
                                QRect geometry);

    virtual void FormShow() = 0;
    // A text image was drawn, hidden or shown; an image control moved
    // (dragged, or by the program): the window's sheet model takes what it
    // shows.
    virtual void textImageChanged(ImageControl *) { }
    virtual void controlMoved(ImageControl *) { }
    // The main window's model save dialog's file name.
    QString modelName() const;
    // `Label1` shows the name, sized to it, its right edge at 433.
    void setModelName(const QString &name, int top);
    // Draws the memo's lines into a text image of the sheet and shows it.
    void drawText(const QPlainTextEdit *memo, ImageControl *target, int frameRight,
                  int textRight, int frameBottom);
    void BitBtn1Click();
    // Moves a control by the mouse's offset from `m_down` when the new place
    // keeps it within the sheet's limits (-119..419, -89..579).
    void dragBy(QWidget *control, QPoint mouse);
    // An empty memo has no lines; otherwise one line per paragraph.
    static QStringList memoLines(const QPlainTextEdit *memo);
    static void setMemoLines(QPlainTextEdit *memo, const QStringList &lines);
    // An image control takes a placed image's place, picture and visibility
    // from the sheet model; its move on the way is not reported back.
    void showPlaced(ImageControl *control, const sheet::Placed &placed);
    // Tells the teacher, in one plain message, which face pictures cannot
    // carry the sheet's task, once per set of tiles.
    void warnAboutTiles(const tilecheck::Tiles &tiles);

    void showEvent(QShowEvent *event) override;
    // Left double clicks on `Label1` and `vstup`.
    bool eventFilter(QObject *watched, QEvent *event) override;

    AppContext &m_context;
    QWidget *m_helpWindow;
    ImageControl *popis = nullptr;
    ImageControl *nazev = nullptr;
    ImageControl *logo = nullptr;
    QFrame *Panel = nullptr;
    QLabel *Label1 = nullptr;
    QPlainTextEdit *vstup = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPoint m_down;   // the last press on a control that may be dragged, in its coordinates
    // Controls take the sheet model's places: their moves are not news
    // (a shown control reports its move before its picture is set).
    bool m_showing = false;

private:
    tilecheck::Warning m_tileWarning;
};
