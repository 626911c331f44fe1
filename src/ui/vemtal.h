#pragma once

#include "appcontext.h"
#include "cubemodel.h"
#include "filedialogstate.h"
#include "sheetcommands.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class CutoutPrinting;
class LessonCommands;
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

    // The face set; the controls show it as the path labels' captions (with
    // their quotes) and the edits' texts.
    const FaceSet &faceSet() const { return m_faces; }
    // A whole face set, as a lesson brings it.
    void setFaceSet(const FaceSet &faces);
    QStringList pathLabels() const;
    QStringList rotationEdits() const;
    bool anyPathEmpty() const { return !m_faces.complete(); }

    QString rotationLine() const { return m_faces.rotationLine(); }
    QString closingLine() const { return m_faces.closingLine(); }
    QString startFolder() const { return m_model.startFolder(); }
    QString previewPath() const { return m_model.previewPath(); }
    QString overridePath() const { return m_model.overridePath(); }
    // The model template (the built-in one, after the language texts).
    const QStringList &modelTemplate() const { return m_model.templateLines(); }
    // The work buffer: the last model written or read.
    const QStringList &workBuffer() const { return m_model.workBuffer(); }
    // The file name of the model save dialog, shown by the sheet windows.
    QString modelFileName() const { return SD.fileName(); }

    // The window's file dialogs by name (OPD, OPD2, SD, OPDmodel, SPD), their
    // settings and file names kept for the run; null for another name.
    FileDialogState *fileDialog(const QString &name);
    // The language file's filter for one of them.
    void setDialogFilter(const QString &name, const QString &filter);

    // The quiz and trace windows, created after the main window, and their
    // printing: the sheet commands of the menus start working.
    void setSheetWindows(TForm2 *quiz, TForm4 *trace, SheetPrinting *printing);
    SheetCommands *sheetCommands() const { return m_sheets; }
    void setCutout(CutoutPrinting *cutout) { m_cutout = cutout; }
    // The lesson commands go after "Načíst krychli"; a lesson file named at
    // start-up is opened by them.
    QAction *loadModelItem() const { return m_nastKrychli; }
    void setLessonCommands(LessonCommands *lessons) { m_lessons = lessons; }
    LessonCommands *lessonCommands() const { return m_lessons; }

    // Files named at start-up (sorted by commandline::sortFiles): pictures
    // fill the face set as "Načíst všechny obrázky" does, or a model is
    // loaded as "Načíst krychli" loads it; then a quiz file is loaded as
    // "Načíst kviz" and one or two trace files as "Načíst zadání" load them,
    // with the same checks and messages. A file that cannot be opened
    // changes nothing.
    void openArguments(const QStringList &arguments);

public slots:
    void NactiClick();
    void ZmenaClick();
    void Ed0Change(int slot);
    void OtocnaClick();
    void KONECClick();
    void about1Click();
    void web1Click();
    // "Zobrazit krychli": the preview model in the web viewer, or in the
    // desktop's VRML viewer when "ProhlizecVRML1" is checked.
    void ZobrazClick();
    // "Zobrazit v prohlížeči": the preview model in the default web browser.
    void ZobrazWebClick();
    // "Uložit pro web": the model as a folder for a web server.
    void UlozWebClick();
    void Uloitkrychli1Click();
    void Nastkrychli1Click();
    // "Vystřihovánka": prints a net of the face set to cut out and fold.
    void VystrihovankaClick();
    // Writes the language texts of the model buttons into the template.
    void uprav(const std::array<QString, 8> &texts) { m_model.setButtonTexts(texts); }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    // A menu and a menu item with their lines' built-in texts.
    QMenu *addMenu(const char *name, Text title);
    QAction *addItem(QMenu *menu, const char *name, Text caption, void (TForm1::*handler)() = nullptr,
                     const char *shortcut = nullptr);
    void setPictures(const QStringList &files);
    // The labels and edits show the face set.
    void showFaceSet();
    // False (after "Vyberte textury." and disabling `gated`) while a picture
    // is missing; otherwise takes the face set snapshot.
    bool takeSnapshot(QAction *gated);
    bool loadModelFile(const QString &path, const QString &folder);
    // False (after the message) when one of the first six cannot be used.
    bool openPictures(const QStringList &files);
    // Writes the model of this face set; false after the error box.
    bool writeModel(const QString &path, const FaceSet &faces);
    bool failed(const Failure &failure);
    QString text(Text line) const { return m_context.language.text(line); }

    AppContext &m_context;
    CubeModel m_model;
    FaceSet m_faces;
    FileDialogState OPD;
    FileDialogState OPD2;
    FileDialogState SD;
    FileDialogState OPDmodel;
    FileDialogState SPD;
    std::array<QLabel *, 6> m_labels{};
    std::array<QLineEdit *, 6> m_edits{};
    QCheckBox *m_otocna = nullptr;
    SheetCommands::Menu m_sheetMenu{};
    QAction *m_ulozitProWeb = nullptr;
    QAction *m_prohlizecVRML = nullptr;   // F4 opens the desktop's VRML viewer
    SheetCommands *m_sheets = nullptr;   // a child of this window
    CutoutPrinting *m_cutout = nullptr;
    LessonCommands *m_lessons = nullptr;
    QAction *m_nastKrychli = nullptr;
    std::unique_ptr<WebCommands> m_web;
    bool m_closing = false;
    bool m_placed = false;
};
