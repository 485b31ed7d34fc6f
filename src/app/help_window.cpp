#include "help_window.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

// The pages are compiled into the static library; make sure their resource is registered.
static void RegisterHelpPages() {
    Q_INIT_RESOURCE(help);
}

namespace porvel {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 560;

QPointer<QTextBrowser>& HelpWindow() {
    static QPointer<QTextBrowser> window;
    return window;
}

}  // namespace

void ShowHelp(QWidget* owner, Language language) {
    RegisterHelpPages();
    QPointer<QTextBrowser>& window = HelpWindow();
    if (!window) {
        window = new QTextBrowser(owner);
        window->setWindowFlag(Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setObjectName(QStringLiteral("HelpWindow"));
        window->resize(kWidth, kHeight);
    }
    const bool russian = language == Language::Russian;
    window->setSource(
        QUrl(russian ? QStringLiteral("qrc:/help/ru.html") : QStringLiteral("qrc:/help/en.html")));
    window->setWindowTitle(window->documentTitle());
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace porvel
