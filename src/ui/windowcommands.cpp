// The commands that concern the program rather than the piece: the menu and
// the way out.
#include "form1.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

// On Wayland Qt draws a box's title bar itself: the title centred, and on
// the right three buttons in some 80 pixels. Qt sizes the box as though a
// window manager drew the bar, and "Zanfrino" was clipped. Under X11 the
// window manager draws it, and the box stays as Qt makes it.
void leaveRoomForOwnTitleBar(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) || !grid) {
        return;
    }
    QFont titleFont = box.font();
    titleFont.setPixelSize(14); // the title bar's
    const int buttonRoom = 96;  // the buttons' 80 pixels, and some air
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 2 * buttonRoom;
    grid->addItem(new QSpacerItem(width, 0), grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

void Form1::Command7_Click() {
    close();
}

void Form1::mnunuova_Click() {
    runCommand(&Game::newGame);
}

void Form1::mnucanc_Click() {
    runCommand(&Game::cancelLastPiece);
}

void Form1::mnupunti_Click() {
    runCommand(&Game::showScoring);
}

void Form1::Form_QueryUnload(bool& cancel) {
    cancel = !askToQuit();
}

bool Form1::askToQuit() {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Zanfrino"),
                    QStringLiteral("Vuoi veramente uscire?"), QMessageBox::NoButton, this);
    // Buttons of our own: the standard ones would look up themed icons.
    QPushButton* yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    leaveRoomForOwnTitleBar(box);
    box.exec();
    return box.clickedButton() == yes;
}

// The question is asked once the close request has been turned down, not
// inside it: a request that comes while the question is open then reaches
// this handler too, and is ignored, since the question already asks.
void Form1::closeEvent(QCloseEvent* event) {
    if (quitConfirmed_) {
        event->accept();
        return;
    }
    event->ignore();
    if (!asking_) {
        asking_ = true;
        QTimer::singleShot(0, this, &Form1::askThenClose);
    }
}

void Form1::askThenClose() {
    bool cancel = false;
    Form_QueryUnload(cancel);
    asking_ = false;
    if (!cancel) {
        quitConfirmed_ = true;
        close();
    }
}
