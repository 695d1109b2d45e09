#ifndef WEBCONFIGURATION_H
#define WEBCONFIGURATION_H

#include <QHash>
#include <QObject>
#include <QString>

// Settings of the embedded web browser, kept in the configuration file's group "Web".
class WebConfiguration : public QObject
{
    Q_OBJECT

public:
    explicit WebConfiguration(QObject *parent = nullptr);

    QHash<QString, QString> favourites; // name -> URL
    QString homePage;
    bool homePageLaunch;
    bool pluginsEnabled;
    bool javaEnabled;
    bool javascriptEnabled;
};

#endif // WEBCONFIGURATION_H
