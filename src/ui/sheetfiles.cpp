#include "sheetfiles.h"

#include "appcontext.h"
#include "cesta.h"
#include "tisky.h"

SheetFiles::SheetFiles(AppContext &context, QWidget *window, TForm2 &quiz, TForm4 &trace)
    : SDkviz(QStringLiteral("SDkviz"), FileDialogRequest::Kind::Save,
             QStringLiteral("Default|*.tkt|All|*.*")),
      ODKviz(QStringLiteral("ODKviz"), FileDialogRequest::Kind::Open, QStringLiteral("Default|*.tkt")),
      ODp(QStringLiteral("ODp"), FileDialogRequest::Kind::Open, QStringLiteral("Default|*.tpt")),
      SDp(QStringLiteral("SDp"), FileDialogRequest::Kind::Save,
          QStringLiteral("Default|*.tpt|All|*.*")),
      m_context(context), m_window(window), m_quiz(quiz), m_trace(trace)
{
    SDkviz.request.defaultSuffix = QStringLiteral("tkt");
    SDp.request.defaultSuffix = QStringLiteral("tpt");
}

QString SheetFiles::text(int line, const QString &builtin) const
{
    return m_context.language.text(line, builtin);
}

void SheetFiles::saveQuiz()
{
    const QStringList files = SDkviz.execute(*m_context.dialogs, m_window);
    if (!files.isEmpty())
        m_context.dialogs->failed(m_window, fileaccess::write(files.first(), m_quiz.quizFileBytes()));
}

void SheetFiles::loadQuiz()
{
    const QStringList files = ODKviz.execute(*m_context.dialogs, m_window);
    if (!files.isEmpty())
        openQuiz(files.first());
}

bool SheetFiles::openQuiz(const QString &path)
{
    QByteArray bytes;
    if (m_context.dialogs->failed(m_window, fileaccess::read(m_context.language, path, bytes)))
        return false;
    const QString problem = m_quiz.loadQuizFile(bytes);
    if (m_context.dialogs->failed(m_window, problem.isEmpty() ? Failure() : Failure::message(problem)))
        return false;
    m_quiz.show();
    m_quiz.raise();
    return true;
}

void SheetFiles::saveTraces()
{
    for (int net = 1; net <= 2; ++net) {
        const QString question = net == 1 ? text(41, QStringLiteral("Uložit stopu 1 (horní)?"))
                                           : text(42, QStringLiteral("Uložit stopu 2 (dolní)?"));
        if (!m_context.dialogs->question(m_window, question))
            continue;
        const QStringList files = SDp.execute(*m_context.dialogs, m_window);
        if (!files.isEmpty())
            m_context.dialogs->failed(m_window, fileaccess::write(files.first(), m_trace.traceFileBytes(net)));
    }
}

void SheetFiles::loadTraces()
{
    loadTraceFiles([this](int net) {
        const QString question = net == 1 ? text(43, QStringLiteral("Načíst stopu 1 (horní)?"))
                                          : text(44, QStringLiteral("Načíst stopu 2 (dolní)?"));
        if (!m_context.dialogs->question(m_window, question))
            return QString();
        return ODp.execute(*m_context.dialogs, m_window).value(0);
    });
}

int SheetFiles::loadTraceFiles(const std::function<QString(int net)> &fileFor)
{
    int read = 0;
    for (int net = 1; net <= 2; ++net) {
        const QString path = fileFor(net);
        QByteArray bytes;
        if (path.isEmpty() || m_context.dialogs->failed(m_window, fileaccess::read(m_context.language, path, bytes)))
            continue;
        // A bad file leaves that net as it was; the other net follows.
        if (m_trace.loadTraceFile(net, bytes))
            ++read;
        else
            m_context.dialogs->message(m_window, text(40, QStringLiteral("Chybný formát dat")));
    }
    return read;
}
