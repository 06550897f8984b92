// tamberlock-icons FOLDER: renders the program picture into the launcher
// icons FOLDER/16.png ... FOLDER/256.png.
#include "widgets/Icons.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv); // fonts for the coin's "$"
    QTextStream err(stderr);
    if (app.arguments().size() != 2) {
        err << "usage: tamberlock-icons FOLDER\n";
        return 2;
    }
    const QDir folder(app.arguments().at(1));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.scale(size / 32.0, size / 32.0);
            Icons::paintProgram(p);
        }
        const QString file = folder.filePath(QStringLiteral("%1.png").arg(size));
        if (!image.save(file)) {
            err << "tamberlock-icons: cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
