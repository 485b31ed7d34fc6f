#include "main_texts.h"

#include <array>

namespace porvel {
namespace {

// The Russian text of the last row begins with a Latin "c".
constexpr std::array<KeyedText<MainText>, static_cast<std::size_t>(MainText::Count)> kTexts = {{
    {MainText::ProductName, {u"Porvel", u"Porvel"}},
    {MainText::File, {u"Файл", u"File"}},
    {MainText::New, {u"Создать", u"New"}},
    {MainText::Open, {u"Открыть", u"Open"}},
    {MainText::Save, {u"Сохранить", u"Save"}},
    {MainText::SaveAs, {u"Сохранить как...", u"Save As..."}},
    {MainText::ExportToExcel, {u"Экспорт в Exel", u"Export to Exel"}},
    {MainText::Print, {u"Печать", u"Print"}},
    {MainText::Exit, {u"Выход", u"Exit"}},
    {MainText::Edit, {u"Правка", u"Edit"}},
    {MainText::CopyTable, {u"Копировать таблицу в буфер", u"Copy table to clipboard"}},
    {MainText::CopySelection,
     {u"Копировать выделенное в буфер(Ctrl+C)", u"Copy select to clipboard (Ctrl+C)"}},
    {MainText::Screenshot, {u"Скриншот из прибора", u"Screenshot from Device"}},
    {MainText::Help, {u"Помощь", u"Help"}},
    {MainText::TableW, {u"Таблица W", u"Table W"}},
    {MainText::Contents, {u"Справка", u"Information"}},
    {MainText::About, {u"О приборе", u"About"}},
    {MainText::ReadFromDevice, {u"Загрузить архив", u"Read from device"}},
    {MainText::MaterialsSetting, {u"Настройка Материалов", u"Materials Setting "}},
    {MainText::ObjectsSetting, {u"Настройка Объектов", u"Objects Setting "}},
    {MainText::ArchiveTitle, {u"Архив измерений ", u"Archive of measurements "}},
    {MainText::ArchiveNotRead, {u"Архив не считан!", u"Archive not read!"}},
    {MainText::Error, {u"Ошибка", u"Error"}},
    {MainText::ExportError, {u"Экспорт данных - Ошибка !!!", u"Export of the data - Error !!!"}},
    {MainText::TableEmpty, {u"Таблтца пуста", u"The table is empty"}},
    {MainText::HintSort, {u"Левая кнопка мыши - Сортировка", u"Left mouse button - Sort"}},
    {MainText::HintPlot,
     {u"Двойной клик левой кнопкой мыши - Построить график",
      u"Double click the left mouse button - Plot"}},
    {MainText::HintSelect,
     {u"Левая кнопка мыши + Тащить - Выделение", u"Left mouse button + drag - Highlight"}},
    {MainText::Delete, {u"Удалить", u"Delete"}},
    {MainText::FileExistsFirst, {u"Файл с таким именем ", u"File with this name"}},
    {MainText::FileExistsSecond, {u"cуществует, Заменить его?", u"exists, Replace it?"}},
}};
static_assert(KeysInOrder(kTexts, MainText::Count));

}  // namespace

QString MainTextOf(MainText row, Language lang) {
    return TextOf(kTexts, row, lang);
}

}  // namespace porvel
