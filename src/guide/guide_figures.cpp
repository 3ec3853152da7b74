// The guide's figures: each a function of the language and its one setting,
// built from the model's own rules and the band's own geometry. Every number
// is written with a fixed number of decimals, or as the shortest text that
// reads back as the same double, so that each machine writes the same bytes.
#include "guide/guide_figures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/flame_band.h"
#include "flame/flame_state.h"

namespace {

// One text in the figure's language.
struct Say {
  Language language;
  const char* operator()(const char* english, const char* russian) const {
    return language == Language::English ? english : russian;
  }
  // A number as a reader of this language writes it: Russian takes a comma.
  std::string number(std::string written) const {
    if (language == Language::Russian) std::replace(written.begin(), written.end(), '.', ',');
    return written;
  }
};

// Coordinates with two decimals: plenty at any size, the same on every machine.
// (`style` g: that many significant digits.)
std::string num(double value, int decimals = 2, char style = 'f') {
  const char format[] = {'%', '.', '*', style, '\0'};
  std::string written(32, '\0');
  written.resize(static_cast<std::size_t>(
      std::snprintf(written.data(), written.size(), format, decimals, value)));
  if (written[0] == '-' && written.find_first_not_of("-0.") == std::string::npos)
    written.erase(0, 1);
  return written;
}

// The shortest text, without an exponent, that reads back as the same double.
std::string exact(double value) {
  std::string written;
  for (int digits = 1; digits <= 17; ++digits) {
    written = num(value, digits, 'g');
    const bool plain = written.find('e') == std::string::npos;
    if (plain && std::strtod(written.c_str(), nullptr) == value) break;
  }
  return written;
}

// A lift as a reader sees it: to a tenth, without a trailing ".0".
std::string tenths(double value) {
  std::string written = num(value, 1);
  if (written.size() > 2 && written.compare(written.size() - 2, 2, ".0") == 0)
    written.resize(written.size() - 2);
  return written;
}

std::string svgStart(int width, int height, const std::string& title) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
         "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) +
         " " + std::to_string(height) + "\" font-family=\"sans-serif\" font-size=\"13\">\n<title>" +
         title + "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
}

std::string text(double x, double y, const std::string& words, const std::string& extra = "") {
  return "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\"" + extra + ">" + words + "</text>\n";
}

const char* const kMiddle = " text-anchor=\"middle\"";
const char* const kEnd = " text-anchor=\"end\"";
const char* const kWhatIf = " fill=\"#b00\" font-weight=\"bold\"";

std::string line(double x1, double y1, double x2, double y2, const std::string& style) {
  return "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" +
         num(y2) + "\" " + style + "/>\n";
}

std::string circle(double x, double y, double radius, const std::string& style) {
  return "<circle r=\"" + num(radius, 0) + "\" cx=\"" + num(x) + "\" cy=\"" + num(y) + "\" " +
         style + "/>\n";
}

// The state a tick's frame is drawn from: after the paint before the first
// tick, and one frame for each tick before this one (tick 0: that first paint).
FlameState stateAtTick(int tick) {
  FlameState state;
  for (int before = 0; before < tick; ++before) {
    forEachStrip(state, [](const Strip&) {});
    computeFlicker(state);
  }
  return state;
}

// The level over one whole cycle, where it turns marked, and one step picked.
std::string levelCycle(Say say, int picked) {
  const double left = 50, bottom = 230, perStep = 4.6, perLevel = 7.6;
  std::vector<FlameState> states{FlameState{}};
  for (int step = 0; step < kStepsPerCycle; ++step) {
    states.push_back(states.back());
    stepFlame(states.back());
  }
  const FlameState& at = states[static_cast<std::size_t>(picked)];
  const std::string caption = say("step ", "шаг ") + std::to_string(picked) +
                              say(": level ", ": уровень ") + exact(at.level) +
                              say(", crest ", ", гребень ") + exact(at.crest) + ", " +
                              (at.phase == 0 ? say("rising", "рост") : say("falling", "спад"));
  std::string svg = svgStart(
      700, 300, say("The flame level over one cycle; ", "Уровень пламени за цикл; ") + caption);
  const double right = left + kStepsPerCycle * perStep;
  for (const double crest : {15.0, 20.0, 25.0}) {
    const double y = bottom - crest * perLevel;
    svg += line(left, y, right, y, "stroke=\"#999\" stroke-dasharray=\"4 3\"");
    svg += text(right + 6, y + 4, say("crest ", "гребень ") + exact(crest));
  }
  std::string points, marks;
  int lastZero = 0;
  for (std::size_t step = 0; step < states.size(); ++step) {
    const double x = left + static_cast<double>(step) * perStep;
    const double y = bottom - states[step].level * perLevel;
    points += num(x) + "," + num(y) + " ";
    const bool turned = states[step].level == states[step].crest - 1.0;
    if (turned || (step > 0 && states[step - 1].level == states[step - 1].crest - 1.0 &&
                   states[step].level == states[step - 1].level))
      marks += circle(x, y, 3, "fill=\"#fc0\" stroke=\"#c00\"");
    if (states[step].level == 0.0) {
      svg += text(x, bottom + 17, std::to_string(step), kMiddle);
      if (step > 0) {
        const double middle = left + (lastZero + static_cast<double>(step)) / 2 * perStep;
        svg += text(
            middle, bottom + 36,
            std::to_string(step - static_cast<std::size_t>(lastZero)) + say(" steps", " шагов"),
            kMiddle);
      }
      lastZero = static_cast<int>(step);
    }
  }
  svg += "<polyline fill=\"none\" stroke=\"#c00\" stroke-width=\"2\" points=\"" + points +
         "\"/>\n" + marks;
  svg += line(left, bottom, right, bottom, "stroke=\"#000\"");
  svg += line(left, bottom, left, bottom - 25 * perLevel, "stroke=\"#000\"");
  for (int level = 0; level <= 25; level += 5)
    svg += text(left - 8, bottom - level * perLevel + 4, std::to_string(level), kEnd);
  svg += text((left + right) / 2, bottom + 58, say("step", "шаг"), kMiddle);
  svg += text(10, 18, say("level", "уровень"));
  const double x = left + picked * perStep;
  svg += line(x, bottom, x, bottom - 26 * perLevel, "stroke=\"#06c\"");
  svg += circle(x, bottom - at.level * perLevel, 5, "fill=\"#06c\"");
  svg += text(690, 18, caption, kEnd + std::string(" fill=\"#06c\""));
  return svg + "</svg>\n";
}

// One strip as OpenGL shades it: only green varies, linearly over each of its
// two triangles, so a red-to-yellow SVG gradient along that slope matches.
struct Corner {
  double x, y, green;
};

std::string shadedTriangle(const Corner& a, const Corner& b, const Corner& c, int id) {
  const double det = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  std::string points =
      num(a.x) + "," + num(a.y) + " " + num(b.x) + "," + num(b.y) + " " + num(c.x) + "," + num(c.y);
  if (det == 0.0) return "";
  const double gx = ((b.green - a.green) * (c.y - a.y) - (c.green - a.green) * (b.y - a.y)) / det;
  const double gy = ((c.green - a.green) * (b.x - a.x) - (b.green - a.green) * (c.x - a.x)) / det;
  const double slope = gx * gx + gy * gy;
  if (slope == 0.0)
    return "<polygon points=\"" + points + "\" fill=\"rgb(255," + num(a.green * 255) + ",0)\"/>\n";
  // From where green would be 0 to where it would be 1, through corner a.
  const double dx = gx / slope, dy = gy / slope;
  const std::string name = "g" + std::to_string(id);
  return "<linearGradient id=\"" + name + "\" href=\"#red-yellow\" x1=\"" +
         num(a.x - a.green * dx) + "\" y1=\"" + num(a.y - a.green * dy) + "\" x2=\"" +
         num(a.x + (1 - a.green) * dx) + "\" y2=\"" + num(a.y + (1 - a.green) * dy) +
         "\"/>\n<polygon points=\"" + points + "\" fill=\"url(#" + name + ")\"/>\n";
}

const char* const kRedYellow =
    "<linearGradient id=\"red-yellow\" gradientUnits=\"userSpaceOnUse\"><stop stop-color=\"#f00\"/>"
    "<stop offset=\"1\" stop-color=\"#ff0\"/></linearGradient>\n";

// A frame's strips as the window shades them, in the window's units from
// (left, bottom) with `scale` pixels to a unit, painted left to right; only
// the strips from x = from to x = to.
std::string shadedBand(FlameState state, double left, double bottom, double scale, double from,
                       double to) {
  std::string svg;
  int id = 0;
  forEachStrip(state, [&](const Strip& strip) {
    if (strip.topLeft.x + 1 < from || strip.topLeft.x > to) return;
    auto corner = [&](StripCorner c, double green) {
      return Corner{left + (c.x - from) * scale, bottom - c.y * scale, green};
    };
    const Corner bottomLeft = corner(strip.bottomLeft, 0.5), topLeft = corner(strip.topLeft, 0.0),
                 topRight = corner(strip.topRight, 0.0),
                 bottomRight = corner(strip.bottomRight, 1.0);
    svg += shadedTriangle(bottomLeft, topLeft, topRight, id++);
    svg += shadedTriangle(bottomLeft, topRight, bottomRight, id++);
  });
  return svg;
}

// The window at a tick, 500 x 500 (tick 0: the paint before the first tick).
std::string frame(Say say, int tick) {
  const FlameState state = stateAtTick(tick);
  const std::string title =
      tick == 0 ? say("The first frame, before the first tick", "Первый кадр, до первого такта")
                : say("The frame of tick ", "Кадр такта ") + std::to_string(tick) +
                      say(": lift ", ": подъём ") + say.number(tenths(state.flicker));
  return svgStart(500, 500, title) + "<rect width=\"500\" height=\"500\" fill=\"#000\"/>\n" +
         kRedYellow + shadedBand(state, 0, 500, 5, 0, 100) + "</svg>\n";
}

// The first two strips close up, overlapping as drawn, their corners as OpenGL
// receives them: each number rounded to float once.
std::string stripCorners(Say say) {
  const double left = 60, bottom = 300, perX = 140, perY = 7;
  const char* const inks[] = {"#a40", "#650"};
  std::string svg =
      svgStart(700, 330, say("The corners of the first strips", "Углы первых полосок"));
  std::string marks;
  FlameState state;
  int index = 0;
  double listed = 40;
  forEachStrip(state, [&](const Strip& strip) {
    if (index > 1) return;
    const StripCorner corners[] = {strip.bottomLeft, strip.topLeft, strip.topRight,
                                   strip.bottomRight};
    auto at = [&](StripCorner c) {
      return std::pair{left + c.x * perX, bottom - (c.y - 5.0) * perY};
    };
    const std::string ink = std::string("fill=\"") + inks[index] + "\"";
    svg += std::string("<polygon fill=\"") + (index == 0 ? "#f80" : "#fc0") +
           "\" fill-opacity=\"0.5\" stroke=\"#000\" points=\"";
    for (const StripCorner& c : corners) svg += num(at(c).first) + "," + num(at(c).second) + " ";
    svg += "\"/>\n";
    svg += text(340, listed,
                say("strip ", "полоска ") + std::to_string(index) + say(", level ", ", уровень ") +
                    exact(state.level),
                " font-weight=\"bold\" " + ink);
    for (int number = 1; number <= 4; ++number) {
      const StripCorner& c = corners[number - 1];
      const auto [x, y] = at(c);
      // Left corners numbered on their left, right ones on their right, each
      // clear of the other strip's numbers in the overlap.
      const double below[2][4] = {{4, 4, 16, -6}, {-6, -6, 4, 4}};
      marks += circle(x, y, 4, ink);
      marks += text(x + (number <= 2 ? -8 : 8), y + below[index][number - 1],
                    std::to_string(number), std::string(number <= 2 ? kEnd : "") + " " + ink);
      svg += text(340, listed + 18.0 * number,
                  std::to_string(number) + ": (" + say.number(exact(c.x)) + say(", ", "; ") +
                      say.number(exact(c.y)) + ")",
                  " " + ink);
    }
    listed += 110;
    ++index;
  });
  svg += marks;
  const double overlapFrom = left + 0.8 * perX, overlapTo = left + perX;
  svg += line(overlapFrom, 56, overlapTo, 56, "stroke=\"#000\"");
  svg += text((overlapFrom + overlapTo) / 2, 50, say.number("0.2"), kMiddle);
  svg += text(10, bottom + 24,
              say("across: 140 px a unit; up: 7 px a unit",
                  "по горизонтали — 140 пикселей на единицу, по вертикали — 7"));
  return svg + "</svg>\n";
}

// The first frame's top edge close up, in true proportions: each strip's top
// climbs by its level, and the next strip starts lower, below that tip.
std::string teeth(Say say) {
  const double from = 4, to = 20, bottomY = 30, topY = 70, scale = 10, left = 20, top = 20;
  const double bottom = top + (topY - bottomY) * scale;
  auto at = [&](double x, double y) {
    return std::pair{left + (x - from) * scale, bottom - (y - bottomY) * scale};
  };
  std::string svg = svgStart(620, static_cast<int>(bottom) + 40,
                             say("The teeth of the top edge", "Зубцы верхнего края"));
  svg += "<clipPath id=\"view\"><rect x=\"" + num(left) + "\" y=\"" + num(top) + "\" width=\"" +
         num((to - from) * scale) + "\" height=\"" + num(bottom - top) + "\"/></clipPath>\n";
  svg += kRedYellow;
  svg += "<rect x=\"" + num(left) + "\" y=\"" + num(top) + "\" width=\"" +
         num((to - from) * scale) + "\" height=\"" + num(bottom - top) +
         "\" fill=\"#000\"/>\n<g clip-path=\"url(#view)\">\n" +
         shadedBand(FlameState{}, left, bottom + bottomY * scale, scale, from, to) + "</g>\n";
  std::vector<Strip> strips;
  FlameState state;
  forEachStrip(state, [&](const Strip& strip) { strips.push_back(strip); });
  const Strip& tenth = strips[10];
  const Strip& next = strips[11];
  const auto [x2, y2] = at(tenth.topLeft.x, tenth.topLeft.y);
  const auto [x3, y3] = at(tenth.topRight.x, tenth.topRight.y);
  // Where the next strip's top edge passes under corner 3.
  const double under =
      next.topLeft.y + (next.topRight.y - next.topLeft.y) * (tenth.topRight.x - next.topLeft.x);
  const double yUnder = at(tenth.topRight.x, under).second;
  svg += line(x3 + 5, y3, x3 + 5, yUnder, "stroke=\"#fff\" stroke-width=\"2\"");
  svg += circle(x2, y2, 4, "fill=\"#fff\" stroke=\"#000\"");
  svg += circle(x3, y3, 4, "fill=\"#fff\" stroke=\"#000\"");
  svg += line(x3, y3, 220, 120, "stroke=\"#000\"");
  svg += line(x2, y2, 220, 240, "stroke=\"#000\"");
  svg += line(x3 + 5, (y3 + yUnder) / 2, 220, 330, "stroke=\"#000\"");
  svg += text(226, 112,
              say("strip 10, level 10: corner 3 at", "полоска 10, уровень 10: угол 3 на высоте"));
  svg += text(226, 128, "top + (level + level) = 35 + 20 = 55");
  svg += text(226, 232, say("corner 2 at top + level = 45", "угол 2 на высоте top + level = 45"));
  svg += text(226, 248, say("a climb of 10 across a width of 1", "склон высотой 10 на ширине 1"));
  svg += text(226, 330,
              say("the next strip starts lower: the tooth drops ",
                  "следующая полоска начинается ниже: обрыв ") +
                  say.number(tenths(tenth.topRight.y - under)));
  svg += text(226, 346, say("(about 0.8 × level)", "(примерно 0,8 × уровень)"));
  svg += text(left, bottom + 24,
              say("true proportions: 10 px a unit both ways",
                  "в верных пропорциях: 10 пикселей на единицу по обеим осям"));
  return svg + "</svg>\n";
}

// The tick frames of one cycle, one above the other, as their strips' top left
// corners; dots mark the tallest tongue's top (crest 25, turned at 24). With
// another number of strips than the program's, what the band would do.
std::string drift(Say say, int strips) {
  const double rowHeight = 56, top = 44, left = 70, perUnit = 4.5, perLift = 0.45;
  const bool programs = strips == kStripsPerFrame;
  const std::string setting =
      programs ? say("126 strips, as the program draws them", "126 полосок, как в программе")
               : say("what if: ", "если бы полосок было ") + std::to_string(strips) +
                     say(" strips, not the program's 126", ", а не 126, как в программе");
  std::string svg =
      svgStart(560, static_cast<int>(top + rowHeight * kFramesPerCycle + 34),
               std::string(programs ? say("The tongues drift left", "Языки смещаются влево")
                                    : say("The tongues with another number of strips",
                                          "Языки при другом числе полосок")) +
                   "; " + setting);
  svg +=
      "<linearGradient id=\"band\" x1=\"0\" y1=\"1\" x2=\"0\" y2=\"0\"><stop "
      "stop-color=\"#ffbf00\"/><stop offset=\"1\" stop-color=\"#f00\"/></linearGradient>\n";
  FlameState state;
  // The program's own loop, or as many strips laid the same way.
  auto eachStrip = [&](auto&& drawStrip) {
    if (strips == kStripsPerFrame) return forEachStrip(state, drawStrip);
    double x = 0.0;
    for (int strip = 0; strip < strips; ++strip) {
      drawStrip(stripAt(x, state));
      stepFlame(state);
      x += 0.8;
    }
  };
  eachStrip([](const Strip&) {});  // the paint before the first tick
  double lastX = 0;
  for (int tick = 1; tick <= kFramesPerCycle; ++tick) {
    computeFlicker(state);
    const double base = top + rowHeight * tick;
    std::string outline = num(left) + "," + num(base);
    std::string marks;
    double previous = -1;
    eachStrip([&](const Strip& strip) {
      const double x = left + strip.topLeft.x * perUnit;
      const double y = base - (strip.topLeft.y - 5.0f) * perLift;
      outline += " " + num(x) + "," + num(y);
      if (state.level == 24.0 && previous != 24.0)
        marks += circle(x, y, 3, "fill=\"#fff\" stroke=\"#000\"");
      previous = state.level;
      lastX = strip.topRight.x;
    });
    outline += " " + num(left + lastX * perUnit) + "," + num(base);
    svg += "<polygon fill=\"url(#band)\" points=\"" + outline + "\"/>\n";
    svg += marks;
    svg += text(8, base - 4, say("tick ", "такт ") + std::to_string(tick));
  }
  svg += text(left, 18, "x = 0");
  svg += text(left + 100 * perUnit, 18, "x = 100", kEnd);
  if (!programs) svg += text(left + 50 * perUnit, 36, setting, kMiddle + std::string(kWhatIf));
  svg += text(8, top + rowHeight * kFramesPerCycle + 24,
              say("heights drawn at a tenth of the horizontal scale", "высоты сжаты в десять раз"));
  return svg + "</svg>\n";
}

// How far above each whole level the rising flicker lands: the first running
// sum of 0.2 above it, which rounding sometimes stops a fifth early; or, as a
// what-if, level + 0.2.
std::string flicker(Say say, int levelPlusFifth) {
  const double left = 60, bottom = 210, perLevel = 22, perLift = 700;
  const std::string setting =
      levelPlusFifth == 0
          ? say("the program's running sum", "накопленная сумма, как в программе")
          : say("what if: lift = level + 0.2, not the program's running sum",
                "что, если: подъём = уровень + 0,2, а не накопленная сумма, как в программе");
  std::string svg =
      svgStart(640, 300, say("The lift above the level; ", "Подъём над уровнем; ") + setting);
  for (int whole = 0; whole <= 24; ++whole) {
    FlameState state;
    state.level = whole;
    computeFlicker(state);
    if (levelPlusFifth != 0) state.flicker = state.level + 0.2;
    const double lift = state.flicker - state.level;
    const double x = left + whole * perLevel;
    // A hair is drawn 3 px high, or it would not show at all.
    const double height = std::max(lift * perLift, 3.0);
    svg += "<rect x=\"" + num(x) + "\" y=\"" + num(bottom - height) + "\" width=\"14\" height=\"" +
           num(height) + "\" fill=\"" + (lift < 0.1 ? "#c00" : "#fa0") + "\"/>\n";
    svg += text(x + 7, bottom + 17, std::to_string(whole), kMiddle);
  }
  svg += line(left - 4, bottom - 0.2 * perLift, left + 25 * perLevel, bottom - 0.2 * perLift,
              "stroke=\"#999\" stroke-dasharray=\"4 3\"");
  svg += text(left - 8, bottom - 0.2 * perLift + 4, say.number("0.2"), kEnd);
  svg += text(left - 8, bottom + 4, "0", kEnd);
  svg += text(left + 275, bottom + 38, say("level while rising", "уровень при росте"), kMiddle);
  svg += text(10, 18, say("lift − level", "подъём − уровень"));
  svg += "<rect x=\"60\" y=\"262\" width=\"12\" height=\"12\" fill=\"#fa0\"/>\n";
  svg += text(78, 273, say("about 0.2", "около 0,2"));
  svg += "<rect x=\"200\" y=\"262\" width=\"12\" height=\"12\" fill=\"#c00\"/>\n";
  svg += text(218, 273, say("a hair above 0: the rounding", "чуть больше 0 — из-за округления"));
  if (levelPlusFifth != 0) svg += text(630, 40, setting, kEnd + std::string(kWhatIf));
  return svg + "</svg>\n";
}

// The 13 tick frames of a cycle as small windows in true proportions: the
// whole band leaps up at a rising tick and sinks back at a falling one.
std::string tickFrames(Say say) {
  const double cell = 132, size = 100;
  std::string svg = svgStart(680, 460, say("The lift at each tick", "Подъём на каждом такте"));
  svg +=
      "<linearGradient id=\"band\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\"><stop stop-color=\"#f00\"/>"
      "<stop offset=\"1\" stop-color=\"#fb0\"/></linearGradient>\n";
  FlameState state;
  forEachStrip(state, [](const Strip&) {});  // the paint before the first tick
  for (int tick = 1; tick <= kFramesPerCycle; ++tick) {
    computeFlicker(state);
    const int column = (tick - 1) % 5, row = (tick - 1) / 5;
    const double left = 20 + column * cell, top = 10 + row * (size + 50);
    std::string topEdge, foot;
    forEachStrip(state, [&](const Strip& strip) {
      auto at = [&](StripCorner c) {
        return num(left + std::min(static_cast<double>(c.x), size), 1) + "," +
               num(top + size - std::min(static_cast<double>(c.y), size), 1) + " ";
      };
      topEdge += at(strip.topLeft) + at(strip.topRight);
      foot.insert(0, at(strip.bottomRight) + at(strip.bottomLeft));
    });
    svg +=
        "<rect x=\"" + num(left) + "\" y=\"" + num(top) +
        "\" width=\"100\" height=\"100\" fill=\"#000\"/>\n<polygon fill=\"url(#band)\" points=\"";
    svg += topEdge;
    svg += foot;
    svg += "\"/>\n";
    svg += text(left, top + size + 17, say("tick ", "такт ") + std::to_string(tick));
    svg += text(left, top + size + 33, say("lift ", "подъём ") + say.number(tenths(state.flicker)));
  }
  svg += text(20 + 3 * cell, 10 + 2 * (size + 50) + 40,
              say("true proportions:", "в верных пропорциях:"));
  svg += text(20 + 3 * cell, 10 + 2 * (size + 50) + 56, say("1 px a unit", "1 пиксель на единицу"));
  return svg + "</svg>\n";
}

// The timer: the first tick a second after the window is created, then one
// every 150 ms; after 13 of them the levels come round.
std::string timer(Say say) {
  const int ticks = kFramesPerCycle + 1;
  const double left = 30, axis = 80, perMs = 0.2;
  auto at = [&](int tick) { return left + (kFirstTickMs + (tick - 1) * kTickMs) * perMs; };
  std::string svg = svgStart(680, 150, say("The timer", "Таймер"));
  svg += line(left, axis, at(ticks) + 20, axis, "stroke=\"#000\"");
  svg += line(left, axis - 30, left, axis + 6, "stroke=\"#06c\" stroke-width=\"3\"");
  svg +=
      text(left, axis - 36, say("window created, first paint", "окно создано, первая перерисовка"));
  for (int tick = 1; tick <= ticks; ++tick) {
    svg += line(at(tick), axis - 12, at(tick), axis + 6, "stroke=\"#c00\" stroke-width=\"2\"");
    svg += text(at(tick), axis + 21, std::to_string(tick), kMiddle);
  }
  svg += line(at(1), axis - 22, at(ticks), axis - 22, "stroke=\"#c00\"");
  svg += text((at(1) + at(ticks)) / 2, axis - 28,
              say("13 ticks, ", "13 тактов, ") + std::to_string(kFramesPerCycle * kTickMs) +
                  say(" ms: the levels come round", " мс: уровни повторяются"),
              kMiddle);
  const std::string ms = say(" ms", " мс");
  svg += text(left, axis + 42, "0" + ms, kMiddle);
  svg += text(at(1), axis + 42, std::to_string(kFirstTickMs) + ms, kMiddle);
  svg += text(at(ticks), axis + 42, std::to_string(kFirstTickMs + (ticks - 1) * kTickMs) + ms,
              kMiddle);
  svg +=
      text(left, axis + 62,
           say("ticks: the first after ", "такты: первый через ") + std::to_string(kFirstTickMs) +
               say(" ms, then every ", " мс, затем каждые ") + std::to_string(kTickMs) + ms);
  return svg + "</svg>\n";
}

const Figure kFigures[] = {
    {"level-cycle", 0, kStepsPerCycle, 0,
     [](Language l, int step) { return levelCycle({l}, step); }},
    {"strip-corners", 0, 0, 0, [](Language l, int) { return stripCorners({l}); }},
    {"teeth", 0, 0, 0, [](Language l, int) { return teeth({l}); }},
    {"first-frame", 0, kFramesPerCycle, 0, [](Language l, int tick) { return frame({l}, tick); }},
    {"drift", 100, kStripsPerFrame, kStripsPerFrame,
     [](Language l, int strips) { return drift({l}, strips); }},
    {"lift", 0, 0, 0, [](Language l, int) { return tickFrames({l}); }},
    {"flicker", 0, 1, 0, [](Language l, int what) { return flicker({l}, what); }},
    {"timer", 0, 0, 0, [](Language l, int) { return timer({l}); }},
};

}  // namespace

const Figure* figuresBegin() {
  return std::begin(kFigures);
}
const Figure* figuresEnd() {
  return std::end(kFigures);
}

const Figure* findFigure(std::string_view name) {
  const Figure* found = std::find_if(figuresBegin(), figuresEnd(),
                                     [&](const Figure& figure) { return name == figure.name; });
  return found == figuresEnd() ? nullptr : found;
}

std::string drawFigure(const Figure& figure, Language language, int setting) {
  return figure.draw(language, std::clamp(setting, figure.first, figure.last));
}
