#include "commandline.h"

#include <QFileInfo>

namespace commandline {

namespace {

bool isOption(const QString &argument)
{
    return argument.size() > 1 && argument.startsWith(QLatin1Char('-'));
}

const char *const helpCzech =
    "Použití: vemtal [VOLBA] [SOUBOR...]\n"
    "Učební pomůcka o krychli: krychle z obrázků jako model VRML, kvízy se sítěmi\n"
    "krychle a stopy valící se kostky k tisku.\n"
    "\n"
    "Soubory se otevřou tak, jak je otevírají nabídky:\n"
    "  OBRÁZEK...              obrázky (JPEG, GIF, PNG): prvních šest na stěny\n"
    "  MODEL.wrl               uložená krychle (i .txt) místo obrázků\n"
    "  KVIZ.tkt                kviz, jako Kviz > Načíst kviz\n"
    "  STOPA.tpt [STOPA2.tpt]  jedna nebo dvě stopy, jako Stopa > Načíst zadání:\n"
    "                          horní síť, pak dolní\n"
    "  LEKCE.vemtal            celá lekce, jako Krychle > Otevřít lekci (samotná)\n"
    "Nejdřív se otevřou obrázky nebo model; kviz a stopa potřebují všech šest\n"
    "obrázků.\n"
    "\n"
    "Volby:\n"
    "  -h, --help     vypíše tuto nápovědu a skončí\n"
    "  -v, --version  vypíše verzi a skončí\n"
    "  --             další argumenty jsou soubory\n"
    "Platí i volby Qt (-platform, -style ...).\n"
    "\n"
    "Soubor lang.txt ve složce, kde program startuje, nahradí texty programu. Bez\n"
    "něj se použije jazyk systému, pokud pro něj program jazykový soubor má.\n";

const char *const helpEnglish =
    "Usage: vemtal [OPTION] [FILE...]\n"
    "A teaching aid about the cube: a picture cube as a VRML model, printed quiz\n"
    "sheets of its nets and printed traces of a rolling die.\n"
    "\n"
    "Files are opened as the menus open them:\n"
    "  PICTURE...              pictures (JPEG, GIF, PNG): the first six are the faces\n"
    "  MODEL.wrl               a saved cube (also .txt) instead of pictures\n"
    "  QUIZ.tkt                a quiz file, as Quiz > Load quiz loads it\n"
    "  TRACE.tpt [TRACE2.tpt]  one or two trace files, as Trace > Load task loads\n"
    "                          them: the upper net, then the lower\n"
    "  LESSON.vemtal           a whole lesson, as Cube > Open lesson (on its own)\n"
    "The pictures or the model are opened first; a quiz or a trace needs all six\n"
    "pictures.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n"
    "  --             the arguments after it are files\n"
    "Qt's own options (-platform, -style ...) are accepted too.\n"
    "\n"
    "A file lang.txt in the folder where the program starts replaces its texts.\n"
    "Without it, the system's language is used when a language file ships for it.\n";

} // namespace

EarlyAction earlyAction(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help"))
            return EarlyAction::Help;
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version"))
            return EarlyAction::Version;
    }
    return EarlyAction::None;
}

Options parse(const QStringList &arguments)
{
    Options options;
    bool filesOnly = false;
    for (const QString &argument : arguments) {
        if (filesOnly || !isOption(argument))
            options.files << argument;
        else if (argument == QLatin1String("--"))
            filesOnly = true;
        else if (argument == QLatin1String("--quit-when-shown"))
            options.quitWhenShown = true;
        else if (options.unknownOption.isEmpty())
            options.unknownOption = argument;
    }
    return options;
}

bool sortFiles(const QStringList &files, Files &out)
{
    out = Files();
    int models = 0;
    int quizzes = 0;
    int lessons = 0;
    for (const QString &file : files) {
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix == QLatin1String("wrl") || suffix == QLatin1String("txt")) {
            out.model = file;
            ++models;
        } else if (suffix == QLatin1String("tkt")) {
            out.quiz = file;
            ++quizzes;
        } else if (suffix == QLatin1String("tpt")) {
            out.traces << file;
        } else if (suffix == QLatin1String("vemtal")) {
            out.lesson = file;
            ++lessons;
        } else {
            out.pictures << file;
        }
    }
    const bool ok = models <= 1 && quizzes <= 1 && out.traces.size() <= 2
                    && (models == 0 || out.pictures.isEmpty())
                    && (lessons == 0 || files.size() == 1);
    if (!ok)
        out = Files();
    return ok;
}

QString helpText(bool czech)
{
    return QString::fromUtf8(czech ? helpCzech : helpEnglish);
}

QString versionText()
{
    return QStringLiteral("vemtal " VEMTAL_VERSION "\n");
}

} // namespace commandline
