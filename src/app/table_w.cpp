#include "table_w.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <array>
#include <climits>

#include "base/language.h"
#include "menu_icons.h"
#include "ui/design_metrics.h"
#include "ui/main_texts.h"

namespace porvel {
namespace {

// The English header of column 0 has the Cyrillic "а" before the comma, and the Russian header
// of column 1 the Latin "mc", as the instrument's documents print them.
constexpr std::array<TextPair, TForm9::kColumns> kHeader = {{
    {u"Параметр воздухопроницаемости бетона а, см3/с", u"Setting concrete breathability а, sm3/s"},
    {u"Сопротивление бетона прониканию воздуха mc, с/см3",
     u"Penetration resistance of concrete air m, s/sm3"},
    {u"Марка бетона по водонепроницаемости", u"Mark concrete waterproofing"},
}};

// The ranges of a (cm3/s) and mc (s/cm3) of each grade, the same in both languages.
constexpr std::array<std::array<const char*, TForm9::kColumns>, TForm9::kRows - 1> kGrades = {{
    {"0,325 - 0,224", "3,1 - 4,5", "W2"},
    {"0,223 - 0,154", "4,6 - 6,5", "W4"},
    {"0,153 - 0,106", "6,6 - 9,4", "W6"},
    {"0,105 - 0,0728", "9,5 - 13,7", "W8"},
    {"0,0727 - 0,0510", "13,8 - 19,6", "W10"},
    {"0,0509 - 0,0345", "19,7 - 29,0", "W12"},
    {"0,0344 - 0,0238", "29,1 - 42,0", "W14"},
    {"0,0237 - 0,0164", "42,1 - 60,9", "W16"},
    {"0,0163 - 0,0113", "61,0 - 88,5", "W18"},
    {"0,0112 - 0,0077", "88,6 - 130,2", "W20"},
}};

// Design pixels of a 120 dpi screen.
constexpr std::array<int, TForm9::kColumns> kColumnWidths = {168, 178, 174};
constexpr int kFontPx = 13;
constexpr int kRowMargin = 5;     // below the tallest text of a row
constexpr int kBottomMargin = 5;  // below the last row
constexpr int kRightMargin = 20;  // right of the last column

constexpr int kTextFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

// Every cell goes through the window's own drawing; the header row looks like the grid's fixed
// row.
class DrawCellDelegate : public QStyledItemDelegate {
public:
    DrawCellDelegate(const TForm9& form, QObject* parent)
        : QStyledItemDelegate(parent), form_(form) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QBrush background =
            index.row() == 0 ? option.palette.button() : option.palette.base();
        painter->save();
        painter->setFont(option.font);
        painter->setPen(option.palette.color(QPalette::Text));
        form_.StringGrid1DrawCell(*painter, index.column(), index.row(), option.rect, background);
        painter->restore();
    }

private:
    const TForm9& form_;
};

}  // namespace

TForm9::TForm9(QWidget* parent) : QDialog(parent), StringGrid1(new QTableWidget(this)) {
    setObjectName(QStringLiteral("Form9"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ApplicationIcon());
    QFont windowFont = font();
    windowFont.setPixelSize(Design(kFontPx));
    setFont(windowFont);

    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setFrameShape(QFrame::NoFrame);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setMinimumSectionSize(1);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->setFocusPolicy(Qt::NoFocus);
    StringGrid1->setShowGrid(true);
    StringGrid1->setItemDelegate(new DrawCellDelegate(*this, StringGrid1));

    const Language language = CurrentLanguage();
    setWindowTitle(MainTextOf(MainText::TableW, language));
    StringGrid1->setColumnCount(kColumns);
    StringGrid1->setRowCount(kRows);
    for (int col = 0; col < kColumns; ++col) {
        StringGrid1->setColumnWidth(col, Design(kColumnWidths[static_cast<std::size_t>(col)]));
        StringGrid1->setItem(0, col,
                             new QTableWidgetItem(TextIn(kHeader[std::size_t(col)], language)));
        for (int row = 1; row < kRows; ++row)
            StringGrid1->setItem(row, col,
                                 new QTableWidgetItem(QString::fromUtf8(
                                     kGrades[std::size_t(row - 1)][std::size_t(col)])));
    }
    FitToTable();
}

int TForm9::StringGrid1DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                                const QBrush& background) const {
    painter.fillRect(rect, background);
    const QTableWidgetItem* item = StringGrid1->item(row, col);
    QRect drawn;
    painter.drawText(rect, kTextFlags, item ? item->text() : QString(), &drawn);
    return drawn.height();
}

// Each row as tall as its tallest wrapped text plus a margin, and the grid and the window just
// large enough for the whole table, so no scroll bar is ever needed. The heights are measured
// with the same font, width and wrapping that the drawing uses, before the window is shown.
void TForm9::FitToTable() {
    const QFontMetrics metrics(StringGrid1->font());
    int bottom = 0;
    for (int row = 0; row < kRows; ++row) {
        int tallest = 0;
        for (int col = 0; col < kColumns; ++col) {
            const QRect box(0, 0, StringGrid1->columnWidth(col), INT_MAX / 2);
            tallest = std::max(
                tallest, metrics.boundingRect(box, kTextFlags, StringGrid1->item(row, col)->text())
                             .height());
        }
        StringGrid1->setRowHeight(row, tallest + Design(kRowMargin));
        bottom += StringGrid1->rowHeight(row);
    }
    int right = 0;
    for (int col = 0; col < kColumns; ++col) right += StringGrid1->columnWidth(col);
    const QSize size(right + Design(kRightMargin), bottom + Design(kBottomMargin));
    StringGrid1->setGeometry(QRect(QPoint(0, 0), size));
    setFixedSize(size);
}

}  // namespace porvel
