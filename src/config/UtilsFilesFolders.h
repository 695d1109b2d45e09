#ifndef UTILSFILESFOLDERS_H
#define UTILSFILESFOLDERS_H

#include <QByteArray>
#include <QDir>
#include <QObject>
#include <QString>

class QFile;

// Static file-system helpers; never instantiated.
class UtilsFilesFolders : private QObject
{
    Q_OBJECT

public:
    // Copies source over destination (creating the destination's folder chain). True when the
    // destination holds a full copy, or when both paths name the same file (nothing is touched
    // then). False when a file cannot be opened, or a read or write falls short.
    static bool copyFile(const QString &source, const QString &destination);

    // Deletes a folder with everything in it. The sense is inverted: false on success (and for
    // a folder that does not exist), true when something was left. Symbolic links are removed as
    // links: the tree they point into is never entered.
    static bool removeFolder(QDir folder);

    // Replaces the file's content with the bytes in one step: they go to a temporary file in the
    // same folder, which is renamed over the file once complete. A crash or a full disk leaves
    // the previous content. The folder must exist. On failure `error`, when given, says why.
    static bool saveFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

    // The system's reason when the file or its folder refuses writes (a read-only disk, a folder
    // without the right), else `otherwise`.
    static QString whyNotWritable(const QString &path, const QString &otherwise);

    enum { CopyChunkSize = 16000 };

private:
    UtilsFilesFolders() = delete;
    static bool sameFile(const QString &source, const QString &destination);
    static bool copyContent(QFile &source, QFile &destination);
};

#endif // UTILSFILESFOLDERS_H
