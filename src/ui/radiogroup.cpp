#include "radiogroup.h"

#include <QRadioButton>
#include <QSignalBlocker>

RadioGroup::RadioGroup(const QString &caption, const QStringList &items, QWidget *parent)
    : QGroupBox(caption, parent)
{
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        button->setGeometry(8, 20 + 26 * i, 126, 20);
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                emit clicked();
        });
        m_items.append(button);
    }
}

int RadioGroup::itemIndex() const
{
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items[i]->isChecked())
            return i;
    return -1;
}

void RadioGroup::setItemIndex(int index)
{
    for (int i = 0; i < m_items.size(); ++i) {
        const QSignalBlocker blocker(m_items[i]);
        m_items[i]->setChecked(i == index);
    }
}
