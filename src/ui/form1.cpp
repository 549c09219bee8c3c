#include "form1.h"

#include "facebutton.h"
#include "italian.h"
#include "pictures.h"
#include "playcue.h"
#include "surfacewidget.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

int pixel(float coordinate) {
    return static_cast<int>(std::lrint(coordinate));
}

// The window pixels a cell's rectangle covers.
QRect cellRect(const Cell& cell) {
    return QRect(pixel(cell.shape.left), pixel(cell.shape.top), pixel(cell.shape.width),
                 pixel(cell.shape.height));
}

// The status line was laid out for a narrow sans face of Arial's width: in
// it the scoring rules' longer line just fits the window. Without any such
// face, a condensed one keeps each line on one line.
QFont statusFont() {
    const QStringList narrow{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                             QStringLiteral("Arial")};
    QFont font;
    font.setFamilies(narrow);
    font.setPointSizeF(14.0);
    if (!narrow.contains(QFontInfo(font).family())) {
        font.setStretch(QFont::Condensed);
    }
    return font;
}

QLabel* pictureLabel(const QPixmap& pixmap, int left, int top, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setGeometry(left, top, 161, 230);
    label->setPixmap(pixmap);
    return label;
}

} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), game_(*this, draws_) {
    // The opening tune waits for the first frame, and so does everything
    // else the first frame does not show: sound, the "fits" figure, the
    // window icon and Qt's Italian texts.
    holdCues();
    setWindowTitle(QStringLiteral("Il vestito di Zanfrino"));
    createWidgets();
    createMenu();
    resize(clientWidth, clientHeight + menuBar()->sizeHint().height());
    Form_Load();
}

Form1::~Form1() = default;

void Form1::createWidgets() {
    // The surface covers what is ever drawn: the board and the current
    // piece. The rest of the client area is plain white ground.
    const int scale = std::max(1, static_cast<int>(std::ceil(devicePixelRatioF())));
    surface_ = new SurfaceWidget(surfaceWidth, surfaceHeight, scale, this);
    setCentralWidget(surface_);
    connect(surface_, &SurfaceWidget::resized, this, &Form1::Form_Resize);
    surface_->installEventFilter(this);

    // The status line goes first so that the buttons stand in front of it.
    Label1 = new QLabel(surface_);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(296, 488, 121, 65);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setAutoFillBackground(true);
    Label1->setFont(statusFont());
    QPalette statusPalette = Label1->palette();
    statusPalette.setColor(QPalette::Window, QColor(192, 255, 255));
    Label1->setPalette(statusPalette);

    Label2 = new QLabel(surface_);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(544, 448, 81, 33);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label2->setLineWidth(1);
    Label2->setBackgroundRole(QPalette::Base); // the ground of text, white on most desktops
    Label2->setAutoFillBackground(true);

    // The "fits" figure is not needed for the first frame: it is read after.
    Image2[0] = pictureLabel(QPixmap(), 112, 312, surface_);
    Image2[1] = pictureLabel(picture("figure-nofit.png"), 64, 312, surface_);
    for (int i = 0; i < 2; ++i) {
        Image2[i]->setObjectName(QStringLiteral("Image2_%1").arg(i));
        Image2[i]->hide();
    }
    Image1 = pictureLabel(QPixmap(), 480, 24, surface_);
    Image1->setObjectName(QStringLiteral("Image1"));
    // Its picture covers it exactly, so the board need not repaint beneath it.
    Image1->setAttribute(Qt::WA_OpaquePaintEvent);

    const auto button = [this](const char* name, const char* caption, const char* pictureName,
                               QRect place, QColor face, void (Form1::*handler)()) {
        auto* b = new FaceButton(QString::fromUtf8(caption), picture(pictureName), face, surface_);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(place);
        connect(b, &QAbstractButton::clicked, this, handler);
        return b;
    };
    nuovoCmd = button("nuovoCmd", "NUOVO RETTANGOLO", "nuovo.png", {504, 264, 121, 81},
                      QColor(255, 192, 255), &Form1::nuovoCmd_Click);
    antiCmd = button("antiCmd", "RUOTA ANTIORARIO", "anti.png", {96, 424, 89, 73},
                     QColor(255, 128, 128), &Form1::antiCmd_Click);
    orizCmd = button("orizCmd", "RIFLETTI ORIZZONTALE", "oriz.png", {312, 424, 105, 73},
                     QColor(255, 255, 128), &Form1::orizCmd_Click);
    vertiCmd = button("vertiCmd", "RIFLETTI VERTICALE", "verti.png", {192, 424, 105, 73},
                      QColor(128, 255, 128), &Form1::vertiCmd_Click);
    assegnaCmd = button("assegnaCmd", "ASSEGNA", "assegna.png", {632, 264, 145, 81},
                        QColor(192, 192, 255), &Form1::assegnaCmd_Click);
    spostaCmd = button("spostaCmd", "SPOSTA   ALTO-DESTRO", "sposta.png", {432, 424, 105, 73},
                       QColor(128, 255, 255), &Form1::spostaCmd_Click);
    Command7 = button("Command7", "PER USCIRE", "esci.png", {632, 416, 153, 81},
                      QColor(255, 192, 128), &Form1::Command7_Click);
    orarioCmd = button("orarioCmd", "RUOTA ORARIO", "orario.png", {8, 424, 81, 73},
                       QColor(255, 192, 128), &Form1::orarioCmd_Click);

    // A screen reader gets the same story as the eyes, in Italian.
    const std::pair<QWidget*, const char*> names[] = {
        {nuovoCmd, "Nuovo rettangolo"},
        {antiCmd, "Ruota il rettangolo in senso antiorario"},
        {orizCmd, "Rifletti il rettangolo da sinistra a destra"},
        {vertiCmd, "Rifletti il rettangolo dall'alto in basso"},
        {assegnaCmd, "Assegna il rettangolo alla prossima casella"},
        {spostaCmd, "Scambia i colori in alto e a destra"},
        {Command7, "Esci dal gioco"},
        {orarioCmd, "Ruota il rettangolo in senso orario"},
        {Label1, "Riga di stato"},
        {Label2, "Contatore delle mosse"},
        {Image1, "Figura di Zanfrino"},
    };
    for (const auto& [widget, name] : names) {
        widget->setAccessibleName(QString::fromUtf8(name));
    }
    // Shape1(0) is drawn on the surface; this stand-in over it speaks for it.
    pieceView_ = new QWidget(surface_);
    pieceView_->setObjectName(QStringLiteral("pieceView"));
    pieceView_->setGeometry(cellRect(pieceCell));
    pieceView_->setAttribute(Qt::WA_TransparentForMouseEvents);
    pieceView_->setAccessibleName(QStringLiteral("Rettangolo corrente"));
    pieceView_->setAccessibleDescription(QStringLiteral("nessun rettangolo"));

    QWidget::setTabOrder(nuovoCmd, antiCmd);
    QWidget::setTabOrder(antiCmd, orizCmd);
    QWidget::setTabOrder(orizCmd, vertiCmd);
    QWidget::setTabOrder(vertiCmd, assegnaCmd);
    QWidget::setTabOrder(assegnaCmd, spostaCmd);
    QWidget::setTabOrder(spostaCmd, Command7);
    QWidget::setTabOrder(Command7, orarioCmd);
    nuovoCmd->setFocus();

    drawCellLines(game_.Shape1()[0]);
}

void Form1::createMenu() {
    const auto command = [this](const char* name, const char* caption, void (Form1::*handler)()) {
        QAction* action = menuBar()->addAction(QString::fromUtf8(caption));
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mnunuova = command("mnunuova", "&Nuova partita", &Form1::mnunuova_Click);
    mnucanc = command("mnucanc", "&Cancella ultimo rettangolo", &Form1::mnucanc_Click);
    mnupunti = command("mnupunti", "&Punteggio", &Form1::mnupunti_Click);
}

std::array<FaceButton*, 5> Form1::pieceButtons() const {
    return {orarioCmd, antiCmd, orizCmd, vertiCmd, spostaCmd};
}

void Form1::Form_Load() {
    assegnaCmd->setEnabled(false);
    game_.newGame();
}

void Form1::Form_Resize() {
    const StatusLinePlace place = ::dockStatusLine(static_cast<float>(surface_->width()),
                                                   static_cast<float>(surface_->height()),
                                                   static_cast<float>(Label1->height()));
    Label1->setGeometry(pixel(place.left), pixel(place.top), pixel(place.width), Label1->height());
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

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == surface_ && event->type() == QEvent::Paint) {
        surface_->removeEventFilter(this);
        // Once this paint has been flushed to the screen.
        QTimer::singleShot(0, this, [this] {
            loadFitsPicture();
            setWindowIcon(gameIcon());
            speakItalian(*QCoreApplication::instance());
            releaseCues();
        });
    }
    return QMainWindow::eventFilter(watched, event);
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

void Form1::nuovoCmd_Click() {
    play(&Game::discardPiece);
}
void Form1::assegnaCmd_Click() {
    play(&Game::assignPiece);
}
void Form1::antiCmd_Click() {
    play(&Game::rotateAnticlockwise);
}
void Form1::orarioCmd_Click() {
    play(&Game::rotateClockwise);
}
void Form1::orizCmd_Click() {
    play(&Game::reflectHorizontal);
}
void Form1::vertiCmd_Click() {
    play(&Game::reflectVertical);
}
void Form1::spostaCmd_Click() {
    play(&Game::swapTopRight);
}
void Form1::Command7_Click() {
    close();
}
void Form1::mnunuova_Click() {
    play(&Game::newGame);
}
void Form1::mnucanc_Click() {
    play(&Game::cancelLastPiece);
}
void Form1::mnupunti_Click() {
    play(&Game::showScoring);
}

void Form1::loadFitsPicture() {
    if (Image2[0]->pixmap().isNull()) {
        Image2[0]->setPixmap(picture("figure-fits.png"));
    }
}

void Form1::showFitPicture(bool fits) {
    if (fits) {
        loadFitsPicture();
    }
    // A click sets the picture twice (first "does not fit", then the
    // verdict); only a real change is worth a repaint.
    if (!fitShown_ || *fitShown_ != fits) {
        Image1->setPixmap(Image2[fits ? 0 : 1]->pixmap());
        fitShown_ = fits;
        describe(Image1, fits ? QStringLiteral("il rettangolo combacia")
                              : QStringLiteral("il rettangolo non combacia"));
    }
}

void Form1::showCounter(std::string_view text) {
    const QString counter = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    Label2->setText(counter);
    describe(Label2, counter);
}

void Form1::showStatus(std::string_view text) {
    // Every message is 14-point magenta; the label is only touched when it
    // is not already so, since each change makes it lay its text out again.
    if (Label1->font().pointSizeF() != 14.0) {
        QFont font = Label1->font();
        font.setPointSizeF(14.0);
        Label1->setFont(font);
    }
    const Rgb magenta = colourTable[statusColour];
    const QColor ink(magenta.red, magenta.green, magenta.blue);
    if (Label1->palette().color(QPalette::WindowText) != ink) {
        QPalette palette = Label1->palette();
        palette.setColor(QPalette::WindowText, ink);
        Label1->setPalette(palette);
    }
    const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    Label1->setText(message);
    describe(Label1, QString(message).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    // A new message is news wherever the focus is.
    QAccessibleEvent alert(Label1, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

// Sets what assistive technology reads for the widget, and tells it so.
void Form1::describe(QWidget* widget, const QString& text) {
    widget->setAccessibleDescription(text);
    QAccessibleEvent changed(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QString Form1::pieceDescription() const {
    static const char* const colourNames[] = {"blu", "verde", "azzurro", "rosso", "viola"};
    const GameState& s = game_.state();
    const std::int32_t sides[] = {s.pieceTop, s.pieceRight, s.pieceBottom, s.pieceLeft};
    const char* const sideNames[] = {"alto", "destra", "basso", "sinistra"};
    if (!pieceShown_ || sides[0] < firstPieceColour) {
        return QStringLiteral("nessun rettangolo");
    }
    QStringList parts;
    for (int i = 0; i < 4; ++i) {
        parts << QStringLiteral("%1 %2").arg(
            QLatin1String(sideNames[i]), QLatin1String(colourNames[sides[i] - firstPieceColour]));
    }
    return parts.join(QStringLiteral(", "));
}

void Form1::play(void (Game::*command)()) {
    (game_.*command)();
    const QString piece = pieceDescription();
    if (piece != pieceView_->accessibleDescription()) {
        describe(pieceView_, piece);
    }
}

void Form1::dockStatusLine() {
    Form_Resize();
}

void Form1::playCue(std::int16_t id) {
    ::playCue(id);
}

void Form1::setAssignEnabled(bool enabled) {
    assegnaCmd->setEnabled(enabled);
}

void Form1::setPieceButtonsEnabled(bool enabled) {
    for (FaceButton* b : pieceButtons()) {
        b->setEnabled(enabled);
    }
}

void Form1::drawCellLines(const Cell& cell) {
    Surface& s = surface_->surface();
    const int k = surface_->scale();
    const QRect r = cellRect(cell);
    s.drawOutline(r.left(), r.top(), r.width(), r.height(), k);
    for (const Segment& line : {cell.line1, cell.line2}) {
        s.drawLine(pixel(line.x1), pixel(line.y1), pixel(line.x2), pixel(line.y2), k);
    }
}

void Form1::clearSurface() {
    pieceShown_ = false;
    surface_->surface().fill(Surface::white);
    for (const Cell& cell : game_.Shape1()) {
        if (cell.visible) {
            drawCellLines(cell);
        }
    }
    surface_->update();
}

void Form1::placeCell(std::int16_t, const Cell& cell) {
    drawCellLines(cell);
    repaintCell(cell);
}

void Form1::wipeCell(std::int16_t index) {
    const Cell& cell = game_.Shape1()[static_cast<std::size_t>(index)];
    const QRect r = cellRect(cell);
    const int k = surface_->scale();
    surface_->surface().fillRect(r.left() * k, r.top() * k, r.width() * k, r.height() * k,
                                 Surface::white);
    drawCellLines(cell);
    repaintCell(cell);
}

// One pixel further right and down too: a board cell's second diagonal
// starts just past its top-right corner.
void Form1::repaintCell(const Cell& cell) {
    surface_->update(cellRect(cell).adjusted(0, 0, 1, 1));
}

void Form1::floodFill(int x, int y, ColourCode colour) {
    pieceShown_ = true;
    const int k = surface_->scale();
    surface_->repaintBox(
        surface_->surface().floodFill(x * k, y * k, static_cast<Surface::Pixel>(colour)));
}
