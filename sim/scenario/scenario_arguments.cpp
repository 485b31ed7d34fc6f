#include "scenario_parser.h"

#include <algorithm>

namespace porvel::sim {

bool Arguments::Take(const std::vector<Word>& words, std::size_t leading,
                     std::initializer_list<const char*> known, std::string* error) {
    leading_.clear();
    values_.clear();
    std::size_t i = 0;
    for (; i < words.size() && i < leading; ++i) {
        if (!words[i].key.empty()) break;
        leading_.push_back(words[i].value);
    }
    if (leading_.size() < leading) {
        *error = "expects " + std::to_string(leading) + " value" + (leading == 1 ? "" : "s") +
                 " before its keys";
        return false;
    }
    for (; i < words.size(); ++i) {
        const Word& word = words[i];
        if (word.key.empty()) {
            *error = "unexpected \"" + word.value + "\"";
            return false;
        }
        const bool isKnown = std::any_of(known.begin(), known.end(),
                                         [&](const char* name) { return word.key == name; });
        if (!isKnown) {
            *error = "unknown key \"" + word.key + "\"";
            return false;
        }
        if (!values_.emplace(word.key, word.value).second) {
            *error = "key \"" + word.key + "\" given twice";
            return false;
        }
    }
    return true;
}

bool Arguments::Unsigned(const std::string& key, std::uint64_t largest, std::uint64_t* value,
                         std::string* error) const {
    if (!Has(key)) return true;
    if (ParseUnsigned(Value(key), largest, value)) return true;
    *error = key + " must be a whole number from 0 to " + std::to_string(largest) + ", not \"" +
             Value(key) + "\"";
    return false;
}

bool Arguments::Real(const std::string& key, double* value, std::string* error) const {
    if (!Has(key)) return true;
    if (ParseReal(Value(key), value)) return true;
    *error = key + " must be a number, not \"" + Value(key) + "\"";
    return false;
}

}  // namespace porvel::sim
