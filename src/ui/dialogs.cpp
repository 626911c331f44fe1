#include "dialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

QString Dialogs::qtFilter(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        filters << parts[i] + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    if (parts.size() % 2 == 1 && !parts.last().isEmpty())
        filters << parts.last();
    return filters.join(QLatin1String(";;"));
}

void QtDialogs::message(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QCoreApplication::applicationName(), text);
}

void QtDialogs::error(QWidget *parent, const QString &text)
{
    QMessageBox::critical(parent, QCoreApplication::applicationName(), text);
}

bool QtDialogs::question(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, QCoreApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
            == QMessageBox::Yes;
}

QStringList QtDialogs::chooseFiles(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setNameFilter(qtFilter(request.filter));
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

bool QtDialogs::print(QWidget *parent, QPrinter *printer, bool *toFile)
{
    QPrintDialog dialog(printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    QCheckBox *box = nullptr;
    if (toFile) {
        box = new QCheckBox(QCoreApplication::translate("Dialogs", "Tisk do souboru"), &dialog);
        box->setObjectName(QStringLiteral("printToFile"));
        if (dialog.layout())
            dialog.layout()->addWidget(box);
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
