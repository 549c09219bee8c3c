#include "italian.h"

#include <QCoreApplication>
#include <QTranslator>

void speakItalian(QCoreApplication& app) {
    static QTranslator qtTexts;
    if (qtTexts.isEmpty() && qtTexts.load(QStringLiteral(":/i18n/qtbase_it.qm"))) {
        app.installTranslator(&qtTexts);
    }
}
