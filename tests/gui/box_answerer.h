// Waits for the next modal message box, lets the test look at it and then answers it.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace porvel::testing {

// Polls from the event loop until a message box is the active modal widget, then runs
// `answer` on it once. The caller keeps the object alive until the box has been answered.
class BoxAnswerer : public QObject {
public:
    explicit BoxAnswerer(std::function<void(QMessageBox*)> answer) : answer_(std::move(answer)) {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            timer_.stop();
            answer_(box);
            answered_ = true;
        });
        timer_.start();
    }
    bool Answered() const { return answered_; }

private:
    std::function<void(QMessageBox*)> answer_;
    QTimer timer_;
    bool answered_ = false;
};

}  // namespace porvel::testing
