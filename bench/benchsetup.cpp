#include "benchsetup.h"

#include <QApplication>
#include <QDir>
#include <QTest>

BenchState::BenchState() : previousFolder(QDir::currentPath())
{
    context.dialogs = &dialogs;
}

BenchState::~BenchState()
{
    // The file dialogs move the working folder.
    QDir::setCurrent(previousFolder);
}

BenchWindows::BenchWindows() : ProgramWindows(context)
{
    form1->openArguments(benchdata::demoPictures());
    form1->show();
    mainExposed = QTest::qWaitForWindowExposed(form1.get());
}

BenchWindows::~BenchWindows() = default;

bool BenchWindows::showQuiz()
{
    form1->sheetCommands()->PripravClick();
    const bool exposed = QTest::qWaitForWindowExposed(form2.get());
    settle();
    return exposed;
}

bool BenchWindows::showTrace()
{
    form1->sheetCommands()->priprstopyClick();
    const bool exposed = QTest::qWaitForWindowExposed(form4.get());
    settle();
    return exposed;
}

bool BenchWindows::rollSnake()
{
    auto *net = form4->findChild<QWidget *>(QStringLiteral("Image5"));
    const QList<die::Field> path = benchdata::snakePath();
    for (qsizetype i = 1; i < path.size(); ++i) {
        const QPoint centre(33 * (die::column(path[i]) - 1) + 17, 33 * (die::row(path[i]) - 1) + 17);
        QTest::mouseClick(net, Qt::LeftButton, {}, centre);
    }
    settle();
    return form4->net(1).history == benchdata::snakeHistory();
}

void BenchWindows::settle()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

QString BenchWindows::tempPath(const QString &name) const
{
    return QDir(dir.path()).filePath(name);
}

namespace benchdata {

QStringList demoPictures()
{
    const QString folder = QStringLiteral(VEMTAL_SOURCE_DIR "/examples/obrazkys/");
    QStringList files;
    for (const char *name : { "1-predni.jpg", "2-prava.png", "3-zadni.gif", "4-leva.jpg",
                              "5-horni.png", "6-dolni.gif" })
        files << folder + QLatin1String(name);
    return files;
}

QString languageFile()
{
    return QStringLiteral(VEMTAL_SOURCE_DIR "/lang/en/lang.txt");
}

namespace {

// Walks along a row or a column to (toColumn, toRow), appending each field entered.
void walk(QList<die::Field> &path, int toColumn, int toRow)
{
    int c = die::column(path.last());
    int r = die::row(path.last());
    while (c != toColumn || r != toRow) {
        if (c != toColumn)
            c += toColumn > c ? 1 : -1;
        else
            r += toRow > r ? 1 : -1;
        path << die::field(c, r);
    }
}

// Appends `steps` moves back along the path walked so far.
void back(QList<die::Field> &path, qsizetype steps)
{
    const qsizetype end = path.size() - 1;
    for (qsizetype i = 1; i <= steps; ++i)
        path << path[end - i];
}

} // namespace

QList<die::Field> snakePath()
{
    QList<die::Field> path{ die::startField };
    // Upper half: row 4 to the right, then rows 3..1 back and forth (45 moves).
    walk(path, 13, 4);
    walk(path, 13, 3);
    walk(path, 1, 3);
    walk(path, 1, 2);
    walk(path, 13, 2);
    walk(path, 13, 1);
    walk(path, 1, 1);
    back(path, path.size() - 1);   // 45 moves back to the start
    // Lower half: row 4 to the left, then rows 5..7 (45 moves).
    walk(path, 1, 4);
    walk(path, 1, 5);
    walk(path, 13, 5);
    walk(path, 13, 6);
    walk(path, 1, 6);
    walk(path, 1, 7);
    walk(path, 13, 7);
    back(path, trace::maxMoves + 1 - path.size());   // 15 moves back
    return path;
}

trace::History snakeHistory()
{
    const QList<die::Field> path = snakePath();
    trace::History history;
    for (qsizetype i = 1; i < path.size(); ++i)
        history.moves[i - 1] = quint8(die::directionTo(path[i - 1], path[i]));
    history.count = qint32(path.size() - 1);
    return history;
}

trace::Trace snakeTrace(const std::array<quint8, 6> &rotations)
{
    trace::Trace t;
    die::obnov_kostku(t.initial, rotations);
    t.history = snakeHistory();
    return t;
}

} // namespace benchdata

bool BenchWindows::readyQuiz(benchmark::State &state)
{
    if (showQuiz())
        return true;
    state.SkipWithError("quiz window not shown");
    return false;
}

bool BenchWindows::readyTrace(benchmark::State &state, bool withSnake)
{
    if (!showTrace()) {
        state.SkipWithError("trace window not shown");
        return false;
    }
    if (withSnake && !rollSnake()) {
        state.SkipWithError("snake not rolled");
        return false;
    }
    return true;
}
