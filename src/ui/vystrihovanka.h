#pragma once

#include "appcontext.h"
#include "cutout.h"

#include <QDialog>
#include <QPageSize>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

// The cut-out dialog ("Vystřihovánka"): the net (eleven small pictures),
// the edge in millimetres and the paper. OK is accepted only with an edge
// from 20 mm up to the largest whose net fits the paper; the choices are
// kept in the program's settings for the next time.
class TVystrihovanka : public QDialog
{
    Q_OBJECT
public:
    explicit TVystrihovanka(AppContext &context, QWidget *parent = nullptr);

    int net() const;                       // 1..11
    double edge() const { return m_edge; } // millimetres, as last accepted
    QPageSize::PageSizeId paper() const;
    // The largest edge for the chosen net and paper.
    int largestEdge() const;

public slots:
    void OKClick();

private:
    void updateRange();
    QString text(Text line) const { return m_context.language.text(line); }

    AppContext &m_context;
    QButtonGroup *m_nets = nullptr;
    QLineEdit *m_hrana = nullptr;
    QLabel *m_hranaLabel = nullptr;
    QComboBox *m_papir = nullptr;
    double m_edge = 0;
};
