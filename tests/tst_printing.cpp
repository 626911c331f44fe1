#include "appcontext.h"
#include "fileaccess.h"
#include "filedialogstate.h"
#include "imagecontrol.h"
#include "nastaveni.h"
#include "placement.h"
#include "requirements.h"
#include "scripteddialogs.h"
#include "sheet.h"
#include "sheetprinting.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

constexpr QRgb red = 0xFF0000;
constexpr QRgb blue = 0x0000FF;
constexpr QRgb green = 0x00C000;

// A sheet window as the print commands see it: `Panel` at 440, 0 and named
// image controls, each filled with one colour.
struct FakeWindow
{
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QWidget *panel = nullptr;

    FakeWindow()
    {
        window->resize(882, 600);
        panel = new QWidget(window.get());
        panel->setObjectName(QStringLiteral("Panel"));
        panel->setGeometry(440, 0, 442, 600);
    }
    // The sheet as a sheet window hands it to the printer: the visible
    // image controls on the window itself, in the order they were added.
    PrintedSheet sheet(bool quiz) const
    {
        QWidget *w = window.get();
        auto items = [w](bool withTexts) {
            static const QStringList texts{"popis", "dalsipopis", "dalsipopis2", "nazev", "logo"};
            QList<sheet::Item> out;
            for (const ImageControl *c : w->findChildren<ImageControl *>(Qt::FindDirectChildrenOnly))
                if (!c->isHidden() && (withTexts || !texts.contains(c->objectName())))
                    out.append({c->image(), c->pos()});
            return out;
        };
        return {items, panel->width(), QLatin1String(quiz ? "kviz.pdf" : "stopa.pdf")};
    }
    PrintedSheet quiz() const { return sheet(true); }
    PrintedSheet trace() const { return sheet(false); }

    ImageControl *add(const QString &name, QWidget *parent, QRect geometry, QRgb colour,
                      bool visible = true)
    {
        auto *c = new ImageControl(parent);
        c->setObjectName(name);
        c->setBounds(geometry.x(), geometry.y(), geometry.width(), geometry.height());
        QImage image(geometry.size(), QImage::Format_RGB32);
        image.fill(0xFF000000 | colour);
        c->setImage(image);
        c->setVisible(visible);
        return c;
    }
};

// Quiz: Image1 on the sheet (red, 50,60), Image2 on the sheet (blue, 100,100,
// over Image1), Image3..12 in Panel; popis visible (green), nazev hidden;
// logo (grey).
void buildQuiz(FakeWindow &w)
{
    w.add("Image1", w.window.get(), QRect(50, 60, 138, 104), red);
    w.add("Image2", w.window.get(), QRect(100, 100, 138, 104), blue);
    for (int k = 3; k <= 12; ++k)
        w.add(QStringLiteral("Image%1").arg(k), w.panel, QRect(6, 8 * k, 138, 104), 0x808000);
    w.add("popis", w.window.get(), QRect(8, 469, 430, 90), green);
    w.add("dalsipopis", w.window.get(), QRect(184, 416, 240, 80), 0xFF00FF, false);
    w.add("dalsipopis2", w.window.get(), QRect(192, 424, 240, 80), 0x00FFFF, false);
    w.add("nazev", w.window.get(), QRect(8, 560, 434, 25), 0xFFFF00, false);
    w.add("logo", w.window.get(), QRect(312, 568, 121, 25), 0x808080);
}

// Trace: popis (green) under Image5 (red), Image4 (blue), Image1 in Panel.
void buildTrace(FakeWindow &w)
{
    w.add("popis", w.window.get(), QRect(6, 200, 430, 90), green);
    w.add("nazev", w.window.get(), QRect(8, 570, 434, 25), 0xFFFF00, false);
    w.add("logo", w.window.get(), QRect(312, 570, 121, 25), 0x808080);
    w.add("Image5", w.window.get(), QRect(6, 7, 430, 232), red);
    w.add("Image4", w.window.get(), QRect(6, 340, 430, 232), blue);
    w.add("Image1", w.panel, QRect(6, 7, 138, 104), 0x808000);
}

QRgb rgb(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

} // namespace

class tst_Printing : public QObject
{
    Q_OBJECT
private:
    ScriptedDialogs m_dialogs;
    AppContext m_context;
    std::unique_ptr<TStranka> m_stranka;
    std::unique_ptr<FileDialogState> m_spd;
    std::unique_ptr<SheetPrinting> m_printing;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QAction> m_menu;
    QList<bool> m_menuStates;   // isEnabled() at every change of the menu

    QString path(const QString &name) const { return m_dir->filePath(name); }

    void toPdf(const QString &name)
    {
        QPrinter *p = m_printing->printer();
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(path(name));
        p->setPageSize(QPageSize(QPageSize::A4));
        p->setResolution(100);
    }
    // A placement reply: shows the dialog, types a scale, drags the outline
    // from (1, 1) to (left, top), picks the orientation and confirms.
    std::function<bool(QDialog *)> place(const QString &scale, int left, int top, bool portrait,
                                         bool confirm = true)
    {
        return [=, this](QDialog *d) {
            auto *s = static_cast<TStranka *>(d);
            s->show();
            auto *edit = s->findChild<QLineEdit *>(QStringLiteral("Edit1"));
            edit->setText(scale);
            QTest::mouseClick(s->findChild<QPushButton *>(QStringLiteral("meritko")), Qt::LeftButton);
            auto *list = s->findChild<ImageControl *>(QStringLiteral("List"));
            const QPoint from(s->left(), s->top());
            QTest::mousePress(list, Qt::LeftButton, Qt::NoModifier, from);
            QTest::mouseRelease(list, Qt::LeftButton, Qt::NoModifier, from + QPoint(left, top) - QPoint(s->left(), s->top()));
            QTest::mouseClick(s->findChild<QRadioButton *>(portrait ? "navys" : "nasir"), Qt::LeftButton);
            if (!confirm) {
                QTest::mouseClick(s->findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
                return false;
            }
            m_dialogs.answers.enqueue(true);
            QTest::mouseClick(s->findChild<QPushButton *>(QStringLiteral("BitBtn2")), Qt::LeftButton);
            return s->result() == QDialog::Accepted && !s->isVisible();
        };
    }
    // Rasterises page 1 of a PDF at `dpi`.
    QImage rasterise(const QString &pdf, int dpi)
    {
        const QString prefix = path(QStringLiteral("page"));
        QFile::remove(prefix + QStringLiteral(".png"));
        QProcess pdftoppm;
        pdftoppm.start(QStringLiteral("pdftoppm"),
                       {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                        QStringLiteral("-singlefile"), pdf, prefix});
        if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
            return {};
        return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    }
    // Bounding box of the pixels that are clearly not white.
    static QRect inkBox(const QImage &image)
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    static bool near(const QRect &a, const QRect &b, int tolerance = 2)
    {
        return std::abs(a.left() - b.left()) <= tolerance && std::abs(a.top() - b.top()) <= tolerance
                && std::abs(a.right() - b.right()) <= tolerance
                && std::abs(a.bottom() - b.bottom()) <= tolerance;
    }
    static bool close(QRgb a, QRgb b)
    {
        return std::abs(qRed(a) - qRed(b)) < 40 && std::abs(qGreen(a) - qGreen(b)) < 40
                && std::abs(qBlue(a) - qBlue(b)) < 40;
    }

private slots:
    void init()
    {
        m_dialogs = ScriptedDialogs();
        m_context = AppContext();
        m_context.dialogs = &m_dialogs;
        m_stranka = std::make_unique<TStranka>(m_context);
        m_spd = std::make_unique<FileDialogState>(QStringLiteral("SPD"), FileDialogRequest::Kind::Save,
                                                  QStringLiteral("Bitmaps (*.bmp)|*.bmp"));
        m_spd->request.defaultSuffix = QStringLiteral("bmp");
        m_spd->request.folder = QStringLiteral(".");
        m_spd->movesWorkingFolder = false;
        m_printing = std::make_unique<SheetPrinting>(m_context, *m_stranka, *m_spd);
        m_dir = std::make_unique<QTemporaryDir>();
        m_menu = std::make_unique<QAction>(QStringLiteral("Kviz"));
        m_menuStates.clear();
        connect(m_menu.get(), &QAction::changed, this,
                [this] { m_menuStates << m_menu->isEnabled(); });
    }
    void cleanup()
    {
        m_printing.reset();
        m_stranka.reset();
    }

    void bitmapPathSavesTheSheet_data()
    {
        QTest::addColumn<bool>("quiz");
        QTest::addColumn<bool>("withTexts");
        QTest::newRow("quiz with texts") << true << true;
        QTest::newRow("quiz without texts") << true << false;
        QTest::newRow("trace with texts") << false << true;
        QTest::newRow("trace without texts") << false << false;
    }
    void bitmapPathSavesTheSheet()
    {
        QFETCH(bool, quiz);
        QFETCH(bool, withTexts);
        FakeWindow w;
        quiz ? buildQuiz(w) : buildTrace(w);
        toPdf(QStringLiteral("never.pdf"));
        const QString bmp = path(QStringLiteral("sheet.bmp"));
        m_dialogs.prints.enqueue({true, true});
        m_dialogs.files.enqueue({bmp});
        // Cancelled, but the with-texts box counts whatever the result.
        m_dialogs.modals.enqueue([withTexts](QDialog *d) {
            d->show();
            d->findChild<QCheckBox *>(QStringLiteral("Nadpis"))->setChecked(withTexts);
            d->hide();
            return false;
        });
        quiz ? m_printing->print(w.quiz(), m_menu.get())
             : m_printing->print(w.trace(), m_menu.get());

        QCOMPARE(m_dialogs.texts("modal"), QStringList{QStringLiteral("TStranka")});
        QCOMPARE(m_dialogs.calls.last().request.name, QStringLiteral("SPD"));
        QVERIFY(m_dialogs.texts("error").isEmpty());
        QVERIFY(!QFile::exists(path(QStringLiteral("never.pdf"))));
        QVERIFY(m_menu->isEnabled());
        QVERIFY(!m_menuStates.contains(false));   // nothing was printed

        QImage saved(bmp, "BMP");
        QCOMPARE(saved.size(), QSize(440, 600));
        saved = saved.convertToFormat(QImage::Format_RGB32);
        const QImage sheet = quiz ? w.quiz().compose(withTexts)
                                  : w.trace().compose(withTexts);
        QCOMPARE(saved, sheet);
        // And the sheet is what the window shows, checked pixel by pixel.
        QCOMPARE(rgb(saved, 0, 0), 0u);
        QCOMPARE(rgb(saved, 439, 300), 0u);
        if (quiz) {
            QCOMPARE(rgb(saved, 60, 70), red);
            QCOMPARE(rgb(saved, 120, 120), blue);
            QCOMPARE(rgb(saved, 10, 30), 0xFFFFFFu);   // Image3..12 stay in Panel
            QCOMPARE(rgb(saved, 20, 500), withTexts ? green : 0xFFFFFFu);
            QCOMPARE(rgb(saved, 200, 440), 0xFFFFFFu);   // hidden dalsipopis
            QCOMPARE(rgb(saved, 320, 575), withTexts ? 0x808080u : 0xFFFFFFu);
        } else {
            QCOMPARE(rgb(saved, 100, 220), red);   // Image5 over popis
            QCOMPARE(rgb(saved, 100, 260), withTexts ? green : 0xFFFFFFu);
            QCOMPARE(rgb(saved, 100, 400), blue);
            QCOMPARE(rgb(saved, 320, 575), withTexts ? 0x808080u : 0xFFFFFFu);
            QCOMPARE(rgb(saved, 20, 20), red);    // Image1 stays in Panel
        }
    }

    void bitmapIgnoresAPlacementOffThePage()
    {
        FakeWindow w;
        buildQuiz(w);
        const QString bmp = path(QStringLiteral("off.bmp"));
        m_dialogs.prints.enqueue({true, true});
        m_dialogs.files.enqueue({bmp});
        m_dialogs.modals.enqueue(place(QStringLiteral("50"), 150, 250, true));
        m_printing->print(w.quiz(), m_menu.get());
        QCOMPARE(m_printing->printPlacement().scale, 50.0);
        const QImage saved = QImage(bmp, "BMP").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(saved, w.quiz().compose(true));
    }

    void thumbnailMovedOntoTheTraceSheet()
    {
        FakeWindow w;
        buildTrace(w);
        auto *thumb = w.window->findChild<ImageControl *>(QStringLiteral("Image1"));
        thumb->changeParent(w.window.get());
        const QImage sheet = w.trace().compose(true);
        QCOMPARE(rgb(sheet, 20, 20), 0x808000u);   // over Image5
        QCOMPARE(rgb(sheet, 150, 20), red);
    }

    void bitmapSaveFailureIsReported()
    {
        FakeWindow w;
        buildQuiz(w);
        const QString bmp = path(QStringLiteral("missing/sheet.bmp"));
        m_dialogs.prints.enqueue({true, true});
        m_dialogs.files.enqueue({bmp});
        m_printing->print(w.quiz(), m_menu.get());
        const QStringList errors = m_dialogs.texts("error");
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().startsWith(QDir::toNativeSeparators(bmp) + QLatin1Char('\n')));
        QVERIFY(errors.first().size() > bmp.size() + 1);   // with the system's reason
        QVERIFY(!QFile::exists(bmp));
        QVERIFY(m_menu->isEnabled());
    }

    void saveDialogCancelledWritesNothing()
    {
        FakeWindow w;
        buildQuiz(w);
        toPdf(QStringLiteral("never.pdf"));
        m_dialogs.prints.enqueue({true, true});
        m_menu->setEnabled(false);
        m_printing->print(w.quiz(), m_menu.get());
        QCOMPARE(m_dialogs.texts("files"), QStringList{QStringLiteral("SPD")});
        QVERIFY(m_dialogs.texts("error").isEmpty());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
        QVERIFY(m_menu->isEnabled());
    }

    void printDialogCancelled()
    {
        FakeWindow w;
        buildQuiz(w);
        toPdf(QStringLiteral("out.pdf"));
        m_menu->setEnabled(false);
        m_printing->print(w.quiz(), m_menu.get());
        QCOMPARE(m_dialogs.texts("print").size(), 1);
        QVERIFY(m_dialogs.texts("modal").isEmpty());
        QVERIFY(m_dialogs.texts("files").isEmpty());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
        QVERIFY(m_menu->isEnabled());
        QCOMPARE(m_printing->printPlacement().scale, 0.0);
    }

    void printIntoPdf_data()
    {
        QTest::addColumn<QString>("scale");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("portrait");
        QTest::newRow("portrait 1.5 at 10,20") << "1.5" << 10 << 20 << true;
        QTest::newRow("portrait 0.5 at 100,150") << "0,5" << 100 << 150 << true;
        QTest::newRow("landscape 1 at 20,10") << "1" << 20 << 10 << false;
        QTest::newRow("partly off the page") << "1" << 150 << 200 << true;
    }
    void printIntoPdf()
    {
        VEMTAL_REQUIRE_TOOL("pdftoppm", "poppler-utils");
        QFETCH(QString, scale);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(bool, portrait);
        FakeWindow w;
        buildQuiz(w);
        toPdf(QStringLiteral("out.pdf"));
        QPrinter *printer = m_printing->printer();
        const QSize page(printer->width(), printer->height());
        m_dialogs.prints.enqueue({true, false});
        m_dialogs.modals.enqueue(place(scale, left, top, portrait));
        m_printing->print(w.quiz(), m_menu.get());

        QCOMPARE(m_dialogs.texts("question"), QStringList{QStringLiteral("Použít nastavení ?")});
        QCOMPARE(m_stranka->pageRatio(), double(page.width()) / 442);
        const double s = placement::readScale(scale).value;
        const placement::PrintPlacement p = m_printing->printPlacement();
        QCOMPARE(p.scale, s);
        QCOMPARE(p.left, placement::roundEven(double(page.width()) * left / 210));
        QCOMPARE(p.top, placement::roundEven(double(page.height()) * top / 300));
        QCOMPARE(printer->pageLayout().orientation(),
                 portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
        QCOMPARE(m_menuStates, (QList<bool>{false, true}));
        QVERIFY(m_dialogs.texts("error").isEmpty());

        const QImage raster = rasterise(path(QStringLiteral("out.pdf")), 100);
        QVERIFY(!raster.isNull());
        const QRect paper = printer->paperRect(QPrinter::DevicePixel).toRect();
        QVERIFY(std::abs(raster.width() - paper.width()) <= 1);
        QVERIFY(std::abs(raster.height() - paper.height()) <= 1);
        QCOMPARE(raster.width() > raster.height(), !portrait);
        // The painter's origin is the printable area's corner.
        const QPoint origin = printer->pageRect(QPrinter::DevicePixel).toRect().topLeft();
        const QRect dest = placement::destinationRect(p).translated(origin);
        QVERIFY(near(inkBox(raster), dest & raster.rect()));
        // Image1 (red) and Image2 (blue) at their scaled places.
        auto sheetPoint = [&](int x, int y) {
            return QPoint(dest.left() + qRound(x * s), dest.top() + qRound(y * s));
        };
        const QPoint r = sheetPoint(60, 70), b = sheetPoint(200, 180);
        if (raster.rect().contains(r))
            QVERIFY(close(raster.pixel(r), 0xFF000000 | red));
        if (raster.rect().contains(b))
            QVERIFY(close(raster.pixel(b), 0xFF000000 | blue));
        const QPoint outside = dest.topLeft() - QPoint(3, 3);
        if (raster.rect().contains(outside))
            QVERIFY(close(raster.pixel(outside), 0xFFFFFFFF));
    }

    void placementCancelledKeepsThePrevious()
    {
        VEMTAL_REQUIRE_TOOL("pdftoppm", "poppler-utils");
        FakeWindow w;
        buildQuiz(w);
        toPdf(QStringLiteral("first.pdf"));
        m_dialogs.prints.enqueue({true, false});
        m_dialogs.modals.enqueue(place(QStringLiteral("1"), 10, 20, true));
        m_printing->print(w.quiz(), m_menu.get());
        const placement::PrintPlacement first = m_printing->printPlacement();
        QCOMPARE(first.scale, 1.0);

        toPdf(QStringLiteral("second.pdf"));
        m_dialogs.prints.enqueue({true, false});
        m_dialogs.modals.enqueue([](QDialog *d) {
            d->show();
            d->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("2"));
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("meritko")), Qt::LeftButton);
            QTest::mouseClick(d->findChild<QRadioButton *>(QStringLiteral("nasir")), Qt::LeftButton);
            QTest::mouseClick(d->findChild<QCheckBox *>(QStringLiteral("Nadpis")), Qt::LeftButton);
            QTest::keyClick(d, Qt::Key_Escape);
            return d->result() == QDialog::Accepted;
        });
        m_printing->print(w.quiz(), m_menu.get());
        QCOMPARE(m_stranka->scale(), 2.0);
        QVERIFY(!m_stranka->portrait());
        QCOMPARE(m_printing->printPlacement().scale, first.scale);
        QCOMPARE(m_printing->printPlacement().left, first.left);
        QCOMPARE(m_printing->printPlacement().top, first.top);
        QCOMPARE(m_printing->printer()->pageLayout().orientation(), QPageLayout::Portrait);

        const QImage raster = rasterise(path(QStringLiteral("second.pdf")), 100);
        QVERIFY(!raster.isNull());
        QVERIFY(raster.height() > raster.width());
        const QPoint origin = m_printing->printer()->pageRect(QPrinter::DevicePixel).toRect().topLeft();
        const QRect dest = placement::destinationRect(first).translated(origin);
        QVERIFY(near(inkBox(raster), dest));
        // The with-texts box as the cancelled dialog left it: no popis, no logo.
        QVERIFY(close(raster.pixel(dest.left() + 20, dest.top() + 500), 0xFFFFFFFF));
        QVERIFY(close(raster.pixel(dest.left() + 320, dest.top() + 575), 0xFFFFFFFF));
    }

    void firstPlacementCancelledUsesTheDialogsValues()
    {
        FakeWindow w;
        buildQuiz(w);
        toPdf(QStringLiteral("out.pdf"));
        QPrinter *printer = m_printing->printer();
        const QSize page(printer->width(), printer->height());
        m_dialogs.prints.enqueue({true, false});
        m_printing->print(w.quiz(), m_menu.get());   // placement: unscripted, cancelled
        const placement::PrintPlacement p = m_printing->printPlacement();
        QCOMPARE(p.scale, 10.0);
        QCOMPARE(p.left, placement::roundEven(page.width() / 210.0));
        QCOMPARE(p.top, placement::roundEven(page.height() / 300.0));
        QVERIFY(QFileInfo(path(QStringLiteral("out.pdf"))).size() > 0);
    }

    void printFailureIsDropped()
    {
        FakeWindow w;
        buildQuiz(w);
        toPdf(QStringLiteral("missing/out.pdf"));
        m_dialogs.prints.enqueue({true, false});
        m_dialogs.modals.enqueue(place(QStringLiteral("1"), 10, 20, true));
        m_printing->print(w.quiz(), m_menu.get());
        QVERIFY(m_dialogs.texts("error").isEmpty());
        QVERIFY(m_dialogs.texts("message").isEmpty());
        QCOMPARE(m_menuStates, (QList<bool>{false, true}));
        QVERIFY(m_menu->isEnabled());
        QVERIFY(!QFile::exists(path(QStringLiteral("missing/out.pdf"))));
    }

    void pdfImageIsTheSheet_data()
    {
        QTest::addColumn<bool>("quiz");
        QTest::newRow("quiz") << true;
        QTest::newRow("trace") << false;
    }
    void pdfImageIsTheSheet()
    {
        VEMTAL_REQUIRE_TOOL("pdfimages", "poppler-utils");
        QFETCH(bool, quiz);
        FakeWindow w;
        quiz ? buildQuiz(w) : buildTrace(w);
        // Fine detail, which a lossy compression would blur.
        QImage noise(200, 150, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x)
                noise.setPixel(x, y, 0xFF000000 | random.bounded(0x1000000u));
        w.window->findChild<ImageControl *>(quiz ? "Image1" : "Image5")->setImage(noise);
        toPdf(QStringLiteral("out.pdf"));
        m_dialogs.prints.enqueue({true, false});
        m_dialogs.modals.enqueue(place(QStringLiteral("1"), 10, 20, true));
        quiz ? m_printing->print(w.quiz(), m_menu.get())
             : m_printing->print(w.trace(), m_menu.get());

        QProcess pdfimages;
        pdfimages.start(QStringLiteral("pdfimages"),
                        {QStringLiteral("-png"), path(QStringLiteral("out.pdf")), path(QStringLiteral("img"))});
        QVERIFY(pdfimages.waitForFinished(60000) && pdfimages.exitCode() == 0);
        const QStringList images = QDir(m_dir->path()).entryList({QStringLiteral("img-*.png")});
        QCOMPARE(images, QStringList{QStringLiteral("img-000.png")});
        const QImage printed = QImage(path(images.first())).convertToFormat(QImage::Format_RGB32);
        const QImage sheet = quiz ? w.quiz().compose(m_stranka->withTexts())
                                  : w.trace().compose(m_stranka->withTexts());
        QCOMPARE(printed, sheet);
    }

    void printDialogOffersABitmapAndANamedPdf()
    {
        // The box that saves a BMP says so, and so does the save dialog's
        // title; Qt's PDF printer offers the start folder and the sheet's name.
        const QString bitmap = QStringLiteral("Uložit list jako obrázek BMP");
        m_context.startFolder = m_dir->path();
        FakeWindow w;
        buildQuiz(w);
        m_dialogs.prints.enqueue({true, true});
        m_dialogs.files.enqueue({path(QStringLiteral("k.bmp"))});
        m_printing->print(w.quiz(), m_menu.get());
        m_printing->print(w.trace(), m_menu.get());
        QCOMPARE(m_dialogs.texts("print"), QStringList(2, bitmap));
        QCOMPARE(m_dialogs.calls[0].print.pdfFile, path(QStringLiteral("kviz.pdf")));
        QCOMPARE(m_dialogs.calls.last().print.pdfFile, path(QStringLiteral("stopa.pdf")));
        QCOMPARE(m_dialogs.calls[2].request.name, QStringLiteral("SPD"));
        QCOMPARE(m_dialogs.calls[2].request.title, bitmap);

        // Qt's print dialog shows both.
        QString shownBox, shownFile;
        QTimer::singleShot(0, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            if (auto *box = dialog->findChild<QCheckBox *>(QStringLiteral("printToFile")))
                shownBox = box->text();
            if (auto *file = dialog->findChild<QLineEdit *>(QStringLiteral("filename")))
                shownFile = file->text();
            dialog->close();
        });
        QtDialogs dialogs;
        QPrinter printer;
        bool toFile = true;
        QVERIFY(!dialogs.print(nullptr, &printer, {bitmap, path(QStringLiteral("kviz.pdf"))}, &toFile));
        QVERIFY(!toFile);
        QCOMPARE(shownBox, bitmap);
        QCOMPARE(shownFile, path(QStringLiteral("kviz.pdf")));
    }

    void bitmapDialogOffersTheSheetsName_data()
    {
        QTest::addColumn<bool>("quiz");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QString>("name");
        QTest::newRow("quiz") << true << false << "kviz.bmp";
        QTest::newRow("quiz answers") << true << true << "kviz-reseni.bmp";
        QTest::newRow("trace") << false << false << "stopa.bmp";
    }
    void bitmapDialogOffersTheSheetsName()
    {
        QFETCH(bool, quiz);
        QFETCH(bool, answers);
        QFETCH(QString, name);
        FakeWindow w;
        quiz ? buildQuiz(w) : buildTrace(w);
        PrintedSheet sheet = quiz ? w.quiz() : w.trace();
        if (answers)
            sheet.pdfName = QStringLiteral("kviz-reseni.pdf");
        // Chosen in another folder the last time: the name is the sheet's again.
        m_spd->request.fileName = path(QStringLiteral("elsewhere/earlier.bmp"));
        m_dialogs.prints.enqueue({true, true});
        m_dialogs.files.enqueue({path(name)});
        m_printing->print(sheet, m_menu.get());
        const ScriptedDialogs::Call &asked = m_dialogs.calls.last();
        QCOMPARE(asked.request.name, QStringLiteral("SPD"));
        QCOMPARE(asked.request.fileName, name);
        QCOMPARE(asked.request.folder, QStringLiteral("."));
        QCOMPARE(asked.request.defaultSuffix, QStringLiteral("bmp"));
        QCOMPARE(asked.request.filter, QStringLiteral("Bitmaps (*.bmp)|*.bmp"));
        // The name is offered, so an earlier sheet of that name is not
        // overwritten unasked.
        QVERIFY(asked.request.confirmOverwrite);
        QVERIFY(QFile::exists(path(name)));
    }

    void bitmapBoxAsksNothingAboutThePdf_data()
    {
        QTest::addColumn<bool>("bitmap");
        QTest::newRow("bitmap box ticked") << true;
        QTest::newRow("a PDF") << false;
    }
    void bitmapBoxAsksNothingAboutThePdf()
    {
        // Qt's print dialog, its PDF printer chosen, an earlier kviz.pdf in
        // the folder: a PDF to be written asks before it overwrites that
        // file; a sheet saved as a bitmap writes no PDF and asks nothing.
        QFETCH(bool, bitmap);
        const QString pdf = path(QStringLiteral("kviz.pdf"));
        {
            QFile earlier(pdf);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
        }
        QStringList asked;
        bool pressed = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                if (box->property("answered").toBool())
                    return;
                box->setProperty("answered", true);
                asked << box->text();
                QMetaObject::invokeMethod(box->button(QMessageBox::No), &QAbstractButton::click,
                                          Qt::QueuedConnection);
            } else if (auto *dialog = qobject_cast<QPrintDialog *>(modal)) {
                if (pressed) {   // the dialog stayed: it was told not to overwrite
                    QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
                    return;
                }
                auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
                printers->setCurrentIndex(printers->count() - 1);   // "Print to File (PDF)"
                dialog->findChild<QCheckBox *>(QStringLiteral("printToFile"))->setChecked(bitmap);
                pressed = true;
                // Clicked after this handler returns: a question that the
                // click opens is then seen by the next round.
                QMetaObject::invokeMethod(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok),
                                          &QAbstractButton::click, Qt::QueuedConnection);
            }
        });
        poll.start(20);
        QtDialogs dialogs;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        bool toFile = false;
        const bool accepted = dialogs.print(nullptr, &printer, {QStringLiteral("BMP"), pdf}, &toFile);
        poll.stop();
        QVERIFY(pressed);
        if (bitmap) {
            QVERIFY(accepted);
            QVERIFY(toFile);
            QCOMPARE(asked, QStringList());
        } else {
            QVERIFY(!accepted);
            QCOMPARE(asked.size(), 1);
            QVERIFY2(asked.first().contains(pdf), qPrintable(asked.first()));
        }
        QFile earlier(pdf);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    }

    void fileDialogFilters_data()
    {
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<QString>("filter");
        QTest::newRow("patterns shown") << "Bitmaps (*.bmp)|*.bmp" << "Bitmaps (*.bmp)";
        QTest::newRow("patterns shown with ;") << "Obrázky (*.jpg;*.png)|*.jpg;*.png;"
                                              << "Obrázky (*.jpg *.png)";
        QTest::newRow("other patterns shown") << "Obrázky (*.jpg)|*.jpg;*.png"
                                             << "Obrázky (*.jpg) (*.jpg *.png)";
        QTest::newRow("no patterns shown") << "Default|*.tkt|All|*.*" << "Default (*.tkt);;All (*.*)";
    }
    void fileDialogFilters()
    {
        QFETCH(QString, pairs);
        QFETCH(QString, filter);
        QCOMPARE(fileaccess::qtFilter(pairs), filter);
    }

    void pageRatioFromThePanel()
    {
        FakeWindow w;
        buildTrace(w);
        w.panel->resize(500, 600);
        const QString bmp = path(QStringLiteral("t.bmp"));
        m_dialogs.prints.enqueue({true, true});
        m_dialogs.files.enqueue({bmp});
        m_printing->print(w.trace(), m_menu.get());
        QCOMPARE(m_stranka->pageRatio(), double(m_printing->printer()->width()) / 500);
        QVERIFY(QFile::exists(bmp));
    }
};

QTEST_MAIN(tst_Printing)
#include "tst_printing.moc"
