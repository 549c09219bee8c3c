#pragma once

#include "board.h"
#include "game.h"
#include "gameview.h"
#include "news.h"
#include "random.h"

#include <QMainWindow>

#include <array>
#include <optional>

class BoardView;
class CuePlayer;
class FaceButton;
class QAction;
class QLabel;
class SurfaceWidget;
struct ButtonDesign;

// The game's one window: its widgets, its handlers, and the view through
// which the game shows itself.
class Form1 final : public QMainWindow, private GameView {
    Q_OBJECT
  public:
    static constexpr int clientWidth = 792;
    static constexpr int clientHeight = 554;
    static constexpr int surfaceWidth = 770;  // right of Shape1(0)
    static constexpr int surfaceHeight = 411; // below the board

    explicit Form1(CuePlayer& cues, QWidget* parent = nullptr);
    ~Form1() override;

    const Game& game() const { return game_; }

    void Form_Load();
    void Form_Resize();
    void Form_QueryUnload(bool& cancel);

    void nuovoCmd_Click();
    void assegnaCmd_Click();
    void antiCmd_Click();
    void orarioCmd_Click();
    void orizCmd_Click();
    void vertiCmd_Click();
    void spostaCmd_Click();
    void Command7_Click();
    void mnunuova_Click();
    void mnucanc_Click();
    void mnupunti_Click();
    // Shows or hides a mark of each colour in every painted triangle, drawn
    // by shape, for players who cannot tell the colours apart (key M).
    void toggleColourMarks();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createWidgets();
    void createButtons();
    FaceButton* createButton(const ButtonDesign& design, void (Form1::*click)());
    void createMenu();
    void finishStartUp();
    std::array<FaceButton*, 5> pieceButtons() const;
    void enableButton(FaceButton* button, bool enabled);
    bool askToQuit();
    void askThenClose();
    // Runs one of the game's commands, then tells a screen reader what it
    // changed, and keeps what it reads of the piece, the figure and the board
    // up to date.
    void runCommand(void (Game::*command)());
    Scene scene() const;
    // Says what the next slot asks for.
    void tellRequest();
    // The colour marks over what the scene shows painted, while they are shown.
    void showColourMarks(const Scene& scene);
    void loadFitsPicture();

    // GameView
    void showFitPicture(bool fits) override;
    void showCounter(std::string_view text) override;
    void showStatus(std::string_view text) override;
    void dockStatusLine() override;
    void playCue(Cue cue) override;
    void setAssignEnabled(bool enabled) override;
    void setPieceButtonsEnabled(bool enabled) override;
    void clearBoard() override;
    void layOutBoard() override;
    void paintSide(std::int16_t cell, Side side, ColourCode colour) override;
    void wipeSlot(std::int16_t slot) override;

    CuePlayer& cues_;
    SurfaceWidget* surface_ = nullptr;
    std::optional<BoardPainter> board_;
    FaceButton* nuovoCmd = nullptr;
    FaceButton* antiCmd = nullptr;
    FaceButton* orizCmd = nullptr;
    FaceButton* vertiCmd = nullptr;
    FaceButton* assegnaCmd = nullptr;
    FaceButton* spostaCmd = nullptr;
    FaceButton* Command7 = nullptr;
    FaceButton* orarioCmd = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QLabel*, 2> Image2{};
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QWidget* pieceView_ = nullptr;   // speaks for Shape1(0) to assistive technology
    BoardView* boardView_ = nullptr; // and this for Shape1(1)..Shape1(18)
    QAction* mnunuova = nullptr;
    QAction* mnucanc = nullptr;
    QAction* mnupunti = nullptr;

    bool asking_ = false;          // "Vuoi veramente uscire?" is open or on its way
    bool quitConfirmed_ = false;   // answered "Sì": the next close goes through
    std::optional<bool> fitShown_; // the figure Image1 shows
    bool marksShown_ = false;      // the colour marks, till the key hides them
    ClockSeededRandom random_;
    Game game_;
};
