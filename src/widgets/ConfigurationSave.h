#ifndef CONFIGURATIONSAVE_H
#define CONFIGURATIONSAVE_H

#include <QCoreApplication>
#include <QString>

class QWidget;

// Saves the configuration file for a dialog that has just changed settings. A file that cannot
// be written is said so at once, with the configuration's own error text: otherwise the changes
// would quietly vanish at the next start.
class ConfigurationSave
{
    Q_DECLARE_TR_FUNCTIONS(ConfigurationSave)

public:
    // True when the file was written; otherwise shows a critical message over `parent`, titled
    // `title`, and returns false (the settings in memory stay as they are).
    static bool saveOrReport(QWidget *parent, const QString &title);
};

#endif // CONFIGURATIONSAVE_H
