#include "help.h"

TForm3::TForm3(QWidget *parent)
    : HelpWindow("Form3", QStringLiteral("Nápověda ke tvorbě tištěného kvizu"),
                 QRect(501, 145, 651, 241), true, {
        {"Help1", 1, 4, 16, QStringLiteral("Obrázek přesunete na plochu listu kliknutím mimo síť levým tlačítkem myši.")},
        {"Help2", 2, 4, 40, QStringLiteral("Obrázek na čtverečku sítě zobrazíte v původním otočení levým tlačítkem myši.")},
        {"Help3", 3, 4, 64, QStringLiteral("Obrázek odstraníte z plochy listu kliknutím mimo síť pravým tlačítkem myši.")},
        {"Help4", 4, 4, 88, QStringLiteral("Obrázek na čtverečku sítě skryjete pravým tlačítkem myši.")},
        {"Help5", 5, 4, 112, QStringLiteral("Obrázek na čtverečku sítě otočíte kliknutím současně se stiskem klávesy Shift nebo prostředním tlačítkem myši.")},
        {"Help6", 6, 4, 136, QStringLiteral("Textové pole aktualizujete, přesunete na plochu listu nebo odstranite z plochy poklikáním.")},
        {"Help7", 7, 4, 160, QStringLiteral("Jméno souboru - uložené scény - přesunete na plochu listu nebo odstranite z plochy poklikáním.")},
        {"Help8", 8, 4, 184, QStringLiteral("Obrázky i textová pole lze přesouvat myší. (Obrázek uchopte mimo síť.)")},
    }, parent)
{
    FormCreate();
}
