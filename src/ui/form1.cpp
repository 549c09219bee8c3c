#include "form1.h"

#include "accessibility.h"
#include "boardview.h"
#include "buttondesigns.h"
#include "cueplayer.h"
#include "facebutton.h"
#include "firstframe.h"
#include "italian.h"
#include "news.h"
#include "pictures.h"
#include "rules.h"
#include "speech.h"
#include "statusline.h"
#include "surfacewidget.h"
#include "textline.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>

#include <algorithm>

namespace {

QLabel* pictureLabel(const QPixmap& pixmap, int left, int top, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setGeometry(left, top, 161, 230);
    label->setPixmap(pixmap);
    return label;
}

} // namespace

Form1::Form1(CuePlayer& cues, QWidget* parent)
    : QMainWindow(parent), cues_(cues), game_(*this, random_) {
    // The opening tune waits for the first frame, and so does everything
    // else the first frame does not show: sound, the "fits" figure, the
    // window icon and Qt's Italian texts.
    cues_.holdCues();
    setWindowTitle(QStringLiteral("Il vestito di Zanfrino"));
    installAccessibleInterfaces();
    createWidgets();
    createMenu();
    // No button for it: the slot's request is plain to see on the board.
    auto* request = new QShortcut(Qt::Key_R, this, this, &Form1::tellRequest);
    request->setAutoRepeat(false);
    auto* marks = new QShortcut(Qt::Key_M, this, this, &Form1::toggleColourMarks);
    marks->setAutoRepeat(false);
    resize(clientWidth, clientHeight + menuBar()->sizeHint().height());
    ::afterFirstFrame(surface_, [this] { finishStartUp(); });
    Form_Load();
}

Form1::~Form1() = default;

void Form1::createWidgets() {
    // The surface covers what is ever drawn: the board and the current
    // piece. The rest of the client area is plain white ground.
    const qreal scale = std::max(qreal(1), devicePixelRatioF());
    surface_ = new SurfaceWidget(surfaceWidth, surfaceHeight, scale, this);
    // Any smaller and the status line would cover the board and the buttons.
    surface_->setMinimumSize(clientWidth, clientHeight);
    setCentralWidget(surface_);
    connect(surface_, &SurfaceWidget::resized, this, &Form1::Form_Resize);
    board_.emplace(*surface_);
    surface_->setAccessibleName(QStringLiteral("Area di gioco"));

    boardView_ = new BoardView(*board_, game_.state(), surface_);
    boardView_->setObjectName(QStringLiteral("boardView"));
    boardView_->setAccessibleName(QStringLiteral("Vestito di Zanfrino"));
    boardView_->setAccessibleDescription(
        QStringLiteral("18 caselle in 3 righe da 6, che ASSEGNA riempie in ordine"));

    // The status line goes first so that the buttons stand in front of it.
    Label1 = createStatusLine(surface_);

    Label2 = new QLabel(surface_);
    readAsText(Label2, QAccessible::StaticText);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(544, 448, 81, 33);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label2->setLineWidth(1);
    Label2->setBackgroundRole(QPalette::Base); // the ground of text, white on most desktops
    Label2->setAutoFillBackground(true);
    Label2->setAccessibleDescription(
        QStringLiteral("Contatore delle mosse: ogni intervento sul rettangolo vale %1 mossa, ogni "
                       "errore in assegnazione %2, ogni scarto %3")
            .arg(cost::change)
            .arg(cost::mismatch)
            .arg(cost::discard));

    // The "fits" figure is not needed for the first frame: it is read after.
    Image2[0] = pictureLabel(QPixmap(), 112, 312, surface_);
    Image2[1] = pictureLabel(picture("figure-nofit.png", scale), 64, 312, surface_);
    for (int i = 0; i < 2; ++i) {
        Image2[i]->setObjectName(QStringLiteral("Image2_%1").arg(i));
        Image2[i]->hide();
    }
    Image1 = pictureLabel(QPixmap(), 480, 24, surface_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Figura di Zanfrino"));
    // Its picture covers it exactly, so the board need not repaint beneath it.
    Image1->setAttribute(Qt::WA_OpaquePaintEvent);

    createButtons();

    // Shape1(0) is drawn on the surface; this stand-in over it speaks for it.
    pieceView_ = new QWidget(surface_);
    pieceView_->setObjectName(QStringLiteral("pieceView"));
    pieceView_->setGeometry(cellRect(pieceCellDesign));
    pieceView_->setAttribute(Qt::WA_TransparentForMouseEvents);
    pieceView_->setAccessibleName(QStringLiteral("Rettangolo corrente"));
    pieceView_->setAccessibleDescription(noPieceDescription());
}

// In tab order: Qt gives the focus to the buttons in the order they are made.
void Form1::createButtons() {
    nuovoCmd = createButton(buttonDesign::nuovo, &Form1::nuovoCmd_Click);
    antiCmd = createButton(buttonDesign::anti, &Form1::antiCmd_Click);
    orizCmd = createButton(buttonDesign::oriz, &Form1::orizCmd_Click);
    vertiCmd = createButton(buttonDesign::verti, &Form1::vertiCmd_Click);
    assegnaCmd = createButton(buttonDesign::assegna, &Form1::assegnaCmd_Click);
    spostaCmd = createButton(buttonDesign::sposta, &Form1::spostaCmd_Click);
    Command7 = createButton(buttonDesign::esci, &Form1::Command7_Click);
    orarioCmd = createButton(buttonDesign::orario, &Form1::orarioCmd_Click);
    nuovoCmd->setFocus();
}

FaceButton* Form1::createButton(const ButtonDesign& design, void (Form1::*click)()) {
    auto* b =
        new FaceButton(QString::fromUtf8(design.caption),
                       picture(design.picture, surface_->scale()), QColor(design.face), surface_);
    b->setObjectName(QLatin1String(design.name));
    b->setGeometry(design.place);
    b->setShortcut(design.key);
    b->setAccessibleName(QString::fromUtf8(design.spokenName));
    QString description = QString::fromUtf8(design.spokenDescription);
    b->setAccessibleDescription(design.cost ? description.arg(design.cost) : description);
    connect(b, &QAbstractButton::clicked, this, click);
    return b;
}

void Form1::createMenu() {
    // The status tip is what assistive technology reads of a command; the
    // window has no status bar to show it in. The shortcut stands after a
    // tab, where a menu shows it, and a held key gives one command.
    const auto command = [this](const char* name, const char* caption, QKeyCombination key,
                                const QString& description, void (Form1::*handler)()) {
        const QKeySequence shortcut(key);
        QAction* action = menuBar()->addAction(QString::fromUtf8(caption) + QLatin1Char('\t') +
                                               shortcut.toString(QKeySequence::NativeText));
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        action->setAutoRepeat(false);
        action->setStatusTip(description);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    menuBar()->setAccessibleName(QStringLiteral("Barra dei menu"));
    mnunuova = command("mnunuova", "&Nuova partita", Qt::CTRL | Qt::Key_N,
                       QStringLiteral("Ricomincia da capo: svuota il vestito e azzera le mosse."),
                       &Form1::mnunuova_Click);
    mnucanc = command(
        "mnucanc", "&Cancella ultimo rettangolo", Qt::CTRL | Qt::Key_Z,
        QStringLiteral("Svuota l'ultima casella riempita. Costa %1 mosse.").arg(cost::cancel),
        &Form1::mnucanc_Click);
    mnupunti = command(
        "mnupunti", "&Punteggio", Qt::Key_F1,
        QStringLiteral("Mostra sulla riga di stato quanto costa ogni azione. Non costa mosse."),
        &Form1::mnupunti_Click);
}

void Form1::finishStartUp() {
    loadFitsPicture();
    setWindowIcon(gameIcon());
    speakItalian(*QCoreApplication::instance());
    cues_.releaseCues();
}

std::array<FaceButton*, 5> Form1::pieceButtons() const {
    return {orarioCmd, antiCmd, orizCmd, vertiCmd, spostaCmd};
}

void Form1::Form_Load() {
    runCommand(&Game::newGame);
}

void Form1::Form_Resize() {
    ::dockStatusLine(*Label1, *surface_);
}

void Form1::loadFitsPicture() {
    if (Image2[0]->pixmap().isNull()) {
        Image2[0]->setPixmap(picture("figure-fits.png", surface_->scale()));
    }
}

Scene Form1::scene() const {
    const GameState& s = game_.state();
    return sceneOf(s, Label1->text(), board_->painted() && s.pieceTop >= firstPieceColour,
                   fitShown_.value_or(false));
}

void Form1::runCommand(void (Game::*command)()) {
    const bool listened = QAccessible::isActive();
    const Scene before = listened ? scene() : Scene();
    const int slot = game_.state().currentSlot;
    (game_.*command)();
    // Told once the command is over, as the eyes see it: within one the
    // figure may change several times.
    const Scene after = scene();
    describe(pieceView_, after.piece ? pieceDescription(*after.piece) : noPieceDescription());
    describe(Image1, after.fits ? QStringLiteral("il rettangolo combacia")
                                : QStringLiteral("il rettangolo non combacia"));
    boardView_->followGame();
    showColourMarks(after);
    if (!listened) {
        return; // nobody listens: the sentence is not worth making
    }
    // ASSEGNA either fills its slot or is refused; a piece is dealt by every
    // discard and by every placement but the last.
    const bool assigned = command == &Game::assignPiece && onBoard(slot);
    const bool placed = assigned && game_.state().currentSlot != slot;
    const bool dealt =
        onBoard(game_.state().currentSlot) && (command == &Game::discardPiece || placed);
    announce(this, news(before, after, assigned && !placed,
                        dealt ? slotRequest(game_.state()) : QString()));
}

void Form1::tellRequest() {
    announce(this, slotRequest(game_.state()));
}

void Form1::toggleColourMarks() {
    marksShown_ = !marksShown_;
    showColourMarks(scene());
    announce(this, marksShown_ ? QStringLiteral("simboli dei colori: sì")
                               : QStringLiteral("simboli dei colori: no"));
}

void Form1::showColourMarks(const Scene& scene) {
    std::vector<ColourMark> marks;
    const auto mark = [&](int index, Piece piece) {
        for (const Side side : allSides) {
            marks.push_back({static_cast<ColourCode>(piece.colour(side)),
                             triangleCentre(board_->Shape1(index), side)});
        }
    };
    if (marksShown_ && scene.piece) {
        mark(GameView::pieceCell, *scene.piece);
    }
    for (int slot = 1; marksShown_ && slot <= slotCount; ++slot) {
        if (const std::optional<Piece>& held = scene.costume[static_cast<std::size_t>(slot - 1)]) {
            mark(slot, *held);
        }
    }
    surface_->setMarks(std::move(marks));
}

void Form1::nuovoCmd_Click() {
    runCommand(&Game::discardPiece);
}
void Form1::assegnaCmd_Click() {
    runCommand(&Game::assignPiece);
}
void Form1::antiCmd_Click() {
    runCommand(&Game::rotateAnticlockwise);
}
void Form1::orarioCmd_Click() {
    runCommand(&Game::rotateClockwise);
}
void Form1::orizCmd_Click() {
    runCommand(&Game::reflectHorizontal);
}
void Form1::vertiCmd_Click() {
    runCommand(&Game::reflectVertical);
}
void Form1::spostaCmd_Click() {
    runCommand(&Game::swapTopRight);
}
