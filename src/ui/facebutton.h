#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

// A push button in the graphical style: its own face colour, its picture
// centred at the top and its caption below, broken at its spaces onto more
// lines when it does not fit the width. Space, Enter and Return press it
// when it has the focus, which a black ring inside its bevel shows; its
// shortcut presses it from anywhere in its window. The keypad's keys are a
// screen reader's, not the game's: none but Enter does anything here.
class FaceButton : public QAbstractButton {
    Q_OBJECT
  public:
    FaceButton(const QString& caption, const QPixmap& picture, QColor face, QWidget* parent);

    QColor faceColour() const { return face_; }
    QPixmap picture() const { return picture_; }
    // Where the picture is drawn, in window pixels, whatever its density.
    QRect pictureRect() const;
    // Where the caption is drawn; it must hold the whole wrapped caption.
    QRect captionRect() const;
    QStringList captionLines() const;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    const QPixmap& shownPicture();

    QPixmap picture_;
    QPixmap greyed_; // the disabled look, made the first time it is needed
    QColor face_;
};
