#pragma once

#include "dialogs.h"

#include <QDialog>
#include <QPrinter>
#include <QQueue>
#include <QStringList>

#include <functional>

// Answers the windows' dialogs from scripted replies and records what was
// asked. An unscripted question answers No, an unscripted file dialog is
// cancelled, an unscripted print dialog is cancelled, an unscripted modal
// dialog is cancelled without being shown.
class ScriptedDialogs : public Dialogs
{
public:
    struct Call
    {
        QString kind;   // "message", "error", "question", "files", "url", "print", "modal"
        QString text;   // the message, or the dialog's name
        FileDialogRequest request;
        PrintRequest print;
    };

    QQueue<bool> answers;
    QQueue<QStringList> files;
    struct PrintReply
    {
        bool ok;
        bool toFile;
        QString printer = {};   // chosen in the dialog; empty: the printer as it was
    };
    QQueue<PrintReply> prints;
    QList<Call> calls;
    // Runs once after the next confirmed file dialog, before the window
    // goes on: a test can change the chosen file behind the window's back.
    std::function<void()> afterChoice;

    void message(QWidget *, const QString &text) override { calls.append({"message", text, {}, {}}); }
    void error(QWidget *, const QString &text) override { calls.append({"error", text, {}, {}}); }
    bool question(QWidget *, const QString &text) override
    {
        calls.append({"question", text, {}, {}});
        return answers.isEmpty() ? false : answers.dequeue();
    }
    QStringList chooseFiles(QWidget *, const FileDialogRequest &request) override
    {
        calls.append({"files", request.name, request, {}});
        const QStringList chosen = files.isEmpty() ? QStringList() : files.dequeue();
        if (afterChoice && !chosen.isEmpty())
            std::exchange(afterChoice, nullptr)();
        return chosen;
    }
    void openUrl(const QUrl &url) override { calls.append({"url", url.toString(), {}, {}}); }
    bool print(QWidget *, QPrinter *printer, const PrintRequest &request, bool *toFile) override
    {
        calls.append({"print", request.toFileLabel, {}, request});
        const PrintReply r = prints.isEmpty() ? PrintReply{false, false} : prints.dequeue();
        if (r.ok && !r.printer.isEmpty()) {
            printer->setOutputFormat(QPrinter::NativeFormat);
            printer->setPrinterName(r.printer);
        }
        if (toFile)
            *toFile = r.toFile;
        return r.ok;
    }
    // A reply may show and poke the dialog; it returns whether it was accepted.
    QQueue<std::function<bool(QDialog *)>> modals;
    bool runModal(QDialog *dialog) override
    {
        calls.append({"modal", dialog->objectName(), {}, {}});
        return modals.isEmpty() ? false : modals.dequeue()(dialog);
    }

    QStringList texts(const QString &kind) const
    {
        QStringList out;
        for (const Call &c : calls)
            if (c.kind == kind)
                out << c.text;
        return out;
    }
};
