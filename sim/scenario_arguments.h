// The arguments of one scenario line after its keyword: a fixed number of leading words, then
// key=value pairs from a known set, each at most once.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "scenario_lexer.h"

namespace porvel::sim {

class Arguments {
public:
    // False with a reason for a missing or extra leading word, an unknown or repeated key.
    bool Take(const std::vector<Word>& words, std::size_t leading,
              std::initializer_list<const char*> known, std::string* error);

    const std::string& Leading(std::size_t i) const { return leading_[i]; }
    bool Has(const std::string& key) const { return values_.count(key) != 0; }
    const std::string& Value(const std::string& key) const { return values_.at(key); }

    // Each false with "key must be ..." in `error`; an absent key leaves `value` as it is.
    bool Unsigned(const std::string& key, std::uint64_t largest, std::uint64_t* value,
                  std::string* error) const;
    bool Real(const std::string& key, double* value, std::string* error) const;

private:
    std::vector<std::string> leading_;
    std::map<std::string, std::string> values_;
};

}  // namespace porvel::sim
