// The names the desk loads: its archive and the models it holds. The artwork
// tool writes exactly these, the program loads exactly these and the tests check
// exactly these; all read them from here.
#pragma once

inline constexpr const char* deskArchive = "interface.pak";

namespace deskEntry {
inline constexpr const char* deskTop = "fon";
inline constexpr const char* cardboard = "fon_cardon";
inline constexpr const char* pin = "fon_bulavka";
inline constexpr const char* closeButton = "knopka_close";
inline constexpr const char* helpButton = "knopka_help";
inline constexpr const char* menuButton = "knopka_menu";
inline constexpr const char* leftArrow = "knopka_left";
inline constexpr const char* rightArrow = "knopka_right";
inline constexpr const char* backButton = "knopka_back";
inline constexpr const char* clearButton = "knopka_clear";
inline constexpr const char* jarPaint = "banka_kraska";
inline constexpr const char* jarGlass = "banka_steclo";
inline constexpr const char* jarLid = "banka_kriska";
inline constexpr const char* brushHandle = "kist_ruchka";
inline constexpr const char* brushTip = "kist_vors_color";
inline constexpr const char* palette = "palitra";
inline constexpr const char* waterGlass = "stakan";
inline constexpr const char* star = "zvezda";
}  // namespace deskEntry

// Each of the four wells: the empty dish, the full well (painted), its clear
// drop and its previous-colour drop.
enum WellEntry { wellEmpty = 0, wellFull = 1, wellClearDrop = 2, wellPreviousDrop = 3 };
inline constexpr const char* wellEntries[4][4] = {
    {"kaplia1", "kaplia1_white", "kaplia1_cl", "kaplia1_pr"},
    {"kaplia2", "kaplia2_white", "kaplia2_cl", "kaplia2_pr"},
    {"kaplia3", "kaplia3_white", "kaplia3_cl", "kaplia3_pr"},
    {"kaplia4", "kaplia4_white", "kaplia4_cl", "kaplia4_pr"},
};

// Every model above but the wells', in the order the artwork tool writes them.
inline constexpr const char* deskModelEntries[] = {
    deskEntry::deskTop,    deskEntry::cardboard,  deskEntry::pin,         deskEntry::closeButton,
    deskEntry::helpButton, deskEntry::menuButton, deskEntry::leftArrow,   deskEntry::rightArrow,
    deskEntry::backButton, deskEntry::clearButton, deskEntry::jarPaint,   deskEntry::jarGlass,
    deskEntry::jarLid,     deskEntry::brushHandle, deskEntry::brushTip,   deskEntry::palette,
    deskEntry::waterGlass, deskEntry::star,
};
