#include "vemtal.h"

#include "appdata.h"
#include "commandline.h"
#include "cutoutprinting.h"
#include "dialogs.h"
#include "exercisecommands.h"
#include "lessoncommands.h"
#include "faceset.h"
#include "logging.h"
#include "rotationedit.h"
#include "uifont.h"
#include "viewerchoice.h"
#include "webcommands.h"
#include "windowplace.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QUrl>

namespace {

using texts::builtin;

// The "Změň" buttons from the top row down, with their language lines.
constexpr struct {
    const char *name;
    Text line;
} changeButtons[6] = {{"Zmena", Text::Zmena},     {"Button7", Text::Button7}, {"Button6", Text::Button6},
                      {"Button5", Text::Button5}, {"Button4", Text::Button4}, {"Button3", Text::Button3}};

// A label in the fixed `box`, or, when the box has no size, sized to its
// text (an auto-sized label) at the box's corner.
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, QRect box, int fontPx)
{
    auto *label = makeControl<QLabel>(parent, name, box, text);
    label->setFont(uiFont(fontPx));
    if (box.isEmpty())
        label->adjustSize();
    label->setProperty("autoSize", box.isEmpty());
    return label;
}

} // namespace

TForm1::TForm1(AppContext &context, QWidget *parent)
    : QMainWindow(parent),
      m_context(context),
      m_model(QDir::currentPath(), QRandomGenerator::global()->bounded(10000)),
      OPD(QStringLiteral("OPD"), FileDialogRequest::Kind::OpenMany, builtin(Text::FilterOPD)),
      OPD2(QStringLiteral("OPD2"), FileDialogRequest::Kind::Open, builtin(Text::FilterOPD2)),
      SD(QStringLiteral("SD"), FileDialogRequest::Kind::Save, builtin(Text::FilterSD)),
      OPDmodel(QStringLiteral("OPDmodel"), FileDialogRequest::Kind::Open,
               QStringLiteral("wrml modely|*.wrl;*.txt")),
      SPD(QStringLiteral("SPD"), FileDialogRequest::Kind::Save,
          QStringLiteral("Bitmaps (*.bmp)|*.bmp")),
      m_web(std::make_unique<WebCommands>(context, this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(builtin(Text::Form1Title));
    setFont(uiFont(16));

    OPD.movesWorkingFolder = false;
    OPD.request.folder = startFolder();
    OPD2.movesWorkingFolder = false;
    OPD2.request.folder = startFolder();
    SD.request.defaultSuffix = QStringLiteral(".wrl");
    SD.request.fileName = QStringLiteral("vemtal.wrl");
    SD.request.folder = QStringLiteral(".");
    SD.request.confirmOverwrite = true;
    SPD.request.defaultSuffix = QStringLiteral("bmp");
    SPD.request.folder = QStringLiteral(".");

    buildControls();
    buildMenus();
}

TForm1::~TForm1() = default;

void TForm1::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(848, 360);
    setCentralWidget(client);

    makeLabel(client, "Label1", builtin(Text::Label1), {16, 32, 0, 0}, 16);
    makeLabel(client, "Label2", builtin(Text::Label2), {336, 0, 88, 24}, 19);
    makeLabel(client, "Label3", builtin(Text::Label3), {16, 56, 0, 0}, 16);
    auto *hint = makeLabel(client, "Label4", builtin(Text::Label4), {376, 38, 465, 20}, 11);
    // The hint is a few pixels wider than its fixed box in this font; it is
    // set a little closer. (A narrower stretch would be a font of its own,
    // loaded and matched at start-up for this one label.)
    QFont closer = hint->font();
    closer.setLetterSpacing(QFont::PercentageSpacing, 98);
    hint->setFont(closer);
    makeLabel(client, "Label5", builtin(Text::Label5), {8, 88, 0, 0}, 13);
    makeLabel(client, "Label6", builtin(Text::Label6), {72, 88, 0, 0}, 13);
    makeLabel(client, "Label7", builtin(Text::Label7), {608, 58, 0, 0}, 11);
    auto *copyright = makeLabel(client, "Label8", QStringLiteral("© vemtal 2026"), {0, 344, 0, 0}, 11);
    copyright->move(833 - copyright->width(), 344);

    auto *nacti = makeButton(client, "Nacti", builtin(Text::Nacti), QRect(648, 80, 185, 25));
    connect(nacti, &QPushButton::clicked, this, &TForm1::NactiClick);
    auto *zobraz = makeButton(client, "Zobraz", builtin(Text::Zobraz), QRect(8, 304, 825, 33));
    connect(zobraz, &QPushButton::clicked, this, &TForm1::ZobrazClick);

    m_otocna = makeControl<QCheckBox>(client, "Otocna", {520, 56, 81, 17}, builtin(Text::Otocna));
    m_otocna->setChecked(true);
    connect(m_otocna, &QCheckBox::clicked, this, &TForm1::OtocnaClick);

    makeControl<QWidget>(client, "Image1", {8, 72, 105, 105});

    setTabOrder(nacti, zobraz);
    QWidget *previous = zobraz;
    for (int slot = 0; slot < 6; ++slot) {
        const int top = 112 + 32 * slot;
        const QByteArray name = "lbs" + QByteArray::number(slot);
        auto *label = makeControl<QLabel>(client, name.constData(), {48, top, 700, 25});
        label->setFont(uiFont(13));
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Midlight));
        label->setPalette(palette);
        m_labels[slot] = label;

        QLineEdit *edit = makeRotationEdit(client, slot, top);
        connect(edit, &QLineEdit::textChanged, this, [this, slot] { Ed0Change(slot); });
        m_edits[slot] = edit;
        setTabOrder(previous, edit);
        previous = edit;

        const auto &[buttonName, caption] = changeButtons[slot];
        auto *change = makeButton(client, buttonName, builtin(caption), QRect(767, top, 66, 25));
        change->setProperty("Tag", slot);
        connect(change, &QPushButton::clicked, this, &TForm1::ZmenaClick);
    }
}

QMenu *TForm1::addMenu(const char *name, Text title)
{
    QMenu *menu = menuBar()->addMenu(builtin(title));
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction *TForm1::addItem(QMenu *menu, const char *name, Text caption, void (TForm1::*handler)(),
                         const char *shortcut)
{
    QAction *action = menu->addAction(builtin(caption));
    action->setObjectName(QLatin1String(name));
    if (shortcut)
        action->setShortcut(QKeySequence(QLatin1String(shortcut)));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    return action;
}

void TForm1::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setFont(uiFont(13));

    QMenu *krychle = addMenu("Zmnitobrzky1", Text::MenuKrychle);
    addItem(krychle, "Zmnitobrzky2", Text::MenuZmenitObrazky, &TForm1::NactiClick, "Ctrl+L");
    addItem(krychle, "loitkrychli1", Text::MenuUlozitKrychli, &TForm1::Uloitkrychli1Click, "Ctrl+S");
    m_nastKrychli = addItem(krychle, "Nastkrychli1", Text::MenuNacistKrychli, &TForm1::Nastkrychli1Click, "Ctrl+O");
    krychle->addSeparator()->setObjectName(QStringLiteral("N3"));
    addItem(krychle, "Zobrazitkrychli2", Text::MenuZobrazitKrychli, &TForm1::ZobrazClick, "F4");
    addItem(krychle, "Zobrazitvprohlizeci1", Text::MenuZobrazitVProhlizeci, &TForm1::ZobrazWebClick, "Shift+F4");
    m_prohlizecVRML = addItem(krychle, "ProhlizecVRML1", Text::MenuProhlizecVRML);
    m_prohlizecVRML->setCheckable(true);
    m_prohlizecVRML->setChecked(viewerchoice::desktopViewerChosen());
    connect(m_prohlizecVRML, &QAction::toggled, this, &viewerchoice::setDesktopViewerChosen);
    m_ulozitProWeb = addItem(krychle, "Ulozitproweb1", Text::MenuUlozitProWeb, &TForm1::UlozWebClick);
    addItem(krychle, "Vystrihovanka1", Text::CutoutMenu, &TForm1::VystrihovankaClick);
    krychle->addSeparator()->setObjectName(QStringLiteral("N4"));
    addItem(krychle, "KONEC2", Text::MenuKonec, &TForm1::KONECClick, "Alt+F4");

    // The sheet commands run from these items once the sheet windows exist.
    SheetCommands::Menu &m = m_sheetMenu;
    QMenu *kviz = addMenu("tisk1", Text::MenuKviz);
    m.kviz = kviz->menuAction();
    m.piprav = addItem(kviz, "Piprav1", Text::MenuPripravit);
    m.tiskni = addItem(kviz, "tiskni", Text::MenuTiskni);
    m.ulokviz = addItem(kviz, "Ulokviz1", Text::MenuUlozitKviz);
    m.nastkviz = addItem(kviz, "Nastkviz1", Text::MenuNacistKviz);
    QMenu *stopa = addMenu("Stopa1", Text::MenuStopa);
    m.priprstopy = addItem(stopa, "priprstopy", Text::MenuPripravitStopu);
    m.tiskstopy = addItem(stopa, "tiskstopy", Text::MenuTiskStopy);
    m.uloitzadn = addItem(stopa, "Uloitzadn1", Text::MenuUlozitZadani);
    m.nastzadn = addItem(stopa, "Nastzadn1", Text::MenuNacistZadani);
    // Printing and saving the sheets wait for OK in their windows.
    for (QAction *gated : {m.tiskni, m.ulokviz, m.tiskstopy, m.uloitzadn})
        gated->setEnabled(false);

    QMenu *help = addMenu("Help1", Text::MenuNapoveda);
    addItem(help, "web1", Text::MenuWeb, &TForm1::web1Click);
    addItem(help, "about1", Text::MenuVerse, &TForm1::about1Click);

    // The main window's own height is its client area plus the menu bar.
    setFixedSize(848, 360 + bar->sizeHint().height());
}

FileDialogState *TForm1::fileDialog(const QString &name)
{
    for (FileDialogState *dialog : {&OPD, &OPD2, &SD, &OPDmodel, &SPD})
        if (dialog->request.name == name)
            return dialog;
    return nullptr;
}

void TForm1::setDialogFilter(const QString &name, const QString &filter)
{
    if (FileDialogState *dialog = fileDialog(name))
        dialog->request.filter = filter;
}

QStringList TForm1::pathLabels() const
{
    QStringList labels;
    for (const QLabel *label : m_labels)
        labels << label->text();
    return labels;
}

QStringList TForm1::rotationEdits() const
{
    QStringList edits;
    for (const QLineEdit *edit : m_edits)
        edits << edit->text();
    return edits;
}

bool TForm1::failed(const Failure &failure)
{
    return m_context.dialogs->failed(this, failure);
}

void TForm1::setPictures(const QStringList &files)
{
    if (failed(CubeModel::picturesFit(m_context.language, files)))
        return;
    FaceSet faces = m_faces;
    faces.setPictures(files);
    setFaceSet(faces);
}

void TForm1::setFaceSet(const FaceSet &faces)
{
    m_faces = faces;
    m_sheetMenu.kviz->setEnabled(true);
    OPD2.request.fileName = faces.picture(0);
    showFaceSet();
}

void TForm1::showFaceSet()
{
    const QStringList labels = m_faces.labels();
    for (int slot = 0; slot < 6; ++slot) {
        m_labels[slot]->setText(labels[slot]);
        // Ed0Change keeps the face set's rotation as it is.
        m_edits[slot]->setText(m_faces.rotationText(slot));
    }
    m_otocna->setChecked(m_faces.turnable());
}

void TForm1::NactiClick()
{
    const QStringList files = OPD.execute(*m_context.dialogs, this);
    if (!files.isEmpty())
        setPictures(files);
}

void TForm1::ZmenaClick()
{
    const QStringList files = OPD2.execute(*m_context.dialogs, this);
    if (files.isEmpty() || failed(CubeModel::picturesFit(m_context.language, files)))
        return;
    const int slot = qBound(0, sender() ? sender()->property("Tag").toInt() : 0, 5);
    m_faces.setPicture(slot, files.first());
    showFaceSet();
    m_sheetMenu.kviz->setEnabled(true);
}

void TForm1::Ed0Change(int slot)
{
    QLineEdit *edit = m_edits[slot];
    if (!faceset::isRotationText(edit->text()) && !edit->text().isEmpty())
        edit->setText(QString());
    m_faces.setRotationText(slot, edit->text());
}

void TForm1::OtocnaClick()
{
    m_faces.setTurnable(m_otocna->isChecked());
}

void TForm1::KONECClick()
{
    close();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        centreWindow(this, nullptr);
    }
}

// FormCloseQuery asks; FormClose deletes the preview file and ends the program.
void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    if (!m_context.dialogs->question(this, text(Text::ExitQuestion))) {
        event->ignore();
        return;
    }
    m_closing = true;
    QFile::remove(previewPath());
    event->accept();
    QCoreApplication::quit();
}

void TForm1::about1Click()
{
    m_context.dialogs->message(this, text(Text::Version));
}

void TForm1::web1Click()
{
    // The guide pages ship in the program's data folder; the language file
    // names the one in its language.
    const QString path = appdata::guidePage(appdata::dataDir(), text(Text::GuidePage));
    if (!failed(fileaccess::checkReadable(m_context.language, path)))
        m_context.dialogs->openUrl(QUrl::fromLocalFile(path));
}

bool TForm1::writeModel(const QString &path, const FaceSet &faces)
{
    return !failed(m_model.write(m_context.language, path, faces));
}

void TForm1::ZobrazClick()
{
    if (writeModel(previewPath(), m_faces))
        m_web->showCube(m_model, previewPath(), m_prohlizecVRML->isChecked());
}

void TForm1::ZobrazWebClick()
{
    if (writeModel(previewPath(), m_faces))
        m_web->showInBrowser(m_model, previewPath());
}

void TForm1::UlozWebClick()
{
    const QString folder = m_web->chooseFolder(m_ulozitProWeb->text());
    if (!folder.isEmpty() && !failed(m_model.assemble(m_context.language, m_faces)))
        m_web->saveForWeb(folder, m_model);
}

void TForm1::Uloitkrychli1Click()
{
    const QString before = QDir::currentPath();
    const QStringList files = SD.execute(*m_context.dialogs, this);
    if (!files.isEmpty()) {
        FaceSet saved = m_faces;
        bool relative = m_context.dialogs->question(this, text(Text::SaveRelative));
        if (startFolder() != QDir::currentPath())
            relative = m_context.dialogs->question(this, text(Text::SubfolderMissing));
        if (relative)
            for (int slot = 0; slot < 6; ++slot)
                saved.setPicture(slot, model::relativePath(saved.picture(slot)));
        writeModel(files.first(), saved);
    }
    QDir::setCurrent(before);
}

bool TForm1::loadModelFile(const QString &path, const QString &folder)
{
    Failure refused;
    if (failed(m_model.load(m_context.language, path, folder, m_faces, refused)))
        return false;
    showFaceSet();
    // The load stands; the pictures left out are told once.
    failed(refused);
    return true;
}

void TForm1::Nastkrychli1Click()
{
    const QStringList files = OPDmodel.execute(*m_context.dialogs, this);
    if (!files.isEmpty())
        loadModelFile(files.first(), QDir::currentPath());
}

void TForm1::openArguments(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return;
    QStringList absolute;
    for (const QString &argument : arguments)
        absolute << QFileInfo(argument).absoluteFilePath();
    commandline::Files files;
    if (!commandline::sortFiles(absolute, files)) {
        m_context.dialogs->message(this, text(Text::FilesTogether));
        return;
    }
    if (!files.pictures.isEmpty() && openPictures(files.pictures))
        qCInfo(lcStart).noquote() << "pictures:" << files.pictures.mid(0, 6).join(QLatin1String(", "));
    if (!files.model.isEmpty() && loadModelFile(files.model, QFileInfo(files.model).absolutePath()))
        qCInfo(lcStart).noquote() << "model:" << files.model;
    if (!files.lesson.isEmpty() && m_lessons)
        m_lessons->open(files.lesson);
    if (m_sheets)
        m_sheets->openFiles(files.quiz, files.traces);
}

bool TForm1::openPictures(const QStringList &files)
{
    if (failed(CubeModel::picturesUsable(m_context.language, files.mid(0, 6))))
        return false;
    setPictures(files);
    return true;
}

void TForm1::setSheetWindows(TForm2 *quiz, TForm4 *trace, SheetPrinting *printing)
{
    m_sheets = new SheetCommands(m_context, this, *quiz, *trace, *printing, m_sheetMenu,
                                 [this](QAction *gated) { return takeSnapshot(gated); });
    // The pupils' exercises: children of this window, as the sheet commands are.
    new ExerciseCommands(m_context, this, *quiz, *trace, m_sheetMenu);
}

bool TForm1::takeSnapshot(QAction *gated)
{
    if (anyPathEmpty()) {
        m_context.dialogs->message(this, text(Text::ChoosePictures));
        gated->setEnabled(false);
        return false;
    }
    m_context.snapshot = m_faces.snapshot();
    return true;
}

void TForm1::VystrihovankaClick()
{
    if (m_cutout)
        m_cutout->run(m_faces.labels(), m_faces.rotationTexts());
}
