#ifndef APPTRANSLATIONS_H
#define APPTRANSLATIONS_H

#include <QString>
#include <QStringList>
#include <QTranslator>

// The program's own translation ("tessaquill_<language>.qm") and Qt's ("qt_<language>.qm"),
// installed on the application for as long as this object lives.
class AppTranslations
{
public:
    AppTranslations() = default;
    ~AppTranslations();
    AppTranslations(const AppTranslations &) = delete;
    AppTranslations &operator=(const AppTranslations &) = delete;

    // Installs both translators and returns the language in effect. An empty `language` means
    // the system locale's language ("fr" for fr_FR). When the program's file for it cannot be
    // loaded from `folder`, the language becomes "en". Qt's own file is looked for in `folder`
    // first, then in Qt's translations folder; a missing one leaves Qt's texts untranslated.
    QString install(const QString &language, const QString &folder);
    // The same, from the executable's folder.
    QString install(const QString &language);

    bool isProgramLoaded() const { return bProgramLoaded; }
    bool isFrameworkLoaded() const { return bFrameworkLoaded; }

    // The language part of the system locale's name.
    static QString systemLanguage();
    // The languages the program ships translations for, as language codes.
    static QStringList shippedLanguages();

private:
    void removeInstalled();

    QTranslator program;
    QTranslator framework;
    bool bInstalled = false;
    bool bProgramLoaded = false;
    bool bFrameworkLoaded = false;
};

#endif // APPTRANSLATIONS_H
