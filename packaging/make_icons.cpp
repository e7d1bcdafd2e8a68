// Draws the program's icon (appIcon()) at the sizes desktops look for and
// writes it to files, so that installing needs no picture from elsewhere.
//
//   make_icons <folder> <size>...      writes <folder>/bytekijker-<N>x<N>.png
//   make_icons --ico <file> <size>...  writes one Windows icon holding every size
//
// Needs no screen: it draws on the offscreen platform unless told otherwise.

#include "common/appicon.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>

#include <optional>

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// The icon at exactly size x size pixels, or nothing (with a message) when
// the drawing comes out at another size, or is not the page alone: its
// middle drawn, its corners (outside the page) transparent.
std::optional<QImage> drawIcon(const QIcon &icon, int size)
{
    const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
    if (image.size() != QSize(size, size)) {
        err() << "make_icons: asked for " << size << "x" << size << ", got " << image.width() << "x" << image.height()
              << Qt::endl;
        return std::nullopt;
    }
    const int last = size - 1;
    const bool cornersClear = qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(last, 0)) == 0
                              && qAlpha(image.pixel(0, last)) == 0 && qAlpha(image.pixel(last, last)) == 0;
    if (qAlpha(image.pixel(size / 2, size / 2)) == 255 && cornersClear)
        return image;
    err() << "make_icons: the icon at " << size << "x" << size << " is not the page alone" << Qt::endl;
    return std::nullopt;
}

std::optional<QByteArray> png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.save(&buffer, "PNG"))
        return bytes;
    err() << "make_icons: can't encode the " << image.width() << "x" << image.height() << " picture as PNG" << Qt::endl;
    return std::nullopt;
}

// Writes all at once or not at all, so a failed run leaves no half file.
bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    err() << "make_icons: can't write " << path << ": " << file.errorString() << Qt::endl;
    return false;
}

// A Windows .ico: a directory of the square pictures, then each picture as PNG.
QByteArray ico(const QList<int> &sizes, const QList<QByteArray> &pngs)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(sizes.size());
    quint32 offset = 6 + 16 * sizes.size();
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const quint8 side = sizes[i] % 256;   // 256 is written as 0
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32) << quint32(pngs[i].size()) << offset;
        offset += pngs[i].size();
    }
    for (const QByteArray &picture : pngs)
        out.writeRawData(picture.constData(), picture.size());
    return bytes;
}

}   // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool windowsIcon = !args.isEmpty() && args.first() == QLatin1String("--ico");
    if (windowsIcon)
        args.removeFirst();
    if (args.size() < 2) {
        err() << "usage: make_icons <folder> <size>...\n"
                 "       make_icons --ico <file> <size>..."
              << Qt::endl;
        return 2;
    }
    const QString target = args.takeFirst();

    const QIcon icon = appIcon();
    QList<int> sizes;
    QList<QByteArray> pngs;
    for (const QString &arg : args) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        if (!ok || size < 1 || size > (windowsIcon ? 256 : 1024)) {
            err() << "make_icons: not a size: " << arg << Qt::endl;
            return 2;
        }
        const std::optional<QImage> image = drawIcon(icon, size);
        if (!image)
            return 1;
        const std::optional<QByteArray> encoded = png(*image);
        if (!encoded)
            return 1;
        sizes.append(size);
        pngs.append(*encoded);
    }

    if (windowsIcon)
        return writeFile(target, ico(sizes, pngs)) ? 0 : 1;

    if (!QDir().mkpath(target)) {
        err() << "make_icons: can't make the folder " << target << Qt::endl;
        return 1;
    }
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const QString name = QStringLiteral("bytekijker-%1x%1.png").arg(sizes[i]);
        if (!writeFile(QDir(target).filePath(name), pngs[i]))
            return 1;
    }
    return 0;
}
