// Words of one scenario line: bare words, key=value pairs and double-quoted texts (UTF-8, with
// the escapes \" \\ \0 and \xHH, the last giving the Windows-1251 character of byte HH). A '#'
// outside quotes starts a comment.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace porvel::sim {

struct Word {
    std::string key;  // empty for a bare word or a quoted text
    std::string value;
    bool quoted = false;
};

// False with a reason in `error` for an unterminated quote or a bad escape.
bool SplitLine(const std::string& line, std::vector<Word>* words, std::string* error);

// Decimal, or hexadecimal after 0x; at most `largest`.
bool ParseUnsigned(const std::string& text, std::uint64_t largest, std::uint64_t* value);
// A decimal number with an optional exponent (C locale).
bool ParseReal(const std::string& text, double* value);

}  // namespace porvel::sim
