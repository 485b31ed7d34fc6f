// The program's language index: every two-language table is [Russian, English] indexed by it.
#pragma once

#include <QString>
#include <array>
#include <cstddef>
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

// A row of a window's text table: the key the window asks for it by, and its two wordings.
template <typename Key>
struct KeyedText {
    Key key;
    TextPair text;
};

// True when the table has one row for each key below `end`, in key order, so that a key reads
// its own row; a table's static_assert on it keeps a row from slipping out of place.
template <typename Key, std::size_t N>
constexpr bool KeysInOrder(const std::array<KeyedText<Key>, N>& table, Key end) {
    if (N != static_cast<std::size_t>(end)) return false;
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(table[i].key) != i) return false;
    return true;
}

template <typename Key, std::size_t N>
QString TextOf(const std::array<KeyedText<Key>, N>& table, Key key, Language language) {
    return TextIn(table[static_cast<std::size_t>(key)].text, language);
}

// The caption of every warning and error notice, from the exchange and from the windows alike.
constexpr TextPair kWarningCaption = {u"Внимание", u"Warning"};

}  // namespace porvel
