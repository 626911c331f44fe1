#pragma once

#include <QWidget>

// Help for the quiz preparation window: eight labels of fixed text.
class TForm3 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);

public slots:
    void FormCreate() { }
};
