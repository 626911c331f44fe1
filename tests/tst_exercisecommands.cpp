// The menus' exercise commands with the real quiz and trace windows behind
// them: when they are enabled, what they ask, and the files they write.
#include "lokalizace.h"
#include "scormpackage.h"
#include "testapp.h"
#include "tracenet.h"
#include "ziparchive.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <memory>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QJsonObject pageData(const QByteArray &page)
{
    const QByteArray open = "<script type=\"application/json\" id=\"data\">";
    const qsizetype from = page.indexOf(open) + open.size();
    return QJsonDocument::fromJson(page.mid(from, page.indexOf("</script>", from) - from)).object();
}

using tracenet::centre;

} // namespace

class tst_ExerciseCommands : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestApp> m_app;

    QAction *item(const char *name) const { return m_app->item(name); }
    ScriptedDialogs &dialogs() { return m_app->dialogs; }

    // The options dialog answered; `preset` receives the pass mark it showed.
    void answerOptions(int pass, bool view3d, bool accept, int *preset = nullptr)
    {
        dialogs().modals.enqueue([=](QDialog *dialog) {
            auto *spin = dialog->findChild<QSpinBox *>("prah");
            auto *box = dialog->findChild<QCheckBox *>("krychle3d");
            if (!spin || !box)
                return false;
            if (preset)
                *preset = spin->value();
            spin->setValue(pass);
            box->setChecked(view3d);
            dialog->findChild<QPushButton *>(accept ? "OK" : "Cancel")->click();
            return dialog->result() == QDialog::Accepted;
        });
    }

    // The quiz with net 1 on the sheet and square 3 hidden, OK pressed.
    void prepareQuiz(bool change = true)
    {
        m_app->form1->openArguments(testfiles::demoFiles());
        item("Piprav1")->trigger();
        auto *image1 = m_app->form2->findChild<QWidget *>("Image1");
        QTest::mouseClick(image1, Qt::LeftButton, {}, QPoint(10, 10));
        if (change)
            QTest::mouseClick(image1, Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseClick(m_app->form2->findChild<QPushButton *>("OK"), Qt::LeftButton);
    }

private slots:
    void init() { m_app = std::make_unique<TestApp>(); }
    void cleanup() { m_app.reset(); }

    void itemsFollowTheirPrintCommands_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("gate");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("scorm");
        QTest::newRow("quiz") << "tisk1" << "Ulokviz1" << "tiskni" << "Ulozitcviceni1" << "Ulozitscorm1";
        QTest::newRow("trace") << "Stopa1" << "Uloitzadn1" << "tiskstopy" << "Ulozitcvicenistopy"
                               << "Ulozitscormstopy";
    }
    void itemsFollowTheirPrintCommands()
    {
        QFETCH(QString, menu);
        QFETCH(QString, after);
        QFETCH(QString, gate);
        QFETCH(QString, page);
        QFETCH(QString, scorm);
        const QList<QAction *> items = m_app->form1->findChild<QMenu *>(menu)->actions();
        const qsizetype at = items.indexOf(item(after.toLatin1()));
        QVERIFY(at >= 0);
        QCOMPARE(items.value(at + 1), item(page.toLatin1()));
        QCOMPARE(items.value(at + 2), item(scorm.toLatin1()));
        QCOMPARE(item(page.toLatin1())->text(), QStringLiteral("Uložit cvičení pro žáky…"));
        QCOMPARE(item(scorm.toLatin1())->text(), QStringLiteral("Uložit jako balíček SCORM…"));
        QVERIFY(!item(page.toLatin1())->isEnabled());
        QVERIFY(!item(scorm.toLatin1())->isEnabled());
        item(gate.toLatin1())->setEnabled(true);
        QVERIFY(item(page.toLatin1())->isEnabled());
        QVERIFY(item(scorm.toLatin1())->isEnabled());
        item(gate.toLatin1())->setEnabled(false);
        QVERIFY(!item(scorm.toLatin1())->isEnabled());
    }

    void englishCaptions()
    {
        QVERIFY(LoadLanguageFile(m_app->context, m_app->languageWindows(),
                                 QStringLiteral(VEMTAL_SOURCE_DIR "/lang/en/lang.txt")));
        for (const char *name : {"Ulozitcviceni1", "Ulozitcvicenistopy"})
            QCOMPARE(item(name)->text(), QStringLiteral("Save exercise for pupils…"));
        for (const char *name : {"Ulozitscorm1", "Ulozitscormstopy"})
            QCOMPARE(item(name)->text(), QStringLiteral("Save as a SCORM package…"));
    }

    // A sheet whose nets are all as the cube has them is no exercise.
    void nothingToSolve()
    {
        prepareQuiz(false);
        QVERIFY(item("Ulozitcviceni1")->isEnabled());
        item("Ulozitcviceni1")->trigger();
        QCOMPARE(dialogs().texts("message"), QStringList(texts::builtin(Text::ExerciseNothingQuiz)));
        QVERIFY(dialogs().texts("modal").isEmpty());
        QVERIFY(dialogs().texts("files").isEmpty());
    }

    void quizSavedAsPageAndPackage()
    {
        prepareQuiz();
        answerOptions(75, true, true);
        dialogs().files.enqueue({m_app->path("cviceni.html")});
        item("Ulozitcviceni1")->trigger();
        QCOMPARE(dialogs().texts("modal"), QStringList("ExerciseOptions"));
        const FileDialogRequest request = dialogs().calls.last().request;
        QCOMPARE(request.name, QStringLiteral("SDcviceniKviz"));
        QCOMPARE(request.fileName, QStringLiteral("kviz-cviceni.html"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("html"));
        QVERIFY(request.confirmOverwrite);
        const QByteArray page = fileBytes(m_app->path("cviceni.html"));
        QVERIFY(page.startsWith("<!DOCTYPE html>"));
        const QJsonObject data = pageData(page);
        QCOMPARE(data["kind"].toString(), QStringLiteral("quiz"));
        QCOMPARE(data["pass"].toInt(), 75);
        QCOMPARE(data["allow3d"].toBool(), true);
        QCOMPARE(data["nets"].toArray().size(), 1);
        QCOMPARE(data["task"].toArray(), QJsonArray({"Zadání:"}));

        // The options chosen last are offered again.
        int preset = 0;
        answerOptions(65, false, true, &preset);
        dialogs().files.enqueue({m_app->path("kviz.zip")});
        item("Ulozitscorm1")->trigger();
        QCOMPARE(preset, 75);
        QCOMPARE(dialogs().calls.last().request.name, QStringLiteral("SDscormKviz"));
        QCOMPARE(dialogs().calls.last().request.defaultSuffix, QStringLiteral("zip"));
        const ziparchive::ReadResult zip = ziparchive::read(fileBytes(m_app->path("kviz.zip")));
        QVERIFY(zip.ok());
        QCOMPARE(zip.entries.size(), 2);
        QVERIFY(zip.entries[0].data.contains("<adlcp:masteryscore>65</adlcp:masteryscore>"));
        QCOMPARE(pageData(zip.entries[1].data)["pass"].toInt(), 65);
        QCOMPARE(pageData(zip.entries[1].data)["allow3d"].toBool(), false);
        QVERIFY(dialogs().texts("error").isEmpty());
    }

    void cancelledOptionsWriteNothing()
    {
        prepareQuiz();
        answerOptions(50, false, false);
        item("Ulozitcviceni1")->trigger();
        QCOMPARE(dialogs().texts("modal"), QStringList("ExerciseOptions"));
        QVERIFY(dialogs().texts("files").isEmpty());
        // And the next time the dialog offers the default again.
        int preset = 0;
        answerOptions(50, false, false, &preset);
        item("Ulozitcviceni1")->trigger();
        QCOMPARE(preset, 60);
    }

    // The trace as its sheet shows it: a hidden net is left out.
    void traceSavedFromTheSheet()
    {
        m_app->form1->openArguments(testfiles::demoFiles());
        item("priprstopy")->trigger();
        TForm4 &trace = *m_app->form4;
        auto *upper = trace.findChild<QWidget *>("Image5");
        auto *lower = trace.findChild<QWidget *>("Image4");
        for (QPoint f : {QPoint(8, 4), QPoint(9, 4), QPoint(9, 5)})
            QTest::mouseClick(upper, Qt::LeftButton, {}, centre(f.x(), f.y()));
        QTest::mouseClick(lower, Qt::LeftButton, {}, centre(6, 4));
        QTest::mouseClick(lower, Qt::RightButton, {}, centre(1, 1));   // hides the lower net
        QVERIFY(lower->isHidden());
        for (QRadioButton *r : trace.findChildren<QRadioButton *>())
            if (r->text() == texts::builtin(Text::TraceModePicture))
                QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(trace.mode(), 2);
        QTest::mouseClick(upper, Qt::RightButton, {}, centre(9, 4));
        QTest::mouseClick(trace.findChild<QPushButton *>("OK"), Qt::LeftButton);

        answerOptions(60, false, true);
        dialogs().files.enqueue({m_app->path("stopa.html")});
        item("Ulozitcvicenistopy")->trigger();
        QCOMPARE(dialogs().calls.last().request.fileName, QStringLiteral("stopa-cviceni.html"));
        const QJsonObject data = pageData(fileBytes(m_app->path("stopa.html")));
        QCOMPARE(data["kind"].toString(), QStringLiteral("trace"));
        const QJsonArray nets = data["nets"].toArray();
        QCOMPARE(nets.size(), 1);
        QCOMPARE(nets[0].toObject()["number"].toInt(), 1);
        int changed = 0;
        for (const QJsonValue &c : nets[0].toObject()["cells"].toArray())
            changed += c.toObject()["changed"].toBool();
        QCOMPARE(changed, 1);
        QCOMPARE(data["die"].toObject()["cells"].toArray().size(), 6);
        // The task memo goes with its text image on the sheet, and not without it.
        const QString memo = trace.findChild<QPlainTextEdit *>("vstup")->toPlainText();
        QVERIFY(!memo.isEmpty() && !trace.findChild<QWidget *>("popis")->isHidden());
        QCOMPARE(data["task"].toArray(), QJsonArray::fromStringList(memo.split(u'\n')));
        trace.show();
        QTest::mouseDClick(trace.findChild<QWidget *>("popis"), Qt::LeftButton, {}, QPoint(5, 5));
        answerOptions(60, false, true);
        dialogs().files.enqueue({m_app->path("stopa2.html")});
        item("Ulozitcvicenistopy")->trigger();
        QVERIFY(pageData(fileBytes(m_app->path("stopa2.html")))["task"].toArray().isEmpty());
    }

    void aFileThatCannotBeWrittenIsReported()
    {
        prepareQuiz();
        answerOptions(60, false, true);
        dialogs().files.enqueue({m_app->path("no-such-folder/cviceni.html")});
        item("Ulozitcviceni1")->trigger();
        QCOMPARE(dialogs().texts("error").size(), 1);
        QVERIFY(!QFile::exists(m_app->path("no-such-folder/cviceni.html")));
    }
};

QTEST_MAIN(tst_ExerciseCommands)
#include "tst_exercisecommands.moc"
