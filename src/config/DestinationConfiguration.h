#ifndef DESTINATIONCONFIGURATION_H
#define DESTINATIONCONFIGURATION_H

#include <QHash>
#include <QObject>
#include <QString>

// The named destination folders offered when an NZB is added (group "Destinations").
class DestinationConfiguration : public QObject
{
    Q_OBJECT

public:
    explicit DestinationConfiguration(QObject *parent = nullptr);

    QHash<QString, QString> destinations; // label -> folder path
};

#endif // DESTINATIONCONFIGURATION_H
