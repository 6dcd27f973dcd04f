// LIRE, the parameter menu: a titled, numbered list of reals that the user edits one
// reply at a time.
#pragma once

#include "driver/number_layout.h"

namespace regmap {

class Console;
class ReplyReader;

// Titles and labels are texts of exactly 40 characters (padded with blanks).
inline constexpr int kTextWidth = 40;

enum class MenuExit {
  Leave,  // parameter number 0, or an unreadable reply
  Stop,   // a negative parameter number or the end of input: "Retour DOS" was written
};

// Shows the title block once, then cycles through the parameter lines, the prompt and one
// reply until the user leaves (0) or stops (negative number, end of input). A reply
// 1 <= i <= n sets values[i-1] to the new value; any other positive number, or a reply
// without a number, changes nothing and shows the list again.
//   title block:     18 blanks + title, then an empty line;
//   parameter line:  i (2 columns), " ---> ", label, " : ", value in `layout` (12 columns);
//   prompt:          two empty lines, "Entrer le numero du parametre,nouvelle valeur",
//                    "taper 0,0 pour sortir du menu", "taper -1,0 pour arreter  --->"
//                    (left open for the reply).
MenuExit LIRE(Console& console, ReplyReader& reader, const char* title, int n,
              const char* const labels[], double values[], NumberLayout layout);

}  // namespace regmap
