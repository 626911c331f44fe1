#include "help.h"
#include "help2.h"

#include <QLabel>
#include <QtTest>

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
};

QTEST_MAIN(tst_HelpWindows)
#include "tst_helpwindows.moc"
