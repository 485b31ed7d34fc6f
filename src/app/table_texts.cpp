#include "table_texts.h"

#include "archive_table.h"

namespace porvel {
namespace {

constexpr const char16_t* kSortErrorRussian =
    u"Значение «%1» не удаётся прочитать для сортировки. Таблица оставлена как была.";
constexpr const char16_t* kSortErrorEnglish =
    u"The value \"%1\" cannot be read for sorting. The table was left as it was.";

}  // namespace

MainText GridHintAt(int col, int row) {
    if (row == 0) return MainText::HintSort;
    if (col == column::kNumber && row > 0) return MainText::HintPlot;
    return MainText::HintSelect;
}

QString SortErrorText(const QString& cellText, Language language) {
    const char16_t* pattern = language == Language::Russian ? kSortErrorRussian : kSortErrorEnglish;
    return QString::fromUtf16(pattern).arg(cellText);
}

}  // namespace porvel
