#pragma once

#include "appcontext.h"
#include "lokalizace.h"

#include <memory>

class CutoutPrinting;
class SheetPrinting;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TStranka;

// The program's six windows, created once in their start-up order (main
// window, quiz, page placement, quiz help, trace, trace help) and wired
// together with the print path. They live as long as this object.
struct ProgramWindows
{
    explicit ProgramWindows(AppContext &context);
    ~ProgramWindows();

    // The windows whose texts the language file replaces.
    LanguageWindows languageWindows() const;

    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TStranka> stranka;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm4> form4;
    std::unique_ptr<TForm5> form5;
    std::unique_ptr<SheetPrinting> printing;
    std::unique_ptr<CutoutPrinting> cutout;
};
