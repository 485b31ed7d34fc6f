#include <QApplication>

#include "cli_tool.h"

namespace {

QtMessageHandler gQtHandler = nullptr;

// The tool's stderr carries its own lines only: a script reads its one failure line there. Qt's
// notes about the session (no XDG_RUNTIME_DIR under cron, for one) are left out; its critical
// and fatal messages still go through.
void QtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) gQtHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    // The tool shows no window: the offscreen platform gives it fonts, pictures and the chart of a
    // test record (a widget, hence QApplication) without a display, so it runs the same over ssh
    // and from cron.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    gQtHandler = qInstallMessageHandler(QtMessages);
    QApplication app(argc, argv);
    return porvel::cli::RunTool(app.arguments());
}
