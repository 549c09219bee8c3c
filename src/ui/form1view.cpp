// How the game's view calls become widgets and pixels.
#include "form1.h"

#include "boardview.h"
#include "cueplayer.h"
#include "facebutton.h"
#include "statusline.h"
#include "textline.h"

#include <QLabel>

void Form1::showFitPicture(bool fits) {
    if (fits) {
        loadFitsPicture();
    }
    // A click sets the picture twice (first "does not fit", then the
    // verdict); only a real change is worth a repaint.
    if (!fitShown_ || *fitShown_ != fits) {
        Image1->setPixmap(Image2[fits ? 0 : 1]->pixmap());
        fitShown_ = fits;
    }
}

void Form1::showCounter(std::string_view text) {
    const QString counter = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    showText(*Label2, counter);
}

void Form1::showStatus(std::string_view text) {
    ::showStatus(*Label1, text);
}

void Form1::dockStatusLine() {
    Form_Resize();
}

void Form1::playCue(Cue cue) {
    cues_.playCue(cue);
}

void Form1::setAssignEnabled(bool enabled) {
    enableButton(assegnaCmd, enabled);
}

void Form1::setPieceButtonsEnabled(bool enabled) {
    for (FaceButton* b : pieceButtons()) {
        enableButton(b, enabled);
    }
}

// Qt hands the focus of a button it disables on along the tab order, often
// to PER USCIRE, where the next Space would ask to quit: it goes instead to
// NUOVO RETTANGOLO, which always moves the game on.
void Form1::enableButton(FaceButton* button, bool enabled) {
    if (!enabled && focusWidget() == button) {
        nuovoCmd->setFocus();
    }
    button->setEnabled(enabled);
}

void Form1::clearBoard() {
    board_->clear();
}

void Form1::layOutBoard() {
    board_->layOut();
    boardView_->cover();
}

void Form1::paintSide(std::int16_t cell, Side side, ColourCode colour) {
    switch (side) {
    case Side::top:
        board_->paintTop(cell, colour);
        break;
    case Side::right:
        board_->paintRight(cell, colour);
        break;
    case Side::bottom:
        board_->paintBottom(cell, colour);
        break;
    case Side::left:
        board_->paintLeft(cell, colour);
        break;
    }
}

void Form1::wipeSlot(std::int16_t slot) {
    board_->wipe(slot);
}
