// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// The program's texts as a player must read them, written out once for every
// test, independently of the code that builds them. Line breaks are CR LF.
namespace pexaro::test::expected {

inline const std::string clickMessage = "\r\n\r\nClick on a card...";
inline const std::string secondCard = "\r\n\r\nNow click on another card to try to find a match...";
inline const std::string match
    = "You found a MATCH!\r\n\r\n(Click on the 'Next Turn'\r\nbutton or press the\r\nENTER key "
      "to continue.)";
inline const std::string noMatch = "SORRY...\r\nYou didn't find a match.\r\n\r\n(Click on the "
                                   "'Next Turn'\r\nbutton or press the\r\nENTER key to continue.)";
inline const std::string win
    = "YOU WIN!!\r\n\r\nYou found all the matches!\r\n\r\nPress Ctrl-N \r\nto play again.";

inline const std::string winTitle = "You're a winner!!";
inline std::string winBox(int turns)
{
    return "Congratulations!!  You found all the matches!!  You took " + std::to_string(turns)
        + " turns.";
}

inline const std::string rulesTitle = "Pexaro--Rules of the Game";
inline const std::string rules
    = "This is PEXARO!  Choose (click on) two cards.  If they match, then the two cards "
      "disappear.  If they don't match, then click on the 'Next Turn' button or press the ENTER "
      "key.  Remove all the cards from the board (by finding matches) and you win.  Try to do "
      "this in as few moves as possible.";
inline const std::string aboutTitle = "Pexaro--About the Game";

} // namespace pexaro::test::expected
