#include "pictures.h"

#include <QImageReader>

namespace {

// The densities the pictures are made at, with their files' suffixes.
struct Density {
    qreal ratio;
    const char* suffix;
};
constexpr Density densities[] = {{1, ""}, {1.5, "@1.5x"}, {2, "@2x"}};

QPixmap read(const char* name, const Density& density) {
    QString path = QStringLiteral(":/pictures/%1").arg(QLatin1String(name));
    path.insert(path.lastIndexOf(QLatin1Char('.')), QLatin1String(density.suffix));
    QImageReader reader(path, "png");
    // Guessing would load every image plugin just to ask it about the file.
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QPixmap picture(const char* name, qreal devicePixelRatio) {
    const Density* chosen = std::begin(densities);
    while (chosen + 1 != std::end(densities) && chosen->ratio < devicePixelRatio - 0.01) {
        ++chosen;
    }
    QPixmap pixmap = read(name, *chosen);
    pixmap.setDevicePixelRatio(chosen->ratio);
    return pixmap;
}

QIcon pictureIcon(const char* name) {
    QIcon icon;
    for (const Density& density : densities) {
        icon.addPixmap(read(name, density));
    }
    return icon;
}

QIcon gameIcon() {
    QIcon icon;
    for (const char* name : {"icon-16.png", "icon-24.png", "icon-32.png", "icon-48.png",
                             "icon-64.png", "icon-72.png", "icon-96.png", "icon-128.png"}) {
        icon.addPixmap(picture(name));
    }
    return icon;
}
