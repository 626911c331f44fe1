#include "helppages.h"

namespace helppages {

QList<Line> quiz()
{
    return {
        {"Help1", 1, 4, 16, QStringLiteral("Obrázek přesunete na plochu listu kliknutím mimo síť levým tlačítkem myši.")},
        {"Help2", 2, 4, 40, QStringLiteral("Obrázek na čtverečku sítě zobrazíte v původním otočení levým tlačítkem myši.")},
        {"Help3", 3, 4, 64, QStringLiteral("Obrázek odstraníte z plochy listu kliknutím mimo síť pravým tlačítkem myši.")},
        {"Help4", 4, 4, 88, QStringLiteral("Obrázek na čtverečku sítě skryjete pravým tlačítkem myši.")},
        {"Help5", 5, 4, 112, QStringLiteral("Obrázek na čtverečku sítě otočíte kliknutím současně se stiskem klávesy Shift nebo prostředním tlačítkem myši.")},
        {"Help6", 6, 4, 136, QStringLiteral("Textové pole aktualizujete, přesunete na plochu listu nebo odstranite z plochy poklikáním.")},
        {"Help7", 7, 4, 160, QStringLiteral("Jméno souboru - uložené scény - přesunete na plochu listu nebo odstranite z plochy poklikáním.")},
        {"Help8", 8, 4, 184, QStringLiteral("Obrázky i textová pole lze přesouvat myší. (Obrázek uchopte mimo síť.)")},
    };
}

QList<Line> trace()
{
    return {
        {"Help1", 1, 4, 16, QStringLiteral("Obrázek základní sítě přesunete na plochu listu kliknutím mimo síť levým tlačítkem myši.")},
        {"Help2", 3, 4, 40, QStringLiteral("Obrázek odstraníte z plochy listu kliknutím mimo síť pravým tlačítkem myši, vrátíte ho poklikáním do prázdného místa..")},
        {"Help3", 3, 4, 64, QStringLiteral("Režim tvorby stopy: ")},
        {"Help4", 2, 16, 88, QStringLiteral("Kliknutím na pole sousedící s naposledy upravovaným na něj \"odvalíte\" kostku.")},
        {"Help5", 4, 16, 112, QStringLiteral("Na obsazené pole nejde kostku odvalit, pokud by se otiskl jiný vzor. Tahy lze vracet tlačítkem.")},
        {"Help6", 3, 4, 136, QStringLiteral("Režim úprav: vpravo vidíte původní editovanou stopu")},
        {"Help7", 2, 16, 160, QStringLiteral("Obrázek na čtverečku sítě zobrazíte v původním otočení levým tlačítkem myši.")},
        {"Help8", 4, 16, 184, QStringLiteral("Obrázek na čtverečku sítě skryjete pravým tlačítkem myši.")},
        {"Help9", 5, 16, 208, QStringLiteral("Obrázek na čtverečku sítě otočíte kliknutím současně se stiskem klávesy Shift nebo prostředním tlačítkem myši.")},
        {"Help10", 8, 16, 232, QStringLiteral("Síť skryjete klikntím pravým tlačítkem myši současně se stiskem klávesy Ctrl, zobrazíte zpět kliknutím na síť vpravo. ")},
        {"Help11", 6, 4, 256, QStringLiteral("Textové pole aktualizujete, přesunete na plochu listu nebo odstranite z plochy poklikáním.")},
        {"Help12", 7, 4, 280, QStringLiteral("Jméno souboru - uložené scény - přesunete na plochu listu nebo odstranite z plochy poklikáním.")},
        {"Help13", 8, 4, 304, QStringLiteral("Obrázky i textová pole lze přesouvat myší. (Obrázek uchopte mimo síť.)")},
    };
}

} // namespace helppages
