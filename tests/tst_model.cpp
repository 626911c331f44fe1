#include "faceset.h"
#include "model.h"
#include "textfile.h"

#include <QtTest>

class tst_Model : public QObject
{
    Q_OBJECT
private:
    static QStringList labels(const QString &folder)
    {
        QStringList out;
        for (int i = 0; i < 6; ++i)
            out << faceset::quoted(folder + QStringLiteral("/obrazkys/f%1.png").arg(i));
        return out;
    }

private slots:
    void rotationKeyFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("passed");
        QTest::newRow("digit 0") << "0" << "0";
        QTest::newRow("digit 3") << "3" << "3";
        QTest::newRow("4") << "4" << "0";
        QTest::newRow("5") << "5" << "1";
        QTest::newRow("6") << "6" << "2";
        QTest::newRow("7") << "7" << "3";
        QTest::newRow("8") << "8" << "0";
        QTest::newRow("9") << "9" << "1";
        QTest::newRow("small k") << "k" << "0";
        QTest::newRow("capital Z") << "Z" << "0";
        QTest::newRow("czech small ř") << "ř" << "0";
        QTest::newRow("czech small ý") << "ý" << "0";
        QTest::newRow("czech capital Ř") << "Ř" << "Ř";
        QTest::newRow("minus") << "-" << "-";
        QTest::newRow("backspace") << "\b" << "\b";
    }
    void rotationKeyFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, passed);
        QCOMPARE(QString(faceset::filterRotationKey(typed.at(0))), passed);
    }

    void rotationLineKeepsGapsOfEmptyEdits()
    {
        QCOMPARE(faceset::rotationLine({"0", "0", "0", "0", "0", "0"}), QStringLiteral("[ 0 0 0 0 0 0 ]"));
        QCOMPARE(faceset::rotationLine({"0", "", "0", "0", "0", "0"}), QStringLiteral("[ 0  0 0 0 0 ]"));
        QCOMPARE(faceset::rotationLine({"3", "1", "0", "0", "2", "0"}), QStringLiteral("[ 3 1 0 0 2 0 ]"));
    }

    void companionName_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("companion");
        QTest::newRow("plain") << "\"/obr/pes.jpg\"" << "/obr/pes.bmp";
        QTest::newRow("dotted folder") << "\"/home/jan.novak/obr/pes.jpg\"" << "/home/jan.novak/obr/pes.bmp";
        QTest::newRow("windows dotted folder") << "\"C:\\a.b\\pes.jpg\"" << "C:\\a.b\\pes.bmp";
        QTest::newRow("two dots in the name") << "\"/obr/pes.maly.png\"" << "/obr/pes.bmp";
        QTest::newRow("no full stop") << "\"/obr/pes\"" << "/obr/pes.bmp";
        QTest::newRow("empty label") << "" << "";
    }
    void companionName()
    {
        QFETCH(QString, stored);
        QFETCH(QString, companion);
        QCOMPARE(faceset::companionBitmapName(stored), companion);
    }

    void snapshotReadsRotationsAsBytes()
    {
        const faceset::Snapshot s = faceset::takeSnapshot(
                {"\"/a/1.jpg\"", "\"/a/2.jpg\"", "", "", "", ""}, {"3", "", "x", "1", "0", "2"});
        QCOMPARE(s.names[0], QStringLiteral("/a/1.bmp"));
        QCOMPARE(s.pictures[1], QStringLiteral("/a/2.jpg"));
        QCOMPARE(int(s.rotations[0]), 3);
        QCOMPARE(int(s.rotations[1]), 0);
        QCOMPARE(int(s.rotations[2]), 0);
        QCOMPARE(int(s.rotations[5]), 2);
    }

    void tailOfAnEmptyFaceSet()
    {
        const QStringList tail = model::tail(faceset::rotationLine({"0", "0", "0", "0", "0", "0"}),
                                             QStringList(6, QString()), QStringLiteral("] otocna TRUE}"));
        const QStringList expected = {
            "DEF HRA Krychleov {rotace  ", "[ 0 0 0 0 0 0 ]", "vzory [", "", "", "", "", "", "",
            "] otocna TRUE}", "ROUTE RUKA.isActive TO HRA.pruhledna_in",
            "ROUTE RUKA2.isActive TO HRA.zpet_in", "ROUTE RUKA3.isActive TO HRA.zadni_in",
            "ROUTE RUKA4.isActive TO HRA.nahled_in"};
        QCOMPARE(tail, expected);
        QCOMPARE(model::fileBytes({"a", "b"}), QByteArray("a\r\nb\r\n"));
    }

    void relativeEntry_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("relative");
        QTest::newRow("windows") << "\"C:\\skola\\obrazkys\\pes.jpg\"" << "\"obrazkys\\pes.jpg\"";
        QTest::newRow("first occurrence") << "\"D:\\x\\obrazkys\\y\\obrazkys\\z.png\""
                                          << "\"obrazkys\\y\\obrazkys\\z.png\"";
        QTest::newRow("linux") << "\"/home/u/obrazkys/a.png\"" << "\"obrazkys/a.png\"";
        QTest::newRow("without the folder") << "\"/home/u/obr/a.png\"" << "\"/home/u/obr/a.png\"";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("long path") << "\"/" + QString(300, 'a') + "/obrazkys/b.png\"" << "\"obrazkys/b.png\"";
    }
    void relativeEntry()
    {
        QFETCH(QString, stored);
        QFETCH(QString, relative);
        QCOMPARE(model::relativeEntry(stored), relative);
    }

    void entriesAreValidVrmlStringsAndLoadBack()
    {
        const QString odd = QStringLiteral("/tmp/a \"quoted\" b\\c/pes.jpg");
        const QString entry = model::vrmlEntry(faceset::quoted(odd));
        QCOMPARE(entry, QStringLiteral("\"/tmp/a \\\"quoted\\\" b\\\\c/pes.jpg\""));
        QStringList lines = {"#VRML V2.0 utf8"};
        QStringList stored(6, faceset::quoted(QStringLiteral("/x/y.png")));
        stored[2] = faceset::quoted(odd);
        lines << model::tail("[ 0 0 0 0 0 0 ]", stored, "] otocna TRUE}");
        model::Loaded loaded;
        QVERIFY(model::load(lines, "/models", loaded));
        QCOMPARE(loaded.labels[2], faceset::quoted(odd));
        QCOMPARE(loaded.labels[0], QStringLiteral("\"/x/y.png\""));
    }

    void upravReplacesTheButtonTextsOfTheBuiltInTemplate()
    {
        QStringList lines = model::builtinTemplate();
        QVERIFY(lines.size() > 1000);
        QVERIFY(lines.first().startsWith("#VRML V2.0 utf8"));
        std::array<QString, 8> texts;
        for (int i = 0; i < 8; ++i)
            texts[i] = QString::number(50 + i);
        model::uprav(lines, texts);
        const char *names[4] = {"DEF RUKA Tlacitko {", "DEF RUKA2 Tlacitko {",
                                "DEF RUKA3 Tlacitko {", "DEF RUKA4 Tlacitko {"};
        for (int b = 0; b < 4; ++b) {
            qsizetype at = -1;
            for (qsizetype i = 0; i < lines.size() && at < 0; ++i)
                if (lines[i].contains(QLatin1String(names[b])))
                    at = i;
            QVERIFY2(at >= 1000, names[b]);
            QCOMPARE(lines[at + 1], QStringLiteral("        obsahAlt [\"%1\"]").arg(50 + 2 * b));
            QCOMPARE(lines[at + 2], QStringLiteral("        obsah [\"%1\"]").arg(51 + 2 * b));
        }
        // Nothing else changes.
        QStringList original = model::builtinTemplate();
        int changed = 0;
        for (qsizetype i = 0; i < lines.size(); ++i)
            changed += lines[i] != original[i];
        QVERIFY(changed <= 8);
    }

    void upravEscapesTheButtonTexts()
    {
        QStringList lines(1003, QStringLiteral("x"));
        lines[1000] = QStringLiteral("DEF RUKA Tlacitko {");
        std::array<QString, 8> texts;
        texts[0] = QStringLiteral("say \"hi\"");
        texts[1] = QStringLiteral("C:\\ \\\"");
        model::uprav(lines, texts);
        QCOMPARE(lines[1001], QStringLiteral("        obsahAlt [\"say \\\"hi\\\"\"]"));
        QCOMPARE(lines[1002], QStringLiteral("        obsah [\"C:\\\\ \\\\\\\"\"]"));
    }

    void upravLeavesAShortTemplateAlone()
    {
        QStringList lines(1000, QStringLiteral("x"));
        lines[999] = QStringLiteral("DEF RUKA Tlacitko {");
        const QStringList before = lines;
        model::uprav(lines, {});
        QCOMPARE(lines, before);
    }

    void loaderFindsTheTailBehindExtraLines_data()
    {
        QTest::addColumn<int>("extra");
        QTest::addColumn<bool>("found");
        for (int n = 0; n <= 5; ++n)
            QTest::addRow("%d extra lines", n) << n << true;
    }
    void loaderFindsTheTailBehindExtraLines()
    {
        QFETCH(int, extra);
        QStringList lines = model::builtinTemplate();
        lines << model::tail("[ 3 1 0 0 2 0 ]", labels("/pics"), "] otocna FALSE}");
        for (int i = 0; i < extra; ++i)
            lines << QStringLiteral("# extra %1").arg(i);
        model::Loaded loaded;
        QVERIFY(model::load(lines, "/models", loaded));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(loaded.labels[i], labels("/pics")[i]);
        const QStringList rotations = {"3", "1", "0", "0", "2", "0"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(loaded.rotations[i], rotations[i]);
    }

    void loaderReadsBackEmptySlots_data()
    {
        QTest::addColumn<QList<int>>("empty");
        QTest::addColumn<int>("extra");
        QTest::newRow("last slot") << QList<int>{5} << 0;
        QTest::newRow("last slot, 3 extra lines") << QList<int>{5} << 3;
        QTest::newRow("last two slots") << QList<int>{4, 5} << 0;
        QTest::newRow("first slot") << QList<int>{0} << 0;
        QTest::newRow("all slots") << QList<int>{0, 1, 2, 3, 4, 5} << 5;
    }
    void loaderReadsBackEmptySlots()
    {
        QFETCH(QList<int>, empty);
        QFETCH(int, extra);
        QStringList stored = labels("/pics");
        for (int slot : empty)
            stored[slot].clear();
        QStringList lines = model::builtinTemplate();
        lines << model::tail("[ 1 2 3 0 1 2 ]", stored, "] otocna TRUE}");
        lines << QStringList(extra, QStringLiteral("# extra"));
        model::Loaded loaded;
        QVERIFY(model::load(lines, "/models", loaded));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(loaded.labels[i], stored[i]);
        QCOMPARE(loaded.rotations[5], QStringLiteral("2"));
    }

    void loaderJoinsRelativeEntriesToTheModelFolder()
    {
        QStringList stored;
        for (int i = 0; i < 6; ++i)
            stored << model::relativeEntry(labels("/pics")[i]);
        stored[3] = QStringLiteral("\"obrazkys\\win\\f3.png\"");
        stored[4] = QStringLiteral("\"C:\\obr\\f4.png\"");
        QStringList lines = model::tail("[ 0 0 0 0 0 0 ]", stored, "] otocna TRUE}");
        lines[3 + 3] = stored[3];   // written by the older program without escapes
        lines[3 + 4] = stored[4];
        model::Loaded loaded;
        QVERIFY(model::load(lines, "/home/u/modely", loaded));
        QCOMPARE(loaded.labels[0], QStringLiteral("\"/home/u/modely/obrazkys/f0.png\""));
        QCOMPARE(loaded.labels[3], QStringLiteral("\"/home/u/modely/obrazkys/win/f3.png\""));
        QCOMPARE(loaded.labels[4], QStringLiteral("\"C:\\obr\\f4.png\""));
    }

    void loaderJoinsAnEntryThatStartsWithAColon()
    {
        // Qt reads ":name" as a resource path; the model's entry is a file name.
        QStringList stored;
        for (int i = 0; i < 6; ++i)
            stored << model::relativeEntry(labels("/pics")[i]);
        stored[2] = QStringLiteral("\":obr.png\"");
        model::Loaded loaded;
        QVERIFY(model::load(model::tail("[ 0 0 0 0 0 0 ]", stored, "]}"), "/home/u/modely", loaded));
        QCOMPARE(loaded.labels[2], QStringLiteral("\"/home/u/modely/:obr.png\""));
        QVERIFY(model::load(model::tail("[ 0 0 0 0 0 0 ]", stored, "]}"), "/", loaded));
        QCOMPARE(loaded.labels[2], QStringLiteral("\"/:obr.png\""));
    }

    void loaderRefusesFilesWithoutATail_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QStringList();
        QTest::newRow("template only") << model::builtinTemplate();
        QTest::newRow("no rotation line") << QStringList{"\"a\"", "\"b\"", "\"c\"", "\"d\"", "\"e\"", "\"f\"",
                                                         "x", "x", "x", "x", "x"};
        QTest::newRow("too few entries") << QStringList{"[ 0 0 0 0 0 0 ]", "vzory [", "\"a\"", "\"b\"",
                                                        "x", "x", "x", "x", "x"};
        QTest::newRow("random text") << QStringList{"hello", "world"};
    }
    void loaderRefusesFilesWithoutATail()
    {
        QFETCH(QStringList, lines);
        model::Loaded loaded;
        loaded.labels[0] = QStringLiteral("untouched");
        QVERIFY(!model::load(lines, "/m", loaded));
        QCOMPARE(loaded.labels[0], QStringLiteral("untouched"));
    }

    void loaderFillsMissingRotationsWithZero()
    {
        QStringList lines = model::tail("[ 0  2 0 0 1 ]", labels("/p"), "] otocna TRUE}");
        model::Loaded loaded;
        QVERIFY(model::load(lines, "/m", loaded));
        const QStringList rotations = {"0", "2", "0", "0", "1", "0"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(loaded.rotations[i], rotations[i]);
    }

    void textLinesAndEncodings()
    {
        QCOMPARE(textfile::splitLines("a\r\nb\nc"), QStringList({"a", "b", "c"}));
        QCOMPARE(textfile::splitLines("a\r\n\r\n"), QStringList({"a", ""}));
        const QString czech = QStringLiteral("Žluťoučký kůň");
        QCOMPARE(textfile::decodeText(czech.toUtf8()), czech);
        const QByteArray cp1250 = textfile::encodeText(czech);
        QVERIFY(cp1250 != czech.toUtf8());
        QCOMPARE(cp1250.size(), czech.size());
        QCOMPARE(textfile::decodeText(cp1250), czech);
        const QString beyond = QStringLiteral("kůň ✓");
        QCOMPARE(textfile::encodeText(beyond), beyond.toUtf8());
    }
};

QTEST_GUILESS_MAIN(tst_Model)
#include "tst_model.moc"
