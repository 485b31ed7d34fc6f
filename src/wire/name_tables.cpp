#include "name_tables.h"

namespace porvel {

const QString NameTable::kUnknownName = QStringLiteral("NAN");

NameTable::NameTable(const ListNames& initial) : entries_(initial) {}

QString NameTable::Name(int index, Language language) const {
    if (index < 0 || index >= kEntries) return kUnknownName;
    const EntryNames& entry = entries_[static_cast<std::size_t>(index)];
    return language == Language::Russian ? entry.russian : entry.english;
}

void NameTable::Replace(int index, const QString& russian, const QString& english) {
    if (index < 0 || index >= kEntries) return;
    entries_[static_cast<std::size_t>(index)] = {russian, english};
}

namespace {

// Entries from `first` on are numbered 1, 2, ... after the given stems.
void FillNumbered(ListNames& entries, std::size_t first, const QString& russianStem,
                  const QString& englishStem) {
    for (std::size_t e = first; e < entries.size(); ++e) {
        const QString number = QString::number(e - first + 1);
        entries[e] = {russianStem + number, englishStem + number};
    }
}

}  // namespace

ListNames FactoryMaterialNames() {
    ListNames entries;
    // Entry 0 as the instrument ships it: a trailing blank, and a Cyrillic "С" in "Сoncrete".
    entries[0] = {QStringLiteral("Бетон "), QStringLiteral("Сoncrete")};
    entries[1] = {QStringLiteral("Пенобетон"), QStringLiteral("Concr.Foam")};
    entries[2] = {QStringLiteral("Газобетон"), QStringLiteral("Concr.Air")};
    entries[3] = {QStringLiteral("Кирпич сил."), QStringLiteral("Brick sil.")};
    entries[4] = {QStringLiteral("Кирпич обл."), QStringLiteral("Brick tile")};
    entries[5] = {QStringLiteral("Дерево"), QStringLiteral("Wood")};
    FillNumbered(entries, 6, QStringLiteral("Материал "), QStringLiteral("Material "));
    return entries;
}

ListNames FactoryObjectNames() {
    ListNames entries;
    entries[0] = {QStringLiteral("Плита"), QStringLiteral("Plate")};
    entries[1] = {QStringLiteral("Перекрытие"), QStringLiteral("Floor")};
    entries[2] = {QStringLiteral("Колонна"), QStringLiteral("Column")};
    entries[3] = {QStringLiteral("Свая"), QStringLiteral("Pile")};
    entries[4] = {QStringLiteral("Балка"), QStringLiteral("Beam")};
    entries[5] = {QStringLiteral("Ферма"), QStringLiteral("Farm")};
    entries[6] = {QStringLiteral("Блок"), QStringLiteral("Block")};
    entries[7] = {QStringLiteral("Стен.панель"), QStringLiteral("Wallboard")};
    entries[8] = {QStringLiteral("Ригиль"), QStringLiteral("Rigil")};
    entries[9] = {QStringLiteral("Фунд. балка"), QStringLiteral("Base beam")};
    entries[10] = {QStringLiteral("Диафрагма"), QStringLiteral("Diaphragm")};
    FillNumbered(entries, 11, QStringLiteral("Объект "), QStringLiteral("Object "));
    return entries;
}

}  // namespace porvel
