#include "WindowTestFixture.h"

#include "widgets/AppTranslations.h"
#include "app/MainWindow.h"
#include "config/AppConfiguration.h"
#include "model/NntpServer.h"
#include "dialogs/DialogAbout.h"
#include "dialogs/DialogDestinationFolders.h"
#include "dialogs/DialogDestinationFoldersAddModify.h"
#include "dialogs/DialogDownloadNzb.h"
#include "dialogs/DialogHistoryNzb.h"
#include "dialogs/DialogImportExportServers.h"
#include "dialogs/DialogLogs.h"
#include "dialogs/DialogServerManagement.h"
#include "dialogs/DialogSettings.h"
#include "dialogs/DialogShutdown.h"
#include "dialogs/DialogWizard.h"
#include "postprocess/gui/DialogManualRepairExtract.h"
#include "web/DialogWebAuthentication.h"
#include "web/DialogWebFavourite.h"
#include "web/DialogWebOptions.h"
#include "web/FrameSearchResults.h"

#include "GuiTestHome.h"
#include "WidgetPicture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolBox>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using WindowMaker = std::function<QWidget *()>;

// Four servers, as a user with several providers has them: the server table scrolls, and the
// counters show their widest texts.
void configureFourServers()
{
    const quint64 bytes[] = {0, quint64(1048565) * 1024, quint64(1023) * 1024 * 1024 * 1024,
                             quint64(12345) * 1024 * 1024 * 1024};
    for (int i = 0; i < 4; ++i) {
        auto *server = new NntpServer;
        server->iId = i + 1;
        server->strHost = QStringLiteral("news%1.example.net").arg(i + 1);
        server->strNickname = QStringLiteral("News server %1").arg(i + 1);
        server->uiBytesDownloaded = bytes[i];
        AppConfiguration::getInstance()->serversConfiguration.listServers.append(server);
    }
}

const QList<QPair<QString, WindowMaker>> &windowMakers()
{
    static const QList<QPair<QString, WindowMaker>> makers = {
        {QStringLiteral("MainWindow"), [] { configureFourServers(); return new MainWindow; }},
        {QStringLiteral("DialogAbout"), [] { return new DialogAbout; }},
        {QStringLiteral("DialogDestinationFolders"), [] { return new DialogDestinationFolders; }},
        {QStringLiteral("DialogDestinationFoldersAddModify"), [] { return new DialogDestinationFoldersAddModify; }},
        {QStringLiteral("DialogDownloadNzb"), [] { return new DialogDownloadNzb; }},
        {QStringLiteral("DialogHistoryNzb"), [] { return new DialogHistoryNzb; }},
        {QStringLiteral("DialogImportExportServers"), [] { return new DialogImportExportServers; }},
        {QStringLiteral("DialogLogs"), [] { return new DialogLogs; }},
        {QStringLiteral("DialogManualRepairExtract"), [] { return new DialogManualRepairExtract; }},
        {QStringLiteral("DialogServerManagement"), [] { return new DialogServerManagement; }},
        {QStringLiteral("DialogSettings"), [] { return new DialogSettings; }},
        {QStringLiteral("DialogShutdown"), [] { return new DialogShutdown; }},
        {QStringLiteral("DialogWebAuthentication"), [] { return new DialogWebAuthentication; }},
        {QStringLiteral("DialogWebFavourite"), [] { return new DialogWebFavourite; }},
        {QStringLiteral("DialogWebOptions"), [] { return new DialogWebOptions; }},
        {QStringLiteral("DialogWizard"), [] { return new DialogWizard; }},
        // A search's results, as a tab of the search page shows them.
        {QStringLiteral("FrameSearchResults"), [] { return new FrameSearchResults; }},
    };
    return makers;
}

QString withoutMnemonics(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

QString describe(const QWidget *widget, const QString &text)
{
    return QStringLiteral("%1 \"%2\"").arg(widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                                         : widget->objectName(),
                                            text);
}

// What the widget shows as its text, empty for widgets that show none of the form's texts.
QString shownText(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        if (!label->pixmap(Qt::ReturnByValue).isNull())
            return QString();
        if (Qt::mightBeRichText(label->text()) || label->textFormat() == Qt::RichText) {
            QTextDocument document;
            document.setHtml(label->text());
            return document.toPlainText().trimmed();
        }
        return label->text();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return withoutMnemonics(button->text());
    if (const auto *box = qobject_cast<const QGroupBox *>(widget))
        return withoutMnemonics(box->title());
    if (const auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->isEditable() ? QString() : combo->currentText();
    return QString();
}

// The width a push or tool button needs for its text and icon inside its frame.
int buttonTextWidth(const QAbstractButton *button)
{
    const QString text = withoutMnemonics(button->text());
    int width = button->fontMetrics().horizontalAdvance(text);
    if (!button->icon().isNull())
        width += button->iconSize().width() + 4;
    const QStyle *style = button->style();
    return width + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button)
           + style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
}

// Whether a view scrolls to what lies past its edge: a list's rows, down; a list's columns,
// sideways. A form page is never meant to be scrolled sideways.
bool scrollsTo(const QWidget *viewport, const QRect &inside, const QRect &rect)
{
    const auto *area = qobject_cast<const QAbstractScrollArea *>(viewport->parentWidget());
    if (!area || area->viewport() != viewport)
        return false;
    const bool pastSides = rect.left() < inside.left() || rect.right() > inside.right();
    const bool pastEnds = rect.top() < inside.top() || rect.bottom() > inside.bottom();
    if (pastEnds && area->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
        return false;
    return !pastSides
           || (qobject_cast<const QAbstractItemView *>(area) && area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff);
}

// Where a widget falls outside one of its parents (the window's edge, a scroll area's view);
// what a view scrolls to is within reach.
QString clippedBy(const QWidget *widget, const QWidget *window)
{
    QRect rect(QPoint(0, 0), widget->size());
    for (const QWidget *child = widget; child != window && child->parentWidget(); child = child->parentWidget()) {
        rect.translate(child->pos());
        const QWidget *parent = child->parentWidget();
        const QRect inside(QPoint(0, 0), parent->size());
        if (inside.contains(rect))
            continue;
        if (scrollsTo(parent, inside, rect))
            return QString();
        return QStringLiteral("goes past the edge of %1").arg(describe(parent, QString()));
    }
    return QString();
}

// Every text of a visible widget shown whole; empty when so, else what is cut.
QStringList cutTexts(QWidget *window)
{
    QStringList cut;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisible() || widget->window() != window)
            continue;
        const QString text = shownText(widget);
        if (!text.trimmed().isEmpty()) {
            const QString clip = clippedBy(widget, window);
            if (!clip.isEmpty())
                cut << describe(widget, text) + QStringLiteral(" ") + clip;
            QSize needed;
            if (const auto *label = qobject_cast<QLabel *>(widget)) {
                needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->minimumSizeHint();
            } else if (qobject_cast<QPushButton *>(widget) || qobject_cast<QToolButton *>(widget)) {
                const auto *button = static_cast<QAbstractButton *>(widget);
                const auto *tool = qobject_cast<QToolButton *>(widget);
                if (!tool || tool->toolButtonStyle() != Qt::ToolButtonIconOnly)
                    needed = QSize(buttonTextWidth(button), 0);
            } else if (qobject_cast<QComboBox *>(widget)) {
                needed = QSize(widget->minimumSizeHint().width(), 0); // the height is the form's
            } else if (qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget)) {
                needed = widget->sizeHint();
            } else {
                needed = widget->minimumSizeHint();
            }
            if (widget->width() < needed.width() || widget->height() < needed.height())
                cut << describe(widget, text)
                           + QStringLiteral(" is %1x%2, needs %3x%4")
                                 .arg(widget->width())
                                 .arg(widget->height())
                                 .arg(needed.width())
                                 .arg(needed.height());
        }
        if (auto *header = qobject_cast<QHeaderView *>(widget)) {
            if (header->orientation() != Qt::Horizontal || !header->model())
                continue;
            for (int section = 0; section < header->count(); ++section) {
                const QString title = header->model()->headerData(section, Qt::Horizontal).toString();
                if (header->isSectionHidden(section) || title.isEmpty())
                    continue;
                const int size = header->sectionSize(section);
                const int end = header->sectionViewportPosition(section) + size;
                // A list that scrolls sideways may hold columns past its edge, each titled whole.
                const auto *view = qobject_cast<const QAbstractItemView *>(header->parentWidget());
                const bool scrolls = view && view->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
                if (size < header->sectionSizeHint(section) || (end > header->viewport()->width() && !scrolls))
                    cut << describe(header->parentWidget(), title)
                               + QStringLiteral(" header section is %1 wide, needs %2, ends at %3 of %4")
                                     .arg(size)
                                     .arg(header->sectionSizeHint(section))
                                     .arg(end)
                                     .arg(header->viewport()->width());
            }
        }
        if (auto *table = qobject_cast<QTableWidget *>(widget)) {
            const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
            for (int row = 0; row < table->rowCount(); ++row) {
                for (int column = 0; column < table->columnCount(); ++column) {
                    const QTableWidgetItem *item = table->item(row, column);
                    // Folder paths are the user's data, not the form's texts.
                    if (!item || item->text().isEmpty() || item->text().contains(QLatin1Char('/'))
                        || table->isColumnHidden(column))
                        continue;
                    const QRect cell = table->visualItemRect(item);
                    const int needed = static_cast<QAbstractItemView *>(table)->sizeHintForIndex(table->model()->index(row, column)).width();
                    bool whole = table->columnWidth(column) >= needed;
                    if (!whole && table->wordWrap()) {
                        const QFontMetrics metrics(item->font());
                        const QRect wrapped = metrics.boundingRect(QRect(0, 0, cell.width() - margin, 10000),
                                                                   Qt::TextWordWrap, item->text());
                        whole = wrapped.width() <= cell.width() - margin && wrapped.height() <= cell.height();
                    }
                    if (!whole)
                        cut << describe(table, item->text())
                                   + QStringLiteral(" cell is %1x%2").arg(cell.width()).arg(cell.height());
                }
            }
        }
    }
    return cut;
}

} // namespace

// Every window and dialog, at the size it opens with, shows its texts whole in each shipped
// language: labels, buttons, check boxes, group titles, chosen combo entries and column headers
// get at least their size hints and lie inside the window (no text under a scroll area's edge),
// on every page of its tool boxes, tabs and stacks.
class tst_WindowsFitTheirTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void textsShownWhole_data();
    void textsShownWhole();
    void mainWindowOpensOnTheScreen_data();
    void mainWindowOpensOnTheScreen();

private:
    std::unique_ptr<GuiTestHome> home;
};

void tst_WindowsFitTheirTexts::initTestCase()
{
    WindowTestFixture::setUpApplication();
}

void tst_WindowsFitTheirTexts::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    WindowTestFixture::resetConfiguration(*home);
    // No question as the history window opens.
    AppConfiguration::getInstance()->autoSaveHistoNzb = true;
}

void tst_WindowsFitTheirTexts::cleanup()
{
    home.reset();
}

void tst_WindowsFitTheirTexts::textsShownWhole_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("window_");
    for (const QString &language : AppTranslations::shippedLanguages()) {
        for (int i = 0; i < windowMakers().size(); ++i)
            QTest::addRow("%s %s", qPrintable(windowMakers().at(i).first), qPrintable(language)) << language << i;
    }
}

void tst_WindowsFitTheirTexts::textsShownWhole()
{
    QFETCH(QString, language);
    QFETCH(int, window_);
    AppTranslations translations;
    QCOMPARE(translations.install(language), language);
    // A window that asks something as it opens (the log viewer without a log) gets its answer.
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->reject();
    });
    answerer.start(50);
    std::unique_ptr<QWidget> window(windowMakers().at(window_).second());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QStringList cut;
    const auto look = [&](const QString &where) {
        // The window settles: queued size changes and the layouts they start, until its size
        // and least size stay as they are.
        QSize size;
        QSize least;
        for (int round = 0, still = 0; round < 40 && still < 3; ++round) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            still = window->size() == size && window->minimumSize() == least ? still + 1 : 0;
            size = window->size();
            least = window->minimumSize();
        }
        for (const QString &text : cutTexts(window.get()))
            cut << where + QStringLiteral(": ") + text;
    };
    const QString name = window->objectName();
    // Every page of its stacks and tool boxes, at the window's size now.
    const auto lookEverywhere = [&](const QString &size, const QString &picture) {
        look(size);
        WidgetPicture::save(window.get(), picture);
        for (auto *stack : window->findChildren<QStackedWidget *>()) {
            if (!stack->isVisible())
                continue;
            const int first = stack->currentIndex();
            for (int page = 0; page < stack->count(); ++page) {
                stack->setCurrentIndex(page);
                look(QStringLiteral("%1, %2 page %3").arg(size, describe(stack, QString())).arg(page));
            }
            stack->setCurrentIndex(first);
        }
        for (auto *box : window->findChildren<QToolBox *>()) {
            const int first = box->currentIndex();
            for (int page = 0; page < box->count(); ++page) {
                box->setCurrentIndex(page);
                look(QStringLiteral("%1, page \"%2\"").arg(size, box->itemText(page)));
                WidgetPicture::save(window.get(), QStringLiteral("%1_page%2").arg(picture).arg(page));
            }
            box->setCurrentIndex(first);
        }
    };
    lookEverywhere(QStringLiteral("as it opens"), QStringLiteral("%1_%2").arg(name, language));
    // Made as small as it goes, it still shows every text whole.
    if (window->minimumSize() != window->maximumSize()) {
        window->resize(window->minimumSize());
        lookEverywhere(QStringLiteral("at its minimum size %1x%2").arg(window->minimumWidth()).arg(window->minimumHeight()),
                       QStringLiteral("%1_%2_minimum").arg(name, language));
    }
    cut.removeDuplicates();
    QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("%1 size %2x%3\n  ").arg(name).arg(window->width()).arg(window->height())
                                       + cut.join(QStringLiteral("\n  "))));
}

void tst_WindowsFitTheirTexts::mainWindowOpensOnTheScreen_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : AppTranslations::shippedLanguages())
        QTest::addRow("%s", qPrintable(language)) << language;
}

// The main window opens within the screen that can hold it (run on a screen of 1024 x 768 as
// well, see windowsfit.cmake), at the form's height where that fits, its texts whole, and can be
// made no narrower than they need. On a screen smaller than its least size it opens at that size.
void tst_WindowsFitTheirTexts::mainWindowOpensOnTheScreen()
{
    QFETCH(QString, language);
    AppTranslations translations;
    QCOMPARE(translations.install(language), language);
    configureFourServers();
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->reject();
    });
    answerer.start(50);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    const QRect available = window.screen()->availableGeometry();
    const QString where = QStringLiteral("%1x%2 on a screen of %3x%4")
                              .arg(window.width())
                              .arg(window.height())
                              .arg(available.width())
                              .arg(available.height());
    WidgetPicture::save(&window, QStringLiteral("MainWindow_screen_%1x%2_%3").arg(available.width()).arg(available.height()).arg(language));
    const QSize formSize(1307, 670);
    if (window.minimumWidth() <= available.width() - 10 && window.minimumHeight() <= available.height() - 40) {
        QVERIFY2(available.contains(window.frameGeometry()), qPrintable(where));
        QVERIFY2(window.width() <= formSize.width(), qPrintable(where));
        if (available.height() >= formSize.height() + 40)
            QCOMPARE(window.height(), formSize.height());
    } else {
        QCOMPARE(window.size(), window.minimumSize());
    }
    QStringList cut = cutTexts(&window);
    window.resize(window.minimumSize());
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    for (const QString &text : cutTexts(&window))
        cut << QStringLiteral("at the least size: ") + text;
    QVERIFY2(cut.isEmpty(), qPrintable(where + QStringLiteral("\n  ") + cut.join(QStringLiteral("\n  "))));
}

QTEST_MAIN(tst_WindowsFitTheirTexts)
#include "tst_WindowsFitTheirTexts.moc"
