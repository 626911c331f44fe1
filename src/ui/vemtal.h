#pragma once

#include "appcontext.h"
#include "filedialogstate.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class CutoutPrinting;
class SheetPrinting;
class TForm2;
class TForm4;
class WebCommands;

// The main window: the face set (six picture labels, six rotation edits and
// the "Otočná" box), the menus, and the cube model written from them.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(AppContext &context, QWidget *parent = nullptr);
    ~TForm1() override;

    // Face set as the controls hold it: labels with their quotes, edit texts.
    QStringList pathLabels() const;
    QStringList rotationEdits() const;
    bool anyPathEmpty() const;

    QString rotationLine() const { return m_rotationLine; }
    QString closingLine() const { return m_closingLine; }
    QString startFolder() const { return m_startFolder; }
    QString previewPath() const { return m_previewPath; }
    QString overridePath() const { return m_overridePath; }
    // The model template (the built-in one, after the language texts).
    const QStringList &modelTemplate() const { return m_zaloha; }
    // The work buffer: the last model written or read.
    const QStringList &workBuffer() const { return m_temp; }

    // The quiz and trace windows, created after the main window.
    void setSheetWindows(TForm2 *quiz, TForm4 *trace);
    void setPrinting(SheetPrinting *printing) { m_printing = printing; }
    void setCutout(CutoutPrinting *cutout) { m_cutout = cutout; }

    // Files named at start-up (sorted by commandline::sortFiles): pictures
    // fill the face set as "Načíst všechny obrázky" does, or a model is
    // loaded as "Načíst krychli" loads it; then a quiz file is loaded as
    // "Načíst kviz" and one or two trace files as "Načíst zadání" load them,
    // with the same checks and messages. A file that cannot be opened
    // changes nothing.
    void openArguments(const QStringList &arguments);

    // Dialogs of the main window; their settings and file names live with it.
    FileDialogState OPD;
    FileDialogState OPD2;
    FileDialogState SD;
    FileDialogState OPDmodel;
    FileDialogState SDkviz;
    FileDialogState ODKviz;
    FileDialogState ODp;
    FileDialogState SDp;
    FileDialogState SPD;

public slots:
    void FormCreate();
    void NactiClick();
    void ZmenaClick();
    void Ed0Change(int slot);
    void OtocnaClick();
    void KONECClick();
    void about1Click();
    void web1Click();
    void ZobrazClick();
    // "Zobrazit v prohlížeči": the preview model in the default web browser.
    void ZobrazWebClick();
    // "Uložit pro web": the model as a folder for a web server.
    void UlozWebClick();
    void Uloitkrychli1Click();
    void Nastkrychli1Click();
    void PripravClick();
    void Ulokviz1Click();
    void Nastkviz1Click();
    void priprstopyClick();
    void Uloitzadn1Click();
    void Nastzadn1Click();
    void tiskniClick();
    void tiskstopyClick();
    // "Vystřihovánka": prints a net of the face set to cut out and fold.
    void VystrihovankaClick();
    // Writes the language texts of the model buttons into the template.
    void uprav(const std::array<QString, 8> &texts);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption,
                     const QKeySequence &shortcut = QKeySequence());
    bool FormCloseQuery();
    void FormClose();
    void setPictures(const QStringList &files);
    // False, after a message, when a picture path cannot go into a model line.
    bool picturesFitTheModel(const QStringList &paths);
    QAction *item(const char *name) const;
    // False (after "Vyberte textury." and disabling `menuItem`) while a
    // picture is missing; otherwise takes the face set snapshot.
    bool takeSnapshot(const char *menuItem);
    bool readFile(const QString &path, QByteArray &bytes);
    void writeFile(const QString &path, const QByteArray &bytes);
    bool loadModelFile(const QString &path, const QString &folder);
    // False (after the error box) when one of the first six cannot be read.
    bool openPictures(const QStringList &files);
    // After the snapshot: reads and applies a quiz file and shows the quiz
    // window; false (after the message) when it cannot.
    bool openQuizFile(const QString &path);
    // After the snapshot: reads the file `fileFor(net)` gives into each net
    // (none when empty); returns how many nets were read.
    int loadTraceFiles(const std::function<QString(int net)> &fileFor);
    // Fills the work buffer with the template and the tail for these labels;
    // false (after the error box) when the template override cannot be read.
    bool assembleModel(const QStringList &labels);
    // Assembles the model and writes it; false (after the error box) when it
    // cannot be written.
    bool writeModel(const QString &path, const QStringList &labels);
    QString text(int line, const QString &builtin) const { return m_context.language.text(line, builtin); }

    AppContext &m_context;
    std::array<QLabel *, 6> m_labels{};
    std::array<QLineEdit *, 6> m_edits{};
    QCheckBox *m_otocna = nullptr;
    TForm2 *m_quiz = nullptr;
    TForm4 *m_trace = nullptr;
    SheetPrinting *m_printing = nullptr;
    std::unique_ptr<WebCommands> m_web;
    CutoutPrinting *m_cutout = nullptr;

    QString m_rotationLine;
    QString m_closingLine;
    QString m_startFolder;
    QString m_previewPath;
    QString m_overridePath;
    QStringList m_zaloha;
    QStringList m_temp;
    bool m_closing = false;
    bool m_placed = false;
};
