#pragma once

#include <QString>
#include <QStringList>

// Texts of the language file by line number (1..124, and later additions
// from 125 on). While `active` is off every window uses its built-in Czech
// texts; so does a line after 124 that the file does not have.
struct LanguageTexts
{
    bool active = false;
    QStringList lines;

    QString text(int line, const QString &builtin) const
    {
        if (!active || (line > 124 && line > lines.size()))
            return builtin;
        return lines.value(line - 1);
    }
};
