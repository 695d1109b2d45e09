#include "dialogs/DialogShutdown.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"

#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "ShownImage.h"
#include "WidgetPicture.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDomDocument>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QStringList Buttons = {QStringLiteral("radioButtonNoShutdown"), QStringLiteral("radioButtonCloseApplication"),
                             QStringLiteral("radioButtonShutdownComputer"), QStringLiteral("radioButtonSleepComputer"),
                             QStringLiteral("radioButtonHibernate")};


QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text of <Shutdown><key> in the configuration file; "<none>" when the file or key is missing.
QString savedShutdownKey(const QString &key)
{
    QDomDocument document;
    if (!document.setContent(fileBytes(AppConfiguration::getConfigurationFile())))
        return QStringLiteral("<none>");
    const QDomElement element = document.documentElement().firstChildElement(QStringLiteral("Shutdown"))
                                    .firstChildElement(key);
    return element.isNull() ? QStringLiteral("<none>") : element.text();
}

int checkedType(const DialogShutdown &dialog)
{
    int type = -1;
    for (int i = 0; i < Buttons.size(); ++i)
        if (dialog.findChild<QRadioButton *>(Buttons.at(i))->isChecked())
            type = type == -1 ? i : -2;
    return type;
}

void press(DialogShutdown &dialog, QDialogButtonBox::StandardButton which)
{
    dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->button(which)->click();
}

} // namespace

class tst_DialogShutdown : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    // First: it relies on the configuration object never having been loaded before.
    void withoutShutdownGroupNothingIsChosen();
    void formAsBuilt();
    void okStoresTheChoice_data();
    void okStoresTheChoice();
    void cancelChangesNothing();
    void unknownTypeShowsNoShutdown();
};

void tst_DialogShutdown::withoutShutdownGroupNothingIsChosen()
{
    GuiTestHome home;
    QVERIFY(home.isValid());
    AppConfiguration::makeDataFolder();
    QFile file(AppConfiguration::getConfigurationFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tessaquill_Plus>\n <Logs>\n  <Log_Level>2</Log_Level>\n"
               " </Logs>\n</Tessaquill_Plus>\n");
    file.close();
    AppConfiguration *configuration = AppConfiguration::getInstance();
    configuration->loadConfiguration();

    DialogShutdown dialog;
    QCOMPARE(checkedType(dialog), 0);
    QVERIFY(!dialog.findChild<QCheckBox *>(QStringLiteral("checkBoxSaveShutdownConfiguration"))->isChecked());
}

void tst_DialogShutdown::formAsBuilt()
{
    GuiTestHome home;
    AppConfiguration::getInstance()->shutdownSaved = false;
    AppConfiguration::getInstance()->shutdownType = 0;
    DialogShutdown dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("DialogShutdown"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Shutdown management"));
    QCOMPARE(dialog.size(), QSize(407, 250));
    QCOMPARE(dialog.minimumSize(), QSize(407, 250));
    QCOMPARE(dialog.maximumSize(), QSize(407, 250));
    QCOMPARE(dialog.font().family(), QStringLiteral("Arial"));
    QCOMPARE(dialog.font().pointSize(), 10);
    QVERIFY(showsImage(dialog.windowIcon(), QStringLiteral(":/images/shutdown.png")));

    auto *group = dialog.findChild<QGroupBox *>();
    QVERIFY(group);
    QCOMPARE(group->title(), QStringLiteral("Shutdown management"));
    const QStringList texts = {QStringLiteral("No shutdown"),
                               QStringLiteral("Close application at the end of the downloads"),
                               QStringLiteral("Shutdown computer at the end of the downloads"),
                               QStringLiteral("Standby computer at the end of the downloads"),
                               QStringLiteral("Hibernate computer at the end of the downloads")};
    const QStringList icons = {QString(), QStringLiteral(":/images/Crystal_Clear_action_button_cancel.png"),
                               QStringLiteral(":/images/shutdown.png"), QStringLiteral(":/images/StandBy.png"),
                               QStringLiteral(":/images/hibernate.png")};
    for (int i = 0; i < Buttons.size(); ++i) {
        auto *button = dialog.findChild<QRadioButton *>(Buttons.at(i));
        QVERIFY2(button, qPrintable(Buttons.at(i)));
        QCOMPARE(button->parentWidget(), group);
        QCOMPARE(button->text(), texts.at(i));
        QVERIFY(button->autoExclusive());
        if (icons.at(i).isEmpty())
            QVERIFY(button->icon().isNull());
        else
            QVERIFY2(showsImage(button->icon(), icons.at(i)), qPrintable(icons.at(i)));
    }
    QCOMPARE(checkedType(dialog), 0);
    auto *save = dialog.findChild<QCheckBox *>(QStringLiteral("checkBoxSaveShutdownConfiguration"));
    QCOMPARE(save->text(), QStringLiteral("Save shutdown configuration"));
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QCOMPARE(buttons->orientation(), Qt::Horizontal);
    QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    // Choosing another button unchecks the first.
    dialog.findChild<QRadioButton *>(Buttons.at(3))->click();
    QCOMPARE(checkedType(dialog), 3);
    WidgetPicture::save(&dialog, QStringLiteral("DialogShutdown"));
}

void tst_DialogShutdown::okStoresTheChoice_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("saved");
    QTest::newRow("none, saved") << 0 << true;
    QTest::newRow("close application") << 1 << false;
    QTest::newRow("shutdown, saved") << 2 << true;
    QTest::newRow("standby") << 3 << false;
    QTest::newRow("hibernate, not saved") << 4 << false;
    QTest::newRow("hibernate, saved") << 4 << true;
}

void tst_DialogShutdown::okStoresTheChoice()
{
    QFETCH(int, type);
    QFETCH(bool, saved);
    GuiTestHome home;
    AppConfiguration *configuration = AppConfiguration::getInstance();
    configuration->shutdownType = type == 1 ? 2 : 1; // something else before
    configuration->shutdownSaved = !saved;

    {
        DialogShutdown dialog;
        dialog.show();
        dialog.findChild<QRadioButton *>(Buttons.at(type))->click();
        dialog.findChild<QCheckBox *>(QStringLiteral("checkBoxSaveShutdownConfiguration"))->setChecked(saved);
        press(dialog, QDialogButtonBox::Ok);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }
    QCOMPARE(configuration->shutdownType, type);
    QCOMPARE(configuration->shutdownSaved, saved);
    // Written whatever the flag says: the flag only tells the next start whether to re-arm.
    QCOMPARE(savedShutdownKey(QStringLiteral("Type")), QString::number(type));
    QCOMPARE(savedShutdownKey(QStringLiteral("Saved")), saved ? QStringLiteral("1") : QStringLiteral("0"));

    // Opened again, it shows the last choice.
    DialogShutdown again;
    QCOMPARE(checkedType(again), type);
    QCOMPARE(again.findChild<QCheckBox *>(QStringLiteral("checkBoxSaveShutdownConfiguration"))->isChecked(), saved);
}

void tst_DialogShutdown::cancelChangesNothing()
{
    GuiTestHome home;
    AppConfiguration *configuration = AppConfiguration::getInstance();
    configuration->shutdownType = 2;
    configuration->shutdownSaved = true;
    QVERIFY(configuration->saveConfiguration());
    const QByteArray before = fileBytes(AppConfiguration::getConfigurationFile());

    DialogShutdown dialog;
    dialog.show();
    QCOMPARE(checkedType(dialog), 2);
    dialog.findChild<QRadioButton *>(Buttons.at(4))->click();
    dialog.findChild<QCheckBox *>(QStringLiteral("checkBoxSaveShutdownConfiguration"))->setChecked(false);
    press(dialog, QDialogButtonBox::Cancel);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(configuration->shutdownType, 2);
    QVERIFY(configuration->shutdownSaved);
    QCOMPARE(fileBytes(AppConfiguration::getConfigurationFile()), before);

    // Escape rejects the same way.
    DialogShutdown escaped;
    escaped.show();
    escaped.findChild<QRadioButton *>(Buttons.at(1))->click();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    QCOMPARE(escaped.result(), int(QDialog::Rejected));
    QCOMPARE(configuration->shutdownType, 2);
    QCOMPARE(fileBytes(AppConfiguration::getConfigurationFile()), before);
}

void tst_DialogShutdown::unknownTypeShowsNoShutdown()
{
    GuiTestHome home;
    AppConfiguration *configuration = AppConfiguration::getInstance();
    configuration->shutdownType = 7;
    configuration->shutdownSaved = true;
    DialogShutdown dialog;
    QCOMPARE(checkedType(dialog), 0);
    press(dialog, QDialogButtonBox::Ok);
    QCOMPARE(configuration->shutdownType, 0);
    QCOMPARE(savedShutdownKey(QStringLiteral("Type")), QStringLiteral("0"));
}

QTEST_MAIN(tst_DialogShutdown)
#include "tst_DialogShutdown.moc"
