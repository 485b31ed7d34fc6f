#include "chart_double_click.h"

#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "chart_window.h"
#include "curve_view_state.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"

namespace porvel {

void StringGrid1DblClick(ArchiveTable& table, int row, bool rowSelectedThroughNumberCell,
                         QWidget* mainWindow) {
    if (!rowSelectedThroughNumberCell || row < 1 || row >= table.RowCount()) return;
    CurveViewState& state = CurveView();
    state.requestedChartRow = row;
    if (state.chartOpen) {
        state.addCurveRequest = true;
        return;
    }
    if (table.IsEmpty()) {
        const Language language = CurrentLanguage();
        LocalizedMessageBox(MainTextOf(MainText::ArchiveNotRead, language),
                            TextIn(kWarningCaption, language), box::kError);
        return;
    }
    auto* window = new TForm4(table, Curves(), mainWindow);
    window->show();
}

}  // namespace porvel
