#include "form1design.h"

#include "form1.h"

const std::array<ButtonDesign, 8>& Form1::buttonDesigns() {
    // One button a row: name, caption, picture, place, face; spoken name and description, field,
    // click. The costs are the game's: a manipulation is a move, an assignment that does not
    // match three, a discard once the first slot is filled five.
    // clang-format off
    static const std::array<ButtonDesign, 8> designs{{
        {"nuovoCmd", "NUOVO RETTANGOLO", "nuovo.png", {504, 264, 121, 81}, QColor(255, 192, 255),
         "Nuovo rettangolo",
         "Scarta il rettangolo corrente e ne estrae un altro. Finché la prima casella è vuota non "
         "costa nulla, poi ogni scarto costa 5 mosse.",
         &Form1::nuovoCmd, &Form1::nuovoCmd_Click},
        {"antiCmd", "RUOTA ANTIORARIO", "anti.png", {96, 424, 89, 73}, QColor(255, 128, 128),
         "Ruota antiorario",
         "Ruota il rettangolo corrente di un quarto di giro in senso antiorario. Costa 1 mossa.",
         &Form1::antiCmd, &Form1::antiCmd_Click},
        {"orizCmd", "RIFLETTI ORIZZONTALE", "oriz.png", {312, 424, 105, 73}, QColor(255, 255, 128),
         "Rifletti orizzontale",
         "Scambia i colori a sinistra e a destra del rettangolo corrente. Costa 1 mossa.",
         &Form1::orizCmd, &Form1::orizCmd_Click},
        {"vertiCmd", "RIFLETTI VERTICALE", "verti.png", {192, 424, 105, 73}, QColor(128, 255, 128),
         "Rifletti verticale",
         "Scambia i colori in alto e in basso del rettangolo corrente. Costa 1 mossa.",
         &Form1::vertiCmd, &Form1::vertiCmd_Click},
        {"assegnaCmd", "ASSEGNA", "assegna.png", {632, 264, 145, 81}, QColor(192, 192, 255),
         "Assegna",
         "Mette il rettangolo corrente nella prossima casella vuota del vestito. Non costa nulla "
         "se i colori combaciano con quelli dei vicini; se non combaciano il rettangolo resta "
         "dov'è e costa 3 mosse. Un rettangolo che renderebbe impossibile la casella seguente è "
         "rifiutato senza costo.",
         &Form1::assegnaCmd, &Form1::assegnaCmd_Click},
        {"spostaCmd", "SPOSTA   ALTO-DESTRO", "sposta.png", {432, 424, 105, 73}, QColor(128, 255, 255),
         "Sposta alto-destro",
         "Scambia i colori in alto e a destra del rettangolo corrente. Costa 1 mossa.",
         &Form1::spostaCmd, &Form1::spostaCmd_Click},
        {"Command7", "PER USCIRE", "esci.png", {632, 416, 153, 81}, QColor(255, 192, 128),
         "Per uscire",
         "Chiude il gioco dopo averne chiesto conferma. Non costa mosse.",
         &Form1::Command7, &Form1::Command7_Click},
        {"orarioCmd", "RUOTA ORARIO", "orario.png", {8, 424, 81, 73}, QColor(255, 192, 128),
         "Ruota orario",
         "Ruota il rettangolo corrente di un quarto di giro in senso orario. Costa 1 mossa.",
         &Form1::orarioCmd, &Form1::orarioCmd_Click},
    }};
    // clang-format on
    return designs;
}
