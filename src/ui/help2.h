#pragma once

#include <QWidget>

// Help for the trace preparation window: thirteen labels of fixed text.
class TForm5 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);
};
