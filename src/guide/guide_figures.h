// The figures of the guide to how the flames move, drawn as SVG by the model
// the program draws with. The same code writes the pictures the Markdown guide
// shows (docs/how-it-moves) and, compiled for the web, draws them live on the
// site's guide page, where a reader can change each one's setting.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

enum class Language : std::uint8_t { English, Russian };

// A figure is its file's name (NAME.svg), the one setting a reader may
// change, with its range (the committed picture is drawn at the default),
// and its drawing.
struct Figure {
  const char* name;
  int first;
  int last;
  int byDefault;
  std::string (*draw)(Language language, int setting);
};

// The figure of that name, or nullptr.
const Figure* findFigure(std::string_view name);

// All of them, for writing the pictures.
const Figure* figuresBegin();
const Figure* figuresEnd();

// The figure drawn at a setting, clamped to its range.
std::string drawFigure(const Figure& figure, Language language, int setting);
