#include "help2.h"

#include "texts.h"

TForm5::TForm5(QWidget *parent)
    : HelpWindow("Form5", texts::builtin(Text::TraceHelpTitle),
                 QRect(197, 344, 647, 366), false, helppages::trace(), parent)
{
}
