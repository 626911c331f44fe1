#include "dialogs.h"

#include "logging.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

namespace {

// With the bitmap box ticked nothing goes to Qt's PDF printer: the dialog
// checks its file (and asks whether to overwrite it) only while the file's
// edit is enabled, which the dialog itself sets for the printer chosen.
void keepPdfFileOutOfTheBitmap(QCheckBox *box, QLineEdit *file, QComboBox *printers)
{
    auto wanted = std::make_shared<bool>(file->isEnabled());
    QObject::connect(box, &QCheckBox::toggled, file, [=](bool bitmap) {
        if (bitmap)
            *wanted = file->isEnabled();
        file->setEnabled(!bitmap && *wanted);
    });
    if (!printers)
        return;
    // Connected after the dialog's own handler, so it runs after it.
    QObject::connect(printers, &QComboBox::currentIndexChanged, file, [=] {
        *wanted = file->isEnabled();
        if (box->isChecked())
            file->setEnabled(false);
    });
}

// A message box that shows its text as it stands: messages carry names of
// files and texts from files, and a box would take rich text as markup
// (images included, which it would load).
int showBox(QWidget *parent, QMessageBox::Icon icon, const QString &text,
            QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QCoreApplication::applicationName(), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (buttons & QMessageBox::Yes)
        box.setDefaultButton(QMessageBox::Yes);
    return box.exec();
}

} // namespace

bool Dialogs::failed(QWidget *parent, const Failure &failure)
{
    if (failure.kind == Failure::File)
        error(parent, failure.text);
    else if (failure.kind == Failure::Message)
        message(parent, failure.text);
    return bool(failure);
}

void QtDialogs::message(QWidget *parent, const QString &text)
{
    qCInfo(lcMessages).noquote() << text;
    showBox(parent, QMessageBox::Information, text, QMessageBox::Ok);
}

void QtDialogs::error(QWidget *parent, const QString &text)
{
    qCInfo(lcMessages).noquote() << text;
    showBox(parent, QMessageBox::Critical, text, QMessageBox::Ok);
}

bool QtDialogs::question(QWidget *parent, const QString &text)
{
    qCInfo(lcMessages).noquote() << text;
    return showBox(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
}

QStringList QtDialogs::chooseFiles(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setNameFilter(fileaccess::qtFilter(request.filter));
    QString folder = request.folder.isEmpty() ? QDir::currentPath() : request.folder;
    dialog.setDirectory(folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    dialog.setDefaultSuffix(request.defaultSuffix.startsWith(QLatin1Char('.'))
                                    ? request.defaultSuffix.mid(1)
                                    : request.defaultSuffix);
    switch (request.kind) {
    case FileDialogRequest::Kind::Open:
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileDialogRequest::Kind::OpenMany:
        dialog.setFileMode(QFileDialog::ExistingFiles);
        break;
    case FileDialogRequest::Kind::Folder:
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    case FileDialogRequest::Kind::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.confirmOverwrite)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        break;
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

void QtDialogs::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

bool QtDialogs::print(QWidget *parent, QPrinter *printer, const PrintRequest &request,
                      bool *toFile)
{
    QPrintDialog dialog(printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    // The output file of Qt's PDF printer: its line edit in the dialog.
    auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
    if (file && !request.pdfFile.isEmpty())
        file->setText(request.pdfFile);
    QCheckBox *box = nullptr;
    if (toFile) {
        box = new QCheckBox(request.toFileLabel, &dialog);
        box->setObjectName(QStringLiteral("printToFile"));
        if (dialog.layout())
            dialog.layout()->addWidget(box);
        if (file)
            keepPdfFileOutOfTheBitmap(box, file, dialog.findChild<QComboBox *>(QStringLiteral("printers")));
    }
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (toFile)
        *toFile = box->isChecked();
    return ok;
}

bool QtDialogs::runModal(QDialog *dialog)
{
    return dialog->exec() == QDialog::Accepted;
}
