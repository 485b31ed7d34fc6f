#include "find_bar.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "base/locale_format.h"

namespace porvel {
namespace {

constexpr TextPair kFind = {u"Найти:", u"Find:"};
constexpr TextPair kFrom = {u"с", u"from"};
constexpr TextPair kTo = {u"по", u"to"};
constexpr TextPair kShowing = {u"Показано %1 из %2", u"Showing %1 of %2"};
constexpr TextPair kClose = {u"Закрыть (Esc)", u"Close (Esc)"};
constexpr TextPair kNoDate = {u"—", u"—"};
constexpr int kWidestCount = 99999;
// Earlier than any measurement: the date edits' "no date".
const QDate kNoDateValue(1900, 1, 1);

QDateEdit* MakeDateEdit(QWidget* parent, const char* name) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setCalendarPopup(true);
    edit->setMinimumDate(kNoDateValue);
    edit->setDate(kNoDateValue);
    edit->setDisplayFormat(DateFormat());
    return edit;
}

QDate DateOf(const QDateEdit* edit) {
    return edit->date() == kNoDateValue ? QDate() : edit->date();
}

}  // namespace

FindBar::FindBar(QWidget* parent)
    : QWidget(parent),
      findLabel(new QLabel(this)),
      textEdit(new QLineEdit(this)),
      fromLabel(new QLabel(this)),
      fromEdit(MakeDateEdit(this, "fromEdit")),
      toLabel(new QLabel(this)),
      toEdit(MakeDateEdit(this, "toEdit")),
      countLabel(new QLabel(this)),
      closeButton(new QToolButton(this)) {
    setObjectName(QStringLiteral("findBar"));
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setClearButtonEnabled(true);
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
    connect(fromEdit, &QDateEdit::dateChanged, this, &FindBar::FilterChanged);
    connect(toEdit, &QDateEdit::dateChanged, this, &FindBar::FilterChanged);
    connect(closeButton, &QToolButton::clicked, this, &FindBar::CloseRequested);
}

RowFilter FindBar::Filter() const {
    return {textEdit->text(), DateOf(fromEdit), DateOf(toEdit)};
}

void FindBar::Clear() {
    const QSignalBlocker quietText(textEdit), quietFrom(fromEdit), quietTo(toEdit);
    textEdit->clear();
    fromEdit->setDate(kNoDateValue);
    toEdit->setDate(kNoDateValue);
}

void FindBar::ApplyTexts(Language language) {
    findLabel->setText(TextIn(kFind, language));
    fromLabel->setText(TextIn(kFrom, language));
    toLabel->setText(TextIn(kTo, language));
    closeButton->setToolTip(TextIn(kClose, language));
    // Room for the longest count, so that the bar does not shift as the count grows.
    const QString widest = TextIn(kShowing, language).arg(kWidestCount).arg(kWidestCount);
    countLabel->setMinimumWidth(countLabel->fontMetrics().horizontalAdvance(widest));
    fromEdit->setSpecialValueText(TextIn(kNoDate, language));
    toEdit->setSpecialValueText(TextIn(kNoDate, language));
}

void FindBar::ShowCount(int shown, int total, Language language) {
    countLabel->setText(TextIn(kShowing, language).arg(shown).arg(total));
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit CloseRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace porvel
