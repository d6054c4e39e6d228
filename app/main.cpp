// SPDX-License-Identifier: MIT
// Process entry: the only place that knows every layer.
#include <QApplication>
#include <QList>
#include <QPointer>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "app/checkcommand.h"

#include "app/program.h"
#include "forms/forms.h"
#include "store/startup.h"
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

std::filesystem::path Documents() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return durava::store::DocumentsFolder(documents.toStdU16String());
}

// A windowed program on Windows has no console of its own: the check writes to the one it was
// started from, when there is one.
void ReachTheConsole() {
#ifdef _WIN32
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
        std::cout.clear();
        std::cerr.clear();
    }
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (durava::app::AsksForCheck(arguments)) {
        ReachTheConsole();
        return durava::app::RunCheckCommand(arguments, Documents(), std::cin, std::cout, std::cerr);
    }
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
    globals.app = durava::store::StartUp(Documents());
    durava::app::RegisterHandlers(globals);
    if (!durava::app::OpenDesk(globals)) return 0;
    durava::ui::Form* main = durava::ui::Form::Open(durava::forms::MainWindow(), globals.handlers);
    // Closing the main window ends the program, whatever other window is still open.
    QObject::connect(main, &QObject::destroyed, &application, [] { QApplication::exit(0); });
    const int status = application.exec();
    CloseRemainingWindows();
    return status;
}
