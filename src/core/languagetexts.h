#pragma once

#include "texts.h"

#include <QString>
#include <QStringList>

// Texts of the language file by line (1..124, and later additions from 125
// on). While `active` is off every window uses the built-in Czech texts;
// so does a line after 124 that the file does not have.
struct LanguageTexts
{
    bool active = false;
    QStringList lines;

    QString text(Text line) const
    {
        const int n = texts::line(line);
        if (!active || (n > texts::positionalLineCount && n > lines.size()))
            return texts::builtin(line);
        return lines.value(n - 1);
    }
};
