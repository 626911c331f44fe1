#pragma once

#include "appcontext.h"
#include "imagecontrol.h"
#include "placement.h"

#include <QDialog>

class QCheckBox;
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
    void setPageRatio(double ratio) { m_preview.setPageRatio(ratio); }
    double pageRatio() const { return m_preview.pageRatio(); }

    double scale() const { return choices().scale; }
    int left() const { return choices().left; }    // outline corner, preview pixels
    int top() const { return choices().top; }
    bool portrait() const { return choices().portrait; }
    bool withTexts() const { return choices().withTexts; }
    placement::Choices choices() const { return m_preview.choices(); }
    // Takes choices made earlier (a saved lesson's): the controls show them,
    // the outline is recomputed, and the next showing draws the preview.
    void setChoices(const placement::Choices &choices);
    QSize outlineSize() const { return m_preview.outline(); }
    bool dragging() const { return m_preview.dragging(); }

public slots:
    void FormCreate();
    void FormShow();
    void meritkoClick();
    void ListMouseDown(const ImageControl::Mouse &mouse);
    void ListMouseMove(const ImageControl::Mouse &mouse);
    void ListMouseUp(const ImageControl::Mouse &mouse);
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
    // The canvas draws the solid outline, or the rubber band.
    void setPen(bool band);
    void fillPage();
    void drawOutline(QPoint corner);
    void redraw();
    QString text(Text line) const { return m_context.language.text(line); }

    AppContext &m_context;

    ImageControl *m_list = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_edit1 = nullptr;
    QRadioButton *m_navys = nullptr;
    QRadioButton *m_nasir = nullptr;
    QPushButton *m_bitBtn2 = nullptr;
    QCheckBox *m_nadpis = nullptr;

    placement::Preview m_preview;
};
