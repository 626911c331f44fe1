#pragma once

#include "appcontext.h"
#include "placement.h"

#include <QDialog>

class ImageControl;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The page placement dialog: a preview page (`List`, one preview pixel per
// unit) with the sheet's outline, which the user drags, scales and turns.
// Created once; its values live for the whole run and every showing starts
// from what the previous one left.
class TStranka : public QDialog
{
    Q_OBJECT
public:
    explicit TStranka(AppContext &context, QWidget *parent = nullptr);

    // Printer page width in device pixels / width of the sheet window's Panel;
    // written before every showing. Values that are not positive are ignored.
    void setPageRatio(double ratio);
    double pageRatio() const { return m_pageRatio; }

    double scale() const { return m_choices.scale; }
    int left() const { return m_choices.left; }    // outline corner, preview pixels
    int top() const { return m_choices.top; }
    bool portrait() const { return m_choices.portrait; }
    bool withTexts() const { return m_choices.withTexts; }
    placement::Choices choices() const { return m_choices; }
    // Takes choices made earlier (a saved lesson's): the controls show them,
    // the outline is recomputed, and the next showing draws the preview.
    void setChoices(const placement::Choices &choices);
    QSize outlineSize() const { return QSize(m_outlineWidth, m_outlineHeight); }
    bool dragging() const { return m_dragging; }

public slots:
    void FormCreate();
    void FormShow();
    void meritkoClick();
    void ListMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers, int x, int y);
    void ListMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void ListMouseUp(Qt::MouseButton button, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers modifiers, int x, int y);
    void navysClick();
    void puvodniClick();
    void NadpisClick();
    void BitBtn2Click();
    void nicClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    // The page control's place and size for the orientation.
    void placeList();
    void fillPage();
    void drawOutline(int left, int top);
    void redraw();
    void recomputeOutline();
    QString text(Text line) const { return m_context.language.text(line); }

    AppContext &m_context;

    ImageControl *m_list = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_edit1 = nullptr;
    QPushButton *m_meritko = nullptr;
    QGroupBox *m_radioGroup = nullptr;
    QRadioButton *m_navys = nullptr;
    QRadioButton *m_nasir = nullptr;
    QPushButton *m_puvodni = nullptr;
    QPushButton *m_bitBtn1 = nullptr;
    QPushButton *m_bitBtn2 = nullptr;
    QPushButton *m_nic = nullptr;
    QCheckBox *m_nadpis = nullptr;
    QLabel *m_panel1 = nullptr;

    placement::Choices m_choices;
    double m_pageRatio = 2480.0 / 442.0;  // A4 at 300 dpi until a printer tells
    placement::UnitSize m_unit;
    int m_outlineWidth = 0;
    int m_outlineHeight = 0;
    bool m_dragging = false;
    int m_dragLeft = 0;
    int m_dragTop = 0;
    int m_grabX = 0;  // mouse minus outline corner at the press
    int m_grabY = 0;
};
