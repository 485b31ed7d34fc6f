// Answers every modal message box that comes up while it lives, one answer after the other,
// and keeps what each box showed. A box beyond the answers given is closed as Escape closes it.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QTimer>

namespace porvel::testing {

class BoxScript : public QObject {
public:
    static constexpr int kPollMs = 5;

    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };

    explicit BoxScript(QList<QMessageBox::StandardButton> answers = {})
        : answers_(std::move(answers)) {
        timer_.setInterval(kPollMs);
        connect(&timer_, &QTimer::timeout, this, [this] {
            // A box that was answered hides at once, so a visible one is always a new one.
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            seen << Seen{box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            QAbstractButton* button =
                answers_.isEmpty() ? box->escapeButton() : box->button(answers_.takeFirst());
            if (button) button->click();
        });
        timer_.start();
    }

    QList<Seen> seen;

private:
    QList<QMessageBox::StandardButton> answers_;
    QTimer timer_;
};

}  // namespace porvel::testing
