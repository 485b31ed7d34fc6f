#include "chart_texts.h"

#include <array>

namespace porvel {
namespace {

struct Pair {
    const char16_t* russian;
    const char16_t* english;
};

// The Russian time axis title ends in a Latin "c", the readout's time unit is the Cyrillic
// "с"; the blanks after "кПа " and "s " belong to the titles.
constexpr std::array<Pair, 8> kTexts = {{
    {u"График", u"Graph"},
    {u"Печать", u"Print"},
    {u"Время, c", u"Time, s "},
    {u"Давление, кПа ", u"Pressure, kPa"},
    {u"Время", u"Time"},
    {u"с", u"s"},
    {u"Давление", u"Pressure"},
    {u"кПа", u"kPa"},
}};

}  // namespace

QString ChartTextOf(ChartText text, Language language) {
    const Pair& pair = kTexts[static_cast<std::size_t>(text)];
    return QString::fromUtf16(language == Language::Russian ? pair.russian : pair.english);
}

}  // namespace porvel
