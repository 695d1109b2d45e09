#ifndef SERVEREDITORFORM_H
#define SERVEREDITORFORM_H

#include "dialogs/DialogServerManagement.h"
#include "dialogs/ThreadTestConnection.h"

#include "ModalAnswerer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// A server editor driven through its widgets, the way a user fills it in. It is shown without
// modality, so that the only modal windows are the boxes it opens (which the test answers).
class ServerEditorForm
{
public:
    ServerEditorForm()
        : builtModal(dialog.isModal())
    {
        dialog.setModal(false);
        dialog.show();
    }

    template<typename T = QWidget>
    T *find(const QString &name) const
    {
        T *widget = dialog.findChild<T *>(name);
        if (!widget)
            qWarning("no widget %s", qPrintable(name));
        return widget;
    }
    QLineEdit *field(const QString &name) const { return find<QLineEdit>(name); }
    QPushButton *button(const QString &name) const { return find<QPushButton>(name); }
    QCheckBox *check(const QString &name) const { return find<QCheckBox>(name); }
    QLabel *label(const QString &name) const { return find<QLabel>(name); }
    QPushButton *testButton() const { return button(QStringLiteral("pushButtonTestConnection")); }
    QString info() const { return label(QStringLiteral("labelInfoTestConnection"))->text(); }

    // Empties the field, types the text and, when asked, presses Return (which ends the editing
    // when the field accepts the text).
    void type(const QString &name, const QString &text, bool pressReturn = true)
    {
        QLineEdit *edit = field(name);
        edit->clear();
        QTest::keyClicks(edit, text);
        if (pressReturn)
            QTest::keyClick(edit, Qt::Key_Return);
    }

    void setChecked(const QString &name, bool checked)
    {
        QCheckBox *box = check(name);
        if (box->isChecked() != checked)
            box->click();
    }

    // A server on 127.0.0.1 as a user enters it: SSL first (it rewrites the port), then the port.
    void enterServer(quint16 port, bool ssl, const QString &login = QString(), const QString &password = QString())
    {
        type(QStringLiteral("lineEditServerName"), QStringLiteral("127.0.0.1"));
        setChecked(QStringLiteral("checkBoxSecuredConnection"), ssl);
        type(QStringLiteral("lineEditPort"), QString::number(port));
        const bool credentials = !login.isEmpty() || !password.isEmpty();
        setChecked(QStringLiteral("checkBoxAuthentication"), credentials);
        if (credentials) {
            type(QStringLiteral("lineEditLogin"), login);
            type(QStringLiteral("lineEditPassword"), password);
        }
    }

    bool isTesting() const { return !button(QStringLiteral("pushButtonCancel"))->isEnabled(); }

    // Clicks the test button and waits for the box that reports the result, which is closed.
    bool runTest(ModalAnswerer &answerer, ModalAnswerer::Seen &seen, int timeoutMs = 30000)
    {
        const int before = answerer.answeredCount();
        answerer.acceptNext();
        testButton()->click();
        if (!isTesting() || !answerer.waitForAnswered(before + 1, timeoutMs))
            return false;
        seen = answerer.seen().constLast();
        return QTest::qWaitFor([this] { return !isTesting(); }, 5000);
    }

    // Test threads delete themselves once their run has ended.
    static bool waitForTestThreadsGone(int timeoutMs = 30000)
    {
        return QTest::qWaitFor([] { return ThreadTestConnection::instanceCount() == 0; }, timeoutMs);
    }

    DialogServerManagement dialog;
    const bool builtModal;
};

#endif // SERVEREDITORFORM_H
