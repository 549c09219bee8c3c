#pragma once

#include "draws.h"
#include "game.h"
#include "gameview.h"

#include <QMainWindow>
#include <array>
#include <optional>

class FaceButton;
class QAction;
class QLabel;
class SurfaceWidget;

// The game's one window: its widgets, its handlers, and the view through
// which the game shows itself.
class Form1 final : public QMainWindow, private GameView {
    Q_OBJECT
  public:
    static constexpr int clientWidth = 792;
    static constexpr int clientHeight = 554;
    static constexpr int surfaceWidth = 770;  // right of Shape1(0)
    static constexpr int surfaceHeight = 411; // below the board

    explicit Form1(QWidget* parent = nullptr);
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

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createWidgets();
    void createMenu();
    std::array<FaceButton*, 5> pieceButtons() const;
    bool askToQuit();
    void askThenClose();

    // GameView
    void showFitPicture(bool fits) override;
    void showCounter(std::string_view text) override;
    void showStatus(std::string_view text) override;
    void dockStatusLine() override;
    void playCue(std::int16_t id) override;
    void setAssignEnabled(bool enabled) override;
    void setPieceButtonsEnabled(bool enabled) override;
    void clearSurface() override;
    void placeCell(std::int16_t index, const Cell& cell) override;
    void wipeCell(std::int16_t index) override;
    void floodFill(int x, int y, ColourCode colour) override;

    void drawCellLines(const Cell& cell);
    void repaintCell(const Cell& cell);
    void play(void (Game::*command)());
    void describe(QWidget* widget, const QString& text);
    QString pieceDescription() const;
    void loadFitsPicture();

    SurfaceWidget* surface_ = nullptr;
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
    QWidget* pieceView_ = nullptr; // speaks for Shape1(0) to assistive technology
    QAction* mnunuova = nullptr;
    QAction* mnucanc = nullptr;
    QAction* mnupunti = nullptr;

    bool asking_ = false;          // "Vuoi veramente uscire?" is open or on its way
    bool quitConfirmed_ = false;   // answered "Sì": the next close goes through
    std::optional<bool> fitShown_; // the figure Image1 shows
    bool pieceShown_ = false;      // some fill since the surface was cleared
    ClockSeededDraws draws_;
    Game game_;
};
