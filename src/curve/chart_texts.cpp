#include "chart_texts.h"

#include <array>

namespace porvel {
namespace {

// The Russian time axis title ends in a Latin "c", the readout's time unit is the Cyrillic
// "с"; the blanks after "кПа " and "s " belong to the titles.
constexpr std::array<TextPair, 8> kTexts = {{
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
    const TextPair& pair = kTexts[static_cast<std::size_t>(text)];
    return TextIn(pair, language);
}

}  // namespace porvel
