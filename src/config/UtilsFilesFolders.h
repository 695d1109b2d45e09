#ifndef UTILSFILESFOLDERS_H
#define UTILSFILESFOLDERS_H

#include <QByteArray>
#include <QDir>
#include <QObject>
#include <QString>

class QFile;
class QFileDevice;

// Static file-system helpers; never instantiated.
class UtilsFilesFolders : private QObject
{
    Q_OBJECT

public:
    // Copies source over destination (creating the destination's folder chain). The copy is
    // written beside the destination and replaces it only once whole, so a copy that fails leaves
    // the previous file as it was. True when the destination holds a full copy, or when both paths
    // name the same file (nothing is touched then). False, with `error` (when given) saying why,
    // when the source is no regular file or cannot be read, when the destination exists and is no
    // regular file (a folder, a named pipe, a device: left as it is), or when the copy falls short.
    static bool copyFile(const QString &source, const QString &destination, QString *error = nullptr);

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
    static bool copyContent(QFile &source, QFileDevice &destination);
    static QString whyNotReplaceable(const QString &destination);
    static bool openSource(QFile &file, const QString &path, QString *error);
    static bool fail(QString *error, const QString &why);
};

#endif // UTILSFILESFOLDERS_H
