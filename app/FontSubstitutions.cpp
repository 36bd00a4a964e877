#include "app/FontSubstitutions.h"

#include <QFont>
#include <QStringList>

namespace {

// WenQuanYi claims the degree-Celsius sign but draws it empty, so a family
// that has it comes before the CJK one.
const QString kSymbols = QStringLiteral("DejaVu Sans");
const QString kCjk = QStringLiteral("WenQuanYi Micro Hei");

struct Substitution {
    const char* windowsFamily;
    QStringList families;
};

} // namespace

void installFontSubstitutions()
{
    const Substitution substitutions[] = {
        {"MS Sans Serif", {"Liberation Sans", "Nimbus Sans", kSymbols, kCjk}},
        {"Arial", {"Liberation Sans", "Nimbus Sans", kSymbols, kCjk}},
        {"Arial Narrow", {"Liberation Sans Narrow", "Nimbus Sans Narrow", kSymbols, kCjk}},
        {"Times New Roman", {"Liberation Serif", "Nimbus Roman", kSymbols, kCjk}},
        {"Cambria", {"Caladea", "Liberation Serif", kSymbols, kCjk}},
        {"Calibri", {"Carlito", "Liberation Sans", kSymbols, kCjk}},
        {"Monotype Corsiva", {"Z003", "DejaVu Serif", kCjk}},
        {"Terminal", {"Liberation Mono", "Nimbus Mono PS", kSymbols, kCjk}},
        {"隶书", {"Liberation Sans", kSymbols, kCjk}},
    };
    for (const auto& s : substitutions)
        QFont::insertSubstitutions(QString::fromUtf8(s.windowsFamily), s.families);
}
