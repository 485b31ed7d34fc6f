#include <QGuiApplication>

#include "cli_tool.h"

int main(int argc, char** argv) {
    // The tool shows no window: the offscreen platform gives it fonts and pictures without a
    // display, so it runs the same over ssh and from cron.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return porvel::cli::RunTool(app.arguments());
}
