#include "main_texts.h"

#include <array>

#include "archive/archive_table.h"

namespace porvel {
namespace {

// The Russian text of the last row begins with a Latin "c".
constexpr std::array<TextPair, kMainTextCount> kTexts = {{
    {u"Porvel", u"Porvel"},
    {u"Файл", u"File"},
    {u"Создать", u"New"},
    {u"Открыть", u"Open"},
    {u"Сохранить", u"Save"},
    {u"Сохранить как...", u"Save As..."},
    {u"Экспорт в Exel", u"Export to Exel"},
    {u"Печать", u"Print"},
    {u"Выход", u"Exit"},
    {u"Правка", u"Edit"},
    {u"Копировать таблицу в буфер", u"Copy table to clipboard"},
    {u"Копировать выделенное в буфер(Ctrl+C)", u"Copy select to clipboard (Ctrl+C)"},
    {u"Скриншот из прибора", u"Screenshot from Device"},
    {u"Помощь", u"Help"},
    {u"Таблица W", u"Table W"},
    {u"Справка", u"Information"},
    {u"О приборе", u"About"},
    {u"Загрузить архив", u"Read from device"},
    {u"Настройка Материалов", u"Materials Setting "},
    {u"Настройка Объектов", u"Objects Setting "},
    kHeaderTexts[column::kDate],
    kHeaderTexts[column::kTime],
    kHeaderTexts[column::kObject],
    kHeaderTexts[column::kMaterial],
    kHeaderTexts[column::kAtmosphere],
    kHeaderTexts[column::kM],
    kHeaderTexts[column::kA],
    kHeaderTexts[column::kH],
    kHeaderTexts[column::kGrade],
    {u"Архив измерений ", u"Archive of measurements "},
    {u"Архив не считан!", u"Archive not read!"},
    {u"Ошибка", u"Error"},
    {u"Экспорт данных - Ошибка !!!", u"Export of the data - Error !!!"},
    {u"Возможно Excel не установлен на компьютере",
     u"Probably Excel it is not established on the computer"},
    {u"Таблтца пуста", u"The table is empty"},
    {u"Левая кнопка мыши - Сортировка", u"Left mouse button - Sort"},
    {u"Двойной клик левой кнопкой мыши - Построить график",
     u"Double click the left mouse button - Plot"},
    {u"Левая кнопка мыши + Тащить - Выделение", u"Left mouse button + drag - Highlight"},
    {u"Удалить", u"Delete"},
    {u"Файл с таким именем ", u"File with this name"},
    {u"cуществует, Заменить его?", u"exists, Replace it?"},
}};

}  // namespace

QString MainTextOf(MainText row, Language lang) {
    const TextPair& pair = kTexts[static_cast<std::size_t>(static_cast<int>(row) - 1)];
    return TextIn(pair, lang);
}

}  // namespace porvel
