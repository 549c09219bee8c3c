#include "form1design.h"

#include "form1.h"

const std::array<ButtonDesign, 8>& Form1::buttonDesigns() {
    // One button a row: name, caption, picture, place, face; spoken name, field, click.
    // clang-format off
    static const std::array<ButtonDesign, 8> designs{{
        {"nuovoCmd", "NUOVO RETTANGOLO", "nuovo.png", {504, 264, 121, 81}, QColor(255, 192, 255),
         "Nuovo rettangolo", &Form1::nuovoCmd, &Form1::nuovoCmd_Click},
        {"antiCmd", "RUOTA ANTIORARIO", "anti.png", {96, 424, 89, 73}, QColor(255, 128, 128),
         "Ruota il rettangolo in senso antiorario", &Form1::antiCmd, &Form1::antiCmd_Click},
        {"orizCmd", "RIFLETTI ORIZZONTALE", "oriz.png", {312, 424, 105, 73}, QColor(255, 255, 128),
         "Rifletti il rettangolo da sinistra a destra", &Form1::orizCmd, &Form1::orizCmd_Click},
        {"vertiCmd", "RIFLETTI VERTICALE", "verti.png", {192, 424, 105, 73}, QColor(128, 255, 128),
         "Rifletti il rettangolo dall'alto in basso", &Form1::vertiCmd, &Form1::vertiCmd_Click},
        {"assegnaCmd", "ASSEGNA", "assegna.png", {632, 264, 145, 81}, QColor(192, 192, 255),
         "Assegna il rettangolo alla prossima casella", &Form1::assegnaCmd, &Form1::assegnaCmd_Click},
        {"spostaCmd", "SPOSTA   ALTO-DESTRO", "sposta.png", {432, 424, 105, 73}, QColor(128, 255, 255),
         "Scambia i colori in alto e a destra", &Form1::spostaCmd, &Form1::spostaCmd_Click},
        {"Command7", "PER USCIRE", "esci.png", {632, 416, 153, 81}, QColor(255, 192, 128),
         "Esci dal gioco", &Form1::Command7, &Form1::Command7_Click},
        {"orarioCmd", "RUOTA ORARIO", "orario.png", {8, 424, 81, 73}, QColor(255, 192, 128),
         "Ruota il rettangolo in senso orario", &Form1::orarioCmd, &Form1::orarioCmd_Click},
    }};
    // clang-format on
    return designs;
}
