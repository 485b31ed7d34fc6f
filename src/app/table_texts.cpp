#include "table_texts.h"

#include "archive/archive_table.h"

namespace porvel {
namespace {

constexpr TextPair kSortError = {
    u"Значение «%1» не удаётся прочитать для сортировки. Таблица оставлена как была.",
    u"The value \"%1\" cannot be read for sorting. The table was left as it was."};

}  // namespace

MainText GridHintAt(int col, int row) {
    if (row == 0) return MainText::HintSort;
    if (col == column::kNumber && row > 0) return MainText::HintPlot;
    return MainText::HintSelect;
}

QString SortErrorText(const QString& cellText, Language language) {
    return TextIn(kSortError, language).arg(cellText);
}

}  // namespace porvel
