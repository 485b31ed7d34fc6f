// The window tests' one way of answering modal windows, from the event loop of whatever shows
// them, as a user answers them: AnswerNext runs a step on the next modal window of one kind;
// ModalScript answers every message box and file dialog in turn and keeps what each showed.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>

namespace porvel::testing {

// Types `path` into a file dialog's name field, as a user does, and accepts it as its Save or
// Open button does. (Choosing it with selectFile alone races with the dialog's first listing of
// its folder, which may empty the field again.)
inline void TypeFileName(QFileDialog* dialog, const QString& path) {
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(path);
    else
        dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();
}

// The window a user answers next: a message box standing over the modal window without
// blocking it (an exchange's message over its progress dialog), else the modal window itself.
inline QWidget* WindowToAnswer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return nullptr;
    for (QMessageBox* box : modal->findChildren<QMessageBox*>(Qt::FindDirectChildrenOnly))
        if (box->isVisible()) return box;
    return modal;
}

// Polls for the visible modal window while it lives; `handle` gets each one it finds and says
// whether the watch is over.
class ModalWatch : public QObject {
public:
    static constexpr int kPollMs = 5;

    explicit ModalWatch(std::function<bool(QWidget*)> handle) : handle_(std::move(handle)) {
        timer_.setInterval(kPollMs);
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = WindowToAnswer();
            if (!modal || !modal->isVisible()) return;
            // Still while a handler runs, as it may run an event loop of its own; a window is
            // answered once it is on the screen, as a user sees it.
            timer_.stop();
            if (!QTest::qWaitForWindowExposed(modal) || !handle_(modal)) timer_.start();
        });
        timer_.start();
    }

private:
    std::function<bool(QWidget*)> handle_;
    QTimer timer_;
};

// Runs `act` once on the next visible modal window of type Widget. The caller keeps the object
// alive until then, or lets Detached make one that goes by itself.
template <typename Widget>
class AnswerNext : public ModalWatch {
public:
    explicit AnswerNext(std::function<void(Widget*)> act)
        : ModalWatch([this, act = std::move(act)](QWidget* modal) {
              auto* widget = qobject_cast<Widget*>(modal);
              if (!widget) return false;
              act(widget);  // may run an event loop of its own
              answered_ = true;
              return true;
          }) {}
    bool Answered() const { return answered_; }

    // For a step set up by a helper that returns before the window shows.
    static void Detached(std::function<void(Widget*)> act) {
        auto* self = new AnswerNext(std::move(act));
        // Deleted once the step has run, from the event loop rather than inside its own poll.
        QTimer* reaper = new QTimer(self);
        reaper->setInterval(kPollMs);
        connect(reaper, &QTimer::timeout, self, [self] {
            if (self->Answered()) self->deleteLater();
        });
        reaper->start();
    }

private:
    bool answered_ = false;
};

// Answers every message box with the buttons given, in turn, and any box beyond them as Escape
// does; every file dialog with the paths given, in turn (an empty path, or none left, cancels).
class ModalScript : public ModalWatch {
public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };
    struct FileDialog {
        QString name;
        QString title;
        QStringList filters;
        QString fileName;
        QString suffix;
        QFileDialog::AcceptMode mode;
        bool asksToOverwrite;
    };

    explicit ModalScript(QList<QMessageBox::StandardButton> answers = {}, QStringList paths = {})
        : ModalWatch([this](QWidget* modal) {
              Answer(modal);
              return false;
          }),
          answers_(std::move(answers)),
          paths_(std::move(paths)) {}

    QList<Box> seen;
    QList<FileDialog> dialogs;

private:
    // A window that was answered hides at once, so a visible one is always a new one.
    void Answer(QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << Box{box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            QAbstractButton* button =
                answers_.isEmpty() ? box->escapeButton() : box->button(answers_.takeFirst());
            if (button) button->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialogs << FileDialog{dialog->objectName(),
                                  dialog->windowTitle(),
                                  dialog->nameFilters(),
                                  QFileInfo(dialog->selectedFiles().value(0)).fileName(),
                                  dialog->defaultSuffix(),
                                  dialog->acceptMode(),
                                  !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
            const QString path = paths_.isEmpty() ? QString() : paths_.takeFirst();
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            TypeFileName(dialog, path);
        }
    }

    QList<QMessageBox::StandardButton> answers_;
    QStringList paths_;
};

}  // namespace porvel::testing
