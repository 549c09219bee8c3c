#include "pictures.h"

#include <QImageReader>

QPixmap picture(const char* name) {
    QImageReader reader(QStringLiteral(":/pictures/%1").arg(QLatin1String(name)), "png");
    // Guessing would load every image plugin just to ask it about the file.
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon gameIcon() {
    QIcon icon;
    for (const char* name : {"icon-16.png", "icon-32.png", "icon-48.png", "icon-64.png"}) {
        icon.addPixmap(picture(name));
    }
    return icon;
}
