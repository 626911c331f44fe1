#pragma once

#include "helpwindow.h"

// Help for the trace preparation window: thirteen labels of fixed text.
class TForm5 : public HelpWindow
{
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);
};
