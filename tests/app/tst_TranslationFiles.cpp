// Every finished translation of the shipped .ts files must keep what the program relies on in
// its source text: the arguments filled in by QString::arg, the rich-text tags, the keyboard
// accelerator of a menu or button, and the blanks and line breaks the code joins texts with.
// Unfinished entries are skipped: new texts arrive unfinished after each refresh.
#include <QtTest>

#include <QBuffer>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

enum Problem {
    NoProblem = 0,
    Placeholders = 1,
    Tags = 2,
    Accelerator = 4,
    Blanks = 8,
    LineBreaks = 16,
    Empty = 32,
    PluralForms = 64,
};

QString describe(int problems)
{
    static const QList<QPair<int, const char *>> names{
        {Placeholders, "placeholders differ"}, {Tags, "rich-text tags differ"},
        {Accelerator, "accelerator count differs"}, {Blanks, "leading or trailing blanks differ"},
        {LineBreaks, "line breaks differ"}, {Empty, "translation is empty"},
        {PluralForms, "wrong number of plural forms"}};
    QStringList words;
    for (const auto &name : names) {
        if (problems & name.first)
            words << QLatin1String(name.second);
    }
    return words.join(QLatin1String(", "));
}

// The arguments QString::arg replaces (%1 to %99, localized %L1) and the count of a plural
// text (%n, %Ln), sorted, so that a translation may reorder them.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%L?(?:[1-9][0-9]?|n)"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// An accelerator is "&" before a character; "&&" is a literal ampersand and an HTML entity
// such as "&amp;" is markup.
int acceleratorCount(QString text)
{
    static const QRegularExpression entity(
        QStringLiteral("&(?:#[0-9]+|#[xX][0-9A-Fa-f]+|[A-Za-z][A-Za-z0-9]*);"));
    text.remove(entity);
    int count = 0;
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&'))
            ++i;
        else if (!text.at(i + 1).isSpace())
            ++count;
    }
    return count;
}

struct Tag
{
    enum Kind { Open, Close, Void } kind;
    QString name;
    bool operator<(const Tag &other) const
    {
        return kind != other.kind ? kind < other.kind : name < other.name;
    }
    bool operator==(const Tag &other) const { return kind == other.kind && name == other.name; }
};

QList<Tag> tags(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("<(/?)([A-Za-z][A-Za-z0-9]*)(?:\\s[^<>]*)?(/?)>"));
    static const QStringList voidElements{"br", "hr", "img", "meta", "input", "link", "col", "area"};
    QList<Tag> found;
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString name = match.captured(2).toLower();
        if (!match.captured(3).isEmpty() || voidElements.contains(name))
            found << Tag{Tag::Void, name};
        else
            found << Tag{match.captured(1).isEmpty() ? Tag::Open : Tag::Close, name};
    }
    return found;
}

bool wellNested(const QList<Tag> &sequence)
{
    QStringList open;
    for (const Tag &tag : sequence) {
        if (tag.kind == Tag::Open)
            open << tag.name;
        else if (tag.kind == Tag::Close && (open.isEmpty() || open.takeLast() != tag.name))
            return false;
    }
    return open.isEmpty();
}

bool sameTags(const QString &source, const QString &translation)
{
    QList<Tag> sourceTags = tags(source);
    QList<Tag> translationTags = tags(translation);
    if (wellNested(sourceTags) && !wellNested(translationTags))
        return false;
    std::sort(sourceTags.begin(), sourceTags.end());
    std::sort(translationTags.begin(), translationTags.end());
    return sourceTags == translationTags;
}

QString leadingBlanks(const QString &text)
{
    int end = 0;
    while (end < text.size() && text.at(end).isSpace())
        ++end;
    return text.left(end);
}

QString trailingBlanks(const QString &text)
{
    int start = text.size();
    while (start > 0 && text.at(start - 1).isSpace())
        --start;
    return text.mid(start);
}

int checkTranslation(const QString &source, const QString &translation)
{
    if (translation.isEmpty())
        return source.isEmpty() ? NoProblem : Empty;
    int problems = NoProblem;
    if (placeholders(source) != placeholders(translation))
        problems |= Placeholders;
    if (!sameTags(source, translation))
        problems |= Tags;
    if (acceleratorCount(translation) != qMin(acceleratorCount(source), 1))
        problems |= Accelerator;
    if (leadingBlanks(source) != leadingBlanks(translation)
        || trailingBlanks(source) != trailingBlanks(translation))
        problems |= Blanks;
    if (source.count(QLatin1Char('\n')) != translation.count(QLatin1Char('\n')))
        problems |= LineBreaks;
    return problems;
}

// Plural forms a numerus translation needs, by language (Qt's rules for these languages).
int pluralFormCount(const QString &language)
{
    static const QHash<QString, int> counts{{"en", 2}, {"fr", 2}, {"de", 2}, {"es", 2}};
    return counts.value(language.section(QLatin1Char('_'), 0, 0), 0);
}

struct TsMessage
{
    QString context;
    QString source;
    bool numerus = false;
    bool finished = false;
    QStringList forms;
};

struct TsFile
{
    QString language;
    QList<TsMessage> messages;
    QString error;
};

TsFile readTs(QIODevice *device)
{
    TsFile file;
    QXmlStreamReader xml(device);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringRef name = xml.name();
        if (name == QLatin1String("TS")) {
            file.language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            TsMessage message;
            message.context = context;
            message.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            file.messages << message;
        } else if (name == QLatin1String("source") && !file.messages.isEmpty()) {
            file.messages.last().source = xml.readElementText();
        } else if (name == QLatin1String("translation") && !file.messages.isEmpty()) {
            TsMessage &message = file.messages.last();
            message.finished = !xml.attributes().hasAttribute(QLatin1String("type"));
            if (!message.numerus) {
                message.forms << xml.readElementText();
                continue;
            }
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("numerusform"))
                    message.forms << xml.readElementText();
                else
                    xml.skipCurrentElement();
            }
        }
    }
    if (xml.hasError())
        file.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return file;
}

// One line per finished message whose translation breaks its source.
QStringList problemsOf(const TsFile &file)
{
    QStringList report;
    const int formsNeeded = pluralFormCount(file.language);
    for (const TsMessage &message : file.messages) {
        if (!message.finished)
            continue;
        int problems = NoProblem;
        if (message.numerus && message.forms.size() != formsNeeded)
            problems |= PluralForms;
        for (const QString &form : message.forms)
            problems |= checkTranslation(message.source, form);
        if (message.forms.isEmpty())
            problems |= Empty;
        if (problems != NoProblem) {
            report << QStringLiteral("%1 \"%2\" -> \"%3\": %4")
                          .arg(message.context, message.source,
                               message.forms.join(QLatin1String("\" | \"")), describe(problems));
        }
    }
    return report;
}

TsFile readTsText(const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return readTs(&buffer);
}

} // namespace

class tst_TranslationFiles : public QObject
{
    Q_OBJECT

private slots:
    void finishedTranslationsKeepTheMarksOfTheirSources_data()
    {
        QTest::addColumn<QString>("path");
        const QDir folder(QStringLiteral(TQ_TRANSLATIONS_DIR));
        const QStringList names =
            folder.entryList({QStringLiteral("tessaquill_*.ts")}, QDir::Files, QDir::Name);
        for (const char *language : {"fr", "de", "es", "en"}) {
            const QString name = QStringLiteral("tessaquill_%1.ts").arg(QLatin1String(language));
            QVERIFY2(names.contains(name), qPrintable(name));
        }
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << folder.filePath(name);
    }

    void finishedTranslationsKeepTheMarksOfTheirSources()
    {
        QFETCH(QString, path);
        QFile device(path);
        QVERIFY2(device.open(QIODevice::ReadOnly), qPrintable(path));
        const TsFile file = readTs(&device);
        QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
        QVERIFY2(pluralFormCount(file.language) > 0, qPrintable(file.language));
        if (!path.endsWith(QLatin1String("_en.ts"))) {
            // A reader that silently found nothing would pass everything below.
            const auto finished = std::count_if(file.messages.cbegin(), file.messages.cend(),
                                                [](const TsMessage &m) { return m.finished; });
            QVERIFY2(finished > 100, qPrintable(QString::number(finished)));
        }
        const QStringList report = problemsOf(file);
        QVERIFY2(report.isEmpty(), qPrintable(QLatin1Char('\n') + report.join(QLatin1Char('\n'))));
    }

    void translationChecks_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<int>("problems");
        QTest::newRow("faithful") << "Failed to open %1" << "Impossible d'ouvrir %1" << 0;
        QTest::newRow("arguments reordered") << "%1 of %2" << "%2 de %1" << 0;
        QTest::newRow("percent sign after an argument") << "Unsplit: %1%" << "Assemblage : %1 %" << 0;
        QTest::newRow("argument lost") << "Cannot write %1: %2" << "Écriture impossible : %2"
                                       << int(Placeholders);
        QTest::newRow("argument doubled") << "File %1" << "Fichier %1 (%1)" << int(Placeholders);
        QTest::newRow("localized argument is another mark") << "%L1 files" << "%1 fichiers"
                                                            << int(Placeholders);
        QTest::newRow("tenth argument is not the first") << "%10" << "%1" << int(Placeholders);
        QTest::newRow("plural count lost") << "%n file(s)" << "des fichiers" << int(Placeholders);
        QTest::newRow("accelerator kept") << "&File" << "&Fichier" << 0;
        QTest::newRow("accelerator on another letter") << "&Help" << "A&yuda" << 0;
        QTest::newRow("accelerator lost") << "&File" << "Fichier" << int(Accelerator);
        QTest::newRow("two accelerators") << "&File" << "&Fi&chier" << int(Accelerator);
        QTest::newRow("literal ampersand is no accelerator")
            << "Servers && Downloads" << "Serveurs && Téléchargements" << 0;
        QTest::newRow("literal ampersand does not stand for one")
            << "&Save" << "Save && go" << int(Accelerator);
        QTest::newRow("accelerator where the source has none") << "Clear" << "&Effacer"
                                                               << int(Accelerator);
        QTest::newRow("entity is no accelerator") << "<b>A &amp; B</b>" << "<b>A &amp; B</b>" << 0;
        QTest::newRow("tags kept") << "<qt>Enter %1</qt>" << "<qt>Saisir %1</qt>" << 0;
        QTest::newRow("tag lost") << "<qt>Enter %1</qt>" << "Saisir %1</qt>" << int(Tags);
        QTest::newRow("tags crossed") << "<b><i>x</i></b>" << "<b><i>x</b></i>" << int(Tags);
        QTest::newRow("tag renamed") << "<b>x</b>" << "<i>x</i>" << int(Tags);
        QTest::newRow("source's lone closing tag kept") << "</b>, port:" << "</b>, port :" << 0;
        QTest::newRow("line break tag written either way") << "Caching<br/>" << "Cache<br>" << 0;
        QTest::newRow("angle brackets of a button") << "< Back" << "< Précédent" << 0;
        QTest::newRow("trailing blank lost") << "Downloading... " << "Téléchargement..."
                                             << int(Blanks);
        QTest::newRow("leading blank lost") << " result(s)" << "résultat(s)" << int(Blanks);
        QTest::newRow("blank before colon is no trailing blank") << "Port:" << "Port :" << 0;
        QTest::newRow("line break lost") << "Saved: %1\nRestart." << "Enregistré : %1 Redémarrer."
                                         << int(LineBreaks);
        QTest::newRow("empty") << "Exit" << "" << int(Empty);
        QTest::newRow("several at once") << " &Open %1" << "Ouvrir" << int(Placeholders | Accelerator | Blanks);
    }

    void translationChecks()
    {
        QFETCH(QString, source);
        QFETCH(QString, translation);
        QFETCH(int, problems);
        QCOMPARE(describe(checkTranslation(source, translation)), describe(problems));
    }

    void onlyFinishedEntriesAreChecked()
    {
        const TsFile file = readTsText(R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Window</name>
    <message>
        <source>Open %1</source>
        <translation>Ouvrir %1</translation>
    </message>
    <message>
        <source>New text %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed text %1</source>
        <translation type="unfinished">Ancien texte</translation>
    </message>
    <message>
        <source>Gone %1</source>
        <translation type="vanished">Disparu</translation>
    </message>
    <message>
        <source>Old %1</source>
        <translation type="obsolete">Ancien</translation>
    </message>
    <message>
        <source>Broken &amp;File %1</source>
        <translation>Fichier cassé</translation>
    </message>
</context>
<context>
    <name>Counts</name>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n fichier</numerusform>
            <numerusform>%n fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s)</source>
        <translation>
            <numerusform>%n dossiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n server(s)</source>
        <translation>
            <numerusform>un serveur</numerusform>
            <numerusform>%n serveurs</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
</TS>
)");
        QCOMPARE(file.error, QString());
        QCOMPARE(file.language, QStringLiteral("fr_FR"));
        QCOMPARE(file.messages.size(), 10);
        QCOMPARE(file.messages.at(6).forms, QStringList({"%n fichier", "%n fichiers"}));
        const QStringList expected{
            QStringLiteral("Window \"Broken &File %1\" -> \"Fichier cassé\": placeholders differ, "
                           "accelerator count differs"),
            QStringLiteral("Counts \"%n folder(s)\" -> \"%n dossiers\": wrong number of plural forms"),
            QStringLiteral("Counts \"%n server(s)\" -> \"un serveur\" | \"%n serveurs\": "
                           "placeholders differ"),
        };
        QCOMPARE(problemsOf(file), expected);
    }

    void brokenFileIsReported()
    {
        const TsFile file = readTsText("<TS language=\"de\"><context><name>A</name><message>");
        QVERIFY(!file.error.isEmpty());
    }
};

QTEST_MAIN(tst_TranslationFiles)

#include "tst_TranslationFiles.moc"
