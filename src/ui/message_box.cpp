#include "message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <vector>

#include "main_thread.h"

namespace porvel {
namespace {

// The Russian OK is written with the Cyrillic letters О and К.
constexpr TextPair kOkCaption = {u"ОК", u"OK"};
constexpr TextPair kNoCaption = {u"Нет", u"No"};
constexpr TextPair kCancelCaption = {u"Отмена", u"Cancel"};
constexpr TextPair kYesCaption = {u"Да", u"Yes"};
constexpr TextPair kAbortCaption = {u"Прервать", u"Abort"};
constexpr TextPair kRetryCaption = {u"Повторить", u"Retry"};

struct ButtonPlan {
    QMessageBox::StandardButton standard;
    int answer;
    const TextPair* caption;  // null: the platform's own caption
};

std::vector<ButtonPlan> ButtonsOf(unsigned style) {
    using QMB = QMessageBox;
    switch (style & box::kButtonsMask) {
        case box::kOkCancel:
            return {{QMB::Ok, box::kIdOk, &kOkCaption},
                    {QMB::Cancel, box::kIdCancel, &kCancelCaption}};
        case box::kAbortRetryIgnore:
            return {{QMB::Abort, box::kIdAbort, &kAbortCaption},
                    {QMB::Retry, box::kIdRetry, &kRetryCaption},
                    {QMB::Ignore, box::kIdIgnore, nullptr}};
        case box::kYesNoCancel:
            return {{QMB::Yes, box::kIdYes, &kYesCaption},
                    {QMB::No, box::kIdNo, &kNoCaption},
                    {QMB::Cancel, box::kIdCancel, &kCancelCaption}};
        case box::kYesNo:
            return {{QMB::Yes, box::kIdYes, &kYesCaption}, {QMB::No, box::kIdNo, &kNoCaption}};
        case box::kRetryCancel:
            return {{QMB::Retry, box::kIdRetry, &kRetryCaption},
                    {QMB::Cancel, box::kIdCancel, &kCancelCaption}};
        default:
            return {{QMB::Ok, box::kIdOk, &kOkCaption}};
    }
}

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & box::kIconMask) {
        case box::kIconStop:
            return QMessageBox::Critical;
        case box::kIconQuestion:
            return QMessageBox::Question;
        case box::kIconWarning:
            return QMessageBox::Warning;
        case box::kIconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int ShowOnThisThread(const QString& text, const QString& caption, unsigned style, Language language,
                     QWidget* parent, Qt::WindowModality modality) {
    // On the heap: a parent that goes while the box is up takes the box with it.
    QPointer<QMessageBox> messageBox = new QMessageBox(parent);
    messageBox->setWindowTitle(caption);
    messageBox->setText(text);
    messageBox->setIcon(IconOf(style));
    messageBox->setWindowModality(modality);

    const std::vector<ButtonPlan> plans = ButtonsOf(style);
    std::vector<QAbstractButton*> buttons;
    QAbstractButton* cancel = nullptr;
    for (const ButtonPlan& plan : plans) {
        QPushButton* button = messageBox->addButton(plan.standard);
        if (plan.caption) button->setText(TextIn(*plan.caption, language));
        buttons.push_back(button);
        if (plan.answer == box::kIdCancel) cancel = button;
    }
    const std::size_t defaultIndex = (style & box::kDefaultButtonMask) >> box::kDefaultButtonShift;
    messageBox->setDefaultButton(
        static_cast<QPushButton*>(buttons[defaultIndex < buttons.size() ? defaultIndex : 0]));
    // Escape and the close box answer Cancel where there is one, and OK on a lone OK button.
    if (cancel)
        messageBox->setEscapeButton(cancel);
    else if (plans.size() == 1)
        messageBox->setEscapeButton(buttons.front());
    const bool hasCancel = cancel != nullptr;

    if (modality == Qt::NonModal) {
        // exec() would make the box modal; the caller still waits here for the answer.
        QEventLoop loop;
        QObject::connect(messageBox, &QDialog::finished, &loop, &QEventLoop::quit);
        QObject::connect(messageBox, &QObject::destroyed, &loop, &QEventLoop::quit);
        messageBox->show();
        loop.exec();
    } else {
        messageBox->exec();
    }
    QAbstractButton* clicked = messageBox ? messageBox->clickedButton() : nullptr;
    delete messageBox;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (clicked && buttons[i] == clicked) return plans[i].answer;
    // Closed without a button (the window went away): as Escape would have answered.
    if (hasCancel) return box::kIdCancel;
    return plans.size() == 1 ? plans.front().answer : box::kFailed;
}

}  // namespace

int LocalizedMessageBox(const QString& text, const QString& caption, unsigned style,
                        Language language, QWidget* parent, Qt::WindowModality modality) {
    // Boxes need a widget application; a worker's box is shown on the main thread, and the
    // worker waits there for the user's answer.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return box::kFailed;
    int answer = box::kFailed;
    const QPointer<QWidget> over = parent;
    RunOnMainThread([&] {
        // A parent gone before the box could show: a box of its own, as without one.
        answer = ShowOnThisThread(text, caption, style, language, over,
                                  over ? modality : Qt::ApplicationModal);
    });
    return answer;
}

}  // namespace porvel
