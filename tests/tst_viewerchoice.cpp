#include "viewerchoice.h"

#include <QtTest>

// What xdg-mime's answer gives F4.
class tst_ViewerChoice : public QObject
{
    Q_OBJECT
private slots:
    void desktopEntryId_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("id");
        QTest::newRow("one id") << QByteArray("view3dscene.desktop\n") << "view3dscene.desktop";
        QTest::newRow("vendor prefix") << QByteArray("org.freewrl.FreeWRL.desktop\n") << "org.freewrl.FreeWRL.desktop";
        QTest::newRow("nothing") << QByteArray("") << "";
        QTest::newRow("blank line") << QByteArray("\n") << "";
        QTest::newRow("two lines") << QByteArray("a.desktop\nb.desktop\n") << "";
        QTest::newRow("a path") << QByteArray("/usr/share/applications/a.desktop\n") << "";
        QTest::newRow("not a desktop file") << QByteArray("vemtal\n") << "";
        QTest::newRow("a blank inside") << QByteArray("a b.desktop\n") << "";
        QTest::newRow("only the suffix") << QByteArray(".desktop\n") << "";
    }
    void desktopEntryId()
    {
        QFETCH(QByteArray, output);
        QFETCH(QString, id);
        QCOMPARE(viewerchoice::desktopEntryId(output), id);
    }

    void choose_data()
    {
        using viewerchoice::Viewer;
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QString>("handler");
        QTest::addColumn<Viewer>("viewer");
        QTest::newRow("not chosen") << false << "view3dscene.desktop" << Viewer::Web;
        QTest::newRow("not chosen, none") << false << "" << Viewer::Web;
        QTest::newRow("chosen") << true << "view3dscene.desktop" << Viewer::Desktop;
        QTest::newRow("chosen, none") << true << "" << Viewer::WebNoDesktopViewer;
        QTest::newRow("chosen, the program's own") << true << "vemtal.desktop" << Viewer::WebNoDesktopViewer;
    }
    void choose()
    {
        QFETCH(bool, chosen);
        QFETCH(QString, handler);
        QFETCH(viewerchoice::Viewer, viewer);
        QCOMPARE(viewerchoice::choose(chosen, handler), viewer);
    }
};

QTEST_GUILESS_MAIN(tst_ViewerChoice)
#include "tst_viewerchoice.moc"
