#include "app/ProgramStart.h"
#include "platform/TaskbarProgress.h"

#include <QDBusConnection>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The value of a key of the entry's main group, as written in the file.
QString entryValue(const QString &entryPath, const QString &key)
{
    QFile file(entryPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QString prefix = key + QLatin1Char('=');
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return QString();
}

// The program an Exec value starts, undoing the string escapes, the argument quoting and "%%"
// of the desktop entry rules.
QString execProgram(const QString &value)
{
    QString unescaped;
    for (int i = 0; i < value.size(); ++i) {
        if (value.at(i) == QLatin1Char('\\') && i + 1 < value.size() && value.at(i + 1) == QLatin1Char('\\'))
            ++i;
        unescaped += value.at(i);
    }
    QString program;
    bool quoted = false;
    for (int i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped.at(i);
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (quoted && c == QLatin1Char('\\') && i + 1 < unescaped.size()) {
            program += unescaped.at(++i);
        } else if (!quoted && c == QLatin1Char(' ')) {
            break;
        } else if (c == QLatin1Char('%') && i + 1 < unescaped.size() && unescaped.at(i + 1) == QLatin1Char('%')) {
            program += c;
            ++i;
        } else {
            program += c;
        }
    }
    return program;
}

// Installs the entry and icon into `data` as scripts/run.sh does for the user; what went wrong,
// empty when nothing did.
QString install(const QTemporaryDir &data, const QString &executable)
{
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    install.setProcessEnvironment(environment);
    install.start(QStringLiteral(TQ_PROJECT_DIR "/scripts/install-desktop-entry.sh"), {executable});
    if (!install.waitForFinished(60000))
        return QStringLiteral("the installation did not end");
    if (install.exitStatus() != QProcess::NormalExit || install.exitCode() != 0)
        return QString::fromUtf8(install.readAllStandardError());
    return QString();
}

} // namespace

// The desktop entry and icon that scripts/run.sh installs for the user: valid by the desktop
// entry rules, named as the launcher progress names the program, starting the built program.
class tst_DesktopEntry : public QObject
{
    Q_OBJECT

private slots:
    void installedEntryIsValidAndNamedAsTheLauncherProgress_data();
    void installedEntryIsValidAndNamedAsTheLauncherProgress();
    void menusShowItInTheShippedLanguages_data();
    void menusShowItInTheShippedLanguages();
};

void tst_DesktopEntry::installedEntryIsValidAndNamedAsTheLauncherProgress_data()
{
    QTest::addColumn<QString>("executable");
    QTest::newRow("the build") << qEnvironmentVariable("TQ_BIN_DIR") + QStringLiteral("/tessaquill");
    QTest::newRow("blanks, quotes and a percent sign")
        << QStringLiteral("/opt/My \"Usenet\" $tools\\100%/tessaquill");
}

void tst_DesktopEntry::installedEntryIsValidAndNamedAsTheLauncherProgress()
{
    QFETCH(QString, executable);
    QTemporaryDir data;
    QVERIFY(data.isValid());
    const QString failure = install(data, executable);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    // The name the window's launcher progress carries.
    ProgramStart::setIdentity();
    const QString entryName = QGuiApplication::desktopFileName() + QStringLiteral(".desktop");
    const TaskbarProgress progress(entryName, QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                                             QStringLiteral("tessaquill-no-bus")));
    QCOMPARE(progress.applicationUri(), QStringLiteral("application://tessaquill.desktop"));
    const QString entryPath = data.path() + QStringLiteral("/applications/") + entryName;
    QVERIFY2(QFile::exists(entryPath), qPrintable(entryPath));

    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(QStringLiteral("desktop-file-validate"), {entryPath});
    QVERIFY2(validate.waitForFinished(60000), "desktop-file-validate (package desktop-file-utils) did not run");
    const QByteArray complaints = validate.readAll();
    QVERIFY2(validate.exitCode() == 0 && complaints.isEmpty(), complaints.constData());

    QCOMPARE(execProgram(entryValue(entryPath, QStringLiteral("Exec"))), executable);
    QCOMPARE(entryValue(entryPath, QStringLiteral("Icon")), QStringLiteral("tessaquill"));
    const QImage icon(data.path() + QStringLiteral("/icons/hicolor/64x64/apps/tessaquill.png"));
    QCOMPARE(icon.size(), QSize(64, 64));
}

void tst_DesktopEntry::menusShowItInTheShippedLanguages_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("German") << "de";
    QTest::newRow("French") << "fr";
    QTest::newRow("Spanish") << "es";
}

// A desktop in German, French or Spanish lists the program with a name, a kind and a
// description in its language (the program's name stays as it is), as the entry is installed.
void tst_DesktopEntry::menusShowItInTheShippedLanguages()
{
    QFETCH(QString, language);
    QTemporaryDir data;
    QVERIFY(data.isValid());
    const QString failure = install(data, qEnvironmentVariable("TQ_BIN_DIR") + QStringLiteral("/tessaquill"));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const QString entryPath = data.path() + QStringLiteral("/applications/tessaquill.desktop");

    const QString localized = QStringLiteral("[%1]").arg(language);
    QCOMPARE(entryValue(entryPath, QStringLiteral("Name") + localized), entryValue(entryPath, QStringLiteral("Name")));
    for (const char *key : {"GenericName", "Comment", "Keywords"}) {
        const QString english = entryValue(entryPath, QLatin1String(key));
        const QString translated = entryValue(entryPath, QLatin1String(key) + localized);
        QVERIFY2(!translated.trimmed().isEmpty(), key);
        QVERIFY2(translated != english, key);
    }
    // Keywords in any language keep the words everyone searches for.
    for (const char *word : {"Usenet;", "NZB;", "NNTP;"})
        QVERIFY(entryValue(entryPath, QStringLiteral("Keywords") + localized).contains(QLatin1String(word)));
}

QTEST_MAIN(tst_DesktopEntry)
#include "tst_DesktopEntry.moc"
