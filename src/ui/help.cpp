#include "help.h"

TForm3::TForm3(QWidget *parent)
    : HelpWindow("Form3", QStringLiteral("Nápověda ke tvorbě tištěného kvizu"),
                 QRect(501, 145, 651, 241), true, helppages::quiz(), parent)
{
    FormCreate();
}
