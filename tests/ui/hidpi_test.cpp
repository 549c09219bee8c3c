#include "form1.h"
#include "surfacewidget.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QtTest>

namespace {

// Which triangle of a cell a point lies in, by the diagonals' equations, or
// -1 when it lies within `margin` of a line: 0 top, 1 right, 2 bottom, 3 left.
int triangleAt(double u, double v, double margin) {
    // u, v: the point in the cell's own units, 0..1 across and down.
    const double d1 = v - u;       // below the top-left to bottom-right diagonal when > 0
    const double d2 = v - (1 - u); // below the top-right to bottom-left diagonal when > 0
    if (std::abs(d1) < margin || std::abs(d2) < margin || u < margin || v < margin ||
        u > 1 - margin || v > 1 - margin) {
        return -1;
    }
    if (d1 < 0 && d2 < 0) {
        return 0;
    }
    if (d1 < 0) {
        return 1;
    }
    if (d2 < 0) {
        return 3;
    }
    return 2;
}

} // namespace

// The window at twice the pixel density, as on a high-density screen.
class HiDpiTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> window;

    void click(const char* name) {
        QTest::mouseClick(window->findChild<QAbstractButton*>(name), Qt::LeftButton);
    }

    // Every surface pixel of the cell is black, or the colour of the
    // triangle it lies in; pixels near a line may be either.
    void checkCell(int left, int top, const std::array<std::int32_t, 4>& sides) {
        const QImage& image = window->findChild<SurfaceWidget*>()->image();
        const int k = 2;
        int checked = 0;
        for (int y = top * k; y < (top + 129) * k; ++y) {
            for (int x = left * k; x < (left + 73) * k; ++x) {
                const QRgb pixel = image.pixel(x, y);
                const int t = triangleAt((x - left * k + 0.5) / (73.0 * k),
                                         (y - top * k + 0.5) / (129.0 * k), 0.03);
                if (t < 0) {
                    const bool nearLineOk = pixel == qRgb(0, 0, 0) ||
                                            std::any_of(sides.begin(), sides.end(), [&](auto c) {
                                                return pixel == colourOf(c);
                                            });
                    QVERIFY2(
                        nearLineOk,
                        qPrintable(QString("speck at %1,%2: %3").arg(x).arg(y).arg(pixel, 8, 16)));
                    continue;
                }
                QCOMPARE(pixel, colourOf(sides[static_cast<std::size_t>(t)]));
                ++checked;
            }
        }
        QVERIFY(checked > 73 * 129 * 3); // most of the cell's 4 x 73 x 129 pixels
    }

  private slots:
    void init() {
        window = std::make_unique<Form1>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void keepsTheLayoutAndDrawsAtDevicePixels() {
        QCOMPARE(window->devicePixelRatioF(), 2.0);
        QCOMPARE(window->centralWidget()->size(), QSize(792, 554));
        QCOMPARE(window->findChild<QWidget*>("nuovoCmd")->geometry(), QRect(504, 264, 121, 81));
        const QImage& image = window->findChild<SurfaceWidget*>()->image();
        QCOMPARE(image.devicePixelRatio(), 2.0);
        QCOMPARE(image.size(), QSize(Form1::surfaceWidth * 2, Form1::surfaceHeight * 2));
        // The grabbed window shows the lines at full density: two device
        // pixels for each pixel of the window.
        const QImage shot = window->centralWidget()->grab().toImage();
        QCOMPARE(shot.size(), QSize(792 * 2, 554 * 2));
        QCOMPARE(shot.pixel(24 * 2, 100 * 2), qRgb(0, 0, 0));
        QCOMPARE(shot.pixel(24 * 2 + 1, 100 * 2), qRgb(0, 0, 0));
        QCOMPARE(shot.pixel(24 * 2 + 2, 100 * 2), qRgb(255, 255, 255));
    }

    void everyPaintedTriangleIsFilledWholeAndNothingLeaks() {
        click("nuovoCmd");
        click("orarioCmd");
        click("assegnaCmd"); // slot 1 takes anything
        for (int tries = 0; tries < 40 && !window->game().pieceFits(); ++tries) {
            click(tries % 3 == 2 ? "spostaCmd" : "antiCmd");
        }
        QVERIFY(window->game().pieceFits());
        click("assegnaCmd");
        click("orizCmd");
        QCOMPARE(window->game().state().currentSlot, 3);

        const GameState& s = window->game().state();
        for (int k = 1; k <= 2; ++k) {
            checkCell(24 + 73 * (k - 1), 24,
                      {s.placedTop[k], s.placedRight[k], s.placedBottom[k], s.placedLeft[k]});
        }
        checkCell(696, 96, {s.pieceTop, s.pieceRight, s.pieceBottom, s.pieceLeft});
        checkCell(24 + 73 * 2, 24, {15, 15, 15, 15}); // the next cell is still empty
    }

    void cleanup() { window.reset(); }
};

QTEST_MAIN(HiDpiTest)
#include "hidpi_test.moc"
