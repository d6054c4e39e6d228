// SPDX-License-Identifier: MIT
#include "ui/appearance.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include "ui/controls.h"

namespace durava::ui {

void SetUpAppearance() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(FontOf({}));
    // Without the catalogue (not installed) Qt's texts stay English; the program's own are fixed.
    static const bool translated = [] {
        auto* translator = new QTranslator(QCoreApplication::instance());
        return translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                                QStringLiteral("_"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
               QCoreApplication::installTranslator(translator);
    }();
    static_cast<void>(translated);
}

}  // namespace durava::ui
