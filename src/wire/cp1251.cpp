#include "cp1251.h"

#include <array>

namespace porvel {
namespace {

// Upper half 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kUpper = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};
constexpr unsigned kCyrillicStart = 0xC0;
constexpr char16_t kCapitalA = 0x0410;
constexpr char16_t kSmallYa = 0x044F;

char16_t Decode(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= kCyrillicStart) return static_cast<char16_t>(kCapitalA + (byte - kCyrillicStart));
    return kUpper[byte - 0x80];
}

char Encode(char16_t ch) {
    if (ch < 0x80) return static_cast<char>(ch);
    if (ch >= kCapitalA && ch <= kSmallYa)
        return static_cast<char>(kCyrillicStart + (ch - kCapitalA));
    for (std::size_t i = 0; i < kUpper.size(); ++i)
        if (kUpper[i] == ch) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

QString FromCp1251(const char* bytes, qsizetype size) {
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = QChar(Decode(static_cast<unsigned char>(bytes[i])));
    return text;
}

QString FromCp1251(const QByteArray& bytes) {
    return FromCp1251(bytes.constData(), bytes.size());
}

QByteArray ToCp1251(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    EncodeCp1251(text, bytes.data());
    return bytes;
}

void EncodeCp1251(const QString& text, char* out) {
    const QChar* in = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) out[i] = Encode(in[i].unicode());
}

}  // namespace porvel
