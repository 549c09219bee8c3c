// The commands that concern the program rather than the piece: the menu and
// the way out.
#include "form1.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

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
