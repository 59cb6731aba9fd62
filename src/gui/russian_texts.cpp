#include "gui/russian_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace appgen::gui {

RussianQtTexts::RussianQtTexts() {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator.get()))
        installed_.push_back(std::move(translator));
}

RussianQtTexts::~RussianQtTexts() {
    for (const auto& t : installed_) QCoreApplication::removeTranslator(t.get());
}

}  // namespace appgen::gui
