// Writes a PNG of each of the five windows, with a few sample rows, for looking at the layout
// without a screen: QT_QPA_PLATFORM=offscreen durava_screenshots <folder>
#include <QApplication>
#include <QDir>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>

#include "core/codepage.h"
#include "core/forms.h"
#include "lvcolor/colourdelegate.h"
#include "ui/form.h"
#include "ui/handlers.h"

namespace {

using durava::core::WideToText;
using durava::ui::Form;
namespace forms = durava::core::forms;

constexpr durava::lvcolor::ColourRef kInUse = 0x9DE1B3, kIdle = 0xFFFFFF;

void FillMain(Form& main, durava::lvcolor::ListViewColouring& colours) {
    colours.SetWindows(main.Handle(), main.Handle(u"超级列表"));
    durava::lvcolor::AttachParent(colours, qobject_cast<QTableView*>(main.Control(u"超级列表")));
    const std::initializer_list<std::u16string_view> rows[] = {
        {u"1", u"A1", u"使用中", u"2024/05/06 13:00:00", u"5 时 31 分", u"110", u"30 分钟",
         u"20 元"},
        {u"2", u"A2", u"空闲中", u"无", u"无", u"无", u"30 分钟", u"20 元"},
        {u"3", u"包间1", u"使用中", u"2024/05/06 14:05:09", u"45 秒 ", u"70", u"30 分钟", u"20 元"},
        {u"4", u"包间2", u"空闲中", u"无", u"无", u"无", u"60 分钟", u"35 元"},
    };
    for (const auto& cells : rows) {
        const int row = main.AppendRow(u"超级列表");
        int column = 0;
        for (std::u16string_view cell : cells)
            main.SetCell(u"超级列表", row, column++, WideToText(cell));
        colours.SetCellColour(row, 2, 0, cells.begin()[2] == u"使用中" ? kInUse : kIdle);
    }
    main.SetStatusPart(u"状态条", 1, "4");
    main.SetStatusPart(u"状态条", 3, "2");
    main.SetStatusPart(u"状态条", 5, "2");
}

void FillItemDialog(Form& dialog) {
    dialog.SetText({}, WideToText(u"正在修改 【A2】"));
    dialog.SetText(u"按钮1", WideToText(u"确定修改"));
    const std::pair<std::u16string_view, std::u16string_view> boxes[] = {{u"编辑框1", u"A2"},
                                                                         {u"编辑框2", u"240"},
                                                                         {u"编辑框3", u"70"},
                                                                         {u"编辑框4", u"30"},
                                                                         {u"编辑框5", u"20"}};
    for (const auto& [box, text] : boxes) dialog.SetText(box, WideToText(text));
}

void FillCheckout(Form& checkout) {
    const std::pair<std::u16string_view, std::u16string_view> values[] = {
        {u"标签2", u"A1"},
        {u"标签4", u"2024/05/06 13:00:00"},
        {u"标签14", u"2024/05/06 18:31:00"},
        {u"标签16", u"5 时 31 分 0 秒"},
        {u"标签7", u"4 小时 0 分"},
        {u"标签10", u"1 时 31 分"},
        {u"标签11", u"30 分钟"},
        {u"标签23", u"20 元 / 小时"},
        {u"标签6", u"70 元"},
        {u"标签22", u"40 元"},
        {u"标签19", u"￥110 元"}};
    for (const auto& [label, text] : values) checkout.SetText(label, WideToText(text));
}

void FillHistory(Form& history) {
    for (const char* month : {"202404.QY.txt", "202405.QY.txt"}) {
        history.AppendEntry(u"列表框1", month);
    }
    const std::u16string_view record[] = {u"A1",
                                          u"2024/05/06 13:00:00",
                                          u"2024/05/06 18:31:00",
                                          u"5 时 31 分 0 秒",
                                          u"4 小时 0 分",
                                          u"1 时 31 分",
                                          u"30 分钟",
                                          u"20 元 / 小时",
                                          u"70 元",
                                          u"40 元",
                                          u"￥110 元"};
    for (int copy = 0; copy < 3; ++copy) {
        const int row = history.AppendRow(u"超级列表框1");
        for (int column = 0; column < 11; ++column) {
            history.SetCell(u"超级列表框1", row, column, WideToText(record[column]));
        }
    }
    history.SetText(u"标签1", WideToText(u"共 3 条记录"));
}

void FillSwitch(Form& window) {
    for (std::u16string_view item : {u"A2", u"包间2"})
        window.AppendEntry(u"组合框1", WideToText(item));
}

// Opens the window, lets `fill` put sample content in, saves its picture and closes it.
bool Capture(const forms::Window& definition, const QString& file, QWidget* owner,
             const std::function<void(Form&)>& fill) {
    bool saved = false;
    durava::ui::Handlers handlers;
    const auto created = std::find_if(
        definition.bindings.begin(), definition.bindings.end(),
        [](const forms::Binding& binding) { return binding.event == forms::Event::Created; });
    handlers.Add(created->operation, [&](Form& form) {
        fill(form);
        QTimer::singleShot(0, &form, [&saved, &form, file] {
            saved = form.grab().save(file);
            form.close();
        });
    });
    if (Form* open = Form::Open(definition, handlers, owner)) {
        QEventLoop loop;
        QObject::connect(open, &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    durava::lvcolor::ListViewColouring colours;
    QWidget owner;
    const bool saved =
        Capture(forms::MainWindow(), folder.filePath(QStringLiteral("main.png")), nullptr,
                [&colours](Form& main) { FillMain(main, colours); }) &&
        Capture(forms::ItemDialog(), folder.filePath(QStringLiteral("item.png")), nullptr,
                FillItemDialog) &&
        Capture(forms::CheckoutWindow(), folder.filePath(QStringLiteral("checkout.png")), &owner,
                FillCheckout) &&
        Capture(forms::HistoryWindow(), folder.filePath(QStringLiteral("history.png")), nullptr,
                FillHistory) &&
        Capture(forms::SwitchWindow(), folder.filePath(QStringLiteral("switch.png")), &owner,
                FillSwitch);
    if (!saved) std::fputs("a screenshot could not be written\n", stderr);
    return saved ? 0 : 1;
}
