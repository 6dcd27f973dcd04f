#include "driver/parameter_menu.h"

#include <cstring>
#include <string>

#include "driver/console.h"
#include "driver/reply_reader.h"

namespace regmap {

namespace {

// A text padded with blanks (or cut) to exactly 40 characters.
std::string text40(const char* s) {
  std::string t(s);
  t.resize(kTextWidth, ' ');
  return t;
}

void show_parameters(Console& console, int n, const char* const labels[], const double values[],
                     NumberLayout layout) {
  for (int i = 0; i < n; ++i) {
    std::string line = format_integer(i + 1, 2);
    line += " ---> ";
    line += text40(labels[i]);
    line += " : ";
    line += format_real(values[i], layout);
    console.line(line);
  }
}

void show_prompt(Console& console) {
  console.line("");
  console.line("");
  console.line("Entrer le numero du parametre,nouvelle valeur");
  console.line("taper 0,0 pour sortir du menu");
  console.line("taper -1,0 pour arreter  --->");
}

}  // namespace

MenuExit LIRE(Console& console, ReplyReader& reader, const char* title, int n,
              const char* const labels[], double values[], NumberLayout layout) {
  console.line(std::string(18, ' ') + text40(title));
  console.line("");
  for (;;) {
    show_parameters(console, n, labels, values, layout);
    show_prompt(console);
    console.begin_read();
    const Reply reply = reader.read();
    console.end_read();

    std::int32_t number = 0;
    switch (reply.kind) {
      case Reply::Kind::Number:
        number = reply.number;
        break;
      case Reply::Kind::NoNumber:
        continue;
      case Reply::Kind::Unreadable:
        number = 0;
        break;
      case Reply::Kind::EndOfInput:
        number = -1;
        break;
    }
    if (number == 0) return MenuExit::Leave;
    if (number < 0) {
      console.line("Retour DOS");
      return MenuExit::Stop;
    }
    if (number <= n) values[number - 1] = reader.value();
  }
}

}  // namespace regmap
