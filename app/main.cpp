// SPDX-License-Identifier: MIT
// Process entry: the only place that knows every layer.
#include <QApplication>
#include <QList>
#include <QPointer>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

#include "app/program.h"
#include "forms/forms.h"
#include "ui/appearance.h"
#include "ui/form.h"

namespace {

// Qt aborts without a word when it cannot reach a display; the operator gets a plain answer.
// Windows always has a desktop to draw on.
bool DisplayReachable() {
#ifdef _WIN32
    return true;
#else
    return std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") ||
           std::getenv("WAYLAND_DISPLAY");
#endif
}

// Windows without an owner (the history window) may still be open when the main window closes.
// They go before the globals their handlers and models refer to; owned windows go with them.
void CloseRemainingWindows() {
    QList<QPointer<QWidget>> unowned;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->parentWidget()) unowned.append(window);
    }
    for (const QPointer<QWidget>& window : unowned) delete window.data();
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
    durava::ui::SetUpAppearance();
    // Only closing the main window ends the program, even with the history window still open.
    application.setQuitOnLastWindowClosed(false);

    durava::windows::Globals globals;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    globals.app =
        durava::store::StartUp(durava::store::DocumentsFolder(documents.toStdU16String()));
    durava::app::RegisterHandlers(globals);
    if (!durava::app::OpenDesk(globals)) return 0;
    durava::ui::Form* main = durava::ui::Form::Open(durava::forms::MainWindow(), globals.handlers);
    // Closing the main window ends the program, whatever other window is still open.
    QObject::connect(main, &QObject::destroyed, &application, [] { QApplication::exit(0); });
    const int status = application.exec();
    CloseRemainingWindows();
    return status;
}
