#pragma once

#include "texts.h"

#include <span>

// Where the language file's lines go in the windows.
namespace langfile {

// The windows, in their start-up order.
enum class Window { Form1, Form2, Stranka, Form3, Form4, Form5 };
// A window's title, a control's caption (label, button, group box, menu or
// menu item), a file dialog's filter, a memo's first line, or the text of
// a radio group's first or second item.
enum class Kind { Title, Caption, Filter, MemoFirstLine, RadioItem0, RadioItem1 };

struct Target
{
    Text line;
    Window window;
    const char *name;   // object name; empty for the window itself
    Kind kind;
};

// Every line that replaces a text of a window, in line order.
std::span<const Target> targets();

// The model's button texts: eight lines from this one, obsahAlt and obsah of each button.
constexpr Text firstButtonLine = Text::ButtonRukaAlt;

} // namespace langfile
