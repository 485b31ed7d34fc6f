// The object and material name tables: 20 entries each, a Russian and an English name per entry,
// mirroring the instrument's two lists.
#pragma once

#include <QString>
#include <array>

#include "base/language.h"
#include "protocol.h"

namespace porvel {

struct EntryNames {
    QString russian;
    QString english;
};

using ListNames = std::array<EntryNames, protocol::kListEntries>;

// The names of the two lists as the instrument leaves the factory. The program starts with
// them, and the simulated instrument ships them.
ListNames FactoryMaterialNames();
ListNames FactoryObjectNames();

class NameTable {
public:
    static constexpr int kEntries = static_cast<int>(protocol::kListEntries);
    // The text a lookup outside the table yields.
    static const QString kUnknownName;

    explicit NameTable(const ListNames& initial);

    // Entry 0..19 in the given language; any other index names no entry and yields "NAN".
    QString Name(int index, Language language) const;
    void Replace(int index, const QString& russian, const QString& english);

private:
    ListNames entries_;
};

inline NameTable DefaultMaterialNames() {
    return NameTable(FactoryMaterialNames());
}
inline NameTable DefaultObjectNames() {
    return NameTable(FactoryObjectNames());
}

}  // namespace porvel
