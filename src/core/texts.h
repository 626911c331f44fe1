#pragma once

#include <QString>

// The language file's lines, in line order from 1: each line's name in the
// code and its built-in Czech text. New lines are appended at the end, in
// both language files too (lang/cs/lang.txt is this table as a file).
#define VEMTAL_TEXT_LINES(X) \
    X(Form1Title, "Tembrila") /* 1 */ \
    X(Zmena, "Změň") /* 2 */ \
    X(Zobraz, "Zobrazit krychli") /* 3 */ \
    X(Button3, "Změň") /* 4 */ \
    X(Button4, "Změň") /* 5 */ \
    X(Button5, "Změň") /* 6 */ \
    X(Button6, "Změň") /* 7 */ \
    X(Button7, "Změň") /* 8 */ \
    X(Label1, "Vyberte obrázky, které budou na stěnách kostky") /* 9 */ \
    X(Label2, "Tembrila") /* 10 */ \
    X(Label3, "a jejich otočení:  0, 1...90°, 2...180°, 3...270°.") /* 11 */ \
    X(Label4, "Tlačítkem Načíst všechny zadáte všechny obrázky, tlačítky Změň zadáte/změníte jeden obrázek.") /* 12 */ \
    X(Label5, "otočení") /* 13 */ \
    X(Label6, "obrázek") /* 14 */ \
    X(Label7, "Krychli bude možné při prohlížení plynule otáčet.") /* 15 */ \
    X(Otocna, "Otočná") /* 16 */ \
    X(Nacti, "Načíst všechny obrázky") /* 17 */ \
    X(FilterOPD, "Obrázky (*.jpg;*.jpeg;*.gif;*.png)|*.jpg;*.jpeg;*.gif;*.png;") /* 18 */ \
    X(FilterOPD2, "Obrázky (*.jpg;*.jpeg;*.gif;*.png)|*.jpg;*.jpeg;*.gif;*.png;") /* 19 */ \
    X(FilterSD, "VRML|*.wrl") /* 20 */ \
    X(MenuKrychle, "Krychle") /* 21 */ \
    X(MenuZmenitObrazky, "Změnit obrázky") /* 22 */ \
    X(MenuUlozitKrychli, "Uložit krychli") /* 23 */ \
    X(MenuZobrazitKrychli, "Zobrazit krychli") /* 24 */ \
    X(MenuKonec, "KONEC") /* 25 */ \
    X(MenuKviz, "Kviz") /* 26 */ \
    X(MenuPripravit, "Připravit zadání") /* 27 */ \
    X(MenuTiskni, "Tiskni") /* 28 */ \
    X(MenuStopa, "Stopa") /* 29 */ \
    X(MenuPripravitStopu, "Připravit stopu") /* 30 */ \
    X(MenuTiskStopy, "Tisk stopy") /* 31 */ \
    X(MenuNapoveda, "Nápověda") /* 32 */ \
    X(MenuWeb, "návody na webu ") /* 33 */ \
    X(MenuVerse, "verse") /* 34 */ \
    X(MenuUlozitKviz, "Uložit kviz") /* 35 */ \
    X(MenuNacistKviz, "Načíst kviz") /* 36 */ \
    X(MenuUlozitZadani, "Uložit zadání") /* 37 */ \
    X(MenuNacistZadani, "Načíst zadání") /* 38 */ \
    X(MenuNacistKrychli, "Načíst krychli") /* 39 */ \
    X(WrongFormat, "Chybný formát dat") /* 40 */ \
    X(SaveUpperTrace, "Uložit stopu 1 (horní)?") /* 41 */ \
    X(SaveLowerTrace, "Uložit stopu 2 (dolní)?") /* 42 */ \
    X(LoadUpperTrace, "Načíst stopu 1 (horní)?") /* 43 */ \
    X(LoadLowerTrace, "Načíst stopu 2 (dolní)?") /* 44 */ \
    X(SaveRelative, "Uložit relativní cestu k obrázkům?") /* 45 */ \
    X(SubfolderMissing, "Podsložka s texturami - \"obrazkys\" - možná není v této složce. Pokračovat v ukládání s relativní cestou?") /* 46 */ \
    X(ChoosePictures, "Vyberte textury.") /* 47 */ \
    X(Line48, "") /* 48 */ \
    X(ExitQuestion, "Ukončit aplikaci?") /* 49 */ \
    X(ButtonRukaAlt, "zobrazit povrch") /* 50 */ \
    X(ButtonRuka, "skrýt povrch") /* 51 */ \
    X(ButtonRuka2Alt, "srovnat polohu") /* 52 */ \
    X(ButtonRuka2, "srovnat polohu") /* 53 */ \
    X(ButtonRuka3Alt, "zobrazit zezadu") /* 54 */ \
    X(ButtonRuka3, "skrýt zezadu") /* 55 */ \
    X(ButtonRuka4Alt, "zobrazit pohled") /* 56 */ \
    X(ButtonRuka4, "skrýt pohled") /* 57 */ \
    X(Separator58, "----------") /* 58 */ \
    X(QuizTitle, "Příprava kvízu") /* 59 */ \
    X(QuizObnovit, "Obnovit původní otočení") /* 60 */ \
    X(QuizVstup, "Zadání:") /* 61 */ \
    X(QuizDalsi, "Další text:") /* 62 */ \
    X(QuizDalsi2, "Další text:") /* 63 */ \
    X(QuizFaceSetChanged, "Povrch kostky se změnil.  Přizpůsobit?") /* 64 */ \
    X(Separator65, "----------") /* 65 */ \
    X(TraceTitle, "Příprava stopy") /* 66 */ \
    X(TraceObnovit, "Obnovit původní otočení") /* 67 */ \
    X(TraceUpperCaption, "Upravujete horní síť") /* 68 */ \
    X(TraceLowerCaption, "Upravujete dolní síť") /* 69 */ \
    X(TraceFaceSetChanged, "Povrch kostky se změnil.  Přizpůsobit?") /* 70 */ \
    X(TraceRestoreQuestion, "Akce smaže dodatečné úpravy aktivní sítě. Pokračovat?") /* 71 */ \
    X(TraceClearNet, "Akce smaže síť ") /* 72 */ \
    X(TraceClearNetEnd, ". OK?") /* 73 */ \
    X(TraceLeavePictureMode, "Akce zruší dosavadní změny otočení a skrytí polí. Pokračovat?") /* 74 */ \
    X(TraceModeGroup, "Režim úprav") /* 75 */ \
    X(TraceModeTrace, "Tvorba stopy") /* 76 */ \
    X(TraceModePicture, "Změny obrázků") /* 77 */ \
    X(TraceNetGroup, "Upravovaná síť") /* 78 */ \
    X(TraceNetUpper, "Horní (první)") /* 79 */ \
    X(TraceNetLower, "Dolní (druhá)") /* 80 */ \
    X(TraceUndo, "vrátit tah") /* 81 */ \
    X(TraceNova, "Nová síť") /* 82 */ \
    X(TraceOprav, "překreslit obrázek") /* 83 */ \
    X(TraceSipky, "Při překreslení vykreslit šipky") /* 84 */ \
    X(TraceOK, "OK - uložit síť") /* 85 */ \
    X(TraceVstup, "Zadání:") /* 86 */ \
    X(Separator87, "----------") /* 87 */ \
    X(PlacementPanel, "Obrázek přetáhněte do požadované polohy myší, velikost - zadejte \"nové měřítko\"") /* 88 */ \
    X(PlacementNadpis, "s popisem") /* 89 */ \
    X(PlacementLabel1, "aktuální měřítko") /* 90 */ \
    X(PlacementMeritko, "nové měřítko") /* 91 */ \
    X(PlacementPuvodni, "původní") /* 92 */ \
    X(PlacementOrientation, "Orientace") /* 93 */ \
    X(PlacementLandscape, "na šířku") /* 94 */ \
    X(PlacementPortrait, "na výšku") /* 95 */ \
    X(PlacementTitle, "Nastavení polohy a velikosti obrázku") /* 96 */ \
    X(ScaleNotPositive, "Chyba zadání - zadejte kladné číslo") /* 97 */ \
    X(ScaleTooSmall, "Příliš malé číslo !") /* 98 */ \
    X(UsePlacement, "Použít nastavení ?") /* 99 */ \
    X(Separator100, "----------") /* 100 */ \
    X(QuizHelp1, "Obrázek přesunete na plochu listu kliknutím mimo síť levým tlačítkem myši.") /* 101 */ \
    X(QuizHelp2, "Obrázek na čtverečku sítě zobrazíte v původním otočení levým tlačítkem myši.") /* 102 */ \
    X(QuizHelp3, "Obrázek odstraníte z plochy listu kliknutím mimo síť pravým tlačítkem myši.") /* 103 */ \
    X(QuizHelp4, "Obrázek na čtverečku sítě skryjete pravým tlačítkem myši.") /* 104 */ \
    X(QuizHelp5, "Obrázek na čtverečku sítě otočíte kliknutím současně se stiskem klávesy Shift nebo prostředním tlačítkem myši.") /* 105 */ \
    X(QuizHelp6, "Textové pole aktualizujete, přesunete na plochu listu nebo odstranite z plochy poklikáním.") /* 106 */ \
    X(QuizHelp7, "Jméno souboru - uložené scény - přesunete na plochu listu nebo odstranite z plochy poklikáním.") /* 107 */ \
    X(QuizHelp8, "Obrázky i textová pole lze přesouvat myší. (Obrázek uchopte mimo síť.)") /* 108 */ \
    X(QuizHelpTitle, "Nápověda ke tvorbě tištěného kvizu") /* 109 */ \
    X(Separator110, "----------") /* 110 */ \
    X(TraceHelp1, "Obrázek základní sítě přesunete na plochu listu kliknutím mimo síť levým tlačítkem myši.") /* 111 */ \
    X(TraceHelp2, "Obrázek odstraníte z plochy listu kliknutím mimo síť pravým tlačítkem myši, vrátíte ho poklikáním do prázdného místa..") /* 112 */ \
    X(TraceHelp3, "Režim tvorby stopy: ") /* 113 */ \
    X(TraceHelp4, "Kliknutím na pole sousedící s naposledy upravovaným na něj \"odvalíte\" kostku.") /* 114 */ \
    X(TraceHelp5, "Na obsazené pole nejde kostku odvalit, pokud by se otiskl jiný vzor. Tahy lze vracet tlačítkem.") /* 115 */ \
    X(TraceHelp6, "Režim úprav: vpravo vidíte původní editovanou stopu") /* 116 */ \
    X(TraceHelp7, "Obrázek na čtverečku sítě zobrazíte v původním otočení levým tlačítkem myši.") /* 117 */ \
    X(TraceHelp8, "Obrázek na čtverečku sítě skryjete pravým tlačítkem myši.") /* 118 */ \
    X(TraceHelp9, "Obrázek na čtverečku sítě otočíte kliknutím současně se stiskem klávesy Shift nebo prostředním tlačítkem myši.") /* 119 */ \
    X(TraceHelp10, "Síť skryjete klikntím pravým tlačítkem myši současně se stiskem klávesy Ctrl, zobrazíte zpět kliknutím na síť vpravo. ") /* 120 */ \
    X(TraceHelp11, "Textové pole aktualizujete, přesunete na plochu listu nebo odstranite z plochy poklikáním.") /* 121 */ \
    X(TraceHelp12, "Jméno souboru - uložené scény - přesunete na plochu listu nebo odstranite z plochy poklikáním.") /* 122 */ \
    X(TraceHelp13, "Obrázky i textová pole lze přesouvat myší. (Obrázek uchopte mimo síť.)") /* 123 */ \
    X(TraceHelpTitle, "Nápověda ke tvorbě tištěného kvizu") /* 124 */ \
    X(FileTooLarge, "Soubor je příliš velký.") /* 125 */ \
    X(NotRegularFile, "Soubor nelze přečíst: není to obyčejný soubor.") /* 126 */ \
    X(PathWithLineBreak, "Cesta k obrázku obsahuje konec řádku. Obrázek nelze použít.") /* 127 */ \
    X(SaveSheetAsBmp, "Uložit list jako obrázek BMP") /* 128 */ \
    X(MenuZobrazitVProhlizeci, "Zobrazit v prohlížeči") /* 129 */ \
    X(MenuUlozitProWeb, "Uložit pro web") /* 130 */ \
    X(WebFolderNotEmpty, "Složka pro web musí být prázdná. Vyberte prázdnou složku nebo vytvořte novou.") /* 131 */ \
    X(WebNoServer, "Krychli nelze zobrazit v prohlížeči: program nemohl spustit svůj místní webový server.") /* 132 */ \
    X(WebNoWebGL, "Tento prohlížeč nemá zapnutou grafiku WebGL 2, proto v něm krychli nelze zobrazit. Zkontrolujte v nastavení prohlížeče, že je zapnutá hardwarová (grafická) akcelerace, a prohlížeč spusťte znovu. Co grafika prohlížeče umí, ukáže stránka chrome://gpu (Chromium, Chrome) nebo about:support (Firefox) napsaná do adresního řádku.") /* 133 */ \
    X(WebLoadFailed, "Model krychle se nepodařilo načíst.") /* 134 */ \
    X(WebLoading, "Načítám krychli…") /* 135 */ \
    X(WebOpenedFromFile, "Model krychle se nepodařilo načíst. Stránku uloženou pro web je třeba otevřít přes webový server, ne přímo ze souboru.") /* 136 */ \
    X(FilesTogether, "Tyto soubory nelze otevřít spolu. Zadejte obrázky, nebo jeden model, a k tomu nejvýš jeden kviz (.tkt) a nejvýš dvě stopy (.tpt).") /* 137 */ \
    X(CutoutMenu, "Vystřihovánka") /* 138 */ \
    X(CutoutNet, "Síť krychle:") /* 139 */ \
    X(CutoutEdge, "Délka hrany v mm (%1 až %2):") /* 140 */ \
    X(CutoutPaper, "Papír:") /* 141 */ \
    X(CutoutEdgeRange, "Délka hrany musí být číslo od %1 do %2 mm; větší síť se na zvolený papír nevejde.") /* 142 */ \
    X(CutoutUnreadable, "Obrázky těchto stěn nelze načíst: %1. Vytisknout tyto stěny bílé?") /* 143 */ \
    X(CutoutDoesNotFit, "Síť s hranou %1 mm se na stránku zvolenou v tisku nevejde; zvolte menší hranu nebo větší papír.") /* 144 */ \
    X(TileTurnsOne, "Stěna %1 vypadá po otočení stejně: nepůjde poznat, jak je otočená.") /* 145 */ \
    X(TileTurnsMany, "Stěny %1 vypadají po otočení stejně: nepůjde poznat, jak jsou otočené.") /* 146 */ \
    X(TileMirrorOne, "Stěna %1 vypadá v zrcadle stejně: na otiscích nepůjde poznat zrcadlení.") /* 147 */ \
    X(TileMirrorMany, "Stěny %1 vypadají v zrcadle stejně: na otiscích nepůjde poznat zrcadlení.") /* 148 */ \
    X(TileAlike, "Stěny %1 vypadají stejně: nepůjde poznat, která je která.") /* 149 */ \
    X(GuidePage, "navody.html") /* 150 */ \
    X(MenuTiskniReseni, "Tiskni řešení") /* 151 */ \
    X(MenuTiskReseniStopy, "Tisk řešení stopy") /* 152 */ \
    X(Version, " verse 2.2, 2009 ") /* 153 */ \
    X(MenuProhlizecVRML, "F4 zobrazí krychli v prohlížeči VRML") /* 154 */ \
    X(NoDesktopViewer, "Tento počítač nemá pro soubory VRML (.wrl) jiný prohlížeč než program vemtal, proto se krychle zobrazí ve webovém prohlížeči.") /* 155 */ \
    X(NoForwardPage, "Krychli nelze zobrazit v prohlížeči: program nemohl zapsat stránku, kterou prohlížeč otevře (%1).") /* 156 */ \
    X(ReasonNoSpace, "Na disku není dost místa.") /* 157 */ \
    X(ReasonQuota, "Vaše kvóta místa na disku je vyčerpána.") /* 158 */ \
    X(ReasonDenied, "Přístup odepřen: k tomu nemáte oprávnění.") /* 159 */ \
    X(ReasonReadOnly, "Disk nebo složka je jen pro čtení.") /* 160 */ \
    X(ReasonMissing, "Soubor nebo složka neexistuje.") /* 161 */ \
    X(ReasonNotAFolder, "Část cesty není složka.") /* 162 */ \
    X(ReasonIsAFolder, "Je to složka, ne soubor.") /* 163 */ \
    X(ReasonTooLargeForDisk, "Soubor je pro tento disk příliš velký.") /* 164 */ \
    X(ReasonNameTooLong, "Název souboru nebo cesta je příliš dlouhá.") /* 165 */ \
    X(ReasonDiskError, "Chyba čtení nebo zápisu na disku.") /* 166 */ \
    X(ReasonTooManyOpen, "Je otevřeno příliš mnoho souborů.") /* 167 */ \
    X(ReasonBusy, "Soubor nebo zařízení se právě používá.") /* 168 */ \
    X(ReasonTooManyLinks, "V cestě je příliš mnoho symbolických odkazů.") /* 169 */ \
    X(ReasonOtherSystemError, "Systémová chyba č. %1 (%2).") /* 170 */ \
    X(PictureNotAPicture, "Není to obrázek JPEG, PNG, GIF ani BMP.") /* 171 */ \
    X(PictureTooManyPixels, "Obrázek je příliš velký: %1 × %2 bodů.") /* 172 */ \
    X(RefusedPictures, "Tyto obrázky modelu nelze použít, jejich stěny zůstaly prázdné:") /* 173 */ \
    X(MenuExercise, "Uložit cvičení pro žáky…") /* 174 */ \
    X(MenuScorm, "Uložit jako balíček SCORM…") /* 175 */ \
    X(ExerciseOptionsTitle, "Cvičení pro žáky") /* 176 */ \
    X(ExercisePass, "Splněno od (%):") /* 177 */ \
    X(Exercise3D, "Stránka smí ukázat krychli ve 3D (jen otevřená přes webový server)") /* 178 */ \
    X(ExerciseNothingQuiz, "Na listu není co řešit: na síti, která leží na listu, skryjte nebo otočte aspoň jeden obrázek.") /* 179 */ \
    X(ExerciseNothingTrace, "Na listu není co řešit: ve stopě na listu skryjte nebo otočte aspoň jeden otisk (režim „Změny obrázků“).") /* 180 */ \
    X(PageLang, "cs") /* 181 */ \
    X(PageQuizTitle, "Kvíz: sítě krychle") /* 182 */ \
    X(PageTraceTitle, "Stopa kostky") /* 183 */ \
    X(PageQuizHelp, "Každá síť má po složení dát krychli s obrázky, jak na ní leží. Klepnutím na obrázek (nebo klávesou Enter či mezerníkem) ho otočíte o čtvrt otáčky. Prázdné pole vyberte klepnutím, zvolte pro ně obrázek a pak ho otáčejte.") /* 184 */ \
    X(PageTraceHelp, "Kostka se kutálí po šipkách a na každé pole otiskne stěnu, na které stojí, zrcadlově jako razítko. Klepnutím na otisk (nebo klávesou Enter či mezerníkem) ho otočíte o čtvrt otáčky. Prázdné pole vyberte klepnutím, zvolte pro ně obrázek kostky a pak otisk otáčejte.") /* 185 */ \
    X(PagePictures, "Obrázky kostky") /* 186 */ \
    X(PageChoose, "Vyberte obrázek pro zvolené pole:") /* 187 */ \
    X(PageCheck, "Zkontrolovat") /* 188 */ \
    X(PageRetry, "Zkusit znovu") /* 189 */ \
    X(PageRule, "Skóre: pole, která bylo třeba opravit a jsou správně, méně pole, která byla správně a už nejsou, děleno počtem polí k opravě (nejméně 0 %). Splněno od %1 %.") /* 190 */ \
    X(PageResult, "Výsledek: %1 % (opraveno %2 z %3, pokaženo %4).") /* 191 */ \
    X(PagePassed, "Splněno.") /* 192 */ \
    X(PageFailed, "Zatím nesplněno.") /* 193 */ \
    X(PageWrong, "špatně") /* 194 */ \
    X(PageEmpty, "prázdné") /* 195 */ \
    X(PageSquare, "Síť %1, pole %2") /* 196 */ \
    X(PageField, "Sloupec %1, řádek %2") /* 197 */ \
    X(PagePicture, "Obrázek %1") /* 198 */ \
    X(PageUpperNet, "Horní síť") /* 199 */ \
    X(PageLowerNet, "Dolní síť") /* 200 */ \
    X(PageShow3D, "Ukázat krychli ve 3D") /* 201 */ \
    X(PageCellState, "obrázek %1, otočení %2") /* 202 */ \
    X(MenuSaveLesson, "Uložit lekci…") /* 203 */ \
    X(MenuOpenLesson, "Otevřít lekci…") /* 204 */ \
    X(FilterLesson, "Lekce vemtal|*.vemtal") /* 205 */ \
    X(LessonNotALesson, "Soubor není lekce programu vemtal.") /* 206 */ \
    X(LessonNewer, "Lekci uložila novější verze programu vemtal, tato verze ji neotevře.") /* 207 */ \
    X(LessonDamaged, "Lekce je poškozená (%1), nic se nezměnilo.") /* 208 */ \
    X(LessonTooLarge, "Lekce je příliš velká (nejvýše 64 MB), nic se nezměnilo.") /* 209 */ \
    X(LessonReplacesWork, "Lekce nahradí připravený kviz a stopu. Otevřít ji?") /* 210 */ \
    X(LessonPictureTooLarge, "Obrázek je pro lekci příliš velký (nejvýše 24 MB).") /* 211 */ \
    X(LessonNotSaved, "Lekci nelze uložit tak, aby se znovu otevřela (%1), soubor nebyl zapsán.") /* 212 */

enum class Text : int {
    None = 0,
#define VEMTAL_TEXT_NAME(name, czech) name,
    VEMTAL_TEXT_LINES(VEMTAL_TEXT_NAME)
#undef VEMTAL_TEXT_NAME
    End
};

namespace texts {

// Lines the table holds; a language file may have fewer (at least 124) or more.
constexpr int lineCount = int(Text::End) - 1;
// The first 124 lines are positional; later ones were added since.
constexpr int positionalLineCount = 124;

constexpr int line(Text text) { return int(text); }
// The built-in Czech text of a line.
QString builtin(Text text);

} // namespace texts
