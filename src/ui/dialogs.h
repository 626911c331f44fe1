#pragma once

#include "fileaccess.h"

#include <QString>
#include <QStringList>
#include <QUrl>

class QDialog;
class QPrinter;
class QWidget;

// What a file dialog is asked to show. The filter is in the "description|
// patterns|description|patterns" form the windows keep; the real dialog turns
// it into Qt's form.
struct FileDialogRequest
{
    enum class Kind { Open, OpenMany, Save, Folder };
    Kind kind = Kind::Open;
    QString name;        // the dialog's name: "OPD", "SD", "ODKviz" ...
    QString title;
    QString filter;
    QString folder;      // initial folder; empty: the working folder
    QString fileName;    // preset file name
    QString defaultSuffix;
    bool confirmOverwrite = false;
};

// What the print dialog is asked to show besides the printer's settings.
struct PrintRequest
{
    QString toFileLabel;   // the program's own print-to-file box
    QString pdfFile;       // offered as the output file of Qt's PDF printer
};

// Every dialog, message box, print dialog and desktop call the windows make.
// The program uses the Qt implementation; tests answer with scripted replies.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A plain message with an OK button and the title "vemtal".
    virtual void message(QWidget *parent, const QString &text) = 0;
    // The standard error box with the system's reason.
    virtual void error(QWidget *parent, const QString &text) = 0;
    // A Yes/No question; only Yes returns true.
    virtual bool question(QWidget *parent, const QString &text) = 0;
    // Returns the chosen files (full paths); empty when cancelled.
    virtual QStringList chooseFiles(QWidget *parent, const FileDialogRequest &request) = 0;
    // The desktop's "open" action on a file or an address; the result is not checked.
    virtual void openUrl(const QUrl &url) = 0;
    // The print dialog, with its print-to-file box when `toFile` is given.
    // False when cancelled.
    virtual bool print(QWidget *parent, QPrinter *printer, const PrintRequest &request,
                       bool *toFile) = 0;
    // Runs one of the program's own dialogs modally; true when it was accepted.
    virtual bool runModal(QDialog *dialog) = 0;

    // Shows a failure, if there is one, as an error box or a message; true
    // when there was one.
    bool failed(QWidget *parent, const Failure &failure);
};

class QtDialogs : public Dialogs
{
public:
    void message(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    bool question(QWidget *parent, const QString &text) override;
    QStringList chooseFiles(QWidget *parent, const FileDialogRequest &request) override;
    void openUrl(const QUrl &url) override;
    bool print(QWidget *parent, QPrinter *printer, const PrintRequest &request,
               bool *toFile) override;
    bool runModal(QDialog *dialog) override;
};
