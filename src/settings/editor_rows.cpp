#include "editor_rows.h"

#include "base/locale_format.h"
#include "wire/name_tables.h"

namespace porvel {
namespace {

constexpr std::size_t kNameColumn = 1;

// The two names of entry `e`: the grid's in the display language, the table's in the other.
template <class Entry>
void SetNames(Entry& entry, const QString& shown, const NameTable& names, std::size_t e,
              Language language) {
    const QString other = names.Name(static_cast<int>(e), OtherLanguage(language));
    const bool russian = language == Language::Russian;
    entry.russian = russian ? shown : other;
    entry.english = russian ? other : shown;
}

}  // namespace

EditorRows ObjectGridRows(const NameTable& objects, const NameTable& materials,
                          const ObjectEntries& entries, Language language) {
    EditorRows rows;
    for (std::size_t e = 0; e < rows.size(); ++e)
        rows[e] = {QString::number(e + 1), objects.Name(static_cast<int>(e), language),
                   materials.Name(entries[e].material, language),
                   QString::number(entries[e].material)};
    return rows;
}

EditorRows MaterialGridRows(const NameTable& materials, const MaterialEntries& entries,
                            Language language) {
    EditorRows rows;
    for (std::size_t e = 0; e < rows.size(); ++e)
        rows[e] = {QString::number(e + 1), materials.Name(static_cast<int>(e), language),
                   FormatScientific(entries[e].a0), FormatScientific(entries[e].a1)};
    return rows;
}

ListEdits ObjectEdits(const EditorRows& rows, const NameTable& objects, Language language) {
    ListEdits edits;
    for (std::size_t e = 0; e < rows.size(); ++e) {
        bool parsed = false;
        const uint index = rows[e][3].trimmed().toUInt(&parsed);
        if (!parsed) {
            edits.sound = e;
            break;
        }
        ObjectEntry& entry = edits.objects[e];
        SetNames(entry, rows[e][kNameColumn], objects, e, language);
        entry.material = static_cast<std::uint16_t>(index);
    }
    return edits;
}

ListEdits MaterialEdits(const EditorRows& rows, const NameTable& materials, Language language) {
    ListEdits edits;
    for (std::size_t e = 0; e < rows.size(); ++e) {
        double a0 = 0, a1 = 0;
        if (!ParseTableNumber(rows[e][2], &a0) || !ParseTableNumber(rows[e][3], &a1)) {
            edits.sound = e;
            break;
        }
        MaterialEntry& entry = edits.materials[e];
        SetNames(entry, rows[e][kNameColumn], materials, e, language);
        entry.a0 = static_cast<float>(a0);
        entry.a1 = static_cast<float>(a1);
    }
    return edits;
}

}  // namespace porvel
