// The program's language index: every two-language table is [Russian, English] indexed by it.
#pragma once

#include <cstdint>

namespace porvel {

enum class Language : std::uint8_t { Russian = 0, English = 1 };

constexpr int LanguageIndex(Language language) {
    return static_cast<int>(language);
}
constexpr Language OtherLanguage(Language language) {
    return language == Language::Russian ? Language::English : Language::Russian;
}

}  // namespace porvel
