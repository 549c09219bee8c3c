// Start-up memory depends on the window reading its pictures with Qt's
// built-in PNG decoder alone: one careless load with format guessing, or the
// menu bar's standard "more commands" mark, maps every image plugin and the
// JPEG library behind them into the process.
#include "form1.h"
#include "gamestyle.h"

#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList mappedImagePlugins() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) {
        return {QStringLiteral("cannot read /proc/self/maps")};
    }
    QStringList found;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        if (line.contains("/imageformats/") || line.contains("libjpeg")) {
            found << QString::fromLatin1(line);
        }
    }
    return found;
}

} // namespace

class NoPluginsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setStyle(new GameStyle); }

    void aWholeSessionMapsNoImagePlugin() {
        Form1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // What is read after the first frame: the "fits" figure and the icon.
        QTRY_VERIFY(!window.windowIcon().isNull());
        QTRY_VERIFY(!window.findChild<QLabel*>("Image2_0")->pixmap().isNull());

        // Too narrow for the three commands: the menu bar shows its mark.
        window.resize(120, window.height());
        auto* more = window.menuBar()->findChild<QToolButton*>();
        QVERIFY(more);
        QTRY_VERIFY(more->isVisible());
        QCOMPARE(more->icon().availableSizes(), QList<QSize>{QSize(16, 16)});

        QVERIFY2(mappedImagePlugins().isEmpty(), qPrintable(mappedImagePlugins().join('\n')));
    }
};

QTEST_MAIN(NoPluginsTest)
#include "noplugins_test.moc"
