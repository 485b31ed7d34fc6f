// The one routine that shows a message: the standard box with button captions in the program's
// language rather than the system's. Callable from any thread.
#pragma once

#include <QString>
#include <Qt>

#include "base/language.h"

class QWidget;

namespace porvel {

// Style words of the message box, as the program's callers pass them.
namespace box {
constexpr unsigned kOk = 0x0;
constexpr unsigned kOkCancel = 0x1;
constexpr unsigned kAbortRetryIgnore = 0x2;
constexpr unsigned kYesNoCancel = 0x3;
constexpr unsigned kYesNo = 0x4;
constexpr unsigned kRetryCancel = 0x5;
constexpr unsigned kButtonsMask = 0xF;
constexpr unsigned kIconStop = 0x10;
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kIconWarning = 0x30;
constexpr unsigned kIconInformation = 0x40;
constexpr unsigned kIconMask = 0xF0;
constexpr unsigned kDefaultButtonMask = 0xF00;
constexpr unsigned kDefaultButtonShift = 8;
constexpr unsigned kTaskModal = 0x2000;

constexpr unsigned kError = kOk | kIconStop;                               // 0x10
constexpr unsigned kQuestion = kYesNoCancel | kIconQuestion | kTaskModal;  // 0x2023

// Answers: the identifier of the button that closed the box; 0 when no box could be shown.
constexpr int kFailed = 0;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
}  // namespace box

// The buttons are captioned in `language`. By default the box is application-modal. Given a parent
// it stands over that window and goes with it; Qt::NonModal leaves the parent's own controls usable
// while the box waits for its answer (an exchange's Cancel beside its messages).
int LocalizedMessageBox(const QString& text, const QString& caption, unsigned style,
                        Language language, QWidget* parent = nullptr,
                        Qt::WindowModality modality = Qt::ApplicationModal);

}  // namespace porvel
