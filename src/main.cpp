#include "form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/pictures/icon-%1.png").arg(size));
    }
    QApplication::setWindowIcon(icon);
    Form1 window;
    window.show();
    return app.exec();
}
