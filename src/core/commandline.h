#pragma once

#include <QString>
#include <QStringList>

// The program's command line: options and the files to open.
namespace commandline {

// --help or --version anywhere before "--", looked for before the toolkit
// starts (they need no display).
enum class EarlyAction { None, Help, Version };
EarlyAction earlyAction(const QStringList &arguments);

struct Options
{
    bool quitWhenShown = false;   // start-up timing: leave once the window is shown
    QString unknownOption;        // the first argument that is an option we do not know
    QStringList files;
};

// The arguments after the program name, with the toolkit's own options
// already taken out. "--" ends the options; a lone "-" is a file name.
Options parse(const QStringList &arguments);

// The files sorted by their extensions (case ignored): ".wrl" and ".txt"
// models, ".tkt" quiz files, ".tpt" trace files, anything else pictures.
struct Files
{
    QStringList pictures;
    QString model;
    QString quiz;
    QStringList traces;   // the upper net's file, then the lower net's
    QString lesson;       // ".vemtal": opened alone
};

// False when the files cannot be opened together: pictures and a model,
// more than one model or quiz file, more than two trace files, or a lesson
// with any other file.
bool sortFiles(const QStringList &files, Files &out);

// The --help text, Czech or English; the --version line.
QString helpText(bool czech);
QString versionText();

} // namespace commandline
