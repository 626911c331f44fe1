#include "exerciseoptions.h"

#include "appcontext.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

ExerciseOptions::ExerciseOptions(AppContext &context, const exercise::Options &options,
                                 QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ExerciseOptions"));
    setWindowTitle(context.language.text(Text::ExerciseOptionsTitle));
    auto *form = new QFormLayout(this);

    m_pass = new QSpinBox(this);
    m_pass->setObjectName(QStringLiteral("prah"));
    m_pass->setRange(0, 100);
    m_pass->setValue(options.passPercent);
    form->addRow(context.language.text(Text::ExercisePass), m_pass);

    m_view3d = new QCheckBox(context.language.text(Text::Exercise3D), this);
    m_view3d->setObjectName(QStringLiteral("krychle3d"));
    m_view3d->setChecked(options.allow3d);
    form->addRow(m_view3d);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

exercise::Options ExerciseOptions::options() const
{
    return {m_pass->value(), m_view3d->isChecked()};
}
