#include "widgets/AppTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

AppTranslations::~AppTranslations()
{
    removeInstalled();
}

QString AppTranslations::install(const QString &language)
{
    return install(language, QCoreApplication::applicationDirPath());
}

QString AppTranslations::install(const QString &language, const QString &folder)
{
    removeInstalled();
    QString inEffect = language.isEmpty() ? systemLanguage() : language;
    bProgramLoaded = program.load(QLatin1String("tessaquill_") + inEffect, folder);
    if (!bProgramLoaded) {
        inEffect = QStringLiteral("en");
        bProgramLoaded = program.load(QStringLiteral("tessaquill_en"), folder);
    }
    QCoreApplication::installTranslator(&program);

    const QString qtFile = QLatin1String("qt_") + inEffect;
    bFrameworkLoaded = framework.load(qtFile, folder)
        || framework.load(qtFile, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    QCoreApplication::installTranslator(&framework);
    bInstalled = true;
    return inEffect;
}

QString AppTranslations::systemLanguage()
{
    return QLocale::system().name().section(QLatin1Char('_'), 0, 0);
}

QStringList AppTranslations::shippedLanguages()
{
    return {QStringLiteral("fr"), QStringLiteral("en"), QStringLiteral("de"),
            QStringLiteral("es")};
}

void AppTranslations::removeInstalled()
{
    if (!bInstalled)
        return;
    QCoreApplication::removeTranslator(&framework);
    QCoreApplication::removeTranslator(&program);
    bInstalled = false;
}
