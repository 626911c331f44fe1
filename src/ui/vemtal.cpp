#include "vemtal.h"

#include "appdata.h"
#include "cesta.h"
#include "commandline.h"
#include "cutoutprinting.h"
#include "faceset.h"
#include "lokalizace.h"
#include "logging.h"
#include "model.h"
#include "sheetprinting.h"
#include "textfile.h"
#include "tisky.h"
#include "uifont.h"
#include "webcommands.h"
#include "windowplace.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QUrl>

namespace {

const QString pictureFilter = QStringLiteral("Obrázky (*.jpg;*.jpeg;*.gif;*.png)|*.jpg;*.jpeg;*.gif;*.png;");
constexpr int rowTops[6] = {112, 144, 176, 208, 240, 272};
constexpr const char *changeButtons[6] = {"Zmena", "Button7", "Button6", "Button5", "Button4", "Button3"};
// Language line of the message on files that cannot be opened together.
constexpr int filesTogetherLine = 137;
// Language line naming the guide page of the language ("navody-en.html").
constexpr int guidePageLine = 150;

// An input/output error as the error box shows it: the file, then the reason.
QString fileError(const QString &path, const QString &reason)
{
    return QDir::toNativeSeparators(path) + QLatin1Char('\n') + reason;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int left, int top,
                  int fontPx)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(uiFont(fontPx));
    label->adjustSize();
    label->move(left, top);
    label->setProperty("autoSize", true);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

} // namespace

TForm1::TForm1(AppContext &context, QWidget *parent)
    : QMainWindow(parent),
      OPD(QStringLiteral("OPD"), FileDialogRequest::Kind::OpenMany, pictureFilter),
      OPD2(QStringLiteral("OPD2"), FileDialogRequest::Kind::Open, pictureFilter),
      SD(QStringLiteral("SD"), FileDialogRequest::Kind::Save, QStringLiteral("VRML|*.wrl")),
      OPDmodel(QStringLiteral("OPDmodel"), FileDialogRequest::Kind::Open,
               QStringLiteral("wrml modely|*.wrl;*.txt")),
      SDkviz(QStringLiteral("SDkviz"), FileDialogRequest::Kind::Save,
             QStringLiteral("Default|*.tkt|All|*.*")),
      ODKviz(QStringLiteral("ODKviz"), FileDialogRequest::Kind::Open, QStringLiteral("Default|*.tkt")),
      ODp(QStringLiteral("ODp"), FileDialogRequest::Kind::Open, QStringLiteral("Default|*.tpt")),
      SDp(QStringLiteral("SDp"), FileDialogRequest::Kind::Save,
          QStringLiteral("Default|*.tpt|All|*.*")),
      SPD(QStringLiteral("SPD"), FileDialogRequest::Kind::Save,
          QStringLiteral("Bitmaps (*.bmp)|*.bmp")),
      m_context(context),
      m_web(std::make_unique<WebCommands>(context, this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Tembrila"));
    setFont(uiFont(16));

    OPD.movesWorkingFolder = false;
    OPD2.movesWorkingFolder = false;
    SD.request.defaultSuffix = QStringLiteral(".wrl");
    SD.request.fileName = QStringLiteral("vemtal.wrl");
    SD.request.folder = QStringLiteral(".");
    SD.request.confirmOverwrite = true;
    SDkviz.request.defaultSuffix = QStringLiteral("tkt");
    SDp.request.defaultSuffix = QStringLiteral("tpt");
    SPD.request.defaultSuffix = QStringLiteral("bmp");
    SPD.request.folder = QStringLiteral(".");

    buildControls();
    buildMenus();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(848, 360);
    setCentralWidget(client);

    makeLabel(client, "Label1", QStringLiteral("Vyberte obrázky, které budou na stěnách kostky"), 16, 32, 16);
    auto *heading = makeLabel(client, "Label2", QStringLiteral("Tembrila"), 336, 0, 19);
    heading->setProperty("autoSize", false);
    heading->setGeometry(336, 0, 88, 24);
    makeLabel(client, "Label3", QStringLiteral("a jejich otočení:  0, 1...90°, 2...180°, 3...270°."), 16, 56, 16);
    auto *hint = makeLabel(client, "Label4",
                           QStringLiteral("Tlačítkem Načíst všechny zadáte všechny obrázky, tlačítky Změň zadáte/změníte jeden obrázek."),
                           376, 38, 11);
    hint->setProperty("autoSize", false);
    hint->setGeometry(376, 38, 465, 20);
    // The hint is a few pixels wider than its fixed box in this font; it is
    // set a little closer. (A narrower stretch would be a font of its own,
    // loaded and matched at start-up for this one label.)
    QFont closer = hint->font();
    closer.setLetterSpacing(QFont::PercentageSpacing, 98);
    hint->setFont(closer);
    makeLabel(client, "Label5", QStringLiteral("otočení"), 8, 88, 13);
    makeLabel(client, "Label6", QStringLiteral("obrázek"), 72, 88, 13);
    makeLabel(client, "Label7", QStringLiteral("Krychli bude možné při prohlížení plynule otáčet."), 608, 58, 11);
    auto *copyright = makeLabel(client, "Label8", QStringLiteral("© vemtal 2026"), 0, 344, 11);
    copyright->move(833 - copyright->width(), 344);
    copyright->setProperty("alignRight", true);

    auto *nacti = makeButton(client, "Nacti", QStringLiteral("Načíst všechny obrázky"), QRect(648, 80, 185, 25));
    connect(nacti, &QPushButton::clicked, this, &TForm1::NactiClick);
    auto *zobraz = makeButton(client, "Zobraz", QStringLiteral("Zobrazit krychli"), QRect(8, 304, 825, 33));
    connect(zobraz, &QPushButton::clicked, this, &TForm1::ZobrazClick);

    m_otocna = new QCheckBox(QStringLiteral("Otočná"), client);
    m_otocna->setObjectName(QStringLiteral("Otocna"));
    m_otocna->setGeometry(520, 56, 81, 17);
    m_otocna->setChecked(true);
    connect(m_otocna, &QCheckBox::clicked, this, &TForm1::OtocnaClick);

    auto *image = new QWidget(client);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(8, 72, 105, 105);

    QWidget *previous = nacti;
    setTabOrder(nacti, zobraz);
    previous = zobraz;
    for (int slot = 0; slot < 6; ++slot) {
        auto *label = new QLabel(client);
        label->setObjectName(QStringLiteral("lbs%1").arg(slot));
        label->setGeometry(48, rowTops[slot], 700, 25);
        label->setFont(uiFont(13));
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Midlight));
        label->setPalette(palette);
        m_labels[slot] = label;

        auto *edit = new QLineEdit(QStringLiteral("0"), client);
        edit->setObjectName(QStringLiteral("Ed%1").arg(slot));
        edit->setGeometry(17, rowTops[slot], 15, 28);
        edit->setMaxLength(1);
        edit->setTextMargins(0, 0, 0, 0);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this, slot] { Ed0Change(slot); });
        m_edits[slot] = edit;
        setTabOrder(previous, edit);
        previous = edit;

        auto *change = makeButton(client, changeButtons[slot], QStringLiteral("Změň"),
                                  QRect(767, rowTops[slot], 66, 25));
        change->setProperty("Tag", slot);
        connect(change, &QPushButton::clicked, this, &TForm1::ZmenaClick);
    }
}

QAction *TForm1::addItem(QMenu *menu, const char *name, const QString &caption,
                         const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

void TForm1::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setFont(uiFont(13));

    QMenu *krychle = bar->addMenu(QStringLiteral("Krychle"));
    krychle->setObjectName(QStringLiteral("Zmnitobrzky1"));
    connect(addItem(krychle, "Zmnitobrzky2", QStringLiteral("Změnit obrázky"), QKeySequence(QStringLiteral("Ctrl+L"))),
            &QAction::triggered, this, &TForm1::NactiClick);
    connect(addItem(krychle, "loitkrychli1", QStringLiteral("Uložit krychli"), QKeySequence(QStringLiteral("Ctrl+S"))),
            &QAction::triggered, this, &TForm1::Uloitkrychli1Click);
    connect(addItem(krychle, "Nastkrychli1", QStringLiteral("Načíst krychli"), QKeySequence(QStringLiteral("Ctrl+O"))),
            &QAction::triggered, this, &TForm1::Nastkrychli1Click);
    krychle->addSeparator()->setObjectName(QStringLiteral("N3"));
    connect(addItem(krychle, "Zobrazitkrychli2", QStringLiteral("Zobrazit krychli"), QKeySequence(QStringLiteral("F4"))),
            &QAction::triggered, this, &TForm1::ZobrazClick);
    connect(addItem(krychle, "Zobrazitvprohlizeci1", QStringLiteral("Zobrazit v prohlížeči"),
                    QKeySequence(QStringLiteral("Shift+F4"))),
            &QAction::triggered, this, &TForm1::ZobrazWebClick);
    connect(addItem(krychle, "Ulozitproweb1", QStringLiteral("Uložit pro web")),
            &QAction::triggered, this, &TForm1::UlozWebClick);
    connect(addItem(krychle, "Vystrihovanka1", QStringLiteral("Vystřihovánka")), &QAction::triggered,
            this, &TForm1::VystrihovankaClick);
    krychle->addSeparator()->setObjectName(QStringLiteral("N4"));
    connect(addItem(krychle, "KONEC2", QStringLiteral("KONEC"), QKeySequence(QStringLiteral("Alt+F4"))),
            &QAction::triggered, this, &TForm1::KONECClick);

    QMenu *kviz = bar->addMenu(QStringLiteral("Kviz"));
    kviz->setObjectName(QStringLiteral("tisk1"));
    connect(addItem(kviz, "Piprav1", QStringLiteral("Připravit zadání")), &QAction::triggered,
            this, &TForm1::PripravClick);
    connect(addItem(kviz, "tiskni", QStringLiteral("Tiskni")), &QAction::triggered,
            this, &TForm1::tiskniClick);
    item("tiskni")->setEnabled(false);
    connect(addItem(kviz, "Ulokviz1", QStringLiteral("Uložit kviz")), &QAction::triggered,
            this, &TForm1::Ulokviz1Click);
    item("Ulokviz1")->setEnabled(false);
    connect(addItem(kviz, "Nastkviz1", QStringLiteral("Načíst kviz")), &QAction::triggered,
            this, &TForm1::Nastkviz1Click);

    QMenu *stopa = bar->addMenu(QStringLiteral("Stopa"));
    stopa->setObjectName(QStringLiteral("Stopa1"));
    connect(addItem(stopa, "priprstopy", QStringLiteral("Připravit stopu")), &QAction::triggered,
            this, &TForm1::priprstopyClick);
    connect(addItem(stopa, "tiskstopy", QStringLiteral("Tisk stopy")), &QAction::triggered,
            this, &TForm1::tiskstopyClick);
    item("tiskstopy")->setEnabled(false);
    connect(addItem(stopa, "Uloitzadn1", QStringLiteral("Uložit zadání")), &QAction::triggered,
            this, &TForm1::Uloitzadn1Click);
    item("Uloitzadn1")->setEnabled(false);
    connect(addItem(stopa, "Nastzadn1", QStringLiteral("Načíst zadání")), &QAction::triggered,
            this, &TForm1::Nastzadn1Click);

    QMenu *help = bar->addMenu(QStringLiteral("Nápověda"));
    help->setObjectName(QStringLiteral("Help1"));
    connect(addItem(help, "web1", QStringLiteral("návody na webu ")), &QAction::triggered,
            this, &TForm1::web1Click);
    connect(addItem(help, "about1", QStringLiteral("verse")), &QAction::triggered,
            this, &TForm1::about1Click);

    // The main window's own height is its client area plus the menu bar.
    setFixedSize(848, 360 + bar->sizeHint().height());
}

void TForm1::FormCreate()
{
    m_closingLine = QStringLiteral("] otocna TRUE}");
    m_rotationLine = faceset::rotationLine(rotationEdits());
    m_startFolder = QDir::currentPath();
    m_previewPath = QDir(m_startFolder).filePath(
            QStringLiteral("prot%1.wrl").arg(QRandomGenerator::global()->bounded(10000)));
    m_overridePath = QDir(m_startFolder).filePath(QStringLiteral("PROTOK.wrl"));
    OPD.request.folder = m_startFolder;
    OPD2.request.folder = m_startFolder;
    m_zaloha = model::builtinTemplate();
    m_temp = m_zaloha;
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

bool TForm1::anyPathEmpty() const
{
    for (const QLabel *label : m_labels)
        if (label->text().isEmpty())
            return true;
    return false;
}

bool TForm1::picturesFitTheModel(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (!model::fitsALine(path)) {
            m_context.dialogs->message(this, text(127, QStringLiteral(
                    "Cesta k obrázku obsahuje konec řádku. Obrázek nelze použít.")));
            return false;
        }
    }
    return true;
}

void TForm1::setPictures(const QStringList &files)
{
    if (!picturesFitTheModel(files))
        return;
    if (QAction *kviz = findChild<QMenu *>(QStringLiteral("tisk1"))->menuAction())
        kviz->setEnabled(true);
    OPD2.request.fileName = files.first();
    for (int slot = 0; slot < 6 && slot < files.size(); ++slot)
        m_labels[slot]->setText(faceset::quoted(files[slot]));
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
    if (files.isEmpty() || !picturesFitTheModel(files))
        return;
    const int slot = sender() ? sender()->property("Tag").toInt() : 0;
    m_labels[qBound(0, slot, 5)]->setText(faceset::quoted(files.first()));
    findChild<QMenu *>(QStringLiteral("tisk1"))->menuAction()->setEnabled(true);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // Ed0KeyPress: every character typed into a rotation edit is filtered
    // before the edit receives it.
    if (event->type() == QEvent::KeyPress) {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        auto *key = static_cast<QKeyEvent *>(event);
        if (edit && key->text().size() == 1) {
            const QChar typed = key->text().at(0);
            const QChar filtered = faceset::filterRotationKey(typed);
            if (filtered != typed) {
                QKeyEvent replaced(QEvent::KeyPress, Qt::Key_0 + (filtered.unicode() - u'0'),
                                   Qt::NoModifier, QString(filtered));
                QApplication::sendEvent(edit, &replaced);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::Ed0Change(int slot)
{
    QLineEdit *edit = m_edits[slot];
    if (!faceset::isRotationText(edit->text()) && !edit->text().isEmpty())
        edit->setText(QString());
    m_rotationLine = faceset::rotationLine(rotationEdits());
}

void TForm1::OtocnaClick()
{
    m_closingLine = m_otocna->isChecked() ? QStringLiteral("] otocna TRUE}")
                                          : QStringLiteral("] otocna FALSE}");
}

void TForm1::KONECClick()
{
    close();
}

bool TForm1::FormCloseQuery()
{
    return m_context.dialogs->question(this, text(49, QStringLiteral("Ukončit aplikaci?")));
}

void TForm1::FormClose()
{
    QFile::remove(m_previewPath);
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        centreWindow(this, nullptr);
    }
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_closing = true;
    FormClose();
    event->accept();
    QCoreApplication::quit();
}

void TForm1::about1Click()
{
    m_context.dialogs->message(this, QStringLiteral(" verse 2.2, 2009 "));
}

void TForm1::web1Click()
{
    // The guide pages ship in the program's data folder; the language file
    // names the one in its language.
    const QString path = appdata::guidePage(
            appdata::dataDir(), text(guidePageLine, QLatin1String(appdata::builtinGuidePage)));
    textfile::ReadError error;
    if (!textfile::canRead(path, error)) {
        m_context.dialogs->error(this, fileError(path, readErrorText(m_context.language, error)));
        return;
    }
    m_context.dialogs->openUrl(QUrl::fromLocalFile(path));
}

bool TForm1::assembleModel(const QStringList &labels)
{
    if (QFileInfo::exists(m_overridePath)) {
        QByteArray bytes;
        if (!readFile(m_overridePath, bytes))
            return false;
        m_temp = textfile::splitLines(textfile::decodeText(bytes));
    } else {
        m_temp = m_zaloha;
    }
    m_temp << model::tail(m_rotationLine, labels, m_closingLine);
    return true;
}

bool TForm1::writeModel(const QString &path, const QStringList &labels)
{
    if (!assembleModel(labels))
        return false;
    QString error;
    if (!textfile::writeFile(path, model::fileBytes(m_temp), error)) {
        m_context.dialogs->error(this, error);
        return false;
    }
    return true;
}

void TForm1::ZobrazClick()
{
    if (!writeModel(m_previewPath, pathLabels()))
        return;
    // A desktop without a VRML viewer gets the web page instead.
    if (m_context.dialogs->hasDefaultApplication(QStringLiteral("model/vrml")))
        m_context.dialogs->openUrl(QUrl::fromLocalFile(m_previewPath));
    else
        m_web->showInBrowser(m_temp, pathLabels(), m_previewPath);
}

void TForm1::ZobrazWebClick()
{
    if (writeModel(m_previewPath, pathLabels()))
        m_web->showInBrowser(m_temp, pathLabels(), m_previewPath);
}

void TForm1::UlozWebClick()
{
    const QString folder = m_web->chooseFolder(item("Ulozitproweb1")->text());
    if (!folder.isEmpty() && assembleModel(pathLabels()))
        m_web->saveForWeb(folder, m_temp, pathLabels());
}

void TForm1::Uloitkrychli1Click()
{
    const QString before = QDir::currentPath();
    const QStringList files = SD.execute(*m_context.dialogs, this);
    if (!files.isEmpty()) {
        const QString folder = QDir::currentPath();
        QStringList labels = pathLabels();
        bool relative = m_context.dialogs->question(
                this, text(45, QStringLiteral("Uložit relativní cestu k obrázkům?")));
        if (m_startFolder != folder)
            relative = m_context.dialogs->question(
                    this, text(46, QStringLiteral("Podsložka s texturami - \"obrazkys\" - možná není v této složce. Pokračovat v ukládání s relativní cestou?")));
        if (relative)
            for (QString &label : labels)
                label = model::relativeEntry(label);
        writeModel(files.first(), labels);
    }
    QDir::setCurrent(before);
}

bool TForm1::loadModelFile(const QString &path, const QString &folder)
{
    QByteArray bytes;
    if (!readFile(path, bytes))
        return false;
    const QStringList lines = textfile::splitLines(textfile::decodeText(bytes));
    model::Loaded loaded;
    if (!model::load(lines, folder, loaded)) {
        m_context.dialogs->message(this, text(40, QStringLiteral("Chybný formát dat")));
        return false;
    }
    if (!picturesFitTheModel({loaded.labels.begin(), loaded.labels.end()}))
        return false;
    m_temp = lines;
    for (int slot = 0; slot < 6; ++slot)
        m_labels[slot]->setText(loaded.labels[slot]);
    for (int slot = 0; slot < 6; ++slot)
        m_edits[slot]->setText(loaded.rotations[slot]);
    return true;
}

void TForm1::Nastkrychli1Click()
{
    const QStringList files = OPDmodel.execute(*m_context.dialogs, this);
    if (!files.isEmpty())
        loadModelFile(files.first(), QDir::currentPath());
}

void TForm1::uprav(const std::array<QString, 8> &texts)
{
    model::uprav(m_zaloha, texts);
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
        m_context.dialogs->message(this, text(filesTogetherLine, QStringLiteral(
                "Tyto soubory nelze otevřít spolu. Zadejte obrázky, nebo jeden model, "
                "a k tomu nejvýš jeden kviz (.tkt) a nejvýš dvě stopy (.tpt).")));
        return;
    }
    if (!files.pictures.isEmpty() && openPictures(files.pictures))
        qCInfo(lcStart).noquote() << "pictures:" << files.pictures.mid(0, 6).join(QLatin1String(", "));
    if (!files.model.isEmpty() && loadModelFile(files.model, QFileInfo(files.model).absolutePath()))
        qCInfo(lcStart).noquote() << "model:" << files.model;
    if (!files.quiz.isEmpty() && m_quiz && takeSnapshot("tiskni") && openQuizFile(files.quiz))
        qCInfo(lcStart).noquote() << "quiz:" << files.quiz << "window:" << m_quiz->windowTitle();
    if (files.traces.isEmpty() || !m_trace || !takeSnapshot("tiskstopy"))
        return;
    // Unlike the menu, a command line whose trace files all failed shows nothing.
    if (loadTraceFiles([&files](int net) { return files.traces.value(net - 1); }) > 0) {
        m_trace->showAfterLoad();
        priprstopyClick();
        qCInfo(lcStart).noquote() << "traces:" << files.traces.join(QLatin1String(", "))
                                  << "window:" << m_trace->windowTitle();
    }
}

bool TForm1::openPictures(const QStringList &files)
{
    if (!picturesFitTheModel(files.mid(0, 6)))
        return false;
    for (const QString &file : files.mid(0, 6)) {
        textfile::ReadError error;
        if (!textfile::canRead(file, error)) {
            m_context.dialogs->error(this, fileError(file, readErrorText(m_context.language, error)));
            return false;
        }
    }
    setPictures(files);
    return true;
}

QAction *TForm1::item(const char *name) const
{
    return findChild<QAction *>(QLatin1String(name));
}

void TForm1::setSheetWindows(TForm2 *quiz, TForm4 *trace)
{
    m_quiz = quiz;
    m_trace = trace;
    connect(quiz, &TForm2::confirmed, this, [this] {
        item("tiskni")->setEnabled(true);
        item("Ulokviz1")->setEnabled(true);
    });
    connect(trace, &TForm4::confirmed, this, [this] {
        item("tiskstopy")->setEnabled(true);
        item("Uloitzadn1")->setEnabled(true);
    });
}

bool TForm1::takeSnapshot(const char *menuItem)
{
    if (anyPathEmpty()) {
        m_context.dialogs->message(this, text(47, QStringLiteral("Vyberte textury.")));
        item(menuItem)->setEnabled(false);
        return false;
    }
    m_context.snapshot = faceset::takeSnapshot(pathLabels(), rotationEdits());
    return true;
}

bool TForm1::readFile(const QString &path, QByteArray &bytes)
{
    textfile::ReadError error;
    if (textfile::readFile(path, bytes, error))
        return true;
    m_context.dialogs->error(this, fileError(path, readErrorText(m_context.language, error)));
    return false;
}

void TForm1::writeFile(const QString &path, const QByteArray &bytes)
{
    QString error;
    if (!textfile::writeFile(path, bytes, error))
        m_context.dialogs->error(this, error);
}

void TForm1::PripravClick()
{
    if (!m_quiz || !takeSnapshot("tiskni"))
        return;
    m_quiz->show();
    m_quiz->raise();
}

void TForm1::Ulokviz1Click()
{
    const QStringList files = SDkviz.execute(*m_context.dialogs, this);
    if (m_quiz && !files.isEmpty())
        writeFile(files.first(), m_quiz->quizFileBytes());
}

void TForm1::Nastkviz1Click()
{
    if (!m_quiz || !takeSnapshot("tiskni"))
        return;
    const QStringList files = ODKviz.execute(*m_context.dialogs, this);
    if (!files.isEmpty())
        openQuizFile(files.first());
}

bool TForm1::openQuizFile(const QString &path)
{
    QByteArray bytes;
    if (!readFile(path, bytes))
        return false;
    const QString problem = m_quiz->loadQuizFile(bytes);
    if (!problem.isEmpty()) {
        m_context.dialogs->message(this, problem);
        return false;
    }
    m_quiz->show();
    m_quiz->raise();
    return true;
}

void TForm1::priprstopyClick()
{
    if (!m_trace || !takeSnapshot("tiskstopy"))
        return;
    m_trace->show();
    m_trace->raise();
}

void TForm1::Uloitzadn1Click()
{
    if (!m_trace)
        return;
    for (int net = 1; net <= 2; ++net) {
        const QString question = net == 1 ? text(41, QStringLiteral("Uložit stopu 1 (horní)?"))
                                           : text(42, QStringLiteral("Uložit stopu 2 (dolní)?"));
        if (!m_context.dialogs->question(this, question))
            continue;
        const QStringList files = SDp.execute(*m_context.dialogs, this);
        if (!files.isEmpty())
            writeFile(files.first(), m_trace->traceFileBytes(net));
    }
}

void TForm1::Nastzadn1Click()
{
    if (!m_trace || !takeSnapshot("tiskstopy"))
        return;
    loadTraceFiles([this](int net) {
        const QString question = net == 1 ? text(43, QStringLiteral("Načíst stopu 1 (horní)?"))
                                          : text(44, QStringLiteral("Načíst stopu 2 (dolní)?"));
        if (!m_context.dialogs->question(this, question))
            return QString();
        return ODp.execute(*m_context.dialogs, this).value(0);
    });
    m_trace->showAfterLoad();
    priprstopyClick();
}

int TForm1::loadTraceFiles(const std::function<QString(int net)> &fileFor)
{
    int read = 0;
    for (int net = 1; net <= 2; ++net) {
        const QString path = fileFor(net);
        QByteArray bytes;
        if (path.isEmpty() || !readFile(path, bytes))
            continue;
        // A bad file leaves that net as it was; the other net follows.
        if (m_trace->loadTraceFile(net, bytes))
            ++read;
        else
            m_context.dialogs->message(this, text(40, QStringLiteral("Chybný formát dat")));
    }
    return read;
}

void TForm1::tiskniClick()
{
    if (m_printing && m_quiz)
        m_printing->printQuiz(m_quiz, findChild<QMenu *>(QStringLiteral("tisk1"))->menuAction());
}

void TForm1::tiskstopyClick()
{
    if (m_printing && m_trace)
        m_printing->printTrace(m_trace, findChild<QMenu *>(QStringLiteral("tisk1"))->menuAction());
}

void TForm1::VystrihovankaClick()
{
    if (m_cutout)
        m_cutout->run(pathLabels(), rotationEdits());
}
