#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QString withoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

ModalAnswerer::Seen describe(QWidget *window)
{
    ModalAnswerer::Seen seen;
    seen.className = QString::fromLatin1(window->metaObject()->className());
    seen.objectName = window->objectName();
    seen.title = window->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(window)) {
        seen.text = box->text();
        seen.informativeText = box->informativeText();
        seen.icon = box->icon();
        if (QPushButton *button = box->defaultButton())
            seen.defaultButton = box->standardButton(button);
    }
    return seen;
}

} // namespace

ModalAnswerer::ModalAnswerer(QObject *parent)
    : QObject(parent)
{
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer.start();
}

ModalAnswerer::~ModalAnswerer() = default;

void ModalAnswerer::pressNext(QMessageBox::StandardButton button)
{
    handleNext([button](QWidget *window) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (box && box->button(button)) {
            box->button(button)->click();
            return;
        }
        qWarning("ModalAnswerer: %s has no such button; rejected instead",
                 window->metaObject()->className());
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
        else
            window->close();
    });
}

void ModalAnswerer::clickNext(const QString &text)
{
    handleNext([text](QWidget *window) {
        const QList<QAbstractButton *> buttons = window->findChildren<QAbstractButton *>();
        for (QAbstractButton *button : buttons) {
            if (withoutMnemonic(button->text()) == withoutMnemonic(text) && button->isVisible()) {
                button->click();
                return;
            }
        }
        qWarning("ModalAnswerer: no button \"%s\" in %s; rejected instead", qPrintable(text),
                 window->metaObject()->className());
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
        else
            window->close();
    });
}

void ModalAnswerer::chooseFileNext(const QString &path)
{
    // The path is typed into the chooser's name field: selecting it with selectFile() races with
    // the chooser's file system model, which now and then leaves the selection empty or relative
    // to another folder, and a "not found" box that nobody answers. The chooser is accepted from
    // the event loop, so that a question it asks on accepting (replace an existing file?) is
    // answered by the next queued answer.
    handleNext([path](QWidget *window) {
        auto *chooser = qobject_cast<QFileDialog *>(window);
        auto *name = chooser ? chooser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
                             : nullptr;
        if (!name) {
            qWarning("ModalAnswerer: %s is no file dialog; rejected instead",
                     window->metaObject()->className());
            if (auto *dialog = qobject_cast<QDialog *>(window))
                dialog->reject();
            else
                window->close();
            return;
        }
        name->setText(path);
        QTimer::singleShot(0, chooser, [chooser, path] {
            static_cast<QDialog *>(chooser)->accept(); // protected in QFileDialog, public in QDialog
            if (chooser->isVisible() && QApplication::activeModalWidget() == chooser) {
                qWarning("ModalAnswerer: the file chooser refused %s", qPrintable(path));
                chooser->reject();
            }
        });
    });
}

void ModalAnswerer::acceptNext()
{
    handleNext([](QWidget *window) {
        if (auto *box = qobject_cast<QMessageBox *>(window)) {
            QAbstractButton *button = box->defaultButton();
            for (QAbstractButton *candidate : box->buttons()) {
                const QMessageBox::ButtonRole role = box->buttonRole(candidate);
                if (!button && (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole))
                    button = candidate;
            }
            if (button) {
                button->click();
                return;
            }
        }
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->accept();
        else
            window->close();
    });
}

void ModalAnswerer::rejectNext()
{
    handleNext([](QWidget *window) {
        if (auto *box = qobject_cast<QMessageBox *>(window)) {
            if (QAbstractButton *button = box->escapeButton()) {
                button->click();
                return;
            }
        }
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
        else
            window->close();
    });
}

void ModalAnswerer::handleNext(const std::function<void(QWidget *)> &handler)
{
    answers.enqueue(handler);
}

bool ModalAnswerer::waitForAnswered(int count, int timeoutMs)
{
    return QTest::qWaitFor([this, count] { return seenWindows.size() >= count; }, timeoutMs);
}

bool ModalAnswerer::eventFilter(QObject *watched, QEvent *event)
{
    // A window shown again (a dialog run twice) is a new window to answer.
    if (event->type() == QEvent::Hide && watched == lastAnswered) {
        watched->removeEventFilter(this);
        lastAnswered = nullptr;
    }
    return QObject::eventFilter(watched, event);
}

void ModalAnswerer::closeIfStuck(QWidget *window)
{
    if (window != waitingWindow) {
        waitingWindow = window;
        waitingSince.start();
        return;
    }
    if (waitingSince.elapsed() < kStuckMs)
        return;
    const Seen seen = describe(window);
    qWarning("ModalAnswerer: %s \"%s\" (%s) stayed open without an answer; closed",
             qPrintable(seen.className), qPrintable(seen.title), qPrintable(seen.text));
    if (auto *dialog = qobject_cast<QDialog *>(window))
        dialog->reject();
    else
        window->close();
    waitingWindow = nullptr;
}

void ModalAnswerer::poll()
{
    QWidget *window = QApplication::activeModalWidget();
    if (!window) {
        waitingWindow = nullptr;
        return;
    }
    // A window that was answered but has not closed yet is not answered twice (its handler
    // closes it in its own time).
    if (window == lastAnswered && window->isVisible()) {
        waitingWindow = nullptr;
        return;
    }
    if (answers.isEmpty()) {
        closeIfStuck(window);
        return;
    }
    waitingWindow = nullptr;
    lastAnswered = window;
    window->installEventFilter(this);
    seenWindows << describe(window);
    const std::function<void(QWidget *)> answer = answers.dequeue();
    answer(window);
}
