#pragma once

#include <QGroupBox>
#include <QList>

class QRadioButton;

// A radio group: a captioned box of items, one of them selected. `clicked`
// is emitted when the user selects another item; setItemIndex() from code
// emits nothing, so the window calls its click handler itself.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    RadioGroup(const QString &caption, const QStringList &items, QWidget *parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton *item(int index) const { return m_items.value(index); }
    int count() const { return int(m_items.size()); }

signals:
    void clicked();

private:
    QList<QRadioButton *> m_items;
};
