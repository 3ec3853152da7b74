// The guide page's figures: the drawing that writes the guide's pictures,
// called by the page's script (guide.js) each time a reader changes a setting.
#include <string>

#include "guide/guide_figures.h"

extern "C" {

// The figure of that name in English (0) or Russian (1) at a setting, as SVG;
// empty for a name that is none. Valid until the next call.
const char* guideFigure(const char* name, int russian, int setting) {
  static std::string svg;
  const Figure* figure = findFigure(name);
  svg = figure == nullptr
            ? ""
            : drawFigure(*figure, russian != 0 ? Language::Russian : Language::English, setting);
  return svg.c_str();
}

// A figure's setting: its first (0), last (1) and default (2) value.
int guideSetting(const char* name, int which) {
  const Figure* figure = findFigure(name);
  if (figure == nullptr) return 0;
  return which == 0 ? figure->first : which == 1 ? figure->last : figure->byDefault;
}
}
