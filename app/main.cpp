// Process entry: the only place that knows every layer.
#include <QApplication>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#include "core/startup.h"

namespace {

// Qt aborts without a word when it cannot reach a display; the operator gets a plain answer.
bool DisplayReachable() {
    return std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") ||
           std::getenv("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!DisplayReachable()) {
        std::fputs(
            "Durava needs a graphical display, and none was found.\n"
            "Start it from a desktop session, or without a screen:\n"
            "  offscreen:               QT_QPA_PLATFORM=offscreen durava\n"
            "  under a virtual display: xvfb-run -a durava\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    durava::core::AppState state =
        durava::core::StartUp(durava::core::DocumentsFolder(documents.toStdU16String()));

    QWidget mainWindow;
    mainWindow.setWindowTitle(QStringLiteral("Durava V1.2"));
    mainWindow.setFixedSize(866 - 6, 604 - 29);
    mainWindow.show();
    return application.exec();
}
