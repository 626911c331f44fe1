#pragma once

#include "exercisepage.h"

#include <QDialog>

struct AppContext;
class QCheckBox;
class QSpinBox;

// The exercise's options before it is saved: the score from which the
// pupil has passed, and whether the page may show the cube in 3D.
class ExerciseOptions : public QDialog
{
    Q_OBJECT
public:
    ExerciseOptions(AppContext &context, const exercise::Options &options, QWidget *parent);

    exercise::Options options() const;

private:
    QSpinBox *m_pass = nullptr;
    QCheckBox *m_view3d = nullptr;
};
