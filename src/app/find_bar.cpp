#include "find_bar.h"

#include <QAction>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <optional>

#include "archive/archive_table.h"
#include "base/locale_format.h"

namespace porvel {
namespace {

constexpr TextPair kFind = {u"Найти:", u"Find:"};
constexpr TextPair kFrom = {u"с", u"from"};
constexpr TextPair kTo = {u"по", u"to"};
constexpr TextPair kShowing = {u"Показано %1 из %2", u"Showing %1 of %2"};
constexpr TextPair kClose = {u"Закрыть (Esc)", u"Close (Esc)"};
constexpr TextPair kDateHint = {u"Дата, например 01.03.2017; пусто или «—» — без границы",
                                u"A date, e.g. 01.03.2017; empty or “—” for no bound"};
constexpr TextPair kCalendar = {u"Календарь", u"Calendar"};
const QString kNoDate = QStringLiteral("—");
constexpr int kWidestCount = 99999;

// The date forms typed most: the instrument's own, with or without leading zeros and dots.
const QString kTypedForms[] = {QStringLiteral("d.M.yyyy"), QStringLiteral("ddMMyyyy")};

// A null date for no bound, nothing for a text that is no date.
std::optional<QDate> ReadFindDate(const QString& typed) {
    const QString text = typed.trimmed();
    // The dash is hard to type: a hyphen or an en dash stand for it.
    if (text.isEmpty() || text == kNoDate || text == QStringLiteral("-") ||
        text == QStringLiteral("–"))
        return QDate();
    for (const QString& form : kTypedForms)
        if (const QDate date = QDate::fromString(text, form); date.isValid()) return date;
    if (const QDate date = ParseDate(text); date.isValid()) return date;
    return std::nullopt;
}

// A leaf of a wall calendar, 16 x 16.
QIcon CalendarIcon() {
    QPixmap leaf(16, 16);
    leaf.fill(Qt::transparent);
    QPainter p(&leaf);
    p.setPen(QColor(0x50, 0x50, 0x50));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(0xc0, 0x30, 0x30));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 3; x <= 11; x += 3) p.fillRect(x, y, 2, 1, QColor(0x50, 0x50, 0x50));
    return QIcon(leaf);
}

}  // namespace

FindDateEdit::FindDateEdit(QWidget* parent)
    : QLineEdit(parent), calendarAction(addAction(CalendarIcon(), QLineEdit::TrailingPosition)) {
    setPlaceholderText(kNoDate);
    calendarAction->setObjectName(QStringLiteral("calendarAction"));
    connect(calendarAction, &QAction::triggered, this, &FindDateEdit::ShowCalendar);
    connect(this, &QLineEdit::textChanged, this, &FindDateEdit::ReadText);
    // Once typed, a date shows in the desktop's form, which says how it was read.
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (date_.isValid()) setText(FormatDate(date_));
    });
}

void FindDateEdit::Clear() {
    const QSignalBlocker quiet(this);
    clear();
    ReadText();
}

void FindDateEdit::ApplyTexts(Language language) {
    setToolTip(TextIn(kDateHint, language));
    calendarAction->setToolTip(TextIn(kCalendar, language));
}

void FindDateEdit::ReadText() {
    const std::optional<QDate> read = ReadFindDate(text());
    QPalette look;  // the inherited colours
    if (!read) look.setColor(QPalette::Text, Qt::red);
    setPalette(look);
    const QDate date = read.value_or(QDate());
    if (date == date_) return;
    date_ = date;
    if (!signalsBlocked()) emit DateChanged();
}

void FindDateEdit::ShowCalendar() {
    if (!calendar) {
        calendar = new QCalendarWidget(this);
        calendar->setObjectName(QStringLiteral("calendar"));
        calendar->setWindowFlags(Qt::Popup);
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        const auto pick = [this](QDate date) {
            calendar->hide();
            setText(FormatDate(date));
            setFocus();
        };
        connect(calendar, &QCalendarWidget::clicked, this, pick);
        connect(calendar, &QCalendarWidget::activated, this, pick);
    }
    QDate at = date_.isValid() ? date_ : calendarStart ? calendarStart() : QDate();
    if (!at.isValid()) at = QDate::currentDate();
    calendar->setSelectedDate(at);
    calendar->setCurrentPage(at.year(), at.month());
    calendar->adjustSize();
    QPoint place = mapToGlobal(QPoint(0, height()));
    if (const QScreen* shown = screen()) {
        const QRect room = shown->availableGeometry();
        place.setX(qBound(room.left(), place.x(), room.right() - calendar->width()));
        if (place.y() + calendar->height() > room.bottom())
            place.setY(mapToGlobal(QPoint(0, 0)).y() - calendar->height());
    }
    calendar->move(place);
    calendar->show();
    calendar->setFocus();
}

FindBar::FindBar(QWidget* parent)
    : QWidget(parent),
      findLabel(new QLabel(this)),
      textEdit(new QLineEdit(this)),
      fromLabel(new QLabel(this)),
      fromEdit(new FindDateEdit(this)),
      toLabel(new QLabel(this)),
      toEdit(new FindDateEdit(this)),
      countLabel(new QLabel(this)),
      closeButton(new QToolButton(this)) {
    setObjectName(QStringLiteral("findBar"));
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setClearButtonEnabled(true);
    fromEdit->setObjectName(QStringLiteral("fromEdit"));
    toEdit->setObjectName(QStringLiteral("toEdit"));
    fromEdit->calendarStart = [this] { return TableDate(false); };
    toEdit->calendarStart = [this] { return TableDate(true); };
    countLabel->setObjectName(QStringLiteral("countLabel"));
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setText(QStringLiteral("×"));
    closeButton->setAutoRaise(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(findLabel);
    row->addWidget(textEdit, 1);
    row->addWidget(fromLabel);
    row->addWidget(fromEdit);
    row->addWidget(toLabel);
    row->addWidget(toEdit);
    row->addWidget(countLabel);
    row->addWidget(closeButton);
    connect(textEdit, &QLineEdit::textChanged, this, &FindBar::FilterChanged);
    connect(fromEdit, &FindDateEdit::DateChanged, this, &FindBar::FilterChanged);
    connect(toEdit, &FindDateEdit::DateChanged, this, &FindBar::FilterChanged);
    connect(closeButton, &QToolButton::clicked, this, &FindBar::CloseRequested);
}

RowFilter FindBar::Filter() const {
    return {textEdit->text(), fromEdit->Date(), toEdit->Date()};
}

void FindBar::Clear() {
    const QSignalBlocker quietText(textEdit);
    textEdit->clear();
    fromEdit->Clear();
    toEdit->Clear();
}

void FindBar::ApplyTexts(Language language) {
    findLabel->setText(TextIn(kFind, language));
    fromLabel->setText(TextIn(kFrom, language));
    toLabel->setText(TextIn(kTo, language));
    closeButton->setToolTip(TextIn(kClose, language));
    fromEdit->ApplyTexts(language);
    toEdit->ApplyTexts(language);
    // Room for the longest count, so that the bar does not shift as the count grows.
    const QString widest = TextIn(kShowing, language).arg(kWidestCount).arg(kWidestCount);
    countLabel->setMinimumWidth(countLabel->fontMetrics().horizontalAdvance(widest));
}

void FindBar::ShowCount(int shown, int total, Language language) {
    countLabel->setText(TextIn(kShowing, language).arg(shown).arg(total));
}

QDate FindBar::TableDate(bool last) const {
    QDate found;
    if (!table_) return QDate::currentDate();
    for (int row = 1; row < table_->GridRowCount(); ++row) {
        const Measurement& values = table_->Values(row);
        if (values.blank) continue;
        const QDate date = values.date;
        if (date.isValid() && (!found.isValid() || (last ? date > found : date < found)))
            found = date;
    }
    return found.isValid() ? found : QDate::currentDate();
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit CloseRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace porvel
