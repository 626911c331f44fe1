#pragma once

#include "helpwindow.h"

// Help for the quiz preparation window: eight labels of fixed text.
class TForm3 : public HelpWindow
{
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);

public slots:
    void FormCreate() { }
};
