// Windows-1251, the 8-bit character set of the instrument's names and of the archive file's cells.
#pragma once

#include <QByteArray>
#include <QString>

namespace porvel {

// Every byte is a character (0x98, unassigned, maps to U+0098), so decoding never fails.
QString FromCp1251(const char* bytes, qsizetype size);
QString FromCp1251(const QByteArray& bytes);

// Characters outside the code page become '?'.
QByteArray ToCp1251(const QString& text);
// The same into `out`, which has room for text.size() bytes.
void EncodeCp1251(const QString& text, char* out);

}  // namespace porvel
