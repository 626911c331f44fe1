#include "sheetcommands.h"

#include "appcontext.h"
#include "cesta.h"
#include "logging.h"
#include "sheetprinting.h"
#include "tisky.h"
#include "uifont.h"

#include <QAction>

SheetCommands::SheetCommands(AppContext &context, QWidget *window, TForm2 &quiz, TForm4 &trace,
                             SheetPrinting &printing, const Menu &menu,
                             std::function<bool(QAction *gated)> takeSnapshot)
    : QObject(window),
      SDkviz(QStringLiteral("SDkviz"), FileDialogRequest::Kind::Save,
             QStringLiteral("Default|*.tkt|All|*.*")),
      ODKviz(QStringLiteral("ODKviz"), FileDialogRequest::Kind::Open, QStringLiteral("Default|*.tkt")),
      ODp(QStringLiteral("ODp"), FileDialogRequest::Kind::Open, QStringLiteral("Default|*.tpt")),
      SDp(QStringLiteral("SDp"), FileDialogRequest::Kind::Save,
          QStringLiteral("Default|*.tpt|All|*.*")),
      m_context(context), m_window(window), m_quiz(quiz), m_trace(trace), m_printing(printing),
      m_menu(menu), m_takeSnapshot(std::move(takeSnapshot))
{
    SDkviz.request.defaultSuffix = QStringLiteral("tkt");
    SDp.request.defaultSuffix = QStringLiteral("tpt");
    connect(menu.piprav, &QAction::triggered, this, &SheetCommands::PripravClick);
    connect(menu.tiskni, &QAction::triggered, this, &SheetCommands::tiskniClick);
    connect(menu.ulokviz, &QAction::triggered, this, &SheetCommands::Ulokviz1Click);
    connect(menu.nastkviz, &QAction::triggered, this, &SheetCommands::Nastkviz1Click);
    connect(menu.priprstopy, &QAction::triggered, this, &SheetCommands::priprstopyClick);
    connect(menu.tiskstopy, &QAction::triggered, this, &SheetCommands::tiskstopyClick);
    connect(menu.uloitzadn, &QAction::triggered, this, &SheetCommands::Uloitzadn1Click);
    connect(menu.nastzadn, &QAction::triggered, this, &SheetCommands::Nastzadn1Click);
    addAnswerItem(menu.tiskni, "tiskniReseni", texts::builtin(Text::MenuTiskniReseni),
                  &SheetCommands::tiskniReseniClick);
    addAnswerItem(menu.tiskstopy, "tiskReseniStopy", texts::builtin(Text::MenuTiskReseniStopy),
                  &SheetCommands::tiskReseniStopyClick);
    // A sheet's print and save items: enabled by OK, disabled when it is reset.
    const auto gate = [this](SheetWindow *window, QAction *print, QAction *save) {
        const auto enable = [print, save](bool on) {
            print->setEnabled(on);
            save->setEnabled(on);
        };
        connect(window, &SheetWindow::confirmed, this, [enable] { enable(true); });
        connect(window, &SheetWindow::withdrawn, this, [enable] { enable(false); });
    };
    gate(&quiz, menu.tiskni, menu.ulokviz);
    gate(&trace, menu.tiskstopy, menu.uloitzadn);
}

QAction *SheetCommands::addAnswerItem(QAction *item, const char *name, const QString &caption,
                                      void (SheetCommands::*handler)())
{
    QAction *answers = insertMenuItem(item, name, caption, this, item);
    connect(answers, &QAction::triggered, this, handler);
    return answers;
}

QString SheetCommands::text(Text line) const
{
    return m_context.language.text(line);
}

void SheetCommands::PripravClick()
{
    if (!m_takeSnapshot(m_menu.tiskni))
        return;
    m_quiz.show();
    m_quiz.raise();
}

void SheetCommands::tiskniClick()
{
    m_printing.print(m_quiz.printedSheet(), m_menu.kviz);
}

void SheetCommands::tiskniReseniClick()
{
    m_printing.print(m_quiz.answerSheet(), m_menu.kviz);
}

void SheetCommands::Ulokviz1Click()
{
    const QStringList files = SDkviz.execute(*m_context.dialogs, m_window);
    if (!files.isEmpty())
        m_context.dialogs->failed(m_window, fileaccess::write(m_context.language, files.first(), m_quiz.quizFileBytes()));
}

void SheetCommands::Nastkviz1Click()
{
    if (!m_takeSnapshot(m_menu.tiskni))
        return;
    const QStringList files = ODKviz.execute(*m_context.dialogs, m_window);
    if (!files.isEmpty())
        openQuiz(files.first());
}

bool SheetCommands::openQuiz(const QString &path)
{
    QByteArray bytes;
    if (m_context.dialogs->failed(m_window, fileaccess::read(m_context.language, path, bytes)))
        return false;
    const QString problem = m_quiz.loadQuizFile(bytes);
    if (!problem.isEmpty()) {
        m_context.dialogs->message(m_window, problem);
        return false;
    }
    m_quiz.show();
    m_quiz.raise();
    return true;
}

void SheetCommands::priprstopyClick()
{
    if (!m_takeSnapshot(m_menu.tiskstopy))
        return;
    m_trace.show();
    m_trace.raise();
}

void SheetCommands::tiskstopyClick()
{
    m_printing.print(m_trace.printedSheet(), m_menu.kviz);
}

void SheetCommands::tiskReseniStopyClick()
{
    m_printing.print(m_trace.answerSheet(), m_menu.kviz);
}

void SheetCommands::Uloitzadn1Click()
{
    for (int net = 1; net <= 2; ++net) {
        const QString question = net == 1 ? text(Text::SaveUpperTrace)
                                           : text(Text::SaveLowerTrace);
        if (!m_context.dialogs->question(m_window, question))
            continue;
        const QStringList files = SDp.execute(*m_context.dialogs, m_window);
        if (!files.isEmpty())
            m_context.dialogs->failed(m_window, fileaccess::write(m_context.language, files.first(), m_trace.traceFileBytes(net)));
    }
}

void SheetCommands::Nastzadn1Click()
{
    if (!m_takeSnapshot(m_menu.tiskstopy))
        return;
    loadTraceFiles([this](int net) {
        const QString question = net == 1 ? text(Text::LoadUpperTrace)
                                          : text(Text::LoadLowerTrace);
        if (!m_context.dialogs->question(m_window, question))
            return QString();
        return ODp.execute(*m_context.dialogs, m_window).value(0);
    });
    m_trace.showAfterLoad();
    priprstopyClick();
}

int SheetCommands::loadTraceFiles(const std::function<QString(int net)> &fileFor)
{
    int read = 0;
    for (int net = 1; net <= 2; ++net) {
        const QString path = fileFor(net);
        QByteArray bytes;
        if (path.isEmpty()
            || m_context.dialogs->failed(m_window, fileaccess::read(m_context.language, path, bytes)))
            continue;
        // A bad file leaves that net as it was; the other net follows.
        if (m_trace.loadTraceFile(net, bytes))
            ++read;
        else
            m_context.dialogs->message(m_window, text(Text::WrongFormat));
    }
    return read;
}

void SheetCommands::openFiles(const QString &quiz, const QStringList &traces)
{
    if (!quiz.isEmpty() && m_takeSnapshot(m_menu.tiskni) && openQuiz(quiz))
        qCInfo(lcStart).noquote() << "quiz:" << quiz << "window:" << m_quiz.windowTitle();
    if (traces.isEmpty() || !m_takeSnapshot(m_menu.tiskstopy))
        return;
    if (loadTraceFiles([&traces](int net) { return traces.value(net - 1); }) > 0) {
        m_trace.showAfterLoad();
        priprstopyClick();
        qCInfo(lcStart).noquote() << "traces:" << traces.join(QLatin1String(", "))
                                  << "window:" << m_trace.windowTitle();
    }
}
