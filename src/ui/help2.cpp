#include "help2.h"

TForm5::TForm5(QWidget *parent)
    : HelpWindow("Form5", QStringLiteral("Nápověda ke tvorbě tištěného kvizu"),
                 QRect(197, 344, 647, 366), false, helppages::trace(), parent)
{
}
