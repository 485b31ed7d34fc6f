// The program's language index: every two-language table is [Russian, English] indexed by it.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace porvel {

enum class Language : std::uint8_t { Russian = 0, English = 1 };

constexpr int LanguageIndex(Language language) {
    return static_cast<int>(language);
}
constexpr Language OtherLanguage(Language language) {
    return language == Language::Russian ? Language::English : Language::Russian;
}

// The language a window that outlives a language switch reads whenever it speaks: the main
// window's, as it is now.
using LanguageSource = std::function<Language()>;

// One text of a two-language table: the Russian and the English wording.
struct TextPair {
    const char16_t* russian;
    const char16_t* english;
};

inline QString TextIn(const TextPair& pair, Language language) {
    return QString::fromUtf16(language == Language::Russian ? pair.russian : pair.english);
}

// The caption of every warning and error notice, from the exchange and from the windows alike.
constexpr TextPair kWarningCaption = {u"Внимание", u"Warning"};

}  // namespace porvel
