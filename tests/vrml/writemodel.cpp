// Writes cube models through the main window as a teacher would, for the
// viewer tests: writemodel OUTDIR [LANGUAGE-FILE]
//   OUTDIR/obrazkys/   copies of the demo pictures
//   OUTDIR/model.wrl   turnable, rotations 0 1 2 3 0 1, relative picture paths
//   OUTDIR/fixed.wrl   not turnable, full picture paths
#include "appcontext.h"
#include "lokalizace.h"
#include "scripteddialogs.h"
#include "vemtal.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        fprintf(stderr, "usage: writemodel OUTDIR [LANGUAGE-FILE]\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("obrazkys"));
    const QDir demo(QStringLiteral(VEMTAL_SOURCE_DIR "/examples/obrazkys"));
    QStringList pictures;
    for (const QString &name : demo.entryList(QDir::Files, QDir::Name)) {
        const QString target = out.filePath(QStringLiteral("obrazkys/") + name);
        QFile::remove(target);
        if (!QFile::copy(demo.filePath(name), target))
            return 2;
        if (!name.endsWith(QLatin1String(".bmp")))
            pictures << target;
    }

    ScriptedDialogs dialogs;
    AppContext context;
    context.dialogs = &dialogs;
    TForm1 form(context);
    if (argc == 3) {
        LanguageWindows windows;
        windows.form1 = &form;
        if (!LoadLanguageFile(context, windows, QString::fromLocal8Bit(argv[2])))
            return 2;
    }
    form.openArguments(pictures);
    const char *rotations = "012301";
    for (int i = 0; i < 6; ++i)
        form.findChild<QLineEdit *>(QStringLiteral("Ed%1").arg(i))->setText(QString(QChar(rotations[i])));

    // Saved into another folder: both questions, and Yes makes the paths relative.
    dialogs.files.enqueue({out.filePath(QStringLiteral("model.wrl"))});
    dialogs.answers << true << true;
    form.findChild<QAction *>(QStringLiteral("loitkrychli1"))->trigger();

    form.findChild<QCheckBox *>(QStringLiteral("Otocna"))->click();
    dialogs.files.enqueue({out.filePath(QStringLiteral("fixed.wrl"))});
    dialogs.answers << false << false;
    form.findChild<QAction *>(QStringLiteral("loitkrychli1"))->trigger();

    if (!dialogs.texts(QStringLiteral("error")).isEmpty())
        return 1;
    return QFile::exists(out.filePath(QStringLiteral("model.wrl")))
                    && QFile::exists(out.filePath(QStringLiteral("fixed.wrl")))
            ? 0 : 1;
}
