#include "deferredicons.h"
#include "help.h"
#include "help2.h"
#include "labelfit.h"

#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QToolButton>
#include <QtTest>

namespace {

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

QLabel *autoSizeLabel(QWidget *window, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, window);
    label->setProperty("autoSize", true);
    label->setGeometry(geometry);
    return label;
}

} // namespace

class tst_HelpWindows : public QObject
{
    Q_OBJECT
private slots:
    void quizHelpTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("text");
        QTest::newRow("Help1") << "Help1" << 16 << "Obrázek přesunete na plochu listu kliknutím mimo síť levým tlačítkem myši.";
        QTest::newRow("Help5") << "Help5" << 112 << "Obrázek na čtverečku sítě otočíte kliknutím současně se stiskem klávesy Shift nebo prostředním tlačítkem myši.";
        QTest::newRow("Help8") << "Help8" << 184 << "Obrázky i textová pole lze přesouvat myší. (Obrázek uchopte mimo síť.)";
    }
    void quizHelpTexts()
    {
        QFETCH(QString, name);
        QFETCH(int, top);
        QFETCH(QString, text);
        TForm3 help;
        QCOMPARE(help.windowTitle(), QStringLiteral("Nápověda ke tvorbě tištěného kvizu"));
        QCOMPARE(help.findChildren<QLabel *>().size(), 8);
        auto *label = help.findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->pos(), QPoint(4, top));
        help.show();
        QCOMPARE(label->pos(), QPoint(4, top));
        QCOMPARE(label->size(), label->sizeHint());
    }

    void traceHelpTexts()
    {
        TForm5 help;
        QCOMPARE(help.findChildren<QLabel *>().size(), 13);
        auto *indented = help.findChild<QLabel *>("Help10");
        QCOMPARE(indented->pos(), QPoint(16, 232));
        QVERIFY(indented->text().endsWith(QStringLiteral("kliknutím na síť vpravo. ")));
        QCOMPARE(help.findChild<QLabel *>("Help2")->property("Tag").toInt(), 3);
        QVERIFY(help.findChild<QLabel *>("Help2")->text().endsWith(QStringLiteral("místa..")));
        QCOMPARE(help.findChild<QLabel *>("Help3")->text(), QStringLiteral("Režim tvorby stopy: "));
    }

    void closingOnlyHides()
    {
        TForm3 quizHelp;
        TForm5 traceHelp;
        quizHelp.show();
        traceHelp.show();
        QVERIFY(quizHelp.isVisible() && traceHelp.isVisible());
        quizHelp.close();
        QVERIFY(!quizHelp.isVisible());
        QVERIFY(traceHelp.isVisible());
        quizHelp.show();
        QCOMPARE(quizHelp.findChild<QLabel *>("Help4")->text(),
                 QStringLiteral("Obrázek na čtverečku sítě skryjete pravým tlačítkem myši."));
    }

    // A label of a hidden window takes its text's size when the window is
    // shown; one of a shown window at once; a right-aligned one keeps its
    // right edge either way.
    void labelsFitTheirText()
    {
        QWidget window;
        window.resize(400, 100);
        auto *left = autoSizeLabel(&window, QStringLiteral("krátký"), QRect(10, 10, 300, 40));
        auto *right = autoSizeLabel(&window, QStringLiteral("vpravo"), QRect(100, 50, 200, 30));
        right->setProperty("alignRight", true);
        QPointer<QLabel> gone = autoSizeLabel(&window, QStringLiteral("pryč"), QRect(0, 0, 9, 9));
        fitLabel(left);
        fitLabel(right);
        fitLabel(gone);
        left->setText(QStringLiteral("o něco delší text"));
        fitLabel(left);
        delete gone;

        window.show();
        QCOMPARE(left->geometry(), QRect(QPoint(10, 10), left->sizeHint()));
        QCOMPARE(right->size(), right->sizeHint());
        QCOMPARE(right->geometry().right(), 299);
        QCOMPARE(right->y(), 50);

        right->setText(QStringLiteral("a teď mnohem delší text vpravo"));
        fitLabel(right);
        QCOMPARE(right->size(), right->sizeHint());
        QCOMPARE(right->geometry().right(), 299);

        // Hidden again: the next showing sizes it.
        window.hide();
        left->setText(QStringLiteral("x"));
        fitLabel(left);
        window.show();
        QCOMPARE(left->size(), left->sizeHint());
    }

    // The deferred icons are the base style's icons, read when first drawn;
    // the others come straight from the base style.
    void deferredIconsAreTheStylesIcons()
    {
        DeferredIconStyle::install();
        auto *style = qobject_cast<DeferredIconStyle *>(QApplication::style());
        QVERIFY(style);
        DeferredIconStyle::install();
        QCOMPARE(QApplication::style(), style);
        QStyle *base = style->baseStyle();
        for (QStyle::StandardPixmap which : {QStyle::SP_DialogHelpButton,
                                             QStyle::SP_ToolBarHorizontalExtensionButton,
                                             QStyle::SP_MessageBoxQuestion}) {
            const QIcon icon = style->standardIcon(which);
            QVERIFY(!icon.isNull());
            QVERIFY(!iconImage(base->standardIcon(which)).isNull());
            QCOMPARE(iconImage(icon), iconImage(base->standardIcon(which)));
            QCOMPARE(iconImage(QIcon(icon)), iconImage(icon));
        }
        QMenuBar bar;
        auto *extension = bar.findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(extension);
        QCOMPARE(iconImage(extension->icon()),
                 iconImage(base->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)));
    }
};

QTEST_MAIN(tst_HelpWindows)
#include "tst_helpwindows.moc"
