#include "help.h"

#include "texts.h"

TForm3::TForm3(QWidget *parent)
    : HelpWindow("Form3", texts::builtin(Text::QuizHelpTitle),
                 QRect(501, 145, 651, 241), true, helppages::quiz(), parent)
{
    FormCreate();
}
