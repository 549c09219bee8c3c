#pragma once

#include <string_view>

// What the game says on the status line, word for word.
namespace texts {

inline constexpr std::string_view loadFirstPiece = "carica il primo rettangolo";
inline constexpr std::string_view assignFirstPiece = "assegna il primo rettangolo";
inline constexpr std::string_view firstRowHint = "assegna il pezzo solo se combacciano i colori";
inline constexpr std::string_view rowStartHint = "tieni conto anche del rettangolo successivo!";
inline constexpr std::string_view twoColoursHint = "devi tenere conto di due colori";
inline constexpr std::string_view discardWarning = "Non è mai conveniente scartare il rettangolo!";
inline constexpr std::string_view cancelWarning =
    "questo errore ti costa l'equivalente di cinque mosse";
inline constexpr std::string_view scoringRules =
    "ogni intervento sul rettangolo vale 1 mossa; ogni errore in assegnazione equivale a 3 "
    "mosse;\r\nscartare un rettangolo equivale a 5 mosse!";
inline constexpr std::string_view completedPrefix = "Hai completato il vestito di Zanfrino con ";
inline constexpr std::string_view completedSuffix = " mosse";
inline constexpr std::string_view counterPrefix = "mosse: ";

} // namespace texts
