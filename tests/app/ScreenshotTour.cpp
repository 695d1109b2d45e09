// A guided tour of the running program for scripts/screenshots.sh: a library preloaded into the
// real executable (LD_PRELOAD) that, once the main window is up, opens every window and dialog
// one after the other the way a user does (the same actions, buttons and tabs), and for each
// one writes "shot <name> <window id>" on the standard output and waits for a line on the
// standard input: meanwhile the script takes the picture with ImageMagick's import. A window
// that does not appear is announced as "missing <name>". At the end it writes "done" and ends
// the program through its orderly exit.
//
// It knows the program only by the object names of its forms, so it links nothing of the
// program's own libraries. It acts only when TQ_TOUR is set in the environment.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTableWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolBox>
#include <QTreeWidget>
#include <QWidget>

#include <cstdio>
#include <deque>
#include <functional>
#include <iostream>
#include <string>

namespace {

class ScreenshotTour : public QObject
{
public:
    using Step = std::function<void()>;

    ScreenshotTour()
    {
        connect(&poller, &QTimer::timeout, this, &ScreenshotTour::poll);
        poller.setInterval(100);
    }

    void begin()
    {
        waitFor([] { return mainWindow() && mainWindow()->isVisible(); }, 20000, [this] {
            settle([this] {
                if (qEnvironmentVariable("TQ_TOUR_PLAN") == QLatin1String("small-screen"))
                    planSmallScreen();
                else
                    plan();
                next();
            });
        });
    }

private:
    QTimer poller;
    std::function<bool()> condition;
    std::function<void()> then;
    QElapsedTimer waited;
    int timeoutMs = 0;
    std::deque<Step> steps;
    QList<QPointer<QWidget>> stack; // the windows opened by the tour, innermost last

    static QMainWindow *mainWindow()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<QMainWindow *>(widget))
                return window;
        }
        return nullptr;
    }

    static QSet<QWidget *> visibleWindows()
    {
        QSet<QWidget *> windows;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->isWindow() && !qobject_cast<QMenu *>(widget)
                && widget->windowType() != Qt::ToolTip && widget->windowType() != Qt::Popup)
                windows.insert(widget);
        }
        return windows;
    }

    // Windows seen at one moment, followed: one that goes is no longer among them, even when a
    // new one takes its place in memory (a dialog on the stack where a file chooser just was).
    using Seen = QList<QPointer<QWidget>>;

    static Seen seenNow()
    {
        Seen seen;
        for (QWidget *window : visibleWindows())
            seen.append(window);
        return seen;
    }

    static bool among(const Seen &seen, QWidget *window)
    {
        for (const QPointer<QWidget> &known : seen) {
            if (known && known.data() == window)
                return true;
        }
        return false;
    }

    static QWidget *versionOffer()
    {
        for (QWidget *window : visibleWindows()) {
            if (qobject_cast<QMessageBox *>(window) && window->parentWidget() == mainWindow())
                return window;
        }
        return nullptr;
    }

    // The innermost window the tour opened (null when it did not open), else the main window.
    QWidget *top() const
    {
        return stack.isEmpty() ? mainWindow() : stack.last().data();
    }

    template<typename T>
    T *inTop(const char *name) const
    {
        QWidget *window = top();
        return window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
    }

    void waitFor(std::function<bool()> until, int limitMs, std::function<void()> after)
    {
        condition = std::move(until);
        then = std::move(after);
        timeoutMs = limitMs;
        waited.start();
        poller.start();
    }

    void poll()
    {
        const bool met = condition();
        if (!met && waited.elapsed() < timeoutMs)
            return;
        poller.stop();
        auto after = std::move(then);
        after();
    }

    // Lets a window lay itself out and paint before its picture is taken.
    void settle(std::function<void()> after, int ms = 1200)
    {
        waitFor([] { return false; }, ms, std::move(after));
    }

    void next()
    {
        if (steps.empty()) {
            say("done");
            if (QMainWindow *window = mainWindow())
                QMetaObject::invokeMethod(window, "slotExitWithoutQuestion", Qt::QueuedConnection);
            return;
        }
        Step step = std::move(steps.front());
        steps.pop_front();
        step();
    }

    static void say(const std::string &line)
    {
        std::cout << line << std::endl;
    }

    // The picture of the innermost window (or of the whole screen, with the window in front of
    // it): the script answers once it has it.
    void shoot(const QString &name, bool wholeScreen = false)
    {
        QWidget *window = top();
        if (!window) {
            say("missing " + name.toStdString());
            return;
        }
        window->raise();
        // Without a window manager a window shown again is not always sent an expose: paint it.
        window->repaint();
        QCoreApplication::processEvents();
        const QRect frame = window->frameGeometry();
        qInfo("tour: %s is %s \"%s\" at %d,%d %dx%d", qPrintable(name), window->metaObject()->className(),
              qPrintable(window->windowTitle()), frame.x(), frame.y(), frame.width(), frame.height());
        say("shot " + name.toStdString() + " " + (wholeScreen ? std::string("root") : std::to_string(window->winId())));
        std::string answer;
        std::getline(std::cin, answer);
    }

    // Runs `openWindow` from the event loop (so a dialog's exec() does not hold the tour up) and
    // waits up to five seconds for a window that was not open `before`, kept in `found`; then
    // `then`, found or not. A question the window asks as it opens comes after the window itself.
    void waitForNewWindow(const QString &name, std::function<bool()> openWindow, const Seen &before,
                          std::shared_ptr<QPointer<QWidget>> found, std::function<void()> then)
    {
        QTimer::singleShot(0, [this, name, openWindow] {
            if (!openWindow())
                say("missing " + name.toStdString() + " (nothing opens it)");
        });
        waitFor(
            [before, found] {
                for (QWidget *window : visibleWindows()) {
                    if (!among(before, window) && (!*found || qobject_cast<QMessageBox *>(found->data())))
                        *found = window;
                }
                return !found->isNull();
            },
            5000, std::move(then));
    }

    // A step that opens a window with `open` (run from the event loop, so a dialog's exec()
    // does not hold the tour up) and takes its picture; the window stays open for the next steps.
    void open(const QString &name, std::function<bool()> openWindow)
    {
        steps.push_back([this, name, openWindow] {
            if (!top()) { // the window it opens from did not open
                say("missing " + name.toStdString());
                stack.append(QPointer<QWidget>());
                next();
                return;
            }
            const Seen before = seenNow();
            auto found = std::make_shared<QPointer<QWidget>>();
            waitForNewWindow(name, openWindow, before, found,
                [this, name, found, before] {
                    if (!*found) {
                        for (QWidget *window : visibleWindows())
                            qInfo("tour: %s not found; open: %s \"%s\"", qPrintable(name), window->metaObject()->className(),
                                  qPrintable(window->windowTitle()));
                        say("missing " + name.toStdString());
                        stack.append(QPointer<QWidget>()); // keeps close() of this step balanced
                        next();
                        return;
                    }
                    stack.append(*found);
                    // A question it asks as it opens comes first: the window is whole after it.
                    settle([this, name, before] {
                        const bool asked = answerQuestions(name, before);
                        settle([this, name] { shoot(name); next(); }, asked ? 1200 : 0);
                    });
                });
        });
    }

    // Message boxes that a window opened on its own are pictured and answered with their
    // escape button (the cautious answer), so that the window's own code goes on.
    bool answerQuestions(const QString &name, const Seen &before)
    {
        bool asked = false;
        for (QWidget *window : visibleWindows()) {
            auto *box = qobject_cast<QMessageBox *>(window);
            if (!box || among(before, box) || stack.contains(box))
                continue;
            stack.append(box);
            shoot(name + QStringLiteral("-question"));
            stack.removeLast();
            box->reject();
            asked = true;
        }
        return asked;
    }

    // A step that changes what the innermost window shows, then takes its picture.
    void show(const QString &name, std::function<bool()> change)
    {
        steps.push_back([this, name, change] {
            if (!top() || !change()) {
                say("missing " + name.toStdString());
                next();
                return;
            }
            settle([this, name] { shoot(name); next(); }, 800);
        });
    }

    // A step that changes what the innermost window shows, then takes a picture of the whole
    // screen: where the window stands on it.
    void showOnScreen(const QString &name, std::function<bool()> change)
    {
        steps.push_back([this, name, change] {
            if (!top() || !change()) {
                say("missing " + name.toStdString());
                next();
                return;
            }
            settle([this, name] { shoot(name, true); next(); }, 1500);
        });
    }

    // A step that runs a dialog the way a user fills it in: `openDialog` opens it, `fill` (given
    // the dialog) types into it and closes it. No picture.
    void fillIn(const QString &name, std::function<bool()> openDialog, std::function<bool(QWidget *)> fill)
    {
        steps.push_back([this, name, openDialog, fill] {
            const Seen before = seenNow();
            auto found = std::make_shared<QPointer<QWidget>>();
            waitForNewWindow(name, openDialog, before, found,
                [this, name, found, fill] {
                    if (!*found) {
                        say("missing " + name.toStdString());
                        next();
                        return;
                    }
                    settle([this, name, found, fill] {
                        QTimer::singleShot(0, [this, name, found, fill] {
                            if (!*found || !fill(found->data()))
                                say("missing " + name.toStdString() + " (could not be filled in)");
                        });
                        settle([this] { next(); }, 1000);
                    }, 400);
                });
        });
    }

    // A step that only changes what the innermost window shows (the way to the next picture).
    void act(std::function<bool()> change)
    {
        steps.push_back([this, change] {
            if (top())
                change();
            settle([this] { next(); }, 400);
        });
    }

    // A step that pops a menu up with `popUp` (from the event loop: a menu may run its own),
    // takes its picture and closes it again.
    void menu(const QString &name, std::function<bool()> popUp)
    {
        steps.push_back([this, name, popUp] {
            QTimer::singleShot(0, this, [this, name, popUp] {
                if (!popUp())
                    say("missing " + name.toStdString() + " (nothing opens it)");
            });
            waitFor([] { return QApplication::activePopupWidget() != nullptr; }, 5000, [this, name] {
                QPointer<QWidget> popup = QApplication::activePopupWidget();
                if (!popup) {
                    say("missing " + name.toStdString());
                    next();
                    return;
                }
                settle([this, name, popup] {
                    if (popup) {
                        stack.append(popup);
                        shoot(name);
                        stack.removeLast();
                        popup->close();
                    }
                    settle([this] { next(); }, 400);
                }, 600);
            });
        });
    }

    // A step that closes the innermost window the tour opened.
    void close()
    {
        steps.push_back([this] {
            QPointer<QWidget> window = stack.isEmpty() ? QPointer<QWidget>() : stack.takeLast();
            if (window) {
                if (auto *dialog = qobject_cast<QDialog *>(window.data()))
                    dialog->reject();
                else
                    window->close();
            }
            settle([this] { next(); }, 400);
        });
    }

    bool trigger(const char *actionName)
    {
        QMainWindow *window = mainWindow();
        QAction *action = window ? window->findChild<QAction *>(QLatin1String(actionName)) : nullptr;
        if (!action || !action->isEnabled())
            return false;
        action->trigger();
        return true;
    }

    bool click(const char *buttonName)
    {
        auto *button = inTop<QAbstractButton>(buttonName);
        if (!button || !button->isEnabled())
            return false;
        button->click();
        return true;
    }

    bool tab(const char *tabWidgetName, int index)
    {
        auto *tabs = inTop<QTabWidget>(tabWidgetName);
        if (!tabs || index >= tabs->count())
            return false;
        tabs->setCurrentIndex(index);
        return true;
    }

    bool page(const char *toolBoxName, int index)
    {
        auto *box = inTop<QToolBox>(toolBoxName);
        if (!box || index >= box->count())
            return false;
        box->setCurrentIndex(index);
        return true;
    }

    // The way a second start hands its NZB file over: the add-NZB dialog asks where to, and is
    // accepted. False without an NZB file to add.
    bool addNzb(const QString &name)
    {
        const QString nzb = qEnvironmentVariable("TQ_TOUR_NZB");
        if (nzb.isEmpty())
            return false;
        open(name, [nzb] { return QMetaObject::invokeMethod(mainWindow(), "handleMessage", Q_ARG(QString, nzb)); });
        steps.push_back([this] {
            QPointer<QWidget> window = stack.isEmpty() ? QPointer<QWidget>() : stack.takeLast();
            if (auto *dialog = qobject_cast<QDialog *>(window.data()))
                dialog->accept();
            settle([this] { next(); });
        });
        return true;
    }

    // The first-run wizard, open above the window without a configured server: its picture
    // (of the whole screen when asked), then it is closed.
    void firstRunWizard(const QString &name, bool wholeScreen)
    {
        for (QWidget *window : visibleWindows()) {
            if (window == mainWindow() || window->objectName() != QLatin1String("DialogWizard"))
                continue;
            stack.append(window);
            if (wholeScreen)
                showOnScreen(name, [] { return true; });
            else
                show(name, [] { return true; });
            close();
        }
    }

    // The version page named a newer version: the offer is asked as the window opens. Its
    // picture when `name` is given, then it is answered No.
    void answerVersionOffer(const QString &name)
    {
        steps.push_back([this, name] {
            waitFor([] { return versionOffer() != nullptr; }, 15000, [this, name] {
                QPointer<QWidget> box = versionOffer();
                if (!box) {
                    if (!name.isEmpty())
                        say("missing " + name.toStdString());
                    next();
                    return;
                }
                if (!name.isEmpty()) {
                    stack.append(box);
                    shoot(name);
                    stack.removeLast();
                }
                static_cast<QMessageBox *>(box.data())->reject();
                settle([this] { next(); }, 600);
            });
        });
    }

    // Starts the first server from its row, as a user does.
    void startFirstServer()
    {
        startOrStopServer(0, 5000); // the connections open and the articles flow
    }

    // Clicks the start (or stop) button in the row of the server table, then lets `settleMs` go by.
    void startOrStopServer(int row, int settleMs)
    {
        steps.push_back([this, row, settleMs] {
            auto *table = mainWindow()->findChild<QTableWidget *>(QStringLiteral("tableWidgetServers"));
            QWidget *cell = table && row < table->rowCount() ? table->cellWidget(row, table->columnCount() - 1) : nullptr;
            auto *button = cell ? cell->findChild<QAbstractButton *>() : nullptr;
            if (button && button->isVisible() && button->isEnabled())
                button->click();
            else
                say("missing the start button of server row " + std::to_string(row));
            settle([this] { next(); }, settleMs);
        });
    }

    // Waits, up to `limitMs`, until `until` holds: the way to the next picture.
    void waitUntil(std::function<bool()> until, int limitMs)
    {
        steps.push_back([this, until, limitMs] { waitFor(until, limitMs, [this] { next(); }); });
    }

    // The row of the connections table whose status holds `text`; -1 when none does.
    static int connectionRowShowing(const QString &text)
    {
        auto *table = mainWindow()->findChild<QTableWidget *>(QStringLiteral("tableWidgetServerThreads"));
        for (int row = 0; table && row < table->rowCount(); ++row) {
            const QTableWidgetItem *status = table->item(row, table->columnCount() - 1);
            if (status && status->text().contains(text))
                return row;
        }
        return -1;
    }

    // Types a server into the server editor and accepts it; with a login when one is given.
    void addServer(const QString &host, const QString &port, const QString &nickname,
                   const QString &login = QString(), const QString &password = QString())
    {
        fillIn(QStringLiteral("server editor for ") + nickname, [this] { return click("pushButtonAddServer"); },
               [host, port, nickname, login, password](QWidget *editor) {
                   auto *hostEdit = editor->findChild<QLineEdit *>(QStringLiteral("lineEditServerName"));
                   auto *portEdit = editor->findChild<QLineEdit *>(QStringLiteral("lineEditPort"));
                   auto *nicknameEdit = editor->findChild<QLineEdit *>(QStringLiteral("lineEditServerNickname"));
                   auto *ok = editor->findChild<QAbstractButton *>(QStringLiteral("pushButtonOk"));
                   if (!hostEdit || !portEdit || !nicknameEdit || !ok)
                       return false;
                   hostEdit->setText(host);
                   portEdit->setText(port);
                   nicknameEdit->setText(nickname);
                   if (!login.isEmpty()) {
                       auto *authentication = editor->findChild<QAbstractButton *>(QStringLiteral("checkBoxAuthentication"));
                       auto *loginEdit = editor->findChild<QLineEdit *>(QStringLiteral("lineEditLogin"));
                       auto *passwordEdit = editor->findChild<QLineEdit *>(QStringLiteral("lineEditPassword"));
                       if (!authentication || !loginEdit || !passwordEdit)
                           return false;
                       authentication->setChecked(true);
                       loginEdit->setText(login);
                       passwordEdit->setText(password);
                   }
                   ok->click();
                   return true;
               });
    }

    // The main window on a screen of 1024 x 768: as it starts, with four servers, the add-NZB
    // dialog, while downloading, and made as small as it goes.
    void planSmallScreen()
    {
        answerVersionOffer(QString());
        firstRunWizard(QStringLiteral("40-small-screen-first-start"), true);
        const QString port = qEnvironmentVariable("TQ_TOUR_SERVER_PORT");
        addServer(QStringLiteral("127.0.0.1"), port.isEmpty() ? QStringLiteral("119") : port, QStringLiteral("Test server"));
        // Three more that are never started: a port where nothing answers.
        const QStringList others = {QStringLiteral("Second server"), QStringLiteral("Third server"),
                                    QStringLiteral("Fourth server")};
        for (const QString &nickname : others)
            addServer(QStringLiteral("127.0.0.1"), QStringLiteral("9"), nickname);
        addNzb(QStringLiteral("41-small-screen-add-nzb"));
        if (!port.isEmpty())
            startFirstServer();
        showOnScreen(QStringLiteral("42-small-screen-downloading"), [this] { return tab("tabWidget", 0); });
        showOnScreen(QStringLiteral("43-small-screen-smallest"), [] {
            QMainWindow *window = mainWindow();
            window->resize(window->minimumSize());
            return true;
        });
    }

    // A second server, beside the first, that wants a login: given a wrong password it refuses
    // it, and the row of its connection keeps the error and when it tries again. Stopped after
    // its picture, so that the following pictures show the first server alone at work.
    void refusedLogin()
    {
        const QString port = qEnvironmentVariable("TQ_TOUR_LOCKED_SERVER_PORT");
        if (port.isEmpty())
            return;
        addServer(QStringLiteral("127.0.0.1"), port, QStringLiteral("Locked server"), QStringLiteral("reader"),
                  QStringLiteral("wrong password"));
        startOrStopServer(1, 0);
        // The server's own answer, the same in every language.
        waitUntil([] { return connectionRowShowing(QStringLiteral("(481)")) >= 0; }, 20000);
        show(QStringLiteral("09d-main-window-login-refused"), [] {
            auto *table = mainWindow()->findChild<QTableWidget *>(QStringLiteral("tableWidgetServerThreads"));
            const int row = connectionRowShowing(QStringLiteral("(481)"));
            if (!table || row < 0)
                return false;
            table->selectRow(row);
            table->scrollToItem(table->item(row, 0));
            return true;
        });
        // Nothing current either: a current row that goes takes the selection to the next one.
        act([] {
            auto *table = mainWindow()->findChild<QTableWidget *>(QStringLiteral("tableWidgetServerThreads"));
            if (!table)
                return false;
            table->setCurrentIndex(QModelIndex());
            table->clearSelection();
            return true;
        });
        startOrStopServer(1, 2000);
    }

    // Every window of the program, in the order a newcomer meets them.
    void plan()
    {
        answerVersionOffer(QStringLiteral("00-version-offer"));
        // Without a configured server the first-run wizard is already open above the window.
        firstRunWizard(QStringLiteral("01-wizard-first-run"), false);
        show(QStringLiteral("02-main-window-servers-downloads"), [this] { return tab("tabWidget", 0); });
        show(QStringLiteral("03-main-window-search"), [this] { return tab("tabWidget", 1); });
        show(QStringLiteral("04-main-window-web-browser"), [this] { return tab("tabWidget", 2); });
        act([this] { return tab("tabWidget", 0); });

        if (addNzb(QStringLiteral("06-add-nzb"))) {
            show(QStringLiteral("07-main-window-queue"), [] { return true; });
            menu(QStringLiteral("07b-download-list-menu"), [] {
                auto *list = mainWindow()->findChild<QTreeWidget *>(QStringLiteral("treeWidgetDownloadList"));
                if (!list || list->topLevelItemCount() == 0)
                    return false;
                list->setCurrentItem(list->topLevelItem(0));
                const QPoint place = list->visualItemRect(list->topLevelItem(0)).center();
                QCoreApplication::postEvent(list->viewport(),
                                            new QContextMenuEvent(QContextMenuEvent::Mouse, place,
                                                                  list->viewport()->mapToGlobal(place)));
                return true;
            });
        }

        open(QStringLiteral("08-server-editor-new"), [this] { return click("pushButtonAddServer"); });
        const QString port = qEnvironmentVariable("TQ_TOUR_SERVER_PORT");
        if (port.isEmpty()) {
            close();
        } else {
            // The news server the script started, typed in as a user does, then started from its row.
            show(QStringLiteral("09-server-editor-filled"), [this, port] {
                auto *host = inTop<QLineEdit>("lineEditServerName");
                auto *portEdit = inTop<QLineEdit>("lineEditPort");
                auto *connections = inTop<QComboBox>("comboBoxNbConnections");
                auto *nickname = inTop<QLineEdit>("lineEditServerNickname");
                if (!host || !portEdit || !connections || !nickname)
                    return false;
                host->setText(QStringLiteral("127.0.0.1"));
                portEdit->setText(port);
                connections->setCurrentIndex(qMin(1, connections->count() - 1));
                nickname->setText(QStringLiteral("Test server"));
                return true;
            });
            steps.push_back([this] {
                QTimer::singleShot(0, this, [this] {
                    if (!click("pushButtonOk"))
                        say("missing the server editor's OK button");
                });
                settle([this] {
                    stack.removeLast();
                    next();
                });
            });
            startFirstServer();
            show(QStringLiteral("09b-main-window-downloading"), [] { return true; });
            menu(QStringLiteral("09c-delayed-pause-menu"), [this] {
                auto *button = inTop<QPushButton>("pushButtonDifferedPause");
                if (!button || !button->menu())
                    return false;
                button->showMenu();
                return true;
            });
            refusedLogin();
        }

        open(QStringLiteral("10-settings-general"), [this] { return trigger("actionSettings"); });
        const char *settingsPages[] = {"11-settings-download", "12-settings-logs", "13-settings-proxy",
                                       "14-settings-import-export", "15-settings-language"};
        for (int i = 0; i < 5; ++i)
            show(QLatin1String(settingsPages[i]), [this, i] { return page("toolBox", i + 1); });
        open(QStringLiteral("16-export-servers-file-chooser"), [this] { return click("PushButtonExportServers"); });
        // A file named in the chooser: the export dialog lists the servers to write.
        open(QStringLiteral("17-export-servers"), [this] {
            auto *chooser = qobject_cast<QFileDialog *>(top());
            if (!chooser)
                return false;
            // Typed in and saved, as a user does.
            auto *name = chooser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            auto *buttons = chooser->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
            if (!name || !buttons)
                return false;
            name->setText(QStringLiteral("servers.tvp"));
            for (QAbstractButton *button : buttons->buttons()) {
                if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
                    button->click();
                    return true;
                }
            }
            return false;
        });
        show(QStringLiteral("17b-export-servers-server-shown"), [this] {
            auto *list = inTop<QListWidget>("listWidgetServers");
            if (!list || list->count() == 0)
                return false;
            list->setCurrentRow(0);
            return true;
        });
        close();
        close();
        act([this] { return page("toolBox", 0); });
        open(QStringLiteral("18-destination-folders"), [this] { return click("pushButtonDestinations"); });
        open(QStringLiteral("19-destination-folder-add"), [this] { return click("pushButtonAddDestination"); });
        close();
        close();
        close();

        open(QStringLiteral("20-open-nzb-file-chooser"), [this] { return trigger("actionNZB"); });
        close();
        open(QStringLiteral("21-end-of-queue-action"), [this] { return trigger("actionShutdown"); });
        close();
        menu(QStringLiteral("21b-destinations-menu"), [] {
            QMainWindow *window = mainWindow();
            auto *action = window->findChild<QAction *>(QStringLiteral("actionDestinations"));
            auto *bar = window->findChild<QToolBar *>(QStringLiteral("mainToolBar"));
            QWidget *button = bar && action ? bar->widgetForAction(action) : nullptr;
            if (!button || !action->menu())
                return false;
            action->menu()->popup(button->mapToGlobal(QPoint(0, button->height())));
            return true;
        });
        open(QStringLiteral("22-wizard"), [this] { return trigger("actionConfiguration_Wizard"); });
        show(QStringLiteral("23-wizard-page-2"), [this] {
            auto *pages = inTop<QStackedWidget>("stackedWidgetWizard");
            return pages && pages->count() > 1 && (pages->setCurrentIndex(1), true);
        });
        show(QStringLiteral("24-wizard-page-3"), [this] {
            auto *pages = inTop<QStackedWidget>("stackedWidgetWizard");
            return pages && pages->count() > 2 && (pages->setCurrentIndex(2), true);
        });
        close();
        open(QStringLiteral("25-manual-repair-extract-unsplit"),
             [this] { return trigger("actionManual_repair_extraction_unsplit"); });
        // The fields as the program fills them once folders are chosen.
        show(QStringLiteral("25b-manual-repair-folders-chosen"), [this] {
            const char *fields[] = {"lineEditPar2Path", "lineEditUnrarPath", "lineEditUnrarDestinationPath",
                                    "lineEditUnsplitPath", "lineEditUnsplitDestinationPath"};
            bool filled = false;
            for (const char *field : fields) {
                if (auto *edit = inTop<QLineEdit>(field)) {
                    edit->setText(QDir::current().absoluteFilePath(QStringLiteral("Holiday pictures")));
                    filled = true;
                }
            }
            return filled;
        });
        close();
        open(QStringLiteral("26-nzb-history"), [this] { return trigger("actionNZB_history"); });
        open(QStringLiteral("26b-popup-calendar"), [this] { return click("pushButtonPopupFrom"); });
        close();
        close();
        open(QStringLiteral("27-logs"), [this] { return trigger("actionLogs"); });
        close();
        open(QStringLiteral("28-about"), [this] { return trigger("actionAbout_Tessaquill_Plus"); });
        close();

        // The browser's favourites and options, from the menu of its settings button.
        act([this] { return tab("tabWidget", 2); });
        // The menu's first two entries, in every language: add to the favourites, browser options.
        const char *webDialogs[] = {"30-web-favourite-add", "31-web-browser-options"};
        for (int entry = 0; entry < 2; ++entry) {
            open(QLatin1String(webDialogs[entry]), [this, entry] {
                auto *button = inTop<QPushButton>("pushButtonWebFavourite");
                QMenu *menu = button ? button->menu() : nullptr;
                const QList<QAction *> actions = menu ? menu->actions() : QList<QAction *>();
                if (actions.size() <= entry)
                    return false;
                actions.at(entry)->trigger();
                return true;
            });
            close();
        }
        // A page behind a site log-in: the browser asks for the user name and password.
        const QString login = qEnvironmentVariable("TQ_TOUR_LOGIN_URL");
        if (!login.isEmpty()) {
            open(QStringLiteral("31b-web-log-in"), [this, login] {
                auto *address = inTop<QLineEdit>("lineEditWebUrl");
                if (!address)
                    return false;
                address->setText(login);
                return QMetaObject::invokeMethod(address, "returnPressed");
            });
            close();
        }
        // The tray icon's menu, as a right click on it in the tray opens it.
        menu(QStringLiteral("31c-tray-menu"), [] {
            auto *tray = mainWindow()->findChild<QSystemTrayIcon *>();
            if (!tray || !tray->contextMenu() || !QSystemTrayIcon::isSystemTrayAvailable())
                return false;
            const QRect icon = tray->geometry();
            tray->contextMenu()->popup(icon.isValid() ? icon.bottomLeft() : QCursor::pos());
            return true;
        });
        show(QStringLiteral("32-main-window-at-the-end"), [this] { return tab("tabWidget", 0); });
    }
};

void startTour()
{
    if (qEnvironmentVariableIsEmpty("TQ_TOUR"))
        return;
    // The programs the program starts (par2, unrar) go without the tour.
    qunsetenv("TQ_TOUR");
    qunsetenv("LD_PRELOAD");
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    // The application object exists now, but not yet the window: begin from its event loop.
    QTimer::singleShot(0, [] {
        auto *tour = new ScreenshotTour;
        tour->setParent(QCoreApplication::instance());
        tour->begin();
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startTour)
