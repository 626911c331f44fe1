#include "lokalizace.h"

#include "fileaccess.h"
#include "langfile.h"
#include "langtargets.h"
#include "textfile.h"
#include "vemtal.h"

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

using langfile::Kind;
using langfile::Target;

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
    for (const Target &target : langfile::targets()) {
        QWidget *window = forms[int(target.window)];
        // Texts after line 124 stay built in when the file has no such line.
        if (!window || texts::line(target.line) > lines.size())
            continue;
        const QString &text = lines[texts::line(target.line) - 1];
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
    if (windows.form1) {
        std::array<QString, 8> buttons;
        for (int i = 0; i < 8; ++i)
            buttons[i] = lines[texts::line(langfile::firstButtonLine) - 1 + i];
        windows.form1->uprav(buttons);
    }
    return true;
}
