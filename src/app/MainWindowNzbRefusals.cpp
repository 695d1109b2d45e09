// What the user is told about NZB files that could not be queued: a file the reading refused,
// and arguments of the command line or of a later start that are no NZB file.
#include "app/MainWindow.h"

#include "QsLog/QsLog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

namespace {

// Packed forms an NZB file is often published in.
bool isPackedNzb(const QFileInfo &info)
{
    static const QStringList packings = {QStringLiteral("gz"), QStringLiteral("bz2"), QStringLiteral("xz"),
                                         QStringLiteral("zst"), QStringLiteral("zip"), QStringLiteral("7z"),
                                         QStringLiteral("rar")};
    return info.completeSuffix().toLower().contains(QLatin1String("nzb."))
           && packings.contains(info.suffix().toLower());
}

} // namespace

// The file is named in the box and the log: several additions may fail one after the other.
// A file of the browser has a temporary name; it is named by the NZB's own name then.
void MainWindow::reportUnreadableNzb(const QString &strNzbPath, const QString &strNzbName, const QString &strError)
{
    const bool namedByPath = strNzbName.trimmed().isEmpty() || QFileInfo(strNzbPath).completeBaseName() == strNzbName;
    const QString file = namedByPath ? QDir::toNativeSeparators(strNzbPath) : strNzbName;
    const QString text = tr("Error while importing NZB file: %1").arg(strError);
    QLOG_ERROR() << text + QStringLiteral(" (%1)").arg(file);
    // The name comes from the disk or a web page: shown as it is, never read as markup.
    QMessageBox box(QMessageBox::Critical, tr("Tessaquill+"), text + QLatin1Char('\n') + tr("File: %1").arg(file),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// Logged as always, and said in one box that lists every refused argument: one that comes while
// the box is open joins the list.
void MainWindow::refuseArgument(const QString &strArgument)
{
    QLOG_ERROR() << tr("Cannot load %1: bad suffix").arg(strArgument);
    const QFileInfo info(strArgument);
    QString reason;
    if (info.isDir())
        reason = tr("a folder, not an NZB file");
    else if (!info.exists())
        reason = tr("no such file");
    else if (isPackedNzb(info))
        reason = tr("a packed NZB file: unpack it, then add the .nzb file");
    else
        reason = tr("not an NZB file (its name does not end in .nzb)");
    listRefusedArguments << tr("%1: %2").arg(QDir::toNativeSeparators(strArgument), reason);
    if (boxRefusedArguments) {
        showRefusedArguments();
        return;
    }
    if (bRefusedArgumentsDue)
        return;
    // From the event loop: the arguments of the command line are taken before it runs.
    bRefusedArgumentsDue = true;
    QTimer::singleShot(0, this, [this] {
        bRefusedArgumentsDue = false;
        if (bClosing || listRefusedArguments.isEmpty())
            return;
        bringWindowForward();
        boxRefusedArguments = new QMessageBox(QMessageBox::Warning, tr("Tessaquill+"), QString(), QMessageBox::Ok, this);
        boxRefusedArguments->setTextFormat(Qt::PlainText);
        showRefusedArguments();
        boxRefusedArguments->exec();
        delete boxRefusedArguments;
        listRefusedArguments.clear();
    });
}

void MainWindow::showRefusedArguments()
{
    QStringList lines;
    for (const QString &refused : qAsConst(listRefusedArguments))
        lines << QStringLiteral("- ") + refused;
    boxRefusedArguments->setText(tr("These files were not added to the queue:") + QLatin1Char('\n')
                                 + lines.join(QLatin1Char('\n')));
}
