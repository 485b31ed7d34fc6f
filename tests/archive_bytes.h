// Archive file contents put together by hand, little-endian, to compare with the writer's
// output and to make files the writer never would.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

#include "archive_samples.h"
#include "wire/cp1251.h"

namespace porvel::testing {

class ArchiveBytes {
public:
    ArchiveBytes& Count(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.append(static_cast<char>((bits >> shift) & 0xFF));
        return *this;
    }
    ArchiveBytes& Cell(const QByteArray& text) {
        Count(static_cast<std::int32_t>(text.size()));
        bytes_.append(text);
        return *this;
    }
    ArchiveBytes& Row(const RowCells& cells) {
        for (const QString& cell : cells) Cell(ToCp1251(cell));
        return *this;
    }
    ArchiveBytes& Words(const std::vector<std::uint16_t>& words) {
        for (std::uint16_t word : words) {
            bytes_.append(static_cast<char>(word & 0xFF));
            bytes_.append(static_cast<char>(word >> 8));
        }
        return *this;
    }
    ArchiveBytes& Raw(const QByteArray& bytes) {
        bytes_.append(bytes);
        return *this;
    }
    const QByteArray& Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

}  // namespace porvel::testing
