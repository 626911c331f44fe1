#include "lokalizace.h"

#include "fileaccess.h"
#include "langfile.h"
#include "textfile.h"
#include "vemtal.h"
#include "vystrihovanka.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>

namespace {

enum class Kind { Title, Caption, Filter, MemoFirstLine, RadioItem0, RadioItem1 };
enum Window { Form1, Form2, Stranka, Form3, Form4, Form5 };

struct Target
{
    int line;
    Window window;
    const char *name;   // object name; empty for the window itself
    Kind kind;
};

// Lines 40..57, 64, 68..74 and 97..99 are messages, questions and the model's
// button texts: they are read from the kept lines where they are used. The
// separators 58, 65, 87, 100 and 110 feed nothing.
const Target targets[] = {
    {1, Form1, "", Kind::Title},
    {2, Form1, "Zmena", Kind::Caption},
    {3, Form1, "Zobraz", Kind::Caption},
    {4, Form1, "Button3", Kind::Caption},
    {5, Form1, "Button4", Kind::Caption},
    {6, Form1, "Button5", Kind::Caption},
    {7, Form1, "Button6", Kind::Caption},
    {8, Form1, "Button7", Kind::Caption},
    {9, Form1, "Label1", Kind::Caption},
    {10, Form1, "Label2", Kind::Caption},
    {11, Form1, "Label3", Kind::Caption},
    {12, Form1, "Label4", Kind::Caption},
    {13, Form1, "Label5", Kind::Caption},
    {14, Form1, "Label6", Kind::Caption},
    {15, Form1, "Label7", Kind::Caption},
    {16, Form1, "Otocna", Kind::Caption},
    {17, Form1, "Nacti", Kind::Caption},
    {18, Form1, "OPD", Kind::Filter},
    {19, Form1, "OPD2", Kind::Filter},
    {20, Form1, "SD", Kind::Filter},
    {21, Form1, "Zmnitobrzky1", Kind::Caption},
    {22, Form1, "Zmnitobrzky2", Kind::Caption},
    {23, Form1, "loitkrychli1", Kind::Caption},
    {24, Form1, "Zobrazitkrychli2", Kind::Caption},
    {25, Form1, "KONEC2", Kind::Caption},
    {26, Form1, "tisk1", Kind::Caption},
    {27, Form1, "Piprav1", Kind::Caption},
    {28, Form1, "tiskni", Kind::Caption},
    {29, Form1, "Stopa1", Kind::Caption},
    {30, Form1, "priprstopy", Kind::Caption},
    {31, Form1, "tiskstopy", Kind::Caption},
    {32, Form1, "Help1", Kind::Caption},
    {33, Form1, "web1", Kind::Caption},
    {34, Form1, "about1", Kind::Caption},
    {35, Form1, "Ulokviz1", Kind::Caption},
    {36, Form1, "Nastkviz1", Kind::Caption},
    {37, Form1, "Uloitzadn1", Kind::Caption},
    {38, Form1, "Nastzadn1", Kind::Caption},
    {39, Form1, "Nastkrychli1", Kind::Caption},
    {59, Form2, "", Kind::Title},
    {60, Form2, "OBNOVIT", Kind::Caption},
    {61, Form2, "vstup", Kind::MemoFirstLine},
    {62, Form2, "dalsi", Kind::MemoFirstLine},
    {63, Form2, "dalsi2", Kind::MemoFirstLine},
    {66, Form4, "", Kind::Title},
    {67, Form4, "OBNOVIT", Kind::Caption},
    {68, Form4, "varovani", Kind::Caption},
    {75, Form4, "rgrezim", Kind::Caption},
    {76, Form4, "rgrezim", Kind::RadioItem0},
    {77, Form4, "rgrezim", Kind::RadioItem1},
    {78, Form4, "rgsit", Kind::Caption},
    {79, Form4, "rgsit", Kind::RadioItem0},
    {80, Form4, "rgsit", Kind::RadioItem1},
    {81, Form4, "undo", Kind::Caption},
    {82, Form4, "nova", Kind::Caption},
    {83, Form4, "oprav", Kind::Caption},
    {84, Form4, "sipky", Kind::Caption},
    {85, Form4, "OK", Kind::Caption},
    {86, Form4, "vstup", Kind::MemoFirstLine},
    {88, Stranka, "Panel1", Kind::Caption},
    {89, Stranka, "Nadpis", Kind::Caption},
    {90, Stranka, "Label1", Kind::Caption},
    {91, Stranka, "meritko", Kind::Caption},
    {92, Stranka, "puvodni", Kind::Caption},
    {93, Stranka, "RadioGroup1", Kind::Caption},
    {94, Stranka, "nasir", Kind::Caption},
    {95, Stranka, "navys", Kind::Caption},
    {96, Stranka, "", Kind::Title},
    {101, Form3, "Help1", Kind::Caption},
    {102, Form3, "Help2", Kind::Caption},
    {103, Form3, "Help3", Kind::Caption},
    {104, Form3, "Help4", Kind::Caption},
    {105, Form3, "Help5", Kind::Caption},
    {106, Form3, "Help6", Kind::Caption},
    {107, Form3, "Help7", Kind::Caption},
    {108, Form3, "Help8", Kind::Caption},
    {109, Form3, "", Kind::Title},
    {111, Form5, "Help1", Kind::Caption},
    {112, Form5, "Help2", Kind::Caption},
    {113, Form5, "Help3", Kind::Caption},
    {114, Form5, "Help4", Kind::Caption},
    {115, Form5, "Help5", Kind::Caption},
    {116, Form5, "Help6", Kind::Caption},
    {117, Form5, "Help7", Kind::Caption},
    {118, Form5, "Help8", Kind::Caption},
    {119, Form5, "Help9", Kind::Caption},
    {120, Form5, "Help10", Kind::Caption},
    {121, Form5, "Help11", Kind::Caption},
    {122, Form5, "Help12", Kind::Caption},
    {123, Form5, "Help13", Kind::Caption},
    {124, Form5, "", Kind::Title},
    {129, Form1, "Zobrazitvprohlizeci1", Kind::Caption},
    {130, Form1, "Ulozitproweb1", Kind::Caption},
    {cutoutText::Menu, Form1, "Vystrihovanka1", Kind::Caption},
};

void setCaption(QObject *object, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(object)) {
        label->setText(text);
        if (label->property("autoSize").toBool())
            label->adjustSize();
    } else if (auto *button = qobject_cast<QAbstractButton *>(object)) {
        button->setText(text);
    } else if (auto *group = qobject_cast<QGroupBox *>(object)) {
        group->setTitle(text);
    } else if (auto *menu = qobject_cast<QMenu *>(object)) {
        menu->setTitle(text);
    } else if (auto *action = qobject_cast<QAction *>(object)) {
        action->setText(text);
    } else if (object) {
        object->setProperty("text", text);
    }
}

void setFirstLine(QObject *object, const QString &text)
{
    auto *memo = qobject_cast<QPlainTextEdit *>(object);
    if (!memo)
        return;
    QTextCursor cursor(memo->document()->firstBlock());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

void setRadioItem(QObject *group, int index, const QString &text)
{
    if (!group)
        return;
    const QList<QRadioButton *> items = group->findChildren<QRadioButton *>();
    if (index < items.size())
        items[index]->setText(text);
}

} // namespace

bool LoadLanguageFile(AppContext &context, const LanguageWindows &windows, const QString &path,
                      QString *error)
{
    QByteArray bytes;
    textfile::ReadError reason;
    if (!textfile::readFile(path, bytes, reason)) {
        if (error)
            *error = fileaccess::readErrorText(context.language, reason);
        return false;
    }
    context.language.lines = langfile::parse(bytes);
    context.language.active = true;
    const QStringList &lines = context.language.lines;

    QWidget *const forms[] = {windows.form1, windows.form2, windows.stranka,
                              windows.form3, windows.form4, windows.form5};
    for (const Target &target : targets) {
        QWidget *window = forms[target.window];
        // Texts after line 124 stay built in when the file has no such line.
        if (!window || target.line > lines.size())
            continue;
        const QString &text = lines[target.line - 1];
        const QString name = QLatin1String(target.name);
        QObject *object = name.isEmpty() ? window : window->findChild<QObject *>(name);
        switch (target.kind) {
        case Kind::Title:
            window->setWindowTitle(text);
            break;
        case Kind::Caption:
            setCaption(object, text);
            break;
        case Kind::Filter:
            if (windows.form1)
                windows.form1->setDialogFilter(name, text);
            break;
        case Kind::MemoFirstLine:
            setFirstLine(object, text);
            break;
        case Kind::RadioItem0:
        case Kind::RadioItem1:
            setRadioItem(object, target.kind == Kind::RadioItem0 ? 0 : 1, text);
            break;
        }
    }
    // The model's button texts, lines 50..57.
    if (windows.form1) {
        std::array<QString, 8> buttons;
        for (int i = 0; i < 8; ++i)
            buttons[i] = lines[49 + i];
        windows.form1->uprav(buttons);
    }
    return true;
}
