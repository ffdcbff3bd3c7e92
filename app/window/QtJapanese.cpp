#include "app/window/QtJapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace orvexp {

bool UseJapaneseForQt(QCoreApplication& application)
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(japanese, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get()))
        return false;
    // The application owns it from here and uses it until it ends.
    translator.release()->setParent(&application);
    return true;
}

} // namespace orvexp
