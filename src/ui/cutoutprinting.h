#pragma once

#include "appcontext.h"

#include <QPrinter>
#include <QStringList>
#include <memory>

class TVystrihovanka;

// "Vystřihovánka" in the main window's "Krychle" menu: the cut-out dialog,
// then the print dialog, then the net of the face set on one page, 1:1.
class CutoutPrinting
{
public:
    explicit CutoutPrinting(AppContext &context);
    ~CutoutPrinting();

    // The cut-out's own printer (its paper is the dialog's), created on
    // first use; the choice made in the print dialog stays for the run.
    QPrinter *printer();
    TVystrihovanka *dialog();

    // Prints the face set as the main window holds it: labels with their
    // quotes, rotation edits.
    void run(const QStringList &labels, const QStringList &edits);

private:
    QString text(Text line) const { return m_context.language.text(line); }

    AppContext &m_context;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<TVystrihovanka> m_dialog;
};
