#include "table_w.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <array>
#include <climits>

#include "archive/grade_table.h"
#include "base/language.h"
#include "menu_icons.h"
#include "ui/design_metrics.h"
#include "ui/main_texts.h"

namespace porvel {
namespace {

// The English header of column 0 has the Cyrillic "а" before the comma, and the Russian header
// of column 1 the Latin "mc", as the instrument's documents print them.
constexpr std::array<TextPair, GradeTableDialog::kColumns> kHeader = {{
    {u"Параметр воздухопроницаемости бетона а, см3/с", u"Setting concrete breathability а, sm3/s"},
    {u"Сопротивление бетона прониканию воздуха mc, с/см3",
     u"Penetration resistance of concrete air m, s/sm3"},
    {u"Марка бетона по водонепроницаемости", u"Mark concrete waterproofing"},
}};

static_assert(GradeTableDialog::kRows == kGradeRanges.size() + 1);

// Design pixels of a 120 dpi screen.
constexpr std::array<int, GradeTableDialog::kColumns> kColumnWidths = {168, 178, 174};
constexpr int kFontPx = 13;
constexpr int kRowMargin = 5;     // below the tallest text of a row
constexpr int kBottomMargin = 5;  // below the last row
constexpr int kRightMargin = 20;  // right of the last column

constexpr int kTextFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

// Every cell goes through the window's own drawing; the header row looks like the grid's fixed
// row.
class DrawCellDelegate : public QStyledItemDelegate {
public:
    DrawCellDelegate(const GradeTableDialog& form, QObject* parent)
        : QStyledItemDelegate(parent), form_(form) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QBrush background =
            index.row() == 0 ? option.palette.button() : option.palette.base();
        painter->save();
        painter->setFont(option.font);
        painter->setPen(option.palette.color(QPalette::Text));
        form_.DrawCell(*painter, index.column(), index.row(), option.rect, background);
        painter->restore();
    }

private:
    const GradeTableDialog& form_;
};

}  // namespace

GradeTableDialog::GradeTableDialog(Language language, QWidget* parent)
    : QDialog(parent), gradeGrid(new QTableWidget(this)) {
    setObjectName(QStringLiteral("gradeTableDialog"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ApplicationIcon());
    QFont windowFont = font();
    windowFont.setPixelSize(Design(kFontPx));
    setFont(windowFont);

    gradeGrid->setObjectName(QStringLiteral("gradeGrid"));
    gradeGrid->setFrameShape(QFrame::NoFrame);
    gradeGrid->horizontalHeader()->hide();
    gradeGrid->verticalHeader()->hide();
    gradeGrid->verticalHeader()->setMinimumSectionSize(1);
    gradeGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gradeGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gradeGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gradeGrid->setSelectionMode(QAbstractItemView::NoSelection);
    gradeGrid->setFocusPolicy(Qt::NoFocus);
    gradeGrid->setShowGrid(true);
    gradeGrid->setItemDelegate(new DrawCellDelegate(*this, gradeGrid));

    setWindowTitle(MainTextOf(MainText::TableW, language));
    gradeGrid->setColumnCount(kColumns);
    gradeGrid->setRowCount(kRows);
    for (int col = 0; col < kColumns; ++col) {
        gradeGrid->setColumnWidth(col, Design(kColumnWidths[static_cast<std::size_t>(col)]));
        gradeGrid->setItem(0, col,
                           new QTableWidgetItem(TextIn(kHeader[std::size_t(col)], language)));
        for (int row = 1; row < kRows; ++row) {
            const GradeRange& range = kGradeRanges[std::size_t(row - 1)];
            const char* text = col == 0 ? range.aRange : col == 1 ? range.mRange : range.grade;
            gradeGrid->setItem(row, col, new QTableWidgetItem(QString::fromUtf8(text)));
        }
    }
    FitToTable();
}

int GradeTableDialog::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                               const QBrush& background) const {
    painter.fillRect(rect, background);
    const QTableWidgetItem* item = gradeGrid->item(row, col);
    QRect drawn;
    painter.drawText(rect, kTextFlags, item ? item->text() : QString(), &drawn);
    return drawn.height();
}

// Each row as tall as its tallest wrapped text plus a margin, and the grid and the window just
// large enough for the whole table, so no scroll bar is ever needed. The heights are measured
// with the same font, width and wrapping that the drawing uses, before the window is shown.
void GradeTableDialog::FitToTable() {
    const QFontMetrics metrics(gradeGrid->font());
    int bottom = 0;
    for (int row = 0; row < kRows; ++row) {
        int tallest = 0;
        for (int col = 0; col < kColumns; ++col) {
            const QRect box(0, 0, gradeGrid->columnWidth(col), INT_MAX / 2);
            tallest = std::max(
                tallest,
                metrics.boundingRect(box, kTextFlags, gradeGrid->item(row, col)->text()).height());
        }
        gradeGrid->setRowHeight(row, tallest + Design(kRowMargin));
        bottom += gradeGrid->rowHeight(row);
    }
    int right = 0;
    for (int col = 0; col < kColumns; ++col) right += gradeGrid->columnWidth(col);
    const QSize size(right + Design(kRightMargin), bottom + Design(kBottomMargin));
    gradeGrid->setGeometry(QRect(QPoint(0, 0), size));
    setFixedSize(size);
}

}  // namespace porvel
