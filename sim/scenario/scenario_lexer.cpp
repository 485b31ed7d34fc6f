#include "scenario_parser.h"

#include <QString>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "wire/cp1251.h"

namespace porvel::sim {
namespace {

constexpr char kQuote = '"';
constexpr char kEscape = '\\';
constexpr char kComment = '#';
constexpr int kHexBase = 16;
constexpr int kDecimalBase = 10;

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r';
}

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

// Reads a quoted text starting after its opening quote; `pos` ends after the closing quote.
bool ReadQuoted(const std::string& line, std::size_t* pos, std::string* text, std::string* error) {
    std::size_t i = *pos;
    while (i < line.size() && line[i] != kQuote) {
        if (line[i] != kEscape) {
            *text += line[i++];
            continue;
        }
        if (++i >= line.size()) break;
        const char escaped = line[i++];
        if (escaped == kQuote || escaped == kEscape) {
            *text += escaped;
        } else if (escaped == '0') {
            *text += '\0';
        } else if (escaped == 'x' && i + 1 < line.size() && HexDigit(line[i]) >= 0 &&
                   HexDigit(line[i + 1]) >= 0) {
            const char byte =
                static_cast<char>(HexDigit(line[i]) * kHexBase + HexDigit(line[i + 1]));
            *text += FromCp1251(&byte, 1).toStdString();
            i += 2;
        } else {
            *error = std::string("unknown escape \\") + escaped;
            return false;
        }
    }
    if (i >= line.size()) {
        *error = "unterminated quoted text";
        return false;
    }
    *pos = i + 1;
    return true;
}

}  // namespace

bool SplitLine(const std::string& line, std::vector<Word>* words, std::string* error) {
    words->clear();
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == kComment) break;
        Word word;
        if (line[i] == kQuote) {
            ++i;
            word.quoted = true;
            if (!ReadQuoted(line, &i, &word.value, error)) return false;
        } else {
            std::string bare;
            while (i < line.size() && !IsBlank(line[i]) && line[i] != kQuote &&
                   line[i] != kComment && line[i] != '=')
                bare += line[i++];
            if (i < line.size() && line[i] == '=') {
                if (bare.empty()) {
                    *error = "a key must come before '='";
                    return false;
                }
                word.key = bare;
                ++i;
                if (i < line.size() && line[i] == kQuote) {
                    ++i;
                    word.quoted = true;
                    if (!ReadQuoted(line, &i, &word.value, error)) return false;
                } else {
                    while (i < line.size() && !IsBlank(line[i]) && line[i] != kComment)
                        word.value += line[i++];
                }
            } else {
                word.value = bare;
            }
        }
        if (i < line.size() && !IsBlank(line[i]) && line[i] != kComment) {
            *error = "a blank must follow \"" + (word.key.empty() ? word.value : word.key) + "\"";
            return false;
        }
        words->push_back(std::move(word));
    }
    return true;
}

bool ParseUnsigned(const std::string& text, std::uint64_t largest, std::uint64_t* value) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed =
        std::strtoull(digits.c_str(), &end, hex ? kHexBase : kDecimalBase);
    if (errno != 0 || *end != '\0' || parsed > largest) return false;
    *value = parsed;
    return true;
}

bool ParseReal(const std::string& text, double* value) {
    if (text.empty()) return false;
    bool ok = false;
    const double parsed = QString::fromStdString(text).toDouble(&ok);
    if (!ok || !std::isfinite(parsed)) return false;
    *value = parsed;
    return true;
}

}  // namespace porvel::sim
