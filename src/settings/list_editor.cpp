#include "list_editor.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "ui/design_metrics.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"
#include "wire/protocol.h"

namespace porvel {
namespace {

constexpr int kRows = 21;  // the header row and the 20 entries
constexpr int kRowHeight = 20;
constexpr int kFontPx = 14;
constexpr int kStoredColumns = 4;
constexpr int kNameColumn = 1;
constexpr int kLabelWidth = 300, kLabelHeight = 17;
constexpr int kShownRole = Qt::UserRole;
constexpr int kExactRole = Qt::UserRole + 1;

}  // namespace

QWidget* EditorCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && index.column() == kNameColumn)
        line->setMaxLength(static_cast<int>(protocol::kShortNameMaxChars));
    return editor;
}

EditorGridWidget::EditorGridWidget(const std::vector<int>& designWidths, int columns,
                                   QWidget* parent)
    : QTableWidget(kRows, kStoredColumns, parent) {
    setItemDelegate(new EditorCellDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(Design(kRowHeight));
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    for (int col = 0; col < kStoredColumns; ++col) {
        if (col < static_cast<int>(designWidths.size()))
            setColumnWidth(col, Design(designWidths[static_cast<std::size_t>(col)]));
        setColumnHidden(col, col >= columns);  // stored and read, never drawn
    }
    const QBrush fixed = palette().button();
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kStoredColumns; ++col) {
            auto* item = new QTableWidgetItem;
            if (row == 0 || col == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixed);
            }
            setItem(row, col, item);
        }
}

QString EditorGridWidget::Cell(int column, int row) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void EditorGridWidget::SetCell(int column, int row, const QString& text) {
    if (QTableWidgetItem* cell = item(row, column)) cell->setText(text);
}

void EditorGridWidget::SetRows(const EditorRows& rows) {
    for (std::size_t e = 0; e < rows.size(); ++e)
        for (int col = 0; col < kStoredColumns; ++col)
            SetCell(col, static_cast<int>(e) + 1, rows[e][static_cast<std::size_t>(col)]);
    for (int column : readOnlyColumns_)
        for (int row = 1; row < kRows; ++row)
            item(row, column)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    filled_ = true;
}

void EditorGridWidget::SetExactText(int column, int row, const QString& shown,
                                    const QString& exact) {
    QTableWidgetItem* cell = item(row, column);
    if (!cell || cell->text() != shown) return;  // already edited
    cell->setData(kShownRole, shown);
    cell->setData(kExactRole, exact);
}

EditorRows EditorGridWidget::Rows() const {
    EditorRows rows;
    for (std::size_t e = 0; e < rows.size(); ++e)
        for (int col = 0; col < kStoredColumns; ++col) {
            const QTableWidgetItem* cell = item(static_cast<int>(e) + 1, col);
            const QVariant exact = cell->data(kExactRole);
            rows[e][static_cast<std::size_t>(col)] =
                exact.isValid() && cell->text() == cell->data(kShownRole).toString()
                    ? exact.toString()
                    : cell->text();
        }
    return rows;
}

ListEditor::ListEditor(ExchangeSession& session, Language language, const Layout& layout,
                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      grid(new EditorGridWidget(layout.columnWidths, static_cast<int>(layout.columnWidths.size()),
                                this)),
      progressGauge(new QProgressBar(this)),
      statusLabel(new QLabel(this)),
      loadButton(new QPushButton(this)),
      language_(language),
      read_(layout.read),
      write_(layout.write),
      designWidths_(layout.columnWidths),
      exchange_(session, language) {
    QFont windowFont = font();
    windowFont.setPixelSize(Design(kFontPx));
    setFont(windowFont);
    resize(Design(layout.clientWidth), Design(layout.clientHeight));
    grid->setObjectName(QStringLiteral("grid"));
    grid->setGeometry(Design(layout.gridLeft), Design(layout.gridTop), Design(layout.gridWidth),
                      Design(layout.gridHeight));
    progressGauge->setGeometry(Design(layout.gaugeLeft), Design(layout.gaugeTop),
                               Design(layout.gaugeWidth), Design(layout.gaugeHeight));
    progressGauge->setRange(0, 100);
    progressGauge->setValue(0);
    progressGauge->setTextVisible(false);
    progressGauge->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: navy; }"));
    statusLabel->setGeometry(Design(layout.labelLeft), Design(layout.labelTop), Design(kLabelWidth),
                             Design(kLabelHeight));
    loadButton->setGeometry(Design(layout.buttonLeft), Design(layout.buttonTop),
                            Design(layout.buttonWidth), Design(layout.buttonHeight));
    loadButton->setAutoDefault(false);
    loadButton->setEnabled(false);  // until the read has filled the grid
    connect(loadButton, &QPushButton::clicked, this, &ListEditor::OnLoadClicked);
    // A longer name typed or chosen widens its column at once.
    connect(grid, &QTableWidget::itemChanged, this, [this] {
        if (filledSeen_) FitColumns();
    });
}

void ListEditor::FitColumns() {
    constexpr int kTextMargin = 12;  // the cell's padding and focus frame on both sides
    const QFontMetrics metrics(grid->font());
    int extra = 0;
    for (int col = 0; col < static_cast<int>(designWidths_.size()); ++col) {
        int wanted = Design(designWidths_[static_cast<std::size_t>(col)]);
        QStringList texts = ColumnSamples(col);
        for (int row = 0; row < grid->rowCount(); ++row) texts << grid->Cell(col, row);
        for (const QString& text : texts)
            wanted = std::max(wanted, metrics.horizontalAdvance(text) + kTextMargin);
        extra += std::max(0, wanted - grid->columnWidth(col));
        grid->setColumnWidth(col, std::max(wanted, grid->columnWidth(col)));
    }
    if (extra == 0) return;
    const bool fixed = minimumSize() == maximumSize();
    grid->resize(grid->width() + extra, grid->height());
    progressGauge->resize(progressGauge->width() + extra, progressGauge->height());
    loadButton->resize(loadButton->width() + extra, loadButton->height());
    statusLabel->resize(statusLabel->width() + extra, statusLabel->height());
    if (fixed)
        setFixedSize(width() + extra, height());
    else
        resize(width() + extra, height());
}

ListEditor::~ListEditor() {
    exchange_.Finish();
}

void ListEditor::done(int result) {
    exchange_.Finish();
    QDialog::done(result);
}

ExchangeControls ListEditor::Controls() {
    ExchangeControls controls;
    controls.gauge = progressGauge;
    controls.statusLabel = statusLabel;
    controls.gridOwner = this;
    controls.grid = this;
    return controls;
}

bool ListEditor::StartRead() {
    const ExchangeControls controls = Controls();
    const ListsFlag lists =
        read_ == Operation::ReadMaterials ? ListsFlag::Cleared : ListsFlag::Unchanged;
    progressGauge->show();
    return exchange_.Start(read_, lists, controls, [this] { ExchangeEnded(); });
}

void ListEditor::OnLoadClicked() {
    if (exchange_.Running() || !grid->Filled()) return;
    grid->setCurrentCell(-1, -1);  // ends an edit in progress, keeping its text
    if (ReportPendingInput()) return;
    if (const auto problem = RowsProblem(grid->Rows())) {
        LocalizedMessageBox(*problem, TextIn(kWarningCaption, language_), box::kError, language_);
        return;
    }
    const ExchangeControls controls = Controls();
    progressGauge->setValue(0);
    progressGauge->show();
    if (exchange_.Start(write_, ListsFlag::Set, controls, [this] { ExchangeEnded(); }))
        loadButton->setEnabled(false);
}

void ListEditor::ExchangeEnded() {
    if (grid->Filled() && !filledSeen_) {
        filledSeen_ = true;
        GridFilled();
        FitColumns();
    }
    loadButton->setEnabled(grid->Filled());
}

void ListEditor::ShowLists(const ListRead& read) {
    if (const std::optional<EditorRows> rows = RowsOf(read)) grid->SetRows(*rows);
}

ListEdits ListEditor::Edits(ListKind /*kind*/) const {
    return EditsOf(grid->Rows());
}

}  // namespace porvel
