#include "appcontext.h"
#include "imagecontrol.h"
#include "nastaveni.h"
#include "placement.h"
#include "scripteddialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTranslator>
#include <QtTest>

#include <memory>

class tst_PlacementDialog : public QObject
{
    Q_OBJECT
private:
    static constexpr double a4Ratio = 2480.0 / 442.0;
    ScriptedDialogs m_dialogs;
    AppContext m_context;
    std::unique_ptr<TStranka> m_dialog;

    template<typename T = QWidget>
    T *child(const char *name) const
    {
        T *w = m_dialog->findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning("no control %s", name);
        return w;
    }
    ImageControl *list() const { return child<ImageControl>("List"); }
    QString label2() const { return child<QLabel>("Label2")->text(); }
    QLineEdit *edit1() const { return child<QLineEdit>("Edit1"); }
    QRgb px(int x, int y) const { return list()->image().pixel(x, y) & 0xFFFFFF; }
    static QString number(const char *c)
    {
        // Numbers are shown with the user's decimal separator.
        return QString::fromLatin1(c).replace(QLatin1Char('.'), QLocale().decimalPoint());
    }

    void showDialog()
    {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void typeScale(const QString &text)
    {
        edit1()->setFocus();
        edit1()->selectAll();
        QTest::keyClick(edit1(), Qt::Key_Backspace);
        QTest::keyClicks(edit1(), text);
        QTest::mouseClick(child<QPushButton>("meritko"), Qt::LeftButton);
    }
    void drag(QPoint from, const QList<QPoint> &moves, QPoint to)
    {
        QTest::mousePress(list(), Qt::LeftButton, Qt::NoModifier, from);
        for (const QPoint &p : moves)
            QTest::mouseMove(list(), p);
        QTest::mouseRelease(list(), Qt::LeftButton, Qt::NoModifier, to);
    }
    // True when the four edges of the outline are solid black wherever they
    // lie inside the page, and the pixel just inside its corner is white.
    bool solidOutline(int left, int top, int width, int height) const
    {
        const QImage &image = list()->image();
        auto black = [&](int x, int y) { return !image.valid(x, y) || px(x, y) == 0; };
        for (int x = left; x < left + width; ++x)
            if (!black(x, top) || !black(x, top + height - 1))
                return false;
        for (int y = top; y < top + height; ++y)
            if (!black(left, y) || !black(left + width - 1, y))
                return false;
        return !image.valid(left + 1, top + 1) || px(left + 1, top + 1) == 0xFFFFFF;
    }
    // Black pixels inside the page, its border excluded.
    int blackInside() const
    {
        int n = 0;
        for (int y = 1; y < list()->height() - 1; ++y)
            for (int x = 1; x < list()->width() - 1; ++x)
                n += px(x, y) == 0;
        return n;
    }

private slots:
    void init()
    {
        m_dialogs = ScriptedDialogs();
        m_context = AppContext();
        m_context.dialogs = &m_dialogs;
        m_dialog = std::make_unique<TStranka>(m_context);
        m_dialog->setPageRatio(a4Ratio);
    }
    void cleanup() { m_dialog.reset(); }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("List") << "List" << "ImageControl" << QRect(48, 8, 210, 300) << "";
        QTest::newRow("Label1") << "Label1" << "QLabel" << QRect(320, 8, 77, 13) << "aktuální měřítko";
        QTest::newRow("Label2") << "Label2" << "QLabel" << QRect(336, 24, 49, 13) << "10";
        QTest::newRow("Edit1") << "Edit1" << "QLineEdit" << QRect(344, 48, 41, 21) << "10";
        QTest::newRow("meritko") << "meritko" << "QPushButton" << QRect(320, 72, 81, 25) << "nové měřítko";
        QTest::newRow("RadioGroup1") << "RadioGroup1" << "QGroupBox" << QRect(320, 104, 81, 57) << "Orientace";
        QTest::newRow("navys") << "navys" << "QRadioButton" << QRect(328, 120, 70, 17) << "na výšku";
        QTest::newRow("nasir") << "nasir" << "QRadioButton" << QRect(328, 136, 70, 17) << "na šířku";
        QTest::newRow("puvodni") << "puvodni" << "QPushButton" << QRect(320, 168, 81, 25) << "původní";
        QTest::newRow("BitBtn1") << "BitBtn1" << "QPushButton" << QRect(320, 200, 81, 25) << "Cancel";
        QTest::newRow("BitBtn2") << "BitBtn2" << "QPushButton" << QRect(320, 232, 81, 25) << "OK";
        QTest::newRow("nic") << "nic" << "QPushButton" << QRect(360, 280, 33, 25) << "nic";
        QTest::newRow("Nadpis") << "Nadpis" << "QCheckBox" << QRect(320, 288, 97, 17) << "s popisem";
        QTest::newRow("Panel1") << "Panel1" << "QLabel" << QRect(0, 320, 436, 21)
                                << "Obrázek přetáhněte do požadované polohy myší, velikost - zadejte \"nové měřítko\"";
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QWidget *w = m_dialog->findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(w->parentWidget(), m_dialog.get());
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
        if (name == QLatin1String("Label1")) {
            // Auto-sized: grows to the right when the font needs it.
            QCOMPARE(w->pos(), geometry.topLeft());
            QCOMPARE(w->height(), geometry.height());
            QVERIFY(w->width() >= geometry.width());
            QVERIFY(w->width() >= w->sizeHint().width());
            QVERIFY(w->geometry().right() < 436);
        } else {
            QCOMPARE(w->geometry(), geometry);
        }
        QString actual;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            actual = b->text();
        else if (auto *l = qobject_cast<QLabel *>(w))
            actual = l->text();
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            actual = e->text();
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            actual = g->title();
        QCOMPARE(actual, text);
    }

    void cancelInTheToolkitsLanguage()
    {
        // The cancel button carries the toolkit's caption in the language of
        // Qt's translation, as the standard buttons do: Czech with the Czech one.
        QTranslator czech;
        QVERIFY(czech.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCoreApplication::installTranslator(&czech);
        const TStranka dialog(m_context);
        QDialogButtonBox standard(QDialogButtonBox::Cancel);
        QCoreApplication::removeTranslator(&czech);
        const QString caption = dialog.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->text();
        QCOMPARE(caption, standard.button(QDialogButtonBox::Cancel)->text());
        QCOMPARE(caption, QStringLiteral("Zrušit"));
    }

    void windowAndRoles()
    {
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Nastavení polohy a velikosti obrázku"));
        QCOMPARE(m_dialog->size(), QSize(436, 341));
        QCOMPARE(m_dialog->minimumSize(), m_dialog->maximumSize());
        QVERIFY(child<QPushButton>("meritko")->isDefault());
        QCOMPARE(child<QLabel>("Label2")->alignment(), Qt::AlignCenter);
        QVERIFY(child<QRadioButton>("navys")->isChecked());
        QVERIFY(!child<QRadioButton>("nasir")->isChecked());
        QCOMPARE(child("puvodni")->toolTip(), QStringLiteral("Obnoví počáteční nastavení"));
        QVERIFY(!child("nic")->isEnabled());
        QVERIFY(child("nic")->isHidden());
        QVERIFY(child<QCheckBox>("Nadpis")->isChecked());
        QCOMPARE(child("Nadpis")->font().pixelSize(), 13);
        QVERIFY(!child<QPushButton>("BitBtn1")->icon().isNull());
        QVERIFY(!child<QPushButton>("BitBtn2")->icon().isNull());
        QCOMPARE(m_dialog->scale(), 10.0);
        QCOMPARE(m_dialog->left(), 1);
        QCOMPARE(m_dialog->top(), 1);
        QVERIFY(m_dialog->portrait());
        QVERIFY(m_dialog->withTexts());
    }

    void firstShowing()
    {
        showDialog();
        QCOMPARE(label2(), QStringLiteral("10"));
        QCOMPARE(edit1()->text(), QStringLiteral("1"));
        QCOMPARE(list()->geometry(), QRect(48, 8, 210, 300));
        QCOMPARE(list()->image().size(), QSize(210, 300));
        QCOMPARE(m_dialog->outlineSize(), QSize(374, 535));
        // The page border, and the outline running off the page: its white
        // fill covers the page's right and lower borders.
        QCOMPARE(px(0, 150), 0u);
        QCOMPARE(px(100, 0), 0u);
        QCOMPARE(px(209, 150), 0xFFFFFFu);
        QCOMPARE(px(100, 299), 0xFFFFFFu);
        QVERIFY(solidOutline(1, 1, 374, 535));
        QCOMPARE(px(100, 100), 0xFFFFFFu);
    }

    void newScale_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("error");   // empty: accepted
        QTest::addColumn<QString>("edit");    // Edit1 afterwards
        QTest::addColumn<double>("scale");
        QTest::addColumn<QSize>("outline");
        const QString e1 = QStringLiteral("Chyba zadání - zadejte kladné číslo");
        const QString e2 = QStringLiteral("Příliš malé číslo !");
        const QSize ten(374, 535);
        QTest::newRow("5") << "5" << "" << "5" << 5.0 << QSize(187, 267);
        QTest::newRow("  2 , 5 ") << "  2 , 5 " << "" << number("2.5") << 2.5 << QSize(94, 134);
        QTest::newRow("2,5,7") << "2,5,7" << "" << number("2.5") << 2.5 << QSize(94, 134);
        QTest::newRow("12abc") << "12abc" << "" << "12" << 12.0 << QSize(449, 642);
        QTest::newRow("1 2") << "1 2" << "" << "12" << 12.0 << QSize(449, 642);
        QTest::newRow("5cm") << "5cm" << "" << "5" << 5.0 << QSize(187, 267);
        QTest::newRow("0.1") << "0.1" << "" << number("0.1") << 0.1 << QSize(4, 5);
        QTest::newRow("0,1") << "0,1" << "" << number("0.1") << 0.1 << QSize(4, 5);
        QTest::newRow("empty") << "" << e1 << "" << 10.0 << ten;
        QTest::newRow("-2") << "-2" << e1 << "-2" << 10.0 << ten;
        QTest::newRow("abc") << "abc" << e1 << "abc" << 10.0 << ten;
        QTest::newRow("0") << "0" << e2 << "0" << 10.0 << ten;
        QTest::newRow("0,05") << "0,05" << e2 << number("0.05") << 10.0 << ten;
        QTest::newRow(".") << "." << e2 << "0" << 10.0 << ten;
        QTest::newRow(",") << "," << e2 << "0" << 10.0 << ten;
    }
    void newScale()
    {
        QFETCH(QString, typed);
        QFETCH(QString, error);
        QFETCH(QString, edit);
        QFETCH(double, scale);
        QFETCH(QSize, outline);
        showDialog();
        typeScale(typed);
        QCOMPARE(m_dialogs.texts("error"), error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(edit1()->text(), edit);
        QCOMPARE(m_dialog->scale(), scale);
        QCOMPARE(label2(), error.isEmpty() ? edit : QStringLiteral("10"));
        QCOMPARE(m_dialog->outlineSize(), outline);
        QVERIFY(solidOutline(1, 1, outline.width(), outline.height()));
        if (error.isEmpty())
            QCOMPARE(QApplication::focusWidget(), child("BitBtn2"));
        // The rest of the old, larger outline is gone.
        if (outline.width() < 200)
            QCOMPARE(px(200, 5), 0xFFFFFFu);
    }

    void enterInTheEditPressesMeritko()
    {
        showDialog();
        edit1()->setFocus();
        edit1()->selectAll();
        QTest::keyClicks(edit1(), QStringLiteral("4"));
        QTest::keyClick(edit1(), Qt::Key_Return);
        QCOMPARE(m_dialog->scale(), 4.0);
        QVERIFY(m_dialog->isVisible());
    }

    void languageTexts()
    {
        m_context.language.active = true;
        for (int i = 1; i <= 124; ++i)
            m_context.language.lines << QStringLiteral("line %1").arg(i);
        showDialog();
        typeScale(QStringLiteral("x"));
        typeScale(QStringLiteral("0"));
        QTest::mouseClick(child<QPushButton>("BitBtn2"), Qt::LeftButton);
        QCOMPARE(m_dialogs.texts("error"), (QStringList{"line 97", "line 98"}));
        QCOMPARE(m_dialogs.texts("question"), QStringList{"line 99"});
    }

    void dragMovesTheOutline()
    {
        showDialog();
        typeScale(QStringLiteral("1"));   // 37 x 53 at (1, 1)
        QVERIFY(solidOutline(1, 1, 37, 53));

        QTest::mousePress(list(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QVERIFY(m_dialog->dragging());
        // The solid outline is wiped; a dotted inverted band stands in its place.
        QCOMPARE(px(1, 1), 0u);
        QCOMPARE(px(2, 1), 0xFFFFFFu);
        QCOMPARE(px(3, 1), 0u);
        QVERIFY(!solidOutline(1, 1, 37, 53));

        QTest::mouseMove(list(), QPoint(60, 80));
        // Band moved by (40, 60); the old one is erased completely.
        QCOMPARE(blackInside(), [] {
            int n = 0;   // every other pixel of a 37 x 53 border walk
            const int perimeter = 2 * 37 + 2 * 53 - 4;
            for (int i = 0; i < perimeter; ++i)
                n += (i % 2) == 0;
            return n;
        }());
        QCOMPARE(px(41, 61), 0u);
        QCOMPARE(px(42, 61), 0xFFFFFFu);
        QCOMPARE(px(3, 1), 0xFFFFFFu);
        QCOMPARE(m_dialog->left(), 1);   // not yet moved

        QTest::mouseMove(list(), QPoint(70, 90));
        QTest::mouseRelease(list(), Qt::LeftButton, Qt::NoModifier, QPoint(65, 85));
        QVERIFY(!m_dialog->dragging());
        QCOMPARE(m_dialog->left(), 46);
        QCOMPARE(m_dialog->top(), 66);
        QVERIFY(solidOutline(46, 66, 37, 53));
        QCOMPARE(blackInside(), 2 * 37 + 2 * 53 - 4);   // only the new outline
    }

    void pressAndReleaseWithoutMovement()
    {
        showDialog();
        typeScale(QStringLiteral("5"));
        drag(QPoint(1, 1), {}, QPoint(30, 40));   // outline at (30, 40)
        QCOMPARE(QPoint(m_dialog->left(), m_dialog->top()), QPoint(30, 40));
        const QImage before = list()->image().copy();
        drag(QPoint(100, 150), {}, QPoint(100, 150));
        QCOMPARE(QPoint(m_dialog->left(), m_dialog->top()), QPoint(30, 40));
        QCOMPARE(list()->image(), before);
        // A press outside the outline drags it all the same.
        drag(QPoint(5, 5), {QPoint(6, 6)}, QPoint(15, 25));
        QCOMPARE(QPoint(m_dialog->left(), m_dialog->top()), QPoint(40, 60));
    }

    void dragOffThePageIsNotClamped()
    {
        showDialog();
        typeScale(QStringLiteral("1"));
        drag(QPoint(10, 10), {QPoint(-20, -20)}, QPoint(-50, -60));
        QCOMPARE(QPoint(m_dialog->left(), m_dialog->top()), QPoint(-59, -69));
        QCOMPARE(blackInside(), 0);
        drag(QPoint(1, 1), {}, QPoint(500, 500));   // QTest reads (0, 0) as "the centre"
        QCOMPARE(QPoint(m_dialog->left(), m_dialog->top()), QPoint(440, 430));
    }

    void releaseWithoutPressIsIgnored()
    {
        showDialog();
        QTest::mouseRelease(list(), Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
        QCOMPARE(QPoint(m_dialog->left(), m_dialog->top()), QPoint(1, 1));
        QVERIFY(solidOutline(1, 1, 374, 535));
    }

    void orientation()
    {
        showDialog();
        typeScale(QStringLiteral("5"));
        drag(QPoint(1, 1), {}, QPoint(205, 150));
        QTest::mouseClick(child("nasir"), Qt::LeftButton);
        QVERIFY(!m_dialog->portrait());
        QCOMPARE(list()->geometry(), QRect(8, 48, 300, 210));
        QCOMPARE(list()->image().size(), QSize(300, 210));
        QCOMPARE(QPoint(m_dialog->left(), m_dialog->top()), QPoint(205, 150));
        QCOMPARE(px(299, 100), 0u);
        QCOMPARE(px(150, 209), 0u);
        QVERIFY(solidOutline(205, 150, 187, 267));

        QTest::mouseClick(child("navys"), Qt::LeftButton);
        QVERIFY(m_dialog->portrait());
        QCOMPARE(list()->geometry(), QRect(8, 8, 210, 300));
        QCOMPARE(QPoint(m_dialog->left(), m_dialog->top()), QPoint(1, 1));
        QVERIFY(solidOutline(1, 1, 187, 267));
        QCOMPARE(px(209, 100), 0u);
    }

    void orientationFromTheProgram()
    {
        child<QRadioButton>("nasir")->setChecked(true);
        QVERIFY(!m_dialog->portrait());
        QCOMPARE(list()->geometry(), QRect(8, 48, 300, 210));
        // Drawn at the new size while the dialog is still hidden.
        QCOMPARE(list()->image().size(), QSize(300, 210));
        QCOMPARE(px(299, 100), 0u);
        showDialog();
        QCOMPARE(list()->image().size(), QSize(300, 210));
        QCOMPARE(px(299, 0), 0u);
        QCOMPARE(px(0, 209), 0u);
    }

    void puvodni()
    {
        showDialog();
        typeScale(QStringLiteral("3"));
        drag(QPoint(1, 1), {}, QPoint(50, 50));
        QTest::mouseClick(child("puvodni"), Qt::LeftButton);
        QCOMPARE(m_dialog->scale(), 1.0);
        QCOMPARE(m_dialog->outlineSize(), QSize(37, 53));
        QCOMPARE(QPoint(m_dialog->left(), m_dialog->top()), QPoint(1, 1));
        QCOMPARE(label2(), QStringLiteral("1"));
        QCOMPARE(edit1()->text(), QStringLiteral("1"));
        QVERIFY(solidOutline(1, 1, 37, 53));
        QCOMPARE(blackInside(), 2 * 37 + 2 * 53 - 4);   // the scale-3 outline is gone
        m_dialog->hide();
        showDialog();
        QCOMPARE(label2(), QStringLiteral("1"));
        QCOMPARE(m_dialog->outlineSize(), QSize(37, 53));
    }

    void okAsksAndAcceptsOnlyOnYes()
    {
        showDialog();
        m_dialogs.answers.enqueue(false);
        QTest::mouseClick(child("BitBtn2"), Qt::LeftButton);
        QCOMPARE(m_dialogs.texts("question"), QStringList{QStringLiteral("Použít nastavení ?")});
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        m_dialogs.answers.enqueue(true);
        QTest::mouseClick(child("BitBtn2"), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    }

    void cancelKeepsTheChanges_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Esc") << true;
    }
    void cancelKeepsTheChanges()
    {
        QFETCH(bool, escape);
        showDialog();
        typeScale(QStringLiteral("5"));
        QTest::mouseClick(child("Nadpis"), Qt::LeftButton);
        QVERIFY(!m_dialog->withTexts());
        if (escape)
            QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(child("BitBtn1"), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QVERIFY(m_dialogs.texts("question").isEmpty());
        showDialog();
        QCOMPARE(label2(), QStringLiteral("5"));
        QCOMPARE(edit1()->text(), QStringLiteral("1"));
        QVERIFY(!child<QCheckBox>("Nadpis")->isChecked());
        QVERIFY(!m_dialog->withTexts());
        QVERIFY(solidOutline(1, 1, 187, 267));
    }

    void pageRatioSizesTheOutline()
    {
        m_dialog->setPageRatio(1.0);
        m_dialog->setPageRatio(0.0);    // ignored
        m_dialog->setPageRatio(-3.0);   // ignored
        showDialog();
        typeScale(QStringLiteral("0.5"));
        QCOMPARE(m_dialog->outlineSize(), QSize(105, 150));
        QVERIFY(solidOutline(1, 1, 105, 150));
    }

    void hugeScaleStaysDrawable()
    {
        showDialog();
        typeScale(QStringLiteral("99999999999"));
        QCOMPARE(m_dialog->scale(), 99999999999.0);
        QVERIFY(solidOutline(1, 1, 300, 400));
        drag(QPoint(1, 1), {QPoint(5, 5)}, QPoint(-3, -3));
        QCOMPARE(blackInside(), 0);
    }
};

QTEST_MAIN(tst_PlacementDialog)
#include "tst_placementdialog.moc"
