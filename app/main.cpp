// Process entry: the only place that knows every layer.
#include <QApplication>
#include <QStandardPaths>
#include <QTableView>

#include <cstdio>
#include <cstdlib>

#include "core/forms.h"
#include "core/startup.h"
#include "lvcolor/colourdelegate.h"
#include "ui/form.h"
#include "ui/handlers.h"

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
    // Only closing the main window ends the program, even with the history window still open.
    application.setQuitOnLastWindowClosed(false);

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    durava::core::AppState state =
        durava::core::StartUp(durava::core::DocumentsFolder(documents.toStdU16String()));
    durava::lvcolor::ListViewColouring MainListColours;

    durava::ui::Handlers handlers;
    handlers.Add("InitMainWindow", [&](durava::ui::Form& main) {
        MainListColours.SetWindows(main.Handle(), main.Handle(u"超级列表"));
        durava::lvcolor::AttachParent(MainListColours,
                                      qobject_cast<QTableView*>(main.Control(u"超级列表")));
    });
    handlers.Add("CloseMainWindow", [](durava::ui::Form&) { QApplication::exit(0); });
    durava::ui::Form::Open(durava::core::forms::MainWindow(), handlers);
    return application.exec();
}
